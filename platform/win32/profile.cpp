// Profile strings of initialization files.
#include "platform/win32/win32.h"

namespace plat {

std::uint32_t GetPrivateProfileString(const char* section, const char* key, const char* def,
                                      char* buffer, std::uint32_t size, const char* file) {
  return ::GetPrivateProfileStringA(section, key, def, buffer, size, file);
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file) {
  return ::WritePrivateProfileStringA(section, key, value, file) != 0;
}

}  // namespace plat
