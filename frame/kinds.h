// The table of editor kinds: driver class and key prefix of each kind.
#pragma once

#include <cstdint>

namespace qrvl {

class TIDE;

enum class DriverClass {
  kTIDE,
  kTHEditIDE,
  kTMDIIDE,
  kTDelphi1IDE,
  kTDelphi2IDE,
  kTEnumIDE,
  kTBC5IDE
};

struct EditorKind {
  DriverClass driver_class;
  const char* class_name;  // the driver class's name, for people
  const char* key_prefix;
  const char* editor;  // the editor that the prefix names
};

constexpr int kEditorKindCount = 18;
extern const EditorKind kEditorKinds[kEditorKindCount];

// A new driver object of the class (frame/kinds.cpp), all fields empty.
TIDE* NewDriver(DriverClass c);

}  // namespace qrvl
