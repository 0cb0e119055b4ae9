// Windows build: the real QRVIDE32.DLL beside qrvl.exe, resolved by ordinal.
#include <windows.h>

#include "library.h"

namespace qrvl_tool {

const Library* OpenLibrary(std::string* error) {
  static Library library;
  static bool loaded = false;
  if (loaded) return &library;
  char path[MAX_PATH];
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dll(path);
  dll = dll.substr(0, dll.find_last_of("\\/") + 1) + "QRVIDE32.DLL";
  const HMODULE module = ::LoadLibraryA(dll.c_str());
  if (!module) {
    *error = "cannot load " + dll;
    return nullptr;
  }
  auto get = [&](int ordinal) {
    return reinterpret_cast<void*>(::GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
  };
  library.D2DFMtoText = reinterpret_cast<D2DFMtoText_t>(get(1));
  library.GetRegistryKey = reinterpret_cast<GetRegistryKey_t>(get(2));
  library.DeleteRegistryKey = reinterpret_cast<DeleteRegistryKey_t>(get(3));
  library.AddRegistryKey = reinterpret_cast<AddRegistryKey_t>(get(4));
  library.RegistryKeyExists = reinterpret_cast<RegistryKeyExists_t>(get(5));
  library.DestroyIDE = reinterpret_cast<QRVL_DestroyIDE_t>(get(6));
  library.CreateIDE = reinterpret_cast<QRVL_CreateIDE_t>(get(7));
  library.IDECount = reinterpret_cast<QRVL_IDECount_t>(get(8));
  library.Init = reinterpret_cast<QRVL_Init_t>(get(9));
  loaded = true;
  return &library;
}

// The DLL always reads EDITORS.INI beside itself.
bool UseSettingsFile(const std::string&) {
  return false;
}

}  // namespace qrvl_tool
