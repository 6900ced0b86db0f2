#include <gtest/gtest.h>

#include "base/colors.h"

namespace ql {
namespace {

TEST(Colors, ParseColorText) {
  struct Case {
    const char* text;
    TColor value;
  } cases[] = {
      {"", kNoColor},
      {"0x0000FF", 0x0000FF},
      {"0XffFFff", 0xFFFFFF},
      {"0xFFFFFF", 0xFFFFFF},
      {"0x1000000", kNoColor},  // beyond 24 bits
      {"0x", kNoColor},
      {"0xZZ", kNoColor},
      {"0x12zz", 0x12},          // digits up to the first other character
      {"255", 255},
      {"16777215", 0xFFFFFF},
      {"16777216", kNoColor},
      {"99999999999999999999", kNoColor},
      {"0", 0},
      {"0123", 0},               // "0" not followed by x gives 0
      {"012x", 0},
      {"12abc", 12},
      {"red", 0x0000FF},
      {"RED", 0x0000FF},
      {"MoneyGreen", 0xC0DCC0},
      {"btnFace", 0xC8D0D4},
      {"skyblue", 0xF0CAA6},
      {"redd", kNoColor},
      {"-5", kNoColor},
      {" red", kNoColor},
      {"redredredredredredred", kNoColor},  // 21 characters
      {"\xEA\xF0\xE0\xF1\xED\xFB\xE9", kNoColor},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseColor(c.text), c.value) << c.text;
  }
}

TEST(Colors, EveryNameIsFoundAndDistinct) {
  for (const TNamedColor& n : TColors::kNames) {
    EXPECT_EQ(TColors::Find(n.name), n.value) << n.name;
    EXPECT_LT(n.value, 0x1000000);
  }
  EXPECT_EQ(TColors::kCount, 23);
}

TEST(SizeLadder, PositionsAndClampedSteps) {
  const int sizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28};
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(SizeLadderPos(sizes[i]), i);
    EXPECT_EQ(SizeLadderAt(i), sizes[i]);
  }
  for (int off : {0, 7, 13, 15, 30, -1}) EXPECT_EQ(SizeLadderPos(off), -1) << off;
  EXPECT_EQ(SizeLadderAt(-9), 8);
  EXPECT_EQ(SizeLadderAt(99), 28);
}

}  // namespace
}  // namespace ql
