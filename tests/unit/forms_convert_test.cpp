// The form converter on forms in memory: every value type, the text layout,
// malformed and hostile input.
#include <gtest/gtest.h>

#include <string>

#include "forms/byte_streams.h"
#include "forms/form_to_text.h"
#include "tests/unit/forms_bytes.h"

using namespace forms_test;
using qrvl::forms::FormError;

namespace {

struct Converted {
  bool ok;
  std::string text;
};

Converted Convert(qrvl::forms::ByteSource& in) {
  qrvl::forms::StringSink out;
  try {
    qrvl::forms::FormToText(in, out);
    return {true, out.text};
  } catch (const FormError&) {
    return {false, out.text};
  }
}

Converted Convert(const std::string& bytes) {
  qrvl::forms::MemorySource in(bytes.data(), bytes.size());
  return Convert(in);
}

// Serves one byte a read and does not know its size: every piece boundary and
// every length check on the way is exercised.
class TrickleSource : public qrvl::forms::ByteSource {
 public:
  explicit TrickleSource(const std::string& bytes) : bytes_(bytes) {}
  std::size_t Read(unsigned char* buffer, std::size_t n) override {
    if (n == 0 || at_ == bytes_.size()) return 0;
    buffer[0] = static_cast<unsigned char>(bytes_[at_++]);
    return 1;
  }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  while (n-- > 0) out += s;
  return out;
}

std::string Doc(const std::string& property_line) {
  return "object Form1: TForm1\r\n" + property_line + "end\r\n";
}

std::string Ext(std::uint64_t mantissa, unsigned sign_exponent) {
  return Bytes().U8(vaExtended).U64(mantissa).U16(sign_exponent).b;
}

std::string Wide(const std::u16string& units) {
  Bytes b;
  b.U8(vaWString).U32(static_cast<std::uint32_t>(units.size()));
  for (char16_t u : units) b.U16(u);
  return b.b;
}

// A form with every value type, nested objects and collections.
std::string RichForm() {
  Bytes b;
  b.Header().U8(0xF3).U8(vaInt8).U8(4).Object("TForm1", "Form1");
  b.Prop("A").U8(vaInt64).U64(1234567890123ull).Prop("B").Raw(Ext(0xC000000000000000ull, 0x3FFF));
  b.Prop("C").U8(vaLString).U32(70).Raw(std::string(69, 'x') + "'");
  b.Prop("D")
      .Raw(Wide(u"a\u0416\U0001F600"))
      .Prop("E")
      .U8(vaUTF8String)
      .U32(4)
      .Raw("\xC3\xA9\xE2\x82");
  b.Prop("F").U8(vaBinary).U32(40).Raw(std::string(40, '\x5A'));
  b.Prop("G").U8(vaSet).Str("a").Str("b").End().Prop("H").U8(vaList).U8(vaSingle).U32(0x40200000);
  b.U8(vaCurrency).U64(15000).U8(vaDate).U64(0x40e1d5d000000000ull).U8(vaList).End().End();
  b.Prop("I").U8(vaCollection).U8(vaInt16).U16(7).U8(vaList).Prop("Q").U8(vaNil).End();
  b.U8(vaList).End().End();
  b.End();  // properties of Form1
  b.Object("TPanel", "").Prop("T").U8(vaTrue).End().End();
  b.End();  // children of Form1
  return b.b;
}

}  // namespace

