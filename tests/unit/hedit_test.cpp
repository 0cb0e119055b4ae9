// The Hurricane Editor driver: finding, starting and recalling the editor, and
// the messages of its failures.
#include <string>

#include "drivers/hedit_ide.h"
#include "registry_calls.h"

using qrvl::globals;

namespace {

constexpr plat::Hkey kHklm = QRVL_HKEY_LOCAL_MACHINE;
const std::string kKey1 = "Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\HEDIT32.EXE";
const std::string kKey2 = "Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\HEDIT.EXE";
constexpr const char* kEditor = "C:\\HEDIT\\HEDIT.EXE";

class HEditTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    QRVL_Init();
    owner_ = sim::AddWindow("Host", "Host");
    Ini("[Editors]\r\nHEdit_Desc=Hurricane Editor\r\nHEdit_AppClass=THurricane\r\n");
  }
  qrvl::THEditIDE* HEdit() { return static_cast<qrvl::THEditIDE*>(Create(1, owner_)); }
  static void Register(const std::string& key, const std::string& path) {
    sim::RegPut(kHklm, key, "", plat::kRegSz, regtest::Sz(path));
  }
  static void Program(const std::string& path) { sim::processes().programs[path] = {}; }
  static bool Touched(const std::string& key) {
    for (const std::string& entry : sim::registry().log)
      if (entry.find("HKEY_LOCAL_MACHINE\\" + key) != std::string::npos) return true;
    return false;
  }
  plat::Hwnd owner_ = nullptr;
};

TEST_F(HEditTest, InheritedAnswersAndRestoreWithoutTouchingTheRegistry) {
  qrvl::THEditIDE* d = HEdit();
  EXPECT_TRUE(d->CanRestoreIDE());
  EXPECT_EQ(d->GetIDEType(), 0);
  EXPECT_FALSE(d->CanInstall());
  EXPECT_TRUE(d->IsInstalled());
  EXPECT_TRUE(d->IsIDEReady());
  EXPECT_TRUE(sim::registry().log.empty());
  EXPECT_EQ(d->EditorPath, "");
  Destroy(d);
}

TEST_F(HEditTest, RestoreWithAWindowPostsToExactlyThatWindow) {
  // Not registered, and another editor window exists: the host's window is the target.
  sim::AddWindow("THurricane", "Other");
  const plat::Hwnd given = sim::AddWindow("Anything", "Given");
  qrvl::THEditIDE* d = HEdit();
  EXPECT_TRUE(d->RestoreIDE(given));
  ASSERT_EQ(sim::ui().posted.size(), 1u);
  EXPECT_EQ(sim::ui().posted[0].window, given);
  EXPECT_EQ(sim::ui().posted[0].message, globals().RestoreMessage);
  EXPECT_EQ(sim::ui().posted[0].wparam, 0u);
  EXPECT_EQ(sim::ui().posted[0].lparam, 0);
  EXPECT_TRUE(sim::registry().log.empty());
  EXPECT_TRUE(sim::processes().started.empty());
  EXPECT_TRUE(sim::ui().boxes.empty());
  Destroy(d);
}

TEST_F(HEditTest, EditorPathComesFromTheFirstKeyWithAText) {
  const struct {
    const char* key1;  // default value of key 1; null: no key
    const char* key2;
    const char* path;
    bool reads_key2;
  } cases[] = {
      {"C:\\H32\\HEDIT32.EXE", "C:\\H\\HEDIT.EXE", "C:\\H32\\HEDIT32.EXE", false},
      {nullptr, "C:\\H\\HEDIT.EXE", "C:\\H\\HEDIT.EXE", true},
      {"", "C:\\H\\HEDIT.EXE", "C:\\H\\HEDIT.EXE", true},
      {nullptr, nullptr, "", true},
  };
  for (const auto& c : cases) {
    sim::ResetRegistry();
    if (c.key1) Register(kKey1, c.key1);
    if (c.key2) Register(kKey2, c.key2);
    qrvl::THEditIDE* d = HEdit();
    d->EditorPath = "stale";
    d->FindEditorPath();
    EXPECT_EQ(d->EditorPath, c.path) << c.path;
    EXPECT_EQ(Touched(kKey2), c.reads_key2) << c.path;
    EXPECT_TRUE(sim::RegHasKey(kHklm, kKey1));  // a lookup leaves key 1 behind
    Destroy(d);
  }
  // A value of another type gives no path either.
  sim::ResetRegistry();
  sim::RegPut(kHklm, kKey1, "", plat::kRegDword, std::string(4, '\1'));
  Register(kKey2, kEditor);
  qrvl::THEditIDE* d = HEdit();
  d->FindEditorPath();
  EXPECT_EQ(d->EditorPath, kEditor);
  Destroy(d);
}

TEST_F(HEditTest, RestoreStartsTheRegisteredEditorAndPostsToItsWindow) {
  Register(kKey2, kEditor);
  Program(kEditor);
  const plat::Hwnd editor = sim::AddWindow("thurricane", "Some file - Hurricane");
  qrvl::THEditIDE* d = HEdit();
  EXPECT_TRUE(d->RestoreIDE(nullptr));
  EXPECT_EQ(sim::processes().started, std::vector<std::string>{kEditor});
  ASSERT_EQ(sim::ui().posted.size(), 1u);
  EXPECT_EQ(sim::ui().posted[0].window, editor);
  EXPECT_EQ(sim::ui().posted[0].message, globals().RestoreMessage);
  EXPECT_TRUE(sim::ui().boxes.empty());
  EXPECT_EQ(d->EditorPath, kEditor);
  Destroy(d);
}

