// The macro checker finds each problem at its offset in the written macro, and
// agrees with the sender about which macros show boxes, stop or raise errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/host_error.h"
#include "keys/key_names.h"
#include "keys/sender.h"
#include "platform/sim/sim.h"
#include "tools/qrvl/macro_check.h"

namespace {

using qrvl_tool::CheckMacro;
using qrvl_tool::Finding;
using qrvl_tool::MacroRole;

struct Expected {
  std::size_t offset;
  const char* says;  // a part of the message
};

struct Case {
  std::string macro;
  MacroRole role;
  std::vector<Expected> expected;
};

void ExpectFindings(const Case& c) {
  const std::vector<Finding> got = CheckMacro(c.macro, c.role);
  ASSERT_EQ(got.size(), c.expected.size()) << c.macro;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].offset, c.expected[i].offset) << c.macro << ": " << got[i].message;
    EXPECT_NE(got[i].message.find(c.expected[i].says), std::string::npos)
        << c.macro << ": " << got[i].message;
  }
}

TEST(CheckMacro, SoundMacrosHaveNoFindings) {
  const Case cases[] = {
      {"", MacroRole::kOpen, {}},
      {"", MacroRole::kGoto, {}},
      {"^o#FILENAME#{ENTER}", MacroRole::kOpen, {}},
      {"%fo#filename#~", MacroRole::kOpen, {}},
      {"^g#LINENUM#{ENTER}", MacroRole::kGoto, {}},
      {"\"#LINENUM#\"~", MacroRole::kGoto, {}},  // digits type the same in quote mode
      {"{ESC 2}+(^{TAB}){NUMLOCK}{numlock 3}{F16}{prtsc}{{}{}}#FILENAME#", MacroRole::kOpen, {}},
      {"\"+^%(~{}\"#FILENAME#", MacroRole::kOpen, {}},  // quoted specials are typed
      {"{LEFT $FF}{LEFT 0}{A}#FILENAME#", MacroRole::kOpen, {}},
  };
  for (const Case& c : cases) ExpectFindings(c);
}

TEST(CheckMacro, EveryKeyNameInAnyCaseIsKnown) {
  for (const qrvl::KeyName& k : qrvl::KeyNameTable) {
    std::string lower = k.name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(CheckMacro("{" + lower + "}#LINENUM#", MacroRole::kGoto).empty()) << k.name;
  }
}

TEST(CheckMacro, ProblemsAtTheirOffsets) {
  const std::string long_tail(300, 'a');
  const Case cases[] = {
      {"^o{ENTER}", MacroRole::kOpen, {{0, "no #FILENAME#"}}},
      {"^g{ENTER}", MacroRole::kGoto, {{0, "no #LINENUM#"}}},
      {"#FILENAME#{ENTR}", MacroRole::kOpen, {{11, "unknown key name 'ENTR'"}}},
      {"#FILENAME#{}", MacroRole::kOpen, {{11, "empty key name"}}},
      {"#FILENAME#{ENTER", MacroRole::kOpen, {{10, "no closing '}'"}}},
      {"#FILENAME#{LEFT x}", MacroRole::kOpen, {{16, "repeat count 'X' is not a whole number"}}},
      {"#FILENAME#{LEFT 1 2}", MacroRole::kOpen, {{16, "'1 2' is not a whole number"}}},
      {"#FILENAME#{ }", MacroRole::kOpen, {{12, "repeat count '' is not"}}},
      {"#FILENAME#{LEFT -1}", MacroRole::kOpen, {{16, "used as 65535"}}},
      {"#FILENAME#{LEFT 65537}", MacroRole::kOpen, {{16, "used as 1"}}},
      {"\xE9#FILENAME#", MacroRole::kOpen, {{0, "no key for code 0xE9"}}},
      {"#FILENAME#\"\x80\"", MacroRole::kOpen, {{11, "no key for code 0x80"}}},
      {"{\xE9}#FILENAME#", MacroRole::kOpen, {{1, "skipped without a message"}}},
      {"{a}#FILENAME#", MacroRole::kOpen, {{1, "capital 'A'"}}},
      {"{ENTER}}#FILENAME#", MacroRole::kOpen, {{0, "types only a right brace"}}},
      {"{{x#FILENAME#", MacroRole::kOpen, {{2, "skips the next character, 'x'"}}},
      {"#FILENAME##filename#", MacroRole::kOpen, {{10, "only the first #FILENAME#"}}},
      {"#LINENUM#x#LINENUM#", MacroRole::kGoto, {{10, "only the first #LINENUM#"}}},
      {"#FILENAME##LINENUM#", MacroRole::kOpen, {{10, "#LINENUM# is not replaced"}}},
      {"#LINENUM##FILENAME#", MacroRole::kGoto, {{9, "#FILENAME# is not replaced"}}},
      {"\"#FILENAME#\"", MacroRole::kOpen, {{1, "inside double quotes"}}},
      {"+(#FILENAME#", MacroRole::kOpen, {{1, "never closed"}}},
      {"((a)#FILENAME#(", MacroRole::kOpen, {{14, "never closed"}}},
      {"#FILENAME#%", MacroRole::kOpen, {{10, "'%' is released without a key"}}},
      {"^+()#FILENAME#", MacroRole::kOpen, {{0, "'^' is released without a key"}}},
      {"#FILENAME#" + long_tail, MacroRole::kOpen, {{265, "only 255 characters"}}},
      // Name and count beyond 20 characters: the count is lost, the name is unknown.
      {"{ABCDEFGHIJKLMNOPQRST 3}#FILENAME#",
       MacroRole::kOpen,
       {{1, "unknown key name 'ABCDEFGHIJKLMNOPQRST'"}, {21, "at most 20 characters"}}},
      // Sending stops at a count error: nothing after it is looked at.
      {"{FOO}#FILENAME#{LEFT x}{BAR}", MacroRole::kOpen, {{1, "'FOO'"}, {21, "'X'"}}},
  };
  for (const Case& c : cases) ExpectFindings(c);
}

