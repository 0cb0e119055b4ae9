// The add-in drivers of Delphi 2/3, C++Builder and Borland C++ 5: their profile,
// the key paths they test, and the utility window they post to.
#include <string>

#include "drivers/bc5_ide.h"
#include "drivers/delphi2_ide.h"
#include "sim_fixture.h"

using qrvl::globals;

namespace {

class AddinTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    QRVL_Init();
    owner_ = sim::AddWindow("Host", "Host");
  }
  qrvl::TDelphi2IDE* Delphi(int kind = 5) {
    return static_cast<qrvl::TDelphi2IDE*>(Create(kind, owner_));
  }
  plat::Hwnd owner_ = nullptr;
};

TEST_F(AddinTest, ParentAndGrandparentKeyPaths) {
  const struct {
    const char* path;
    const char* parent;
    const char* grandparent;
  } cases[] = {
      {"A\\B\\C\\D", "A\\B\\C", "A"},
      {"A\\B\\C", "A\\B", ""},
      {"A\\B\\C\\", "A\\B\\C", "A"},  // a trailing backslash is an empty last component
      {"A\\B\\C\\D\\", "A\\B\\C\\D", "A\\B"},
      {"C", "", ""},
      {"", "", ""},
      {"\\A", "", ""},
      {"X:Y\\Z", "X:Y", ""},  // a colon separates as well
  };
  for (const auto& c : cases) {
    EXPECT_EQ(qrvl::ParentKeyPath(c.path), c.parent) << c.path;
    EXPECT_EQ(qrvl::GrandparentKeyPath(c.path), c.grandparent) << c.path;
  }
}

TEST_F(AddinTest, LoadReadsTheThreeAddinKeys) {
  Ini("[Editors]\r\nDelphi_2X_Desc=Delphi 2\r\nDelphi_2X_Util_AppClass=TQrvlUtil\r\n"
      "Delphi_2X_Util_AppText=" +
      std::string(300, 't') + "\r\nDelphi_2X_RegKey=" + std::string(300, 'k') + "\r\n");
  qrvl::TDelphi2IDE* d = Delphi();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->GetIDEType(), 2);
  EXPECT_STREQ(d->Util_AppClass, "TQrvlUtil");
  EXPECT_EQ(std::string(d->Util_AppText), std::string(255, 't'));  // a profile text
  EXPECT_EQ(d->RegKey, std::string(300, 'k'));                     // a counted text, whole
  EXPECT_STREQ(d->GetDescription(), "Delphi 2");
  Destroy(d);

  // Missing keys give empty texts, not absent ones.
  Ini("[Editors]\r\n");
  for (int kind : {5, 10, 14, 15}) {
    d = Delphi(kind);
    EXPECT_STREQ(d->Util_AppClass, "") << kind;
    EXPECT_STREQ(d->Util_AppText, "") << kind;
    EXPECT_EQ(d->RegKey, "") << kind;
    EXPECT_TRUE(sim::ui().boxes.empty());
    Destroy(d);
  }
}

TEST_F(AddinTest, FailedLoadLeavesAddinFieldsAbsentAfterOneBox) {
  for (int kind : {5, 10}) {
    sim::ui().boxes.clear();
    qrvl::TDelphi2IDE* d = Delphi(kind);
    EXPECT_EQ(d->Util_AppClass, nullptr);
    EXPECT_EQ(d->Util_AppText, nullptr);
    EXPECT_EQ(d->RegKey, "");
    EXPECT_EQ(sim::ui().boxes.size(), 1u);
    EXPECT_FALSE(d->Load());
    Destroy(d);
  }
}

TEST_F(AddinTest, TypesAndInheritedAnswers) {
  Ini("[Editors]\r\n");
  const struct {
    int kind;
    std::uint8_t type;
  } cases[] = {{5, 2}, {14, 2}, {15, 2}, {10, 0}};
  for (const auto& c : cases) {
    qrvl::TIDE* d = Create(c.kind);
    EXPECT_EQ(d->GetIDEType(), c.type) << c.kind;
    EXPECT_FALSE(d->CanRestoreIDE());
    EXPECT_FALSE(d->ReservedA());
    Destroy(d);
  }
}

