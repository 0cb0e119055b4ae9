// qrvl trace: dry-run of a keystroke macro on the simulated US keyboard, printing
// every key event, Num Lock write and message box in the order they happen.

#include <cstdio>
#include <string>

#include "command.h"
#include "frame/host_error.h"
#include "keys/sender.h"
#include "platform/sim/sim.h"

namespace qrvl_tool {
namespace {

int Trace(const std::vector<std::string>& args);

const Command kTrace("trace", "qrvl trace [--no-wait] MACRO",
                     "type MACRO on a simulated US keyboard and list the keys, Num Lock "
                     "changes and message boxes it gives, then the result",
                     Trace);

int Trace(const std::vector<std::string>& args) {
  bool wait = true;
  std::string macro;
  if (args.size() == 2 && args[0] == "--no-wait") {
    wait = false;
    macro = args[1];
  } else if (args.size() == 1 && args[0] != "--no-wait") {
    macro = args[0];
  } else {
    return UsageError(kTrace, args.empty() ? "missing MACRO" : "expected one MACRO");
  }

  sim::Reset();
  std::string last;
  try {
    last = qrvl::SendKeystrokeMacro(macro.c_str(), wait) ? "result true" : "result false";
  } catch (const qrvl::HostError& e) {
    last = std::string("error ") + e.what();
  }

  for (const auto& entry : sim::KeyboardJournal()) {
    switch (entry.kind) {
      case sim::JournalEntry::kKey: {
        const auto& e = sim::keyboard().events[entry.index];
        std::printf("key %u %u %u\n", e.vk, e.scan, e.flags);
        break;
      }
      case sim::JournalEntry::kStateWrite:
        std::printf("numlock %u\n", sim::keyboard().state_writes[entry.index].table[144] & 1u);
        break;
      case sim::JournalEntry::kBox:
        std::printf("box %s\n", sim::ui().boxes[entry.index].text.c_str());
        break;
    }
  }
  std::printf("%s\n", last.c_str());
  return 0;
}

}  // namespace
}  // namespace qrvl_tool
