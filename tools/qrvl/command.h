// Subcommands of qrvl. Each subcommand's file registers one Command.
#pragma once

#include <string>
#include <vector>

namespace qrvl_tool {

// Exit status: 0 done, 1 something was found or failed, 2 usage error.
using CommandMain = int (*)(const std::vector<std::string>& args);

struct Command {
  const char* name;
  const char* usage;    // one line: "qrvl NAME ARGS"
  const char* summary;  // what it does, for --help
  CommandMain run;
  Command(const char* name, const char* usage, const char* summary, CommandMain run);
};

const std::vector<const Command*>& Commands();

// Prints "usage: ..." for the command to standard error and answers 2.
int UsageError(const Command& command, const std::string& problem);

}  // namespace qrvl_tool
