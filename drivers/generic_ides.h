// Generic drivers that differ from TIDE only in the IDE type code they report.
#pragma once

#include "drivers/ide.h"

namespace qrvl {

class TMDIIDE : public TIDE {
 public:
  std::uint8_t QRVL_STDCALL GetIDEType() override { return 1; }
};

class TEnumIDE : public TIDE {
 public:
  std::uint8_t QRVL_STDCALL GetIDEType() override { return 3; }
};

class TDelphi1IDE : public TIDE {
 public:
  std::uint8_t QRVL_STDCALL GetIDEType() override { return 2; }
};

}  // namespace qrvl
