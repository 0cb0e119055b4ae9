// Simulated long and short file names for FindFirstFileName.
#include <cstring>

#include "platform/sim/sim.h"

namespace sim {

namespace {
FindFiles g_find;

bool Same(const std::string& a, const std::string& b) {
  return !NoCase()(a, b) && !NoCase()(b, a);
}
std::string Parent(const std::string& path) {
  const auto cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}
std::string LastComponent(const std::string& path) {
  const auto cut = path.rfind('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The long path of the child of `parent` named `name` (long or short); empty
// when there is none.
std::string Child(const std::string& parent, const std::string& name) {
  for (const auto& entry : g_find.entries) {
    if (!Same(Parent(entry.first), parent)) continue;
    if (Same(LastComponent(entry.first), name) ||
        (!entry.second.empty() && Same(entry.second, name)))
      return entry.first;
  }
  return std::string();
}
}  // namespace

FindFiles& findfiles() {
  return g_find;
}

void ResetFindFiles() {
  g_find = FindFiles();
}

void AddLongName(const std::string& long_path, const std::string& short_alias) {
  for (std::string p = Parent(long_path); p.find('\\') != std::string::npos; p = Parent(p))
    g_find.entries.emplace(p, "");
  g_find.entries[long_path] = short_alias;
}

}  // namespace sim

namespace plat {

bool FindFirstFileName(const char* pattern, char* name, std::uint32_t size) {
  const std::string path = pattern;
  sim::g_find.searches.push_back(path);
  // Walk from the root (the drive), resolving each component by long or short name.
  std::size_t start = path.find('\\');
  if (start == std::string::npos || size == 0) return false;
  std::string current = path.substr(0, start);
  while (start < path.size()) {
    std::size_t end = path.find('\\', start + 1);
    if (end == std::string::npos) end = path.size();
    current = sim::Child(current, path.substr(start + 1, end - start - 1));
    if (current.empty()) return false;
    start = end;
  }
  const std::string found = sim::LastComponent(current);
  const std::size_t n = found.size() < size - 1 ? found.size() : size - 1;
  std::memcpy(name, found.data(), n);
  name[n] = '\0';
  return true;
}

}  // namespace plat
