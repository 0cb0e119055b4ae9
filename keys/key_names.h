// The key names allowed between braces.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qrvl {

struct KeyName {
  const char* name;  // upper case
  std::uint8_t vk;
};

// In ascending byte order of the names, for the search by halving.
extern const std::array<KeyName, 41> KeyNameTable;

// The key code (shift state 0) of an upper-cased name; shows "Invalid Key Name"
// and answers kNoKey when no row has exactly that name.
std::uint16_t LookupKeyName(const std::string& name);

}  // namespace qrvl
