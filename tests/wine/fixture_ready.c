/* A small windowed program that waits for input: shows a window of class
 * "QrvlReadyFixture" and runs its message loop until closed, or for at most
 * 30 seconds. */
#include <windows.h>

static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY || (message == WM_TIMER && wparam == 1)) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show) {
  WNDCLASSA wc;
  HWND window;
  MSG msg;
  (void)previous;
  (void)command;
  (void)show;
  ZeroMemory(&wc, sizeof wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = "QrvlReadyFixture";
  RegisterClassA(&wc);
  window = CreateWindowExA(0, "QrvlReadyFixture", "ready fixture", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           40, 40, 200, 100, NULL, NULL, instance, NULL);
  SetTimer(window, 1, 30000, NULL);
  while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