TEST_F(AddinTest, SyncPostsOpenFileToTheUtilityWindowOnly) {
  Ini("[Editors]\r\nDelphi_3X_Desc=Delphi 3\r\nDelphi_3X_Util_AppClass=TQrvlUtil\r\n"
      "Delphi_3X_Util_AppText=Quarvel Utility\r\n");
  qrvl::TDelphi2IDE* d = Delphi(14);
  // Same class, other titles, and the other way round: none of them is the target.
  sim::AddWindow("TQrvlUtil", "Other");
  sim::AddWindow("TQrvlUtil", "");
  sim::AddWindow("TOther", "Quarvel Utility");
  EXPECT_FALSE(d->IsIDEReady());
  const plat::Hwnd util = sim::AddWindow("tqrvlutil", "Quarvel Utility");  // class: any case
  sim::AddWindow("Topmost", "Topmost");
  EXPECT_TRUE(d->IsIDEReady());
  EXPECT_TRUE(d->SyncIDE("C:\\src\\a.pas", 12, 3, 4));
  ASSERT_EQ(sim::ui().posted.size(), 1u);
  const auto& post = sim::ui().posted[0];
  EXPECT_EQ(post.window, util);
  EXPECT_EQ(post.message, globals().OpenFileMessage);
  EXPECT_EQ(post.wparam, 0u);
  EXPECT_EQ(post.lparam, 0);
  EXPECT_TRUE(sim::ui().boxes.empty());
  EXPECT_TRUE(sim::ui().beeps.empty());
  Destroy(d);
}

TEST_F(AddinTest, EmptyUtilityTitleMatchesOnlyAnUntitledWindow) {
  Ini("[Editors]\r\nCBuilder_1X_Util_AppClass=TQrvlUtil\r\n");
  qrvl::TDelphi2IDE* d = Delphi(15);
  sim::AddWindow("TQrvlUtil", "Titled");
  EXPECT_FALSE(d->IsIDEReady());
  const plat::Hwnd util = sim::AddWindow("TQrvlUtil", "");
  sim::AddWindow("TQrvlUtil", "Titled too");
  EXPECT_TRUE(d->SyncIDE(nullptr, 0, 0, 0));
  ASSERT_EQ(sim::ui().posted.size(), 1u);
  EXPECT_EQ(sim::ui().posted[0].window, util);
  Destroy(d);
}

TEST_F(AddinTest, SyncWithoutUtilityWindowShowsTheErrorBoxAndAnswersFalse) {
  Ini("[Editors]\r\nBorCPP_5X_Desc=Borland C++ 5.02\r\nBorCPP_5X_Util_AppClass=TQrvlUtil\r\n"
      "BorCPP_5X_Util_AppText=Quarvel\r\nDelphi_2X_Desc=Delphi 2.0\r\n");
  const struct {
    int kind;
    const char* desc;
  } cases[] = {{10, "Borland C++ 5.02"}, {5, "Delphi 2.0"}};
  for (const auto& c : cases) {
    sim::ui().boxes.clear();
    sim::ui().beeps.clear();
    qrvl::TIDE* d = Create(c.kind, owner_);
    EXPECT_FALSE(d->SyncIDE("a.cpp", 1, 0, 0)) << c.kind;
    ASSERT_EQ(sim::ui().boxes.size(), 1u);
    const auto& box = sim::ui().boxes[0];
    EXPECT_EQ(box.text, std::string("The Quarvel extension for ") + c.desc +
                            " has not been installed.\rInstall the extension and try again.");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.owner, owner_);
    EXPECT_EQ(box.beeps_before, 1);
    EXPECT_TRUE(sim::ui().posted.empty());
    Destroy(d);
  }
}

TEST_F(AddinTest, DriverWithoutProfileNeverPostsToAnArbitraryWindow) {
  // No settings file: class and title are absent, and a null search would
  // match the first top-level window.
  qrvl::TDelphi2IDE* d = Delphi(5);
  sim::AddWindow("Anything", "Anything");
  sim::ui().boxes.clear();
  EXPECT_FALSE(d->IsIDEReady());
  EXPECT_FALSE(d->SyncIDE("a.pas", 1, 0, 0));
  EXPECT_TRUE(sim::ui().posted.empty());
  ASSERT_EQ(sim::ui().boxes.size(), 1u);
  EXPECT_EQ(sim::ui().boxes[0].text,
            "The Quarvel extension for  has not been installed.\rInstall the extension and try "
            "again.");
  Destroy(d);
}

}  // namespace
