// Simulated keyboard: a US layout answered the way Windows answers for it, the
// calling thread's keyboard-state table, and the record of what was injected.
#include <cstring>

#include "platform/sim/sim.h"

namespace sim {

namespace {

Keyboard g_keyboard;

constexpr std::uint16_t kShift = 0x100, kCtrl = 0x200;

// Character to key code, in the order the US layout's tables are searched, so a
// character that two keys produce gets the key Windows answers (main keys before
// the numeric pad, Tab before Ctrl+I, Esc before Ctrl+[).
struct CharTable {
  std::uint16_t code[256];
  CharTable() {
    for (auto& c : code) c = 0xFFFF;
    for (int i = 0; i < 26; ++i) {
      code['a' + i] = static_cast<std::uint16_t>('A' + i);
      code['A' + i] = static_cast<std::uint16_t>(kShift | ('A' + i));
      code[1 + i] = static_cast<std::uint16_t>(kCtrl | ('A' + i));  // Ctrl+letter
    }
    const char* shifted_digits = ")!@#$%^&*(";
    for (int i = 0; i < 10; ++i) {
      code['0' + i] = static_cast<std::uint16_t>('0' + i);
      code[static_cast<unsigned char>(shifted_digits[i])] =
          static_cast<std::uint16_t>(kShift | ('0' + i));
    }
    const struct {
      std::uint8_t vk;
      char plain, shifted;
    } oem[] = {{0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'},
               {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'}, {0xDB, '[', '{'},
               {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'}};
    for (const auto& k : oem) {
      code[static_cast<unsigned char>(k.plain)] = k.vk;
      code[static_cast<unsigned char>(k.shifted)] = static_cast<std::uint16_t>(kShift | k.vk);
    }
    code[0x20] = 0x20;  // Space
    // Control characters with keys of their own, and the Ctrl forms of the layout.
    code[0x03] = 0x03;  // Break (Cancel)
    code[0x08] = 0x08;  // Backspace
    code[0x09] = 0x09;  // Tab
    code[0x0D] = 0x0D;  // Enter
    code[0x1B] = 0x1B;  // Esc
    code[0x0A] = kCtrl | 0x0D;
    code[0x1C] = kCtrl | 0xDC;
    code[0x1D] = kCtrl | 0xDD;
    code[0x1E] = kCtrl | kShift | '6';
    code[0x1F] = kCtrl | kShift | 0xBD;
    code[0x7F] = kCtrl | 0x08;
    code[0x00] = kCtrl | kShift | '2';
  }
};

// Virtual key to US scan code (MapVirtualKeyA type 0); 0 for keys without one.
struct ScanTable {
  std::uint8_t scan[256] = {};
  ScanTable() {
    const char* row1 = "1234567890";
    for (int i = 0; i < 10; ++i)
      scan[static_cast<unsigned char>(row1[i])] = static_cast<std::uint8_t>(0x02 + i);
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const std::uint8_t first[] = {0x10, 0x1E, 0x2C};
    for (int r = 0; r < 3; ++r)
      for (int i = 0; rows[r][i]; ++i)
        scan[static_cast<unsigned char>(rows[r][i])] = static_cast<std::uint8_t>(first[r] + i);
    for (int i = 0; i < 10; ++i) scan[0x70 + i] = static_cast<std::uint8_t>(0x3B + i);  // F1-F10
    for (int i = 0; i < 11; ++i) scan[0x7C + i] = static_cast<std::uint8_t>(0x64 + i);  // F13-F23
    const std::uint8_t pairs[][2] = {
        {0x1B, 0x01}, {0xBD, 0x0C}, {0xBB, 0x0D}, {0x08, 0x0E}, {0x09, 0x0F}, {0xDB, 0x1A},
        {0xDD, 0x1B}, {0x0D, 0x1C}, {0x11, 0x1D}, {0xA2, 0x1D}, {0xA3, 0x1D}, {0xBA, 0x27},
        {0xDE, 0x28}, {0xC0, 0x29}, {0x10, 0x2A}, {0xA0, 0x2A}, {0xDC, 0x2B}, {0xBC, 0x33},
        {0xBE, 0x34}, {0xBF, 0x35}, {0x6F, 0x35}, {0xA1, 0x36}, {0x6A, 0x37}, {0x12, 0x38},
        {0xA4, 0x38}, {0xA5, 0x38}, {0x20, 0x39}, {0x14, 0x3A}, {0x90, 0x45}, {0x13, 0x45},
        {0x91, 0x46}, {0x03, 0x46}, {0x24, 0x47}, {0x26, 0x48}, {0x21, 0x49}, {0x6D, 0x4A},
        {0x25, 0x4B}, {0x0C, 0x4C}, {0x27, 0x4D}, {0x6B, 0x4E}, {0x23, 0x4F}, {0x28, 0x50},
        {0x22, 0x51}, {0x2D, 0x52}, {0x2E, 0x53}, {0x2C, 0x54}, {0xE2, 0x56}, {0x7A, 0x57},
        {0x7B, 0x58}, {0x2F, 0x63}, {0x87, 0x76}, {0x5B, 0x5B}, {0x5C, 0x5C}, {0x5D, 0x5D},
    };
    for (const auto& p : pairs) scan[p[0]] = p[1];
  }
};

}  // namespace

Keyboard& keyboard() {
  return g_keyboard;
}

// Clears in place: the recording vectors keep their room, so a benchmark can
// reset between runs without measuring allocation.
void ResetKeyboard() {
  std::memset(g_keyboard.state, 0, sizeof g_keyboard.state);
  g_keyboard.refuse_state_read = false;
  g_keyboard.events.clear();
  g_keyboard.drains.clear();
  g_keyboard.state_writes.clear();
}

std::vector<JournalEntry> KeyboardJournal() {
  const auto& events = g_keyboard.events;
  const auto& writes = g_keyboard.state_writes;
  const std::size_t boxes = ui().boxes.size();
  std::vector<JournalEntry> journal;
  std::size_t e = 0, w = 0, b = 0;
  for (;;) {
    // A record is due once everything that came before it has been placed; a
    // box has no counters and goes when neither an event nor a write is due.
    const bool write_due =
        w < writes.size() && writes[w].events_before == e && writes[w].boxes_before == b;
    const bool event_due = e < events.size() && events[e].boxes_before == b &&
                           (w == writes.size() || writes[w].events_before > e);
    if (write_due)
      journal.push_back({JournalEntry::kStateWrite, w++});
    else if (event_due)
      journal.push_back({JournalEntry::kKey, e++});
    else if (b < boxes)
      journal.push_back({JournalEntry::kBox, b++});
    else
      break;
  }
  return journal;
}

}  // namespace sim

namespace plat {

void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) {
  sim::g_keyboard.events.push_back({vk, scan, flags, extra, sim::ui().boxes.size()});
}

std::uint16_t VkKeyScan(char ch) {
  static const sim::CharTable table;
  return table.code[static_cast<unsigned char>(ch)];
}

std::uint32_t MapVirtualKey(std::uint32_t code, std::uint32_t map_type) {
  static const sim::ScanTable table;
  if (map_type != 0 || code > 0xFF) return 0;  // only virtual key to scan code is modelled
  return table.scan[code];
}

std::int16_t GetKeyState(int vk) {
  if (vk < 0 || vk > 0xFF) return 0;
  const std::uint8_t s = sim::g_keyboard.state[vk];
  return static_cast<std::int16_t>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}

bool GetKeyboardState(std::uint8_t state[256]) {
  if (sim::g_keyboard.refuse_state_read) return false;
  std::memcpy(state, sim::g_keyboard.state, 256);
  return true;
}

bool SetKeyboardState(std::uint8_t state[256]) {
  std::memcpy(sim::g_keyboard.state, state, 256);
  sim::StateWrite write{};
  std::memcpy(write.table, state, 256);
  write.events_before = sim::g_keyboard.events.size();
  write.boxes_before = sim::ui().boxes.size();
  sim::g_keyboard.state_writes.push_back(write);
  return true;
}

void DrainKeyboardMessages() {
  sim::g_keyboard.drains.push_back(sim::g_keyboard.events.size());
}

}  // namespace plat
