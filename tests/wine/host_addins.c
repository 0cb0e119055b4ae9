/* The add-in drivers and the Hurricane Editor driver through the real DLL
 * under Wine: utility windows, registry round trips with their install log
 * entries, long names, and starting a stand-in editor (fixture_hedit.exe). */
#include "host_util.h"

#define CALL(ide, op, ...) ((ide)->vtbl->op((ide), ##__VA_ARGS__))

#define UTIL_CLASS "QrvlUtilFixture"
#define EDITOR_CLASS "QrvlHEditFixture"
#define TEST_KEY "Software\\QrvlAddinTest"
#define D2_KEY TEST_KEY "\\Delphi\\2.0\\Experts"
#define BC5_KEY TEST_KEY "\\Borland\\BC5\\AddOns\\Quarvel"
#define APP_PATHS "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"

static const char kProfile[] =
    "[Editors]\r\n"
    "Delphi_2X_Desc=Delphi 2.0\r\n"
    "Delphi_2X_Util_AppClass=" UTIL_CLASS
    "\r\n"
    "Delphi_2X_Util_AppText=Quarvel Delphi 2 Utility\r\n"
    "Delphi_2X_RegKey=" D2_KEY
    "\r\n"
    "BorCPP_5X_Desc=Borland C++ 5.02\r\n"
    "BorCPP_5X_Util_AppClass=" UTIL_CLASS
    "\r\n"
    "BorCPP_5X_Util_AppText=Quarvel BC5 Utility\r\n"
    "BorCPP_5X_RegKey=" BC5_KEY
    "\r\n"
    "HEdit_Desc=Hurricane Editor\r\n"
    "HEdit_AppClass=" EDITOR_CLASS "\r\n";

static UINT open_message, restore_message;
static HWND owner;

/* ---- Utility windows of the host that record what they receive ---------------- */
typedef struct {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
} received;
static received got[16];
static int got_count;

