// Starting programs.
#include "platform/win32/win32.h"

namespace plat {

bool CreateProcess(char* command_line, ProcessInfo* info) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION pi;
  if (!::CreateProcessA(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &pi))
    return false;
  info->process = pi.hProcess;
  info->thread = pi.hThread;
  return true;
}

std::uint32_t WaitForInputIdle(Handle process, std::uint32_t milliseconds) {
  return ::WaitForInputIdle(process, milliseconds);
}

bool CloseHandle(Handle handle) {
  return ::CloseHandle(handle) != 0;
}

std::uint32_t GetLastError() {
  return ::GetLastError();
}

}  // namespace plat
