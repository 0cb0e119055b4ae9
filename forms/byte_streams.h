// Byte sources and sinks that the form converter streams through, and the
// error that ends a conversion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace qrvl::forms {

// A malformed form, a short read, or a failed write: the conversion stops here.
class FormError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Copies up to n bytes into buffer; answers 0 at the end. Throws FormError on failure.
  virtual std::size_t Read(unsigned char* buffer, std::size_t n) = 0;
  // Total size in bytes when known, so that lengths can be checked before reading.
  virtual std::uint64_t Size() const { return UINT64_MAX; }
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all n bytes or throws FormError.
  virtual void Write(const char* data, std::size_t n) = 0;
};

// A source over bytes in memory (tests, fuzzing).
class MemorySource : public ByteSource {
 public:
  MemorySource(const void* data, std::size_t size)
      : data_(static_cast<const unsigned char*>(data)), size_(size) {}
  std::size_t Read(unsigned char* buffer, std::size_t n) override;
  std::uint64_t Size() const override { return size_; }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// A sink that appends to a string.
class StringSink : public ByteSink {
 public:
  void Write(const char* data, std::size_t n) override { text.append(data, n); }
  std::string text;
};

}  // namespace qrvl::forms
