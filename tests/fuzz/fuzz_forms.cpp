// libFuzzer target: the form converter on arbitrary bytes must answer, never
// crash, hang or run out of memory.
#include <cstddef>
#include <cstdint>

#include "forms/byte_streams.h"
#include "forms/form_to_text.h"

namespace {

// Counts the text without keeping it, so long outputs cost no memory.
class CountingSink : public qrvl::forms::ByteSink {
 public:
  void Write(const char*, std::size_t n) override { size += n; }
  std::size_t size = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qrvl::forms::MemorySource in(data, size);
  CountingSink out;
  try {
    qrvl::forms::FormToText(in, out);
  } catch (const qrvl::forms::FormError&) {
  }
  return 0;
}