TEST(FormValues, EveryValueTypeHasItsText) {
  const std::string hex64(64, 'A');
  const struct {
    std::string value;
    std::string text;  // what follows "  P =" up to the line end
  } cases[] = {
      {Bytes().U8(vaNull).b, " Null"},
      {Bytes().U8(vaInt8).U8(0x80).b, " -128"},
      {Bytes().U8(vaInt16).U16(0xFED4).b, " -300"},
      {Bytes().U8(vaInt32).U32(0x80000000u).b, " -2147483648"},
      {Bytes().U8(vaInt64).U64(0x8000000000000000ull).b, " -9223372036854775808"},
      {Ext(0xC000000000000000ull, 0x3FFF), " 1.5"},
      {Ext(0xC800000000000000ull, 0x4005), " 100.0"},
      {Ext(0xC90FDAA22168C235ull, 0x4000), " 3.1415926535897932385"},
      {Ext(0, 0x8000), " -0.0"},
      {Ext(0x8000000000000000ull, 0x7FFF), " INF"},
      {Ext(0x8000000000000000ull, 0xFFFF), " -INF"},
      {Ext(0xC000000000000000ull, 0x7FFF), " NAN"},
      {Ext(0x4000000000000000ull, 0x4000), " 1.0"},  // unnormal: the value its bits stand for
      {Ext(1, 0), " 4E-4951"},                       // smallest denormal
      {Ext(0xFFFFFFFFFFFFFFFFull, 0x7FFE), " 1.189731495357231765E+4932"},
      {Bytes().U8(vaDouble).U64(0x3FB999999999999Aull).b, " 0.1"},
      {Bytes().U8(vaDouble).U64(0x4415AF1D78B58C40ull).b, " 1E+20"},
      {Bytes().U8(vaSingle).U32(0x3DCCCCCD).b, " 0.1s"},
      {Bytes().U8(vaSingle).U32(0x40200000).b, " 2.5s"},
      {Bytes().U8(vaDate).U64(0x40e1d5d000000000ull).b, " 36526.5d"},
      {Bytes().U8(vaCurrency).U64(15000).b, " 15000c"},
      {Bytes().U8(vaCurrency).U64(~0ull).b, " -1c"},
      {Bytes().U8(vaString).Str("It's").b, " 'It''s'"},
      {Bytes().U8(vaString).Str("\r\nA").b, " #13#10'A'"},
      {Bytes().U8(vaString).Str("").b, " ''"},
      {Bytes().U8(vaLString).U32(3).Raw("\xE9t\xE9").b, " #233't'#233"},
      {Wide(u"a\u0416b"), " 'a'#1046'b'"},
      {Wide(u""), " ''"},
      {Bytes().U8(vaUTF8String).U32(7).Raw("a\xC3\xA9\xF0\x9F\x98\x80").b, " 'a'#233#55357#56832"},
      {Bytes().U8(vaUTF8String).U32(5).Raw("\xC3x\xFF\xE2\x82").b, " #65533'x'#65533#65533"},
      {Bytes().U8(vaUTF8String).U32(5).Raw("\xC0\xAF\xED\xA0\x80").b, " #65533#65533"},
      {Bytes().U8(vaIdent).Str("alClient").b, " alClient"},
      {Bytes().U8(vaFalse).b, " False"},
      {Bytes().U8(vaTrue).b, " True"},
      {Bytes().U8(vaNil).b, " nil"},
      {Bytes().U8(vaSet).Str("akLeft").Str("akTop").End().b, " [akLeft, akTop]"},
      {Bytes().U8(vaSet).End().b, " []"},
      {Bytes().U8(vaBinary).U32(0).b, " {}"},
      {Bytes().U8(vaBinary).U32(3).Raw({0x0A, 0x0B, 0xFF}).b, " {\r\n    0A0BFF}"},
      {Bytes().U8(vaBinary).U32(33).Raw(std::string(33, '\xAA')).b,
       " {\r\n    " + std::string(64, 'A') + "\r\n    AA}"},
      {Bytes().U8(vaList).End().b, " ()"},
      {Bytes().U8(vaList).U8(vaInt8).U8(1).U8(vaString).Str("x").End().b,
       " (\r\n    1\r\n    'x')"},
      {Bytes().U8(vaList).U8(vaList).End().U8(vaList).U8(vaTrue).End().End().b,
       " (\r\n    ()\r\n    (\r\n      True))"},
      {Bytes().U8(vaCollection).End().b, " <>"},
      {Bytes()
           .U8(vaCollection)
           .U8(vaList)
           .Prop("Q")
           .U8(vaInt8)
           .U8(1)
           .Prop("R")
           .U8(vaList)
           .U8(vaNil)
           .End()
           .End()
           .U8(vaInt8)
           .U8(3)
           .U8(vaList)
           .End()
           .End()
           .b,
       " <\r\n    item\r\n      Q = 1\r\n      R = (\r\n        nil)\r\n    end\r\n"
       "    item [3]\r\n    end>"},
  };
  for (const auto& c : cases) {
    const Converted r = Convert(OneProperty(c.value));
    EXPECT_TRUE(r.ok) << c.text;
    EXPECT_EQ(r.text, Doc("  P =" + c.text + "\r\n"));
  }
}

TEST(FormValues, ObjectHeadersShowFlagsNamesAndPositions) {
  const struct {
    std::string prefix;
    std::string name;
    std::string line;
  } cases[] = {
      {"", "Form1", "object Form1: TForm1"},
      {"", "", "object TForm1"},
      {"\xF0", "Form1", "object Form1: TForm1"},
      {"\xF1", "Form1", "inherited Form1: TForm1"},
      {"\xF4", "Form1", "inline Form1: TForm1"},
      {"\xF5", "Form1", "inherited Form1: TForm1"},
      {Bytes().U8(0xF2).U8(vaInt8).U8(3).b, "Form1", "object Form1: TForm1 [3]"},
      {Bytes().U8(0xF2).U8(vaInt16).U16(0xFFFE).b, "", "object TForm1 [-2]"},
      {Bytes().U8(0xF6).U8(vaInt32).U32(70000).b, "Form1", "inline Form1: TForm1 [70000]"},
  };
  for (const auto& c : cases) {
    const Converted r =
        Convert(Bytes().Header().Raw(c.prefix).Object("TForm1", c.name).End().End().b);
    EXPECT_TRUE(r.ok) << c.line;
    EXPECT_EQ(r.text, c.line + "\r\nend\r\n");
  }
}

