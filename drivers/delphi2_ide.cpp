#include "drivers/delphi2_ide.h"

#include "frame/short_string.h"
#include "frame/globals.h"
#include "frame/host_error.h"
#include "frame/text.h"

namespace qrvl {

namespace {
constexpr const char* kValueName = "QUIBLE30";
}  // namespace

std::string ParentKeyPath(const std::string& path) {
  std::string parent = DirectoryPart(path);
  if (!parent.empty()) parent.pop_back();
  return parent;
}

bool TDelphi2IDE::Load() {
  return AtBoundary(false, [&] {
    if (!LoadProfile()) return false;
    Util_AppClass = NewProfileText(ReadKey("Util_AppClass", ""));
    Util_AppText = NewProfileText(ReadKey("Util_AppText", ""));
    RegKey = ReadKey("RegKey", "");
    return true;
  });
}

bool TDelphi2IDE::CanInstall() {
  return AtBoundary(false, [&] {
    return RegistryKeyExists(QRVL_HKEY_CURRENT_USER, ShortString(ParentKeyPath(RegKey)),
                             ShortString("")) != 0;
  });
}

bool TDelphi2IDE::IsInstalled() {
  return AtBoundary(false, [&] {
    return RegistryKeyExists(QRVL_HKEY_CURRENT_USER, ShortString(RegKey),
                             ShortString(kValueName)) != 0;
  });
}

bool TDelphi2IDE::Install() {
  return AtBoundary(false, [&] {
    // The directory as the module name gives it, short names included.
    const std::string library = DirectoryPart(globals().ModuleFileName) + "DELPHI2.DLL";
    return AddRegistryKey(QRVL_HKEY_CURRENT_USER, ShortString(RegKey), ShortString(kValueName),
                          ShortString(library), 0) != 0;
  });
}

bool TDelphi2IDE::Uninstall() {
  return AtBoundary(false, [&] {
    // Root 0 is HKEY_CURRENT_USER, where Install wrote; only the value goes.
    return DeleteRegistryKey(0, ShortString(RegKey), ShortString(kValueName)) != 0;
  });
}

plat::Hwnd TDelphi2IDE::FindUtilityWindow() const {
  if (!Util_AppClass || !Util_AppText) return nullptr;
  return plat::FindWindow(Util_AppClass, Util_AppText);
}

bool TDelphi2IDE::IsIDEReady() {
  return AtBoundary(false, [&] { return FindUtilityWindow() != nullptr; });
}

bool TDelphi2IDE::SyncIDE(const char*, std::int32_t, std::int32_t, std::int32_t) {
  // The message carries nothing: the extension learns the hit from the host.
  return AtBoundary(false, [&] {
    const plat::Hwnd window = FindUtilityWindow();
    if (window) {
      plat::PostMessage(window, globals().OpenFileMessage, 0, 0);
      return true;
    }
    ShowError("The Quarvel extension for " + TextOf(Desc) +
              " has not been installed.\rInstall the extension and try again.");
    return false;  // the hit did not reach the extension
  });
}

}  // namespace qrvl
