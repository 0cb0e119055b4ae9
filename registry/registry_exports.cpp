// The registry exports. Not built yet: every call answers 0.
#include "include/qrvide32.h"

extern "C" {
int32_t QRVL_STDCALL RegistryKeyExists(QRVL_HKEY, const unsigned char*, const unsigned char*) {
  return 0;
}
int32_t QRVL_STDCALL AddRegistryKey(QRVL_HKEY, const unsigned char*, const unsigned char*,
                                    const unsigned char*, int32_t) {
  return 0;
}
int32_t QRVL_STDCALL DeleteRegistryKey(QRVL_HKEY, const unsigned char*, const unsigned char*) {
  return 0;
}
int32_t QRVL_STDCALL GetRegistryKey(QRVL_HKEY, const unsigned char*, const unsigned char*,
                                    unsigned char* buffer, uint32_t) {
  buffer[0] = 0;
  return 0;
}
}
