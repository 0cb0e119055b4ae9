// Text helpers shared by every subsystem: paths, letter case, short strings and
// the platform's text-to-integer conversion.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qrvl {

// Everything up to and including the last backslash or colon; empty when the
// path holds neither.
std::string DirectoryPart(const std::string& path);

// Upper-cases the letters a to z only; every other byte stays as it is.
std::string UpperAZ(std::string text);

// Equal in length and in every byte, ignoring the case of a to z only.
bool EqualsIgnoreCaseAZ(const std::string& a, const std::string& b);

// The platform's conversion of a text to a 32-bit signed integer: leading
// spaces, then either "$" and hexadecimal digits, or an optional sign and
// decimal digits, and nothing after. Empty when the text does not convert.
std::optional<std::int32_t> StrToInt(const std::string& text);

// A short string: one length byte followed by that many characters.
std::string FromShortString(const unsigned char* s);

}  // namespace qrvl
