/* The registry exports and the install log, through the real DLL under Wine,
 * against Wine's registry. Everything lives below HKCU\Software\QrvlRegTest
 * (and the same path below HKLM for a second root), removed at the end. */
#define _WIN32_WINNT 0x0600 /* RegDeleteTreeA */
#include "host_util.h"

#define TEST_KEY "Software\\QrvlRegTest"

static qrvl_dll dll;
static char log_path[MAX_PATH];

static int add(QRVL_HKEY root, const char* key, const char* name, const char* value, int tree) {
  return dll.AddRegistryKey(root, qrvl_ss(key), qrvl_ss(name), qrvl_ss(value), tree);
}
static int exists(QRVL_HKEY root, const char* key, const char* name) {
  return dll.RegistryKeyExists(root, qrvl_ss(key), qrvl_ss(name));
}
static int del(QRVL_HKEY root, const char* key, const char* name) {
  return dll.DeleteRegistryKey(root, qrvl_ss(key), qrvl_ss(name));
}
/* GetRegistryKey into a zero-terminated copy of the answer; *answer gets the result. */
static const char* get(QRVL_HKEY root, const char* key, const char* name, uint32_t size,
                       int* answer) {
  static unsigned char buffer[300];
  static char text[300];
  memset(buffer, 'x', sizeof buffer);
  buffer[0] = 9;
  *answer = dll.GetRegistryKey(root, qrvl_ss(key), qrvl_ss(name), buffer, size);
  memcpy(text, buffer + 1, buffer[0]);
  text[buffer[0]] = '\0';
  return text;
}

