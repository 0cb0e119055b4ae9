// The platform's text-to-integer conversion, shared by profiles and macros.
#include <gtest/gtest.h>

#include "frame/text.h"

TEST(StrToInt, AcceptsOnlyWholeNumbers) {
  const struct {
    const char* text;
    bool converts;
    std::int32_t value;
  } cases[] = {
      {"0", true, 0},
      {"  42", true, 42},
      {"+7", true, 7},
      {"-1", true, -1},
      {"$ff", true, 255},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"", false, 0},
      {" ", false, 0},
      {"3 ", false, 0},
      {"1 2", false, 0},
      {"x", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"-$1", false, 0},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"$1FFFFFFFF", false, 0},
      {"\t5", false, 0},
  };
  for (const auto& c : cases) {
    const auto v = qrvl::StrToInt(c.text);
    EXPECT_EQ(v.has_value(), c.converts) << "'" << c.text << "'";
    if (v && c.converts) {
      EXPECT_EQ(*v, c.value) << c.text;
    }
  }
}
