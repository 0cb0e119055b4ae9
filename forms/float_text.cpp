#include "forms/float_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace qrvl::forms {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the 80-bit extended type is needed to format extended values exactly");

template <class T>
std::string_view Finish(T value, char* out) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char* end = std::to_chars(out, out + kFloatTextSize - 3, value).ptr;
  bool has_point = false;
  for (char* p = out; p != end; ++p) {
    if (*p == 'e') *p = 'E';
    if (*p == '.' || *p == 'E') has_point = true;
  }
  if (!has_point) {
    std::memcpy(end, ".0", 2);
    end += 2;
  }
  return std::string_view(out, static_cast<std::size_t>(end - out));
}

}  // namespace

std::string_view ExtendedText(const unsigned char bytes[10], char* out) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = mantissa << 8 | bytes[i];
  const int sign_exponent = bytes[8] | bytes[9] << 8;
  const int exponent = sign_exponent & 0x7FFF;
  const bool negative = sign_exponent & 0x8000;
  long double value;
  if (exponent == 0x7FFF) {
    // Infinity when the fraction below the integer bit is zero, else NaN.
    value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                 : std::numeric_limits<long double>::quiet_NaN();
  } else {
    // The value the bits stand for, also for encodings the FPU would refuse
    // (unnormals, pseudo-denormals): mantissa * 2^(exponent - bias - 63).
    value =
        std::ldexp(static_cast<long double>(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
  }
  return Finish(negative ? -value : value, out);
}

std::string_view DoubleText(std::uint64_t bits, char* out) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return Finish(value, out);
}

std::string_view SingleText(std::uint32_t bits, char* out) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return Finish(value, out);
}

}  // namespace qrvl::forms
