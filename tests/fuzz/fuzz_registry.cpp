// Random calls of the registry exports on the simulated registry: every answer
// is 0 or 1, no key handle stays open, GetRegistryKey writes only inside its
// BufferSize + 1 bytes, and no key outside the named path changes (the key's
// own subtree may, and missing keys on the way to it may be created).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "frame/globals.h"
#include "include/qrvide32.h"
#include "platform/sim/sim.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// Texts from a small alphabet, so that calls meet the keys that exist.
std::string Text(FuzzedDataProvider& in) {
  static const char kAlphabet[] = {'A', 'a', 'B', 'b', '\\', '\\', 'C', 'x', ' ', '\xE9'};
  std::string s;
  for (std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, 12); n > 0; --n) {
    const std::uint8_t b = in.ConsumeIntegral<std::uint8_t>();
    s += b < 250 ? kAlphabet[b % sizeof kAlphabet] : static_cast<char>(b - 250);  // a few raw bytes
  }
  if (in.ConsumeIntegralInRange(0, 15) == 0) s.append(240, 'A');  // towards 255 characters
  return s.substr(0, 255);
}

std::string Short(const std::string& s) {
  return std::string(1, static_cast<char>(s.size())) + s;
}

// The full name of the key a call names: one leading backslash dropped, empty
// components skipped; empty for a root that is not predefined.
std::string Named(std::uint32_t root, std::string path) {
  if (root == 0) root = QRVL_HKEY_CURRENT_USER;
  if (!path.empty() && path[0] == '\\') path.erase(0, 1);
  std::string name = sim::RegName(root, "");
  if (name.empty()) return name;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) name += "\\" + path.substr(start, end - start);
    start = end + 1;
  }
  return name;
}

bool Within(const std::string& key, const std::string& top) {  // key is top or below it
  return key.size() >= top.size() && !sim::NoCase()(key.substr(0, top.size()), top) &&
         !sim::NoCase()(top, key.substr(0, top.size())) &&
         (key.size() == top.size() || key[top.size()] == '\\');
}

using Snapshot =
    std::map<std::string, std::map<std::string, std::string, sim::NoCase>, sim::NoCase>;

Snapshot Take() {
  Snapshot s;
  for (const auto& [name, key] : sim::registry().keys)
    for (const auto& [value, data] : key.values) s[name][value] = data.data;
  for (const auto& [name, key] : sim::registry().keys) s[name];  // keys without values too
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::Reset();
  qrvl::OnLoad(nullptr);
  sim::WriteFile("C:\\QRVL\\INSTALL.LOG", "");
  sim::RegPut(QRVL_HKEY_CURRENT_USER, "A\\B", "v", plat::kRegSz, std::string("1\0", 2));
  sim::RegPut(QRVL_HKEY_CURRENT_USER, "A\\B\\C", "", plat::kRegDword, std::string(4, '\x01'));
  sim::RegPut(QRVL_HKEY_CURRENT_USER, "Ab", "x", plat::kRegExpandSz, std::string("%x%\0", 4));
  sim::RegPut(QRVL_HKEY_LOCAL_MACHINE, "A\\B", "v", plat::kRegSz, std::string("2\0", 2));
  static const std::uint32_t kRoots[] = {0,
                                         QRVL_HKEY_CLASSES_ROOT,
                                         QRVL_HKEY_CURRENT_USER,
                                         QRVL_HKEY_LOCAL_MACHINE,
                                         QRVL_HKEY_USERS,
                                         0x80000004u,
                                         12345u};
  while (in.remaining_bytes() > 0) {
    const int op = in.ConsumeIntegralInRange(0, 3);
    const std::uint32_t root = in.PickValueInArray(kRoots);
    const std::string key = Text(in), name = Text(in), value = Text(in);
    const std::string skey = Short(key), sname = Short(name), svalue = Short(value);
    auto ss = [](const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); };
    const Snapshot before = Take();
    std::int32_t answer = 0;
    switch (op) {
      case 0:
        answer = RegistryKeyExists(root, ss(skey), ss(sname));
        break;
      case 1:
        answer = AddRegistryKey(root, ss(skey), ss(sname), ss(svalue), in.ConsumeBool());
        break;
      case 2:
        answer = DeleteRegistryKey(root, ss(skey), ss(sname));
        break;
      default: {
        const std::uint32_t buffer_size = in.ConsumeIntegral<std::uint32_t>();
        std::vector<unsigned char> buffer((buffer_size & 0xFF) + 1);  // exactly what may be written
        answer = GetRegistryKey(root, ss(skey), ss(sname), buffer.data(), buffer_size);
        Require(buffer[0] <= (buffer_size & 0xFF), "GetRegistryKey stored more than BufferSize");
        Require(answer || buffer[0] == 0, "a failed read left text in the buffer");
      }
    }
    Require(answer == 0 || answer == 1, "an answer other than 0 or 1");
    Require(sim::registry().open_handles == 0, "a key handle stays open");
    Require(sim::files().open_count == 0, "the install log stays open");
    const Snapshot after = Take();
    const std::string named = Named(root, key);
    for (const auto& [k, values] : before) {
      if (!named.empty() && Within(k, named)) continue;  // the named key and its subtree
      const auto found = after.find(k);
      Require(found != after.end(), "a key outside the named path was deleted");
      Require(found->second == values, "a value outside the named key changed");
    }
    for (const auto& [k, values] : after)
      if (!before.count(k))
        Require(!named.empty() && (Within(named, k) || Within(k, named)),
                "a key outside the named path was created");
  }
  return 0;
}
