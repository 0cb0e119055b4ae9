// libFuzzer target: the form converter on arbitrary bytes must answer, never
// crash, hang or run out of memory, and must not depend on how the input
// arrives: read whole or in small pieces of unknown total size, a form that
// converts gives the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "forms/byte_streams.h"
#include "forms/form_to_text.h"

namespace {

// Keeps a hash and the length of the text instead of the text.
class HashSink : public qrvl::forms::ByteSink {
 public:
  void Write(const char* data, std::size_t n) override {
    for (std::size_t i = 0; i < n; ++i)
      hash = (hash ^ static_cast<unsigned char>(data[i])) * 0x100000001B3ull;
    size += n;
  }
  std::uint64_t hash = 0xCBF29CE484222325ull;
  std::size_t size = 0;
};

// Serves the input in pieces of 1 to 7 bytes and does not tell its size.
class PieceSource : public qrvl::forms::ByteSource {
 public:
  PieceSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Read(unsigned char* buffer, std::size_t n) override {
    std::size_t take = 1 + (at_ * 7919) % 7;
    if (take > n) take = n;
    if (take > size_ - at_) take = size_ - at_;
    for (std::size_t i = 0; i < take; ++i) buffer[i] = data_[at_ + i];
    at_ += take;
    return take;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

bool Convert(qrvl::forms::ByteSource& in, HashSink& out) {
  try {
    qrvl::forms::FormToText(in, out);
    return true;
  } catch (const qrvl::forms::FormError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qrvl::forms::MemorySource whole(data, size);
  HashSink whole_text;
  const bool converted = Convert(whole, whole_text);
  PieceSource pieces(data, size);
  HashSink pieces_text;
  const bool converted_in_pieces = Convert(pieces, pieces_text);
  if (converted != converted_in_pieces) std::abort();
  if (converted && (whole_text.hash != pieces_text.hash || whole_text.size != pieces_text.size))
    std::abort();
  return 0;
}
