// The simulated registry answers as the Win32 registry functions do (checked
// against Wine): the library's tests rely on it.
#include "sim_fixture.h"

namespace {
constexpr plat::Hkey kHkcu = 0x80000001u;
}

class RegistrySimTest : public SimTest {};

TEST_F(RegistrySimTest, PathsOpenCreateAndFail) {
  sim::RegPutKey(kHkcu, "Software\\Existing");
  const struct {
    const char* path;
    bool create;
    long rc;
    const char* opened;  // full name of the key opened
  } cases[] = {
      {"", false, 0, "HKEY_CURRENT_USER"},
      {"software\\EXISTING", false, 0, "HKEY_CURRENT_USER\\Software\\Existing"},
      {"Software\\\\Existing\\", false, 0, "HKEY_CURRENT_USER\\Software\\Existing"},
      {"Software\\Missing", false, 2, ""},
      {"\\Software", false, 161, ""},
      {"\\", true, 161, ""},
      {"Software\\New\\Deeper", true, 0, "HKEY_CURRENT_USER\\Software\\New\\Deeper"},
  };
  for (const auto& c : cases) {
    plat::Hkey key = 1;
    const long rc = c.create ? plat::RegCreateKeyEx(kHkcu, c.path, plat::kKeyAllAccess, &key)
                             : plat::RegOpenKeyEx(kHkcu, c.path, 0, plat::kKeyAllAccess, &key);
    EXPECT_EQ(rc, c.rc) << c.path;
    EXPECT_EQ(sim::registry().open_handles, rc == 0 ? 1 : 0) << c.path;
    if (rc != 0) {
      EXPECT_EQ(key, 0u) << c.path;
      continue;
    }
    EXPECT_EQ(sim::registry().log.back(), std::string(c.create ? "create " : "open ") + c.opened);
    EXPECT_EQ(plat::RegCloseKey(key), 0);
    EXPECT_EQ(plat::RegCloseKey(key), 6);  // closed already
  }
  EXPECT_TRUE(sim::RegHasKey(kHkcu, "Software\\New"));
  plat::Hkey key = 0;
  EXPECT_EQ(plat::RegOpenKeyEx(0x12345678u, "", 0, plat::kKeyAllAccess, &key), 6);
  EXPECT_EQ(plat::RegCloseKey(kHkcu), 0);  // roots are never counted
  EXPECT_EQ(sim::registry().open_handles, 0);
}

TEST_F(RegistrySimTest, SubkeysEnumerateInStableOrderAndBlockDeletion) {
  for (const char* name : {"b", "A", "Longest", "c"})
    sim::RegPutKey(kHkcu, std::string("P\\") + name);
  plat::Hkey key = 0;
  ASSERT_EQ(plat::RegOpenKeyEx(kHkcu, "P", 0, plat::kKeyAllAccess, &key), 0);
  std::uint32_t count = 0, longest = 0;
  EXPECT_EQ(plat::RegQueryInfoKey(key, &count, &longest), 0);
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(longest, 7u);
  std::vector<std::string> names;
  char name[8];
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = sizeof name;
    ASSERT_EQ(plat::RegEnumKeyEx(key, i, name, &length), 0);
    names.emplace_back(name, length);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c", "Longest"}));
  std::uint32_t length = 7;  // no room for the zero
  EXPECT_EQ(plat::RegEnumKeyEx(key, 3, name, &length), 234);
  length = sizeof name;
  EXPECT_EQ(plat::RegEnumKeyEx(key, 4, name, &length), 259);
  EXPECT_EQ(plat::RegDeleteKey(kHkcu, "P"), 5);  // has subkeys
  EXPECT_EQ(plat::RegDeleteKey(key, "A"), 0);
  EXPECT_EQ(plat::RegDeleteKey(key, "A"), 2);
  EXPECT_EQ(plat::RegDeleteKey(kHkcu, ""), 5);  // a root stays
  for (const char* n : {"b", "c", "Longest"}) EXPECT_EQ(plat::RegDeleteKey(key, n), 0);
  EXPECT_EQ(plat::RegDeleteKey(kHkcu, "P"), 0);
  EXPECT_EQ(plat::RegFlushKey(key), 1018);  // its key is gone
  EXPECT_EQ(plat::RegCloseKey(key), 0);
}

TEST_F(RegistrySimTest, ValuesQueryTwiceAndFailAsScripted) {
  sim::RegPut(kHkcu, "K", "V", plat::kRegExpandSz, std::string("%A%\0", 4));
  plat::Hkey key = 0;
  ASSERT_EQ(plat::RegOpenKeyEx(kHkcu, "K", 0, plat::kKeyAllAccess, &key), 0);
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(plat::RegQueryValueEx(key, "v", &type, nullptr, &size), 0);
  EXPECT_EQ(type, plat::kRegExpandSz);
  EXPECT_EQ(size, 4u);
  std::uint8_t data[64] = {};
  size = 3;
  EXPECT_EQ(plat::RegQueryValueEx(key, "V", &type, data, &size), 234);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(plat::RegQueryValueEx(key, "V", &type, data, &size), 0);
  EXPECT_STREQ(reinterpret_cast<char*>(data), "%A%");
  EXPECT_EQ(plat::RegQueryValueEx(key, "W", &type, nullptr, &size), 2);

  sim::registry().grow.insert("HKEY_CURRENT_USER\\K|V");
  size = 4;
  EXPECT_EQ(plat::RegQueryValueEx(key, "V", &type, data, &size), 234);
  EXPECT_EQ(size, 20u);

  sim::registry().refuse_write.insert("HKEY_CURRENT_USER\\K");
  EXPECT_EQ(plat::RegSetValueEx(key, "N", plat::kRegSz, data, 1), 5);
  EXPECT_EQ(plat::RegDeleteValue(key, "V"), 5);
  sim::registry().refuse_write.clear();
  EXPECT_EQ(plat::RegDeleteValue(key, "V"), 0);
  EXPECT_EQ(plat::RegDeleteValue(key, "V"), 2);
  EXPECT_EQ(plat::RegCloseKey(key), 0);

  sim::registry().deny.insert("HKEY_CURRENT_USER\\K");
  EXPECT_EQ(plat::RegOpenKeyEx(kHkcu, "K", 0, plat::kKeyAllAccess, &key), 5);
  EXPECT_EQ(plat::RegCreateKeyEx(kHkcu, "K", plat::kKeyAllAccess, &key), 5);
  EXPECT_EQ(plat::RegDeleteKey(kHkcu, "K"), 5);
  EXPECT_EQ(sim::registry().open_handles, 0);
}
