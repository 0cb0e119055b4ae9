// Drivers created, reloaded and destroyed many times give back all their memory.
#include <malloc.h>

#include "sim_fixture.h"

class LeakTest : public SimTest {};

TEST_F(LeakTest, TenThousandDriversWithReloadsLeaveTheHeapWhereItWas) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer replaces the heap; its leak check covers this build";
#endif
  QRVL_Init();
  Ini("[Editors]\r\nCustom_Desc=" + std::string(300, 'd') +
      "\r\nCustom_Open=" + std::string(900, 'o') + "\r\nMSVC_5X_AppClass=Afx\r\n");
  auto cycle = [] {
    for (int kind : {0, 17}) {
      QRVL_IDE* ide = QRVL_CreateIDE(kind, nullptr);
      ide->vtbl->Load(ide);
      ide->vtbl->Load(ide);  // replaced texts are kept until the driver goes
      QRVL_DestroyIDE(ide);
    }
  };
  cycle();  // warm up: first-use allocations of the sim and the library
  sim::ui().boxes.clear();
  const auto before = mallinfo2().uordblks;
  for (int i = 0; i < 5000; ++i) cycle();
  const auto after = mallinfo2().uordblks;
  EXPECT_LE(after, before + 4096) << "heap grew by " << (after - before) << " bytes";
}