static LRESULT CALLBACK util_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if ((message == open_message || message == restore_message) && got_count < 16) {
    received r = {window, message, wparam, lparam};
    got[got_count++] = r;
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

static HWND util_window(const char* title) {
  return CreateWindowA(UTIL_CLASS, title, WS_OVERLAPPEDWINDOW, 20, 20, 200, 100, NULL, NULL,
                       GetModuleHandleA(NULL), NULL);
}

static void pump(void) {
  MSG msg;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

/* ---- Registry and files ------------------------------------------------------- */
static int key_exists(HKEY root, const char* path) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  RegCloseKey(key);
  return 1;
}

static void create_key(HKEY root, const char* path) {
  HKEY key;
  if (RegCreateKeyExA(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) == ERROR_SUCCESS)
    RegCloseKey(key);
}

/* The string value, or "<missing>". */
static const char* read_value(HKEY root, const char* path, const char* name) {
  static char value[1024];
  DWORD size = sizeof value - 1;
  HKEY key;
  strcpy(value, "<missing>");
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  memset(value, 0, sizeof value);
  if (RegQueryValueExA(key, name, NULL, NULL, (BYTE*)value, &size) != ERROR_SUCCESS)
    strcpy(value, "<missing>");
  RegCloseKey(key);
  return value;
}

static void write_default(HKEY root, const char* path, const char* text) {
  HKEY key;
  if (RegCreateKeyExA(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, NULL, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
  RegCloseKey(key);
}

/* Stages the DLL into `name` beside the host with the test profile and an
 * empty install log; answers the driver of `kind`. */
static void stage(qrvl_dll* dll, const char* name) {
  char path[MAX_PATH];
  if (!qrvl_stage(dll, name)) {
    printf("FAIL: could not stage QRVIDE32.DLL into %s\n", name);
    exit(qrvl_summary() | 1);
  }
  snprintf(path, sizeof path, "%sEDITORS.INI", dll->dir);
  qrvl_write_file(path, kProfile, -1);
  snprintf(path, sizeof path, "%sINSTALL.LOG", dll->dir);
  qrvl_write_file(path, "", 0);
  dll->Init();
}

static char* install_log(const qrvl_dll* dll) {
  char path[MAX_PATH];
  snprintf(path, sizeof path, "%sINSTALL.LOG", dll->dir);
  return qrvl_read_file(path, NULL);
}

/* ---- Tests -------------------------------------------------------------------- */

/* SyncIDE posts to the utility window of the profile's class and title only. */
static void test_utility_window(qrvl_dll* dll, int kind, const char* title, const char* desc) {
  char expected[256];
  HWND other, util;
  QRVL_IDE* ide = dll->CreateIDE(kind, owner);
  other = util_window("Another Title");
  got_count = 0;
  qrvl_catch_boxes();
  CHECK_INT(CALL(ide, IsIDEReady), 0);
  CHECK_INT(CALL(ide, SyncIDE, "C:\\src\\main.pas", 10, 0, 0), 0);
  CHECK_INT(qrvl_box_count, 1);
  snprintf(expected, sizeof expected,
           "The Quarvel extension for %s has not been installed.\rInstall the extension and try "
           "again.",
           desc);
  CHECK_STR(qrvl_boxes[0].text, expected);
  CHECK_STR(qrvl_boxes[0].caption, "Error");
  CHECK(qrvl_boxes[0].owner == owner);

  util = util_window(title);
  CHECK_INT(CALL(ide, IsIDEReady), 1);
  CHECK_INT(CALL(ide, SyncIDE, "C:\\src\\main.pas", 10, 0, 0), 1);
  pump();
  CHECK_INT(qrvl_box_count, 1);
  CHECK_INT(got_count, 1);
  CHECK(got[0].window == util);
  CHECK_INT(got[0].message, open_message);
  CHECK_INT(got[0].wparam, 0);
  CHECK_INT(got[0].lparam, 0);
  DestroyWindow(util);
  DestroyWindow(other);
  dll->DestroyIDE(ide);
}

/* Without a settings file the driver has no class and title: nothing is posted. */
static void test_no_profile(void) {
  qrvl_dll bare;
  QRVL_IDE* ide;
  HWND util;
  if (!qrvl_stage(&bare, "addins_bare")) {
    CHECK(!"staging addins_bare");
    return;
  }
  bare.Init();
  qrvl_catch_boxes();
  ide = bare.CreateIDE(QRVL_KIND_DELPHI_2X, owner);
  CHECK_INT(qrvl_box_count, 1);
  util = util_window("");
  got_count = 0;
  CHECK_INT(CALL(ide, IsIDEReady), 0);
  CHECK_INT(CALL(ide, SyncIDE, "a.pas", 1, 0, 0), 0);
  pump();
  CHECK_INT(got_count, 0);
  CHECK_INT(qrvl_box_count, 2);
  DestroyWindow(util);
  bare.DestroyIDE(ide);
}

/* Delphi 2: the value "QUIBLE30" under RegKey in HKEY_CURRENT_USER. */
static void test_delphi2_registry(qrvl_dll* dll) {
  char expected[1024];
  char* log;
  QRVL_IDE* ide = dll->CreateIDE(QRVL_KIND_DELPHI_2X, owner);
  RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
  CHECK_INT(CALL(ide, CanInstall), 0);
  create_key(HKEY_CURRENT_USER, TEST_KEY "\\Delphi\\2.0");
  CHECK_INT(CALL(ide, CanInstall), 1);
  CHECK_INT(CALL(ide, IsInstalled), 0);
  CHECK_INT(CALL(ide, Install), 1);
  CHECK_INT(CALL(ide, IsInstalled), 1);
  snprintf(expected, sizeof expected, "%sDELPHI2.DLL", dll->dir);
  CHECK_STR(read_value(HKEY_CURRENT_USER, D2_KEY, "QUIBLE30"), expected);
  log = install_log(dll);
  snprintf(expected, sizeof expected,
           "RegDB Key: %s\r\nRegDB Val: %sDELPHI2.DLL\r\nRegDB Name: QUIBLE30\r\nRegDB Root: 1\r\n",
           D2_KEY, dll->dir);
  CHECK_STR(log, expected);
  free(log);
  CHECK_INT(CALL(ide, Uninstall), 1);
  CHECK_INT(CALL(ide, IsInstalled), 0);
  CHECK(key_exists(HKEY_CURRENT_USER, D2_KEY));
  CHECK_INT(CALL(ide, Uninstall), 0);
  RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
  dll->DestroyIDE(ide);
}

/* Borland C++ 5, from a library loaded through a short directory name: "Path"
 * gets the long names, "Enabled" gets "Yes", and Uninstall removes the key. */
static void test_bc5_registry(void) {
  char long_dir[MAX_PATH], short_dir[MAX_PATH], expected[1024], addon[MAX_PATH];
  const char* short_name;
  char* log;
  qrvl_dll dll;
  QRVL_IDE *ide, *d2;

  qrvl_host_dir(long_dir);
  strcat(long_dir, "Quarvel Addin Library");
  CreateDirectoryA(long_dir, NULL);
  CHECK(GetShortPathNameA(long_dir, short_dir, MAX_PATH) > 0);
  short_name = strrchr(short_dir, '\\') + 1;
  CHECK(strcmp(short_name, "Quarvel Addin Library") != 0);
  stage(&dll, short_name); /* loads it by its short path */
  strcat(long_dir, "\\");

  RegDeleteTreeA(HKEY_LOCAL_MACHINE, TEST_KEY);
  ide = dll.CreateIDE(QRVL_KIND_BORCPP_5X, owner);
  CHECK_INT(CALL(ide, GetIDEType), 0);
  CHECK_INT(CALL(ide, CanInstall), 0);
  create_key(HKEY_LOCAL_MACHINE, TEST_KEY "\\Borland");
  CHECK_INT(CALL(ide, CanInstall), 1);
  CHECK_INT(CALL(ide, IsInstalled), 0);

  /* No QRVLBC5.DLL: its component expands to nothing. */
  snprintf(addon, sizeof addon, "%sQRVLBC5.DLL", dll.dir);
  DeleteFileA(addon);
  CHECK_INT(CALL(ide, Install), 1);
  CHECK_STR(read_value(HKEY_LOCAL_MACHINE, BC5_KEY, "Path"), long_dir);
  CHECK_STR(read_value(HKEY_LOCAL_MACHINE, BC5_KEY, "Enabled"), "Yes");
  CHECK_INT(CALL(ide, IsInstalled), 1);

  qrvl_write_file(addon, "MZ", -1);
  CHECK_INT(CALL(ide, Install), 1);
  snprintf(expected, sizeof expected, "%sQRVLBC5.DLL", long_dir);
  CHECK_STR(read_value(HKEY_LOCAL_MACHINE, BC5_KEY, "Path"), expected);

  /* Logged once each: the key as a tree entry, "Enabled" as a key entry. */
  log = install_log(&dll);
  snprintf(expected, sizeof expected,
           "RegDB TREE: %s\r\nRegDB Root: 2\r\n"
           "RegDB Key: %s\r\nRegDB Val: Yes\r\nRegDB Name: Enabled\r\nRegDB Root: 2\r\n",
           BC5_KEY, BC5_KEY);
  CHECK_STR(log, expected);
  free(log);

  /* Delphi 2 registers the directory as the module name gives it. */
  d2 = dll.CreateIDE(QRVL_KIND_DELPHI_2X, owner);
  CHECK_INT(CALL(d2, Install), 1);
  snprintf(expected, sizeof expected, "%sDELPHI2.DLL", dll.dir);
  CHECK_STR(read_value(HKEY_CURRENT_USER, D2_KEY, "QUIBLE30"), expected);
  RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
  dll.DestroyIDE(d2);

  CHECK_INT(CALL(ide, Uninstall), 1);
  CHECK(!key_exists(HKEY_LOCAL_MACHINE, BC5_KEY));
  CHECK(key_exists(HKEY_LOCAL_MACHINE, TEST_KEY "\\Borland\\BC5\\AddOns"));
  CHECK_INT(CALL(ide, IsInstalled), 0);
  CHECK_INT(CALL(ide, Uninstall), 0);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, TEST_KEY);
  DeleteFileA(addon);
  dll.DestroyIDE(ide);
}

static HWND wait_for_editor(int present) {
  HWND window = NULL;
  int i;
  for (i = 0; i < 50; i++) {
    window = FindWindowA(EDITOR_CLASS, NULL);
    if ((window != NULL) == present) break;
    Sleep(100);
  }
  return window;
}

/* The Hurricane Editor: found through App Paths, started, and sent its messages. */
static void test_hedit(qrvl_dll* dll) {
  char fixture[MAX_PATH], log_path[MAX_PATH];
  char* log = NULL;
  HWND editor;
  int i;
  QRVL_IDE* ide = dll->CreateIDE(QRVL_KIND_HEDIT, owner);
  qrvl_host_dir(fixture);
  strcpy(log_path, fixture);
  strcat(fixture, "fixture_hedit.exe");
  strcat(log_path, "fixture_hedit.log");
  DeleteFileA(log_path);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, APP_PATHS "HEDIT32.EXE");
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, APP_PATHS "HEDIT.EXE");
  CHECK_INT(CALL(ide, CanRestoreIDE), 1);

  /* Neither key: the product box once, nothing started. */
  qrvl_catch_boxes();
  CHECK_INT(CALL(ide, RestoreIDE, NULL), 0);
  CHECK_INT(qrvl_box_count, 1);
  CHECK_STR(qrvl_boxes[0].text, "Start The Hurricane Editor and try again.");
  CHECK_STR(qrvl_boxes[0].caption, "Quarvel");
  CHECK(qrvl_boxes[0].owner == owner);
  CHECK(FindWindowA(EDITOR_CLASS, NULL) == NULL);

  /* A registered program that does not exist: the launch error, nothing posted. */
  {
    char missing[MAX_PATH], expected[MAX_PATH + 128];
    qrvl_host_dir(missing);
    strcat(missing, "no_such_hedit.exe");
    write_default(HKEY_LOCAL_MACHINE, APP_PATHS "HEDIT.EXE", missing);
    qrvl_catch_boxes();
    CHECK_INT(CALL(ide, RestoreIDE, NULL), 0);
    CHECK_INT(qrvl_box_count, 1);
    snprintf(expected, sizeof expected, "Error Starting Editor: %s.\rPath was not found to EXE.",
             missing);
    CHECK_STR(qrvl_boxes[0].text, expected);
    CHECK_STR(qrvl_boxes[0].caption, "Error");
  }

  /* Not running: SyncIDE shows the error box and starts nothing, even when registered. */
  write_default(HKEY_LOCAL_MACHINE, APP_PATHS "HEDIT.EXE", fixture);
  qrvl_catch_boxes();
  CHECK_INT(CALL(ide, SyncIDE, "C:\\src\\a.c", 5, 0, 0), 0);
  CHECK_INT(qrvl_box_count, 1);
  CHECK_STR(qrvl_boxes[0].text,
            "Error opening file in Hurricane Editor.\rCould not find window during call to "
            "OpenFile.");
  CHECK_STR(qrvl_boxes[0].caption, "Error");
  Sleep(500);
  CHECK(FindWindowA(EDITOR_CLASS, NULL) == NULL);
  CHECK(GetFileAttributesA(log_path) == INVALID_FILE_ATTRIBUTES);

  /* Registered under HEDIT.EXE only: started, then restored and asked to open. */
  qrvl_catch_boxes();
  CHECK_INT(CALL(ide, RestoreIDE, NULL), 1);
  editor = wait_for_editor(1);
  CHECK(editor != NULL);
  CHECK_INT(CALL(ide, SyncIDE, "C:\\src\\a.c", 5, 0, 0), 1);
  CHECK_INT(CALL(ide, RestoreIDE, editor), 1);
  CHECK_INT(qrvl_box_count, 0);
  for (i = 0; i < 50; i++) {
    int size = 0;
    free(log);
    log = qrvl_read_file(log_path, &size);
    if (log && size >= 60) break;
    Sleep(100);
  }
  CHECK_STR(log, "CM_QRVLRESTORE 0 0\r\nCM_QRVLOPENFILE 0 0\r\nCM_QRVLRESTORE 0 0\r\n");
  free(log);
  /* The lookup of the first key left it behind, empty. */
  CHECK(key_exists(HKEY_LOCAL_MACHINE, APP_PATHS "HEDIT32.EXE"));

  if (editor) PostMessageA(editor, WM_CLOSE, 0, 0);
  CHECK(wait_for_editor(0) == NULL);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, APP_PATHS "HEDIT32.EXE");
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, APP_PATHS "HEDIT.EXE");
  DeleteFileA(log_path);
  dll->DestroyIDE(ide);
}

int main(void) {
  qrvl_dll dll;
  WNDCLASSA wc;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = util_proc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = UTIL_CLASS;
  RegisterClassA(&wc);
  open_message = RegisterWindowMessageA(QRVL_MSG_OPENFILE);
  restore_message = RegisterWindowMessageA(QRVL_MSG_RESTORE);
  owner = qrvl_host_window("addins owner");

  stage(&dll, "addins");
  test_utility_window(&dll, QRVL_KIND_DELPHI_2X, "Quarvel Delphi 2 Utility", "Delphi 2.0");
  test_utility_window(&dll, QRVL_KIND_BORCPP_5X, "Quarvel BC5 Utility", "Borland C++ 5.02");
  test_no_profile();
  test_delphi2_registry(&dll);
  test_bc5_registry();
  test_hedit(&dll);
  return qrvl_summary();
}
