#include "forms/text_output.h"

#include <algorithm>
#include <charconv>

namespace qrvl::forms {

TextOutput::TextOutput(ByteSink& sink) : sink_(sink), buffer_(new char[kBufferSize]) {}

void TextOutput::Flush() {
  if (used_) sink_.Write(buffer_.get(), used_);
  used_ = 0;
}

void TextOutput::PutLong(const char* data, std::size_t n) {
  while (n > 0) {
    if (used_ == kBufferSize) Flush();
    const std::size_t piece = std::min(n, kBufferSize - used_);
    std::memcpy(buffer_.get() + used_, data, piece);
    used_ += piece;
    data += piece;
    n -= piece;
  }
}

void TextOutput::PutInt(std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  Put(digits, static_cast<std::size_t>(end - digits));
}

void TextOutput::Indent(int level) {
  static const char kSpaces[] = "                                                                ";
  std::size_t n = static_cast<std::size_t>(level) * 2;
  while (n > 0) {
    const std::size_t piece = std::min(n, sizeof kSpaces - 1);
    Put(kSpaces, piece);
    n -= piece;
  }
}

}  // namespace qrvl::forms
