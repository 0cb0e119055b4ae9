// The four registry exports against the simulated registry.
#include <algorithm>

#include "registry_calls.h"

using namespace regtest;

class RegistryTest : public SimTest {
 protected:
  // Every call closes every key it opened, on every path.
  void TearDown() override { EXPECT_EQ(sim::registry().open_handles, 0); }

  static const sim::RegValue* Value(QRVL_HKEY root, const std::string& key,
                                    const std::string& name) {
    return sim::RegGet(root, key, name);
  }
  static std::vector<std::string>& Log() { return sim::registry().log; }
  static bool Logged(const std::string& verb) {
    return std::any_of(Log().begin(), Log().end(),
                       [&](const std::string& e) { return e.rfind(verb, 0) == 0; });
  }
};

TEST_F(RegistryTest, KeyExistsTellsKeysAndValuesOfAnyType) {
  sim::RegPut(kHkcu, "Software\\Q", "Text", plat::kRegSz, Sz("x"));
  sim::RegPut(kHkcu, "Software\\Q", "Number", plat::kRegDword, std::string(4, '\1'));
  sim::RegPut(kHkcu, "Software\\Q", "Empty", 3, "");
  sim::RegPut(kHklm, "Software\\Only", "Text", plat::kRegSz, Sz("x"));
  const struct {
    QRVL_HKEY root;
    const char* key;
    const char* name;
    int answer;
  } cases[] = {
      {kHkcu, "Software\\Q", "", 1},        {0, "Software\\Q", "", 1},
      {kHkcu, "\\Software\\Q", "", 1},      {kHkcu, "SOFTWARE\\q", "TEXT", 1},
      {kHkcu, "Software\\Q", "Number", 1},  {kHkcu, "Software\\Q", "Empty", 1},
      {kHkcu, "Software\\Q", "Missing", 0}, {kHkcu, "Software\\Q", " Text", 0},
      {kHkcu, "Software\\Missing", "", 0},  {kHkcu, "Software\\Only", "", 0},
      {kHklm, "Software\\Only", "Text", 1}, {kHkcu, "", "", 1},
      {0x12345678, "Software\\Q", "", 0},   {0x80000004, "", "", 0},
      {kHkcu, "\\\\Software\\Q", "", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Exists(c.root, c.key, c.name), c.answer) << c.key << " / " << c.name;
  EXPECT_FALSE(sim::RegHasKey(kHkcu, "Software\\Missing"));  // testing creates nothing
  EXPECT_FALSE(Logged("flush"));
}

TEST_F(RegistryTest, KeyWithZeroByteIsNoOtherKey) {
  sim::RegPutKey(kHkcu, "Software");
  const std::string key = "Software" + std::string(1, '\0') + "X";
  EXPECT_EQ(RegistryKeyExists(kHkcu, U(Ss(key)), U(Ss(""))), 0);
  EXPECT_EQ(AddRegistryKey(kHkcu, U(Ss(key)), U(Ss("N")), U(Ss("v")), 0), 0);
  EXPECT_EQ(DeleteRegistryKey(kHkcu, U(Ss(key)), U(Ss(""))), 0);
  EXPECT_TRUE(sim::RegHasKey(kHkcu, "Software"));
  EXPECT_EQ(Value(kHkcu, "Software", "N"), nullptr);
}

TEST_F(RegistryTest, AddCreatesMissingKeysAndStoresStringWithZero) {
  sim::RegPutKey(kHkcu, "Software");
  EXPECT_EQ(Add(kHkcu, "Software\\Vendor\\Product", "Path", "C:\\Q"), 1);
  const sim::RegValue* v = Value(kHkcu, "Software\\Vendor\\Product", "Path");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->type, plat::kRegSz);
  EXPECT_EQ(v->data, Sz("C:\\Q"));
  // The key is flushed before it is closed.
  const std::string key = "HKEY_CURRENT_USER\\Software\\Vendor\\Product";
  EXPECT_EQ(Log(), (std::vector<std::string>{"create " + key, "flush " + key, "close " + key}));
}

