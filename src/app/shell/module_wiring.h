#pragma once
// Where what a module asks for meets whoever serves it. A module's new
// need is a new signal on ModulePage and one connection here; the
// frame's insides stay as they are.

namespace zeph {

class ModulePage;
class MainFrame;

void ConnectModule(ModulePage& module, MainFrame& frame);

}  // namespace zeph
