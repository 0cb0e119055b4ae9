#include "registry/install_log.h"

#include <algorithm>

#include "frame/host_error.h"
#include "frame/text.h"
#include "registry/log_reader.h"

namespace qrvl {

namespace {
constexpr char kTree[] = "RegDB TREE: ";
constexpr char kKey[] = "RegDB Key: ";
constexpr char kVal[] = "RegDB Val: ";
constexpr char kName[] = "RegDB Name: ";
constexpr char kRoot[] = "RegDB Root: ";
constexpr char kCtrlZ = 0x1A;
constexpr std::int64_t kTail = 128;

// A text that would break the log's lines for every reader is not logged.
bool FitsOnOneLine(const std::string& text) {
  return text.find_first_of(std::string("\r\n") + kCtrlZ) == std::string::npos;
}

// Closes a file left open when an error ends the operation.
struct CloseOnExit {
  plat::File& file;
  ~CloseOnExit() {
    if (file != plat::kBadFile) plat::FileClose(file);
    file = plat::kBadFile;
  }
};
}  // namespace

std::int32_t TInstallLog::RootCode(std::uint32_t root) {
  if (root == 0) return 1;
  if (root >= 0x80000000u && root <= 0x80000006u)
    return static_cast<std::int32_t>(root - 0x80000000u);
  return -1;
}

bool TInstallLog::MatchField(const std::string& prefix, const std::string& log_line,
                             std::string* rest) {
  rest->clear();
  if (log_line.compare(0, prefix.size(), prefix) != 0) return false;
  *rest = log_line.substr(prefix.size(), 255);
  return true;
}

bool TInstallLog::IsLogged(std::uint32_t root, const std::string& prefix, const std::string& key,
                           const std::string& value_name) {
  if (!plat::FileExists(LogFileName.c_str())) return false;
  const std::string error = "I/O error reading " + LogFileName;
  LogFile = plat::FileOpen(LogFileName.c_str(), plat::FileMode::kRead);
  if (LogFile == plat::kBadFile) throw HostError(error);
  CloseOnExit guard{LogFile};
  const std::string root_code = std::to_string(RootCode(root));
  LogReader reader(LogFile, error);
  bool found = false;
  while (!reader.Eof() && !found) {
    std::string entry_key, value, name, entry_root;
    std::string line = reader.ReadLine();
    if (line.empty() || !MatchField(prefix, line, &entry_key)) continue;
    line = reader.ReadLine();
    if (MatchField(kVal, line, &value)) line = reader.ReadLine();
    if (MatchField(kName, line, &name)) line = reader.ReadLine();
    if (MatchField(kRoot, line, &entry_root))
      found = EqualsIgnoreCaseAZ(entry_root, root_code) && EqualsIgnoreCaseAZ(entry_key, key) &&
              EqualsIgnoreCaseAZ(name, value_name);
  }
  const bool closed = plat::FileClose(LogFile);
  LogFile = plat::kBadFile;
  if (!closed) throw HostError(error);
  return found;
}

void TInstallLog::AddTreeEntry(std::uint32_t root, const std::string& key, const std::string&,
                               const std::string&) {
  if (!FitsOnOneLine(key)) return;
  // A tree entry has no Name line: it matches on key path and root alone.
  if (IsLogged(root, kTree, key, std::string())) return;
  if (!plat::FileExists(LogFileName.c_str())) return;
  Append(kTree + key + "\r\n" + kRoot + std::to_string(RootCode(root)) + "\r\n");
}

void TInstallLog::AddKeyEntry(std::uint32_t root, const std::string& key,
                              const std::string& value_name, const std::string& value) {
  if (!FitsOnOneLine(key) || !FitsOnOneLine(value_name) || !FitsOnOneLine(value)) return;
  if (IsLogged(root, kKey, key, value_name)) return;
  if (!plat::FileExists(LogFileName.c_str())) return;
  Append(kKey + key + "\r\n" + kVal + value + "\r\n" + kName + value_name + "\r\n" + kRoot +
         std::to_string(RootCode(root)) + "\r\n");
}

// Appends at the end of the file, first cutting it at the first Ctrl-Z of its
// last 128 bytes so that the entry follows the last text a reader sees.
void TInstallLog::Append(const std::string& entry) {
  const std::string error = "I/O error writing " + LogFileName;
  LogFile = plat::FileOpen(LogFileName.c_str(), plat::FileMode::kReadWrite);
  if (LogFile == plat::kBadFile) throw HostError(error);
  CloseOnExit guard{LogFile};
  const std::int64_t size = plat::FileSize(LogFile);
  if (size < 0) throw HostError(error);
  // The last 128 bytes, and the two before them to see whether the kept text
  // ends its last line.
  const std::int64_t start = std::max<std::int64_t>(0, size - kTail);
  const std::int64_t from = std::max<std::int64_t>(0, start - 2);
  std::string tail(static_cast<std::size_t>(size - from), '\0');
  if (!plat::FileSeek(LogFile, from)) throw HostError(error);
  for (std::size_t got = 0; got < tail.size();) {
    const std::int32_t n =
        plat::FileRead(LogFile, &tail[got], static_cast<std::uint32_t>(tail.size() - got));
    if (n <= 0) throw HostError(error);
    got += static_cast<std::size_t>(n);
  }
  const std::size_t cut = tail.find(kCtrlZ, static_cast<std::size_t>(start - from));
  const std::size_t kept = cut == std::string::npos ? tail.size() : cut;
  if (cut == std::string::npos) {
    if (!plat::FileSeek(LogFile, size)) throw HostError(error);
  } else if (!plat::FileSeek(LogFile, from + static_cast<std::int64_t>(cut)) ||
             !plat::FileTruncate(LogFile)) {
    throw HostError(error);
  }
  // A last line without its line end would swallow the entry's first line, so
  // that the entry is never found again: end that line first.
  const bool line_open = from + static_cast<std::int64_t>(kept) > 0 &&
                         tail[kept - 1] != '\r' &&
                         !(tail[kept - 1] == '\n' && kept >= 2 && tail[kept - 2] == '\r');
  if (line_open && !plat::FileWrite(LogFile, "\r\n", 2)) throw HostError(error);
  if (!plat::FileWrite(LogFile, entry.data(), static_cast<std::uint32_t>(entry.size())))
    throw HostError(error);
  const bool closed = plat::FileClose(LogFile);
  LogFile = plat::kBadFile;
  if (!closed) throw HostError(error);
}

}  // namespace qrvl
