// Turning key codes into keyboard events, with the modifiers they need.
#include "keys/key_codes.h"
#include "keys/macro_call.h"
#include "platform/platform.h"

namespace qrvl {

namespace {

// Num Lock is flipped in the thread's keyboard-state table, not typed.
void ToggleNumLock() {
  const bool on = plat::GetKeyState(kNumLockKey) & 1;
  std::uint8_t table[256] = {};
  if (!plat::GetKeyboardState(table)) return;  // never write back a table that was not read
  if (on)
    table[kNumLockKey] &= static_cast<std::uint8_t>(~1u);
  else
    table[kNumLockKey] |= 1;
  plat::SetKeyboardState(table);
}

std::uint8_t ScanCode(std::uint8_t vk) {
  return static_cast<std::uint8_t>(plat::MapVirtualKey(vk, 0) & 0xFF);
}

}  // namespace

// The shift state's modifiers go down once around all repetitions and come up
// in the same order they went down.
void MacroCall::SendKeyCode(std::uint16_t code, std::uint16_t count) {
  const unsigned shift_state = code >> 8;
  if (shift_state & kShiftBit) PressKey(kShiftKey, 1, false);
  if (shift_state & kCtrlBit) PressKey(kCtrlKey, 1, false);
  if (shift_state & kAltBit) PressKey(kAltKey, 1, false);
  PressKey(static_cast<std::uint8_t>(code & 0xFF), count, true);
  if (shift_state & kShiftBit) ReleaseModifier(kShiftKey);
  if (shift_state & kCtrlBit) ReleaseModifier(kCtrlKey);
  if (shift_state & kAltBit) ReleaseModifier(kAltKey);
}

void MacroCall::PressKey(std::uint8_t vk, std::uint16_t count, bool release) {
  if (vk == kNumLockKey) {
    ToggleNumLock();  // once, whatever the count
    return;
  }
  const std::uint8_t scan = ScanCode(vk);
  const bool extended = ExtendedKeySet[vk];
  for (unsigned i = 0; i < count; ++i) {
    SendKeyEvent(vk, scan, extended ? kExtendedKeyDown : kKeyDown);
    if (release) SendKeyEvent(vk, scan, extended ? kExtendedKeyUp : kKeyUp);
  }
}

void MacroCall::ReleaseModifier(std::uint8_t vk) {
  SendKeyEvent(vk, ScanCode(vk), kKeyUp);
}

// Inside a group the held modifiers stay down for every key of the group.
void MacroCall::ReleaseHeldModifiers() {
  if (group_open_) return;
  if (shift_held_) ReleaseModifier(kShiftKey);
  if (ctrl_held_) ReleaseModifier(kCtrlKey);
  if (alt_held_) ReleaseModifier(kAltKey);
  shift_held_ = ctrl_held_ = alt_held_ = false;
}

// With wait, the caller's own windows see each key before the next one is sent.
void MacroCall::SendKeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
  plat::KeybdEvent(vk, scan, flags, 0);
  if (wait_) plat::DrainKeyboardMessages();
}

}  // namespace qrvl
