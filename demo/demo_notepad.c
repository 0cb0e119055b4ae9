/* Demo host: the library's main road on a real editor. Starts Wine's Notepad,
 * asks the kind 0 driver (the Notepad profile of EDITORS.INI) to open a file at
 * a line, checks what Notepad shows and saves a screenshot. */
#include <windows.h>
#include <stdio.h>

#include "notepad.h"
#include "qrvide32.h"

#define CALL(ide, op, ...) ((ide)->vtbl->op((ide), ##__VA_ARGS__))

static int fail(notepad* np, const char* why) {
  printf("demo: FAILED: %s\n", why);
  np_pace_stop();
  np_stop(np);
  return 1;
}

/* Shows the profile's macros, read from EDITORS.INI beside the library. */
static void print_macros(HMODULE dll) {
  char ini[MAX_PATH], open[256], go[256];
  GetModuleFileNameA(dll, ini, MAX_PATH);
  strcpy(strrchr(ini, '\\') + 1, "EDITORS.INI");
  GetPrivateProfileStringA("Editors", "Custom_Open", "", open, sizeof open, ini);
  GetPrivateProfileStringA("Editors", "Custom_Goto", "", go, sizeof go, ini);
  printf("  %s: Open macro %s, Goto macro %s\n", ini, open, go);
}

/* Opens file at line in Notepad through the library; saves the screen to picture. */
int demo_notepad(HMODULE dll, const char* file, int line, int pace, const char* picture) {
  QRVL_Init_t init = (QRVL_Init_t)(void*)GetProcAddress(dll, MAKEINTRESOURCEA(9));
  QRVL_CreateIDE_t create = (QRVL_CreateIDE_t)(void*)GetProcAddress(dll, MAKEINTRESOURCEA(7));
  QRVL_DestroyIDE_t destroy = (QRVL_DestroyIDE_t)(void*)GetProcAddress(dll, MAKEINTRESOURCEA(6));
  notepad np;
  QRVL_IDE* ide;
  char why[600];
  WCHAR status[128] = L"";
  int answer, caret;
  memset(&np, 0, sizeof np);

  printf("\nOpening a search hit in Notepad: %s, line %d\n", file, line);
  if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
    snprintf(why, sizeof why, "the file %s does not exist", file);
    return fail(&np, why);
  }
  if (!np_start(&np, why, sizeof why)) return fail(&np, why);
  printf("  started notepad.exe (process %lu) and brought it to the front\n",
         np.process.dwProcessId);

  init();
  ide = create(QRVL_KIND_CUSTOM, NULL);
  if (!ide || !CALL(ide, GetAppClass)) return fail(&np, "no kind 0 driver from EDITORS.INI");
  printf("  kind 0 driver: \"%s\", window class \"%s\"\n", CALL(ide, GetDescription),
         CALL(ide, GetAppClass));
  print_macros(dll);

  if (pace) {
    if (!np_pace_start(np.main)) return fail(&np, "cannot install the low-level keyboard hook");
    printf(
        "  pacing injected keys: a low-level keyboard hook of this host holds each key\n"
        "  until Notepad has handled the one before. Wine's Notepad reads keys typed\n"
        "  ahead before its dialogs are ready, so unpaced, the Goto macro's keys miss its\n"
        "  Go To Line dialog and the caret stays on line 1 (the library itself never\n"
        "  waits for the editor)\n");
  } else {
    printf("  not pacing injected keys (--no-pace): expect the caret to miss the line\n");
  }
  answer = CALL(ide, SyncIDE, file, line, 0, 0);
  np_pace_stop();
  destroy(ide);
  printf("  SyncIDE(file, %d) answered %s\n", line, answer ? "true" : "false");
  if (!answer) return fail(&np, "SyncIDE answered false");

  if (!np_wait_opened(&np, file, 15000, why, sizeof why)) return fail(&np, why);
  if (!np_shows_file(&np, file)) return fail(&np, "Notepad's document differs from the file");
  caret = np_caret_line(&np);
  np_text(np.status, status, 128);
  printf("  Notepad shows the file unchanged, caret on line %d, status bar \"%ls\"\n", caret,
         status);
  if (caret != line) {
    snprintf(why, sizeof why, "the caret is on line %d, not on line %d", caret, line);
    return fail(&np, why);
  }
  if (!np_screenshot(picture)) return fail(&np, "cannot save the screenshot");
  printf("  screenshot saved to %s\n", picture);
  np_stop(&np);
  return 0;
}
