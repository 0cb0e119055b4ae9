#include "forms/file_streams.h"

namespace qrvl::forms {

FileSource::FileSource(plat::File file) : file_(file) {
  const std::int64_t size = plat::FileSize(file);
  size_ = size < 0 ? UINT64_MAX : static_cast<std::uint64_t>(size);
}

std::size_t FileSource::Read(unsigned char* buffer, std::size_t n) {
  const std::int32_t got = plat::FileRead(file_, buffer, static_cast<std::uint32_t>(n));
  if (got < 0) throw FormError("the input file cannot be read");
  return static_cast<std::size_t>(got);
}

void FileSink::Write(const char* data, std::size_t n) {
  if (!plat::FileWrite(file_, data, static_cast<std::uint32_t>(n)))
    throw FormError("the output file cannot be written");
}

}  // namespace qrvl::forms
