// Keyboard input and the calling thread's keyboard messages.
#include "platform/win32/win32.h"

namespace plat {

void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) {
  ::keybd_event(vk, scan, flags, extra);
}

std::uint16_t VkKeyScan(char ch) {
  return static_cast<std::uint16_t>(::VkKeyScanA(ch));
}

std::uint32_t MapVirtualKey(std::uint32_t code, std::uint32_t map_type) {
  return ::MapVirtualKeyA(code, map_type);
}

std::int16_t GetKeyState(int vk) {
  return ::GetKeyState(vk);
}

bool GetKeyboardState(std::uint8_t state[256]) {
  return ::GetKeyboardState(state) != 0;
}

bool SetKeyboardState(std::uint8_t state[256]) {
  return ::SetKeyboardState(state) != 0;
}

void DrainKeyboardMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, 0x0108, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace plat
