#include "frame/globals.h"

#include <cstring>

namespace qrvl {

Globals& globals() {
  static Globals g;
  return g;
}

void OnLoad(plat::Hmodule module) {
  Globals& g = globals();
  g = Globals();
  g.module = module;
  // Asked for with room for 511 characters and cut to what the system reports.
  char buffer[512] = {};
  const std::uint32_t reported = plat::GetModuleFileName(module, buffer, 511);
  const std::size_t stored = ::strnlen(buffer, 511);
  g.ModuleFileName.assign(buffer, reported < stored ? reported : stored);
  g.OwnerWindow = nullptr;
}

void ShowProductMessage(const std::string& text) {
  plat::MessageBox(globals().OwnerWindow, text.c_str(), "Quarvel", plat::kMbOk);
}

}  // namespace qrvl
