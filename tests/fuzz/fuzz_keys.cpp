// Any bytes as a macro. The sender ends, never reads past the text (the text
// sits in an exactly sized buffer), and keeps its promises, checked against a
// small independent model of where a macro stops and whether a group is open:
// - it answers false only for the empty text or a brace form without its close;
// - it raises the conversion error exactly where a repeat count does not convert;
// - unless the text stops inside an open group, the last event of Shift, Ctrl
//   and Alt is a key-up: no modifier is left pressed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "frame/host_error.h"
#include "frame/text.h"
#include "keys/sender.h"
#include "platform/sim/sim.h"

namespace {

enum class Stop { kEnd, kNoClose, kBadCount };

struct Model {
  Stop stop = Stop::kEnd;
  bool group_open = false;
};

Model Predict(const std::string& t) {
  Model m;
  bool quote = false;
  std::size_t i = 0;
  while (i < t.size()) {
    const char c = t[i];
    if (c == '"') {
      quote = !quote;
      ++i;
    } else if (quote) {
      ++i;
    } else if (c == '(' || c == ')') {
      m.group_open = c == '(';
      ++i;
    } else if (c != '{') {
      ++i;
    } else if (i + 1 < t.size() && t[i + 1] == '{') {
      i += 3;
    } else {
      const std::size_t close = t.find('}', i + 1);
      if (close == std::string::npos) {
        m.stop = Stop::kNoClose;
        return m;
      }
      const std::string name = t.substr(i + 1, std::min<std::size_t>(close - i - 1, 20));
      i = close + 1;
      if (i < t.size() && t[i] == '}') {
        ++i;
        continue;
      }
      const std::size_t space = name.find(' ');
      if (space != std::string::npos && !qrvl::StrToInt(qrvl::UpperAZ(name.substr(space + 1)))) {
        m.stop = Stop::kBadCount;
        return m;
      }
    }
  }
  return m;
}

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Long enough for every construct and the 20-character name buffer; short
  // enough that counts of 65535 (131070 recorded events each) stay in memory.
  if (size > 128) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.find('\0') != std::string::npos) return 0;  // a macro ends at its first zero
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  const Model model = Predict(text);
  for (bool wait : {true, false}) {
    sim::Reset();
    bool result = false, raised = false;
    try {
      result = qrvl::SendKeystrokeMacro(buffer.data(), wait);
    } catch (const qrvl::HostError&) {
      raised = true;
    }
    Require(raised == (model.stop == Stop::kBadCount), "conversion error where the model has none");
    if (!raised)
      Require(result == (!text.empty() && model.stop == Stop::kEnd),
              "false answered for a text that is neither empty nor missing a close brace");
    if (model.group_open) continue;
    const auto& events = sim::keyboard().events;
    for (std::uint8_t modifier : {16, 17, 18}) {
      for (auto e = events.rbegin(); e != events.rend(); ++e) {
        if (e->vk != modifier) continue;
        Require(e->flags == 2, "a modifier is left pressed outside an open group");
        break;
      }
    }
    Require(wait || sim::keyboard().drains.empty(), "drained without the wait flag");
  }
  return 0;
}
