// Byte source and sink over plain files opened through the platform seam.
#pragma once

#include "forms/byte_streams.h"
#include "platform/platform.h"

namespace qrvl::forms {

class FileSource : public ByteSource {
 public:
  explicit FileSource(plat::File file);
  std::size_t Read(unsigned char* buffer, std::size_t n) override;
  std::uint64_t Size() const override { return size_; }

 private:
  plat::File file_;
  std::uint64_t size_;
};

class FileSink : public ByteSink {
 public:
  explicit FileSink(plat::File file) : file_(file) {}
  void Write(const char* data, std::size_t n) override;

 private:
  plat::File file_;
};

}  // namespace qrvl::forms
