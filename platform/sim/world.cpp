#include "platform/sim/sim.h"

namespace sim {

bool NoCase::operator()(const std::string& a, const std::string& b) const {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  return a.size() < b.size();
}

void Reset() {
  ResetUi();
  ResetFiles();
  ResetKeyboard();
  ResetRegistry();
  ResetProcesses();
  ResetFindFiles();
}

}  // namespace sim
