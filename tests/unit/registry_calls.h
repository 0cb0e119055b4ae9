// Calls of the registry exports with short strings built from std::string, and
// a guarded answer buffer that tells whether GetRegistryKey wrote past it.
#pragma once

#include <string>
#include <vector>

#include "sim_fixture.h"

namespace regtest {

constexpr QRVL_HKEY kHkcr = QRVL_HKEY_CLASSES_ROOT;
constexpr QRVL_HKEY kHkcu = QRVL_HKEY_CURRENT_USER;
constexpr QRVL_HKEY kHklm = QRVL_HKEY_LOCAL_MACHINE;
constexpr QRVL_HKEY kHku = QRVL_HKEY_USERS;

// A short string: the length byte, then the characters (at most 255).
inline std::string Ss(const std::string& text) {
  return std::string(1, static_cast<char>(text.size())) + text;
}
inline const unsigned char* U(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

inline int Exists(QRVL_HKEY root, const std::string& key, const std::string& name) {
  return RegistryKeyExists(root, U(Ss(key)), U(Ss(name)));
}
inline int Add(QRVL_HKEY root, const std::string& key, const std::string& name,
               const std::string& value, int tree = 0) {
  return AddRegistryKey(root, U(Ss(key)), U(Ss(name)), U(Ss(value)), tree);
}
inline int Delete(QRVL_HKEY root, const std::string& key, const std::string& name) {
  return DeleteRegistryKey(root, U(Ss(key)), U(Ss(name)));
}

struct Read {
  int answer;
  std::string text;
  bool overrun;  // a byte past BufferSize + 1 was written
};
// GetRegistryKey into a buffer of (size & 0xFF) + 1 bytes followed by guard bytes.
inline Read Get(QRVL_HKEY root, const std::string& key, const std::string& name,
                std::uint32_t size = 255) {
  const std::size_t room = (size & 0xFF) + 1;
  std::vector<unsigned char> buffer(room + 64, 0xEE);
  const int answer = GetRegistryKey(root, U(Ss(key)), U(Ss(name)), buffer.data(), size);
  bool overrun = false;
  for (std::size_t i = room; i < buffer.size(); ++i) overrun |= buffer[i] != 0xEE;
  return {answer, std::string(reinterpret_cast<char*>(buffer.data() + 1), buffer[0]), overrun};
}

// A REG_SZ value's bytes: the text and its zero.
inline std::string Sz(const std::string& text) {
  return text + '\0';
}

}  // namespace regtest
