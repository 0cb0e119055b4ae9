/* Demo host: loads QRVIDE32.DLL as a host would, creates a driver of every
 * editor kind from the shipped EDITORS.INI and prints what each one reports. */
#include <windows.h>
#include <stdio.h>

#include "qrvide32.h"

#define CALL(ide, op, ...) ((ide)->vtbl->op((ide), ##__VA_ARGS__))

static const char* kTypes[] = {"generic", "MDI", "Delphi", "enumerating"};

int demo_kinds(HMODULE dll) {
  QRVL_Init_t init = (QRVL_Init_t)(void*)GetProcAddress(dll, MAKEINTRESOURCEA(9));
  QRVL_IDECount_t count = (QRVL_IDECount_t)(void*)GetProcAddress(dll, MAKEINTRESOURCEA(8));
  QRVL_CreateIDE_t create = (QRVL_CreateIDE_t)(void*)GetProcAddress(dll, MAKEINTRESOURCEA(7));
  QRVL_DestroyIDE_t destroy = (QRVL_DestroyIDE_t)(void*)GetProcAddress(dll, MAKEINTRESOURCEA(6));
  int kind, n, made = 0;
  if (!init || !count || !create || !destroy) {
    printf("demo: QRVIDE32.DLL lacks the editor-family exports\n");
    return 1;
  }
  init();
  n = count();
  printf("QRVIDE32.DLL serves %d editor kinds:\n", n);
  printf("  %-4s %-38s %-12s %s\n", "kind", "description", "IDE type", "bitmap");
  for (kind = 0; kind < n; kind++) {
    QRVL_IDE* ide = create(kind, NULL);
    HBITMAP bmp;
    BITMAP info;
    char picture[32] = "none";
    unsigned type;
    if (!ide) {
      printf("  %-4d QRVL_CreateIDE answered none\n", kind);
      continue;
    }
    made++;
    type = CALL(ide, GetIDEType);
    bmp = (HBITMAP)CALL(ide, GetBitmap);
    if (bmp && GetObjectA(bmp, sizeof info, &info))
      snprintf(picture, sizeof picture, "%ldx%ld", info.bmWidth, info.bmHeight);
    if (bmp) DeleteObject(bmp);
    printf("  %-4d %-38s %u %-10s %s\n", kind, CALL(ide, GetDescription), type,
           type < 4 ? kTypes[type] : "?", picture);
    destroy(ide);
  }
  printf("%d of %d kinds created and released.\n", made, n);
  return made == n ? 0 : 1;
}
