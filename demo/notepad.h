/* Driving Wine's own Notepad from a host: start it, bring it to the front,
 * pace injected keys to its speed, read back what it shows, take a screenshot.
 * Shared by the demo and the Notepad end-to-end test (header only, C). */
#ifndef QRVL_DEMO_NOTEPAD_H
#define QRVL_DEMO_NOTEPAD_H

#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
  PROCESS_INFORMATION process;
  HWND main;   /* top-level window, class "Notepad" */
  HWND edit;   /* its "Edit" child */
  HWND status; /* its status bar ("Ln N, Col M") */
} notepad;

/* A window's text, read across processes; 0 when the window does not answer. */
static int np_text(HWND window, WCHAR* text, int size) {
  DWORD_PTR length = 0;
  text[0] = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, (WPARAM)size, (LPARAM)text, SMTO_ABORTIFHUNG, 2000,
                           &length))
    return 0;
  text[size - 1] = 0;
  return 1;
}

/* One round trip through the window's thread: it has handled what came before. */
static int np_round_trip(HWND window) {
  DWORD_PTR ignored;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored) != 0;
}

/* A visible top-level window of Notepad's process with the given class: its
 * main window ("Notepad") or a dialog ("#32770": Open, Go To Line, a message box). */
typedef struct {
  DWORD pid;
  const char* cls;
  HWND found;
} np_search;

static BOOL CALLBACK np_find(HWND window, LPARAM param) {
  np_search* s = (np_search*)param;
  DWORD pid = 0;
  char cls[64] = "";
  GetWindowThreadProcessId(window, &pid);
  GetClassNameA(window, cls, sizeof cls);
  if (pid == s->pid && strcmp(cls, s->cls) == 0 && IsWindowVisible(window)) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

static HWND np_dialog(const notepad* np) {
  np_search s = {np->process.dwProcessId, "#32770", NULL};
  EnumWindows(np_find, (LPARAM)&s);
  return s.found;
}

/* Starts notepad.exe and brings its window to the front. On failure writes the
 * reason into why and answers 0. */
static int np_start(notepad* np, char* why, size_t size) {
  STARTUPINFOA startup;
  char command[] = "notepad.exe";
  np_search s;
  int tries;
  memset(np, 0, sizeof *np);
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &np->process)) {
    snprintf(why, size, "cannot start notepad.exe (error %lu)", GetLastError());
    return 0;
  }
  WaitForInputIdle(np->process.hProcess, 10000);
  s.pid = np->process.dwProcessId;
  s.cls = "Notepad";
  s.found = NULL;
  for (tries = 0; tries < 100 && !s.found; tries++) {
    EnumWindows(np_find, (LPARAM)&s);
    if (!s.found) Sleep(50);
  }
  np->main = s.found;
  if (!np->main) {
    snprintf(why, size, "Notepad started but showed no window");
    return 0;
  }
  np->edit = FindWindowExA(np->main, NULL, "Edit", NULL);
  np->status = FindWindowExA(np->main, NULL, "msctls_statusbar32", NULL);
  if (!np->edit) {
    snprintf(why, size, "Notepad's window has no Edit control");
    return 0;
  }
  SetForegroundWindow(np->main);
  for (tries = 0; tries < 100 && GetForegroundWindow() != np->main; tries++) Sleep(20);
  if (GetForegroundWindow() != np->main) {
    snprintf(why, size, "Notepad could not be brought to the front");
    return 0;
  }
  np_round_trip(np->main);
  return 1;
}

static void np_stop(notepad* np) {
  if (!np->process.hProcess) return;
  TerminateProcess(np->process.hProcess, 0);
  WaitForSingleObject(np->process.hProcess, 5000);
  CloseHandle(np->process.hThread);
  CloseHandle(np->process.hProcess);
  memset(np, 0, sizeof *np);
}

/* ---- Pacing injected keys ------------------------------------------------------
 * Wine's Notepad creates its Go To Line dialog without the focus and shows it
 * only once its queue is empty, so digits typed at full speed after Ctrl+G land
 * in the document. A low-level keyboard hook in a thread of this host holds
 * each injected key until Notepad's thread has handled the one before. */
static HWND np_paced_window;
static HHOOK np_pace_hook;
static HANDLE np_pace_thread;
static DWORD np_pace_thread_id;
static HANDLE np_pace_ready;

static LRESULT CALLBACK np_pace_proc(int code, WPARAM wparam, LPARAM lparam) {
  const KBDLLHOOKSTRUCT* key = (const KBDLLHOOKSTRUCT*)lparam;
  if (code == HC_ACTION && (key->flags & LLKHF_INJECTED) && np_paced_window) {
    Sleep(15);
    np_round_trip(np_paced_window);
    np_round_trip(np_paced_window);
  }
  return CallNextHookEx(np_pace_hook, code, wparam, lparam);
}

static DWORD WINAPI np_pace_main(LPVOID unused) {
  MSG msg;
  (void)unused;
  np_pace_hook = SetWindowsHookExA(WH_KEYBOARD_LL, np_pace_proc, GetModuleHandleA(NULL), 0);
  PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE); /* this thread's queue exists now */
  SetEvent(np_pace_ready);
  while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
  if (np_pace_hook) UnhookWindowsHookEx(np_pace_hook);
  np_pace_hook = NULL;
  return 0;
}

