// qrvl: configure and debug editor profiles, convert form files, use the
// registry exports, from the command line.
#include <cstdio>
#include <cstring>

#include "command.h"

namespace qrvl_tool {

static std::vector<const Command*>& Registry() {
  static std::vector<const Command*> commands;
  return commands;
}

Command::Command(const char* n, const char* u, const char* s, CommandMain r)
    : name(n), usage(u), summary(s), run(r) {
  Registry().push_back(this);
}

const std::vector<const Command*>& Commands() {
  return Registry();
}

int UsageError(const Command& command, const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "qrvl %s: %s\n", command.name, problem.c_str());
  std::fprintf(stderr, "usage: %s\n", command.usage);
  return 2;
}

}  // namespace qrvl_tool

using namespace qrvl_tool;

static void PrintHelp() {
  std::printf("usage: qrvl COMMAND [ARGS]   (qrvl COMMAND --help for one command)\n\n");
  for (const Command* c : Commands()) std::printf("  %-40s %s\n", c->usage, c->summary);
}

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    PrintHelp();
    return argc < 2 ? 2 : 0;
  }
  for (const Command* c : Commands()) {
    if (std::strcmp(c->name, argv[1]) != 0) continue;
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& a : args)
      if (a == "--help" || a == "-h") {
        std::printf("usage: %s\n%s\n", c->usage, c->summary);
        return 0;
      }
    return c->run(args);
  }
  std::fprintf(stderr, "qrvl: unknown command '%s' (qrvl --help lists them)\n", argv[1]);
  return 2;
}
