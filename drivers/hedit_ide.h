// THEditIDE: the Hurricane Editor. Driven by two registered messages posted to
// its main window: "CM_QRVLRESTORE" brings it forward (starting the program
// found under the App Paths keys when the host has no window to give), and
// "CM_QRVLOPENFILE" has it open the current search hit.
#pragma once

#include <string>

#include "drivers/ide.h"

namespace qrvl {

class THEditIDE : public TIDE {
 public:
  bool QRVL_STDCALL CanRestoreIDE() override { return true; }
  bool QRVL_STDCALL RestoreIDE(plat::Hwnd Window) override;
  bool QRVL_STDCALL SyncIDE(const char* FileName, std::int32_t Line, std::int32_t SyncArg1,
                            std::int32_t SyncArg2) override;

  // Fills EditorPath from the App Paths keys: HEDIT32.EXE first, then
  // HEDIT.EXE.
  void FindEditorPath();

  std::string EditorPath;  // the editor program as the registry gives it

 private:
  // The editor's main window by class, any title; none when the profile has
  // no class (a failed Load), rather than whatever window a null search
  // matches.
  plat::Hwnd FindEditorWindow() const;
};

}  // namespace qrvl