TEST_F(RegistryTest, AddNamesTheSameKeyWithRootZeroOrLeadingBackslash) {
  EXPECT_EQ(Add(0, "A\\B", "One", "1"), 1);
  EXPECT_EQ(Add(kHkcu, "\\a\\b", "Two", "2"), 1);
  EXPECT_EQ(Add(kHkcu, "A\\B", "", "default"), 1);
  EXPECT_EQ(Add(kHkcr, "A\\B", "Three", ""), 1);
  EXPECT_EQ(Value(kHkcu, "A\\B", "One")->data, Sz("1"));
  EXPECT_EQ(Value(kHkcu, "A\\B", "Two")->data, Sz("2"));
  EXPECT_EQ(Value(kHkcu, "A\\B", "")->data, Sz("default"));
  EXPECT_EQ(Value(kHkcr, "A\\B", "Three")->data, Sz(""));
  EXPECT_EQ(sim::RegKeysBelow(kHkcu, ""),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\A", "HKEY_CURRENT_USER\\A\\B"}));
  EXPECT_EQ(Get(kHkcu, "A\\B", "").text, "default");
}

TEST_F(RegistryTest, AddFailsWithoutAccessOrWriteOrValidRoot) {
  sim::RegPutKey(kHkcu, "Locked");
  sim::RegPutKey(kHkcu, "ReadOnly");
  sim::registry().deny.insert("HKEY_CURRENT_USER\\Locked");
  sim::registry().refuse_write.insert("HKEY_CURRENT_USER\\ReadOnly");
  EXPECT_EQ(Add(kHkcu, "Locked", "N", "v"), 0);
  EXPECT_EQ(Add(kHkcu, "ReadOnly", "N", "v"), 0);
  EXPECT_EQ(Add(0x12345678, "X", "N", "v"), 0);
  EXPECT_EQ(Add(kHkcu, "\\\\X", "N", "v"), 0);
  EXPECT_EQ(Value(kHkcu, "Locked", "N"), nullptr);
  EXPECT_EQ(Value(kHkcu, "ReadOnly", "N"), nullptr);
  EXPECT_FALSE(sim::RegHasKey(kHkcu, "X"));
}

TEST_F(RegistryTest, AddPassesHighBytesAndDoubledBackslashesOn) {
  const std::string key = "Soft\xE9\xFF", name = "N\x80\xA0";
  EXPECT_EQ(Add(kHkcu, key + "\\\\Sub\\", name, "v\xFE"), 1);
  EXPECT_EQ(Value(kHkcu, key + "\\Sub", name)->data, Sz("v\xFE"));
  EXPECT_EQ(Get(kHkcu, key + "\\Sub", name).text, "v\xFE");
  EXPECT_EQ(sim::RegKeysBelow(kHkcu, "").size(), 2u);
}

TEST_F(RegistryTest, GetReadsTextAndCutsItToTheBuffer) {
  const std::string t300(300, 't'), t255(255, 'f');
  sim::RegPut(kHkcu, "K", "Sz", plat::kRegSz, Sz("abcdef"));
  sim::RegPut(kHkcu, "K", "Expand", plat::kRegExpandSz, Sz("%WINDIR%\\x"));
  sim::RegPut(kHkcu, "K", "NoZero", plat::kRegSz, "raw");
  sim::RegPut(kHkcu, "K", "Inner", plat::kRegSz, std::string("ab\0cd\0", 6));
  sim::RegPut(kHkcu, "K", "Long", plat::kRegSz, Sz(t300));
  sim::RegPut(kHkcu, "K", "Full", plat::kRegSz, Sz(t255));
  sim::RegPut(kHkcu, "K", "Dword", plat::kRegDword, std::string("\1\0\0\0", 4));
  sim::RegPut(kHkcu, "K", "EmptyDword", plat::kRegDword, "");
  sim::RegPut(kHkcu, "K", "EmptySz", plat::kRegSz, "");
  sim::RegPut(kHkcu, "K", "", plat::kRegSz, Sz("dflt"));
  const struct {
    const char* name;
    std::uint32_t size;
    int answer;
    std::string text;
  } cases[] = {
      {"Sz", 255, 1, "abcdef"},
      {"sz", 3, 1, "abc"},
      {"Sz", 0, 1, ""},
      {"Sz", 0x103, 1, "abc"},  // only the low byte of the size counts
      {"Sz", 0xFFFFFF00, 1, ""},
      {"Expand", 255, 1, "%WINDIR%\\x"},
      {"NoZero", 255, 1, "raw"},
      {"Inner", 255, 1, "ab"},
      {"Long", 255, 1, t300.substr(0, 255)},
      {"Full", 255, 1, t255},
      {"Full", 254, 1, t255.substr(0, 254)},
      {"Dword", 255, 0, ""},
      {"EmptyDword", 255, 1, ""},
      {"EmptySz", 255, 1, ""},
      {"", 255, 1, "dflt"},
      {"Missing", 255, 0, ""},
  };
  for (const auto& c : cases) {
    const Read r = Get(kHkcu, "K", c.name, c.size);
    EXPECT_EQ(r.answer, c.answer) << c.name << " " << c.size;
    EXPECT_EQ(r.text, c.text) << c.name << " " << c.size;
    EXPECT_FALSE(r.overrun) << c.name << " " << c.size;
  }
  EXPECT_FALSE(Logged("flush"));  // reads leave the lazy-write flag on
}

TEST_F(RegistryTest, GetEmptiesTheBufferFirstAndOnFailure) {
  sim::RegPut(kHkcu, "K", "Grows", plat::kRegSz, Sz("short"));
  sim::registry().grow.insert("HKEY_CURRENT_USER\\K|Grows");
  unsigned char buffer[256];
  std::fill(std::begin(buffer), std::end(buffer), 7);
  EXPECT_EQ(GetRegistryKey(kHkcu, U(Ss("K")), U(Ss("Grows")), buffer, 255), 0);
  EXPECT_EQ(buffer[0], 0);
  std::fill(std::begin(buffer), std::end(buffer), 7);
  EXPECT_EQ(GetRegistryKey(0x12345678, U(Ss("K")), U(Ss("Grows")), buffer, 0), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], 7);
}

