#include "registry/registry_object.h"

#include <vector>

namespace qrvl {

namespace {
void DropLeadingBackslash(std::string* path) {
  if (!path->empty() && (*path)[0] == '\\') path->erase(0, 1);
}

// Deletes Path below Base after its subkeys, last index first, so that each
// deletion leaves the indexes still to be visited as they were.
long DeleteTree(plat::Hkey base, std::string path) {
  DropLeadingBackslash(&path);
  plat::Hkey key = 0;
  if (plat::RegOpenKeyEx(base, path.c_str(), 0, plat::kKeyAllAccess, &key) == 0) {
    std::uint32_t count = 0, longest = 0;
    if (plat::RegQueryInfoKey(key, &count, &longest) == 0) {
      std::vector<char> name(longest + 1);
      for (std::uint32_t index = count; index-- > 0;) {
        std::uint32_t length = longest + 1;
        if (plat::RegEnumKeyEx(key, index, name.data(), &length) == 0)
          DeleteTree(key, std::string(name.data(), length));
      }
    }
    plat::RegCloseKey(key);
  }
  return plat::RegDeleteKey(base, path.c_str());
}
}  // namespace

bool TRegistry::OpenKey(std::string path, bool create) {
  CloseKey();
  DropLeadingBackslash(&path);
  plat::Hkey key = 0;
  const long rc = create && !path.empty()
                      ? plat::RegCreateKeyEx(RootKey, path.c_str(), plat::kKeyAllAccess, &key)
                      : plat::RegOpenKeyEx(RootKey, path.c_str(), 0, plat::kKeyAllAccess, &key);
  if (rc != 0) return false;
  CurrentKey = key;
  return true;
}

void TRegistry::CloseKey() {
  if (!CurrentKey) return;
  if (!LazyWrite) plat::RegFlushKey(CurrentKey);
  plat::RegCloseKey(CurrentKey);
  CurrentKey = 0;
}

bool TRegistry::ValueExists(const std::string& name) {
  std::uint32_t type = 0, size = 0;
  return plat::RegQueryValueEx(CurrentKey, name.c_str(), &type, nullptr, &size) == 0;
}

bool TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::string data = value + '\0';
  return plat::RegSetValueEx(CurrentKey, name.c_str(), plat::kRegSz,
                             reinterpret_cast<const std::uint8_t*>(data.data()),
                             static_cast<std::uint32_t>(data.size())) == 0;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return plat::RegDeleteValue(CurrentKey, name.c_str()) == 0;
}

bool TRegistry::ReadString(const std::string& name, std::string* text) {
  text->clear();
  std::uint32_t type = 0, size = 0;
  if (plat::RegQueryValueEx(CurrentKey, name.c_str(), &type, nullptr, &size) != 0) return false;
  if (size == 0) return true;
  std::vector<std::uint8_t> data(size);
  if (plat::RegQueryValueEx(CurrentKey, name.c_str(), &type, data.data(), &size) != 0) return false;
  if (type != plat::kRegSz && type != plat::kRegExpandSz) return false;
  std::size_t length = 0;
  while (length < size && length < data.size() && data[length] != 0) ++length;
  text->assign(reinterpret_cast<const char*>(data.data()), length);
  return true;
}

bool TRegistry::DeleteKey(const std::string& path) {
  CloseKey();
  // Nothing but backslashes names the root: deleting its whole tree is never wanted.
  if (path.find_first_not_of('\\') == std::string::npos) return false;
  return DeleteTree(RootKey, path) == 0;
}

}  // namespace qrvl
