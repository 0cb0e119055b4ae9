/* D2DFMtoText through the real DLL under Wine: a corpus form, malformed and
 * hostile forms, the files left behind, and a comma locale. */
#include <locale.h>

#include "host_util.h"

static qrvl_dll dll;
static char in_path[MAX_PATH], out_path[MAX_PATH];

/* tests/forms/corpus/basic.txt as Free Pascal writes it in binary. */
static const char basic_dfm[] =
    "\xff\x0a\x00\x54\x46\x4f\x52\x4d\x31\x00\x30\x10\x12\x01\x00\x00"
    "\x54\x50\x46\x30\x06\x54\x46\x6f\x72\x6d\x31\x05\x46\x6f\x72\x6d"
    "\x31\x04\x4c\x65\x66\x74\x02\x08\x03\x54\x6f\x70\x03\xd4\xfe\x03"
    "\x42\x69\x67\x04\xa0\x86\x01\x00\x04\x48\x75\x67\x65\x13\xf2\x2f"
    "\xce\x73\x3a\x0b\x00\x00\x07\x43\x61\x70\x74\x69\x6f\x6e\x06\x08"
    "\x49\x74\x27\x73\x0d\x0a\x6f\x6b\x01\x46\x05\x00\x00\x00\x00\x00"
    "\x00\x00\xc0\xff\x3f\x01\x47\x05\x00\x00\x62\xac\xc5\xeb\x78\xad"
    "\x41\x40\x01\x48\x05\xcd\xcc\xcc\xcc\xcc\xcc\xcc\xcc\xfb\x3f\x01"
    "\x57\x12\x03\x00\x00\x00\x61\x00\xd2\x04\x62\x00\x07\x41\x6e\x63"
    "\x68\x6f\x72\x73\x0b\x06\x61\x6b\x4c\x65\x66\x74\x05\x61\x6b\x54"
    "\x6f\x70\x00\x07\x4f\x6e\x43\x6c\x69\x63\x6b\x07\x0c\x42\x75\x74"
    "\x74\x6f\x6e\x31\x43\x6c\x69\x63\x6b\x01\x42\x09\x01\x43\x08\x01"
    "\x4e\x0d\x01\x4c\x01\x06\x03\x6f\x6e\x65\x02\x02\x01\x02\x03\x02"
    "\x04\x00\x00\x01\x44\x0a\x03\x00\x00\x00\x0a\x0b\x0c\x05\x49\x74"
    "\x65\x6d\x73\x0e\x01\x07\x43\x61\x70\x74\x69\x6f\x6e\x06\x01\x78"
    "\x00\x01\x00\x00\x01\x45\x0e\x00\x00\x07\x54\x42\x75\x74\x74\x6f"
    "\x6e\x07\x42\x75\x74\x74\x6f\x6e\x31\x03\x54\x61\x67\x02\x01\x00"
    "\x00\xf1\x06\x54\x50\x61\x6e\x65\x6c\x05\x50\x61\x6e\x65\x6c\x00"
    "\x00\x00";
static const char basic_txt[] =
    "object Form1: TForm1\r\n"
    "  Left = 8\r\n"
    "  Top = -300\r\n"
    "  Big = 100000\r\n"
    "  Huge = 12345678901234\r\n"
    "  Caption = 'It''s'#13#10'ok'\r\n"
    "  F = 1.5\r\n"
    "  G = 1E+20\r\n"
    "  H = 0.1\r\n"
    "  W = 'a'#1234'b'\r\n"
    "  Anchors = [akLeft, akTop]\r\n"
    "  OnClick = Button1Click\r\n"
    "  B = True\r\n"
    "  C = False\r\n"
    "  N = nil\r\n"
    "  L = (\r\n"
    "    'one'\r\n"
    "    2\r\n"
    "    (\r\n"
    "      3\r\n"
    "      4))\r\n"
    "  D = {\r\n"
    "    0A0B0C}\r\n"
    "  Items = <\r\n"
    "    item\r\n"
    "      Caption = 'x'\r\n"
    "    end\r\n"
    "    item\r\n"
    "    end>\r\n"
    "  E = <>\r\n"
    "  object Button1: TButton\r\n"
    "    Tag = 1\r\n"
    "  end\r\n"
    "  inherited Panel: TPanel\r\n"
    "  end\r\n"
    "end\r\n";

static int convert(const char* in, const char* out) {
  return dll.D2DFMtoText(qrvl_ss(in), qrvl_ss(out));
}

static int exists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

/* The output file's text, or "<missing>". */
static char out_text[8192];
static const char* output(void) {
  int size = 0;
  char* data = qrvl_read_file(out_path, &size);
  if (!data) return "<missing>";
  lstrcpynA(out_text, data, sizeof out_text);
  free(data);
  return out_text;
}

/* A header, the root object Form1: TForm1 and then `rest`. */
static int write_form(const char* rest, int rest_size) {
  static const char head[] =
      "\xff\x0a\x00X\x00\x30\x10\x00\x00\x00\x00TPF0\x06TForm1\x05"
      "Form1";
  char form[8192];
  memcpy(form, head, sizeof head - 1);
  memcpy(form + sizeof head - 1, rest, rest_size);
  return qrvl_write_file(in_path, form, (int)(sizeof head - 1) + rest_size);
}

