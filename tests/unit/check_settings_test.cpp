// The settings checker: each problem of a broken profile at its line and
// column, nothing for a clean one, and the library's reading rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/qrvl/settings_check.h"

namespace {

using qrvl_tool::CheckSettings;
using qrvl_tool::Problem;

struct Expected {
  int line, column;
  const char* says;  // a part of the message
};

void ExpectProblems(const std::string& ini, const std::vector<Expected>& expected) {
  const std::vector<Problem> got = CheckSettings(ini);
  ASSERT_EQ(got.size(), expected.size()) << ini;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].line, expected[i].line) << ini << "\n" << got[i].message;
    EXPECT_EQ(got[i].column, expected[i].column) << ini << "\n" << got[i].message;
    EXPECT_NE(got[i].message.find(expected[i].says), std::string::npos) << ini << "\n"
                                                                        << got[i].message;
  }
}

const char* const kClean =
    "; Windows Notepad\r\n"
    "[Editors]\r\n"
    "Custom_Desc=Windows Notepad\r\n"
    "Custom_AppClass=Notepad\r\n"
    "Custom_OpenWithLFN=1\r\n"
    "Custom_Open=^o#FILENAME#{ENTER}\r\n"
    "Custom_Goto=^g#LINENUM#{ENTER}\r\n"
    "\r\n"
    "HEdit_AppClass=HEditMain\r\n"
    "Delphi_2X_Util_AppClass=TQrvlUtil\r\n"
    "Delphi_2X_RegKey=Software\\Borland\\Delphi\\2.0\\Experts\r\n"
    "Delphi_2X_Open=\r\n"
    "[Other]\r\n"
    "Anything=at all\r\n";

TEST(CheckSettings, CleanProfileReportsNothing) {
  EXPECT_TRUE(CheckSettings(kClean).empty());
}

TEST(CheckSettings, ProblemsAtTheirLinesAndColumns) {
  const std::string desc300(300, 'd');
  const std::string open1100 = "#FILENAME#" + std::string(1090, 'a');
  const struct {
    std::string body;  // after a first line "[Editors]"
    std::vector<Expected> expected;
  } cases[] = {
      {"Custom_Open=^o{ENTR}#FILENAME#", {{2, 16, "unknown key name 'ENTR'"}}},
      {"  custom_open =  ^o#FILENAME#{ENTER", {{2, 30, "no closing '}'"}}},
      {"Custom_Open = \"^o{ENTR}#FILENAME#\" ",
       {{2, 15, "double quotes are stripped"}, {2, 19, "'ENTR'"}}},
      {"Custom_Goto=^g{LEFT x}#LINENUM#", {{2, 21, "'X' is not a whole number"}}},
      {"Custom_Goto=^g{ENTER}", {{2, 13, "no #LINENUM#"}}},
      {"Custom_Open=^o{ENTER}", {{2, 13, "no #FILENAME#"}}},
      {"Custom_Open=#FILENAME##FILENAME#", {{2, 23, "only the first"}}},
      {"Custom_Open=#FILENAME#\t\xE9x", {{2, 24, "0xE9"}}},
      {"Custom_Open=+(#FILENAME#", {{2, 14, "never closed"}}},
      {"Custom_OpenWithLFN=yes", {{2, 20, "not a number"}}},
      {"Custom_OpenWithLFN= 0x", {{2, 21, "not a number"}}},
      {"MSVC_4X_RegKey=Software", {{2, 1, "kind 9 (MSVC_4X_) reads no such item"}}},
      {"Foo_Desc=x", {{2, 1, "unknown key 'Foo_Desc'"}}},
      {"Custom_Open ^o#FILENAME#", {{2, 1, "without '='"}}},
      {"Custom_Desc=a\n  custom_desc=b", {{3, 3, "only the first, on line 2"}}},
      {"Custom_Desc=" + desc300, {{2, 13 + 255, "first 255 characters"}}},
      {"Custom_Open=" + open1100,
       {{2, 13 + 265, "only 255 characters after the marker"}, {2, 13 + 1023, "longer than 1023"}}},
      {"Delphi_2X_Util_AppClass=U\nDelphi_2X_RegKey=K\nDelphi_2X_Goto=^g#LINENUM#",
       {{4, 16, "types no macros"}}},
      {"HEdit_Desc=Hurricane", {{2, 1, "HEdit_AppClass is missing"}}},
      {"Delphi_3X_Desc=D\nDelphi_3X_Util_AppClass=\nDelphi_3X_RegKey=K",
       {{3, 25, "Delphi_3X_Util_AppClass is empty"}}},
      {"BorCPP_5X_Util_AppClass=U", {{2, 1, "BorCPP_5X_RegKey is missing"}}},
  };
  for (const auto& c : cases) ExpectProblems("[Editors]\n" + c.body, c.expected);
}

TEST(CheckSettings, OnlySectionEditorsIsRead) {
  ExpectProblems("Foo=1\n[Other]\nCustom_Open=x\n", {{1, 1, "no section [Editors]"}});
  ExpectProblems("[ editors ]\n; Custom_Foo=1\nCustom_Desc=x\n[Other]\nFoo=1\n", {});
  // A second section of the same name reads on; its keys count as well.
  ExpectProblems("[Editors]\nCustom_Desc=a\n[Other]\n[EDITORS]\nCustom_Desc=b\nFoo=1\n",
                 {{5, 1, "duplicate"}, {6, 1, "unknown key 'Foo'"}});
}

TEST(CheckSettings, OpenWithLfnFollowsTheDriversNumberRule) {
  for (const char* number : {"1", "2", "-1", "0x10", "0X1f", "$A", "0", "0x0", "", " 7"})
    EXPECT_TRUE(CheckSettings(std::string("[Editors]\nCustom_OpenWithLFN=") + number).empty())
        << number;
  for (const char* text : {"yes", "true", "1a", "-$A", "2147483648", "0x", "1 "})
    EXPECT_EQ(CheckSettings(std::string("[Editors]\nCustom_OpenWithLFN=\"") + text + "\"").size(),
              1u)
        << text;
}

}  // namespace
