#include "frame/kinds.h"

#include "drivers/bc5_ide.h"
#include "drivers/delphi2_ide.h"
#include "drivers/generic_ides.h"
#include "drivers/hedit_ide.h"
#include "drivers/ide.h"

namespace qrvl {

const EditorKind kEditorKinds[kEditorKindCount] = {
    {DriverClass::kTIDE, "Custom_", "a user-defined editor"},
    {DriverClass::kTHEditIDE, "HEdit_", "Hurricane Editor"},
    {DriverClass::kTMDIIDE, "BorCPP_4X_", "Borland C++ 4.x"},
    {DriverClass::kTIDE, "MSVC_1X_", "Microsoft Visual C++ 1.x"},
    {DriverClass::kTDelphi1IDE, "Delphi_1X_", "Delphi 1.x"},
    {DriverClass::kTDelphi2IDE, "Delphi_2X_", "Delphi 2.x"},
    {DriverClass::kTIDE, "Codewright_3X_", "Codewright 3.x"},
    {DriverClass::kTIDE, "Codewright_4X_", "Codewright 4.x"},
    {DriverClass::kTMDIIDE, "MultiEdit_7X_", "Multi-Edit 7.x"},
    {DriverClass::kTEnumIDE, "MSVC_4X_", "Microsoft Visual C++ 4.x"},
    {DriverClass::kTBC5IDE, "BorCPP_5X_", "Borland C++ 5.x"},
    {DriverClass::kTMDIIDE, "BorCPP_4XG_", "Borland C++ 4.x, a second profile"},
    {DriverClass::kTDelphi1IDE, "Delphi_1XG_", "Delphi 1.x, a second profile"},
    {DriverClass::kTIDE, "VSlickEdit_1X_", "Visual SlickEdit 1.x"},
    {DriverClass::kTDelphi2IDE, "Delphi_3X_", "Delphi 3.x"},
    {DriverClass::kTDelphi2IDE, "CBuilder_1X_", "C++Builder 1.x"},
    {DriverClass::kTEnumIDE, "MSJPP_1X_", "Microsoft Visual J++ 1.x"},
    {DriverClass::kTEnumIDE, "MSVC_5X_", "Microsoft Visual C++ 5.x"},
};

const char* DriverClassName(DriverClass c) {
  switch (c) {
    case DriverClass::kTIDE:
      return "TIDE";
    case DriverClass::kTHEditIDE:
      return "THEditIDE";
    case DriverClass::kTMDIIDE:
      return "TMDIIDE";
    case DriverClass::kTDelphi1IDE:
      return "TDelphi1IDE";
    case DriverClass::kTDelphi2IDE:
      return "TDelphi2IDE";
    case DriverClass::kTEnumIDE:
      return "TEnumIDE";
    case DriverClass::kTBC5IDE:
      return "TBC5IDE";
  }
  return "";
}

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
