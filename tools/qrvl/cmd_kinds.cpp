// qrvl kinds [EDITORS.INI]: the eighteen editor kinds and their profiles.
#include <cstdio>
#include <fstream>

#include "command.h"
#include "frame/kinds.h"
#include "library.h"

namespace qrvl_tool {
namespace {

int Kinds(const std::vector<std::string>& args);
const Command kKinds("kinds", "qrvl kinds [EDITORS.INI]",
                     "list the editor kinds: key prefix, driver class, IDE type, description",
                     Kinds);

int Kinds(const std::vector<std::string>& args) {
  if (args.size() > 1) return UsageError(kKinds, "too many arguments");
  std::string error;
  const Library* lib = OpenLibrary(&error);
  if (!lib) {
    std::fprintf(stderr, "qrvl kinds: %s\n", error.c_str());
    return 1;
  }
  lib->Init();
  if (!args.empty()) {
    if (!std::ifstream(args[0])) {
      std::fprintf(stderr, "qrvl kinds: cannot read %s\n", args[0].c_str());
      return 1;
    }
    if (!UseSettingsFile(args[0])) {
      std::fprintf(stderr, "qrvl kinds: this build reads EDITORS.INI beside QRVIDE32.DLL\n");
      return 2;
    }
  }
  std::printf("%-4s %-16s %-12s %-4s %s\n", "kind", "key prefix", "class", "type", "description");
  for (int kind = 0; kind < lib->IDECount() && kind < qrvl::kEditorKindCount; ++kind) {
    const qrvl::EditorKind& row = qrvl::kEditorKinds[kind];
    QRVL_IDE* ide = lib->CreateIDE(kind, nullptr);
    const char* desc = ide ? ide->vtbl->GetDescription(ide) : nullptr;
    std::printf("%-4d %-16s %-12s %-4d %s\n", kind, row.key_prefix, row.class_name,
                ide ? ide->vtbl->GetIDEType(ide) : -1,
                ide ? (desc ? desc : "(no settings file)") : "(no driver in this build)");
    lib->DestroyIDE(ide);
  }
  return 0;
}

}  // namespace
}  // namespace qrvl_tool
