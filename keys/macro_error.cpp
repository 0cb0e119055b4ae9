#include "keys/macro_error.h"

#include "platform/platform.h"

namespace qrvl {

void ShowMacroError(const char* text) {
  plat::MessageBox(nullptr, text, "Quarvel", plat::kMbOk);
}

}  // namespace qrvl
