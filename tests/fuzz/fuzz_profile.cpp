// Any bytes as EDITORS.INI: every driver's Load ends, its profile texts hold at
// most 255 characters and its macros at most 1023, and destroying it frees all.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "drivers/ide.h"
#include "frame/globals.h"
#include "include/qrvide32.h"
#include "platform/sim/sim.h"

static void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

static void CheckText(const char* text) {
  Require(text != nullptr, "a profile text is absent after a successful Load");
  Require(std::strlen(text) <= 255, "a profile text holds more than 255 characters");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sim::Reset();
  sim::ui().module_file_name = "C:\\Q\\QRVIDE32.DLL";
  qrvl::OnLoad(nullptr);
  QRVL_Init();
  sim::WriteFile("C:\\Q\\EDITORS.INI", std::string(reinterpret_cast<const char*>(data), size));
  const int kind = size ? data[0] % 18 : 0;
  QRVL_IDE* ide = QRVL_CreateIDE(kind, nullptr);
  if (!ide) return 0;  // a driver class this build lacks
  auto* driver = static_cast<qrvl::TIDE*>(reinterpret_cast<qrvl::TBaseIDE*>(ide));
  for (int round = 0; round < 2; ++round) {  // a second Load replaces every text
    CheckText(driver->GetDescription());
    CheckText(driver->GetAppClass());
    CheckText(driver->GetAppText());
    CheckText(driver->GetEditClass());
    Require(driver->OpenMacro.size() <= 1023, "the Open macro holds more than 1023 characters");
    Require(driver->GotoMacro.size() <= 1023, "the Goto macro holds more than 1023 characters");
    Require(driver->Load(), "Load failed although the settings file exists");
  }
  Require(sim::ui().boxes.empty(), "Load showed a box although the settings file exists");
  Require(QRVL_DestroyIDE(ide) == 1, "the driver could not be released");
  return 0;
}
