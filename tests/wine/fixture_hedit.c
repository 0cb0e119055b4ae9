/* A stand-in Hurricane Editor: opens a main window of class "QrvlHEditFixture"
 * and appends every "CM_QRVLRESTORE" and "CM_QRVLOPENFILE" it receives, with
 * its two parameters, as a line to fixture_hedit.log beside the program.
 * Closes on WM_CLOSE, or by itself after a minute. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static UINT restore_message, open_message;
static char log_path[MAX_PATH];

static void record(const char* name, WPARAM wparam, LPARAM lparam) {
  FILE* f = fopen(log_path, "ab");
  if (!f) return;
  fprintf(f, "%s %lu %ld\r\n", name, (unsigned long)wparam, (long)lparam);
  fclose(f);
}

static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == restore_message) {
    record("CM_QRVLRESTORE", wparam, lparam);
    return 0;
  }
  if (message == open_message) {
    record("CM_QRVLOPENFILE", wparam, lparam);
    return 0;
  }
  if (message == WM_TIMER || message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  WNDCLASSA wc;
  HWND window;
  MSG msg;
  char* dot;
  (void)previous;
  (void)command_line;
  GetModuleFileNameA(NULL, log_path, MAX_PATH - 8);
  dot = strrchr(log_path, '.');
  if (dot) strcpy(dot, ".log");
  restore_message = RegisterWindowMessageA("CM_QRVLRESTORE");
  open_message = RegisterWindowMessageA("CM_QRVLOPENFILE");
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = window_proc;
  wc.hInstance = instance;
  wc.lpszClassName = "QrvlHEditFixture";
  RegisterClassA(&wc);
  window = CreateWindowA("QrvlHEditFixture", "Hurricane fixture", WS_OVERLAPPEDWINDOW, 40, 40, 300,
                         200, NULL, NULL, instance, NULL);
  ShowWindow(window, show);
  SetTimer(window, 1, 60000, NULL);
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
