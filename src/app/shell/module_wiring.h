#pragma once
// Where what a module asks for meets whoever serves it. A module's new
// need is a new signal on FolderModule and one connection here; the
// frame's insides stay as they are.

namespace zeph {

class FolderModule;
class MainFrame;

void ConnectModule(FolderModule& module, MainFrame& frame);

}  // namespace zeph
