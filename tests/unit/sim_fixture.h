// A fresh simulated world and a freshly loaded library for every test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "drivers/ide.h"
#include "frame/globals.h"
#include "include/qrvide32.h"
#include "platform/sim/sim.h"

class SimTest : public ::testing::Test {
 protected:
  static constexpr const char* kDll = "C:\\TOOLS\\QRVIDE32.DLL";
  static constexpr const char* kIni = "C:\\TOOLS\\EDITORS.INI";

  void SetUp() override {
    sim::Reset();
    sim::ui().module_file_name = kDll;
    qrvl::OnLoad(nullptr);
  }

  // A driver through the export, as the host gets it.
  static qrvl::TIDE* Create(int kind, plat::Hwnd owner = nullptr) {
    return static_cast<qrvl::TIDE*>(reinterpret_cast<qrvl::TBaseIDE*>(QRVL_CreateIDE(kind, owner)));
  }
  static void Destroy(qrvl::TIDE* d) {
    QRVL_DestroyIDE(reinterpret_cast<QRVL_IDE*>(static_cast<qrvl::TBaseIDE*>(d)));
  }
  static void Ini(const std::string& body) { sim::WriteFile(kIni, body); }
};
