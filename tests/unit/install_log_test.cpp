// The install log: its helpers, its search, its bytes on disk, and how
// AddRegistryKey uses it.
#include "frame/host_error.h"
#include "registry/install_log.h"
#include "registry_calls.h"

using namespace regtest;
using qrvl::TInstallLog;

namespace {
constexpr const char* kLog = "C:\\TOOLS\\INSTALL.LOG";

std::string KeyEntry(const std::string& key, const std::string& value, const std::string& name,
                     const std::string& root) {
  return "RegDB Key: " + key + "\r\nRegDB Val: " + value + "\r\nRegDB Name: " + name +
         "\r\nRegDB Root: " + root + "\r\n";
}
std::string TreeEntry(const std::string& key, const std::string& root) {
  return "RegDB TREE: " + key + "\r\nRegDB Root: " + root + "\r\n";
}
}  // namespace

class InstallLogTest : public SimTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(sim::registry().open_handles, 0);
    EXPECT_EQ(sim::files().open_count, 0);
  }
  static std::string Log() { return sim::ReadFile(kLog); }
};

TEST_F(InstallLogTest, RootCodes) {
  const struct {
    std::uint32_t root;
    std::int32_t code;
  } cases[] = {{0, 1},           {0x80000000u, 0}, {0x80000001u, 1},  {0x80000002u, 2},
               {0x80000003u, 3}, {0x80000005u, 5}, {0x12345678u, -1}, {0x80000007u, -1}};
  for (const auto& c : cases) EXPECT_EQ(TInstallLog::RootCode(c.root), c.code) << c.root;
}

TEST_F(InstallLogTest, MatchFieldComparesPrefixExactly) {
  const std::string long_rest(300, 'r');
  const struct {
    const char* prefix;
    std::string line;
    bool match;
    std::string rest;
  } cases[] = {
      {"RegDB Key: ", "RegDB Key: Software\\X", true, "Software\\X"},
      {"RegDB Key: ", "RegDB Key: ", true, ""},
      {"RegDB Key: ", "RegDB Key:", false, ""},
      {"RegDB Key: ", "regdb key: Software", false, ""},
      {"RegDB Key: ", " RegDB Key: Software", false, ""},
      {"RegDB Key: ", "RegDB Key: " + long_rest, true, long_rest.substr(0, 255)},
      {"RegDB Root: ", "RegDB Root: 1 ", true, "1 "},
  };
  for (const auto& c : cases) {
    std::string rest = "stale";
    EXPECT_EQ(TInstallLog::MatchField(c.prefix, c.line, &rest), c.match) << c.line;
    EXPECT_EQ(rest, c.rest) << c.line;
  }
}

TEST_F(InstallLogTest, SearchFollowsTheReadingRules) {
  const std::string entry = KeyEntry("Soft\\K", "v", "N", "1");
  const struct {
    const char* what;
    std::string log;
    bool found;
  } cases[] = {
      {"plain entry", entry, true},
      {"without the last CR LF", entry.substr(0, entry.size() - 2), true},
      {"among blank and foreign lines", "\r\nfoo\r\n\r\n" + entry + "bar\r\n", true},
      {"CR alone ends lines", "RegDB Key: Soft\\K\rRegDB Name: N\rRegDB Root: 1\r", true},
      {"Val and Name lines optional", "RegDB Key: Soft\\K\r\nRegDB Name: N\r\nRegDB Root: 1", true},
      {"case of a to z ignored", KeyEntry("SOFT\\k", "x", "n", "1"), true},
      {"another root", KeyEntry("Soft\\K", "v", "N", "2"), false},
      {"another name", KeyEntry("Soft\\K", "v", "N2", "1"), false},
      {"root with a space", KeyEntry("Soft\\K", "v", "N", "1 "), false},
      {"tree entry only", TreeEntry("Soft\\K", "1"), false},
      {"LF line ends read as one line", "RegDB Key: Soft\\K\nRegDB Name: N\nRegDB Root: 1\n",
       false},
      {"Ctrl-Z ends the file", "x\r\n\x1A" + entry, false},
      {"Ctrl-Z after the entry", entry + "\x1A junk", true},
      {"lacking Root, the next entry is its Root line",
       "RegDB Key: Soft\\K\r\nRegDB Name: N\r\n" + entry, false},
      {"lacking Root, a later entry still counts",
       "RegDB Key: Soft\\K\r\nRegDB Name: N\r\nfoo\r\n" + entry, true},
      {"entry lines are not first lines again",
       "RegDB Key: A\r\nRegDB Key: Soft\\K\r\nRegDB Name: N\r\nRegDB Root: 1\r\n", false},
  };
  for (const auto& c : cases) {
    sim::WriteFile(kLog, c.log);
    TInstallLog log(kLog);
    EXPECT_EQ(log.IsLogged(kHkcu, "RegDB Key: ", "Soft\\K", "N"), c.found) << c.what;
  }
  sim::files().files.erase(kLog);
  EXPECT_FALSE(TInstallLog(kLog).IsLogged(kHkcu, "RegDB Key: ", "Soft\\K", "N"));
}

