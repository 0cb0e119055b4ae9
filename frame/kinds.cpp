#include "frame/kinds.h"

#include "drivers/generic_ides.h"
#include "drivers/ide.h"

namespace qrvl {

TIDE* NewDriver(DriverClass c) {
  switch (c) {
    case DriverClass::kTIDE:
      return new TIDE();
    case DriverClass::kTMDIIDE:
      return new TMDIIDE();
    case DriverClass::kTDelphi1IDE:
      return new TDelphi1IDE();
    case DriverClass::kTEnumIDE:
      return new TEnumIDE();
    default:
      return nullptr;  // add-in and Hurricane drivers are not built yet
  }
}

}  // namespace qrvl
