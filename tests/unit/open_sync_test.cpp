// SyncIDE, OpenFile and GotoLine of the generic driver on the simulated
// keyboard: what reaches the sender, the error boxes, where the steps stop.
#include "frame/host_error.h"
#include "keys/sender.h"
#include "keys_journal.h"
#include "sim_fixture.h"

namespace {

// Forgets what the keyboard and the boxes recorded so far.
void ClearRecord() {
  sim::keyboard().events.clear();
  sim::keyboard().drains.clear();
  sim::keyboard().state_writes.clear();
  sim::ui().boxes.clear();
  sim::ui().beeps.clear();
}

// The record the sender leaves when it types text by itself, with the wait flag.
std::string Typed(const std::string& text) {
  ClearRecord();
  qrvl::SendKeystrokeMacro(text.c_str(), true);
  const std::string journal = JournalText();
  ClearRecord();
  return journal;
}

// A driver whose own steps count their calls and arguments.
struct Spy : qrvl::TIDE {
  int gotos = 0, finishes = 0;
  std::int32_t finish_args[2] = {0, 0};
  bool QRVL_STDCALL GotoLine(std::int32_t Line) override {
    ++gotos;
    return TIDE::GotoLine(Line);
  }
  bool QRVL_STDCALL SyncFinish(std::int32_t a, std::int32_t b) override {
    ++finishes;
    finish_args[0] = a;
    finish_args[1] = b;
    return TIDE::SyncFinish(a, b);
  }
};

}  // namespace

class OpenSyncTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    QRVL_Init();
    owner_ = sim::AddWindow("QuarvelMain", "Quarvel");
    sim::processes().short_names["C:\\Src\\Long Name.cpp"] = "C:\\SRC\\LONGNA~1.CPP";
  }
  qrvl::TIDE* Driver(const std::string& keys) {
    Ini("[Editors]\r\n" + keys);
    qrvl::TIDE* d = Create(0, owner_);
    ClearRecord();
    return d;
  }
  // The journal of what the last calls did, then a clean record.
  static std::string Taken() {
    const std::string journal = JournalText();
    EXPECT_EQ(sim::keyboard().drains.size(), sim::keyboard().events.size())
        << "every event is followed by draining";
    ClearRecord();
    return journal;
  }
  void ExpectOneErrorBox(const std::string& text) {
    ASSERT_EQ(sim::ui().boxes.size(), 1u);
    EXPECT_EQ(sim::ui().boxes[0].text, text);
    EXPECT_EQ(sim::ui().boxes[0].caption, "Error");
    EXPECT_EQ(sim::ui().boxes[0].owner, owner_);
    EXPECT_EQ(sim::ui().boxes[0].beeps_before, 1);
  }
  plat::Hwnd owner_ = nullptr;
};

TEST_F(OpenSyncTest, TypesTheOpenThenTheGotoText) {
  qrvl::TIDE* d = Driver(
      "Custom_OpenWithLFN=1\r\nCustom_Open=^o#FILENAME#{ENTER}\r\nCustom_Goto=^g#LINENUM#{ENTER}"
      "\r\n");
  EXPECT_TRUE(d->SyncIDE("C:\\Src\\Long Name.cpp", 1234, 0, 0));
  const std::string got = Taken();
  EXPECT_EQ(got, Typed("^o\"C:\\Src\\Long Name.cpp\"{ENTER}") + " " + Typed("^g1234{ENTER}"));
  EXPECT_TRUE(sim::ui().boxes.empty());
  Destroy(d);
}

TEST_F(OpenSyncTest, OpenTextHoldsTheShortNameOrNothingWithoutLongNames) {
  qrvl::TIDE* d = Driver("Custom_Open=^o#FILENAME#~\r\n");
  EXPECT_TRUE(d->OpenFile("C:\\Src\\Long Name.cpp"));
  const std::string short_name = Taken();
  EXPECT_EQ(short_name, Typed("^o\"C:\\SRC\\LONGNA~1.CPP\"~"));
  EXPECT_TRUE(d->OpenFile("C:\\Src\\missing.cpp"));
  const std::string missing = Taken();
  EXPECT_EQ(missing, Typed("^o\"\"~"));
  Destroy(d);
}

