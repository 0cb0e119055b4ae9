// Simulated registry: keys by full name under the four predefined roots, typed
// values, counted handles, scripted failures. Error codes are those of Win32.
#include <algorithm>
#include <cstring>

#include "platform/sim/sim.h"

namespace sim {

namespace {
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kBadPathname = 161;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
constexpr long kKeyDeleted = 1018;

Registry g_registry;
std::uint64_t g_next_serial = 1;

struct OpenKey {
  std::string name;
  std::uint64_t serial;
};
std::map<plat::Hkey, OpenKey> g_handles;
plat::Hkey g_next_handle = 0x100;

const char* RootName(plat::Hkey root) {
  switch (root) {
    case 0x80000000u:
      return "HKEY_CLASSES_ROOT";
    case 0x80000001u:
      return "HKEY_CURRENT_USER";
    case 0x80000002u:
      return "HKEY_LOCAL_MACHINE";
    case 0x80000003u:
      return "HKEY_USERS";
    default:
      return nullptr;
  }
}

void AddRoots() {
  for (plat::Hkey root = 0x80000000u; root <= 0x80000003u; ++root)
    g_registry.keys[RootName(root)].serial = g_next_serial++;
}

// The full name of the key a handle stands for; an error when the handle is
// unknown or its key has been deleted since.
long Resolve(plat::Hkey key, std::string* name) {
  if (const char* root = RootName(key)) {
    *name = root;
    return kSuccess;
  }
  const auto open = g_handles.find(key);
  if (open == g_handles.end()) return kInvalidHandle;
  const auto found = g_registry.keys.find(open->second.name);
  if (found == g_registry.keys.end() || found->second.serial != open->second.serial)
    return kKeyDeleted;
  *name = open->second.name;
  return kSuccess;
}

// Base name joined with a relative path. Doubled and trailing backslashes are
// passed over; a path that begins with a backslash is refused.
long Join(const std::string& base, const std::string& path, std::string* name,
          std::vector<std::string>* levels = nullptr) {
  if (!path.empty() && path[0] == '\\') return kBadPathname;
  *name = base;
  std::size_t at = 0;
  while (at <= path.size()) {
    std::size_t end = path.find('\\', at);
    if (end == std::string::npos) end = path.size();
    if (end > at) {
      *name += "\\" + path.substr(at, end - at);
      if (levels) levels->push_back(*name);
    }
    at = end + 1;
  }
  return kSuccess;
}

bool SameNoCase(const std::string& a, const std::string& b) {
  return !NoCase()(a, b) && !NoCase()(b, a);
}

bool IsRootName(const std::string& name) {
  return name.find('\\') == std::string::npos;
}

// Names of the direct subkeys of a key, in the map's (stable) order.
std::vector<std::string> Children(const std::string& name) {
  std::vector<std::string> children;
  const std::string prefix = name + "\\";
  for (const auto& entry : g_registry.keys) {
    const std::string& k = entry.first;
    if (k.size() > prefix.size() && SameNoCase(k.substr(0, prefix.size()), prefix) &&
        k.find('\\', prefix.size()) == std::string::npos)
      children.push_back(k.substr(prefix.size()));
  }
  return children;
}

// A new handle to an existing key, which keeps the letter case it was created with.
plat::Hkey NewHandle(std::string* name) {
  const auto key = g_registry.keys.find(*name);
  *name = key->first;
  const plat::Hkey handle = g_next_handle += 4;
  g_handles[handle] = {*name, key->second.serial};
  ++g_registry.open_handles;
  return handle;
}

void Below(const std::string& name, std::vector<std::string>* out) {
  for (const std::string& child : Children(name)) {
    out->push_back(name + "\\" + child);
    Below(out->back(), out);
  }
}

RegKey* Find(plat::Hkey root, const std::string& path) {
  const auto found = g_registry.keys.find(RegName(root, path));
  return found == g_registry.keys.end() ? nullptr : &found->second;
}
}  // namespace

Registry& registry() {
  return g_registry;
}

void ResetRegistry() {
  g_registry = Registry();
  g_handles.clear();
  AddRoots();
}

std::string RegName(plat::Hkey root, const std::string& path) {
  const char* base = RootName(root);
  std::string name;
  if (!base || Join(base, path, &name) != kSuccess) return std::string();
  return name;
}

void RegPutKey(plat::Hkey root, const std::string& path) {
  std::vector<std::string> levels;
  std::string name;
  if (!RootName(root) || Join(RootName(root), path, &name, &levels) != kSuccess) return;
  for (const std::string& level : levels)
    if (!g_registry.keys.count(level)) g_registry.keys[level].serial = g_next_serial++;
}

void RegPut(plat::Hkey root, const std::string& path, const std::string& name, std::uint32_t type,
            const std::string& data) {
  RegPutKey(root, path);
  if (RegKey* key = Find(root, path)) key->values[name] = {type, data};
}

bool RegHasKey(plat::Hkey root, const std::string& path) {
  return Find(root, path) != nullptr;
}

const RegValue* RegGet(plat::Hkey root, const std::string& path, const std::string& name) {
  RegKey* key = Find(root, path);
  if (!key) return nullptr;
  const auto found = key->values.find(name);
  return found == key->values.end() ? nullptr : &found->second;
}

std::vector<std::string> RegKeysBelow(plat::Hkey root, const std::string& path) {
  std::vector<std::string> below;
  const std::string name = RegName(root, path);
  if (!name.empty()) Below(name, &below);
  return below;
}

}  // namespace sim