static HKEY open_key(HKEY root, const char* path) {
  HKEY key = NULL;
  return RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS ? key : NULL;
}
static int key_exists(HKEY root, const char* path) {
  HKEY key = open_key(root, path);
  if (key) RegCloseKey(key);
  return key != NULL;
}
/* The number of values and subkeys of a key, -1 when it is missing. */
static int key_items(HKEY root, const char* path) {
  DWORD values = 0, subkeys = 0;
  HKEY key = open_key(root, path);
  if (!key) return -1;
  RegQueryInfoKeyA(key, 0, 0, 0, &subkeys, 0, 0, &values, 0, 0, 0, 0);
  RegCloseKey(key);
  return (int)(values + subkeys);
}
/* A value's type, size and bytes straight from the registry; 0 when missing. */
static int read_value(HKEY root, const char* path, const char* name, DWORD* type, char* data,
                      DWORD* size) {
  HKEY key = open_key(root, path);
  LONG rc;
  if (!key) return 0;
  rc = RegQueryValueExA(key, name, NULL, type, (BYTE*)data, size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}
static void set_value(const char* path, const char* name, DWORD type, const void* data,
                      DWORD size) {
  HKEY key = NULL;
  RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
  RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
  RegCloseKey(key);
}

static void test_write_and_read(void) {
  DWORD type = 0, size = sizeof(char[64]);
  char data[64];
  int answer;
  CHECK_INT(exists(0, TEST_KEY "\\A", ""), 0);
  CHECK(!key_exists(HKEY_CURRENT_USER, TEST_KEY "\\A")); /* testing creates nothing */
  CHECK_INT(add(0, TEST_KEY "\\A\\B", "Path", "C:\\Quarvel", 0), 1);
  CHECK(read_value(HKEY_CURRENT_USER, TEST_KEY "\\A\\B", "Path", &type, data, &size));
  CHECK_INT(type, REG_SZ);
  CHECK_INT(size, 11);
  CHECK_STR(data, "C:\\Quarvel");
  CHECK_INT(exists(QRVL_HKEY_CURRENT_USER, TEST_KEY "\\A\\B", ""), 1);
  CHECK_INT(exists(QRVL_HKEY_CURRENT_USER, "\\" TEST_KEY "\\a\\b", "PATH"), 1);
  CHECK_INT(exists(0, TEST_KEY "\\A\\B", "Missing"), 0);
  CHECK_STR(get(0, "\\" TEST_KEY "\\A\\B", "Path", 255, &answer), "C:\\Quarvel");
  CHECK_INT(answer, 1);
  CHECK_STR(get(0, TEST_KEY "\\A\\B", "Missing", 255, &answer), "");
  CHECK_INT(answer, 0);

  /* Empty value name: the key's default value. */
  CHECK_INT(add(0, TEST_KEY "\\A", "", "default", 0), 1);
  size = sizeof data;
  CHECK(read_value(HKEY_CURRENT_USER, TEST_KEY "\\A", NULL, &type, data, &size));
  CHECK_STR(data, "default");
  CHECK_STR(get(0, TEST_KEY "\\A", "", 255, &answer), "default");
  CHECK_INT(answer, 1);
  CHECK_INT(add(0, TEST_KEY "\\A", "Empty", "", 0), 1);
  CHECK_STR(get(0, TEST_KEY "\\A", "Empty", 255, &answer), "");
  CHECK_INT(answer, 1);
}

static void test_value_types_and_sizes(void) {
  const DWORD number = 42;
  char v255[256], got[256];
  int answer, i;
  set_value(TEST_KEY "\\T", "Dword", REG_DWORD, &number, sizeof number);
  set_value(TEST_KEY "\\T", "Expand", REG_EXPAND_SZ, "%WINDIR%\\x", 11);
  set_value(TEST_KEY "\\T", "Six", REG_SZ, "abcdef", 7);
  set_value(TEST_KEY "\\T", "ZeroBinary", REG_BINARY, "", 0);
  CHECK_INT(exists(0, TEST_KEY "\\T", "Dword"), 1);
  CHECK_STR(get(0, TEST_KEY "\\T", "Dword", 255, &answer), "");
  CHECK_INT(answer, 0);
  CHECK_STR(get(0, TEST_KEY "\\T", "Expand", 255, &answer), "%WINDIR%\\x");
  CHECK_INT(answer, 1);
  CHECK_STR(get(0, TEST_KEY "\\T", "Six", 3, &answer), "abc");
  CHECK_INT(answer, 1);
  CHECK_STR(get(0, TEST_KEY "\\T", "Six", 0x104, &answer), "abcd"); /* low byte only */
  CHECK_STR(get(0, TEST_KEY "\\T", "ZeroBinary", 255, &answer), "");
  CHECK_INT(answer, 1);

  for (i = 0; i < 255; i++) v255[i] = (char)('!' + i % 90);
  v255[255] = '\0';
  CHECK_INT(add(0, TEST_KEY "\\T", "Long", v255, 0), 1);
  strcpy(got, get(0, TEST_KEY "\\T", "Long", 255, &answer));
  CHECK_INT(answer, 1);
  CHECK_STR(got, v255);
}

static void test_delete(void) {
  static const char* const levels[] = {"L1a", "L1b", "L1c"};
  char path[MAX_PATH];
  int a, b, c, answer;
  for (a = 0; a < 3; a++)
    for (b = 0; b < 3; b++)
      for (c = 0; c < 3; c++) {
        snprintf(path, sizeof path, TEST_KEY "\\Tree\\%s\\M%d\\N%d", levels[a], b, c);
        CHECK_INT(add(0, path, "v", "x", 0), 1);
      }
  CHECK_INT(add(0, TEST_KEY "\\Treetop", "v", "stays", 0), 1);
  CHECK_INT(del(0, "\\" TEST_KEY "\\TREE", ""), 1);
  CHECK(!key_exists(HKEY_CURRENT_USER, TEST_KEY "\\Tree"));
  CHECK(key_exists(HKEY_CURRENT_USER, TEST_KEY "\\Treetop"));
  CHECK_INT(del(0, TEST_KEY "\\Tree", ""), 0);

  CHECK_INT(add(0, TEST_KEY "\\V", "One", "1", 0), 1);
  CHECK_INT(add(0, TEST_KEY "\\V", "Two", "2", 0), 1);
  CHECK_INT(del(0, TEST_KEY "\\V", "one"), 1);
  CHECK_INT(del(0, TEST_KEY "\\V", "One"), 0);
  CHECK_INT(key_items(HKEY_CURRENT_USER, TEST_KEY "\\V"), 1);

  /* Reading or deleting a value of a missing key leaves the key, empty. */
  get(0, TEST_KEY "\\Gone", "Name", 255, &answer);
  CHECK_INT(answer, 0);
  CHECK_INT(key_items(HKEY_CURRENT_USER, TEST_KEY "\\Gone"), 0);
  CHECK_INT(del(0, TEST_KEY "\\Lost", "Name"), 0);
  CHECK_INT(key_items(HKEY_CURRENT_USER, TEST_KEY "\\Lost"), 0);
}

/* A Root that is an open key works as the base; with an empty path it is never deleted. */
static void test_roots(void) {
  HKEY base = NULL;
  int answer;
  CHECK_INT(add(0, TEST_KEY "\\Base\\Child", "v", "x", 0), 1);
  base = open_key(HKEY_CURRENT_USER, TEST_KEY "\\Base");
  CHECK(base != NULL && (uintptr_t)base <= 0xFFFFFFFFu);
  if (base && (uintptr_t)base <= 0xFFFFFFFFu) {
    QRVL_HKEY root = (QRVL_HKEY)(uintptr_t)base;
    CHECK_INT(exists(root, "Child", "v"), 1);
    CHECK_INT(del(root, "", ""), 0);
    CHECK_INT(del(root, "\\", ""), 0);
    CHECK_INT(del(root, "\\\\", ""), 0);
    CHECK_INT(key_items(HKEY_CURRENT_USER, TEST_KEY "\\Base"), 1);
  }
  if (base) RegCloseKey(base);
  CHECK_INT(add(0x12345678u, TEST_KEY, "v", "x", 0), 0);
  CHECK_INT(exists(0x12345678u, TEST_KEY, ""), 0);
  CHECK_INT(del(0x12345678u, TEST_KEY, ""), 0);
  get(0x12345678u, TEST_KEY, "v", 255, &answer);
  CHECK_INT(answer, 0);

  /* Doubled and trailing backslashes name the same key; high bytes pass through. */
  CHECK_INT(add(0, TEST_KEY "\\\\Odd\\", "N\xE9", "v\xFF", 0), 1);
  CHECK_STR(get(0, TEST_KEY "\\Odd", "N\xE9", 255, &answer), "v\xFF");
  CHECK_INT(key_items(HKEY_CURRENT_USER, TEST_KEY "\\Odd"), 1);
}

/* GetRegistryKey writes at most BufferSize + 1 bytes: the next page faults. */
static void test_buffer_end(void) {
  static const uint32_t sizes[] = {0, 3, 6, 255};
  SYSTEM_INFO info;
  DWORD old;
  unsigned char* pages;
  size_t i;
  GetSystemInfo(&info);
  pages = (unsigned char*)VirtualAlloc(NULL, 2 * info.dwPageSize, MEM_COMMIT, PAGE_READWRITE);
  CHECK(pages && VirtualProtect(pages + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old));
  if (!pages) return;
  for (i = 0; i < sizeof sizes / sizeof sizes[0]; i++) {
    unsigned char* buffer = pages + info.dwPageSize - (sizes[i] + 1);
    CHECK_INT(dll.GetRegistryKey(0, qrvl_ss(TEST_KEY "\\T"), qrvl_ss("Long"), buffer, sizes[i]), 1);
    CHECK_INT(buffer[0], sizes[i]);
    CHECK_INT(dll.GetRegistryKey(0, qrvl_ss(TEST_KEY "\\T"), qrvl_ss("Six"), buffer, sizes[i]), 1);
    CHECK_INT(buffer[0], sizes[i] < 6 ? sizes[i] : 6);
  }
  VirtualFree(pages, 0, MEM_RELEASE);
}

static int log_is(const char* expected, int size) {
  int got = -1, same;
  char* data = qrvl_read_file(log_path, &got);
  same = data && got == size && memcmp(data, expected, (size_t)size) == 0;
  if (!same) printf("log holds %d bytes: %.300s\n", got, data ? data : "(none)");
  free(data);
  return same;
}
#define LOG_IS(text) CHECK(log_is(text, (int)sizeof(text) - 1))

static void test_install_log(void) {
  HANDLE held;
  DWORD type, size;
  char data[64], message[MAX_PATH + 64];
  DeleteFileA(log_path);
  CHECK_INT(add(0, TEST_KEY "\\Log", "N", "v", 0), 1);
  CHECK(GetFileAttributesA(log_path) == INVALID_FILE_ATTRIBUTES);

  CHECK(qrvl_write_file(log_path, "", 0));
  CHECK_INT(add(0, TEST_KEY "\\Log", "N", "C:\\v", 0), 1);
#define ENTRY1 \
  "RegDB Key: " TEST_KEY "\\Log\r\nRegDB Val: C:\\v\r\nRegDB Name: N\r\nRegDB Root: 1\r\n"
  LOG_IS(ENTRY1);
  CHECK_INT(add(QRVL_HKEY_CURRENT_USER, TEST_KEY "\\Log", "N", "C:\\v", 0), 1);
  CHECK_INT(add(0, "SOFTWARE\\qrvlregtest\\LOG", "n", "other", 0), 1);
  LOG_IS(ENTRY1);
  CHECK_INT(add(QRVL_HKEY_LOCAL_MACHINE, TEST_KEY "\\Log", "N", "C:\\v", 0), 1);
#define ENTRY2 \
  "RegDB Key: " TEST_KEY "\\Log\r\nRegDB Val: C:\\v\r\nRegDB Name: N\r\nRegDB Root: 2\r\n"
  LOG_IS(ENTRY1 ENTRY2);
  CHECK_INT(add(0, TEST_KEY "\\Log", "X", "y", 1), 1);
  CHECK_INT(add(0, TEST_KEY "\\Log", "Z", "y", 1), 1);
#define TREE "RegDB TREE: " TEST_KEY "\\Log\r\nRegDB Root: 1\r\n"
  LOG_IS(ENTRY1 ENTRY2 TREE);

  CHECK(qrvl_write_file(log_path, "old\r\n\x1A", -1));
  CHECK_INT(add(0, TEST_KEY "\\Log", "N", "C:\\v", 0), 1);
  LOG_IS("old\r\n" ENTRY1);

  /* A log held open without sharing: the error reaches the host, the value is written. */
  held = CreateFileA(log_path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(held != INVALID_HANDLE_VALUE);
  qrvl_catch_raised();
  CHECK_INT(add(0, TEST_KEY "\\Log", "Held", "written", 0), 0);
  CHECK_INT(qrvl_raised, 1);
  snprintf(message, sizeof message, "I/O error reading %s", log_path);
  CHECK_STR(qrvl_raised_text, message);
  size = sizeof data;
  CHECK(read_value(HKEY_CURRENT_USER, TEST_KEY "\\Log", "Held", &type, data, &size));
  CHECK_STR(data, "written");
  CloseHandle(held);
  LOG_IS("old\r\n" ENTRY1);
  /* The library goes on working after the error. */
  CHECK_INT(add(0, TEST_KEY "\\Log", "Held", "written", 1), 1);
  CHECK_INT(qrvl_raised, 1);
  DeleteFileA(log_path);
}

/* A fault (such as a write past the caller's buffer) ends the run at once with
 * the summary, rather than in Wine's debugger. */
static LONG WINAPI on_fault(EXCEPTION_POINTERS* info) {
  printf("FAIL: exception %08lx at %p\n", (unsigned long)info->ExceptionRecord->ExceptionCode,
         info->ExceptionRecord->ExceptionAddress);
  qrvl_failed++;
  qrvl_summary();
  ExitProcess(1);
  return EXCEPTION_EXECUTE_HANDLER;
}

int main(void) {
  SetUnhandledExceptionFilter(on_fault);
  if (!qrvl_stage(&dll, "registry")) {
    CHECK(!"staging the DLL");
    return qrvl_summary();
  }
  snprintf(log_path, sizeof log_path, "%sINSTALL.LOG", dll.dir);
  DeleteFileA(log_path);
  RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, TEST_KEY);
  test_write_and_read();
  test_value_types_and_sizes();
  test_delete();
  test_roots();
  test_buffer_end();
  test_install_log();
  RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, TEST_KEY);
  CHECK(!key_exists(HKEY_CURRENT_USER, TEST_KEY));
  return qrvl_summary();
}
