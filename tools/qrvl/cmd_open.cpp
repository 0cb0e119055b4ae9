// qrvl open --kind K FILE LINE: what a host does to bring a search hit up.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "command.h"
#include "library.h"

namespace qrvl_tool {
namespace {

int Open(const std::vector<std::string>& args);
const Command kOpen("open", "qrvl open --kind K FILE LINE",
                    "open FILE at LINE in the editor of kind K, as the host does: load the DLL, "
                    "create the driver, bring the editor's window to the front, SyncIDE",
                    Open);

std::string g_raised;

// The library's errors arrive as a structured exception; report and continue.
LONG CALLBACK OnLibraryError(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* r = info->ExceptionRecord;
  if (r->ExceptionCode != QRVL_EXCEPTION_CODE) return EXCEPTION_CONTINUE_SEARCH;
  g_raised = reinterpret_cast<const char*>(r->ExceptionInformation[0]);
  return EXCEPTION_CONTINUE_EXECUTION;
}

int Open(const std::vector<std::string>& args) {
  if (args.size() != 4 || args[0] != "--kind") return UsageError(kOpen, "");
  char* end = nullptr;
  const long kind = std::strtol(args[1].c_str(), &end, 10);
  const long line = std::strtol(args[3].c_str(), nullptr, 10);
  if (*end || kind < 0 || kind > 17) return UsageError(kOpen, "K is a kind from 0 to 17");
  std::string error;
  const Library* lib = OpenLibrary(&error);
  if (!lib) {
    std::fprintf(stderr, "qrvl open: %s\n", error.c_str());
    return 1;
  }
  ::AddVectoredExceptionHandler(1, OnLibraryError);
  lib->Init();
  QRVL_IDE* ide = lib->CreateIDE(kind, nullptr);
  if (!ide) {
    std::fprintf(stderr, "qrvl open: no driver for kind %ld\n", kind);
    return 1;
  }
  const char* cls = ide->vtbl->GetAppClass(ide);
  const char* title = ide->vtbl->GetAppText(ide);
  if (cls && *cls) {
    HWND editor = ::FindWindowA(cls, title && *title ? title : nullptr);
    if (editor)
      ::SetForegroundWindow(editor);
    else
      std::fprintf(stderr, "qrvl open: no window of class %s is open\n", cls);
  }
  const bool done = ide->vtbl->SyncIDE(ide, args[2].c_str(), line, 0, 0);
  lib->DestroyIDE(ide);
  if (!g_raised.empty()) std::fprintf(stderr, "qrvl open: %s\n", g_raised.c_str());
  if (!done) std::fprintf(stderr, "qrvl open: the editor did not take the file\n");
  return done ? 0 : 1;
}

}  // namespace
}  // namespace qrvl_tool