TEST_F(InstallLogTest, NoLogFileMeansNoFileAndAnswerOne) {
  EXPECT_EQ(Add(kHkcu, "Soft\\K", "N", "v"), 1);
  EXPECT_EQ(Add(kHkcu, "Soft\\K", "N", "v", 1), 1);
  EXPECT_FALSE(sim::HasFile(kLog));
  EXPECT_TRUE(sim::files().files.empty());
}

TEST_F(InstallLogTest, EmptyLogReceivesExactBytes) {
  sim::WriteFile(kLog, "");
  EXPECT_EQ(Add(kHkcu, "\\Soft\\Key", "Name", "C:\\Value"), 1);
  EXPECT_EQ(Log(),
            "RegDB Key: \\Soft\\Key\r\nRegDB Val: C:\\Value\r\nRegDB Name: Name\r\n"
            "RegDB Root: 1\r\n");
  sim::WriteFile(kLog, "");
  EXPECT_EQ(Add(kHklm, "Soft\\Key", "", "", 1), 1);
  EXPECT_EQ(Log(), "RegDB TREE: Soft\\Key\r\nRegDB Root: 2\r\n");
  sim::WriteFile(kLog, "");
  EXPECT_EQ(Add(kHkcr, "K", "", ""), 1);
  EXPECT_EQ(Log(), "RegDB Key: K\r\nRegDB Val: \r\nRegDB Name: \r\nRegDB Root: 0\r\n");
}

TEST_F(InstallLogTest, EachEntryIsAppendedOnce) {
  sim::WriteFile(kLog, "header\r\n");
  const struct {
    QRVL_HKEY root;
    const char* key;
    const char* name;
    const char* value;
    int tree;
    std::string appended;  // empty: nothing
  } calls[] = {
      {kHkcu, "Soft\\K", "N", "v1", 0, KeyEntry("Soft\\K", "v1", "N", "1")},
      {kHkcu, "Soft\\K", "N", "v1", 0, ""},  // the same call
      {kHkcu, "SOFT\\k", "n", "v2", 0, ""},  // case, other value
      {0, "Soft\\K", "N", "v3", 0, ""},      // root 0 is HKCU
      {kHklm, "Soft\\K", "N", "v1", 0, KeyEntry("Soft\\K", "v1", "N", "2")},
      {kHkcu, "\\Soft\\K", "N", "v1", 0, KeyEntry("\\Soft\\K", "v1", "N", "1")},
      {kHkcu, "Soft\\K", "Other", "v1", 0, KeyEntry("Soft\\K", "v1", "Other", "1")},
      {kHkcu, "Soft\\K", "N", "v1", 1, TreeEntry("Soft\\K", "1")},  // other kind
      {kHkcu, "Soft\\K", "Else", "v9", 1, ""},                      // tree: name plays no part
      {0, "soft\\k", "", "", 1, ""},
      {kHkcr, "Soft\\K", "", "", 1, TreeEntry("Soft\\K", "0")},
  };
  std::string expected = Log();
  for (const auto& c : calls) {
    EXPECT_EQ(Add(c.root, c.key, c.name, c.value, c.tree), 1) << c.key << " " << c.name;
    expected += c.appended;
    EXPECT_EQ(Log(), expected) << c.key << " " << c.name;
  }
  EXPECT_EQ(sim::RegGet(kHkcu, "Soft\\K", "Else")->data, Sz("v9"));  // written though not logged
}

TEST_F(InstallLogTest, CtrlZInTheLast128BytesIsCutBeforeAppending) {
  const std::string entry = KeyEntry("K", "v", "N", "1");
  const std::string early = "old\r\n\x1A" + std::string(200, 'x') + "\r\n";
  const struct {
    const char* what;
    std::string log;
    std::string kept;
  } cases[] = {
      {"last byte", "old\r\n\x1A", "old\r\n"},
      {"first of several", "old\r\n\x1Atail\x1A\x1A", "old\r\n"},
      {"only byte", "\x1A", ""},
      {"128th from the end", "old\r\n\x1A" + std::string(127, 't'), "old\r\n"},
      {"129th from the end", "old\r\n\x1A" + std::string(128, 't'),
       "old\r\n\x1A" + std::string(128, 't') + "\r\n"},  // the open last line is ended
      {"earlier, not cut", early, early},
  };
  for (const auto& c : cases) {
    sim::WriteFile(kLog, c.log);
    EXPECT_EQ(Add(kHkcu, "K", "N", "v"), 1) << c.what;
    EXPECT_EQ(Log(), c.kept + entry) << c.what;
  }
  // Behind an early Ctrl-Z the entry stays hidden from the search: it is appended again.
  EXPECT_EQ(Add(kHkcu, "K", "N", "v"), 1);
  EXPECT_EQ(Log(), early + entry + entry);
}

