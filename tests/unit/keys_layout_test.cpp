// The simulated US keyboard answers as Windows does for that layout.
#include <gtest/gtest.h>

#include "platform/sim/sim.h"

namespace {

TEST(SimKeyboard, CharacterToKeyCode) {
  const struct {
    unsigned char ch;
    std::uint16_t code;
  } cases[] = {
      {'a', 0x0041},  {'z', 0x005A},  {'A', 0x0141},  {'Z', 0x015A},  {'0', 0x0030},
      {'9', 0x0039},  {')', 0x0130},  {'!', 0x0131},  {'@', 0x0132},  {'^', 0x0136},
      {'(', 0x0139},  {' ', 0x0020},  {';', 0x00BA},  {':', 0x01BA},  {'=', 0x00BB},
      {'+', 0x01BB},  {',', 0x00BC},  {'<', 0x01BC},  {'-', 0x00BD},  {'_', 0x01BD},
      {'.', 0x00BE},  {'>', 0x01BE},  {'/', 0x00BF},  {'?', 0x01BF},  {'`', 0x00C0},
      {'~', 0x01C0},  {'[', 0x00DB},  {'{', 0x01DB},  {'\\', 0x00DC}, {'|', 0x01DC},
      {']', 0x00DD},  {'}', 0x01DD},  {'\'', 0x00DE}, {'"', 0x01DE},  {'*', 0x0138},
      {0x08, 0x0008}, {0x09, 0x0009}, {0x0D, 0x000D}, {0x1B, 0x001B}, {0x03, 0x0003},
      {0x0A, 0x020D}, {0x01, 0x0241}, {0x1A, 0x025A}, {0x11, 0x0251}, {0x1C, 0x02DC},
      {0x1D, 0x02DD}, {0x1E, 0x0336}, {0x1F, 0x03BD}, {0x7F, 0x0208},
  };
  for (const auto& c : cases)
    EXPECT_EQ(plat::VkKeyScan(static_cast<char>(c.ch)), c.code) << int(c.ch);
  for (int ch = 128; ch < 256; ++ch)
    EXPECT_EQ(plat::VkKeyScan(static_cast<char>(ch)), 0xFFFF) << ch;
}

TEST(SimKeyboard, VirtualKeyToScanCode) {
  const struct {
    std::uint32_t vk, scan;
  } cases[] = {
      {16, 0x2A},  {17, 0x1D},  {18, 0x38},  {13, 0x1C},  {8, 0x0E},   {9, 0x0F},   {27, 0x01},
      {32, 0x39},  {'A', 0x1E}, {'Q', 0x10}, {'Z', 0x2C}, {'1', 0x02}, {'0', 0x0B}, {37, 0x4B},
      {38, 0x48},  {39, 0x4D},  {40, 0x50},  {33, 0x49},  {34, 0x51},  {35, 0x4F},  {36, 0x47},
      {45, 0x52},  {46, 0x53},  {112, 0x3B}, {121, 0x44}, {122, 0x57}, {123, 0x58}, {124, 0x64},
      {127, 0x67}, {144, 0x45}, {145, 0x46}, {20, 0x3A},  {12, 0x4C},  {3, 0x46},   {47, 0x63},
      {219, 0x1A}, {221, 0x1B}, {222, 0x28}, {192, 0x29}, {42, 0},     {0xFF, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(plat::MapVirtualKey(c.vk, 0), c.scan) << c.vk;
  EXPECT_EQ(plat::MapVirtualKey('A', 1), 0u);  // other map types are not modelled
}

TEST(SimKeyboard, KeyStateAndTable) {
  sim::Reset();
  EXPECT_EQ(plat::GetKeyState(144), 0);
  sim::keyboard().state[144] = 0x01;
  sim::keyboard().state[16] = 0x80;
  EXPECT_EQ(plat::GetKeyState(144), 1);
  EXPECT_LT(plat::GetKeyState(16), 0);  // down: the high bit
  std::uint8_t table[256];
  ASSERT_TRUE(plat::GetKeyboardState(table));
  EXPECT_EQ(table[144], 0x01);
  table[144] = 0;
  ASSERT_TRUE(plat::SetKeyboardState(table));
  EXPECT_EQ(plat::GetKeyState(144), 0);
  ASSERT_EQ(sim::keyboard().state_writes.size(), 1u);
  sim::keyboard().refuse_state_read = true;
  EXPECT_FALSE(plat::GetKeyboardState(table));
}

TEST(SimKeyboard, JournalPlacesBoxesAndWritesAmongEvents) {
  sim::Reset();
  std::uint8_t table[256] = {};
  plat::MessageBox(nullptr, "first", "c", 0);
  plat::KeybdEvent(65, 30, 0, 0);
  plat::SetKeyboardState(table);
  plat::MessageBox(nullptr, "second", "c", 0);
  plat::SetKeyboardState(table);
  plat::KeybdEvent(65, 30, 2, 0);
  plat::MessageBox(nullptr, "third", "c", 0);
  using K = sim::JournalEntry;
  std::vector<std::pair<K::Kind, std::size_t>> got;
  for (const auto& e : sim::KeyboardJournal()) got.emplace_back(e.kind, e.index);
  const std::vector<std::pair<K::Kind, std::size_t>> want = {
      {K::kBox, 0},        {K::kKey, 0}, {K::kStateWrite, 0}, {K::kBox, 1},
      {K::kStateWrite, 1}, {K::kKey, 1}, {K::kBox, 2}};
  EXPECT_EQ(got, want);
}

}  // namespace
