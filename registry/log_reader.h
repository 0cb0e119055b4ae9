// Reads an open install log as lines of text. A line ends at a CR, and an LF
// right after that CR belongs to the line end; a lone LF is an ordinary
// character. A Ctrl-Z byte or the end of the data ends the file; past the end
// every line reads empty.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace qrvl {

class LogReader {
 public:
  // A failed read throws HostError(error).
  LogReader(plat::File file, std::string error);

  bool Eof() { return Peek() < 0; }
  std::string ReadLine();

 private:
  int Peek();  // the next byte, or -1 at the end of the file

  plat::File file_;
  std::string error_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t length_ = 0;
  bool end_ = false;
};

}  // namespace qrvl
