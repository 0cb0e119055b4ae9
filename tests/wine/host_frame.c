/* The library frame and the editor profile, through the real DLL under Wine. */
#include "host_util.h"

#define CALL(ide, op, ...) ((ide)->vtbl->op((ide), ##__VA_ARGS__))

static qrvl_dll dll;
static char ini[MAX_PATH];

static void read_key(const char* key, char* out, DWORD size) {
  GetPrivateProfileStringA("Editors", key, "<missing>", out, size, ini);
}

static void test_count_and_kinds(HWND owner) {
  static const struct {
    int kind;
    const char* desc;
    int type;
  } kinds[] = {{0, "custom", 0}, {9, "vc4", 3}, {128, "custom", 0},
               {145, "vc5", 3},  {2, "bc4", 1}, {4, "d1", 2}};
  size_t i;
  qrvl_write_file(ini,
                  "[Editors]\r\nCustom_Desc=custom\r\nMSVC_4X_Desc=vc4\r\nMSVC_5X_Desc=vc5\r\n"
                  "BorCPP_4X_Desc=bc4\r\nDelphi_1X_Desc=d1\r\n",
                  -1);
  CHECK_INT(dll.IDECount(), 18);
  CHECK_INT(dll.Init(), 1);
  CHECK_INT(dll.IDECount(), 18);
  for (i = 0; i < sizeof kinds / sizeof kinds[0]; i++) {
    QRVL_IDE* ide = dll.CreateIDE(kinds[i].kind, owner);
    CHECK(ide != NULL);
    if (!ide) continue;
    CHECK_INT(CALL(ide, GetIDEType), kinds[i].type);
    CHECK_STR(CALL(ide, GetDescription), kinds[i].desc);
    CHECK_INT(dll.DestroyIDE(ide), 1);
  }
  qrvl_catch_boxes();
  CHECK(dll.CreateIDE(18, owner) == NULL);
  CHECK_INT(qrvl_box_count, 0);
  CHECK_INT(dll.DestroyIDE(NULL), 1);
}

static void test_profile_reading(void) {
  char body[8192], d300[301], o1500[1501], buf[4096];
  static const struct {
    const char* value;
    const char* saved;
  } lfn[] = {{"1", "1"},   {"-1", "1"},  {"0x10", "1"},      {"0X1f", "1"},
             {"$A", "1"},  {"0", "0"},   {"0x0", "0"},       {"", "0"},
             {"yes", "0"}, {"-$A", "0"}, {"2147483648", "0"}};
  size_t i;
  QRVL_IDE* ide;
  memset(d300, 'd', 300);
  d300[300] = 0;
  memset(o1500, 'o', 1500);
  o1500[1500] = 0;
  snprintf(body, sizeof body,
           "[Editors]\r\nCustom_Desc=%s\r\nCustom_Open=%s\r\nCustom_AppClass=Notepad\r\n"
           "MSVC_1X_Desc=\r\n",
           d300, o1500);
  qrvl_write_file(ini, body, -1);
  ide = dll.CreateIDE(0, NULL);
  CHECK_INT((int)strlen(CALL(ide, GetDescription)), 255);
  CHECK_STR(CALL(ide, GetAppClass), "Notepad");
  CHECK_STR(CALL(ide, GetAppText), "");
  CALL(ide, Save);
  read_key("Custom_Open", buf, sizeof buf);
  CHECK_INT((int)strlen(buf), 1023);
  dll.DestroyIDE(ide);

  ide = dll.CreateIDE(3, NULL); /* present, empty */
  CHECK_STR(CALL(ide, GetDescription), "");
  dll.DestroyIDE(ide);
  ide = dll.CreateIDE(6, NULL); /* missing */
  CHECK_STR(CALL(ide, GetDescription), "Unknown Editor/IDE");
  dll.DestroyIDE(ide);

  for (i = 0; i < sizeof lfn / sizeof lfn[0]; i++) {
    snprintf(body, sizeof body, "[Editors]\r\nCustom_OpenWithLFN=%s\r\n", lfn[i].value);
    qrvl_write_file(ini, body, -1);
    ide = dll.CreateIDE(0, NULL);
    CALL(ide, Save);
    read_key("Custom_OpenWithLFN", buf, sizeof buf);
    CHECK_STR(buf, lfn[i].saved);
    dll.DestroyIDE(ide);
  }
}

