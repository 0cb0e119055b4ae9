// <windows.h> for the Win32 backend, with the ANSI/wide name macros that would
// rename the seam's own functions taken back. The backend calls the ...A
// functions by their full names.
#pragma once

#include <windows.h>

#undef GetModuleFileName
#undef RegisterWindowMessage
#undef MessageBox
#undef LoadBitmap
#undef FindWindow
#undef PostMessage
#undef GetPrivateProfileString
#undef WritePrivateProfileString
#undef GetShortPathName
#undef CreateProcess
#undef VkKeyScan
#undef MapVirtualKey
#undef RegOpenKeyEx
#undef RegCreateKeyEx
#undef RegSetValueEx
#undef RegQueryValueEx
#undef RegDeleteValue
#undef RegQueryInfoKey
#undef RegEnumKeyEx
#undef RegDeleteKey

#include "platform/platform.h"