TEST_F(RegistryTest, GetAndDeleteLeaveAMissingKeyBehindEmpty) {
  EXPECT_EQ(Get(kHkcu, "Soft\\Gone", "Name").answer, 0);
  EXPECT_EQ(Delete(kHkcu, "Soft\\Lost", "Name"), 0);
  for (const char* key : {"Soft\\Gone", "Soft\\Lost"}) {
    EXPECT_TRUE(sim::RegHasKey(kHkcu, key)) << key;
    EXPECT_TRUE(sim::registry().keys["HKEY_CURRENT_USER\\" + std::string(key)].values.empty());
  }
}

TEST_F(RegistryTest, DeleteValueRemovesOneValueAndFlushes) {
  sim::RegPut(kHkcu, "K", "A", plat::kRegSz, Sz("a"));
  sim::RegPut(kHkcu, "K", "B", plat::kRegDword, "1234");
  sim::RegPut(kHkcu, "K", "", plat::kRegSz, Sz("d"));
  EXPECT_EQ(Delete(kHkcu, "\\k", "a"), 1);
  EXPECT_EQ(Delete(kHkcu, "K", "A"), 0);
  EXPECT_EQ(Value(kHkcu, "K", "A"), nullptr);
  EXPECT_NE(Value(kHkcu, "K", "B"), nullptr);
  EXPECT_NE(Value(kHkcu, "K", ""), nullptr);
  EXPECT_EQ(Log()[0], "create HKEY_CURRENT_USER\\K");
  EXPECT_EQ(Log()[1], "flush HKEY_CURRENT_USER\\K");
  EXPECT_EQ(Log()[2], "close HKEY_CURRENT_USER\\K");
  sim::registry().refuse_write.insert("HKEY_CURRENT_USER\\K");
  EXPECT_EQ(Delete(kHkcu, "K", "B"), 0);
  EXPECT_NE(Value(kHkcu, "K", "B"), nullptr);
}

