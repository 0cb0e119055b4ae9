// Key codes of the macro language and the keys the sender presses itself.
#pragma once

#include <bitset>
#include <cstdint>

namespace qrvl {

// A key code: low byte the virtual key, high byte the shift state.
constexpr std::uint16_t kNoKey = 0xFFFF;
constexpr unsigned kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;

// Shift with virtual keys 219 and 221: the left and right brace on a US layout.
constexpr std::uint16_t kLeftBraceCode = 0x01DB;
constexpr std::uint16_t kRightBraceCode = 0x01DD;

constexpr std::uint8_t kShiftKey = 16, kCtrlKey = 17, kAltKey = 18;
constexpr std::uint8_t kEnterKey = 13, kNumLockKey = 144;

// keybd_event flags.
constexpr std::uint32_t kKeyDown = 0, kKeyUp = 2, kExtendedKeyDown = 1, kExtendedKeyUp = 3;

// Keys sent with the extended-key flag: Page Up, Page Down, End, Home, the four
// arrows, Insert and Delete.
inline constexpr std::bitset<256> ExtendedKeySet{(0xFFull << 33) | (1ull << 45) | (1ull << 46)};

}  // namespace qrvl
