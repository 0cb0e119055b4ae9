#include "frame/kinds.h"

#include "drivers/bc5_ide.h"
#include "drivers/delphi2_ide.h"
#include "drivers/generic_ides.h"
#include "drivers/hedit_ide.h"
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
    case DriverClass::kTDelphi2IDE:
      return new TDelphi2IDE();
    case DriverClass::kTBC5IDE:
      return new TBC5IDE();
    case DriverClass::kTHEditIDE:
      return new THEditIDE();
  }
  return nullptr;
}

}  // namespace qrvl
