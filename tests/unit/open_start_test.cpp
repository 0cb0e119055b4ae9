// Starting an editor program: launch errors, the wait for input, the handles.
#include "sim_fixture.h"

class StartEditorTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    QRVL_Init();
    owner_ = sim::AddWindow("QuarvelMain", "Quarvel");
    Ini("[Editors]\r\nCustom_Desc=x\r\n");
    Destroy(Create(0, owner_));  // makes owner_ the owner of the error box
  }
  plat::Hwnd owner_ = nullptr;
};

TEST_F(StartEditorTest, ReadyProgramAnswersTrueAndItsHandlesAreClosed) {
  sim::processes().programs["C:\\Apps\\ed.exe"] = sim::Program{};
  EXPECT_TRUE(qrvl::TIDE::StartEditor("c:\\apps\\ED.EXE \"my file.txt\""));
  auto& p = sim::processes();
  ASSERT_EQ(p.started.size(), 1u);
  EXPECT_EQ(p.started[0], "c:\\apps\\ED.EXE \"my file.txt\"");
  ASSERT_EQ(p.waits.size(), 1u);
  EXPECT_EQ(p.waits[0].milliseconds, 4000u);
  EXPECT_EQ(p.closed.size(), 2u);
  EXPECT_TRUE(p.open_handles.empty());
  EXPECT_TRUE(sim::ui().boxes.empty());
}

TEST_F(StartEditorTest, NotReadyAnswersFalseWithoutABox) {
  for (std::uint32_t answer : {plat::kWaitTimeout, plat::kWaitFailed}) {
    sim::processes().programs["C:\\Program Files\\ed.exe"] = sim::Program{0, answer};
    EXPECT_FALSE(qrvl::TIDE::StartEditor("\"C:\\Program Files\\ed.exe\" -x")) << answer;
    EXPECT_TRUE(sim::processes().open_handles.empty()) << answer;
  }
  EXPECT_EQ(sim::processes().started.size(), 2u);
  EXPECT_TRUE(sim::ui().boxes.empty());
}

TEST_F(StartEditorTest, LaunchFailureShowsTheErrorBoxWithTheLaunchText) {
  sim::processes().programs["bad.exe"] = sim::Program{193};
  sim::processes().programs["big.exe"] = sim::Program{0x10003};  // only the low 16 bits count
  const struct {
    const char* line;
    const char* text;
  } cases[] = {
      {"C:\\nowhere\\missing.exe /a",
       "Error Starting Editor: C:\\nowhere\\missing.exe /a.\r"
       "Path was not found to EXE."},
      {"bad.exe", "Error Starting Editor: bad.exe.\rOther error(193)"},
      {"big.exe", "Error Starting Editor: big.exe.\rPath was not found to EXE."},
  };
  for (const auto& c : cases) {
    sim::ui().boxes.clear();
    sim::ui().beeps.clear();
    EXPECT_FALSE(qrvl::TIDE::StartEditor(c.line));
    ASSERT_EQ(sim::ui().boxes.size(), 1u) << c.line;
    const sim::MessageBoxCall& box = sim::ui().boxes[0];
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.owner, owner_);
    EXPECT_EQ(box.beeps_before, 1);
  }
  EXPECT_TRUE(sim::processes().started.empty());
  EXPECT_EQ(sim::processes().failed.size(), 3u);
}

TEST_F(StartEditorTest, LongCommandLineReachesTheSystemWhole) {
  const std::string line = "ed.exe " + std::string(50000, 'a');
  sim::processes().programs["ed.exe"] = sim::Program{};
  EXPECT_TRUE(qrvl::TIDE::StartEditor(line));
  ASSERT_EQ(sim::processes().started.size(), 1u);
  EXPECT_EQ(sim::processes().started[0], line);
}
