// A string value as text, fed in pieces: runs of printable characters in single
// quotes (a quote doubled), every other character as #n with its code, cut into
// parts of at most 64 characters joined by " +" at the end of a line. Further
// parts go on lines one level deeper than the value; a string of more than 64
// characters after a property name starts on the line after it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "forms/text_output.h"

namespace qrvl::forms {

class StringText {
 public:
  // after_name: the string follows "Name =" (a space or, for a long string, a
  // line end comes first); else it starts where the line is (a list item).
  StringText(TextOutput& out, int level, bool after_name)
      : out_(out), level_(level), after_name_(after_name) {}

  // Single-byte characters.
  void Bytes(const unsigned char* p, std::size_t n);
  // One character code (a byte, a UTF-16 unit).
  void Unit(std::uint32_t unit);
  // Ends the string (writes '' for an empty one).
  void Finish();

  static constexpr std::size_t kPartLength = 64;

 private:
  void Decide();  // places the first part once the length is known to be > 64 or final
  void Emit(std::uint32_t unit);
  void BeginUnit();
  void CloseQuote() {
    if (quoted_) out_.Put('\'');
    quoted_ = false;
  }

  TextOutput& out_;
  int level_;
  bool after_name_;
  bool decided_ = false;
  bool quoted_ = false;
  std::size_t in_part_ = 0;  // characters in the current part
  std::size_t total_ = 0;
  // The first characters wait until it is known whether the string is longer
  // than one part.
  std::uint32_t pending_[kPartLength + 1];
  std::size_t pending_count_ = 0;
};

// Decodes UTF-8 into UTF-16 units for StringText; malformed bytes become U+FFFD.
class Utf8Decoder {
 public:
  explicit Utf8Decoder(StringText& text) : text_(text) {}
  void Bytes(const unsigned char* p, std::size_t n);
  void Finish();

 private:
  void CodePoint(std::uint32_t c);
  StringText& text_;
  std::uint32_t code_ = 0, min_ = 0;
  int needed_ = 0;
};

}  // namespace qrvl::forms
