// TDelphi2IDE: IDEs into which the host installs its extension "DELPHI2.DLL".
// The driver types nothing: it posts "CM_QRVLOPENFILE" to the extension's
// utility window, and installs the extension by one value under the IDE's
// registry key in HKEY_CURRENT_USER.
#pragma once

#include <string>

#include "drivers/generic_ides.h"

namespace qrvl {

class TDelphi2IDE : public TDelphi1IDE {
 public:
  bool QRVL_STDCALL CanInstall() override;
  bool QRVL_STDCALL IsInstalled() override;
  bool QRVL_STDCALL Install() override;
  bool QRVL_STDCALL Uninstall() override;
  bool QRVL_STDCALL IsIDEReady() override;
  bool QRVL_STDCALL SyncIDE(const char* FileName, std::int32_t Line, std::int32_t SyncArg1,
                            std::int32_t SyncArg2) override;
  bool QRVL_STDCALL Load() override;

  // The extension's utility window and the registry key of the IDE.
  char* Util_AppClass = nullptr;
  char* Util_AppText = nullptr;
  std::string RegKey;

 protected:
  // The utility window by class and title; none when the profile lacks them
  // (a failed Load), rather than whatever window a null search would match.
  plat::Hwnd FindUtilityWindow() const;
};

// The key above a registry path: A\B\C gives A\B, A\B\C\ gives A\B\C, and a
// path without a backslash or colon gives the empty path.
std::string ParentKeyPath(const std::string& path);

}  // namespace qrvl
