// D2DFMtoText on simulated files: names, answers, and what is left on disk.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "include/qrvide32.h"
#include "platform/sim/sim.h"
#include "tests/unit/forms_bytes.h"

using namespace forms_test;

namespace {

constexpr const char* kIn = "C:\\FORMS\\MAIN.DFM";
constexpr const char* kOut = "C:\\FORMS\\MAIN.TXT";

std::string Short(const std::string& text) {
  return std::string(1, static_cast<char>(text.size())) + text;
}

int Export(const std::string& in, const std::string& out) {
  const std::string a = Short(in), b = Short(out);
  return D2DFMtoText(reinterpret_cast<const unsigned char*>(a.data()),
                     reinterpret_cast<const unsigned char*>(b.data()));
}

const std::string kForm =
    OneProperty(Bytes().U8(vaExtended).U64(0xC000000000000000ull).U16(0x3FFF).b);
const std::string kText = "object Form1: TForm1\r\n  P = 1.5\r\nend\r\n";

class FormExport : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }
  void TearDown() override { EXPECT_EQ(sim::files().open_count, 0); }
};

}  // namespace

TEST_F(FormExport, ConvertsAndOverwritesAnEarlierOutput) {
  sim::WriteFile(kIn, kForm);
  sim::WriteFile(kOut, std::string(500, 'x'));
  EXPECT_EQ(Export(kIn, kOut), 1);
  EXPECT_EQ(sim::ReadFile(kOut), kText);
  EXPECT_EQ(Export(kIn, kOut), 1);
  EXPECT_EQ(sim::ReadFile(kOut), kText);
}

TEST_F(FormExport, EmptyNamesTouchNothing) {
  sim::WriteFile(kIn, kForm);
  EXPECT_EQ(Export("", kOut), 0);
  EXPECT_EQ(Export(kIn, ""), 0);
  EXPECT_EQ(sim::files().files.size(), 1u);
}

TEST_F(FormExport, MissingInputCreatesNoOutput) {
  EXPECT_EQ(Export(kIn, kOut), 0);
  EXPECT_FALSE(sim::HasFile(kOut));
  sim::WriteFile(kIn, kForm);
  sim::files().refuse_open.insert(kIn);  // locked by another program
  EXPECT_EQ(Export(kIn, kOut), 0);
  EXPECT_FALSE(sim::HasFile(kOut));
}

TEST_F(FormExport, OutputThatCannotBeCreatedFails) {
  sim::WriteFile(kIn, kForm);
  sim::files().directories.insert(kOut);
  EXPECT_EQ(Export(kIn, kOut), 0);  // and the input is closed again (TearDown)
}

TEST_F(FormExport, FailedWritesFail) {
  sim::WriteFile(kIn, kForm);
  sim::WriteFile(kOut, "");
  sim::files().refuse_write.insert(kOut);
  EXPECT_EQ(Export(kIn, kOut), 0);
}

TEST_F(FormExport, BadInputLeavesTheTextWrittenSoFar) {
  sim::WriteFile(kIn, "object Form1: TForm1\r\nend\r\n");  // a text form
  sim::WriteFile(kOut, "old");
  EXPECT_EQ(Export(kIn, kOut), 0);
  EXPECT_TRUE(sim::HasFile(kOut));
  EXPECT_EQ(sim::ReadFile(kOut), "");

  // A form cut short in its second property keeps the first.
  const std::string form =
      Bytes().Header().Object("TForm1", "Form1").Prop("A").U8(vaTrue).Prop("B").U8(vaInt32).b;
  sim::WriteFile(kIn, form);
  EXPECT_EQ(Export(kIn, kOut), 0);
  EXPECT_EQ(sim::ReadFile(kOut), "object Form1: TForm1\r\n  A = True\r\n  B = ");
}

TEST_F(FormExport, NamesOfAll255CharactersWork) {
  const std::string in = "C:\\" + std::string(248, 'i') + ".DFM";
  const std::string out = "C:\\" + std::string(248, 'o') + ".TXT";
  ASSERT_EQ(in.size(), 255u);
  sim::WriteFile(in, kForm);
  EXPECT_EQ(Export(in, out), 1);
  EXPECT_EQ(sim::ReadFile(out), kText);
}

TEST_F(FormExport, FloatsIgnoreTheLocaleAndLeaveItAsItWas) {
  // A global C++ locale whose decimal separator is a comma.
  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  const std::locale before = std::locale::global(std::locale(std::locale::classic(), new Comma));
  const std::string c_before = std::setlocale(LC_ALL, nullptr);
  sim::WriteFile(kIn, kForm);
  EXPECT_EQ(Export(kIn, kOut), 1);
  EXPECT_EQ(sim::ReadFile(kOut), kText);
  EXPECT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), c_before);
  std::locale::global(before);
}
