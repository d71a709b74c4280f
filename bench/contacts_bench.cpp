// The Contacts module with a full SIM (250 entries, the card's capacity):
// rebuilding the list, and re-sorting it by a header click. Offscreen,
// without a card service: the phonebook is put into the list directly.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <string>

#include "app/base/asker.h"
#include "app/base/folder_actions.h"
#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/contacts/contacts_module.h"
#include "app/controls/report_list_view.h"
#include "app/platform/device_card_link.h"
#include "core/folders/clock.h"
#include "core/settings/memory_settings_store.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr int kFullSim = 250;

struct FullSim {
  FullSim() : link(NoService()), store(StorePaths::InFolder("/nonexistent")) {
    for (int i = 0; i < kFullSim; ++i) {
      auto entry = std::make_unique<ContactEntry>();
      entry->location = static_cast<uint16_t>(i + 1);
      // Names in no order, so that every sort has work to do.
      const int shuffled = (i * 97) % kFullSim;
      SetFieldText(entry->name, "Contact " + std::to_string(shuffled));
      SetFieldText(entry->number, "+4917" + std::to_string(1000000 + (i * 31) % kFullSim));
      store.Lists().contacts.Add(std::move(entry));
    }
    module = std::make_unique<ContactsModule>(4, services, nullptr);
    module->resize(500, 400);
    module->show();
    QApplication::processEvents();
  }
  static IpcOptions NoService() {
    IpcOptions options;
    options.socketDir = "/nonexistent";
    return options;
  }

  DeviceCardLink link;
  ProgramStore store;
  MemorySettingsStore settings;
  MessageBoxAsker asker;
  SystemClock clock;
  QWidget actionOwner;  // the folder commands, which the frame owns in the program
  FolderActions actions = MakeFolderActions(&actionOwner);
  ModuleServices services{&store, &link, &settings, &asker, &clock, &actions};
  std::unique_ptr<ContactsModule> module;
};

void BM_RebuildFullSim(benchmark::State& state) {
  FullSim sim;
  for (auto _ : state) {
    sim.module->Refresh(RefreshReason::kReload);
    QApplication::processEvents();  // and paint what changed
  }
  state.SetItemsProcessed(state.iterations() * kFullSim);
}
BENCHMARK(BM_RebuildFullSim)->Unit(benchmark::kMillisecond);

void BM_SortFullSimByHeaderClick(benchmark::State& state) {
  FullSim sim;
  QHeaderView* header = sim.module->ListView()->header();
  int column = 0;
  for (auto _ : state) {
    emit header->sectionClicked(column);
    column = 1 - column;
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * kFullSim);
}
BENCHMARK(BM_SortFullSimByHeaderClick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
