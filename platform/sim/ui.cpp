// Simulated module, registered messages, message boxes, bitmaps and windows.
#include <cstring>

#include "frame/host_error.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {
Ui g_ui;
std::uintptr_t g_next_handle = 0x1000;
plat::Hwnd NewHandle() {
  return reinterpret_cast<plat::Hwnd>(g_next_handle += 4);
}
bool SameNoCase(const std::string& a, const std::string& b) {
  return !NoCase()(a, b) && !NoCase()(b, a);
}
}  // namespace

Ui& ui() {
  return g_ui;
}

void ResetUi() {
  g_ui = Ui();
  g_ui.module_file_name = "C:\\QRVL\\QRVIDE32.DLL";
  for (const char* name : {"BORCPP_4XG_", "BORCPP_4X_", "BORCPP_5X_", "CBUILDER_1X_",
                           "CODEWRIGHT_3X_", "CODEWRIGHT_4X_", "DELPHI_1XG_", "DELPHI_1X_",
                           "DELPHI_2X_", "DELPHI_3X_", "HEDIT_", "IBUILDER_1X_", "MSJPP_1X_",
                           "MSVC_1X_", "MSVC_4X_", "MSVC_5X_", "MULTIEDIT_7X_", "VSLICKEDIT_1X_"})
    g_ui.bitmap_names.insert(name);
}

plat::Hwnd AddWindow(const std::string& class_name, const std::string& title) {
  g_ui.windows.push_back({class_name, title, NewHandle()});
  return g_ui.windows.back().handle;
}

void RemoveWindow(plat::Hwnd window) {
  for (auto it = g_ui.windows.begin(); it != g_ui.windows.end(); ++it)
    if (it->handle == window) {
      g_ui.windows.erase(it);
      return;
    }
}

}  // namespace sim

namespace plat {

std::uint32_t GetModuleFileName(Hmodule, char* buffer, std::uint32_t size) {
  const std::string& name = sim::g_ui.module_file_name;
  if (size == 0) return 0;
  const std::size_t n = name.size() < size - 1 ? name.size() : size - 1;
  std::memcpy(buffer, name.data(), n);
  buffer[n] = '\0';
  return name.size() < size ? static_cast<std::uint32_t>(n) : size;
}

std::uint32_t RegisterWindowMessage(const char* name) {
  if (sim::g_ui.refuse_register) return 0;
  auto& ids = sim::g_ui.registered;
  const auto found = ids.find(name);
  if (found != ids.end()) return found->second;
  const std::uint32_t id = 0xC000 + static_cast<std::uint32_t>(ids.size());
  ids[name] = id;
  return id;
}

int MessageBox(Hwnd owner, const char* text, const char* caption, std::uint32_t type) {
  sim::g_ui.boxes.push_back({owner, text, caption, type, static_cast<int>(sim::g_ui.beeps.size())});
  return 1;  // IDOK
}

bool MessageBeep(std::uint32_t type) {
  sim::g_ui.beeps.push_back(type);
  return true;
}

Hbitmap LoadBitmap(Hmodule, const char* name) {
  if (!sim::g_ui.bitmap_names.count(name)) return nullptr;
  sim::g_ui.bitmaps_loaded.push_back(sim::NewHandle());
  return sim::g_ui.bitmaps_loaded.back();
}

Hwnd FindWindow(const char* class_name, const char* title) {
  const auto& windows = sim::g_ui.windows;
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {  // topmost first
    if (class_name && !sim::SameNoCase(it->class_name, class_name)) continue;
    if (title && it->title != title) continue;
    return it->handle;
  }
  return nullptr;
}

bool PostMessage(Hwnd window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  bool exists = false;
  for (const auto& w : sim::g_ui.windows) exists = exists || w.handle == window;
  if (!exists) return false;
  sim::g_ui.posted.push_back({window, message, wparam, lparam});
  return true;
}

void RaiseHostError(const char* message) {
  throw qrvl::HostError(message);
}

}  // namespace plat
