// Checking a settings file: every problem that the editor profiles in its
// section "Editors" would meet at run time, found without sending anything.
#pragma once

#include <string>
#include <vector>

namespace qrvl_tool {

struct Problem {
  int line;    // 1-based
  int column;  // 1-based, in the line as written
  std::string message;
};

// The file's bytes, read by the rules of the profile-string functions:
// case-insensitive section and key names, values trimmed of blanks and of one
// pair of enclosing double quotes, the first of two equal keys wins, lines
// without "=" and lines starting with ";" are not keys. Sorted by place.
std::vector<Problem> CheckSettings(const std::string& bytes);

}  // namespace qrvl_tool