namespace plat {

using sim::g_handles;
using sim::g_registry;

long RegOpenKeyEx(Hkey key, const char* path, std::uint32_t, std::uint32_t, Hkey* result) {
  *result = 0;
  std::string base, name;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  if (const long rc = sim::Join(base, path ? path : "", &name)) return rc;
  if (!g_registry.keys.count(name)) return sim::kFileNotFound;
  if (g_registry.deny.count(name)) return sim::kAccessDenied;
  *result = sim::NewHandle(&name);
  g_registry.log.push_back("open " + name);
  return sim::kSuccess;
}

long RegCreateKeyEx(Hkey key, const char* path, std::uint32_t, Hkey* result) {
  *result = 0;
  std::string base, name;
  std::vector<std::string> levels;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  if (const long rc = sim::Join(base, path ? path : "", &name, &levels)) return rc;
  if (g_registry.deny.count(name)) return sim::kAccessDenied;
  for (const std::string& level : levels)
    if (!g_registry.keys.count(level)) g_registry.keys[level].serial = sim::g_next_serial++;
  *result = sim::NewHandle(&name);
  g_registry.log.push_back("create " + name);
  return sim::kSuccess;
}

long RegSetValueEx(Hkey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                   std::uint32_t size) {
  std::string base;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  if (g_registry.refuse_write.count(base)) return sim::kAccessDenied;
  g_registry.keys[base].values[name ? name : ""] = {
      type, std::string(reinterpret_cast<const char*>(data), size)};
  return sim::kSuccess;
}

long RegQueryValueEx(Hkey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) {
  std::string base;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  const std::string value_name = name ? name : "";
  auto& values = g_registry.keys[base].values;
  const auto found = values.find(value_name);
  if (found == values.end()) return sim::kFileNotFound;
  sim::RegValue& value = found->second;
  if (data && g_registry.grow.erase(base + "|" + value_name)) value.data.append(16, 'g');
  if (type) *type = value.type;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (data) {
    if (!size) return 87;  // ERROR_INVALID_PARAMETER
    if (*size < needed) {
      *size = needed;
      return sim::kMoreData;
    }
    std::memcpy(data, value.data.data(), needed);
  }
  if (size) *size = needed;
  return sim::kSuccess;
}

long RegDeleteValue(Hkey key, const char* name) {
  std::string base;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  if (g_registry.refuse_write.count(base)) return sim::kAccessDenied;
  return g_registry.keys[base].values.erase(name ? name : "") ? sim::kSuccess : sim::kFileNotFound;
}

long RegQueryInfoKey(Hkey key, std::uint32_t* subkeys, std::uint32_t* max_subkey_len) {
  std::string base;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  const auto children = sim::Children(base);
  std::size_t longest = 0;
  for (const std::string& child : children) longest = std::max(longest, child.size());
  *subkeys = static_cast<std::uint32_t>(children.size());
  *max_subkey_len = static_cast<std::uint32_t>(longest);
  return sim::kSuccess;
}

long RegEnumKeyEx(Hkey key, std::uint32_t index, char* name, std::uint32_t* name_len) {
  std::string base;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  const auto children = sim::Children(base);
  if (index >= children.size()) return sim::kNoMoreItems;
  const std::string& child = children[index];
  if (child.size() >= *name_len) return sim::kMoreData;
  std::memcpy(name, child.c_str(), child.size() + 1);
  *name_len = static_cast<std::uint32_t>(child.size());
  return sim::kSuccess;
}

long RegDeleteKey(Hkey key, const char* path) {
  std::string base, name;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  if (const long rc = sim::Join(base, path ? path : "", &name)) return rc;
  if (sim::IsRootName(name)) return sim::kAccessDenied;
  if (!g_registry.keys.count(name)) return sim::kFileNotFound;
  if (g_registry.deny.count(name) || !sim::Children(name).empty()) return sim::kAccessDenied;
  g_registry.keys.erase(name);
  g_registry.log.push_back("delete " + name);
  return sim::kSuccess;
}

long RegFlushKey(Hkey key) {
  std::string base;
  if (const long rc = sim::Resolve(key, &base)) return rc;
  g_registry.log.push_back("flush " + base);
  return sim::kSuccess;
}

long RegCloseKey(Hkey key) {
  if (sim::RootName(key)) return sim::kSuccess;
  const auto open = g_handles.find(key);
  if (open == g_handles.end()) return sim::kInvalidHandle;
  g_registry.log.push_back("close " + open->second.name);
  g_handles.erase(open);
  --g_registry.open_handles;
  return sim::kSuccess;
}

}  // namespace plat
