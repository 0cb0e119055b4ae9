// qrvl dfm2txt IN OUT: converts a binary form file to its text form, as the
// library's D2DFMtoText does.
#include <cstdio>

#include "command.h"

#ifdef _WIN32
#include "frame/short_string.h"
#include "library.h"
#else
#include "forms/form_file.h"
#include "platform/sim/sim.h"
#endif

namespace qrvl_tool {
namespace {

int Run(const std::vector<std::string>& args);
const Command kCommand("dfm2txt", "qrvl dfm2txt IN OUT",
                       "convert the binary form file IN to its text form in OUT", Run);

#ifdef _WIN32
// The export of the QRVIDE32.DLL beside this program, which takes short strings.
bool Convert(const std::string& in, const std::string& out, std::string* reason) {
  if (in.size() > 255 || out.size() > 255) {
    *reason = "file names are limited to 255 characters";
    return false;
  }
  const Library* lib = OpenLibrary(reason);
  if (!lib) return false;
  const bool done = lib->D2DFMtoText(qrvl::ShortString(in), qrvl::ShortString(out)) == 1;
  if (!done) *reason = "the conversion failed (missing input, unwritable output or malformed form)";
  return done;
}
#else
bool Convert(const std::string& in, const std::string& out, std::string* reason) {
  sim::files().host_files = true;
  return qrvl::forms::ConvertFormFile(in.c_str(), out.c_str(), reason);
}
#endif

int Run(const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError(kCommand, "expected IN and OUT");
  if (args[0].empty() || args[1].empty()) return UsageError(kCommand, "empty file name");
  std::string reason;
  if (Convert(args[0], args[1], &reason)) return 0;
  std::fprintf(stderr, "qrvl dfm2txt: %s: %s\n", args[0].c_str(), reason.c_str());
  return 1;
}

}  // namespace
}  // namespace qrvl_tool
