// The install log's reader and its append on arbitrary file bytes: the first
// byte picks the entry kind and root, the rest is the log as found on disk.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frame/globals.h"
#include "include/qrvide32.h"
#include "platform/sim/sim.h"

namespace {
constexpr const char* kLog = "C:\\Q\\INSTALL.LOG";

std::string Ss(const std::string& text) {
  return std::string(1, static_cast<char>(text.size())) + text;
}
const unsigned char* U(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  sim::Reset();
  sim::ui().module_file_name = "C:\\Q\\QRVIDE32.DLL";
  qrvl::OnLoad(nullptr);
  const std::string log(reinterpret_cast<const char*>(data + 1), size - 1);
  sim::WriteFile(kLog, log);
  const int tree = data[0] & 1;
  const QRVL_HKEY root = (data[0] & 2) ? 0x80000002u : 0;
  const std::string key = Ss("Software\\K"), name = Ss("N"), value = Ss("v");
  if (AddRegistryKey(root, U(key), U(name), U(value), tree) != 1) std::abort();
  // Only what follows the first Ctrl-Z of the last 128 bytes may be lost.
  const std::string now = sim::ReadFile(kLog);
  const std::size_t tail = log.size() > 128 ? log.size() - 128 : 0;
  const std::size_t cut = log.find('\x1A', tail);
  const std::size_t kept = cut == std::string::npos ? log.size() : cut;
  if (now.compare(0, kept, log, 0, kept) != 0) std::abort();
  if (sim::registry().open_handles != 0 || sim::files().open_count != 0) std::abort();
  return 0;
}
