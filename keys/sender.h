// The keystroke sender: types a macro into whichever window has the focus.
#pragma once

namespace qrvl {

// Sends the macro as keyboard events, one key-down or key-up at a time. With
// wait, the calling thread's keyboard messages are drained after every event.
// Answers false for the empty text and for a brace form without its closing
// brace; throws HostError for a repeat count that is not a whole number.
bool SendKeystrokeMacro(const char* text, bool wait);

}  // namespace qrvl
