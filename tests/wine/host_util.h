/* Shared helpers of the Wine test hosts: checks that report the caller's line,
 * loading a private copy of the DLL by ordinal, catching message boxes with a
 * CBT hook, and catching the library's structured exception.
 *
 * Every host ends with `return qrvl_summary();`, which prints the line
 * "N passed, M failed" that tests/wine/run_wine.sh reads. */
#ifndef QRVL_HOST_UTIL_H
#define QRVL_HOST_UTIL_H

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "qrvide32.h"

static int qrvl_passed, qrvl_failed;

static void qrvl_check(int ok, const char* file, int line, const char* what) {
  if (ok) {
    qrvl_passed++;
  } else {
    qrvl_failed++;
    printf("FAIL %s:%d: %s\n", file, line, what);
    fflush(stdout);
  }
}
#define CHECK(cond) qrvl_check((cond) != 0, __FILE__, __LINE__, #cond)
#define CHECK_INT(actual, expected)                                        \
  do {                                                                     \
    long long a_ = (long long)(actual), e_ = (long long)(expected);        \
    char m_[256];                                                          \
    snprintf(m_, sizeof m_, "%s == %lld, expected %lld", #actual, a_, e_); \
    qrvl_check(a_ == e_, __FILE__, __LINE__, m_);                          \
  } while (0)
#define CHECK_STR(actual, expected)                                                               \
  do {                                                                                            \
    const char* a_ = (actual);                                                                    \
    const char* e_ = (expected);                                                                  \
    char m_[1024];                                                                                \
    snprintf(m_, sizeof m_, "%s == \"%.400s\", expected \"%.400s\"", #actual, a_ ? a_ : "(null)", \
             e_ ? e_ : "(null)");                                                                 \
    qrvl_check(a_&& e_ ? strcmp(a_, e_) == 0 : a_ == e_, __FILE__, __LINE__, m_);                 \
  } while (0)

static int qrvl_summary(void) {
  printf("%d passed, %d failed\n", qrvl_passed, qrvl_failed);
  fflush(stdout);
  return qrvl_failed ? 1 : 0;
}

/* ---- The DLL, resolved by ordinal ------------------------------------------ */
typedef struct {
  HMODULE module;
  char dir[MAX_PATH]; /* the directory of this copy, with a trailing backslash */
  QRVL_Init_t Init;
  QRVL_IDECount_t IDECount;
  QRVL_CreateIDE_t CreateIDE;
  QRVL_DestroyIDE_t DestroyIDE;
  RegistryKeyExists_t RegistryKeyExists;
  AddRegistryKey_t AddRegistryKey;
  DeleteRegistryKey_t DeleteRegistryKey;
  GetRegistryKey_t GetRegistryKey;
  D2DFMtoText_t D2DFMtoText;
} qrvl_dll;

/* The directory of the running host, with a trailing backslash. */
static void qrvl_host_dir(char* dir) {
  GetModuleFileNameA(NULL, dir, MAX_PATH);
  strrchr(dir, '\\')[1] = '\0';
}

/* Copies QRVIDE32.DLL from beside the host into a fresh directory `name`
 * (below the host's directory), with nothing else there, and loads it. */
static int qrvl_stage(qrvl_dll* dll, const char* name) {
  char src[MAX_PATH], dst[MAX_PATH];
  memset(dll, 0, sizeof *dll);
  qrvl_host_dir(dll->dir);
  snprintf(src, sizeof src, "%sQRVIDE32.DLL", dll->dir);
  strncat(dll->dir, name, MAX_PATH - strlen(dll->dir) - 2);
  strcat(dll->dir, "\\");
  CreateDirectoryA(dll->dir, NULL);
  snprintf(dst, sizeof dst, "%sQRVIDE32.DLL", dll->dir);
  if (!CopyFileA(src, dst, FALSE)) return 0;
  dll->module = LoadLibraryA(dst);
  if (!dll->module) return 0;
#define QRVL_ORD(field, type, n) \
  dll->field = (type)(void*)GetProcAddress(dll->module, MAKEINTRESOURCEA(n))
  QRVL_ORD(D2DFMtoText, D2DFMtoText_t, 1);
  QRVL_ORD(GetRegistryKey, GetRegistryKey_t, 2);
  QRVL_ORD(DeleteRegistryKey, DeleteRegistryKey_t, 3);
  QRVL_ORD(AddRegistryKey, AddRegistryKey_t, 4);
  QRVL_ORD(RegistryKeyExists, RegistryKeyExists_t, 5);
  QRVL_ORD(DestroyIDE, QRVL_DestroyIDE_t, 6);
  QRVL_ORD(CreateIDE, QRVL_CreateIDE_t, 7);
  QRVL_ORD(IDECount, QRVL_IDECount_t, 8);
  QRVL_ORD(Init, QRVL_Init_t, 9);
#undef QRVL_ORD
  return dll->Init && dll->IDECount && dll->CreateIDE && dll->DestroyIDE &&
         dll->RegistryKeyExists && dll->AddRegistryKey && dll->DeleteRegistryKey &&
         dll->GetRegistryKey && dll->D2DFMtoText;
}

/* Writes a file of `size` bytes (size -1: a C string). */
static int qrvl_write_file(const char* path, const char* data, int size) {
  DWORD written = 0;
  HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (h == INVALID_HANDLE_VALUE) return 0;
  if (size < 0) size = (int)strlen(data);
  WriteFile(h, data, (DWORD)size, &written, NULL);
  CloseHandle(h);
  return (int)written == size;
}

/* Reads a whole file into a new zero-terminated buffer (free it); *size gets its length. */
static char* qrvl_read_file(const char* path, int* size) {
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                         OPEN_EXISTING, 0, NULL);
  DWORD n = 0, got = 0;
  char* data;
  if (h == INVALID_HANDLE_VALUE) return NULL;
  n = GetFileSize(h, NULL);
  data = (char*)malloc(n + 1);
  ReadFile(h, data, n, &got, NULL);
  CloseHandle(h);
  data[got] = '\0';
  if (size) *size = (int)got;
  return data;
}

