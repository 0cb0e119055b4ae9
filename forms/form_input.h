// Buffered reading of a binary form: bytes, little-endian numbers, short
// strings, and long runs handed on in pieces, so nothing the file announces is
// ever allocated.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "forms/byte_streams.h"

namespace qrvl::forms {

class FormInput {
 public:
  explicit FormInput(ByteSource& source);

  std::uint8_t Byte() {
    if (at_ == end_) Fill();
    return buffer_[at_++];
  }
  std::uint8_t Peek() {
    if (at_ == end_) Fill();
    return buffer_[at_];
  }
  void Read(void* out, std::size_t n);
  std::uint16_t U16();
  std::uint32_t U32();
  std::uint64_t U64();
  // A length byte and that many characters; valid until the next read.
  std::string_view ShortString();

  // Fails unless n more bytes can be there (when the source knows its size).
  void Expect(std::uint64_t n) const;
  // Hands the next n bytes to take(const unsigned char*, size_t) in pieces.
  template <class F>
  void Stream(std::uint64_t n, F&& take) {
    Expect(n);
    Pieces(n, take);
  }

 private:
  template <class F>
  void Pieces(std::uint64_t n, F&& take) {
    while (n > 0) {
      if (at_ == end_) Fill();
      const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(n, end_ - at_));
      take(buffer_.get() + at_, piece);
      at_ += piece;
      n -= piece;
    }
  }
  void Fill();  // throws FormError at the end of the source

  static constexpr std::size_t kBufferSize = 1 << 16;
  ByteSource& source_;
  std::uint64_t size_;  // of the source, UINT64_MAX when unknown
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t at_ = 0, end_ = 0;
  std::uint64_t consumed_ = 0;  // bytes taken from the source before the buffer
  char short_[256];
};

}  // namespace qrvl::forms
