#include "macro_check.h"

#include <algorithm>
#include <cstdint>

#include "frame/text.h"
#include "keys/key_codes.h"
#include "keys/key_names.h"
#include "platform/platform.h"

namespace qrvl_tool {
namespace {

constexpr const char* kFileMarker = "#FILENAME#";
constexpr const char* kLineMarker = "#LINENUM#";
constexpr std::size_t kAfterMarkerMax = 255;  // characters the driver keeps after a marker
constexpr std::size_t kNameBufferSize = 20;   // the sender's room for name and count
constexpr std::size_t kNone = std::string::npos;

// A sample of what the driver puts in place of each marker.
constexpr const char* kSampleFile = "\"C:\\Src\\Main.cpp\"";
constexpr const char* kSampleLine = "1234";

// The text as the sender receives it, with the written offset of each character.
struct SentText {
  std::string text;
  std::vector<std::size_t> from;
  std::size_t name_at = kNone;  // where the quoted file name begins

  void Append(char c, std::size_t offset) {
    text += c;
    from.push_back(offset);
  }
};

std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}

std::string CharName(char c) {
  const unsigned u = static_cast<unsigned char>(c);
  if (u >= 32 && u < 127) return Quoted(std::string(1, c));
  static const char* hex = "0123456789ABCDEF";
  return std::string("code 0x") + hex[u >> 4] + hex[u & 15];
}

bool IsKeyName(const std::string& name) {
  return std::any_of(qrvl::KeyNameTable.begin(), qrvl::KeyNameTable.end(),
                     [&](const qrvl::KeyName& k) { return name == k.name; });
}

// Reads the sent text the way the sender does, sending nothing.
class Reader {
 public:
  Reader(const SentText& sent, std::vector<Finding>* findings)
      : s_(sent.text), from_(sent.from), name_at_(sent.name_at), out_(findings) {}

  void Run() {
    while (pos_ < s_.size() && !stopped_) Step();
    End();
  }

 private:
  void Note(std::size_t at, const std::string& message) {
    out_->push_back({at < from_.size() ? from_[at] : from_.back(), message});
  }

  void Step() {
    const char c = s_[pos_];
    if (c == '"') {
      if (pos_ == name_at_ && quote_mode_)
        Note(pos_,
             "the marker stands inside double quotes: the file name is typed outside quote "
             "mode, so + ^ % ~ ( ) { in a name act as keys");
      quote_mode_ = !quote_mode_;
      ++pos_;
      return;
    }
    if (quote_mode_) {
      Type(c);
      ++pos_;
      return;
    }
    switch (c) {
      case '+':
      case '^':
      case '%':
        if (unused_modifier_ == kNone) unused_modifier_ = pos_;
        ++pos_;
        return;
      case '(':
        if (!group_open_) group_at_ = pos_;
        group_open_ = true;
        ++pos_;
        return;
      case ')':
        group_open_ = false;
        Release();
        ++pos_;
        return;
      case '~':
        KeySent();
        ++pos_;
        return;
      case '{':
        BraceForm();
        return;
      default:
        Type(c);
        ++pos_;
    }
  }

  void Type(char c) {
    if (plat::VkKeyScan(c) == qrvl::kNoKey) {
      Note(pos_, "the US layout has no key for " + CharName(c) +
                     ": it is skipped with the box \"Invalid KeyName\"");
      return;
    }
    KeySent();
  }

