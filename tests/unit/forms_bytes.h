// Binary forms written byte by byte for the form converter's tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

namespace forms_test {

// Value type codes of the binary component stream.
enum : std::uint8_t {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaDouble
};

struct Bytes {
  std::string b;

  Bytes& U8(unsigned v) { return b.push_back(static_cast<char>(v)), *this; }
  Bytes& U16(unsigned v) { return U8(v & 0xFF).U8(v >> 8 & 0xFF); }
  Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Bytes& U64(std::uint64_t v) { return U32(static_cast<std::uint32_t>(v)).U32(v >> 32); }
  Bytes& Raw(const std::string& s) { return b += s, *this; }
  Bytes& Raw(std::initializer_list<int> list) {
    for (int v : list) U8(static_cast<unsigned>(v));
    return *this;
  }
  Bytes& Str(const std::string& s) { return U8(static_cast<unsigned>(s.size())).Raw(s); }
  // The resource header and the signature.
  Bytes& Header() {
    return U8(0xFF).U16(10).Raw(std::string("TFORM1", 7)).U16(0x1030).U32(0).Raw("TPF0");
  }
  // An object's class and name (a prefix byte first when flags are given).
  Bytes& Object(const std::string& cls, const std::string& name) { return Str(cls).Str(name); }
  Bytes& Prop(const std::string& name) { return Str(name); }
  Bytes& End() { return U8(0); }
};

// A form of one object TForm1 named Form1 holding property P with the given value bytes.
inline std::string OneProperty(const std::string& value) {
  return Bytes().Header().Object("TForm1", "Form1").Prop("P").Raw(value).End().End().b;
}

}  // namespace forms_test
