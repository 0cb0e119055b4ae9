// The library as qrvl reaches it: the nine exports. The Windows build loads the
// real QRVIDE32.DLL and resolves them by ordinal; the native build links the
// same code over the simulated platform, with real files.
#pragma once

#include <string>

#include "include/qrvide32.h"

namespace qrvl_tool {

struct Library {
  QRVL_Init_t Init;
  QRVL_IDECount_t IDECount;
  QRVL_CreateIDE_t CreateIDE;
  QRVL_DestroyIDE_t DestroyIDE;
  RegistryKeyExists_t RegistryKeyExists;
  AddRegistryKey_t AddRegistryKey;
  DeleteRegistryKey_t DeleteRegistryKey;
  GetRegistryKey_t GetRegistryKey;
  D2DFMtoText_t D2DFMtoText;
};

// The library, loaded on first use; null with *error set when it cannot be.
const Library* OpenLibrary(std::string* error);

// Makes the drivers read and write the settings file at `path` instead of the
// one beside the library (after Init). False where the build cannot.
bool UseSettingsFile(const std::string& path);

}  // namespace qrvl_tool
