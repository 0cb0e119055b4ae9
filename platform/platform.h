// The platform seam: every operating-system call the library makes, one for one.
//
// The library's logic calls only these functions. platform/win32/ implements them
// with the real ANSI Win32 calls; platform/sim/ with a deterministic in-memory
// model for native tests and the companion tool. The seam adds no behaviour of
// its own: arguments, answers and failure values are those of the Win32 call.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

using Hwnd = void*;
using Hbitmap = void*;
using Hmodule = void*;
using Handle = void*;         // kernel object (process, thread)
using Hkey = std::uintptr_t;  // registry key; predefined roots are 0x80000000..
using File = std::intptr_t;   // open plain file; kBadFile when opening failed
constexpr File kBadFile = -1;

// ---- Module --------------------------------------------------------------
// GetModuleFileNameA: copies at most size - 1 characters plus a zero; answers
// the number of characters copied (size when cut, as Windows XP+ does).
std::uint32_t GetModuleFileName(Hmodule module, char* buffer, std::uint32_t size);

// ---- User interface ------------------------------------------------------
std::uint32_t RegisterWindowMessage(const char* name);  // 0 on failure
int MessageBox(Hwnd owner, const char* text, const char* caption, std::uint32_t type);
bool MessageBeep(std::uint32_t type);
Hbitmap LoadBitmap(Hmodule module, const char* name);  // nullptr when absent

constexpr std::uint32_t kMbOk = 0x0;  // MB_OK and the matching beep sound

// ---- Windows and messages ------------------------------------------------
// FindWindowA: a null class or title matches any.
Hwnd FindWindow(const char* class_name, const char* title);
bool PostMessage(Hwnd window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);

// ---- Profile strings (initialization files) -------------------------------
std::uint32_t GetPrivateProfileString(const char* section, const char* key, const char* def,
                                      char* buffer, std::uint32_t size, const char* file);
bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file);

// ---- Files and names -----------------------------------------------------
bool FileExists(const char* path);  // GetFileAttributesA: present and not a directory
// GetShortPathNameA: characters copied, or the room needed when size is too
// small, or 0 on failure.
std::uint32_t GetShortPathName(const char* long_path, char* buffer, std::uint32_t size);
// FindFirstFileA followed at once by FindClose: the found entry's file name.
// Answers false when nothing was found.
bool FindFirstFileName(const char* pattern, char* name, std::uint32_t size);

enum class FileMode {
  kRead,       // existing file, read only (GENERIC_READ, OPEN_EXISTING)
  kCreate,     // create or truncate, write only (GENERIC_WRITE, CREATE_ALWAYS)
  kReadWrite,  // existing file, read and write (OPEN_EXISTING), for appending
};
File FileOpen(const char* path, FileMode mode);
// ReadFile: bytes read (0 at the end), or -1 on failure.
std::int32_t FileRead(File file, void* buffer, std::uint32_t size);
bool FileWrite(File file, const void* data, std::uint32_t size);
std::int64_t FileSize(File file);  // -1 on failure
bool FileSeek(File file, std::int64_t position);
bool FileTruncate(File file);  // SetEndOfFile at the current position
bool FileClose(File file);

// ---- Processes -------------------------------------------------------------
struct ProcessInfo {
  Handle process = nullptr;
  Handle thread = nullptr;
};
// CreateProcessA with no application name, the given (writable) command line,
// no inheritance, no flags, the caller's environment and directory.
bool CreateProcess(char* command_line, ProcessInfo* info);
constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitTimeout = 258;
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
std::uint32_t WaitForInputIdle(Handle process, std::uint32_t milliseconds);
bool CloseHandle(Handle handle);
std::uint32_t GetLastError();

// ---- Keyboard --------------------------------------------------------------
void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra);
std::uint16_t VkKeyScan(char ch);  // 0xFFFF when no key produces the character
std::uint32_t MapVirtualKey(std::uint32_t code, std::uint32_t map_type);
std::int16_t GetKeyState(int vk);
bool GetKeyboardState(std::uint8_t state[256]);
bool SetKeyboardState(std::uint8_t state[256]);
// PeekMessageA(0x0100..0x0108, PM_REMOVE) + TranslateMessage + DispatchMessageA
// until no keyboard message of the calling thread is left.
void DrainKeyboardMessages();

// ---- Registry (ANSI), answers are Win32 error codes: 0 is success ----------
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;
long RegOpenKeyEx(Hkey key, const char* path, std::uint32_t options, std::uint32_t access,
                  Hkey* result);
// RegCreateKeyExA with no class, REG_OPTION_NON_VOLATILE, no security attributes.
long RegCreateKeyEx(Hkey key, const char* path, std::uint32_t access, Hkey* result);
long RegSetValueEx(Hkey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                   std::uint32_t size);
long RegQueryValueEx(Hkey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size);
long RegDeleteValue(Hkey key, const char* name);
long RegQueryInfoKey(Hkey key, std::uint32_t* subkeys, std::uint32_t* max_subkey_len);
long RegEnumKeyEx(Hkey key, std::uint32_t index, char* name, std::uint32_t* name_len);
long RegDeleteKey(Hkey key, const char* path);
long RegFlushKey(Hkey key);
long RegCloseKey(Hkey key);

// ---- Errors that reach the host ----------------------------------------------
// Raises the library's structured exception (Windows; continuable, so a host
// handler may continue and the call then answers 0) or throws HostError
// (native build). Called only from the outermost frame of an export.
void RaiseHostError(const char* message);

}  // namespace plat
