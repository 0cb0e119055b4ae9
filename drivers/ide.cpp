#include "drivers/ide.h"

#include <cstring>

#include "frame/globals.h"
#include "frame/host_error.h"
#include "frame/text.h"

namespace qrvl {

namespace {
constexpr const char* kSection = "Editors";
constexpr std::uint32_t kReadBuffer = 1024;  // values are cut to 1023 characters
constexpr std::size_t kProfileTextMax = 255;
}  // namespace

TIDE::~TIDE() = default;

const char* TIDE::GetAppClass() {
  return AppClass;
}
const char* TIDE::GetAppText() {
  return AppText;
}
const char* TIDE::GetEditClass() {
  return EditClass;
}
const char* TIDE::GetDescription() {
  return Desc;
}

void TIDE::ShowError(const std::string& Text) {
  plat::MessageBeep(plat::kMbOk);
  plat::MessageBox(globals().OwnerWindow, Text.c_str(), "Error", plat::kMbOk);
}

std::string TIDE::ReadKey(const char* Name, const char* Default) const {
  const std::string key = KeyPrefix + Name;
  char buffer[kReadBuffer];
  const std::uint32_t n = plat::GetPrivateProfileString(
      kSection, key.c_str(), Default, buffer, kReadBuffer, globals().SettingsFilePath.c_str());
  return std::string(buffer, ::strnlen(buffer, n < kReadBuffer ? n : kReadBuffer - 1));
}

char* TIDE::NewProfileText(const std::string& Value) {
  // Room for the whole value, as the profile text is allocated, but at most
  // 255 characters of it are kept.
  auto text = std::make_unique<char[]>(Value.size() + 1);
  const std::size_t n = Value.size() < kProfileTextMax ? Value.size() : kProfileTextMax;
  std::memcpy(text.get(), Value.data(), n);
  text[n] = '\0';
  texts_.push_back(std::move(text));
  return texts_.back().get();
}

bool ProfileFlag(std::string text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.replace(0, 2, "$");
  const auto value = StrToInt(text);
  return value && *value != 0;
}

bool TIDE::LoadProfile() {
  const std::string& path = globals().SettingsFilePath;
  if (!plat::FileExists(path.c_str())) {
    ShowError("Could not find Editor/IDE initialization file : " + path);
    return false;
  }
  AppClass = NewProfileText(ReadKey("AppClass", ""));
  AppText = NewProfileText(ReadKey("AppText", ""));
  EditClass = NewProfileText(ReadKey("EditClass", ""));
  Desc = NewProfileText(ReadKey("Desc", "Unknown Editor/IDE"));
  OpenWithLFN = ProfileFlag(ReadKey("OpenWithLFN", ""));
  OpenMacro = ReadKey("Open", "");
  GotoMacro = ReadKey("Goto", "");
  return true;
}

bool TIDE::Load() {
  return AtBoundary(false, [&] { return LoadProfile(); });
}

void TIDE::SaveProfile() {
  const std::string& path = globals().SettingsFilePath;
  auto write = [&](const char* name, const std::string& value) {
    const std::string key = KeyPrefix + name;
    if (!plat::WritePrivateProfileString(kSection, key.c_str(), value.c_str(), path.c_str()))
      throw HostError("Unable to write to " + path);
  };
  write("AppClass", TextOf(AppClass));
  write("AppText", TextOf(AppText));
  write("EditClass", TextOf(EditClass));
  write("Desc", TextOf(Desc));
  write("OpenWithLFN", OpenWithLFN ? "1" : "0");
  write("Open", OpenMacro);
  write("Goto", GotoMacro);
}

void TIDE::Save() {
  AtBoundaryVoid([&] { SaveProfile(); });
}

plat::Hbitmap TIDE::GetBitmap() {
  return AtBoundary<plat::Hbitmap>(nullptr, [&] {
    // Resource names compare without regard to case: "Delphi_2X_" finds "DELPHI_2X_".
    return plat::LoadBitmap(globals().module, KeyPrefix.c_str());
  });
}

}  // namespace qrvl