TEST(FormValues, NestedObjectsAndPropertiesIndentTwoSpacesALevel) {
  const std::string form = Bytes()
                               .Header()
                               .Object("TForm1", "Form1")
                               .Prop("Left")
                               .U8(vaInt8)
                               .U8(8)
                               .End()
                               .Object("TPanel", "Panel1")
                               .End()
                               .Object("TButton", "OK")
                               .Prop("Font.Style")
                               .U8(vaSet)
                               .Str("fsBold")
                               .End()
                               .End()
                               .End()
                               .End()
                               .End()
                               .b;
  EXPECT_EQ(Convert(form).text,
            "object Form1: TForm1\r\n  Left = 8\r\n  object Panel1: TPanel\r\n"
            "    object OK: TButton\r\n      Font.Style = [fsBold]\r\n    end\r\n  end\r\nend\r\n");
}

TEST(FormStrings, LongStringsAreCutIntoPartsOf64Characters) {
  const std::string a64(64, 'a'), a63(63, 'a');
  const std::string part = "\r\n    ";
  const struct {
    std::string value;
    std::string text;
  } cases[] = {
      {Bytes().U8(vaString).Str(a64).b, " '" + a64 + "'"},
      {Bytes().U8(vaString).Str(a64 + "b").b, part + "'" + a64 + "' +" + part + "'b'"},
      {Bytes().U8(vaString).Str(a63 + "'bb").b, part + "'" + a63 + "''' +" + part + "'bb'"},
      {Bytes().U8(vaString).Str(std::string(64, '\x01') + "a").b,
       part + Repeat("#1", 64) + " +" + part + "'a'"},
      {Bytes().U8(vaLString).U32(129).Raw(a64 + a64 + "c").b,
       part + "'" + a64 + "' +" + part + "'" + a64 + "' +" + part + "'c'"},
      {Wide(std::u16string(63, u'a') + u"\u0416\u0416"),
       part + "'" + a63 + "'#1046 +" + part + "#1046"},
      // In a list the string starts on the item's line; its further parts go one level deeper.
      {Bytes().U8(vaList).U8(vaString).Str(a64 + "z").End().b,
       " (\r\n    '" + a64 + "' +\r\n      'z')"},
  };
  for (const auto& c : cases) {
    const Converted r = Convert(OneProperty(c.value));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.text, Doc("  P =" + c.text + "\r\n"));
  }
}

TEST(FormStreaming, PiecesOfAnySizeGiveTheSameText) {
  const std::string form = RichForm();
  const Converted whole = Convert(form);
  ASSERT_TRUE(whole.ok);
  EXPECT_EQ(whole.text,
            "inherited Form1: TForm1 [4]\r\n"
            "  A = 1234567890123\r\n"
            "  B = 1.5\r\n"
            "  C =\r\n    '" +
                std::string(64, 'x') + "' +\r\n    'xxxxx'''\r\n" +
                "  D = 'a'#1046#55357#56832\r\n"
                "  E = #233#65533\r\n"
                "  F = {\r\n    " +
                Repeat("5A", 32) +
                "\r\n    5A5A5A5A5A5A5A5A}\r\n"
                "  G = [a, b]\r\n"
                "  H = (\r\n    2.5s\r\n    15000c\r\n    36526.5d\r\n    ())\r\n"
                "  I = <\r\n    item [7]\r\n      Q = nil\r\n    end\r\n    item\r\n    end>\r\n"
                "  object TPanel\r\n    T = True\r\n  end\r\nend\r\n");
  TrickleSource trickle(form);
  const Converted pieces = Convert(trickle);
  EXPECT_TRUE(pieces.ok);
  EXPECT_EQ(pieces.text, whole.text);
}

TEST(FormStreaming, BytesAfterTheRootObjectAreNotRead) {
  const std::string form = RichForm();
  const Converted r = Convert(form + "\x07garbage\xFF");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.text, Convert(form).text);
}

