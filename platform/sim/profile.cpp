// Simulated profile strings with the Windows rules: case-insensitive section
// and key names, values trimmed of blanks and of one pair of double quotes,
// lines without "=" ignored, a missing file or key gives the default, values
// cut to the buffer size - 1.
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/sim/sim.h"

namespace sim {
namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool Same(const std::string& a, const std::string& b) {
  return !NoCase()(a, b) && !NoCase()(b, a);
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : bytes) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

bool ReadProfileFile(const char* path, std::string* bytes) {
  if (files().host_files) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *bytes = s.str();
    return true;
  }
  if (!HasFile(path)) return false;
  *bytes = ReadFile(path);
  return true;
}

bool IsSection(const std::string& trimmed, std::string* name) {
  if (trimmed.size() < 2 || trimmed[0] != '[') return false;
  const auto close = trimmed.find(']');
  if (close == std::string::npos) return false;
  *name = Trim(trimmed.substr(1, close - 1));
  return true;
}

// The key of a "key=value" line, trimmed; false for other lines.
bool KeyOf(const std::string& line, std::string* key, std::string* value) {
  const auto eq = line.find('=');
  if (eq == std::string::npos) return false;
  *key = Trim(line.substr(0, eq));
  *value = Trim(line.substr(eq + 1));
  return true;
}

}  // namespace
}  // namespace sim

namespace plat {

std::uint32_t GetPrivateProfileString(const char* section, const char* key, const char* def,
                                      char* buffer, std::uint32_t size, const char* file) {
  if (size == 0) return 0;
  std::string result = def ? def : "";
  std::string bytes;
  if (section && key && sim::ReadProfileFile(file, &bytes)) {
    bool in_section = false;
    for (const std::string& line : sim::Lines(bytes)) {
      const std::string trimmed = sim::Trim(line);
      std::string name, k, v;
      if (sim::IsSection(trimmed, &name)) {
        in_section = sim::Same(name, section);
      } else if (in_section && sim::KeyOf(trimmed, &k, &v) && sim::Same(k, key)) {
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        result = v;
        break;
      }
    }
  }
  const std::size_t n = result.size() < size - 1 ? result.size() : size - 1;
  std::memcpy(buffer, result.data(), n);
  buffer[n] = '\0';
  return static_cast<std::uint32_t>(n);
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file) {
  if (sim::files().refuse_write.count(file) || sim::files().refuse_open.count(file) ||
      sim::files().directories.count(file))
    return false;
  std::string bytes;
  sim::ReadProfileFile(file, &bytes);
  std::vector<std::string> lines = sim::Lines(bytes);
  const std::string entry = std::string(key) + "=" + value;
  int section_at = -1, last_in_section = -1, key_at = -1;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const std::string trimmed = sim::Trim(lines[i]);
    std::string name, k, v;
    if (sim::IsSection(trimmed, &name)) {
      if (section_at >= 0) break;
      if (sim::Same(name, section)) section_at = last_in_section = i;
    } else if (section_at >= 0) {
      if (!trimmed.empty()) last_in_section = i;
      if (sim::KeyOf(trimmed, &k, &v) && sim::Same(k, key)) {
        key_at = i;
        break;
      }
    }
  }
  if (key_at >= 0) {
    lines[key_at] = entry;
  } else if (section_at >= 0) {
    lines.insert(lines.begin() + last_in_section + 1, entry);
  } else {
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(entry);
  }
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  if (sim::files().host_files) {
    std::ofstream o(file, std::ios::binary);
    o << out;
    return static_cast<bool>(o);
  }
  sim::WriteFile(file, out);
  return true;
}

}  // namespace plat
