// The library's globals: one set per loaded library, shared by every driver.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace qrvl {

struct Globals {
  plat::Hmodule module = nullptr;     // given by the system at load
  std::string ModuleFileName;         // full path of this library, at most 511 characters
  std::string SettingsFilePath;       // set by QRVL_Init
  plat::Hwnd OwnerWindow = nullptr;   // owner of every driver message box
  std::uint16_t OpenFileMessage = 0;  // "CM_QRVLOPENFILE"
  std::uint16_t RestoreMessage = 0;   // "CM_QRVLRESTORE"
};

Globals& globals();

// What happens when the system attaches the library to a process.
void OnLoad(plat::Hmodule module);

// The product message box: OK only, captioned "Quarvel", owned by OwnerWindow.
void ShowProductMessage(const std::string& text);

}  // namespace qrvl
