// The registry exports: RegistryKeyExists, AddRegistryKey, DeleteRegistryKey and
// GetRegistryKey. Each works with a registry object of its own for one call,
// closes every key it opened and answers exactly 0 or 1.
#include <algorithm>
#include <string>

#include "frame/globals.h"
#include "frame/host_error.h"
#include "frame/text.h"
#include "include/qrvide32.h"
#include "registry/install_log.h"
#include "registry/registry_object.h"

using namespace qrvl;

namespace {
// A text with a zero byte cannot reach the ANSI registry functions whole; it
// would name another key or value than the caller's.
bool Passable(const std::string& text) {
  return text.find('\0') == std::string::npos;
}

void SetRoot(TRegistry& registry, QRVL_HKEY root) {
  if (root != 0) registry.RootKey = root;
}
}  // namespace

extern "C" {

int32_t QRVL_STDCALL RegistryKeyExists(QRVL_HKEY root, const unsigned char* key,
                                       const unsigned char* value_name) {
  return AtBoundary<int32_t>(0, [&] {
    const std::string path = FromShortString(key), name = FromShortString(value_name);
    if (!Passable(path) || !Passable(name)) return 0;
    TRegistry registry;
    SetRoot(registry, root);
    if (!registry.OpenKey(path, false)) return 0;
    return name.empty() || registry.ValueExists(name) ? 1 : 0;
  });
}

int32_t QRVL_STDCALL AddRegistryKey(QRVL_HKEY root, const unsigned char* key,
                                    const unsigned char* value_name, const unsigned char* value,
                                    int32_t tree_entry) {
  return AtBoundary<int32_t>(0, [&] {
    const std::string path = FromShortString(key), name = FromShortString(value_name);
    const std::string text = FromShortString(value);
    if (!Passable(path) || !Passable(name)) return 0;
    bool written = false;
    {
      TRegistry registry;
      registry.LazyWrite = false;
      SetRoot(registry, root);
      written = registry.OpenKey(path, true) && registry.WriteString(name, text);
    }  // flushed and closed before the log is touched
    if (!written) return 0;
    // Errors of the log reach the host: the value is written by now.
    TInstallLog log(DirectoryPart(globals().ModuleFileName) + "INSTALL.LOG");
    if (tree_entry != 0)
      log.AddTreeEntry(root, path, name, text);
    else
      log.AddKeyEntry(root, path, name, text);
    return 1;
  });
}

int32_t QRVL_STDCALL DeleteRegistryKey(QRVL_HKEY root, const unsigned char* key,
                                       const unsigned char* value_name) {
  return AtBoundary<int32_t>(0, [&] {
    const std::string path = FromShortString(key), name = FromShortString(value_name);
    if (!Passable(path) || !Passable(name)) return 0;
    TRegistry registry;
    registry.LazyWrite = false;
    SetRoot(registry, root);
    if (name.empty()) return registry.DeleteKey(path) ? 1 : 0;
    if (!registry.OpenKey(path, true)) return 0;
    return registry.DeleteValue(name) ? 1 : 0;
  });
}

int32_t QRVL_STDCALL GetRegistryKey(QRVL_HKEY root, const unsigned char* key,
                                    const unsigned char* value_name, unsigned char* buffer,
                                    uint32_t buffer_size) {
  buffer[0] = 0;
  // An 8-bit count in a 32-bit argument: only the low byte counts.
  const std::size_t room = buffer_size & 0xFF;
  return AtBoundary<int32_t>(0, [&] {
    const std::string path = FromShortString(key), name = FromShortString(value_name);
    if (!Passable(path) || !Passable(name)) return 0;
    TRegistry registry;
    SetRoot(registry, root);
    if (!registry.OpenKey(path, true) || !registry.ValueExists(name)) return 0;
    std::string text;
    if (!registry.ReadString(name, &text)) return 0;
    const std::size_t length = std::min<std::size_t>(std::min<std::size_t>(text.size(), 255), room);
    buffer[0] = static_cast<unsigned char>(length);
    text.copy(reinterpret_cast<char*>(buffer + 1), length);
    return 1;
  });
}

}  // extern "C"
