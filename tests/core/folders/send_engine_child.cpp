// The Outbox module's start and the send thread alone, to be killed: send_engine_child <folder>

#include <unistd.h>

#include <cstdio>

#include "core/devicelink/ipc_client.h"
#include "core/devicelink/wire_layout.h"
#include "core/folders/clock.h"
#include "core/folders/send_thread.h"
#include "core/store/app_lists.h"
#include "core/store/message_file.h"

int main(int argc, char** argv) {
  using namespace zeph;
  if (argc != 2) {
    std::fprintf(stderr, "usage: send_engine_child <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  const StorePaths paths = StorePaths::InFolder(folder);
  AppLists lists;
  SystemClock clock;
  for (auto [list, path] : {std::pair{&lists.outbox, paths.outbox},
                            {&lists.sent, paths.sent},
                            {&lists.reports, paths.reports}}) {
    ScopedLock hold(*list);
    LoadMessageFile(path, *list);
  }
  SendThreadSetup setup{
      lists.outbox,
      paths.outbox,
      SendFiling{lists.sent, paths.sent, lists.reports, paths.reports},
      clock,
      [&](uint32_t& result, PipeCanceller& canceller) -> std::unique_ptr<Pipe> {
        IpcOptions options;
        options.socketDir = folder;
        options.canceller = &canceller;
        std::unique_ptr<IpcPipe> pipe;
        result = IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSendPipeName, pipe,
                                    options);
        if (result != 0) return nullptr;
        return pipe;
      },
      {},
  };
  SendThread engine(std::move(setup));
  engine.Start();
  for (;;) ::pause();  // until killed
}
