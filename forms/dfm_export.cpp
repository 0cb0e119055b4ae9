// D2DFMtoText: the export that turns a binary form file into its text form.
#include <cstring>

#include "forms/form_file.h"
#include "frame/host_error.h"
#include "include/qrvide32.h"

namespace {

// A short string as a zero-terminated name.
void NameOf(const unsigned char* short_string, char (&name)[256]) {
  std::memcpy(name, short_string + 1, short_string[0]);
  name[short_string[0]] = '\0';
}

}  // namespace

extern "C" int32_t QRVL_STDCALL D2DFMtoText(const unsigned char* InFile,
                                            const unsigned char* OutFile) {
  return qrvl::AtBoundary<int32_t>(0, [&]() -> int32_t {
    if (!InFile || !OutFile || InFile[0] == 0 || OutFile[0] == 0) return 0;
    char in_name[256], out_name[256];
    NameOf(InFile, in_name);
    NameOf(OutFile, out_name);
    return qrvl::forms::ConvertFormFile(in_name, out_name) ? 1 : 0;
  });
}
