// Starting an editor program with the library's own StartEditor, under Wine:
// this host links the library's objects, since StartEditor is not exported.
#include "drivers/ide.h"
#include "frame/globals.h"
#include "host_util.h"

namespace {

std::string HostDir() {
  char dir[MAX_PATH];
  qrvl_host_dir(dir);
  return dir;
}

void TestMissingProgramShowsTheLaunchError() {
  const std::string line = HostDir() + "no such dir\\missing.exe /x";
  qrvl_catch_boxes();
  CHECK_INT(qrvl::TIDE::StartEditor(line), 0);
  CHECK_INT(qrvl_box_count, 1);
  CHECK_STR(qrvl_boxes[0].caption, "Error");
  CHECK_STR(qrvl_boxes[0].text,
            ("Error Starting Editor: " + line + ".\rPath was not found to EXE.").c_str());
}

// A file that is not a program: Wine answers ERROR_BAD_EXE_FORMAT (193).
void TestInvalidProgramShowsItsErrorCode() {
  const std::string bad = HostDir() + "not a program.exe";
  qrvl_write_file(bad.c_str(), "this is text, not a program", -1);
  const std::string line = "\"" + bad + "\" arg";
  qrvl_catch_boxes();
  CHECK_INT(qrvl::TIDE::StartEditor(line), 0);
  CHECK_INT(qrvl_box_count, 1);
  CHECK_STR(qrvl_boxes[0].text, ("Error Starting Editor: " + line + ".\rOther error(193)").c_str());
}

void TestWindowedProgramIsReady() {
  qrvl_catch_boxes();
  CHECK_INT(qrvl::TIDE::StartEditor("\"" + HostDir() + "fixture_ready.exe\" extra args"), 1);
  CHECK_INT(qrvl_box_count, 0);
  HWND window = FindWindowA("QrvlReadyFixture", nullptr);
  CHECK(window != nullptr);
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

int main() {
  qrvl::OnLoad(GetModuleHandleA(nullptr));
  TestMissingProgramShowsTheLaunchError();
  TestInvalidProgramShowsItsErrorCode();
  TestWindowedProgramIsReady();
  return qrvl_summary();
}
