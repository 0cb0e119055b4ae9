// The keystroke macro language, on the simulated US keyboard.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "frame/host_error.h"
#include "keys/key_codes.h"
#include "keys/key_names.h"
#include "keys/sender.h"
#include "keys_journal.h"
#include "platform/sim/sim.h"

namespace {

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }
};

struct Case {
  std::string macro;
  std::string journal;
  bool result;
};

void RunCases(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    sim::Reset();
    SCOPED_TRACE("macro: " + c.macro);
    EXPECT_EQ(qrvl::SendKeystrokeMacro(c.macro.c_str(), true), c.result);
    EXPECT_EQ(JournalText(), c.journal);
    ExpectSoundRecord();
  }
}

TEST_F(KeysTest, TypesCharactersWithTheShiftStateTheLayoutNeeds) {
  RunCases({
      {"", "", false},
      {"abc", "65d 65u 66d 66u 67d 67u", true},
      {"A1!", "16d 65d 65u 16u 49d 49u 16d 49d 49u 16u", true},
      {" }", "32d 32u 16d 221d 221u 16u", true},
      {"a\tb\r", "65d 65u 9d 9u 66d 66u 13d 13u", true},
      // Ctrl+A, then Ctrl+Shift+6: the shift state's keys come up in the order they went down.
      {"\x01\x1e", "17d 65d 65u 17u 16d 17d 54d 54u 16u 17u", true},
  });
}

TEST_F(KeysTest, HeldModifiersAndGroups) {
  RunCases({
      {"+abc", "16d 65d 65u 16u 66d 66u 67d 67u", true},
      {"^c%f", "17d 67d 67u 17u 18d 70d 70u 18u", true},
      {"%^+a", "18d 17d 16d 65d 65u 16u 17u 18u", true},  // released Shift, Ctrl, Alt
      {"++a", "16d 16d 65d 65u 16u", true},
      {"+A", "16d 16d 65d 65u 16u 16u", true},  // the capital's own Shift and the held one
      {"+(abc)d", "16d 65d 65u 66d 66u 67d 67u 16u 68d 68u", true},
      {"+((a)b)", "16d 65d 65u 16u 66d 66u", true},
      {"+(ab", "16d 65d 65u 66d 66u", true},  // ends inside the group: Shift stays down
      {")a", "65d 65u", true},
      {"+~a", "16d 13d 13u 16u 65d 65u", true},
      {"^(~~)", "17d 13d 13u 13d 13u 17u", true},
  });
}

TEST_F(KeysTest, QuotesTypeTheSpecialCharacters) {
  RunCases({
      {"\"+^%()~{\"",
       "16d 187d 187u 16u 16d 54d 54u 16u 16d 53d 53u 16u 16d 57d 57u 16u 16d 48d 48u 16u "
       "16d 192d 192u 16u 16d 219d 219u 16u",
       true},
      {"a\"b\"c", "65d 65u 66d 66u 67d 67u", true},
      {"+\"a\"b", "16d 65d 65u 16u 66d 66u", true},  // a quoted key still releases Shift
      {"{\"}", "16d 222d 222u 16u", true},           // the only way to type a double quote
      {"\"a", "65d 65u", true},
  });
}

TEST_F(KeysTest, BraceForms) {
  RunCases({
      {"{LEFT 3}", Times(3, "37D 37U"), true},
      {"{left 3}", Times(3, "37D 37U"), true},
      {"{Home}{end}{PGUP}{pgdn}{INS}{DEL}{UP}{DOWN}{RIGHT}",
       "36D 36U 35D 35U 33D 33U 34D 34U 45D 45U 46D 46U 38D 38U 40D 40U 39D 39U", true},
      {"{a}", "16d 65d 65u 16u", true},
      {"{a 2}", "16d 65d 65u 65d 65u 16u", true},  // Shift once around the repetitions
      {"{{}", "16d 219d 219u 16u", true},
      {"{{", "16d 219d 219u 16u", true},  // the character after {{ is never read
      {"{{xa", "16d 219d 219u 16u 65d 65u", true},
      {"{}}", "16d 221d 221u 16u", true},
      {"{ENTER}}", "16d 221d 221u 16u", true},
      {"{BS}{BKSP}{BACKSPACE}", "8d 8u 8d 8u 8d 8u", true},
      {"{LEFT 0}", "", true},
      {"{A 0}", "16d 16u", true},
      {"{LEFT $A}", Times(10, "37D 37U"), true},
      {"{LEFT  2}", Times(2, "37D 37U"), true},  // leading spaces of the count are allowed
      {"^{F4}", "17d 115d 115u 17u", true},
      {"+{TAB}x", "16d 9d 9u 16u 88d 88u", true},
      {"{\xe9}a", "65d 65u", true},  // a one-character name without a key: silently skipped
      {"{+}", "16d 187d 187u 16u", true},
  });
}

