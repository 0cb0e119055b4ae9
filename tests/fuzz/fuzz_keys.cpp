// Fuzzes the keystroke macro language: any text from a settings file must be
// sent without reading past its end, without crashing and in bounded time.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "frame/host_error.h"
#include "keys/sender.h"
#include "platform/sim/sim.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Long enough for every construct and the 20-character name buffer; short
  // enough that counts of 65535 (131070 recorded events each) stay in memory.
  if (size > 128) return 0;
  // Exactly the text and its terminator, so reading past the end is caught.
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  sim::Reset();
  for (bool wait : {true, false}) {
    try {
      qrvl::SendKeystrokeMacro(text.data(), wait);
    } catch (const qrvl::HostError&) {
    }
  }
  return 0;
}
