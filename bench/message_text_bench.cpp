// Typing into the message text control while it holds a long text, as the
// message editor does it: every keystroke changes the text, the control
// reports the change and the editor's counter measures the whole text again
// (which also enforces the limits), then the window repaints. Keystrokes
// alternate between a letter and Backspace, so the text stays at 1 000 and
// 1 001 units. The same without the counter shows what the measuring adds
// to the edit's own work. Runs on Qt's offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <memory>
#include <string>

#include "app/controls/message_text_control.h"
#include "core/codecs/gsm_text.h"

namespace zeph {
namespace {

void Key(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

void TypeInto(benchmark::State& state, bool withCounter) {
  QWidget window;
  window.resize(400, 260);
  auto* text = new MessageTextControl(&window, nullptr);  // owned by the window
  auto* counter = new QLabel(&window);                    // owned by the window
  text->setGeometry(10, 30, 380, 220);
  counter->setGeometry(300, 5, 90, 20);
  if (withCounter) {
    QObject::connect(text, &MessageTextControl::Changed, counter,
                     [text, counter] { counter->setText(FormatLengthCounter(*text)); });
  }
  // Mostly plain letters with some two-unit characters, 1 000 units.
  std::string start;
  while (CountUnits(start) < 1000) start += start.size() % 25 == 24 ? "{" : "a";
  text->SetText(start);
  window.show();
  QApplication::processEvents();
  QWidget* edit = text->Edit();
  edit->setFocus();
  bool type = true;
  for (auto _ : state) {
    if (type) {
      Key(edit, Qt::Key_X, QStringLiteral("x"));
    } else {
      Key(edit, Qt::Key_Backspace, QString());
    }
    type = !type;
    QApplication::processEvents();
  }
  state.counters["units"] = static_cast<double>(text->Length());
  state.SetLabel(counter->text().toStdString());
}
void BM_KeystrokeWithCounter(benchmark::State& state) {
  TypeInto(state, true);
}
void BM_KeystrokeWithoutCounter(benchmark::State& state) {
  TypeInto(state, false);
}
BENCHMARK(BM_KeystrokeWithCounter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeWithoutCounter)->Unit(benchmark::kMicrosecond);

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