TEST_F(HEditTest, FailureTable) {
  const std::string no_window =
      "Error Starting Hurricane Editor.\rCould not find window after initializing.";
  const struct {
    const char* name;
    bool registered;
    std::uint32_t start_error;
    std::uint32_t idle_answer;
    const char* caption;  // of the one box; null: no box
    const char* text;
    bool started;
  } cases[] = {
      {"not registered", false, 0, plat::kWaitObject0, "Quarvel",
       "Start The Hurricane Editor and try again.", false},
      {"does not start", true, 2, plat::kWaitObject0, "Error",
       "Error Starting Editor: C:\\HEDIT\\HEDIT.EXE.\rPath was not found to EXE.", false},
      {"never idle", true, 0, plat::kWaitTimeout, nullptr, nullptr, true},
      {"no window", true, 0, plat::kWaitObject0, "Error", no_window.c_str(), true},
  };
  for (const auto& c : cases) {
    sim::ResetRegistry();
    sim::ResetProcesses();
    sim::ui().boxes.clear();
    sim::ui().beeps.clear();
    if (c.registered) Register(kKey1, kEditor);
    sim::processes().programs[kEditor] = {c.start_error, c.idle_answer};
    qrvl::THEditIDE* d = HEdit();
    EXPECT_FALSE(d->RestoreIDE(nullptr)) << c.name;
    EXPECT_EQ(sim::processes().started.size(), c.started ? 1u : 0u) << c.name;
    ASSERT_EQ(sim::ui().boxes.size(), c.caption ? 1u : 0u) << c.name;
    if (c.caption) {
      EXPECT_EQ(sim::ui().boxes[0].caption, c.caption) << c.name;
      EXPECT_EQ(sim::ui().boxes[0].text, c.text) << c.name;
      EXPECT_EQ(sim::ui().boxes[0].owner, owner_) << c.name;
      // The product box sounds no beep; the error box one.
      EXPECT_EQ(sim::ui().beeps.size(), std::string(c.caption) == "Error" ? 1u : 0u) << c.name;
    }
    EXPECT_TRUE(sim::ui().posted.empty()) << c.name;
    Destroy(d);
  }
}

TEST_F(HEditTest, SyncPostsOpenFileToTheEditorWindowOfAnyTitle) {
  sim::AddWindow("TOther", "Hurricane");
  const plat::Hwnd editor = sim::AddWindow("THurricane", "anything at all");
  qrvl::THEditIDE* d = HEdit();
  EXPECT_TRUE(d->SyncIDE("C:\\src\\a.c", 7, 1, 2));
  ASSERT_EQ(sim::ui().posted.size(), 1u);
  EXPECT_EQ(sim::ui().posted[0].window, editor);
  EXPECT_EQ(sim::ui().posted[0].message, globals().OpenFileMessage);
  EXPECT_EQ(sim::ui().posted[0].wparam, 0u);
  EXPECT_EQ(sim::ui().posted[0].lparam, 0);
  EXPECT_TRUE(sim::ui().boxes.empty());
  Destroy(d);
}

TEST_F(HEditTest, SyncWithoutTheEditorShowsTheErrorBoxAndStartsNothing) {
  Register(kKey1, kEditor);
  Program(kEditor);
  qrvl::THEditIDE* d = HEdit();
  EXPECT_FALSE(d->SyncIDE("C:\\src\\a.c", 7, 0, 0));
  ASSERT_EQ(sim::ui().boxes.size(), 1u);
  EXPECT_EQ(sim::ui().boxes[0].text,
            "Error opening file in Hurricane Editor.\rCould not find window during call to "
            "OpenFile.");
  EXPECT_EQ(sim::ui().boxes[0].caption, "Error");
  EXPECT_EQ(sim::ui().boxes[0].owner, owner_);
  EXPECT_EQ(sim::ui().beeps.size(), 1u);
  EXPECT_TRUE(sim::processes().started.empty());
  EXPECT_TRUE(sim::ui().posted.empty());
  Destroy(d);
}

TEST_F(HEditTest, DriverWithoutProfileNeverPostsToAnArbitraryWindow) {
  sim::files().files.clear();  // no settings file: class and description absent
  Register(kKey1, kEditor);
  Program(kEditor);
  sim::AddWindow("Anything", "Anything");
  qrvl::THEditIDE* d = HEdit();
  ASSERT_EQ(d->GetAppClass(), nullptr);
  sim::ui().boxes.clear();
  EXPECT_FALSE(d->SyncIDE("a.c", 1, 0, 0));
  EXPECT_FALSE(d->RestoreIDE(nullptr));
  EXPECT_TRUE(sim::ui().posted.empty());
  ASSERT_EQ(sim::ui().boxes.size(), 2u);
  EXPECT_EQ(sim::ui().boxes[0].text,
            "Error opening file in .\rCould not find window during call to OpenFile.");
  EXPECT_EQ(sim::ui().boxes[1].text, "Error Starting .\rCould not find window after initializing.");
  Destroy(d);
}

}  // namespace
