// ExpandLongPath: every component after the head turned into its long name.
#include "drivers/bc5_ide.h"
#include "sim_fixture.h"

namespace {

class ExpandLongPathTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    sim::AddLongName("C:\\Program Files", "PROGRA~1");
    sim::AddLongName("C:\\Program Files\\Quarvel Search", "QUARVE~1");
    sim::AddLongName("C:\\Program Files\\Quarvel Search\\QRVLBC5.DLL");
    sim::AddLongName("C:\\Program Files\\Quarvel Search\\Long Library Name.dll", "LONGLI~1.DLL");
  }
};

TEST_F(ExpandLongPathTest, Cases) {
  const struct {
    const char* path;
    const char* expanded;
  } cases[] = {
      {"C:\\PROGRA~1\\QUARVE~1\\QRVLBC5.DLL", "C:\\Program Files\\Quarvel Search\\QRVLBC5.DLL"},
      {"C:\\progra~1\\Quarvel Search\\LONGLI~1.DLL",
       "C:\\Program Files\\Quarvel Search\\Long Library Name.dll"},
      // A missing file leaves its component empty: the directory and one backslash.
      {"C:\\PROGRA~1\\QUARVE~1\\MISSING.DLL", "C:\\Program Files\\Quarvel Search\\"},
      // A missing directory empties only its own component; later ones are not found either.
      {"C:\\NOPE\\QUARVE~1", "C:\\\\"},
      // A trailing backslash adds no empty component.
      {"C:\\PROGRA~1\\QUARVE~1\\", "C:\\Program Files\\Quarvel Search"},
      // No backslash: empty head, and the whole path is the one component.
      {"QRVLBC5.DLL", "\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(qrvl::ExpandLongPath(c.path), c.expanded) << c.path;
}

TEST_F(ExpandLongPathTest, SearchesPrefixesOfTheInputNotOfTheLongNames) {
  qrvl::ExpandLongPath("C:\\PROGRA~1\\QUARVE~1\\QRVLBC5.DLL");
  const std::vector<std::string> expected = {"C:\\PROGRA~1", "C:\\PROGRA~1\\QUARVE~1",
                                             "C:\\PROGRA~1\\QUARVE~1\\QRVLBC5.DLL"};
  EXPECT_EQ(sim::findfiles().searches, expected);
}

}  // namespace
