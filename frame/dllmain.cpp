// The DLL entry point: records the module at process attach, nothing else.
#ifdef _WIN32
#include <windows.h>

#include "frame/globals.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) qrvl::OnLoad(instance);
  return TRUE;
}
#endif