TEST_F(KeysTest, MistakesShowBoxesAndSendingGoesOn) {
  RunCases({
      {"{FOO}x", "[Invalid Key Name] 88d 88u", true},
      {"{}x", "[Invalid Key Name] 88d 88u", true},
      {"{ 2}", "[Invalid Key Name]", true},
      {"+{FOO}a", "16d [Invalid Key Name] 65d 65u 16u", true},
      {"a\xe9z", "65d 65u [Invalid KeyName] 90d 90u", true},
      {"+\xe9q", "16d [Invalid KeyName] 81d 81u 16u", true},  // Shift applies to the next key
      {"\"\xe9\"", "[Invalid KeyName]", true},
      {"ab{LEFT", "65d 65u 66d 66u [No Close]", false},
      {"+{LEFT}x{", "16d 37D 37U 16u 88d 88u [No Close]", false},
      {"+{ENTER", "16d [No Close] 16u", false},  // released as at the end of the text
      {"+(a{ENTER", "16d 65d 65u [No Close]", false},
      {"{", "[No Close]", false},
  });
}

TEST_F(KeysTest, NameBufferKeepsTwentyCharacters) {
  const std::string spaces14(14, ' ');
  RunCases({
      {"{PGDN" + spaces14 + "12}", Times(12, "34D 34U"), true},
      {"{PGDN " + spaces14 + "12}", "34D 34U", true},  // the count is cut to "1"
      {"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}x", "[Invalid Key Name] 88d 88u", true},
      {"{LEFTXXXXXXXXXXXXXXXXXXXX 3}", "[Invalid Key Name]", true},  // count lost
  });
  // The count cut to nothing but spaces does not convert.
  sim::Reset();
  EXPECT_THROW(qrvl::SendKeystrokeMacro(("{PGDN  " + spaces14 + "12}").c_str(), true),
               qrvl::HostError);
}

