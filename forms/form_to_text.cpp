// Writer of the text form of a binary form file.
//
// Text layout (CR LF line ends, two spaces of indentation per level):
//
//   object Form1: TForm1            inherited/inline instead of object by the
//     Left = 8                      flags; "TClass" alone for an unnamed object;
//     Caption = 'It''s'#13#10'ok'   " [n]" after the class for a child position
//     Hint =
//       'a string of more than 64 characters is cut into parts of 64 ch' +
//       'aracters, one part a line, one level deeper'
//     Width = 1.5                   floats: shortest exact digits, "." always,
//     Size = 2.5s                   "E" before an exponent, ".0" when integral;
//     Price = 150000c               single ends in "s", date in "d", currency
//     When = 36526.5d               is its scaled 64-bit integer and "c";
//     Ratio = 0.1                   double and extended have no suffix
//     Lines.Strings = (             lists: one item a line, one level deeper,
//       'one'                       ")" ends the last line; () when empty
//       2)
//     Picture.Data = {              binary: 64 hex digits a line, "}" ends the
//       0A0B0C}                     last line; {} when empty
//     Items = <                     collections: item [index] ... end, ">"
//       item                        ends the last line; <> when empty
//         Caption = 'x'
//       end
//       item [3]
//       end>
//     Anchors = [akLeft, akTop]     sets; identifiers, True, False, nil and
//     OnClick = Button1Click        Null as they stand
//     object Button1: TButton
//     end
//   end
//
// Strings: printable ASCII (32 to 126) in quotes, every other code as #n;
// ANSI strings by byte, wide strings by UTF-16 unit, UTF-8 strings decoded to
// UTF-16 units (a malformed sequence as #65533). A list item that is a long
// string starts on the item's own line, its further parts one level deeper.
// Floats that are not finite come out as INF, -INF and NAN. An object's
// child position follows the class as " [n]"; an item index follows "item".
//
// The conversion runs on an explicit stack of open constructs, so no file can
// drive the recursion of this code; nesting beyond kMaxNesting fails.
#include "forms/form_to_text.h"

#include <vector>

#include "forms/float_text.h"
#include "forms/form_input.h"
#include "forms/string_text.h"
#include "forms/text_output.h"

namespace qrvl::forms {

namespace {

enum Value : std::uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kExtended = 5,
  kString = 6,
  kIdent = 7,
  kFalse = 8,
  kTrue = 9,
  kBinary = 10,
  kSet = 11,
  kLString = 12,
  kNil = 13,
  kCollection = 14,
  kSingle = 15,
  kCurrency = 16,
  kDate = 17,
  kWString = 18,
  kInt64 = 19,
  kUtf8String = 20,
  kDouble = 21,
};

enum ObjectFlag : std::uint8_t { kInherited = 1, kChildPos = 2, kInline = 4 };

enum class Kind : std::uint8_t {
  kProperties,  // an object's properties, then
  kChildren,    // its child objects
  kList,
  kCollection,
  kItem,  // a collection item's properties
};

struct Open {
  Kind kind;
  int level;  // indentation of the line the construct starts on
};

class Converter {
 public:
  Converter(ByteSource& in, ByteSink& sink) : in_(in), out_(sink) {}

  void Run() {
    Header();
    stack_.reserve(64);
    StartObject(0);
    while (!stack_.empty()) Step();
    out_.Flush();
  }

  void FlushAfterError() { out_.Flush(); }

 private:
  void Header() {
    if (in_.Byte() != 0xFF) throw FormError("not a binary form (no resource header)");
    if (in_.U16() != 10) throw FormError("the resource is not of type RCDATA");
    while (in_.Byte() != 0) {
    }
    in_.U16();  // flags
    in_.U32();  // size of the data; the component stream itself says where it ends
    char signature[4];
    in_.Read(signature, 4);
    if (std::string_view(signature, 4) != "TPF0") throw FormError("no TPF0 signature");
  }

  void Push(Kind kind, int level) {
    if (stack_.size() >= static_cast<std::size_t>(kMaxNesting))
      throw FormError("the form is nested too deeply");
    stack_.push_back({kind, level});
  }