/* A short string in a static ring of buffers (enough for one call's arguments). */
static const unsigned char* qrvl_ss(const char* text) {
  static unsigned char ring[8][256];
  static int next;
  unsigned char* s = ring[next++ % 8];
  size_t n = strlen(text);
  if (n > 255) n = 255;
  s[0] = (unsigned char)n;
  memcpy(s + 1, text, n);
  return s;
}

/* ---- Message boxes, caught by a CBT hook and closed ---------------------------- */
typedef struct {
  HWND owner;
  char caption[256];
  char text[2048];
} qrvl_box;

static qrvl_box qrvl_boxes[64];
static int qrvl_box_count;
static HHOOK qrvl_cbt;

static LRESULT CALLBACK qrvl_cbt_proc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = (HWND)wparam;
    char cls[32] = "";
    GetClassNameA(box, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0 && qrvl_box_count < 64) {
      qrvl_box* b = &qrvl_boxes[qrvl_box_count++];
      b->owner = GetWindow(box, GW_OWNER);
      GetWindowTextA(box, b->caption, sizeof b->caption);
      GetDlgItemTextA(box, 0xFFFF, b->text, sizeof b->text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(qrvl_cbt, code, wparam, lparam);
}

/* Starts catching the message boxes of this thread and forgets those caught. */
static void qrvl_catch_boxes(void) {
  if (!qrvl_cbt) qrvl_cbt = SetWindowsHookExA(WH_CBT, qrvl_cbt_proc, NULL, GetCurrentThreadId());
  qrvl_box_count = 0;
}

/* ---- The library's structured exception ------------------------------------------ */
static int qrvl_raised;
static char qrvl_raised_text[1024];

/* Records the library's exception and continues, which makes the call answer 0. */
static LONG CALLBACK qrvl_veh(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* r = info->ExceptionRecord;
  if (r->ExceptionCode != QRVL_EXCEPTION_CODE) return EXCEPTION_CONTINUE_SEARCH;
  qrvl_raised++;
  qrvl_raised_text[0] = '\0';
  if (r->NumberParameters >= 1 && r->ExceptionInformation[0])
    lstrcpynA(qrvl_raised_text, (const char*)r->ExceptionInformation[0], sizeof qrvl_raised_text);
  return EXCEPTION_CONTINUE_EXECUTION;
}

/* Starts catching the library's exception and forgets those caught. */
static void qrvl_catch_raised(void) {
  static void* handler;
  if (!handler) handler = AddVectoredExceptionHandler(1, qrvl_veh);
  qrvl_raised = 0;
  qrvl_raised_text[0] = '\0';
}

/* A plain top-level window of the host, to own message boxes. */
static HWND qrvl_host_window(const char* title) {
  return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

/* ---- A window to type into --------------------------------------------------- */
static LRESULT CALLBACK qrvl_edit_window_proc(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  /* Focus given back to the window (after a message box) goes on to its edit. */
  HWND edit = (HWND)GetWindowLongPtrA(window, GWLP_USERDATA);
  if (message == WM_SETFOCUS && edit) {
    SetFocus(edit);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

/* A visible top-level window of the class `cls` (registered here) with an EDIT
 * child of the given extra style filling it; answers the window, *edit the child. */
static HWND qrvl_edit_window(const char* cls, const char* title, DWORD edit_style, HWND* edit) {
  WNDCLASSA wc;
  HWND window;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = qrvl_edit_window_proc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = cls;
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  RegisterClassA(&wc);
  window = CreateWindowExA(0, cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 600, 200, NULL,
                           NULL, wc.hInstance, NULL);
  *edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | edit_style, 10, 10,
                          560, 140, window, NULL, wc.hInstance, NULL);
  SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)*edit);
  return window;
}

#endif /* QRVL_HOST_UTIL_H */