  void BraceForm() {
    const std::size_t open = pos_;
    if (open + 1 < s_.size() && s_[open + 1] == '{') {
      if (open + 2 < s_.size() && s_[open + 2] != '}')
        Note(open + 2, "'{{' types a left brace and skips the next character, " +
                           CharName(s_[open + 2]) + "; write {{}");
      KeySent();
      pos_ = open + 3;
      return;
    }
    std::size_t close = open + 1;
    while (close < s_.size() && s_[close] != '}') ++close;
    if (close == s_.size()) {
      Note(open, "'{' has no closing '}': sending stops here with the box \"No Close\"");
      stopped_ = true;
      return;
    }
    const std::string written = s_.substr(open + 1, std::min(close - open - 1, kNameBufferSize));
    if (close - open - 1 > kNameBufferSize)
      Note(open + 1 + kNameBufferSize,
           "a brace form holds at most 20 characters of name and count: the rest is dropped");
    pos_ = close + 1;

    if (pos_ < s_.size() && s_[pos_] == '}') {
      if (!written.empty())
        Note(open, "'{" + written + "}' followed by '}' types only a right brace; " +
                       Quoted(written) + " is ignored");
      KeySent();
      ++pos_;
      return;
    }

    const std::string buffer = qrvl::UpperAZ(written);
    std::string name = buffer;
    const std::size_t space = buffer.find(' ');
    if (space != kNone) {
      name = buffer.substr(0, space);
      const std::string count_text = buffer.substr(space + 1);
      const auto value = qrvl::StrToInt(count_text);
      if (!value) {
        Note(open + 2 + space, "repeat count " + Quoted(count_text) +
                                   " is not a whole number: sending stops with the error \"" +
                                   Quoted(count_text) + " is not a valid integer value\"");
        stopped_ = true;
        return;
      }
      if (*value < 0 || *value > 0xFFFF)
        Note(open + 2 + space, "repeat count " + std::to_string(*value) + " is used as " +
                                   std::to_string(static_cast<std::uint16_t>(*value)));
    }

    if (name.size() == 1) {
      if (plat::VkKeyScan(name[0]) == qrvl::kNoKey) {
        Note(open + 1, "the US layout has no key for " + CharName(name[0]) +
                           ": the brace form is skipped without a message");
        return;
      }
      if (written[0] >= 'a' && written[0] <= 'z')
        Note(open + 1, "'{" + written.substr(0, 1) + "}' types a capital " + Quoted(name) +
                           " (with Shift): names in braces are upper-cased");
    } else if (!IsKeyName(name)) {
      Note(open + 1,
           (name.empty() ? std::string("empty key name") : "unknown key name " + Quoted(name)) +
               ": it is skipped with the box \"Invalid Key Name\"");
      return;
    }
    KeySent();
  }

  // A key went out: the held modifiers have served and are let go.
  void KeySent() {
    unused_modifier_ = kNone;
    Release();
  }

  void Release() {
    if (group_open_) return;
    if (unused_modifier_ != kNone)
      Note(unused_modifier_, "modifier " + Quoted(std::string(1, s_[unused_modifier_])) +
                                 " is released without a key pressed with it");
    unused_modifier_ = kNone;
  }

  void End() {
    if (group_open_)
      Note(group_at_,
           "the group opened here is never closed: its modifiers stay pressed "
           "after the macro");
    else
      Release();
  }

  const std::string& s_;
  const std::vector<std::size_t>& from_;
  const std::size_t name_at_;
  std::vector<Finding>* out_;
  std::size_t pos_ = 0;
  bool stopped_ = false;
  bool quote_mode_ = false;
  bool group_open_ = false;
  std::size_t group_at_ = 0;
  std::size_t unused_modifier_ = kNone;  // first modifier pressed since a key went out
};

// Every place where `marker` occurs, matched without regard to case.
std::vector<std::size_t> FindAll(const std::string& upper, const std::string& marker) {
  std::vector<std::size_t> at;
  for (auto p = upper.find(marker); p != kNone; p = upper.find(marker, p + marker.size()))
    at.push_back(p);
  return at;
}

}  // namespace

std::vector<Finding> CheckMacro(const std::string& macro, MacroRole role) {
  std::vector<Finding> findings;
  if (macro.empty()) return findings;
  const bool open = role == MacroRole::kOpen;
  const std::string marker = open ? kFileMarker : kLineMarker;
  const std::string other = open ? kLineMarker : kFileMarker;
  const std::string upper = qrvl::UpperAZ(macro);

  for (std::size_t at : FindAll(upper, other))
    findings.push_back({at, other + " is not replaced in " + (open ? "an Open" : "a Goto") +
                                " macro: it is typed as written"});

  const std::vector<std::size_t> markers = FindAll(upper, marker);
  SentText sent;
  if (markers.empty()) {
    findings.push_back(
        {0, open ? "the Open macro has no #FILENAME#: it is skipped, so no file is opened"
                 : "the Goto macro has no #LINENUM#: going to a line fails with the box "
                   "\"Error going to line number.\""});
    // Read as written, so that the rest of it is checked too.
    for (std::size_t i = 0; i < macro.size(); ++i) sent.Append(macro[i], i);
  } else {
    const std::size_t first = markers[0];
    for (std::size_t i = 1; i < markers.size(); ++i)
      findings.push_back(
          {markers[i], "only the first " + marker + " is replaced: this one is typed as written"});
    for (std::size_t i = 0; i < first; ++i) sent.Append(macro[i], i);
    if (open) sent.name_at = sent.text.size();
    for (const char* p = open ? kSampleFile : kSampleLine; *p; ++p) sent.Append(*p, first);
    const std::size_t rest = first + marker.size();
    for (std::size_t i = rest; i < macro.size() && i < rest + kAfterMarkerMax; ++i)
      sent.Append(macro[i], i);
    if (macro.size() > rest + kAfterMarkerMax)
      findings.push_back({rest + kAfterMarkerMax,
                          "only 255 characters after the marker are sent: the rest is dropped"});
  }

  Reader(sent, &findings).Run();
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
  return findings;
}

}  // namespace qrvl_tool
