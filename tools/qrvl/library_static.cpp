// Native build: the exports are linked in; the simulated platform uses real files.
#include "frame/globals.h"
#include "library.h"
#include "platform/sim/sim.h"

namespace qrvl_tool {

const Library* OpenLibrary(std::string*) {
  static const Library library = [] {
    sim::Reset();
    sim::files().host_files = true;
    qrvl::OnLoad(nullptr);
    return Library{QRVL_Init,         QRVL_IDECount,     QRVL_CreateIDE,
                   QRVL_DestroyIDE,   RegistryKeyExists, AddRegistryKey,
                   DeleteRegistryKey, GetRegistryKey,    D2DFMtoText};
  }();
  return &library;
}

bool UseSettingsFile(const std::string& path) {
  qrvl::globals().SettingsFilePath = path;
  return true;
}

}  // namespace qrvl_tool
