#include "drivers/bc5_ide.h"

#include "frame/short_string.h"
#include "frame/globals.h"
#include "frame/host_error.h"
#include "frame/text.h"

namespace qrvl {

std::string GrandparentKeyPath(const std::string& path) {
  return ParentKeyPath(ParentKeyPath(ParentKeyPath(path)));
}

std::string ExpandLongPath(const std::string& path) {
  // The head before the first backslash (the drive, as a rule) stays as it is.
  const std::size_t first = path.find('\\');
  const std::string head = first == std::string::npos ? std::string() : path.substr(0, first);
  std::size_t position = first == std::string::npos ? 0 : first + 1;
  std::string result = head;
  std::string prefix = head;  // always built from the input's own components
  do {
    std::size_t end = path.find('\\', position);
    if (end == std::string::npos) end = path.size();
    prefix += "\\" + path.substr(position, end - position);
    position = end < path.size() ? end + 1 : end;
    char name[260] = "";
    if (!plat::FindFirstFileName(prefix.c_str(), name, sizeof name)) name[0] = '\0';
    result += "\\";
    result += name;
  } while (position < path.size());
  return result;
}

bool TBC5IDE::CanInstall() {
  return AtBoundary(false, [&] {
    return RegistryKeyExists(QRVL_HKEY_LOCAL_MACHINE, ShortString(GrandparentKeyPath(RegKey)),
                             ShortString("")) != 0;
  });
}

bool TBC5IDE::IsInstalled() {
  return AtBoundary(false, [&] {
    return RegistryKeyExists(QRVL_HKEY_LOCAL_MACHINE, ShortString(RegKey), ShortString("Path")) !=
           0;
  });
}

bool TBC5IDE::Install() {
  return AtBoundary(false, [&] {
    const std::string addon =
        ExpandLongPath(DirectoryPart(globals().ModuleFileName) + "QRVLBC5.DLL");
    const ShortString key(RegKey);
    // "Path" is logged as a tree entry for the key, "Enabled" as a key entry.
    if (!AddRegistryKey(QRVL_HKEY_LOCAL_MACHINE, key, ShortString("Path"), ShortString(addon), 1))
      return false;
    return AddRegistryKey(QRVL_HKEY_LOCAL_MACHINE, key, ShortString("Enabled"), ShortString("Yes"),
                          0) != 0;
  });
}

bool TBC5IDE::Uninstall() {
  return AtBoundary(false, [&] {
    // Stops at the first failure: a missing "Path" leaves the rest alone.
    const ShortString key(RegKey);
    return DeleteRegistryKey(QRVL_HKEY_LOCAL_MACHINE, key, ShortString("Path")) != 0 &&
           DeleteRegistryKey(QRVL_HKEY_LOCAL_MACHINE, key, ShortString("Enabled")) != 0 &&
           DeleteRegistryKey(QRVL_HKEY_LOCAL_MACHINE, key, ShortString("")) != 0;
  });
}

}  // namespace qrvl
