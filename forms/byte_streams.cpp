#include "forms/byte_streams.h"

#include <algorithm>
#include <cstring>

namespace qrvl::forms {

std::size_t MemorySource::Read(unsigned char* buffer, std::size_t n) {
  const std::size_t take = std::min(n, size_ - at_);
  if (take) std::memcpy(buffer, data_ + at_, take);
  at_ += take;
  return take;
}

}  // namespace qrvl::forms