static void test_save(void) {
  char buf[256];
  static const char* names[] = {"AppClass", "AppText", "EditClass", "Desc", "Open", "Goto"};
  size_t i;
  QRVL_IDE* ide;
  qrvl_write_file(ini, "[Editors]\r\nMSVC_4X_Desc=Visual C++\r\nMSVC_4X_OpenWithLFN=2\r\n", -1);
  ide = dll.CreateIDE(9, NULL);
  CALL(ide, Save);
  read_key("MSVC_4X_Desc", buf, sizeof buf);
  CHECK_STR(buf, "Visual C++");
  read_key("MSVC_4X_OpenWithLFN", buf, sizeof buf);
  CHECK_STR(buf, "1");
  read_key("MSVC_4X_AppClass", buf, sizeof buf);
  CHECK_STR(buf, "");

  /* A settings file held open without sharing refuses the write. */
  {
    HANDLE lock = CreateFileA(ini, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    char expected[MAX_PATH + 32];
    CHECK(lock != INVALID_HANDLE_VALUE);
    qrvl_catch_raised();
    CALL(ide, Save);
    CloseHandle(lock);
    snprintf(expected, sizeof expected, "Unable to write to %s", ini);
    CHECK_INT(qrvl_raised, 1);
    CHECK_STR(qrvl_raised_text, expected);
  }
  dll.DestroyIDE(ide);

  /* A driver whose Load failed writes all seven keys, creating the file. */
  DeleteFileA(ini);
  qrvl_catch_boxes();
  ide = dll.CreateIDE(3, NULL);
  CHECK_INT(qrvl_box_count, 1);
  CHECK(CALL(ide, GetDescription) == NULL);
  CALL(ide, Save);
  for (i = 0; i < sizeof names / sizeof names[0]; i++) {
    char key[64];
    snprintf(key, sizeof key, "MSVC_1X_%s", names[i]);
    read_key(key, buf, sizeof buf);
    CHECK_STR(buf, "");
  }
  read_key("MSVC_1X_OpenWithLFN", buf, sizeof buf);
  CHECK_STR(buf, "0");
  dll.DestroyIDE(ide);
}

static void test_bitmaps(void) {
  QRVL_IDE *custom, *vc5;
  HBITMAP a, b;
  BITMAP info;
  qrvl_write_file(ini, "[Editors]\r\n", -1);
  custom = dll.CreateIDE(0, NULL);
  vc5 = dll.CreateIDE(17, NULL);
  CHECK(CALL(custom, GetBitmap) == NULL);
  a = (HBITMAP)CALL(vc5, GetBitmap);
  b = (HBITMAP)CALL(vc5, GetBitmap);
  CHECK(a != NULL);
  CHECK(a != b);
  CHECK(GetObjectA(a, sizeof info, &info) == sizeof info);
  CHECK_INT(info.bmWidth, 16);
  CHECK_INT(info.bmHeight, 16);
  DeleteObject(a);
  DeleteObject(b);
  dll.DestroyIDE(custom);
  dll.DestroyIDE(vc5);
}

static void test_boxes(HWND first, HWND second) {
  char expected[MAX_PATH + 64];
  QRVL_IDE* ide;
  DeleteFileA(ini);
  qrvl_catch_boxes();
  ide = dll.CreateIDE(0, first);
  CHECK_INT(qrvl_box_count, 1);
  snprintf(expected, sizeof expected, "Could not find Editor/IDE initialization file : %s", ini);
  CHECK_STR(qrvl_boxes[0].text, expected);
  CHECK_STR(qrvl_boxes[0].caption, "Error");
  CHECK(qrvl_boxes[0].owner == first);
  /* A failed creation still hands the owner over to the next box. */
  CHECK(dll.CreateIDE(18, second) == NULL);
  CALL(ide, Load);
  CHECK_INT(qrvl_box_count, 2);
  CHECK(qrvl_boxes[1].owner == second);
  CHECK_INT(dll.DestroyIDE(ide), 1);
}

int main(void) {
  HWND first, second;
  if (!qrvl_stage(&dll, "frame")) {
    printf("FAIL: could not load QRVIDE32.DLL and resolve its ordinals\n");
    return qrvl_summary() | 1;
  }
  snprintf(ini, sizeof ini, "%sEDITORS.INI", dll.dir);
  first = qrvl_host_window("first owner");
  second = qrvl_host_window("second owner");

  /* Before QRVL_Init the settings path is empty: the box names nothing. */
  qrvl_catch_boxes();
  dll.DestroyIDE(dll.CreateIDE(0, first));
  CHECK_INT(qrvl_box_count, 1);
  CHECK_STR(qrvl_boxes[0].text, "Could not find Editor/IDE initialization file : ");

  test_count_and_kinds(first);
  test_profile_reading();
  test_save();
  test_bitmaps();
  test_boxes(first, second);
  return qrvl_summary();
}
