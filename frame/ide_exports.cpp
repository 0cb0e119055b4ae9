// The editor-family exports: QRVL_Init, QRVL_IDECount, QRVL_CreateIDE, QRVL_DestroyIDE.
#include "drivers/ide.h"
#include "frame/globals.h"
#include "frame/host_error.h"
#include "frame/kinds.h"
#include "frame/text.h"

using namespace qrvl;

extern "C" {

QRVL_BOOL8 QRVL_STDCALL QRVL_Init(void) {
  return AtBoundary<QRVL_BOOL8>(1, [] {
    Globals& g = globals();
    g.OpenFileMessage = static_cast<std::uint16_t>(plat::RegisterWindowMessage("CM_QRVLOPENFILE"));
    g.RestoreMessage = static_cast<std::uint16_t>(plat::RegisterWindowMessage("CM_QRVLRESTORE"));
    g.SettingsFilePath = DirectoryPart(g.ModuleFileName) + "EDITORS.INI";
    return QRVL_BOOL8{1};
  });
}

int32_t QRVL_STDCALL QRVL_IDECount(void) {
  return kEditorKindCount;
}

QRVL_IDE* QRVL_STDCALL QRVL_CreateIDE(int32_t kind, QRVL_HWND owner) {
  // The owner comes first, whatever the kind: boxes shown while loading are its.
  globals().OwnerWindow = owner;
  const std::uint32_t index = static_cast<std::uint32_t>(kind) & 0x7F;
  if (index >= static_cast<std::uint32_t>(kEditorKindCount)) return nullptr;
  return AtBoundary<QRVL_IDE*>(nullptr, [&]() -> QRVL_IDE* {
    const EditorKind& row = kEditorKinds[index];
    TIDE* driver = nullptr;
    try {
      driver = NewDriver(row.driver_class);
      if (!driver) return nullptr;
      driver->KeyPrefix = row.key_prefix;
      driver->Load();  // a failed Load still yields the driver, with an empty profile
    } catch (...) {
      delete driver;
      return nullptr;
    }
    return reinterpret_cast<QRVL_IDE*>(static_cast<TBaseIDE*>(driver));
  });
}

QRVL_BOOL8 QRVL_STDCALL QRVL_DestroyIDE(QRVL_IDE* driver) {
  if (!driver) return 1;
  return AtBoundary<QRVL_BOOL8>(0, [&] {
    delete static_cast<TIDE*>(reinterpret_cast<TBaseIDE*>(driver));
    return QRVL_BOOL8{1};
  });
}

}  // extern "C"
