// Opening a file at a line by typing the profile's Open and Goto macros, and
// starting an editor program.
#include <string>
#include <vector>

#include "drivers/ide.h"
#include "frame/host_error.h"
#include "frame/text.h"
#include "keys/sender.h"

namespace qrvl {

namespace {
constexpr const char* kFileNameMarker = "#FILENAME#";
constexpr const char* kLineNumberMarker = "#LINENUM#";
constexpr std::size_t kMaxTail = 255;            // characters kept after a marker
constexpr std::uint32_t kShortNameBuffer = 259;  // GetShortPathNameA room, with the zero
constexpr std::uint32_t kStartTimeoutMs = 4000;

// Macro with its first Marker (any letter case) replaced by Value; empty when
// the macro holds no marker. Only 255 characters after the marker are kept.
std::string ReplaceMarker(const std::string& Macro, const std::string& Marker,
                          const std::string& Value) {
  const std::size_t at = UpperAZ(Macro).find(Marker);
  if (at == std::string::npos) return std::string();
  return Macro.substr(0, at) + Value + Macro.substr(at + Marker.size(), kMaxTail);
}
}  // namespace

bool TIDE::SyncIDE(const char* FileName, std::int32_t Line, std::int32_t SyncArg1,
                   std::int32_t SyncArg2) {
  return AtBoundary(false, [&] {
    // Through the object, so that a derived driver's own steps run.
    if (!OpenFile(FileName)) return false;
    if (!GotoLine(Line)) return false;
    return SyncFinish(SyncArg1, SyncArg2);
  });
}

bool TIDE::OpenFile(const char* FileName) {
  return AtBoundary(false, [&] {
    if (!FileName || !*FileName) return true;
    const std::string text = BuildOpenText(OpenMacro, FileName);
    if (text.empty()) return true;  // no marker: nothing to open with
    if (!SendKeystrokeMacro(text.c_str(), true)) {
      ShowError("Error Opening file.");
      return false;
    }
    return true;
  });
}

bool TIDE::GotoLine(std::int32_t Line) {
  return AtBoundary(false, [&] {
    if (Line <= 0 || GotoMacro.empty()) return true;
    // Without its marker the text is empty, which the sender refuses: an error.
    const std::string text = BuildGotoText(GotoMacro, Line);
    if (!SendKeystrokeMacro(text.c_str(), true)) {
      ShowError("Error going to line number.");
      return false;
    }
    return true;
  });
}

bool TIDE::SyncFinish(std::int32_t, std::int32_t) {
  return true;
}

std::string TIDE::BuildOpenText(const std::string& Macro, const char* FileName) const {
  if (UpperAZ(Macro).find(kFileNameMarker) == std::string::npos) return std::string();
  const std::string name = !FileName     ? std::string()
                           : OpenWithLFN ? std::string(FileName)
                                         : ShortFileName(FileName);
  return ReplaceMarker(Macro, kFileNameMarker, '"' + name + '"');
}

std::string TIDE::BuildGotoText(const std::string& Macro, std::int32_t Line) const {
  return ReplaceMarker(Macro, kLineNumberMarker, std::to_string(Line));
}

std::string TIDE::ShortFileName(const char* Path) {
  char buffer[kShortNameBuffer];
  const std::uint32_t n = plat::GetShortPathName(Path, buffer, kShortNameBuffer);
  if (n == 0) return std::string();  // no such file: the quotes stay empty
  // A short form too long for the buffer: the name as given serves instead.
  if (n >= kShortNameBuffer) return Path;
  return std::string(buffer, n);
}

bool TIDE::StartEditor(const std::string& CommandLine) {
  std::vector<char> line(CommandLine.begin(), CommandLine.end());
  line.push_back('\0');  // CreateProcessA may write to its command line
  plat::ProcessInfo info;
  if (!plat::CreateProcess(line.data(), &info)) {
    const auto code = static_cast<std::uint16_t>(plat::GetLastError() & 0xFFFF);
    ShowError("Error Starting Editor: " + CommandLine + ".\r" + LaunchErrorText(code));
    return false;
  }
  const std::uint32_t wait = plat::WaitForInputIdle(info.process, kStartTimeoutMs);
  plat::CloseHandle(info.thread);
  plat::CloseHandle(info.process);
  return wait == plat::kWaitObject0;
}

std::string TIDE::LaunchErrorText(std::uint16_t Code) {
  switch (Code) {
    case 0:
      return "System was out of memory, executable file was corrupt, or relocations were "
             "invalid.";
    case 2:
    case 3:
      return "Path was not found to EXE.";
    case 5:
      return "Attempt was made to dynamically link to a task, or there was a sharing or "
             "network-protection error.";
    case 6:
      return "Library required separate data segments for each task.";
    case 8:
      return "There was insufficient memory to start the application.";
    case 10:
      return "Windows version was incorrect.";
    case 11:
      return "Executable file was invalid. Either not a Windows application or error in the "
             ".EXE image.";
    case 14:
      return "Type of executable file was unknown.";
    case 20:
      return "DLL file was invalid. One of the DLLs required to run this application was "
             "corrupt.";
    default:
      return "Other error(" + std::to_string(Code) + ")";
  }
}

}  // namespace qrvl
