#include "forms/string_text.h"

#include <algorithm>

namespace qrvl::forms {

namespace {
bool Printable(std::uint32_t c) {
  return c >= 32 && c < 127;
}
}  // namespace

void StringText::Unit(std::uint32_t unit) {
  ++total_;
  if (!decided_) {
    pending_[pending_count_++] = unit;
    if (pending_count_ > kPartLength) Decide();
    return;
  }
  Emit(unit);
}

void StringText::Bytes(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
  while (i < n && !decided_) Unit(p[i++]);
  while (i < n) {
    const unsigned char c = p[i];
    if (!Printable(c) || c == '\'' || in_part_ == kPartLength) {
      Emit(c);
      ++total_;
      ++i;
      continue;
    }
    // A run of plain printable characters, up to the end of the part.
    std::size_t j = i + 1;
    const std::size_t limit = i + std::min(n - i, kPartLength - in_part_);
    while (j < limit && Printable(p[j]) && p[j] != '\'') ++j;
    if (!quoted_) out_.Put('\'');
    quoted_ = true;
    out_.Put(reinterpret_cast<const char*>(p + i), j - i);
    in_part_ += j - i;
    total_ += j - i;
    i = j;
  }
}

void StringText::Decide() {
  decided_ = true;
  if (after_name_) {
    if (total_ > kPartLength)
      out_.NewLine(level_ + 1);
    else
      out_.Put(' ');
  }
  for (std::size_t i = 0; i < pending_count_; ++i) Emit(pending_[i]);
  pending_count_ = 0;
}

void StringText::BeginUnit() {
  if (in_part_ < kPartLength) return;
  CloseQuote();
  out_.Put(" +", 2);
  out_.NewLine(level_ + 1);
  in_part_ = 0;
}

void StringText::Emit(std::uint32_t unit) {
  BeginUnit();
  if (Printable(unit)) {
    if (!quoted_) out_.Put('\'');
    quoted_ = true;
    out_.Put(static_cast<char>(unit));
    if (unit == '\'') out_.Put('\'');
  } else {
    CloseQuote();
    out_.Put('#');
    out_.PutInt(unit);
  }
  ++in_part_;
}

void StringText::Finish() {
  if (!decided_) Decide();
  if (total_ == 0) out_.Put("''", 2);
  CloseQuote();
}

void Utf8Decoder::CodePoint(std::uint32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    text_.Unit(0xD800 + (c >> 10));
    text_.Unit(0xDC00 + (c & 0x3FF));
  } else {
    text_.Unit(c);
  }
}

void Utf8Decoder::Bytes(const unsigned char* p, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char b = p[i];
    if (needed_ > 0) {
      if ((b & 0xC0) == 0x80) {
        code_ = code_ << 6 | (b & 0x3F);
        if (--needed_ == 0) {
          const bool bad = code_ < min_ || code_ > 0x10FFFF || (code_ >= 0xD800 && code_ < 0xE000);
          CodePoint(bad ? 0xFFFD : code_);
        }
        continue;
      }
      needed_ = 0;  // sequence cut short: mark it and read b afresh
      CodePoint(0xFFFD);
    }
    if (b < 0x80) {
      text_.Unit(b);
    } else if ((b & 0xE0) == 0xC0) {
      code_ = b & 0x1F, min_ = 0x80, needed_ = 1;
    } else if ((b & 0xF0) == 0xE0) {
      code_ = b & 0x0F, min_ = 0x800, needed_ = 2;
    } else if ((b & 0xF8) == 0xF0) {
      code_ = b & 0x07, min_ = 0x10000, needed_ = 3;
    } else {
      CodePoint(0xFFFD);
    }
  }
}

void Utf8Decoder::Finish() {
  if (needed_ > 0) CodePoint(0xFFFD);
  needed_ = 0;
}

}  // namespace qrvl::forms
