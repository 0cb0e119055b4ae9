// The table of editor kinds. Plain data: the companion tool links it as well.
#include "frame/kinds.h"

namespace qrvl {

const EditorKind kEditorKinds[kEditorKindCount] = {
    {DriverClass::kTIDE, "TIDE", "Custom_", "a user-defined editor"},
    {DriverClass::kTHEditIDE, "THEditIDE", "HEdit_", "Hurricane Editor"},
    {DriverClass::kTMDIIDE, "TMDIIDE", "BorCPP_4X_", "Borland C++ 4.x"},
    {DriverClass::kTIDE, "TIDE", "MSVC_1X_", "Microsoft Visual C++ 1.x"},
    {DriverClass::kTDelphi1IDE, "TDelphi1IDE", "Delphi_1X_", "Delphi 1.x"},
    {DriverClass::kTDelphi2IDE, "TDelphi2IDE", "Delphi_2X_", "Delphi 2.x"},
    {DriverClass::kTIDE, "TIDE", "Codewright_3X_", "Codewright 3.x"},
    {DriverClass::kTIDE, "TIDE", "Codewright_4X_", "Codewright 4.x"},
    {DriverClass::kTMDIIDE, "TMDIIDE", "MultiEdit_7X_", "Multi-Edit 7.x"},
    {DriverClass::kTEnumIDE, "TEnumIDE", "MSVC_4X_", "Microsoft Visual C++ 4.x"},
    {DriverClass::kTBC5IDE, "TBC5IDE", "BorCPP_5X_", "Borland C++ 5.x"},
    {DriverClass::kTMDIIDE, "TMDIIDE", "BorCPP_4XG_", "Borland C++ 4.x, a second profile"},
    {DriverClass::kTDelphi1IDE, "TDelphi1IDE", "Delphi_1XG_", "Delphi 1.x, a second profile"},
    {DriverClass::kTIDE, "TIDE", "VSlickEdit_1X_", "Visual SlickEdit 1.x"},
    {DriverClass::kTDelphi2IDE, "TDelphi2IDE", "Delphi_3X_", "Delphi 3.x"},
    {DriverClass::kTDelphi2IDE, "TDelphi2IDE", "CBuilder_1X_", "C++Builder 1.x"},
    {DriverClass::kTEnumIDE, "TEnumIDE", "MSJPP_1X_", "Microsoft Visual J++ 1.x"},
    {DriverClass::kTEnumIDE, "TEnumIDE", "MSVC_5X_", "Microsoft Visual C++ 5.x"},
};

}  // namespace qrvl
