// TIDE: the generic driver. Holds the editor profile read from the settings
// file and drives the editor by typing the profile's macros.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "drivers/base_ide.h"

namespace qrvl {

class TIDE : public TBaseIDE {
 public:
  TIDE() = default;
  TIDE(const TIDE&) = delete;
  TIDE& operator=(const TIDE&) = delete;

  const char* QRVL_STDCALL GetAppClass() override;
  const char* QRVL_STDCALL GetAppText() override;
  const char* QRVL_STDCALL GetEditClass() override;
  std::uint8_t QRVL_STDCALL GetIDEType() override { return 0; }
  bool QRVL_STDCALL SyncIDE(const char* FileName, std::int32_t Line, std::int32_t SyncArg1,
                            std::int32_t SyncArg2) override;
  bool QRVL_STDCALL Load() override;
  const char* QRVL_STDCALL GetDescription() override;
  plat::Hbitmap QRVL_STDCALL GetBitmap() override;

  // Slots 18 to 21.
  virtual void QRVL_STDCALL Save();
  virtual bool QRVL_STDCALL OpenFile(const char* FileName);
  virtual bool QRVL_STDCALL GotoLine(std::int32_t Line);
  virtual bool QRVL_STDCALL SyncFinish(std::int32_t SyncArg1, std::int32_t SyncArg2);

  // Not a slot: drivers are destroyed only through QRVL_DestroyIDE.
  virtual ~TIDE();

  // The error box: a default beep, then "Error" owned by OwnerWindow.
  static void ShowError(const std::string& Text);
  // A profile text as a counted text; an absent one (failed Load) is empty.
  static std::string TextOf(const char* ProfileText) { return ProfileText ? ProfileText : ""; }

  // Opening a file at a line (ide_open.cpp).
  std::string BuildOpenText(const std::string& Macro, const char* FileName) const;
  std::string BuildGotoText(const std::string& Macro, std::int32_t Line) const;
  static std::string ShortFileName(const char* Path);
  // Starts a program and waits up to 4000 ms until it is ready for input.
  static bool StartEditor(const std::string& CommandLine);
  static std::string LaunchErrorText(std::uint16_t Code);

  // The editor profile.
  char* Desc = nullptr;
  char* AppClass = nullptr;
  char* AppText = nullptr;
  char* EditClass = nullptr;
  std::string OpenMacro;
  std::string GotoMacro;
  bool OpenWithLFN = false;
  std::string KeyPrefix;

 protected:
  // Reads KeyPrefix + Name from section "Editors" (at most 1023 characters).
  std::string ReadKey(const char* Name, const char* Default) const;
  // A profile text: the driver's own copy of at most 255 characters of Value,
  // valid until the driver is destroyed.
  char* NewProfileText(const std::string& Value);
  // Reads the generic profile; false when the settings file is missing.
  bool LoadProfile();

 private:
  void SaveProfile();
  std::vector<std::unique_ptr<char[]>> texts_;  // every profile text ever made
};

// Whether an OpenWithLFN text counts as true: "0x"/"0X" is read as "$", then
// the text converts to a non-zero integer.
bool ProfileFlag(std::string text);

}  // namespace qrvl
