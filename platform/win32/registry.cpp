// The registry, through the ANSI functions.
#include "platform/win32/win32.h"

namespace plat {

namespace {
// Predefined roots arrive as 32-bit values (0x80000000 and up); 64-bit Windows
// spells them sign-extended.
HKEY K(Hkey key) {
  if (key >= 0x80000000u && key <= 0xFFFFFFFFu)
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(key)));
  return reinterpret_cast<HKEY>(key);
}
}  // namespace

long RegOpenKeyEx(Hkey key, const char* path, std::uint32_t options, std::uint32_t access,
                  Hkey* result) {
  HKEY opened = nullptr;
  const LONG rc = ::RegOpenKeyExA(K(key), path, options, access, &opened);
  *result = reinterpret_cast<Hkey>(opened);
  return rc;
}

long RegCreateKeyEx(Hkey key, const char* path, std::uint32_t access, Hkey* result) {
  HKEY created = nullptr;
  const LONG rc = ::RegCreateKeyExA(K(key), path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                    nullptr, &created, nullptr);
  *result = reinterpret_cast<Hkey>(created);
  return rc;
}

long RegSetValueEx(Hkey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                   std::uint32_t size) {
  return ::RegSetValueExA(K(key), name, 0, type, data, size);
}

long RegQueryValueEx(Hkey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) {
  DWORD t = 0, s = size ? *size : 0;
  const LONG rc = ::RegQueryValueExA(K(key), name, nullptr, &t, data, size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long RegDeleteValue(Hkey key, const char* name) {
  return ::RegDeleteValueA(K(key), name);
}

long RegQueryInfoKey(Hkey key, std::uint32_t* subkeys, std::uint32_t* max_subkey_len) {
  DWORD n = 0, longest = 0;
  const LONG rc = ::RegQueryInfoKeyA(K(key), nullptr, nullptr, nullptr, &n, &longest, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr);
  *subkeys = n;
  *max_subkey_len = longest;
  return rc;
}

long RegEnumKeyEx(Hkey key, std::uint32_t index, char* name, std::uint32_t* name_len) {
  DWORD len = *name_len;
  const LONG rc = ::RegEnumKeyExA(K(key), index, name, &len, nullptr, nullptr, nullptr, nullptr);
  *name_len = len;
  return rc;
}

long RegDeleteKey(Hkey key, const char* path) {
  return ::RegDeleteKeyA(K(key), path);
}

long RegFlushKey(Hkey key) {
  return ::RegFlushKey(K(key));
}

long RegCloseKey(Hkey key) {
  return ::RegCloseKey(K(key));
}

}  // namespace plat
