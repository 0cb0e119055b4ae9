#include "forms/form_file.h"

#include "forms/file_streams.h"
#include "forms/form_to_text.h"

namespace qrvl::forms {

namespace {

// Closes the file when the conversion ends, also by an exception.
class OpenFile {
 public:
  explicit OpenFile(plat::File file) : file_(file) {}
  ~OpenFile() {
    if (file_ != plat::kBadFile) plat::FileClose(file_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  plat::File get() const { return file_; }
  bool Close() {
    const bool closed = plat::FileClose(file_);
    file_ = plat::kBadFile;
    return closed;
  }

 private:
  plat::File file_;
};

bool Fail(std::string* reason, const std::string& why) {
  if (reason) *reason = why;
  return false;
}

}  // namespace

bool ConvertFormFile(const char* in_path, const char* out_path, std::string* reason) {
  OpenFile in(plat::FileOpen(in_path, plat::FileMode::kRead));
  if (in.get() == plat::kBadFile) return Fail(reason, "the input file cannot be opened");
  OpenFile out(plat::FileOpen(out_path, plat::FileMode::kCreate));
  if (out.get() == plat::kBadFile) return Fail(reason, "the output file cannot be created");
  std::string error;
  try {
    FileSource source(in.get());
    FileSink sink(out.get());
    FormToText(source, sink);
  } catch (const FormError& e) {
    error = e.what();
  }
  const bool out_closed = out.Close();
  in.Close();
  if (!error.empty()) return Fail(reason, error);
  if (!out_closed) return Fail(reason, "the output file cannot be written");
  return true;
}

}  // namespace qrvl::forms
