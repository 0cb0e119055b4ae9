// qrvl check [EDITORS.INI]: the problems the editor profiles of a settings file
// would meet at run time, one "FILE:LINE:COL: message" line each.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "command.h"
#include "settings_check.h"

namespace qrvl_tool {
namespace {

int Check(const std::vector<std::string>& args);
const Command kCheck("check", "qrvl check [EDITORS.INI]",
                     "report every problem the editor profiles of a settings file would meet at "
                     "run time (default: EDITORS.INI in the current directory); status 0 clean, "
                     "1 problems found",
                     Check);

int Check(const std::vector<std::string>& args) {
  if (args.size() > 1) return UsageError(kCheck, "too many arguments");
  const std::string path = args.empty() ? "EDITORS.INI" : args[0];
  std::ifstream in(path, std::ios::binary);
  if (!std::filesystem::is_regular_file(path) || !in) {
    std::fprintf(stderr, "qrvl check: cannot read %s\n", path.c_str());
    return 2;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();  // an empty file gives the empty text
  const std::vector<Problem> problems = CheckSettings(bytes.str());
  for (const Problem& p : problems)
    std::printf("%s:%d:%d: %s\n", path.c_str(), p.line, p.column, p.message.c_str());
  return problems.empty() ? 0 : 1;
}

}  // namespace
}  // namespace qrvl_tool
