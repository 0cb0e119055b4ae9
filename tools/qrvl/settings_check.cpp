#include "settings_check.h"

#include <algorithm>
#include <map>

#include "frame/kinds.h"
#include "frame/text.h"
#include "macro_check.h"

namespace qrvl_tool {
namespace {

constexpr std::size_t kValueMax = 1023;  // the library reads with a buffer of 1024
constexpr std::size_t kTextMax = 255;    // profile texts and registry paths keep this much

enum class ValueKind { kText, kRegistryPath, kFlag, kOpen, kGoto };

struct Item {
  const char* name;
  ValueKind kind;
  bool add_in_only;  // read only by the add-in drivers
};

constexpr Item kItems[] = {
    {"AppClass", ValueKind::kText, false},    {"AppText", ValueKind::kText, false},
    {"EditClass", ValueKind::kText, false},   {"Desc", ValueKind::kText, false},
    {"OpenWithLFN", ValueKind::kFlag, false}, {"Open", ValueKind::kOpen, false},
    {"Goto", ValueKind::kGoto, false},        {"Util_AppClass", ValueKind::kText, true},
    {"Util_AppText", ValueKind::kText, true}, {"RegKey", ValueKind::kRegistryPath, true},
};

bool IsAddIn(qrvl::DriverClass c) {
  return c == qrvl::DriverClass::kTDelphi2IDE || c == qrvl::DriverClass::kTBC5IDE;
}

// The drivers that post messages instead of typing the profile's macros.
bool TypesMacros(qrvl::DriverClass c) {
  return !IsAddIn(c) && c != qrvl::DriverClass::kTHEditIDE;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : bytes) {
    if (c != '\n') {
      line += c;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// One "key=value" line of the section, as the library reads it.
struct Entry {
  int line;
  int key_column;
  std::string key;
  int value_column;  // of the value's first character once trimmed and unquoted
  std::string value;
  bool unquoted;  // one pair of enclosing double quotes was stripped
};

Entry ReadEntry(int number, const std::string& line) {
  Entry e{number, 0, "", 0, "", false};
  const auto eq = line.find('=');
  e.key_column = static_cast<int>(line.find_first_not_of(" \t")) + 1;
  e.key = Trim(line.substr(0, eq));
  e.value = Trim(line.substr(eq + 1));
  const auto value_at = line.find_first_not_of(" \t", eq + 1);
  e.value_column = static_cast<int>(value_at == std::string::npos ? eq + 1 : value_at) + 1;
  if (e.value.size() >= 2 && e.value.front() == '"' && e.value.back() == '"') {
    e.value = e.value.substr(1, e.value.size() - 2);
    e.unquoted = true;
    ++e.value_column;
  }
  return e;
}

// The kind and item a key names; false for a key that no driver reads.
struct KeyMeaning {
  int kind = -1;
  const Item* item = nullptr;
};

KeyMeaning Meaning(const std::string& key) {
  KeyMeaning m;
  const std::string upper = qrvl::UpperAZ(key);
  for (int k = 0; k < qrvl::kEditorKindCount; ++k) {
    const std::string prefix = qrvl::UpperAZ(qrvl::kEditorKinds[k].key_prefix);
    if (upper.compare(0, prefix.size(), prefix) != 0) continue;
    m.kind = k;
    for (const Item& item : kItems)
      if (upper.substr(prefix.size()) == qrvl::UpperAZ(item.name) &&
          (!item.add_in_only || IsAddIn(qrvl::kEditorKinds[k].driver_class)))
        m.item = &item;
  }
  return m;
}

class Checker {
 public:
  std::vector<Problem> Run(const std::string& bytes) {
    const std::vector<std::string> lines = Lines(bytes);
    bool in_section = false, seen_section = false;
    for (int n = 1; n <= static_cast<int>(lines.size()); ++n) {
      const std::string& line = lines[n - 1];
      const std::string trimmed = Trim(line);
      if (trimmed.empty() || trimmed[0] == ';') continue;
      if (trimmed[0] == '[' && trimmed.size() >= 2 && trimmed.find(']') != std::string::npos) {
        in_section =
            qrvl::EqualsIgnoreCaseAZ(Trim(trimmed.substr(1, trimmed.find(']') - 1)), "Editors");
        seen_section = seen_section || in_section;
        continue;
      }
      if (!in_section) continue;
      const int indent = static_cast<int>(line.find_first_not_of(" \t")) + 1;
      if (line.find('=') == std::string::npos)
        Add(n, indent, "line without '=' is not read");
      else
        CheckEntry(ReadEntry(n, line));
    }
    if (!seen_section) Add(1, 1, "no section [Editors]: every editor kind reads its defaults");
    CheckRequired();
    std::stable_sort(problems_.begin(), problems_.end(), [](const Problem& a, const Problem& b) {
      return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return problems_;
  }

 private:
  void Add(int line, int column, const std::string& message) {
    problems_.push_back({line, column, message});
  }
  void AddAt(const Entry& e, std::size_t offset, const std::string& message) {
    Add(e.line, e.value_column + static_cast<int>(offset), message);
  }

  void CheckEntry(Entry e) {
    const KeyMeaning m = Meaning(e.key);
    if (!m.item) {
      if (m.kind < 0)
        Add(e.line, e.key_column, "unknown key '" + e.key + "': no editor kind reads it");
      else
        Add(e.line, e.key_column,
            "unknown key '" + e.key + "': kind " + std::to_string(m.kind) + " (" +
                qrvl::kEditorKinds[m.kind].key_prefix + ") reads no such item");
      return;
    }
    first_line_.emplace(m.kind, e.line);
    const std::string upper = qrvl::UpperAZ(e.key);
    const auto seen = entries_.find(upper);
    if (seen != entries_.end()) {
      Add(e.line, e.key_column,
          "duplicate key '" + e.key + "': only the first, on line " +
              std::to_string(seen->second.line) + ", is read");
      return;
    }
    if (e.value.size() > kValueMax) {
      AddAt(e, kValueMax, "value longer than 1023 characters: the rest is not read");
      e.value.resize(kValueMax);
    }
    entries_.emplace(upper, e);
    CheckValue(e, *m.item, qrvl::kEditorKinds[m.kind].driver_class);
  }

  void CheckValue(const Entry& e, const Item& item, qrvl::DriverClass driver) {
    switch (item.kind) {
      case ValueKind::kText:
        if (e.value.size() > kTextMax)
          AddAt(e, kTextMax, "only the first 255 characters of this text are kept");
        return;
      case ValueKind::kRegistryPath:
        if (e.value.size() > kTextMax)
          AddAt(e, kTextMax, "registry paths are cut to 255 characters");
        return;
      case ValueKind::kFlag:
        if (!e.value.empty() && !FlagConverts(e.value))
          AddAt(e, 0,
                "OpenWithLFN '" + e.value + "' is not a number: it counts as 0 (short names)");
        return;
      case ValueKind::kOpen:
      case ValueKind::kGoto:
        if (e.value.empty()) return;  // nothing is sent
        if (!TypesMacros(driver)) {
          AddAt(e, 0, "this kind's driver types no macros: the value is never used");
          return;
        }
        if (e.unquoted)
          Add(e.line, e.value_column - 1,
              "the enclosing double quotes are stripped when the value is read, so they start "
              "no quote mode; double them to keep one pair");
        for (const Finding& f : CheckMacro(
                 e.value, item.kind == ValueKind::kOpen ? MacroRole::kOpen : MacroRole::kGoto))
          AddAt(e, f.offset, f.message);
        return;
    }
  }

  // The driver's rule: "0x" or "0X" at the front of a longer text reads as "$".
  static bool FlagConverts(std::string text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
      text.replace(0, 2, "$");
    return qrvl::StrToInt(text).has_value();
  }

  // Keys without which a profile that is present cannot work.
  void CheckRequired() {
    for (const auto& [kind, first_line] : first_line_) {
      const qrvl::EditorKind& k = qrvl::kEditorKinds[kind];
      if (k.driver_class == qrvl::DriverClass::kTHEditIDE)
        Require(kind, first_line, "AppClass", "the driver finds the editor's main window by it");
      if (IsAddIn(k.driver_class)) {
        Require(kind, first_line, "Util_AppClass",
                "the driver finds the add-in's utility window by it");
        Require(kind, first_line, "RegKey", "installing the add-in writes under this key");
      }
    }
  }

  void Require(int kind, int first_line, const std::string& item, const std::string& why) {
    const std::string key = qrvl::kEditorKinds[kind].key_prefix + item;
    const auto found = entries_.find(qrvl::UpperAZ(key));
    if (found == entries_.end())
      Add(first_line, 1, key + " is missing: " + why);
    else if (found->second.value.empty())
      AddAt(found->second, 0, key + " is empty: " + why);
  }

  std::vector<Problem> problems_;
  std::map<std::string, Entry> entries_;  // by upper-cased key, the first of each
  std::map<int, int> first_line_;         // kind -> line of its first key
};

}  // namespace

std::vector<Problem> CheckSettings(const std::string& bytes) {
  return Checker().Run(bytes);
}

}  // namespace qrvl_tool
