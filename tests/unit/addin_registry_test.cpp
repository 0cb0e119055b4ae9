// What the add-in drivers do to the registry, through the library's registry
// exports, and what those write to the install log.
#include <string>

#include "drivers/bc5_ide.h"
#include "drivers/delphi2_ide.h"
#include "frame/host_error.h"
#include "registry_calls.h"

namespace {

constexpr plat::Hkey kHkcu = QRVL_HKEY_CURRENT_USER;
constexpr plat::Hkey kHklm = QRVL_HKEY_LOCAL_MACHINE;
constexpr const char* kLog = "C:\\TOOLS\\INSTALL.LOG";
const std::string kD2Key = "Software\\Borland\\Delphi\\2.0\\Experts";
const std::string kBc5Key = "Software\\Borland\\BC5\\AddOns\\Quarvel";

class AddinRegistryTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    QRVL_Init();
    Ini("[Editors]\r\nDelphi_2X_RegKey=" + kD2Key + "\r\nBorCPP_5X_RegKey=" + kBc5Key + "\r\n");
    sim::WriteFile(kLog, "");
  }
  // The keys opened or created since the log was last cleared.
  static std::vector<std::string> Opened() {
    std::vector<std::string> opened;
    for (const std::string& entry : sim::registry().log)
      if (entry.rfind("open ", 0) == 0 || entry.rfind("create ", 0) == 0) opened.push_back(entry);
    return opened;
  }
  static std::string Value(plat::Hkey root, const std::string& key, const std::string& name) {
    const sim::RegValue* v = sim::RegGet(root, key, name);
    return v ? v->data : "<missing>";
  }
};

TEST_F(AddinRegistryTest, CanInstallOpensTheParentOrGrandparentKey) {
  const struct {
    int kind;
    const char* reg_key;
    const char* tested;  // the one key that CanInstall opens
  } cases[] = {
      {5, "A\\B\\C", "A\\B"},
      {5, "D\\E\\F\\", "D\\E\\F"},
      {10, "G\\H\\I\\J", "G"},
      {10, "K\\L\\M\\N\\", "K\\L"},
  };
  for (const auto& c : cases) {
    qrvl::TDelphi2IDE* d = static_cast<qrvl::TDelphi2IDE*>(Create(c.kind));
    d->RegKey = c.reg_key;
    const plat::Hkey root = c.kind == 10 ? kHklm : kHkcu;
    const std::string root_name = c.kind == 10 ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
    sim::registry().log.clear();
    EXPECT_FALSE(d->CanInstall()) << c.reg_key;
    EXPECT_TRUE(Opened().empty()) << c.reg_key;  // missing: neither opened nor created
    sim::RegPutKey(root, c.tested);
    EXPECT_TRUE(d->CanInstall()) << c.reg_key;
    EXPECT_EQ(Opened(), std::vector<std::string>{"open " + root_name + c.tested}) << c.reg_key;
    Destroy(d);
  }
}

TEST_F(AddinRegistryTest, CanInstallWithTooFewComponentsTestsTheRootItself) {
  for (int kind : {5, 10}) {
    qrvl::TDelphi2IDE* d = static_cast<qrvl::TDelphi2IDE*>(Create(kind));
    d->RegKey = kind == 5 ? "Experts" : "A\\B\\C";
    EXPECT_TRUE(d->CanInstall()) << kind;
    Destroy(d);
  }
}

TEST_F(AddinRegistryTest, Delphi2RoundTripInCurrentUser) {
  qrvl::TIDE* d = Create(5);
  EXPECT_FALSE(d->IsInstalled());
  EXPECT_FALSE(sim::RegHasKey(kHkcu, kD2Key));  // testing creates nothing
  EXPECT_TRUE(d->Install());
  EXPECT_EQ(Value(kHkcu, kD2Key, "QUIBLE30"), regtest::Sz("C:\\TOOLS\\DELPHI2.DLL"));
  EXPECT_EQ(sim::RegGet(kHkcu, kD2Key, "QUIBLE30")->type, plat::kRegSz);
  EXPECT_TRUE(d->IsInstalled());
  EXPECT_EQ(sim::ReadFile(kLog), "RegDB Key: " + kD2Key +
                                     "\r\nRegDB Val: C:\\TOOLS\\DELPHI2.DLL\r\n"
                                     "RegDB Name: QUIBLE30\r\nRegDB Root: 1\r\n");
  EXPECT_TRUE(d->Uninstall());
  EXPECT_FALSE(d->IsInstalled());
  EXPECT_TRUE(sim::RegHasKey(kHkcu, kD2Key));  // only the value goes
  EXPECT_FALSE(d->Uninstall());
  EXPECT_TRUE(sim::ui().boxes.empty());
  EXPECT_EQ(sim::registry().open_handles, 0);
  Destroy(d);
}

TEST_F(AddinRegistryTest, Delphi2RegistersTheModuleDirectoryAsGivenAndCutsTo255) {
  sim::ui().module_file_name = "C:\\PROGRA~1\\QUARVE~1\\QRVIDE32.DLL";
  sim::AddLongName("C:\\Program Files", "PROGRA~1");
  sim::AddLongName("C:\\Program Files\\Quarvel Search", "QUARVE~1");
  qrvl::OnLoad(nullptr);
  QRVL_Init();
  sim::WriteFile("C:\\PROGRA~1\\QUARVE~1\\EDITORS.INI",
                 "[Editors]\r\nDelphi_2X_RegKey=" + std::string(300, 'k') + "\r\n");
  qrvl::TIDE* d = Create(5);
  EXPECT_TRUE(d->Install());
  // Short names stay short; the key path is cut to its first 255 characters.
  EXPECT_EQ(Value(kHkcu, std::string(255, 'k'), "QUIBLE30"),
            regtest::Sz("C:\\PROGRA~1\\QUARVE~1\\DELPHI2.DLL"));
  EXPECT_TRUE(d->IsInstalled());
  Destroy(d);
}

