// Conversion of a binary form file to its text form.
#pragma once

#include "forms/byte_streams.h"

namespace qrvl::forms {

// Objects, lists, collections and collection items open at once, at most.
constexpr int kMaxNesting = 1000;

// Reads the resource header and the component stream from in and writes the
// text to out; bytes after the root object's end are not read. Throws
// FormError on malformed input or a failed read or write; the text written
// before the error has reached out.
void FormToText(ByteSource& in, ByteSink& out);

}  // namespace qrvl::forms
