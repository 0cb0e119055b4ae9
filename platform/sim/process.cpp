// Simulated programs, process handles and short file names.
#include <cstring>

#include "platform/sim/sim.h"

namespace sim {

namespace {
Processes g_processes;
std::map<plat::Handle, std::uint32_t> g_idle_answers;  // by process handle
std::uintptr_t g_next_handle = 0x7000;

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorInvalidHandle = 6;

plat::Handle NewHandle() {
  g_processes.open_handles.insert(reinterpret_cast<plat::Handle>(g_next_handle += 4));
  return reinterpret_cast<plat::Handle>(g_next_handle);
}

// The program a command line names: its first item, quoted or up to a blank.
std::string ProgramOf(const char* line) {
  const char* p = line;
  while (*p == ' ' || *p == '\t') ++p;
  if (*p == '"') {
    const char* end = std::strchr(p + 1, '"');
    return end ? std::string(p + 1, end) : std::string(p + 1);
  }
  const char* end = p;
  while (*end && *end != ' ' && *end != '\t') ++end;
  return std::string(p, end);
}
}  // namespace

Processes& processes() {
  return g_processes;
}

void ResetProcesses() {
  g_processes = Processes();
  g_idle_answers.clear();
}

}  // namespace sim

namespace plat {

using sim::g_processes;

std::uint32_t GetShortPathName(const char* long_path, char* buffer, std::uint32_t size) {
  const auto found = g_processes.short_names.find(long_path);
  if (found == g_processes.short_names.end()) {
    g_processes.last_error = sim::kErrorFileNotFound;
    return 0;
  }
  const std::string& name = found->second;
  if (name.size() + 1 > size) return static_cast<std::uint32_t>(name.size() + 1);
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return static_cast<std::uint32_t>(name.size());
}

bool CreateProcess(char* command_line, ProcessInfo* info) {
  const auto found = g_processes.programs.find(sim::ProgramOf(command_line));
  const std::uint32_t error =
      found == g_processes.programs.end() ? sim::kErrorFileNotFound : found->second.start_error;
  if (error != 0) {
    g_processes.failed.push_back(command_line);
    g_processes.last_error = error;
    return false;
  }
  g_processes.started.push_back(command_line);
  info->process = sim::NewHandle();
  info->thread = sim::NewHandle();
  sim::g_idle_answers[info->process] = found->second.idle_answer;
  return true;
}

std::uint32_t WaitForInputIdle(Handle process, std::uint32_t milliseconds) {
  g_processes.waits.push_back({process, milliseconds});
  const auto found = sim::g_idle_answers.find(process);
  if (!g_processes.open_handles.count(process) || found == sim::g_idle_answers.end()) {
    g_processes.last_error = sim::kErrorInvalidHandle;
    return kWaitFailed;
  }
  return found->second;
}

bool CloseHandle(Handle handle) {
  if (!g_processes.open_handles.erase(handle)) {
    g_processes.last_error = sim::kErrorInvalidHandle;
    return false;
  }
  g_processes.closed.push_back(handle);
  return true;
}

std::uint32_t GetLastError() {
  return g_processes.last_error;
}

}  // namespace plat
