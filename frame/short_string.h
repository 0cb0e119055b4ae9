// Texts handed to the registry exports, which take short strings: a length
// byte and at most 255 characters, so longer texts are cut to their first 255.
#pragma once

#include <cstring>
#include <string>

namespace qrvl {

class ShortString {
 public:
  explicit ShortString(const std::string& text) {
    const std::size_t n = text.size() < 255 ? text.size() : 255;
    bytes_[0] = static_cast<unsigned char>(n);
    std::memcpy(bytes_ + 1, text.data(), n);
  }
  operator const unsigned char*() const { return bytes_; }

 private:
  unsigned char bytes_[256];
};

}  // namespace qrvl
