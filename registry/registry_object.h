// The registry object that each registry export works with for one call: a
// root key, at most one open key, and the lazy-write flag.
#pragma once

#include <string>

#include "platform/platform.h"

namespace qrvl {

constexpr plat::Hkey kHkeyCurrentUser = 0x80000001u;

class TRegistry {
 public:
  TRegistry() = default;
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens Path below RootKey as the current key; with create, missing keys are
  // created (an empty path opens RootKey itself). One leading backslash is dropped.
  bool OpenKey(std::string path, bool create);
  // Closes the current key; with LazyWrite off it is flushed first.
  void CloseKey();

  bool ValueExists(const std::string& name);
  // Stores Value as REG_SZ: its characters and one zero byte.
  bool WriteString(const std::string& name, const std::string& value);
  bool DeleteValue(const std::string& name);
  // Reads a REG_SZ or REG_EXPAND_SZ value (unexpanded) up to its first zero
  // byte; a value of size 0 reads as empty whatever its type. False for a
  // missing value, another type, or a value that grew between the queries.
  bool ReadString(const std::string& name, std::string* text);
  // Deletes Path below RootKey with all its subkeys; true when Path itself
  // was deleted. A path that names RootKey itself is refused.
  bool DeleteKey(const std::string& path);

  plat::Hkey RootKey = kHkeyCurrentUser;
  plat::Hkey CurrentKey = 0;  // 0: none open
  bool LazyWrite = true;
};

}  // namespace qrvl
