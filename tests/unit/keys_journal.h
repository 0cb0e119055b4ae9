// The simulated keyboard's record as one line of text, for tables of macros:
// "16d 65d 65u 16u" for key events (d down, u up, D and U for an extended key),
// "numlock=1" for a write of the keyboard-state table (the new Num Lock toggle
// bit), "[Text]" for a message box.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim.h"

inline std::string JournalText() {
  std::string out;
  for (const auto& entry : sim::KeyboardJournal()) {
    if (!out.empty()) out += ' ';
    switch (entry.kind) {
      case sim::JournalEntry::kKey: {
        const auto& e = sim::keyboard().events[entry.index];
        const char* flags[] = {"d", "D", "u", "U"};
        out +=
            std::to_string(e.vk) + (e.flags < 4 ? flags[e.flags] : "?" + std::to_string(e.flags));
        break;
      }
      case sim::JournalEntry::kStateWrite:
        out +=
            "numlock=" + std::to_string(sim::keyboard().state_writes[entry.index].table[144] & 1);
        break;
      case sim::JournalEntry::kBox:
        out += "[" + sim::ui().boxes[entry.index].text + "]";
        break;
    }
  }
  return out;
}

// What holds for every call: scan codes are the layout's for the key, no extra
// information, and boxes are the sender's own (no owner, "Quarvel", OK only).
inline void ExpectSoundRecord() {
  for (const auto& e : sim::keyboard().events) {
    EXPECT_EQ(e.scan, plat::MapVirtualKey(e.vk, 0) & 0xFF) << "vk " << int(e.vk);
    EXPECT_EQ(e.extra, 0u);
  }
  for (const auto& box : sim::ui().boxes) {
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, "Quarvel");
    EXPECT_EQ(box.type, plat::kMbOk);
  }
}

// "37D 37U" repeated n times, for repeat counts.
inline std::string Times(int n, const std::string& tokens) {
  std::string out;
  for (int i = 0; i < n; ++i) out += (i ? " " : "") + tokens;
  return out;
}