TEST_F(InstallLogTest, ALastLineWithoutItsEndIsEndedBeforeTheEntry) {
  const std::string entry = KeyEntry("K", "v", "N", "1");
  const struct {
    const char* what;
    std::string log;
    std::string before_entry;
  } cases[] = {
      {"no line end", "foreign line", "foreign line\r\n"},
      {"lone LF, part of the line", "foreign\n", "foreign\n\r\n"},
      {"CR ends the line", "foreign\r", "foreign\r"},
      {"CR LF", "foreign\r\n", "foreign\r\n"},
      {"cut by Ctrl-Z after an open line", "foreign\x1A", "foreign\r\n"},
  };
  for (const auto& c : cases) {
    sim::WriteFile(kLog, c.log);
    EXPECT_EQ(Add(kHkcu, "K", "N", "v"), 1) << c.what;
    EXPECT_EQ(Log(), c.before_entry + entry) << c.what;
    EXPECT_EQ(Add(kHkcu, "K", "N", "v"), 1) << c.what;
    EXPECT_EQ(Log(), c.before_entry + entry) << c.what << ": the entry was not found again";
  }
}

TEST_F(InstallLogTest, TextsThatWouldBreakLinesAreNotLogged) {
  sim::WriteFile(kLog, "");
  const struct {
    const char* key;
    const char* name;
    const char* value;
    int tree;
    bool logged;
  } cases[] = {
      {"K\rX", "N", "v", 0, false}, {"K", "N\nX", "v", 0, false}, {"K", "N", "v\x1A", 0, false},
      {"K\nX", "", "v", 1, false},  {"T", "N\r", "v\n", 1, true},  // a tree entry holds neither
  };
  for (const auto& c : cases) {
    const std::string before = Log();
    EXPECT_EQ(Add(kHkcu, c.key, c.name, c.value, c.tree), 1) << c.key;
    EXPECT_EQ(Log() != before, c.logged) << c.key;
  }
  EXPECT_EQ(sim::RegGet(kHkcu, "K", "N")->data, Sz("v\x1A"));
  EXPECT_EQ(Log(), TreeEntry("T", "1"));
}

TEST_F(InstallLogTest, IOFailureReachesTheCallerAfterTheValueIsWritten) {
  const struct {
    const char* what;
    bool refuse_open;
    std::string message;
  } cases[] = {
      {"locked", true, "I/O error reading C:\\TOOLS\\INSTALL.LOG"},
      {"read only", false, "I/O error writing C:\\TOOLS\\INSTALL.LOG"},
  };
  for (const auto& c : cases) {
    sim::Reset();
    sim::ui().module_file_name = kDll;
    qrvl::OnLoad(nullptr);
    sim::WriteFile(kLog, "old\r\n");
    (c.refuse_open ? sim::files().refuse_open : sim::files().refuse_write).insert(kLog);
    try {
      Add(kHkcu, "Soft\\K", "N", "v");
      ADD_FAILURE() << c.what << ": no error";
    } catch (const qrvl::HostError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.what;
    }
    EXPECT_EQ(sim::RegGet(kHkcu, "Soft\\K", "N")->data, Sz("v")) << c.what;
    EXPECT_EQ(sim::registry().log.back(), "close HKEY_CURRENT_USER\\Soft\\K") << c.what;
    EXPECT_EQ(Log(), "old\r\n") << c.what;
    EXPECT_EQ(sim::files().open_count, 0) << c.what;
    EXPECT_EQ(qrvl::boundary::depth, 0) << c.what;
  }
}

TEST_F(InstallLogTest, OtherExportsNeverTouchTheLog) {
  sim::WriteFile(kLog, "old\r\n");
  sim::files().refuse_open.insert(kLog);  // any opening would fail loudly
  sim::RegPut(kHkcu, "K", "N", plat::kRegSz, Sz("v"));
  EXPECT_EQ(Exists(kHkcu, "K", "N"), 1);
  EXPECT_EQ(Get(kHkcu, "K", "N").text, "v");
  EXPECT_EQ(Delete(kHkcu, "K", "N"), 1);
  EXPECT_EQ(Delete(kHkcu, "K", ""), 1);
  sim::registry().deny.insert("HKEY_CURRENT_USER\\Locked");
  EXPECT_EQ(Add(kHkcu, "Locked", "N", "v"), 0);  // a failed write logs nothing
  EXPECT_EQ(Log(), "old\r\n");
}