TEST_F(OpenSyncTest, NothingToSendAnswersTrue) {
  const struct {
    const char* keys;
    const char* file;
    std::int32_t line;
    const char* typed;  // what the call types
  } cases[] = {
      // No file name: the Goto text alone.
      {"Custom_Open=^o#FILENAME#\r\nCustom_Goto=^g#LINENUM#\r\n", nullptr, 5, "^g5"},
      {"Custom_Open=^o#FILENAME#\r\nCustom_Goto=^g#LINENUM#\r\n", "", 5, "^g5"},
      // An Open macro without its marker is skipped silently.
      {"Custom_Open=^o{ENTER}\r\nCustom_Goto=^g#LINENUM#\r\n", "a.txt", 5, "^g5"},
      // No line, or no Goto macro: nothing after the Open text.
      {"Custom_OpenWithLFN=1\r\nCustom_Open=#FILENAME#\r\nCustom_Goto=^g#LINENUM#\r\n", "a", 0,
       "\"a\""},
      {"Custom_OpenWithLFN=1\r\nCustom_Open=#FILENAME#\r\nCustom_Goto=^g#LINENUM#\r\n", "a", -5,
       "\"a\""},
      {"Custom_OpenWithLFN=1\r\nCustom_Open=#FILENAME#\r\n", "a", 9, "\"a\""},
      {"", "a", 9, ""},
  };
  for (const auto& c : cases) {
    qrvl::TIDE* d = Driver(c.keys);
    EXPECT_TRUE(d->SyncIDE(c.file, c.line, 0, 0)) << c.keys;
    const std::string got = Taken();
    EXPECT_EQ(got, *c.typed ? Typed(c.typed) : "") << c.keys;
    EXPECT_TRUE(sim::ui().boxes.empty()) << c.keys;
    Destroy(d);
  }
}

TEST_F(OpenSyncTest, GotoMacroWithoutItsMarkerIsAnError) {
  qrvl::TIDE* d = Driver("Custom_Goto=^g{ENTER}\r\n");
  EXPECT_FALSE(d->SyncIDE(nullptr, 12, 0, 0));
  EXPECT_TRUE(sim::keyboard().events.empty());
  ExpectOneErrorBox("Error going to line number.");
  Destroy(d);
}

TEST_F(OpenSyncTest, FailedOpenStopsBeforeGotoAndFinish) {
  Spy spy;
  spy.OpenWithLFN = true;
  spy.OpenMacro = "^o#FILENAME#{ENTER";  // no closing brace: the sender answers false
  spy.GotoMacro = "^g#LINENUM#";
  EXPECT_FALSE(spy.SyncIDE("a.txt", 3, 1, 2));
  EXPECT_EQ(spy.gotos, 0);
  EXPECT_EQ(spy.finishes, 0);
  ASSERT_EQ(sim::ui().boxes.size(), 2u);
  EXPECT_EQ(sim::ui().boxes[0].text, "No Close");
  EXPECT_EQ(sim::ui().boxes[1].text, "Error Opening file.");
  EXPECT_EQ(sim::ui().boxes[1].caption, "Error");
  ClearRecord();

  // The steps run through the object, and the finish gets the last two arguments in order.
  spy.OpenMacro = "^o#FILENAME#";
  EXPECT_TRUE(spy.SyncIDE("a.txt", 3, 11, 22));
  EXPECT_EQ(spy.gotos, 1);
  EXPECT_EQ(spy.finishes, 1);
  EXPECT_EQ(spy.finish_args[0], 11);
  EXPECT_EQ(spy.finish_args[1], 22);
}

TEST_F(OpenSyncTest, MalformedRepeatCountLeavesSyncIDEWithoutABox) {
  qrvl::TIDE* d = Driver("Custom_Goto=ab{LEFT x}#LINENUM#\r\n");
  try {
    d->SyncIDE(nullptr, 4, 0, 0);
    ADD_FAILURE() << "no error";
  } catch (const qrvl::HostError& e) {
    EXPECT_STREQ(e.what(), "'X' is not a valid integer value");
  }
  EXPECT_TRUE(sim::ui().boxes.empty());
  const std::string got = JournalText();
  EXPECT_EQ(got, Typed("ab"));
  // The library's boundary is left cleanly: the next call works.
  EXPECT_TRUE(d->OpenFile(nullptr));
  EXPECT_THROW(d->GotoLine(4), qrvl::HostError);
  Destroy(d);
}
