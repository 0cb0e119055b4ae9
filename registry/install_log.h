// The install log: a text file beside the library that records each registry
// value AddRegistryKey wrote, once. It is appended to only when it exists.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace qrvl {

class TInstallLog {
 public:
  explicit TInstallLog(std::string log_file_name) : LogFileName(std::move(log_file_name)) {}

  // Whether the log holds an entry of the kind Prefix ("RegDB TREE: " or
  // "RegDB Key: ") with this key path, value name and root code, ignoring the
  // case of a to z.
  bool IsLogged(std::uint32_t root, const std::string& prefix, const std::string& key,
                const std::string& value_name);
  // Append an entry unless the log lacks or already holds it. An I/O failure
  // throws HostError naming the log file.
  void AddTreeEntry(std::uint32_t root, const std::string& key, const std::string& value_name,
                    const std::string& value);
  void AddKeyEntry(std::uint32_t root, const std::string& key, const std::string& value_name,
                   const std::string& value);

  // 0 and HKEY_CURRENT_USER give 1; the other predefined roots their offset
  // from 0x80000000; any other key -1.
  static std::int32_t RootCode(std::uint32_t root);
  // True when LogLine begins with Prefix (exactly); Rest gets what follows it,
  // at most 255 characters, and is empty when the answer is false.
  static bool MatchField(const std::string& prefix, const std::string& log_line, std::string* rest);

 private:
  void Append(const std::string& entry);

  plat::File LogFile = plat::kBadFile;  // open only inside one operation
  std::string LogFileName;
};

}  // namespace qrvl