static void test_corpus_form(void) {
  CHECK(qrvl_write_file(in_path, basic_dfm, sizeof basic_dfm - 1));
  CHECK(qrvl_write_file(out_path, "an older and longer text that must go away", -1));
  CHECK_INT(convert(in_path, out_path), 1);
  CHECK_STR(output(), basic_txt);
  CHECK_INT(convert(in_path, out_path), 1);
  CHECK_STR(output(), basic_txt);
  /* Both files are closed again: the input can be deleted at once. */
  CHECK(DeleteFileA(in_path));
  CHECK(DeleteFileA(out_path));
}

static void test_names_and_missing_files(void) {
  char dir_out[MAX_PATH];
  HANDLE locked;
  DeleteFileA(out_path);
  CHECK(qrvl_write_file(in_path, basic_dfm, sizeof basic_dfm - 1));
  CHECK_INT(convert("", out_path), 0);
  CHECK_INT(convert(in_path, ""), 0);
  CHECK(!exists(out_path));

  DeleteFileA(in_path);
  CHECK_INT(convert(in_path, out_path), 0);
  CHECK(!exists(out_path));

  /* An input another program holds exclusively. */
  CHECK(qrvl_write_file(in_path, basic_dfm, sizeof basic_dfm - 1));
  locked = CreateFileA(in_path, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(locked != INVALID_HANDLE_VALUE);
  CHECK_INT(convert(in_path, out_path), 0);
  CHECK(!exists(out_path));
  CloseHandle(locked);

  /* An output that cannot be created; the input is closed again. */
  snprintf(dir_out, sizeof dir_out, "%sa_directory", dll.dir);
  CreateDirectoryA(dir_out, NULL);
  CHECK_INT(convert(in_path, dir_out), 0);
  CHECK(DeleteFileA(in_path));
}

static void test_bad_forms(void) {
  static const struct {
    const char* what;
    const char* rest;
    int size;
  } bad[] = {
      {"unknown value type", "\x01P\x16\x00\x00", 5},
      {"cut short", "\x01P\x04\x01\x02", 5},
      {"huge string length",
       "\x01P\x0c\xff\xff\xff\xff"
       "abc",
       10},
      {"huge binary length",
       "\x01P\x0a\xff\xff\xff\x7f"
       "abc",
       10},
      {"item that is no list", "\x01P\x0e\x09\x00\x00\x00", 7},
  };
  static const char prefix[] = "object Form1: TForm1\r\n  P =";
  size_t i;
  /* A text form: answer 0 and an empty output file. */
  CHECK(qrvl_write_file(in_path, "object Form1: TForm1\r\nend\r\n", -1));
  CHECK_INT(convert(in_path, out_path), 0);
  CHECK(exists(out_path));
  CHECK_STR(output(), "");

  for (i = 0; i < sizeof bad / sizeof bad[0]; i++) {
    printf("bad form: %s\n", bad[i].what);
    CHECK(write_form(bad[i].rest, bad[i].size));
    CHECK_INT(convert(in_path, out_path), 0);
    CHECK(strncmp(output(), prefix, strlen(prefix)) == 0);
  }

  /* A form cut anywhere answers 0 and keeps the text written so far. */
  for (i = 1; i < sizeof basic_dfm - 1; i += 7) {
    const char* text;
    CHECK(qrvl_write_file(in_path, basic_dfm, (int)i));
    CHECK_INT(convert(in_path, out_path), 0);
    text = output();
    CHECK(strncmp(basic_txt, text, strlen(text)) == 0);
  }
}

static void test_nesting_limit(void) {
  static char form[16384];
  int depth, n, i;
  for (depth = 1000; depth <= 1001; depth++) {
    n = 0;
    memcpy(form, "\xff\x0a\x00X\x00\x30\x10\x00\x00\x00\x00TPF0", 15);
    n = 15;
    for (i = 0; i < depth; i++) {
      memcpy(form + n, "\x01T\x01O\x00", 5);
      n += 5;
    }
    memset(form + n, 0, depth);
    n += depth;
    CHECK(qrvl_write_file(in_path, form, n));
    CHECK_INT(convert(in_path, out_path), depth == 1000);
  }
}

static void test_comma_locale(void) {
  char probe[32];
  const char* before;
  char saved[256];
  /* The host's C runtime (shared with the library) formats with a comma. */
  if (!setlocale(LC_ALL, "German_Germany.1252") && !setlocale(LC_ALL, "deu")) {
    printf("note: no German locale in this Wine prefix; comma check skipped\n");
    return;
  }
  snprintf(probe, sizeof probe, "%.1f", 1.5);
  CHECK_STR(probe, "1,5");
  before = setlocale(LC_ALL, NULL);
  lstrcpynA(saved, before, sizeof saved);
  CHECK(qrvl_write_file(in_path, basic_dfm, sizeof basic_dfm - 1));
  CHECK_INT(convert(in_path, out_path), 1);
  CHECK_STR(output(), basic_txt);
  CHECK_STR(setlocale(LC_ALL, NULL), saved);
  setlocale(LC_ALL, "C");
}

int main(void) {
  if (!qrvl_stage(&dll, "forms")) {
    CHECK(!"the DLL loads and has its exports");
    return qrvl_summary();
  }
  snprintf(in_path, sizeof in_path, "%sMAIN.DFM", dll.dir);
  snprintf(out_path, sizeof out_path, "%sMAIN.TXT", dll.dir);
  test_corpus_form();
  test_names_and_missing_files();
  test_bad_forms();
  test_nesting_limit();
  test_comma_locale();
  return qrvl_summary();
}
