// Any bytes as an existing install log, then AddRegistryKey with random texts.
// A failed write leaves the log alone. A successful one keeps every byte before
// the Ctrl-Z cut, closes what it opened, and an entry it appended to a log of
// other text (its own texts free of CR, LF and Ctrl-Z) is found by IsLogged
// afterwards and is not appended a second time.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "frame/globals.h"
#include "include/qrvide32.h"
#include "platform/sim/sim.h"
#include "registry/install_log.h"

namespace {
constexpr const char* kLog = "C:\\Q\\INSTALL.LOG";

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// Texts that meet the log's own words and line breaks now and then.
std::string Text(FuzzedDataProvider& in) {
  static const char* kPieces[] = {"Software", "\\", "K",    "k", "RegDB Key: ", "RegDB Root: 1",
                                  "\r",       "\n", "\x1A", " ", "N",           "\xE9"};
  std::string s;
  for (int n = in.ConsumeIntegralInRange(0, 6); n > 0; --n) s += in.PickValueInArray(kPieces);
  return s.substr(0, 255);
}

std::string Short(const std::string& s) {
  return std::string(1, static_cast<char>(s.size())) + s;
}
const unsigned char* U(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::Reset();
  sim::ui().module_file_name = "C:\\Q\\QRVIDE32.DLL";
  qrvl::OnLoad(nullptr);
  const bool tree = in.ConsumeBool();
  const QRVL_HKEY root = in.PickValueInArray({0u, QRVL_HKEY_CURRENT_USER, QRVL_HKEY_LOCAL_MACHINE});
  const std::string key = Text(in), name = Text(in), value = Text(in);
  const std::string log = in.ConsumeRemainingBytesAsString();
  sim::WriteFile(kLog, log);

  const int answer = AddRegistryKey(root, U(Short(key)), U(Short(name)), U(Short(value)), tree);
  Require(sim::registry().open_handles == 0 && sim::files().open_count == 0,
          "a key or the log stays open");
  if (answer != 1) {  // a key path the registry refuses, such as one starting with two backslashes
    Require(answer == 0 && sim::ReadFile(kLog) == log, "a failed write touched the log");
    return 0;
  }
  // Only what follows the first Ctrl-Z of the last 128 bytes may be lost.
  const std::string now = sim::ReadFile(kLog);
  const std::size_t tail = log.size() > 128 ? log.size() - 128 : 0;
  const std::size_t cut = log.find('\x1A', tail);
  const std::size_t kept = cut == std::string::npos ? log.size() : cut;
  Require(now.size() >= kept && now.compare(0, kept, log, 0, kept) == 0,
          "bytes before the Ctrl-Z cut changed");

  const std::string logged_texts = tree ? key : key + name + value;
  if (logged_texts.find_first_of("\r\n\x1A") != std::string::npos) {
    Require(now == log || now.size() == kept, "an entry with a line break was written");
    return 0;
  }
  // Behind a Ctrl-Z before the last 128 bytes every entry stays hidden, and an
  // entry of the log left without its Root line takes the next entry's first
  // line as that line, by the format's reading rules: the search promise holds
  // after logs of other text.
  if (log.find('\x1A') < tail || log.find("RegDB ") != std::string::npos) return 0;
  qrvl::TInstallLog reader(kLog);
  Require(reader.IsLogged(root, tree ? "RegDB TREE: " : "RegDB Key: ", key, tree ? "" : name),
          "the entry is not found after AddRegistryKey");
  AddRegistryKey(root, U(Short(key)), U(Short(name)), U(Short(value)), tree);
  Require(sim::ReadFile(kLog) == now, "the same entry was appended twice");
  return 0;
}
