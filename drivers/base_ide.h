// TBaseIDE: the operations a host calls on a driver, in the slot order of its
// operation table (include/qrvide32.h, QRVL_IDEVtbl). Nothing may be declared
// virtual before slot 21; the only hidden member is the table pointer.
#pragma once

#include <cstdint>

#include "include/qrvide32.h"
#include "platform/platform.h"

namespace qrvl {

class TBaseIDE {
 public:
  // Operations without an implementation in a class answer 0 (false, null).
  virtual bool QRVL_STDCALL CanRestoreIDE() { return false; }          // 0
  virtual bool QRVL_STDCALL RestoreIDE(plat::Hwnd) { return false; }   // 1
  virtual bool QRVL_STDCALL ReservedA() { return false; }              // 2
  virtual std::int32_t QRVL_STDCALL ReservedB() { return 0; }          // 3
  virtual const char* QRVL_STDCALL GetAppClass() { return nullptr; }   // 4
  virtual const char* QRVL_STDCALL GetAppText() { return nullptr; }    // 5
  virtual const char* QRVL_STDCALL GetEditClass() { return nullptr; }  // 6
  virtual std::uint8_t QRVL_STDCALL GetIDEType() { return 0; }         // 7
  virtual bool QRVL_STDCALL CanInstall() { return false; }             // 8
  virtual bool QRVL_STDCALL IsInstalled() { return true; }             // 9
  virtual bool QRVL_STDCALL Install() { return false; }                // 10
  virtual bool QRVL_STDCALL Uninstall() { return false; }              // 11
  virtual std::int32_t QRVL_STDCALL ReservedC() { return 0; }          // 12
  virtual bool QRVL_STDCALL IsIDEReady() { return true; }              // 13
  virtual bool QRVL_STDCALL SyncIDE(const char*, std::int32_t, std::int32_t,
                                    std::int32_t) {  // 14
    return false;
  }
  virtual bool QRVL_STDCALL Load() { return true; }                      // 15
  virtual const char* QRVL_STDCALL GetDescription() { return nullptr; }  // 16
  virtual plat::Hbitmap QRVL_STDCALL GetBitmap() { return nullptr; }     // 17

 protected:
  TBaseIDE() = default;
  ~TBaseIDE() = default;  // drivers are destroyed through TIDE only
};

}  // namespace qrvl
