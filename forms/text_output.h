// Buffered text output with CR LF line ends and two spaces of indentation per
// level.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "forms/byte_streams.h"

namespace qrvl::forms {

class TextOutput {
 public:
  explicit TextOutput(ByteSink& sink);

  void Put(char c) {
    if (used_ == kBufferSize) Flush();
    buffer_[used_++] = c;
  }
  void Put(const char* data, std::size_t n) {
    if (n > kBufferSize - used_) return PutLong(data, n);
    std::memcpy(buffer_.get() + used_, data, n);
    used_ += n;
  }
  void Put(std::string_view text) { Put(text.data(), text.size()); }
  void PutInt(std::int64_t value);
  void LineEnd() { Put("\r\n", 2); }
  void Indent(int level);
  void NewLine(int level) {
    LineEnd();
    Indent(level);
  }
  // Hands everything buffered to the sink.
  void Flush();

 private:
  void PutLong(const char* data, std::size_t n);

  static constexpr std::size_t kBufferSize = 1 << 16;
  ByteSink& sink_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace qrvl::forms
