// Any bytes as a settings file and as a macro for qrvl check: the checker ends,
// and every problem points into the text it was given.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/qrvl/macro_check.h"
#include "tools/qrvl/settings_check.h"

static void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// The lines as the checker counts them: split at LF, one CR before it dropped.
static std::vector<std::size_t> LineLengths(const std::string& bytes) {
  std::vector<std::size_t> lengths;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\n') continue;
    std::size_t n = i - start;
    if (i < bytes.size() && n > 0 && bytes[i - 1] == '\r') --n;
    if (i < bytes.size() || n > 0) lengths.push_back(n);
    start = i + 1;
  }
  return lengths;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::size_t> lengths = LineLengths(bytes);
  for (const qrvl_tool::Problem& p : qrvl_tool::CheckSettings(bytes)) {
    Require(p.line >= 1, "a problem before the first line");
    if (lengths.empty()) continue;  // "no section" on an empty file is at 1:1
    Require(static_cast<std::size_t>(p.line) <= lengths.size(), "a problem after the last line");
    Require(p.column >= 1 && static_cast<std::size_t>(p.column) <= lengths[p.line - 1] + 1,
            "a problem outside its line");
    Require(!p.message.empty(), "a problem without a message");
  }
  for (auto role : {qrvl_tool::MacroRole::kOpen, qrvl_tool::MacroRole::kGoto})
    for (const qrvl_tool::Finding& f : qrvl_tool::CheckMacro(bytes, role))
      Require(f.offset < bytes.size(), "a finding outside the macro");
  return 0;
}
