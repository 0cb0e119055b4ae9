// Module, window messages, message boxes, bitmaps and window search.
#include "platform/win32/win32.h"

namespace plat {

std::uint32_t GetModuleFileName(Hmodule module, char* buffer, std::uint32_t size) {
  return ::GetModuleFileNameA(static_cast<HMODULE>(module), buffer, size);
}

std::uint32_t RegisterWindowMessage(const char* name) {
  return ::RegisterWindowMessageA(name);
}

int MessageBox(Hwnd owner, const char* text, const char* caption, std::uint32_t type) {
  return ::MessageBoxA(static_cast<HWND>(owner), text, caption, type);
}

bool MessageBeep(std::uint32_t type) {
  return ::MessageBeep(type) != 0;
}

Hbitmap LoadBitmap(Hmodule module, const char* name) {
  return ::LoadBitmapA(static_cast<HINSTANCE>(module), name);
}

Hwnd FindWindow(const char* class_name, const char* title) {
  return ::FindWindowA(class_name, title);
}

bool PostMessage(Hwnd window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  return ::PostMessageA(static_cast<HWND>(window), message, wparam, lparam) != 0;
}

void RaiseHostError(const char* message) {
  const ULONG_PTR argument = reinterpret_cast<ULONG_PTR>(message);
  ::RaiseException(0xE0515256u, 0, 1, &argument);
}

}  // namespace plat
