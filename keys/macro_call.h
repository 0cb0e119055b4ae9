// One call of the keystroke sender: the parse state and the keys it sends. Every
// piece of state lives here, so nothing survives the call.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qrvl {

class MacroCall {
 public:
  MacroCall(const char* text, bool wait);

  // Sends the whole macro; false for the empty text and after "No Close".
  // Throws HostError for a repeat count that is not a whole number.
  bool Run();

 private:
  // The language (sender.cpp).
  void TypeCharacter(char c);
  bool BraceForm();  // at a left brace; false when it has no closing brace

  // The keys (key_events.cpp).
  void SendKeyCode(std::uint16_t code, std::uint16_t count);
  void PressKey(std::uint8_t vk, std::uint16_t count, bool release);
  void ReleaseModifier(std::uint8_t vk);
  void ReleaseHeldModifiers();
  void SendKeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags);

  const char* text_;
  std::size_t length_;
  std::size_t pos_ = 0;
  bool wait_;
  bool quote_mode_ = false;
  bool group_open_ = false;
  bool shift_held_ = false, ctrl_held_ = false, alt_held_ = false;
};

}  // namespace qrvl
