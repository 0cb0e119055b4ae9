/* The Windows build of qrvl against the real DLL: kinds, reg, dfm2txt, and open,
 * which brings a target window of the profile's class to the front and has the
 * driver type into it. */
#include "host_util.h"

static char dir[MAX_PATH];
static HWND target, target_edit;

/* Runs "qrvl.exe ARGS" in the staged directory, pumping this thread's messages
 * while it runs; answers its exit code and leaves its output in out. */
static DWORD run_qrvl(const char* args, char* out, int size) {
  char command[1024], output[MAX_PATH];
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  DWORD code = 999;
  HANDLE file;
  char* text;
  snprintf(command, sizeof command, "\"%sqrvl.exe\" %s", dir, args);
  snprintf(output, sizeof output, "%sout.txt", dir);
  file = CreateFileA(output, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, NULL);
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = file;
  if (!CreateProcessA(NULL, command, NULL, NULL, TRUE, 0, NULL, dir, &startup, &process)) {
    CloseHandle(file);
    return code;
  }
  for (;;) {
    MSG msg;
    DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20000, QS_ALLINPUT);
    if (wait != WAIT_OBJECT_0 + 1) break;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(file);
  text = qrvl_read_file(output, NULL);
  lstrcpynA(out, text ? text : "", size);
  free(text);
  return code;
}

static int stage(void) {
  char src[MAX_PATH], dst[MAX_PATH];
  static const char* files[] = {"QRVIDE32.DLL", "qrvl.exe"};
  int i;
  qrvl_host_dir(src);
  snprintf(dir, sizeof dir, "%sqrvl_tool\\", src);
  CreateDirectoryA(dir, NULL);
  for (i = 0; i < 2; i++) {
    char from[MAX_PATH];
    snprintf(from, sizeof from, "%s%s", src, files[i]);
    snprintf(dst, sizeof dst, "%s%s", dir, files[i]);
    if (!CopyFileA(from, dst, FALSE)) return 0;
  }
  snprintf(dst, sizeof dst, "%sEDITORS.INI", dir);
  return qrvl_write_file(
      dst,
      "[Editors]\r\nCustom_Desc=Target editor\r\nCustom_AppClass=QrvlToolTarget\r\n"
      "Custom_AppText=qrvl target\r\nCustom_OpenWithLFN=1\r\n"
      "Custom_Open=#FILENAME#\r\nCustom_Goto=~L#LINENUM#\r\n",
      -1);
}

int main(void) {
  char out[4096], text[512];
  HWND decoy;
  if (!stage()) {
    printf("FAIL: could not stage qrvl.exe with the DLL\n");
    return qrvl_summary() | 1;
  }

  CHECK_INT(run_qrvl("kinds", out, sizeof out), 0);
  CHECK(strstr(out, "Custom_") && strstr(out, "Target editor"));
  CHECK(strstr(out, "MSVC_5X_") && strstr(out, "TEnumIDE"));
  CHECK(strstr(out, "HEdit_") && strstr(out, "THEditIDE"));

  CHECK_INT(run_qrvl("reg add HKCU Software\\QrvlToolTest name value", out, sizeof out), 0);
  CHECK_INT(run_qrvl("reg get HKCU Software\\QrvlToolTest name", out, sizeof out), 0);
  CHECK(strncmp(out, "value", 5) == 0);
  CHECK_INT(run_qrvl("reg delete HKCU Software\\QrvlToolTest \"\"", out, sizeof out), 0);
  CHECK_INT(run_qrvl("reg exists HKCU Software\\QrvlToolTest", out, sizeof out), 0);
  CHECK(strncmp(out, "missing", 7) == 0);
  CHECK_INT(run_qrvl("reg frob HKCU x", out, sizeof out), 2);

  CHECK_INT(run_qrvl("dfm2txt missing.dfm out.txt", out, sizeof out), 1);
  CHECK(strstr(out, "qrvl dfm2txt: missing.dfm:") != NULL);

  /* open: the target is behind another window; qrvl brings it forward and the
   * driver types the Open and Goto macros into it. */
  target = qrvl_edit_window("QrvlToolTarget", "qrvl target", ES_MULTILINE, &target_edit);
  decoy = qrvl_host_window("decoy");
  ShowWindow(decoy, SW_SHOW);
  SetForegroundWindow(decoy);
  CHECK_INT(run_qrvl("open --kind 0 C:\\src\\hit.txt 42", out, sizeof out), 0);
  CHECK(GetForegroundWindow() == target);
  GetWindowTextA(target_edit, text, sizeof text);
  /* The quotes around the name switch quote mode; they are not typed. */
  CHECK_STR(text, "C:\\src\\hit.txt\r\nL42");
  CHECK_INT(run_qrvl("open --kind 99 x 1", out, sizeof out), 2);
  return qrvl_summary();
}
