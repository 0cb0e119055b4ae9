/* The demo: what a host does with QRVIDE32.DLL.
 * qrvl_demo.exe [FILE [LINE]] [--no-pace]: lists the editor kinds, then opens
 * FILE (default: sample.txt beside the program) at LINE (default 17) in Wine's
 * Notepad and saves a screenshot as qrvl_demo.bmp beside the program. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int demo_kinds(HMODULE dll);
int demo_notepad(HMODULE dll, const char* file, int line, int pace, const char* picture);

int main(int argc, char** argv) {
  char dir[MAX_PATH], file[MAX_PATH], picture[MAX_PATH];
  const char* given = NULL;
  int line = 17, pace = 1, i, status;
  HMODULE dll;

  GetModuleFileNameA(NULL, dir, MAX_PATH);
  strrchr(dir, '\\')[1] = '\0';
  for (i = 1; i < argc; i++) {
    if (strcmp(argv[i], "--no-pace") == 0)
      pace = 0;
    else if (!given)
      given = argv[i];
    else
      line = atoi(argv[i]);
  }
  if (given)
    GetFullPathNameA(given, MAX_PATH, file, NULL);
  else
    snprintf(file, sizeof file, "%ssample.txt", dir);
  snprintf(picture, sizeof picture, "%sqrvl_demo.bmp", dir);
  DeleteFileA(picture);

  dll = LoadLibraryA("QRVIDE32.DLL");
  if (!dll) {
    printf("demo: FAILED: cannot load QRVIDE32.DLL (error %lu)\n", GetLastError());
    return 1;
  }
  status = demo_kinds(dll);
  if (status != 0)
    printf("demo: FAILED: the editor kinds could not be listed\n");
  else
    status = demo_notepad(dll, file, line, pace, picture);
  if (status == 0) printf("demo: OK\n");
  FreeLibrary(dll);
  return status;
}
