/* The main road on a real editor: the kind 0 driver with the shipped Notepad
 * profile opens files at lines in Wine's Notepad, names with spaces and the
 * macro's special characters included. Keys are paced to Notepad's speed; one
 * run without pacing shows why that is needed. */
#include "host_util.h"
#include "notepad.h"

#define CALL(ide, op, ...) ((ide)->vtbl->op((ide), ##__VA_ARGS__))

static qrvl_dll dll;
static char files[MAX_PATH];

/* Writes a file of `lines` numbered lines that name the file, and answers its path. */
static const char* make_file(const char* name, int lines, char* path) {
  static char body[16384];
  int i, n = 0;
  snprintf(path, MAX_PATH, "%s%s", files, name);
  for (i = 1; i <= lines; i++) n += snprintf(body + n, sizeof body - n, "%s: line %d\r\n", name, i);
  qrvl_write_file(path, body, n);
  return path;
}

/* Opens path at line through the driver; answers whether SyncIDE said true. */
static int sync(notepad* np, const char* path, int line, int pace) {
  QRVL_IDE* ide = dll.CreateIDE(QRVL_KIND_CUSTOM, NULL);
  int answer;
  if (!ide) return 0;
  SetForegroundWindow(np->main);
  if (pace) np_pace_start(np->main);
  answer = CALL(ide, SyncIDE, path, line, 0, 0);
  np_pace_stop();
  dll.DestroyIDE(ide);
  return answer;
}

static void test_paced_road(void) {
  static const struct {
    const char* name;
    int lines, line;
  } hits[] = {
      {"plain.txt", 40, 23},
      {"name with spaces +^%{}~.txt", 30, 5},
      {"parentheses (1).txt", 30, 9}, /* where the layout has keys for ( and ) */
      {"first.c", 12, 1},
      {"last line.txt", 60, 60},
  };
  notepad np;
  char why[600], path[MAX_PATH];
  size_t i;
  if (!np_start(&np, why, sizeof why)) {
    printf("FAIL: %s\n", why);
    CHECK(0);
    np_stop(&np);
    return;
  }
  qrvl_catch_boxes();
  /* Wine under Xvfb finds ( and ) on two extra keypad keys that it has no
   * virtual key for, so VkKeyScanA answers no key for them there. */
  const int parentheses = VkKeyScanA('(') != -1 && VkKeyScanA(')') != -1;
  if (!parentheses) printf("  note: this keyboard layout has no key for ( and ); not typed\n");
  for (i = 0; i < sizeof hits / sizeof hits[0]; i++) {
    WCHAR status[64] = L"", expected[64];
    if (!parentheses && strchr(hits[i].name, '(')) continue;
    make_file(hits[i].name, hits[i].lines, path);
    CHECK_INT(sync(&np, path, hits[i].line, 1), 1);
    if (!np_wait_opened(&np, path, 15000, why, sizeof why)) {
      printf("  %s: %s (screen saved as host_notepad_failed.bmp)\n", path, why);
      np_screenshot("host_notepad_failed.bmp");
    }
    CHECK(np_shows_file(&np, path));
    CHECK_INT(np_caret_line(&np), hits[i].line);
    swprintf(expected, 64, L"Ln %d, Col 1", hits[i].line);
    np_text(np.status, status, 64);
    CHECK(lstrcmpW(status, expected) == 0);
  }
  CHECK_INT(qrvl_box_count, 0);
  np_stop(&np);
}

/* Without pacing the file still opens, but the line number is lost: Notepad
 * reads the digits before it shows its Go To Line dialog. */
static void test_unpaced_misses_the_line(void) {
  notepad np;
  char why[600], path[MAX_PATH];
  int opened, caret;
  if (!np_start(&np, why, sizeof why)) {
    printf("FAIL: %s\n", why);
    CHECK(0);
    np_stop(&np);
    return;
  }
  make_file("unpaced.txt", 40, path);
  CHECK_INT(sync(&np, path, 31, 0), 1);
  opened = np_wait_opened(&np, path, 5000, why, sizeof why);
  caret = np_caret_line(&np);
  printf("  unpaced: %s, caret on line %d of the 31 asked for\n",
         opened ? "file open, no dialog left" : why, caret);
  CHECK(!(opened && np_shows_file(&np, path) && caret == 31));
  np_stop(&np);
}

int main(void) {
  char shipped[MAX_PATH], ini[MAX_PATH];
  if (!qrvl_stage(&dll, "notepad")) {
    printf("FAIL: cannot stage the DLL\n");
    return qrvl_summary() | 1;
  }
  /* The shipped settings file, with its Notepad profile, beside this copy. */
  qrvl_host_dir(shipped);
  strcat(shipped, "EDITORS.INI");
  snprintf(ini, sizeof ini, "%sEDITORS.INI", dll.dir);
  CHECK(CopyFileA(shipped, ini, FALSE));
  snprintf(files, sizeof files, "%snotepad files\\", dll.dir);
  CreateDirectoryA(files, NULL);
  CHECK_INT(dll.Init(), 1);

  test_paced_road();
  test_unpaced_misses_the_line();
  return qrvl_summary();
}
