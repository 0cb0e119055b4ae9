// The editor profile: reading, writing back, accessors, pictures, type codes.
#include "frame/host_error.h"
#include "sim_fixture.h"

class ProfileTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    QRVL_Init();
  }
  static std::string Key(const std::string& prefix, const std::string& name,
                         const std::string& def = "<missing>") {
    char buffer[2048];
    plat::GetPrivateProfileString("Editors", (prefix + name).c_str(), def.c_str(), buffer,
                                  sizeof buffer, kIni);
    return buffer;
  }
};

TEST_F(ProfileTest, OnlyDescGivenLeavesEmptyTextsNotNull) {
  Ini("[Editors]\r\nMSVC_4X_Desc=Visual C++\r\n");
  qrvl::TIDE* d = Create(9);
  EXPECT_STREQ(d->GetDescription(), "Visual C++");
  ASSERT_NE(d->GetAppClass(), nullptr);
  EXPECT_STREQ(d->GetAppClass(), "");
  EXPECT_STREQ(d->GetAppText(), "");
  EXPECT_STREQ(d->GetEditClass(), "");
  EXPECT_EQ(d->OpenMacro, "");
  EXPECT_EQ(d->GotoMacro, "");
  EXPECT_FALSE(d->OpenWithLFN);
  EXPECT_TRUE(sim::ui().boxes.empty());
  Destroy(d);
}

TEST_F(ProfileTest, ReadsEveryKeyUnderTheKindsPrefixCaseInsensitively) {
  Ini("; settings\r\n[editors]\r\n"
      "custom_appclass = Notepad\r\nCustom_AppText=Untitled - Notepad\r\n"
      "Custom_EditClass=Edit\r\nCUSTOM_DESC=\"My Editor\"\r\nCustom_OpenWithLFN=1\r\n"
      "Custom_Open=^o#FILENAME#{ENTER}\r\nCustom_Goto=^g#LINENUM#{ENTER}\r\n"
      "MSVC_4X_Desc=other kind\r\n");
  qrvl::TIDE* d = Create(0);
  EXPECT_STREQ(d->GetAppClass(), "Notepad");
  EXPECT_STREQ(d->GetAppText(), "Untitled - Notepad");
  EXPECT_STREQ(d->GetEditClass(), "Edit");
  EXPECT_STREQ(d->GetDescription(), "My Editor");
  EXPECT_TRUE(d->OpenWithLFN);
  EXPECT_EQ(d->OpenMacro, "^o#FILENAME#{ENTER}");
  EXPECT_EQ(d->GotoMacro, "^g#LINENUM#{ENTER}");
  Destroy(d);
}

TEST_F(ProfileTest, EmptyDescIsEmptyMissingDescIsTheDefault) {
  Ini("[Editors]\r\nCustom_Desc=\r\n");
  qrvl::TIDE* empty = Create(0);
  qrvl::TIDE* missing = Create(3);
  EXPECT_STREQ(empty->GetDescription(), "");
  EXPECT_STREQ(missing->GetDescription(), "Unknown Editor/IDE");
  Destroy(empty);
  Destroy(missing);
}

TEST_F(ProfileTest, ProfileTextsKeep255MacrosKeep1023) {
  const std::string d300(300, 'd'), o300(300, 'o'), long_goto(1500, 'g');
  Ini("[Editors]\r\nCustom_Desc=" + d300 + "\r\nCustom_Open=" + o300 +
      "\r\nCustom_Goto=" + long_goto + "\r\nCustom_AppText=" + long_goto + "\r\n");
  qrvl::TIDE* d = Create(0);
  EXPECT_EQ(std::string(d->GetDescription()), d300.substr(0, 255));
  EXPECT_EQ(std::string(d->GetAppText()), long_goto.substr(0, 255));
  EXPECT_EQ(d->OpenMacro, o300);
  EXPECT_EQ(d->GotoMacro, long_goto.substr(0, 1023));
  Destroy(d);
}

TEST_F(ProfileTest, OpenWithLFNNumberRules) {
  const struct {
    const char* value;
    bool expected;
  } cases[] = {
      {"1", true},           {"2", true},           {"-1", true},           {"0x10", true},
      {"0X1f", true},        {"$A", true},          {"  7", true},          {"+3", true},
      {"-2147483648", true}, {"$FFFFFFFF", true},   {"0", false},           {"0x0", false},
      {"", false},           {"yes", false},        {"true", false},        {"1a", false},
      {"-$A", false},        {"2147483648", false}, {"99999999999", false}, {"0x", false},
      {"$", false},          {"1 2", false},        {"$100000000", false},  {"x1", false},
  };
  for (const auto& c : cases) {
    Ini(std::string("[Editors]\r\nCustom_OpenWithLFN=") + c.value + "\r\n");
    qrvl::TIDE* d = Create(0);
    EXPECT_EQ(d->OpenWithLFN, c.expected) << "'" << c.value << "'";
    Destroy(d);
  }
}

TEST_F(ProfileTest, SecondLoadReplacesTextsAndOldOnesStayValid) {
  Ini("[Editors]\r\nCustom_Desc=first\r\n");
  qrvl::TIDE* d = Create(0);
  const char* first = d->GetDescription();
  Ini("[Editors]\r\nCustom_Desc=second\r\n");
  EXPECT_TRUE(d->Load());
  EXPECT_STREQ(d->GetDescription(), "second");
  EXPECT_STREQ(first, "first");  // an answered text lives as long as its driver
  Destroy(d);
}