TEST_F(AddinRegistryTest, RegistryFailuresAnswerFalseWithoutABox) {
  sim::registry().deny.insert("HKEY_CURRENT_USER\\" + kD2Key);
  sim::registry().deny.insert("HKEY_LOCAL_MACHINE\\" + kBc5Key);
  for (int kind : {5, 10}) {
    qrvl::TIDE* d = Create(kind);
    EXPECT_FALSE(d->Install()) << kind;
    EXPECT_FALSE(d->IsInstalled()) << kind;
    EXPECT_FALSE(d->Uninstall()) << kind;
    Destroy(d);
  }
  EXPECT_TRUE(sim::ui().boxes.empty());
  EXPECT_EQ(sim::ReadFile(kLog), "");
  EXPECT_EQ(sim::RegGet(kHklm, kBc5Key, "Enabled"), nullptr);  // stopped after "Path"
}

TEST_F(AddinRegistryTest, InstallLogFailureReachesTheHostWithTheValueWritten) {
  sim::files().refuse_open.insert(kLog);
  qrvl::TIDE* d = Create(5);
  EXPECT_THROW(d->Install(), qrvl::HostError);
  EXPECT_EQ(Value(kHkcu, kD2Key, "QUIBLE30"), regtest::Sz("C:\\TOOLS\\DELPHI2.DLL"));
  EXPECT_EQ(sim::registry().open_handles, 0);
  Destroy(d);
}

TEST_F(AddinRegistryTest, Bc5RoundTripInLocalMachineWithLongPath) {
  sim::ui().module_file_name = "C:\\PROGRA~1\\QUARVE~1\\QRVIDE32.DLL";
  sim::AddLongName("C:\\Program Files", "PROGRA~1");
  sim::AddLongName("C:\\Program Files\\Quarvel Search", "QUARVE~1");
  qrvl::OnLoad(nullptr);
  QRVL_Init();
  const std::string log = "C:\\PROGRA~1\\QUARVE~1\\INSTALL.LOG";
  sim::WriteFile("C:\\PROGRA~1\\QUARVE~1\\EDITORS.INI",
                 "[Editors]\r\nBorCPP_5X_RegKey=" + kBc5Key + "\r\n");
  sim::WriteFile(log, "");
  qrvl::TIDE* d = Create(10);
  EXPECT_FALSE(d->IsInstalled());

  // The add-on is missing: its component expands to nothing.
  EXPECT_TRUE(d->Install());
  EXPECT_EQ(Value(kHklm, kBc5Key, "Path"), regtest::Sz("C:\\Program Files\\Quarvel Search\\"));
  EXPECT_EQ(Value(kHklm, kBc5Key, "Enabled"), regtest::Sz("Yes"));
  EXPECT_TRUE(d->IsInstalled());

  sim::AddLongName("C:\\Program Files\\Quarvel Search\\QRVLBC5.DLL");
  EXPECT_TRUE(d->Install());
  EXPECT_EQ(Value(kHklm, kBc5Key, "Path"),
            regtest::Sz("C:\\Program Files\\Quarvel Search\\QRVLBC5.DLL"));
  // "Path" as a tree entry of the key, "Enabled" as a key entry; each once.
  EXPECT_EQ(sim::ReadFile(log),
            "RegDB TREE: " + kBc5Key + "\r\nRegDB Root: 2\r\nRegDB Key: " + kBc5Key +
                "\r\nRegDB Val: Yes\r\nRegDB Name: Enabled\r\nRegDB Root: 2\r\n");

  sim::RegPutKey(kHklm, kBc5Key + "\\Sub\\Deeper");
  EXPECT_TRUE(d->Uninstall());
  EXPECT_FALSE(sim::RegHasKey(kHklm, kBc5Key));  // with its subkeys
  EXPECT_TRUE(sim::RegHasKey(kHklm, "Software\\Borland\\BC5\\AddOns"));
  EXPECT_FALSE(d->IsInstalled());
  EXPECT_FALSE(d->Uninstall());
  EXPECT_EQ(sim::registry().open_handles, 0);
  Destroy(d);
}

TEST_F(AddinRegistryTest, Bc5UninstallStopsAtTheFirstFailure) {
  sim::RegPut(kHklm, kBc5Key, "Enabled", plat::kRegSz, regtest::Sz("Yes"));
  qrvl::TIDE* d = Create(10);
  EXPECT_FALSE(d->Uninstall());  // "Path" is already gone
  EXPECT_EQ(Value(kHklm, kBc5Key, "Enabled"), regtest::Sz("Yes"));
  EXPECT_TRUE(sim::RegHasKey(kHklm, kBc5Key));

  // "Enabled" missing: "Path" goes, the key stays.
  sim::RegPut(kHklm, kBc5Key, "Path", plat::kRegSz, regtest::Sz("x"));
  sim::registry().keys["HKEY_LOCAL_MACHINE\\" + kBc5Key].values.erase("Enabled");
  EXPECT_FALSE(d->Uninstall());
  EXPECT_EQ(sim::RegGet(kHklm, kBc5Key, "Path"), nullptr);
  EXPECT_TRUE(sim::RegHasKey(kHklm, kBc5Key));
  Destroy(d);
}

}  // namespace
