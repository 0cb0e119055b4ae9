// Conversion of a binary form file on disk to a text file.
#pragma once

#include <string>

namespace qrvl::forms {

// Opens in_path, creates (or truncates) out_path and converts; both files are
// closed again. A missing input creates no output; after a malformed form the
// output keeps the text written before the error. Answers false on any failure
// and then puts the reason into *reason when given.
bool ConvertFormFile(const char* in_path, const char* out_path, std::string* reason = nullptr);

}  // namespace qrvl::forms
