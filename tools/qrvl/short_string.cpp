#include "library.h"

namespace qrvl_tool {

std::string ShortString(const std::string& text) {
  const std::size_t n = text.size() < 255 ? text.size() : 255;
  return std::string(1, static_cast<char>(n)) + text.substr(0, n);
}

}  // namespace qrvl_tool
