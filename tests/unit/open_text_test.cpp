// Filling the Open and Goto macros: markers, quotes, short names, the tail
// limit after a marker.
#include "sim_fixture.h"

namespace {

struct OpenCase {
  const char* macro;
  bool long_names;
  const char* file;
  const char* expected;
};

}  // namespace

class OpenTextTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    sim::processes().short_names["C:\\Long Folder\\Some File.txt"] = "C:\\LONGFO~1\\SOMEFI~1.TXT";
  }
  qrvl::TIDE ide;
};

TEST_F(OpenTextTest, FillsTheFirstFileNameMarker) {
  const OpenCase cases[] = {
      // Long names pass unchanged, between double quotes; the rest keeps its case.
      {"^o#FILENAME#{ENTER}", true, "C:\\Long Folder\\Some File.txt",
       "^o\"C:\\Long Folder\\Some File.txt\"{ENTER}"},
      {"^o#filename#{enter}", true, "a.txt", "^o\"a.txt\"{enter}"},
      {"x#FileName#y", true, "a.txt", "x\"a.txt\"y"},
      // Short form when long names are off; a file without one gives two quotes.
      {"^o#FILENAME#~", false, "C:\\Long Folder\\Some File.txt",
       "^o\"C:\\LONGFO~1\\SOMEFI~1.TXT\"~"},
      {"^o#FILENAME#~", false, "C:\\missing.txt", "^o\"\"~"},
      // Only the first marker is replaced.
      {"#FILENAME##FILENAME#", true, "a", "\"a\"#FILENAME#"},
      // No marker: nothing to send.
      {"^o{ENTER}", true, "a.txt", ""},
      {"", true, "a.txt", ""},
      {"#FILENAM#", true, "a.txt", ""},
  };
  for (const OpenCase& c : cases) {
    ide.OpenWithLFN = c.long_names;
    EXPECT_EQ(ide.BuildOpenText(c.macro, c.file), c.expected) << c.macro << " / " << c.file;
  }
}

TEST_F(OpenTextTest, FillsTheFirstLineNumberMarkerUnquoted) {
  const struct {
    const char* macro;
    std::int32_t line;
    const char* expected;
  } cases[] = {
      {"^g#LINENUM#{ENTER}", 1234, "^g1234{ENTER}"},
      {"^g#linenum#~", 7, "^g7~"},
      {"#LINENUM# #LINENUM#", 2147483647, "2147483647 #LINENUM#"},
      {"^g{ENTER}", 5, ""},
      {"", 5, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ide.BuildGotoText(c.macro, c.line), c.expected) << c.macro;
}

TEST_F(OpenTextTest, KeepsAtMost255CharactersAfterTheMarker) {
  const std::string tail(300, 't');
  EXPECT_EQ(ide.BuildGotoText("^g#LINENUM#" + tail, 3), "^g3" + tail.substr(0, 255));
  ide.OpenWithLFN = true;
  EXPECT_EQ(ide.BuildOpenText("#FILENAME#" + tail, "f"), "\"f\"" + tail.substr(0, 255));
}

TEST_F(OpenTextTest, MarkerBeyondThe255thCharacterIsStillFilled) {
  const std::string head(400, 'h');
  EXPECT_EQ(ide.BuildGotoText(head + "#LINENUM#!", 12), head + "12!");
  ide.OpenWithLFN = true;
  EXPECT_EQ(ide.BuildOpenText(head + "#FILENAME#!", "f"), head + "\"f\"!");
}

TEST_F(OpenTextTest, ShortFileNameAsksForRoomOf259) {
  EXPECT_EQ(qrvl::TIDE::ShortFileName("c:\\long folder\\some file.txt"),
            "C:\\LONGFO~1\\SOMEFI~1.TXT");
  EXPECT_EQ(qrvl::TIDE::ShortFileName("C:\\missing.txt"), "");

  // 258 characters fit with the zero; 259 do not, and then the name as given serves.
  const std::string fits(258, 'S'), too_long(259, 'S');
  sim::processes().short_names["fits"] = fits;
  sim::processes().short_names["too long"] = too_long;
  EXPECT_EQ(qrvl::TIDE::ShortFileName("fits"), fits);
  EXPECT_EQ(qrvl::TIDE::ShortFileName("too long"), "too long");
}

TEST_F(OpenTextTest, HandlesFileNamesOfAnyLengthAndContent) {
  const std::string huge(100000, 'x');
  const std::string odd = "\"{}+^%()~\x01\xff";
  ide.OpenWithLFN = true;
  EXPECT_EQ(ide.BuildOpenText("#FILENAME#", huge.c_str()), '"' + huge + '"');
  EXPECT_EQ(ide.BuildOpenText("<#FILENAME#>", odd.c_str()), "<\"" + odd + "\">");
  ide.OpenWithLFN = false;
  EXPECT_EQ(ide.BuildOpenText("#FILENAME#", huge.c_str()), "\"\"");
}

TEST(LaunchErrorText, AnswersTheRowOrOtherError) {
  const struct {
    std::uint16_t code;
    const char* text;
  } rows[] = {
      {0, "System was out of memory, executable file was corrupt, or relocations were invalid."},
      {2, "Path was not found to EXE."},
      {3, "Path was not found to EXE."},
      {5,
       "Attempt was made to dynamically link to a task, or there was a sharing or "
       "network-protection error."},
      {6, "Library required separate data segments for each task."},
      {8, "There was insufficient memory to start the application."},
      {10, "Windows version was incorrect."},
      {11,
       "Executable file was invalid. Either not a Windows application or error in the .EXE "
       "image."},
      {14, "Type of executable file was unknown."},
      {20, "DLL file was invalid. One of the DLLs required to run this application was corrupt."},
      {1, "Other error(1)"},
      {4, "Other error(4)"},
      {193, "Other error(193)"},
      {65535, "Other error(65535)"},
  };
  for (const auto& r : rows) EXPECT_EQ(qrvl::TIDE::LaunchErrorText(r.code), r.text) << r.code;
}
