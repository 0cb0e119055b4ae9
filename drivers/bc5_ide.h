// TBC5IDE: Borland C++ 5, with the host's add-on "QRVLBC5.DLL". Talks to the
// add-on like TDelphi2IDE; registers it in HKEY_LOCAL_MACHINE by the values
// "Path" (the add-on's long path) and "Enabled".
#pragma once

#include <string>

#include "drivers/delphi2_ide.h"

namespace qrvl {

class TBC5IDE : public TDelphi2IDE {
 public:
  std::uint8_t QRVL_STDCALL GetIDEType() override { return 0; }
  bool QRVL_STDCALL CanInstall() override;
  bool QRVL_STDCALL IsInstalled() override;
  bool QRVL_STDCALL Install() override;
  bool QRVL_STDCALL Uninstall() override;
};

// The key three levels above a registry path: A\B\C\D gives A; three
// components or fewer give the empty path.
std::string GrandparentKeyPath(const std::string& path);

// The path with every component after the first backslash replaced by its
// long name as the file system reports it; a component that is not found
// becomes empty.
std::string ExpandLongPath(const std::string& path);

}  // namespace qrvl
