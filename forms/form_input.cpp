#include "forms/form_input.h"

#include <cstring>

namespace qrvl::forms {

FormInput::FormInput(ByteSource& source)
    : source_(source), size_(source.Size()), buffer_(new unsigned char[kBufferSize]) {}

void FormInput::Fill() {
  consumed_ += end_;
  at_ = end_ = 0;
  end_ = source_.Read(buffer_.get(), kBufferSize);
  if (end_ == 0) throw FormError("the form ends too early");
}

void FormInput::Read(void* out, std::size_t n) {
  auto* to = static_cast<unsigned char*>(out);
  Pieces(n, [&](const unsigned char* p, std::size_t k) {
    std::memcpy(to, p, k);
    to += k;
  });
}

std::uint16_t FormInput::U16() {
  unsigned char b[2];
  Read(b, 2);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint32_t FormInput::U32() {
  unsigned char b[4];
  Read(b, 4);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::uint64_t FormInput::U64() {
  const std::uint64_t low = U32();
  return low | static_cast<std::uint64_t>(U32()) << 32;
}

std::string_view FormInput::ShortString() {
  const std::size_t n = Byte();
  Read(short_, n);
  return std::string_view(short_, n);
}

void FormInput::Expect(std::uint64_t n) const {
  if (size_ == UINT64_MAX) return;
  const std::uint64_t position = consumed_ + at_;
  if (position > size_ || n > size_ - position)
    throw FormError("a length runs past the end of the form");
}

}  // namespace qrvl::forms
