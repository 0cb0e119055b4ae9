#include "registry/log_reader.h"

#include "frame/host_error.h"

namespace qrvl {

namespace {
constexpr int kCtrlZ = 0x1A;
constexpr std::size_t kChunk = 64 * 1024;
}  // namespace

LogReader::LogReader(plat::File file, std::string error)
    : file_(file), error_(std::move(error)), buffer_(kChunk) {}

int LogReader::Peek() {
  if (position_ == length_ && !end_) {
    const std::int32_t got = plat::FileRead(file_, buffer_.data(), kChunk);
    if (got < 0) throw HostError(error_);
    position_ = 0;
    length_ = static_cast<std::size_t>(got);
    end_ = got == 0;
  }
  if (end_) return -1;
  const int byte = static_cast<unsigned char>(buffer_[position_]);
  return byte == kCtrlZ ? -1 : byte;
}

std::string LogReader::ReadLine() {
  std::string line;
  int byte;
  while ((byte = Peek()) >= 0 && byte != '\r') {
    // Take the run of ordinary bytes up to the next CR or Ctrl-Z at once.
    std::size_t end = position_;
    while (end < length_ && buffer_[end] != '\r' && buffer_[end] != kCtrlZ) ++end;
    line.append(buffer_.data() + position_, end - position_);
    position_ = end;
  }
  if (byte == '\r') {
    ++position_;
    if (Peek() == '\n') ++position_;
  }
  return line;
}

}  // namespace qrvl
