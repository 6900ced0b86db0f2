#include "base/cp1251.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(Cp1251, EveryByteSurvivesUtf8AndUtf16) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
  EXPECT_EQ(Utf16ToCp1251(Cp1251ToUtf16(all)), all);
  EXPECT_TRUE(IsValidUtf8(Cp1251ToUtf8(all)));
}

TEST(Cp1251, KnownCharacters) {
  struct Case {
    const char* utf8;
    const char* cp1251;
  } cases[] = {
      {"Ветвеслов", "\xC2\xE5\xF2\xE2\xE5\xF1\xEB\xEE\xE2"},
      {"Ёё№", "\xA8\xB8\xB9"},
      {"•—€", "\x95\x97\x88"},
      {"\xC2\x98", "\x98"},        // U+0098 stands for the unassigned byte
      {"日本", "??"},              // outside 1251
      {"a\xFF" "b", "a?b"},        // malformed UTF-8
      {"\xE2\x82", "??"},          // cut-off sequence
      {"\xED\xA0\x80", "???"},     // encoded surrogate
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
  }
  EXPECT_EQ(Utf16ToCp1251(std::u16string(u"\0x", 2)), "?x");
  EXPECT_EQ(Utf16ToCp1251(u"\U0001F600"), "?");  // one character, one "?"
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));        // overlong
}

TEST(Cp1251, LowerCaseAndWordCharacters) {
  EXPECT_EQ(Lower1251(Utf8ToCp1251("ДОМ Ёлка ЇЖAZ")), Utf8ToCp1251("дом ёлка їжaz"));
  EXPECT_EQ(Upper1251('\xB8'), '\xA8');
  for (unsigned char c : std::string("aZ09_\xC0\xFF\xA8\xB8")) EXPECT_TRUE(IsWordChar1251(c)) << int(c);
  for (unsigned char c : std::string(" -.\t\x95\xB9\xAB\x01")) EXPECT_FALSE(IsWordChar1251(c)) << int(c);
  EXPECT_FALSE(IsWordChar1251(0));
}

TEST(Cp1251, LowerUtf8KeepsWhat1251CannotLower) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"ДОМ.TXT", "дом.txt"},
      {"ЁЖ Ї", "ёж ї"},
      {"ÄÖ", "ÄÖ"},            // outside 1251: unchanged, so "Ä" and "ä" stay different
      {"Ω\xFFZ", "Ω\xFFz"},   // a malformed byte is kept as it is
  };
  for (const auto& c : cases) EXPECT_EQ(LowerUtf8(c.in), c.out) << c.in;
}

TEST(Cp1251, Oem866) {
  std::string oem;
  EXPECT_TRUE(Cp1251ToCp866(Utf8ToCp1251("Привет, Ёж №1"), oem));
  EXPECT_EQ(oem, "\x8F\xE0\xA8\xA2\xA5\xE2, \xF0\xA6 \xFC" "1");
  EXPECT_EQ(Cp866ToCp1251(oem), Utf8ToCp1251("Привет, Ёж №1"));
  EXPECT_FALSE(Cp1251ToCp866("\x88", oem));  // the euro sign has no 866 byte
  EXPECT_EQ(oem, "?");
}

}  // namespace
}  // namespace ql