// What the sender shows for a macro, in a few words.
struct Outcome {
  int invalid_char = 0, invalid_name = 0, no_close = 0, count_error = 0;
  bool operator==(const Outcome& o) const {
    return invalid_char == o.invalid_char && invalid_name == o.invalid_name &&
           no_close == o.no_close && count_error == o.count_error;
  }
};

Outcome FromSender(const std::string& text) {
  sim::Reset();
  Outcome o;
  try {
    qrvl::SendKeystrokeMacro(text.c_str(), false);
  } catch (const qrvl::HostError&) {
    o.count_error = 1;
  }
  for (const auto& box : sim::ui().boxes) {
    o.invalid_char += box.text == "Invalid KeyName";
    o.invalid_name += box.text == "Invalid Key Name";
    o.no_close += box.text == "No Close";
  }
  return o;
}

Outcome FromChecker(const std::string& text) {
  Outcome o;
  // A Goto macro without its marker is read exactly as written.
  for (const Finding& f : CheckMacro(text, MacroRole::kGoto)) {
    const auto has = [&](const char* s) { return f.message.find(s) != std::string::npos; };
    o.invalid_char += has("\"Invalid KeyName\"");
    o.invalid_name += has("\"Invalid Key Name\"");
    o.no_close += has("\"No Close\"");
    o.count_error += has("is not a valid integer value");
  }
  return o;
}

TEST(CheckMacro, AgreesWithTheSender) {
  const char* macros[] = {
      "abc",
      "{FOO}x{BAR 2}",
      "\xE9\"\xE8\"{\xE7}",
      "{ENTER}}{FOO}}",
      "{{FOO}",
      "{LEFT x}{FOO}",
      "{FOO x}",
      "a{LEFT",
      "{FOO}\"{BAR}\"",
      "{ABCDEFGHIJKLMNOPQRSTU}",
      "+\x80{TAB}",
      "{\"}{ }",
      "{}{{}}",
      "{NUMLOCK z}{HOME 2}",
      "\"{\"{",
      "~~{ESC}",
  };
  for (const char* m : macros) {
    const Outcome sender = FromSender(m), checker = FromChecker(m);
    EXPECT_TRUE(sender == checker)
        << m << ": sender " << sender.invalid_char << sender.invalid_name << sender.no_close
        << sender.count_error << ", checker " << checker.invalid_char << checker.invalid_name
        << checker.no_close << checker.count_error;
  }
}

}  // namespace
