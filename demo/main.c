/* The demo: what a host does with QRVIDE32.DLL. */
#include <windows.h>
#include <stdio.h>

int demo_kinds(HMODULE dll);

int main(void) {
  HMODULE dll = LoadLibraryA("QRVIDE32.DLL");
  int status;
  if (!dll) {
    printf("demo: cannot load QRVIDE32.DLL (error %lu)\n", GetLastError());
    printf("demo: FAILED\n");
    return 1;
  }
  status = demo_kinds(dll);
  printf(status == 0 ? "demo: OK\n" : "demo: FAILED\n");
  FreeLibrary(dll);
  return status;
}