TEST_F(KeysTest, MalformedRepeatCountRaisesAfterReleasingHeldModifiers) {
  const struct {
    const char* macro;
    const char* message;
    const char* journal;  // what was sent before the error
  } cases[] = {
      {"{LEFT x}", "'X' is not a valid integer value", ""},
      {"{FOO x}", "'X' is not a valid integer value", ""},  // counted before the name
      {"ab{left 2x}c", "'2X' is not a valid integer value", "65d 65u 66d 66u"},
      {"+{LEFT x}", "'X' is not a valid integer value", "16d 16u"},
      {"+({LEFT x}", "'X' is not a valid integer value", "16d"},  // inside a group: still down
      {"{LEFT }", "'' is not a valid integer value", ""},
      {"{LEFT 3 }", "'3 ' is not a valid integer value", ""},
      {"{LEFT 1 2}", "'1 2' is not a valid integer value", ""},
      {"{ }", "'' is not a valid integer value", ""},
      {"{LEFT 2147483648}", "'2147483648' is not a valid integer value", ""},
  };
  for (const auto& c : cases) {
    sim::Reset();
    SCOPED_TRACE(c.macro);
    try {
      qrvl::SendKeystrokeMacro(c.macro, true);
      ADD_FAILURE() << "no error";
    } catch (const qrvl::HostError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(JournalText(), c.journal);
  }
}

TEST_F(KeysTest, NegativeCountWrapsToSixteenBits) {
  EXPECT_TRUE(qrvl::SendKeystrokeMacro("{LEFT -1}", false));
  const auto& events = sim::keyboard().events;
  ASSERT_EQ(events.size(), 2u * 65535);
  EXPECT_EQ(events.front(), (sim::KeyEvent{37, 75, 1, 0, 0}));
  EXPECT_EQ(events.back(), (sim::KeyEvent{37, 75, 3, 0, 0}));
  sim::Reset();
  EXPECT_TRUE(qrvl::SendKeystrokeMacro("{UP 65537}", false));  // low 16 bits: 1
  EXPECT_EQ(JournalText(), "38D 38U");
}

TEST_F(KeysTest, NumLockFlipsTheToggleBitOnceWithoutEvents) {
  RunCases({
      {"{NUMLOCK 5}", "numlock=1", true},
      {"{NUMLOCK 0}", "numlock=1", true},
      {"{numlock}{NUMLOCK}", "numlock=1 numlock=0", true},
      {"+{NUMLOCK}a", "16d numlock=1 16u 65d 65u", true},
  });

  // From on to off; the rest of the table is written back as it was read.
  sim::Reset();
  sim::keyboard().state[144] = 0x01;
  sim::keyboard().state[65] = 0x80;
  EXPECT_TRUE(qrvl::SendKeystrokeMacro("{NUMLOCK}", true));
  ASSERT_EQ(sim::keyboard().state_writes.size(), 1u);
  EXPECT_EQ(sim::keyboard().state[144], 0x00);
  EXPECT_EQ(sim::keyboard().state[65], 0x80);
  EXPECT_TRUE(sim::keyboard().drains.empty());

  // A table that could not be read is not written back.
  sim::Reset();
  sim::keyboard().refuse_state_read = true;
  EXPECT_TRUE(qrvl::SendKeystrokeMacro("{NUMLOCK}a", true));
  EXPECT_EQ(JournalText(), "65d 65u");
}

TEST_F(KeysTest, WaitDrainsAfterEveryEventAndOnlyThen) {
  const char* macro = "+{LEFT 2}A~{NUMLOCK}{FOO}";
  EXPECT_TRUE(qrvl::SendKeystrokeMacro(macro, true));
  const auto waited = sim::keyboard().events;
  ASSERT_EQ(waited.size(), 12u);
  std::vector<std::size_t> after_each;
  for (std::size_t i = 1; i <= waited.size(); ++i) after_each.push_back(i);
  EXPECT_EQ(sim::keyboard().drains, after_each);

  sim::Reset();
  EXPECT_TRUE(qrvl::SendKeystrokeMacro(macro, false));
  EXPECT_EQ(sim::keyboard().events, waited);
  EXPECT_TRUE(sim::keyboard().drains.empty());
}

TEST_F(KeysTest, NullTextIsTreatedAsEmpty) {
  EXPECT_FALSE(qrvl::SendKeystrokeMacro(nullptr, true));
  EXPECT_EQ(JournalText(), "");
}

TEST_F(KeysTest, NothingSurvivesTheCall) {
  // The first call ends inside a group and in quote mode; the second starts fresh.
  EXPECT_TRUE(qrvl::SendKeystrokeMacro("+(a\"", true));
  EXPECT_TRUE(qrvl::SendKeystrokeMacro("b+c", true));
  EXPECT_EQ(JournalText(), "16d 65d 65u 66d 66u 16d 67d 67u 16u");
}

TEST_F(KeysTest, EveryKeyNameIsReachableInAnyLetterCase) {
  ASSERT_EQ(qrvl::KeyNameTable.size(), 41u);
  for (std::size_t i = 1; i < qrvl::KeyNameTable.size(); ++i)
    EXPECT_LT(std::string(qrvl::KeyNameTable[i - 1].name), qrvl::KeyNameTable[i].name);
  for (const auto& row : qrvl::KeyNameTable) {
    std::string lower = row.name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (const std::string& name : {std::string(row.name), lower}) {
      sim::Reset();
      SCOPED_TRACE(name);
      EXPECT_TRUE(qrvl::SendKeystrokeMacro(("{" + name + "}").c_str(), true));
      const std::string vk = std::to_string(row.vk);
      const bool extended = qrvl::ExtendedKeySet[row.vk];
      EXPECT_EQ(JournalText(), row.vk == 144 ? "numlock=1"
                               : extended    ? vk + "D " + vk + "U"
                                             : vk + "d " + vk + "u");
    }
  }
}

TEST(ExtendedKeySet, HoldsExactlyTheNavigationKeys) {
  EXPECT_EQ(qrvl::ExtendedKeySet.count(), 10u);
  for (int vk : {33, 34, 35, 36, 37, 38, 39, 40, 45, 46}) EXPECT_TRUE(qrvl::ExtendedKeySet[vk]);
}

}  // namespace
