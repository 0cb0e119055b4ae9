// The simulated platform of the native build: the world a test scripts and the
// record of what the library did to it. Reset() gives a fresh world.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace sim {

// Case-insensitive (a to z) ordering, for names Windows compares that way.
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const;
};

// Fresh world: no files, no windows, default module name, every area reset.
void Reset();

// ---- Module, messages, boxes, bitmaps, windows ------------------------------
struct MessageBoxCall {
  plat::Hwnd owner;
  std::string text;
  std::string caption;
  std::uint32_t type;
  int beeps_before;  // beeps sounded before this box, since Reset
};

struct Posted {
  plat::Hwnd window;
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
};

struct Window {
  std::string class_name;
  std::string title;
  plat::Hwnd handle;
};

struct Ui {
  std::string module_file_name;
  bool refuse_register = false;  // RegisterWindowMessage answers 0
  std::map<std::string, std::uint32_t, NoCase> registered;
  std::vector<MessageBoxCall> boxes;
  std::vector<std::uint32_t> beeps;
  std::set<std::string, NoCase> bitmap_names;  // resources of the module
  std::vector<plat::Hbitmap> bitmaps_loaded;
  std::vector<Window> windows;  // top-level windows, oldest first
  std::vector<Posted> posted;
};
Ui& ui();
plat::Hwnd AddWindow(const std::string& class_name, const std::string& title);
void RemoveWindow(plat::Hwnd window);

// ---- Files ----------------------------------------------------------------------
struct Files {
  std::map<std::string, std::string, NoCase> files;  // path -> bytes
  std::set<std::string, NoCase> directories;
  std::set<std::string, NoCase> refuse_open;   // opening fails (locked)
  std::set<std::string, NoCase> refuse_write;  // writes and profile writes fail
  bool host_files = false;  // paths go to the real file system (companion tool, benchmarks)
  int open_count = 0;       // files open right now
};
Files& files();
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);  // empty when missing
bool HasFile(const std::string& path);

// ---- Keyboard -------------------------------------------------------------------
// A US keyboard layout, answered the way Windows answers for it, and the calling
// thread's keyboard-state table. Every injected event, every drain of the thread's
// keyboard messages and every write of the state table is recorded in order; the
// *_before counters place each record among the others and among ui().boxes.
struct KeyEvent {
  std::uint8_t vk;
  std::uint8_t scan;
  std::uint32_t flags;  // 0 down, 2 up, 1 and 3 the same for an extended key
  std::uintptr_t extra;
  std::size_t boxes_before;  // message boxes shown before this event
  bool operator==(const KeyEvent& o) const {
    return vk == o.vk && scan == o.scan && flags == o.flags && extra == o.extra;
  }
};

struct StateWrite {
  std::uint8_t table[256];
  std::size_t events_before;
  std::size_t boxes_before;
};

struct Keyboard {
  std::uint8_t state[256] = {};    // bit 0x01 toggled (Num Lock: entry 144), 0x80 down
  bool refuse_state_read = false;  // GetKeyboardState fails
  std::vector<KeyEvent> events;
  std::vector<std::size_t> drains;  // for each drain: the number of events before it
  std::vector<StateWrite> state_writes;
};
Keyboard& keyboard();

// Key events, state-table writes and message boxes in the order they happened.
struct JournalEntry {
  enum Kind { kKey, kStateWrite, kBox } kind;
  std::size_t index;  // into keyboard().events, keyboard().state_writes or ui().boxes
};
std::vector<JournalEntry> KeyboardJournal();

// ---- Registry ----------------------------------------------------------------------
// Keys are named by their root and path, as in "HKEY_CURRENT_USER\\Software\\Test";
// names compare without regard to the case of a to z. The four predefined roots
// 0x80000000..0x80000003 always exist and are never counted as open handles.
struct RegValue {
  std::uint32_t type = plat::kRegSz;
  std::string data;  // the stored bytes, terminator included for strings
};
struct RegKey {
  std::map<std::string, RegValue, NoCase> values;  // "" is the default value
  std::uint64_t serial = 0;                        // tells a key from a later one of the same name
};
struct Registry {
  std::map<std::string, RegKey, NoCase> keys;  // full name -> key, roots included
  std::set<std::string, NoCase> deny;          // opening, creating or deleting it: access denied
  std::set<std::string, NoCase> refuse_write;  // setting or deleting its values: access denied
  std::set<std::string, NoCase> grow;  // "key|value": grows by 16 bytes before a read with data
  int open_handles = 0;                // handles open right now
  std::vector<std::string> log;        // "open|create|flush|close|delete NAME", in order
};
Registry& registry();
// The full name of Path below a predefined root; "" for any other root.
std::string RegName(plat::Hkey root, const std::string& path);
// Creates the key (and the keys above it) and stores one value in it.
void RegPut(plat::Hkey root, const std::string& path, const std::string& name, std::uint32_t type,
            const std::string& data);
void RegPutKey(plat::Hkey root, const std::string& path);  // creates the key, no value
bool RegHasKey(plat::Hkey root, const std::string& path);
const RegValue* RegGet(plat::Hkey root, const std::string& path, const std::string& name);
// Full names of every key below Path (not Path itself), in a stable order.
std::vector<std::string> RegKeysBelow(plat::Hkey root, const std::string& path);

// ---- Processes --------------------------------------------------------------
// Programs are scripted by the first item of the command line (quoted or up to
// the first space or tab), compared without regard to case. A program that is
// not scripted fails to start with error 2 (file not found).
struct Program {
  std::uint32_t start_error = 0;                   // non-zero: CreateProcess fails with it
  std::uint32_t idle_answer = plat::kWaitObject0;  // what WaitForInputIdle answers
};

struct Wait {
  plat::Handle process;
  std::uint32_t milliseconds;
};

struct Processes {
  std::map<std::string, Program, NoCase> programs;
  std::map<std::string, std::string, NoCase> short_names;  // GetShortPathName: long -> short
  std::uint32_t last_error = 0;                            // answered by GetLastError
  std::vector<std::string> started;                        // command lines that started
  std::vector<std::string> failed;                         // command lines that did not
  std::vector<Wait> waits;
  std::set<plat::Handle> open_handles;  // process and thread handles not yet closed
  std::vector<plat::Handle> closed;     // handles closed, in order
};
Processes& processes();

// Area resets, called by Reset().
void ResetUi();
void ResetFiles();
void ResetKeyboard();
void ResetRegistry();
void ResetProcesses();

}  // namespace sim
