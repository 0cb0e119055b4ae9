// The macro language: quote mode, held modifiers, groups and brace forms.
#include "keys/sender.h"

#include <cstring>
#include <string>

#include "frame/host_error.h"
#include "frame/text.h"
#include "keys/key_codes.h"
#include "keys/key_names.h"
#include "keys/macro_call.h"
#include "keys/macro_error.h"
#include "platform/platform.h"

namespace qrvl {

namespace {
constexpr std::size_t kNameBufferSize = 20;  // name and repeat count together
}  // namespace

bool SendKeystrokeMacro(const char* text, bool wait) {
  if (!text) return false;  // callers pass "" for no macro; a null must not crash the host
  return MacroCall(text, wait).Run();
}

MacroCall::MacroCall(const char* text, bool wait)
    : text_(text), length_(std::strlen(text)), wait_(wait) {}

bool MacroCall::Run() {
  if (length_ == 0) return false;
  while (pos_ < length_) {
    const char c = text_[pos_];
    if (c == '"') {  // toggles in either mode
      quote_mode_ = !quote_mode_;
      ++pos_;
      continue;
    }
    if (quote_mode_) {
      TypeCharacter(c);
      ++pos_;
      continue;
    }
    switch (c) {
      case '+':
        shift_held_ = true;
        PressKey(kShiftKey, 1, false);
        ++pos_;
        break;
      case '^':
        ctrl_held_ = true;
        PressKey(kCtrlKey, 1, false);
        ++pos_;
        break;
      case '%':
        alt_held_ = true;
        PressKey(kAltKey, 1, false);
        ++pos_;
        break;
      case '(':
        group_open_ = true;
        ++pos_;
        break;
      case ')':
        group_open_ = false;
        ReleaseHeldModifiers();
        ++pos_;
        break;
      case '~':  // Enter without the character translation
        PressKey(kEnterKey, 1, true);
        ReleaseHeldModifiers();
        ++pos_;
        break;
      case '{':
        if (!BraceForm()) return false;
        break;
      default:
        TypeCharacter(c);
        ++pos_;
    }
  }
  ReleaseHeldModifiers();
  return true;
}

// A character the layout cannot produce is skipped; the held modifiers then
// stay down for the next key that is sent.
void MacroCall::TypeCharacter(char c) {
  const std::uint16_t code = plat::VkKeyScan(c);
  if (code == kNoKey) {
    ShowMacroError("Invalid KeyName");
    return;
  }
  SendKeyCode(code, 1);
  ReleaseHeldModifiers();
}

bool MacroCall::BraceForm() {
  const std::size_t open = pos_;
  if (open + 1 < length_ && text_[open + 1] == '{') {  // {{} : the third character is not read
    SendKeyCode(kLeftBraceCode, 1);
    ReleaseHeldModifiers();
    pos_ = open + 3;
    return true;
  }

  std::string buffer;
  std::size_t close = open + 1;
  for (; close < length_ && text_[close] != '}'; ++close)
    if (buffer.size() < kNameBufferSize) buffer += text_[close];
  if (close == length_) {
    ShowMacroError("No Close");
    ReleaseHeldModifiers();
    return false;
  }
  pos_ = close + 1;

  if (pos_ < length_ && text_[pos_] == '}') {  // {}} and any form followed by }
    SendKeyCode(kRightBraceCode, 1);
    ReleaseHeldModifiers();
    ++pos_;
    return true;
  }

  buffer = UpperAZ(buffer);
  std::string name = buffer;
  std::uint16_t count = 1;
  const std::size_t space = buffer.find(' ');
  if (space != std::string::npos) {  // the count is converted before the name is looked up
    name = buffer.substr(0, space);
    const std::string count_text = buffer.substr(space + 1);
    const auto value = StrToInt(count_text);
    if (!value) {
      ReleaseHeldModifiers();
      throw HostError("'" + count_text + "' is not a valid integer value");
    }
    count = static_cast<std::uint16_t>(static_cast<std::uint32_t>(*value));  // -1 gives 65535
  }

  // One character is typed as itself, upper-cased; a miss there is silent.
  const std::uint16_t code = name.size() == 1 ? plat::VkKeyScan(name[0]) : LookupKeyName(name);
  if (code != kNoKey) {
    SendKeyCode(code, count);
    ReleaseHeldModifiers();
  }
  return true;
}

}  // namespace qrvl
