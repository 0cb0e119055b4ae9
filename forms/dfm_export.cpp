// D2DFMtoText. Not built yet: every call answers 0.
#include "include/qrvide32.h"

extern "C" int32_t QRVL_STDCALL D2DFMtoText(const unsigned char*, const unsigned char*) {
  return 0;
}
