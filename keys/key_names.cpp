#include "keys/key_names.h"

#include <algorithm>

#include "keys/key_codes.h"
#include "keys/macro_error.h"

namespace qrvl {

const std::array<KeyName, 41> KeyNameTable = {{
    {"BACKSPACE", 8}, {"BKSP", 8},   {"BREAK", 3},   {"BS", 8},           {"CAPSLOCK", 20},
    {"CLEAR", 12},    {"DEL", 46},   {"DELETE", 46}, {"DOWN", 40},        {"END", 35},
    {"ENTER", 13},    {"ESC", 27},   {"ESCAPE", 27}, {"F1", 112},         {"F10", 121},
    {"F11", 122},     {"F12", 123},  {"F13", 124},   {"F14", 125},        {"F15", 126},
    {"F16", 127},     {"F2", 113},   {"F3", 114},    {"F4", 115},         {"F5", 116},
    {"F6", 117},      {"F7", 118},   {"F8", 119},    {"F9", 120},         {"HELP", 47},
    {"HOME", 36},     {"INS", 45},   {"LEFT", 37},   {"NUMLOCK", 144},    {"PGDN", 34},
    {"PGUP", 33},     {"PRTSC", 42}, {"RIGHT", 39},  {"SCROLLLOCK", 145}, {"TAB", 9},
    {"UP", 38},
}};

std::uint16_t LookupKeyName(const std::string& name) {
  // std::string compares bytes as unsigned, the order the table is held in.
  const auto row = std::lower_bound(
      KeyNameTable.begin(), KeyNameTable.end(), name,
      [](const KeyName& k, const std::string& n) { return n.compare(k.name) > 0; });
  if (row != KeyNameTable.end() && name == row->name) return row->vk;
  ShowMacroError("Invalid Key Name");
  return kNoKey;
}

}  // namespace qrvl