TEST_F(ProfileTest, LoadAfterTheFileWentAwayKeepsTheProfile) {
  Ini("[Editors]\r\nCustom_Desc=kept\r\n");
  qrvl::TIDE* d = Create(0);
  sim::files().files.clear();
  EXPECT_FALSE(d->Load());
  EXPECT_STREQ(d->GetDescription(), "kept");
  EXPECT_EQ(sim::ui().boxes.size(), 1u);
  Destroy(d);
}

TEST_F(ProfileTest, DirectoryIsNoSettingsFile) {
  sim::files().directories.insert(kIni);
  qrvl::TIDE* d = Create(0);
  EXPECT_EQ(sim::ui().boxes.size(), 1u);
  EXPECT_EQ(d->GetDescription(), nullptr);
  Destroy(d);
}

TEST_F(ProfileTest, SaveWritesWhatTheDriverHolds) {
  Ini("[Editors]\r\nMSVC_4X_Desc=Visual C++\r\nMSVC_4X_OpenWithLFN=0x1\r\n"
      "MSVC_4X_Open=^o#FILENAME#~\r\nMSVC_4X_Extra=kept\r\n");
  qrvl::TIDE* d = Create(9);
  d->Save();
  EXPECT_EQ(Key("MSVC_4X_", "Desc"), "Visual C++");
  EXPECT_EQ(Key("MSVC_4X_", "OpenWithLFN"), "1");
  EXPECT_EQ(Key("MSVC_4X_", "Open"), "^o#FILENAME#~");
  EXPECT_EQ(Key("MSVC_4X_", "AppClass"), "");  // present, empty
  EXPECT_EQ(Key("MSVC_4X_", "Goto"), "");
  EXPECT_EQ(Key("MSVC_4X_", "Extra"), "kept");
  Destroy(d);
}

TEST_F(ProfileTest, SaveOfAFailedDriverCreatesTheFileWithEmptyKeys) {
  qrvl::TIDE* d = Create(3);
  ASSERT_FALSE(sim::HasFile(kIni));
  d->Save();
  ASSERT_TRUE(sim::HasFile(kIni));
  for (const char* name : {"AppClass", "AppText", "EditClass", "Desc", "Open", "Goto"})
    EXPECT_EQ(Key("MSVC_1X_", name), "") << name;
  EXPECT_EQ(Key("MSVC_1X_", "OpenWithLFN"), "0");
  Destroy(d);
}

TEST_F(ProfileTest, RefusedWriteReachesTheCallerWithThePath) {
  Ini("[Editors]\r\nCustom_Desc=x\r\n");
  qrvl::TIDE* d = Create(0);
  sim::files().refuse_write.insert(kIni);
  try {
    d->Save();
    FAIL() << "Save did not report the refused write";
  } catch (const qrvl::HostError& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Unable to write to ") + kIni);
  }
  Destroy(d);
}

TEST_F(ProfileTest, BitmapForEveryKindButCustomAndANewOneEachCall) {
  Ini("[Editors]\r\n");
  qrvl::TIDE* custom = Create(0);
  EXPECT_EQ(custom->GetBitmap(), nullptr);
  qrvl::TIDE* d = Create(17);
  const auto a = d->GetBitmap(), b = d->GetBitmap();
  EXPECT_NE(a, nullptr);
  EXPECT_NE(a, b);
  Destroy(custom);
  Destroy(d);
}

TEST_F(ProfileTest, GenericAnswersOfTIDE) {
  Ini("[Editors]\r\n");
  qrvl::TIDE* d = Create(0);
  EXPECT_FALSE(d->CanRestoreIDE());
  EXPECT_FALSE(d->CanInstall());
  EXPECT_TRUE(d->IsInstalled());
  EXPECT_TRUE(d->IsIDEReady());
  EXPECT_FALSE(d->ReservedA());
  EXPECT_TRUE(d->SyncFinish(1, 2));
  // Operations without an implementation answer 0 rather than abort.
  EXPECT_FALSE(d->RestoreIDE(nullptr));
  EXPECT_FALSE(d->Install());
  EXPECT_FALSE(d->Uninstall());
  EXPECT_EQ(d->ReservedB(), 0);
  EXPECT_EQ(d->ReservedC(), 0);
  Destroy(d);
}

TEST_F(ProfileTest, OperationTableHasTheSlotOrderOfThePublicHeader) {
  Ini("[Editors]\r\nCustom_Desc=slots\r\nCustom_AppClass=cls\r\n");
  QRVL_IDE* ide = QRVL_CreateIDE(0, nullptr);
  const QRVL_IDEVtbl* t = ide->vtbl;
  EXPECT_STREQ(t->GetDescription(ide), "slots");
  EXPECT_STREQ(t->GetAppClass(ide), "cls");
  EXPECT_EQ(t->GetIDEType(ide), 0);
  EXPECT_EQ(t->IsInstalled(ide), 1);
  EXPECT_EQ(t->SyncFinish(ide, 0, 0), 1);
  QRVL_IDE* mdi = QRVL_CreateIDE(2, nullptr);
  EXPECT_EQ(mdi->vtbl->GetIDEType(mdi), 1);
  EXPECT_EQ(QRVL_DestroyIDE(ide), 1);
  EXPECT_EQ(QRVL_DestroyIDE(mdi), 1);
}
