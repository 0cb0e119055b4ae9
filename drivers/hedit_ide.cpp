#include "drivers/hedit_ide.h"

#include "frame/short_string.h"
#include "frame/globals.h"
#include "frame/host_error.h"
#include "frame/text.h"

namespace qrvl {

namespace {
constexpr const char* kAppPaths[] = {
    "Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\HEDIT32.EXE",
    "Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\HEDIT.EXE",
};
}  // namespace

void THEditIDE::FindEditorPath() {
  EditorPath.clear();
  for (const char* key : kAppPaths) {
    // Only the text counts: the export empties the buffer when it finds
    // nothing.
    unsigned char buffer[256] = {0};
    GetRegistryKey(QRVL_HKEY_LOCAL_MACHINE, ShortString(key), ShortString(""), buffer, 255);
    EditorPath = FromShortString(buffer);
    if (!EditorPath.empty()) return;
  }
}

plat::Hwnd THEditIDE::FindEditorWindow() const {
  if (!AppClass) return nullptr;
  return plat::FindWindow(AppClass, nullptr);
}

bool THEditIDE::RestoreIDE(plat::Hwnd Window) {
  return AtBoundary(false, [&] {
    // A window from the host is the target as it is: no lookup, no start.
    if (!Window) {
      FindEditorPath();
      if (EditorPath.empty()) {
        ShowProductMessage("Start The Hurricane Editor and try again.");
        return false;
      }
      if (!StartEditor(EditorPath)) return false;
      Window = FindEditorWindow();
    }
    if (Window) {
      plat::PostMessage(Window, globals().RestoreMessage, 0, 0);
      return true;
    }
    ShowError("Error Starting " + TextOf(Desc) + ".\rCould not find window after initializing.");
    return false;
  });
}

bool THEditIDE::SyncIDE(const char*, std::int32_t, std::int32_t, std::int32_t) {
  // The message carries nothing: the editor learns the hit from the host.
  return AtBoundary(false, [&] {
    const plat::Hwnd window = FindEditorWindow();
    if (window) {
      plat::PostMessage(window, globals().OpenFileMessage, 0, 0);
      return true;
    }
    ShowError("Error opening file in " + TextOf(Desc) +
              ".\rCould not find window during call to OpenFile.");
    return false;
  });
}

}  // namespace qrvl