  std::int64_t Integer(std::uint8_t type) {
    switch (type) {
      case kInt8:
        return static_cast<std::int8_t>(in_.Byte());
      case kInt16:
        return static_cast<std::int16_t>(in_.U16());
      case kInt32:
        return static_cast<std::int32_t>(in_.U32());
      default:
        throw FormError("an integer was expected");
    }
  }

  void StartObject(int level) {
    Push(Kind::kProperties, level);
    std::uint8_t flags = 0;
    std::int64_t position = 0;
    if ((in_.Peek() & 0xF0) == 0xF0) {
      flags = in_.Byte() & 0x0F;
      if (flags & kChildPos) position = Integer(in_.Byte());
    }
    out_.Indent(level);
    out_.Put(flags & kInherited ? "inherited " : flags & kInline ? "inline " : "object ");
    const std::string_view class_name = in_.ShortString();
    char class_copy[256];
    class_name.copy(class_copy, class_name.size());
    const std::string_view name = in_.ShortString();
    if (!name.empty()) {
      out_.Put(name);
      out_.Put(": ", 2);
    }
    out_.Put(class_copy, class_name.size());
    if (flags & kChildPos) {
      out_.Put(" [", 2);
      out_.PutInt(position);
      out_.Put(']');
    }
    out_.LineEnd();
  }

  void Step() {
    const Open top = stack_.back();
    switch (top.kind) {
      case Kind::kProperties:
      case Kind::kItem: {
        const std::string_view name = in_.ShortString();
        if (name.empty()) {
          if (top.kind == Kind::kProperties) {
            stack_.back().kind = Kind::kChildren;
          } else {
            out_.Indent(top.level);
            out_.Put("end", 3);
            stack_.pop_back();
          }
          return;
        }
        out_.Indent(top.level + 1);
        out_.Put(name);
        out_.Put(" =", 2);
        Value(top.level + 1);
        return;
      }
      case Kind::kChildren:
        if (in_.Peek() != 0) return StartObject(top.level + 1);
        in_.Byte();
        out_.Indent(top.level);
        out_.Put("end", 3);
        out_.LineEnd();
        stack_.pop_back();
        return;
      case Kind::kList:
        if (in_.Peek() != 0) {
          out_.NewLine(top.level + 1);
          Value(top.level + 1);
          return;
        }
        in_.Byte();
        out_.Put(')');
        stack_.pop_back();
        ValueDone();
        return;
      case Kind::kCollection: {
        if (in_.Peek() == 0) {
          in_.Byte();
          out_.Put('>');
          stack_.pop_back();
          ValueDone();
          return;
        }
        out_.NewLine(top.level + 1);
        out_.Put("item", 4);
        std::uint8_t type = in_.Byte();
        if (type == kInt8 || type == kInt16 || type == kInt32) {
          out_.Put(" [", 2);
          out_.PutInt(Integer(type));
          out_.Put(']');
          type = in_.Byte();
        }
        if (type != kList) throw FormError("a collection item must be a list");
        out_.LineEnd();
        Push(Kind::kItem, top.level + 1);
        return;
      }
    }
  }

  // After a complete value: a property's line ends, a list item's does not.
  void ValueDone() {
    const Kind kind = stack_.back().kind;
    if (kind == Kind::kProperties || kind == Kind::kItem) out_.LineEnd();
  }

