// The sender's own message box for mistakes in a macro.
#pragma once

namespace qrvl {

// An OK-only box captioned "Quarvel" with no owner window; modal.
void ShowMacroError(const char* text);

}  // namespace qrvl
