// Floating-point values as text: the shortest digits that read back as the same
// value, "." as the separator and "E" before an exponent, whatever the locale.
// Nothing process-wide is read or changed.
#pragma once

#include <cstdint>
#include <string_view>

namespace qrvl::forms {

// Room for any of the texts below.
constexpr int kFloatTextSize = 48;

// Each writes into out and answers the text. A value with neither "." nor an
// exponent gets ".0" so that it reads back as a float, not an integer.
// Infinities and NaNs come out as "INF", "-INF" and "NAN".
std::string_view ExtendedText(const unsigned char bytes[10], char* out);  // 80-bit, little-endian
std::string_view DoubleText(std::uint64_t bits, char* out);
std::string_view SingleText(std::uint32_t bits, char* out);

}  // namespace qrvl::forms
