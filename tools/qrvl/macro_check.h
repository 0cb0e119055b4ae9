// Checking a keystroke macro without sending it: the sender's own reading of
// the text on the simulated US layout, noting every place where it would show
// a box, stop, raise an error, drop text or press a key the writer hardly meant.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qrvl_tool {

struct Finding {
  std::size_t offset;  // 0-based, in the macro as written
  std::string message;
};

enum class MacroRole { kOpen, kGoto };

// The macro as the driver reads it from the settings file. Its first marker is
// replaced by a sample (a quoted file name, a line number) the way the driver
// replaces it, and the result is read as the sender reads it; offsets point
// into the written macro (a replaced marker at its "#"). An empty macro sends
// nothing and has no findings.
std::vector<Finding> CheckMacro(const std::string& macro, MacroRole role);

}  // namespace qrvl_tool