TEST(FormErrors, EveryTruncationFailsAndKeepsTheTextSoFar) {
  const std::string form = RichForm();
  const std::string full = Convert(form).text;
  for (std::size_t n = 0; n < form.size(); ++n) {
    const std::string cut = form.substr(0, n);
    const Converted known = Convert(cut);
    EXPECT_FALSE(known.ok) << n;
    EXPECT_EQ(full.compare(0, known.text.size(), known.text), 0) << n;
    TrickleSource unknown_size(cut);
    EXPECT_FALSE(Convert(unknown_size).ok) << n;
  }
}

TEST(FormErrors, MalformedInputFails) {
  const std::string object = Bytes().Object("TForm1", "Form1").b;
  const std::string cases[] = {
      "",
      "object Form1: TForm1\r\nend\r\n",  // a text form
      Bytes().U8(0xFF).U16(11).Raw(std::string("X", 2)).U16(0).U32(0).Raw("TPF0").Raw(object).b,
      Bytes().U8(0xFF).U16(10).Raw(std::string("X", 2)).U16(0).U32(0).Raw("TPF1").Raw(object).b,
      Bytes().U8(0xFF).U16(10).Raw("NAME WITHOUT END").b,
      OneProperty(Bytes().U8(22).b),
      OneProperty(Bytes().U8(0xFF).b),
      OneProperty(Bytes().U8(vaCollection).U8(vaInt64).U64(1).U8(vaList).End().End().b),
      OneProperty(Bytes().U8(vaCollection).U8(vaInt8).U8(1).U8(vaTrue).End().b),
      OneProperty(Bytes().U8(vaCollection).U8(vaNil).End().b),
      Bytes().Header().U8(0xF2).U8(vaString).Str("1").Raw(object).End().End().b,
      // Lengths beyond the input fail at once, whatever they claim.
      OneProperty(Bytes().U8(vaLString).U32(0xFFFFFFFF).Raw("abc").b),
      OneProperty(Bytes().U8(vaBinary).U32(0xFFFFFFFF).Raw("abc").b),
      OneProperty(Bytes().U8(vaWString).U32(0x80000000).Raw("abc").b),
      OneProperty(Bytes().U8(vaUTF8String).U32(0xFFFFFFF0).b),
  };
  for (const std::string& c : cases) EXPECT_FALSE(Convert(c).ok) << testing::PrintToString(c);
}

TEST(FormErrors, AHugeLengthIsNotTakenOnTrust) {
  // The text stops where the input does: nothing of the claimed 4 GiB is produced.
  const std::string form = OneProperty(Bytes().U8(vaBinary).U32(0xFFFFFFFF).Raw("abc").b);
  TrickleSource unknown_size(form);
  const Converted r = Convert(unknown_size);
  EXPECT_FALSE(r.ok);
  EXPECT_LT(r.text.size(), 100u);
}

namespace {

// Objects nested `depth` deep, the innermost holding `lists` nested lists.
std::string Nested(int depth, int lists) {
  Bytes b;
  b.Header();
  for (int i = 0; i < depth; ++i) {
    b.Object("T", "O");
    if (i == depth - 1 && lists > 0) {
      b.Prop("P");
      for (int j = 0; j < lists; ++j) b.U8(vaList);
      for (int j = 0; j < lists; ++j) b.End();
    }
    b.End();
  }
  for (int i = 0; i < depth; ++i) b.End();
  return b.b;
}

}  // namespace

TEST(FormErrors, NestingBeyondTheLimitFails) {
  const int limit = qrvl::forms::kMaxNesting;
  ASSERT_EQ(limit, 1000);
  const Converted deepest = Convert(Nested(limit, 0));
  EXPECT_TRUE(deepest.ok);
  EXPECT_NE(deepest.text.find("\r\n" + std::string(2 * (limit - 1), ' ') + "object O: T\r\n"),
            std::string::npos);
  EXPECT_FALSE(Convert(Nested(limit + 1, 0)).ok);
  // Lists, collections and items count as levels as well.
  EXPECT_TRUE(Convert(Nested(500, 500)).ok);
  EXPECT_FALSE(Convert(Nested(500, 501)).ok);
  EXPECT_FALSE(Convert(Nested(1, 1000)).ok);
  // Far deeper input stops at the limit instead of exhausting the stack.
  EXPECT_FALSE(Convert(Nested(1, 1000000)).ok);
  EXPECT_FALSE(Convert(Nested(200000, 0)).ok);
}

TEST(FormErrors, AFailedWriteStopsTheConversion) {
  class FullDisk : public qrvl::forms::ByteSink {
   public:
    void Write(const char*, std::size_t) override { throw FormError("disk full"); }
  } sink;
  const std::string form = RichForm();
  qrvl::forms::MemorySource in(form.data(), form.size());
  EXPECT_THROW(qrvl::forms::FormToText(in, sink), FormError);
}