/* Starts holding injected keys for window's thread; 0 when the hook failed. */
static int np_pace_start(HWND window) {
  np_paced_window = window;
  np_pace_ready = CreateEventA(NULL, TRUE, FALSE, NULL);
  np_pace_thread = CreateThread(NULL, 0, np_pace_main, NULL, 0, &np_pace_thread_id);
  WaitForSingleObject(np_pace_ready, 5000);
  CloseHandle(np_pace_ready);
  return np_pace_hook != NULL;
}

static void np_pace_stop(void) {
  if (!np_pace_thread) return;
  PostThreadMessageA(np_pace_thread_id, WM_QUIT, 0, 0);
  WaitForSingleObject(np_pace_thread, 5000);
  CloseHandle(np_pace_thread);
  np_pace_thread = NULL;
  np_paced_window = NULL;
}

/* ---- Reading back what Notepad shows ------------------------------------------- */

/* The part of a path after its last backslash. */
static const char* np_base_name(const char* path) {
  const char* slash = strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

/* Waits until Notepad's title names the file and none of its dialogs is open.
 * Answers 1 when that happened within ms; otherwise 0 and the reason in why. */
static int np_wait_opened(const notepad* np, const char* path, DWORD ms, char* why, size_t size) {
  WCHAR title[512], expected[512];
  char wanted[512];
  DWORD start = GetTickCount();
  HWND dialog = NULL;
  snprintf(wanted, sizeof wanted, "%s - Notepad", np_base_name(path));
  MultiByteToWideChar(CP_ACP, 0, wanted, -1, expected, 512);
  do {
    np_round_trip(np->main);
    dialog = np_dialog(np);
    if (np_text(np->main, title, 512) && lstrcmpW(title, expected) == 0 && !dialog) return 1;
    Sleep(50);
  } while (GetTickCount() - start < ms);
  if (dialog) {
    WCHAR caption[256];
    np_text(dialog, caption, 256);
    snprintf(why, size, "Notepad still shows its dialog \"%ls\"", caption);
  } else {
    snprintf(why, size, "Notepad's title is \"%ls\", not \"%s\"", title, wanted);
  }
  return 0;
}

/* The 1-based line of the caret in Notepad's edit control, 0 when unknown. */
static int np_caret_line(const notepad* np) {
  DWORD_PTR line = 0;
  if (!SendMessageTimeoutW(np->edit, EM_LINEFROMCHAR, (WPARAM)-1, 0, SMTO_ABORTIFHUNG, 2000, &line))
    return 0;
  return (int)line + 1;
}

/* Whether Notepad's document holds exactly the file's bytes (ANSI text). */
static int np_shows_file(const notepad* np, const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  DWORD size, got = 0;
  char* bytes;
  WCHAR *expected, *shown;
  int n, same;
  if (file == INVALID_HANDLE_VALUE) return 0;
  size = GetFileSize(file, NULL);
  bytes = (char*)malloc(size + 1);
  ReadFile(file, bytes, size, &got, NULL);
  CloseHandle(file);
  expected = (WCHAR*)calloc(got + 1, sizeof(WCHAR));
  shown = (WCHAR*)calloc(got + 64, sizeof(WCHAR));
  n = MultiByteToWideChar(CP_ACP, 0, bytes, (int)got, expected, (int)got);
  expected[n] = 0;
  same = np_text(np->edit, shown, (int)got + 64) && lstrcmpW(shown, expected) == 0;
  free(bytes);
  free(expected);
  free(shown);
  return same;
}

/* ---- Screenshot ------------------------------------------------------------------- */

/* Saves the whole screen (the virtual desktop) as a 24-bit BMP file. */
static int np_screenshot(const char* path) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const DWORD row = (DWORD)((width * 3 + 3) & ~3), image = row * (DWORD)height;
  BITMAPFILEHEADER file_header;
  BITMAPINFOHEADER info;
  HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  char* pixels = (char*)malloc(image);
  HANDLE out;
  DWORD written = 0;
  int ok;
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  memset(&info, 0, sizeof info);
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  ok = GetDIBits(memory, bitmap, 0, (UINT)height, pixels, (BITMAPINFO*)&info, DIB_RGB_COLORS) ==
       height;
  memset(&file_header, 0, sizeof file_header);
  file_header.bfType = 0x4D42; /* "BM" */
  file_header.bfOffBits = sizeof file_header + sizeof info;
  file_header.bfSize = file_header.bfOffBits + image;
  out = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (out == INVALID_HANDLE_VALUE) ok = 0;
  if (ok) {
    ok = WriteFile(out, &file_header, sizeof file_header, &written, NULL) &&
         WriteFile(out, &info, sizeof info, &written, NULL) &&
         WriteFile(out, pixels, image, &written, NULL);
  }
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  free(pixels);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(NULL, screen);
  return ok;
}

#endif /* QRVL_DEMO_NOTEPAD_H */
