// Library start-up and the editor factory.
#include <cstring>

#include "frame/kinds.h"
#include "sim_fixture.h"

using qrvl::globals;

class FrameTest : public SimTest {};

TEST_F(FrameTest, LoadRecordsModuleNameAndClearsOwner) {
  globals().OwnerWindow = reinterpret_cast<plat::Hwnd>(7);
  qrvl::OnLoad(nullptr);
  EXPECT_EQ(globals().ModuleFileName, kDll);
  EXPECT_EQ(globals().OwnerWindow, nullptr);
  EXPECT_EQ(globals().SettingsFilePath, "");
  EXPECT_EQ(globals().OpenFileMessage, 0);
}

TEST_F(FrameTest, ModuleNameIsCutAt511Characters) {
  sim::ui().module_file_name = "C:\\" + std::string(600, 'd') + "\\QRVIDE32.DLL";
  qrvl::OnLoad(nullptr);
  EXPECT_EQ(globals().ModuleFileName.size(), 510u);  // the system keeps room for the zero
  QRVL_Init();
  EXPECT_EQ(globals().SettingsFilePath, "C:\\EDITORS.INI");  // built from the cut path
}

TEST_F(FrameTest, InitRegistersMessagesAndFixesSettingsPath) {
  EXPECT_EQ(QRVL_IDECount(), 18);
  EXPECT_EQ(QRVL_Init(), 1);
  const auto open = globals().OpenFileMessage, restore = globals().RestoreMessage;
  EXPECT_EQ(open, sim::ui().registered.at("CM_QRVLOPENFILE"));
  EXPECT_EQ(restore, sim::ui().registered.at("CM_QRVLRESTORE"));
  EXPECT_NE(open, restore);
  EXPECT_EQ(globals().SettingsFilePath, kIni);
  EXPECT_EQ(QRVL_Init(), 1);
  EXPECT_EQ(globals().OpenFileMessage, open);
  EXPECT_EQ(globals().RestoreMessage, restore);
  EXPECT_EQ(globals().SettingsFilePath, kIni);
  EXPECT_EQ(QRVL_IDECount(), 18);
}

TEST_F(FrameTest, FailedRegistrationLeavesZeroAndStillAnswersTrue) {
  sim::ui().refuse_register = true;
  EXPECT_EQ(QRVL_Init(), 1);
  EXPECT_EQ(globals().OpenFileMessage, 0);
  EXPECT_EQ(globals().RestoreMessage, 0);
}

TEST_F(FrameTest, SettingsPathTakesDirectoryUpToLastBackslashOrColon) {
  const struct {
    const char* module;
    const char* settings;
  } cases[] = {
      {"C:\\TOOLS\\QRVIDE32.DLL", "C:\\TOOLS\\EDITORS.INI"},
      {"QRVIDE32.DLL", "EDITORS.INI"},
      {"D:QRVIDE32.DLL", "D:EDITORS.INI"},
      {"\\\\srv\\share\\x\\QRVIDE32.DLL", "\\\\srv\\share\\x\\EDITORS.INI"},
  };
  for (const auto& c : cases) {
    sim::ui().module_file_name = c.module;
    qrvl::OnLoad(nullptr);
    QRVL_Init();
    EXPECT_EQ(globals().SettingsFilePath, c.settings) << c.module;
  }
}

TEST_F(FrameTest, KindsMapToClassAndPrefixByLowSevenBits) {
  QRVL_Init();
  Ini("[Editors]\r\n");
  const struct {
    int kind;
    const char* prefix;
    std::uint8_t type;
  } cases[] = {
      {0, "Custom_", 0},    {2, "BorCPP_4X_", 1},
      {3, "MSVC_1X_", 0},   {4, "Delphi_1X_", 2},
      {9, "MSVC_4X_", 3},   {12, "Delphi_1XG_", 2},
      {16, "MSJPP_1X_", 3}, {128, "Custom_", 0},
      {145, "MSVC_5X_", 3}, {256 + 8, "MultiEdit_7X_", 1},
  };
  for (const auto& c : cases) {
    qrvl::TIDE* d = Create(c.kind);
    ASSERT_NE(d, nullptr) << c.kind;
    EXPECT_EQ(d->KeyPrefix, c.prefix);
    EXPECT_EQ(d->GetIDEType(), c.type) << c.kind;
    Destroy(d);
  }
}

TEST_F(FrameTest, KindAbove17AnswersNoneButStillReplacesOwner) {
  QRVL_Init();
  const auto owner = sim::AddWindow("Host", "Host");
  for (int kind : {18, 127, 255, -1}) EXPECT_EQ(QRVL_CreateIDE(kind, owner), nullptr) << kind;
  EXPECT_TRUE(sim::ui().boxes.empty());
  // The next box of any driver belongs to the owner of the failed call.
  qrvl::TIDE::ShowError("x");
  ASSERT_EQ(sim::ui().boxes.size(), 1u);
  EXPECT_EQ(sim::ui().boxes[0].owner, owner);
}

TEST_F(FrameTest, MissingSettingsFileShowsOneBoxPerDriverAndStillYieldsIt) {
  QRVL_Init();
  const auto owner = sim::AddWindow("Host", "Host");
  for (int kind = 0; kind < 18; ++kind) {
    sim::ui().boxes.clear();
    sim::ui().beeps.clear();
    qrvl::TIDE* d = Create(kind, owner);
    ASSERT_NE(d, nullptr) << kind;
    ASSERT_EQ(sim::ui().boxes.size(), 1u) << kind;
    const auto& box = sim::ui().boxes[0];
    EXPECT_EQ(box.text, std::string("Could not find Editor/IDE initialization file : ") + kIni);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.type, 0u);
    // One default beep, sounded before the box.
    EXPECT_EQ(sim::ui().beeps, std::vector<std::uint32_t>{0u});
    EXPECT_EQ(box.beeps_before, 1);
    EXPECT_EQ(d->GetDescription(), nullptr);
    EXPECT_EQ(d->GetAppClass(), nullptr);
    Destroy(d);
  }
}

TEST_F(FrameTest, CreateBeforeInitNamesTheFileAsNothing) {
  qrvl::TIDE* d = Create(0);
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(sim::ui().boxes.size(), 1u);
  EXPECT_EQ(sim::ui().boxes[0].text, "Could not find Editor/IDE initialization file : ");
  Destroy(d);
}

TEST_F(FrameTest, DestroyOfNoneAnswersTrue) {
  EXPECT_EQ(QRVL_DestroyIDE(nullptr), 1);
}

TEST_F(FrameTest, ProductMessageIsOwnedAndCaptionedWithoutBeep) {
  QRVL_Init();
  const auto owner = sim::AddWindow("Host", "Host");
  QRVL_CreateIDE(99, owner);
  qrvl::ShowProductMessage("Start The Hurricane Editor and try again.");
  ASSERT_EQ(sim::ui().boxes.size(), 1u);
  EXPECT_EQ(sim::ui().boxes[0].caption, "Quarvel");
  EXPECT_EQ(sim::ui().boxes[0].owner, owner);
  EXPECT_TRUE(sim::ui().beeps.empty());
}