TEST_F(RegistryTest, DeleteKeyRemovesThreeLevelsWithSiblings) {
  for (const char* a : {"A1", "A2", "A3"})
    for (const char* b : {"B1", "B2"})
      for (const char* c : {"C1", "C2", "C3"})
        sim::RegPut(kHkcu, std::string("T\\Top\\") + a + "\\" + b + "\\" + c, "v", plat::kRegSz,
                    Sz("x"));
  sim::RegPut(kHkcu, "T\\Top", "", plat::kRegSz, Sz("dflt"));
  sim::RegPutKey(kHkcu, "T\\Topper");  // a sibling whose name begins alike stays
  EXPECT_EQ(Delete(kHkcu, "\\t\\TOP", ""), 1);
  EXPECT_FALSE(sim::RegHasKey(kHkcu, "T\\Top"));
  EXPECT_EQ(sim::RegKeysBelow(kHkcu, "T"),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\T\\Topper"}));
  EXPECT_EQ(Delete(kHkcu, "T\\Top", ""), 0);  // missing now
  EXPECT_FALSE(sim::RegHasKey(kHkcu, "T\\Top"));
}

TEST_F(RegistryTest, DeleteKeyFailsWhenASubkeyCannotGo) {
  sim::RegPutKey(kHkcu, "T\\A\\Locked");
  sim::RegPutKey(kHkcu, "T\\A\\Free");
  sim::registry().deny.insert("HKEY_CURRENT_USER\\T\\A\\Locked");
  EXPECT_EQ(Delete(kHkcu, "T\\A", ""), 0);
  EXPECT_EQ(
      sim::RegKeysBelow(kHkcu, "T"),
      (std::vector<std::string>{"HKEY_CURRENT_USER\\T\\A", "HKEY_CURRENT_USER\\T\\A\\Locked"}));
}

TEST_F(RegistryTest, DeleteNeverTakesARootWithItsTree) {
  sim::RegPut(kHkcu, "Keep", "v", plat::kRegSz, Sz("x"));
  sim::RegPut(kHkcr, "Keep", "", plat::kRegSz, Sz("x"));
  for (const char* key : {"", "\\", "\\\\", "\\\\\\"})
    for (QRVL_HKEY root : {0u, kHkcu, kHkcr}) EXPECT_EQ(Delete(root, key, ""), 0) << key;
  EXPECT_EQ(Delete(0x12345678, "Keep", ""), 0);
  EXPECT_EQ(Delete(kHkcu, "\\\\Keep", ""), 0);
  EXPECT_NE(Value(kHkcu, "Keep", "v"), nullptr);
  EXPECT_NE(Value(kHkcr, "Keep", ""), nullptr);
  EXPECT_FALSE(Logged("delete"));
}

TEST_F(RegistryTest, DeniedKeyCountsAsMissing) {
  sim::RegPut(kHkcu, "Locked", "N", plat::kRegSz, Sz("secret"));
  sim::registry().deny.insert("HKEY_CURRENT_USER\\Locked");
  EXPECT_EQ(Exists(kHkcu, "Locked", ""), 0);
  EXPECT_EQ(Get(kHkcu, "Locked", "N").answer, 0);
  EXPECT_EQ(Delete(kHkcu, "Locked", "N"), 0);
  EXPECT_EQ(Delete(kHkcu, "Locked", ""), 0);
  EXPECT_NE(Value(kHkcu, "Locked", "N"), nullptr);
}

TEST_F(RegistryTest, ValueOf255CharactersRoundTrips) {
  std::string text(255, 'v');
  for (int i = 0; i < 255; ++i) text[i] = static_cast<char>(1 + i);
  text[12] = 'x';  // not a zero: the value holds all 255 bytes
  EXPECT_EQ(Add(kHkcu, "K", std::string(255, 'n'), text), 1);
  const Read r = Get(kHkcu, "K", std::string(255, 'N'));
  EXPECT_EQ(r.answer, 1);
  EXPECT_EQ(r.text, text);
  EXPECT_FALSE(r.overrun);
}