  // One value, starting on a line of the given level after "Name =" or the indentation.
  void Value(int level) {
    // After "Name =" a value is set off by a space (a long string by a line end).
    const bool after_name = stack_.back().kind != Kind::kList;
    const std::uint8_t type = in_.Byte();
    const bool string =
        type == kString || type == kLString || type == kWString || type == kUtf8String;
    if (after_name && !string) out_.Put(' ');
    char text[kFloatTextSize];
    switch (type) {
      case kList:
        out_.Put('(');
        Push(Kind::kList, level);
        return;
      case kCollection:
        out_.Put('<');
        Push(Kind::kCollection, level);
        return;
      case kNull:
        out_.Put("Null", 4);
        break;
      case kInt8:
      case kInt16:
      case kInt32:
        out_.PutInt(Integer(type));
        break;
      case kInt64:
        out_.PutInt(static_cast<std::int64_t>(in_.U64()));
        break;
      case kExtended: {
        unsigned char bytes[10];
        in_.Read(bytes, 10);
        out_.Put(ExtendedText(bytes, text));
        break;
      }
      case kDouble:
        out_.Put(DoubleText(in_.U64(), text));
        break;
      case kSingle:
        out_.Put(SingleText(in_.U32(), text));
        out_.Put('s');
        break;
      case kDate:
        out_.Put(DoubleText(in_.U64(), text));
        out_.Put('d');
        break;
      case kCurrency:
        out_.PutInt(static_cast<std::int64_t>(in_.U64()));
        out_.Put('c');
        break;
      case kString:
        AnsiString(after_name, in_.Byte(), level);
        break;
      case kLString:
        AnsiString(after_name, in_.U32(), level);
        break;
      case kWString:
        WideString(after_name, in_.U32(), level);
        break;
      case kUtf8String:
        Utf8String(after_name, in_.U32(), level);
        break;
      case kIdent:
        out_.Put(in_.ShortString());
        break;
      case kFalse:
        out_.Put("False", 5);
        break;
      case kTrue:
        out_.Put("True", 4);
        break;
      case kNil:
        out_.Put("nil", 3);
        break;
      case kSet:
        Set();
        break;
      case kBinary:
        Binary(in_.U32(), level);
        break;
      default:
        throw FormError("unknown value type " + std::to_string(type));
    }
    ValueDone();
  }

  void AnsiString(bool after_name, std::uint32_t length, int level) {
    StringText text(out_, level, after_name);
    in_.Stream(length, [&](const unsigned char* p, std::size_t n) { text.Bytes(p, n); });
    text.Finish();
  }

  void WideString(bool after_name, std::uint32_t length, int level) {
    StringText text(out_, level, after_name);
    int low = -1;  // first byte of a unit split between pieces
    in_.Stream(std::uint64_t{length} * 2, [&](const unsigned char* p, std::size_t n) {
      std::size_t i = 0;
      if (low >= 0 && n > 0) {
        text.Unit(static_cast<std::uint32_t>(low | p[0] << 8));
        low = -1;
        i = 1;
      }
      for (; i + 1 < n; i += 2) text.Unit(static_cast<std::uint32_t>(p[i] | p[i + 1] << 8));
      if (i < n) low = p[i];
    });
    text.Finish();
  }

  void Utf8String(bool after_name, std::uint32_t length, int level) {
    StringText text(out_, level, after_name);
    Utf8Decoder decoder(text);
    in_.Stream(length, [&](const unsigned char* p, std::size_t n) { decoder.Bytes(p, n); });
    decoder.Finish();
    text.Finish();
  }

  void Set() {
    out_.Put('[');
    for (bool first = true;; first = false) {
      const std::string_view element = in_.ShortString();
      if (element.empty()) break;
      if (!first) out_.Put(", ", 2);
      out_.Put(element);
    }
    out_.Put(']');
  }

  void Binary(std::uint32_t length, int level) {
    static const char kHex[] = "0123456789ABCDEF";
    constexpr std::size_t kLineBytes = 32;
    out_.Put('{');
    std::size_t on_line = kLineBytes;
    in_.Stream(length, [&](const unsigned char* p, std::size_t n) {
      while (n > 0) {
        if (on_line == kLineBytes) {
          out_.NewLine(level + 1);
          on_line = 0;
        }
        const std::size_t take = std::min(n, kLineBytes - on_line);
        char digits[kLineBytes * 2];
        for (std::size_t i = 0; i < take; ++i) {
          digits[2 * i] = kHex[p[i] >> 4];
          digits[2 * i + 1] = kHex[p[i] & 15];
        }
        out_.Put(digits, take * 2);
        on_line += take;
        p += take;
        n -= take;
      }
    });
    out_.Put('}');
  }

  FormInput in_;
  TextOutput out_;
  std::vector<Open> stack_;
};

}  // namespace

void FormToText(ByteSource& in, ByteSink& out) {
  Converter converter(in, out);
  try {
    converter.Run();
  } catch (const FormError&) {
    // What was converted before the error stays in the output.
    try {
      converter.FlushAfterError();
    } catch (const FormError&) {
    }
    throw;
  }
}

}  // namespace qrvl::forms
