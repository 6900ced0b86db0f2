#include "styles/tokens.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

using ql::TTokensH;

// One digit per byte: the token class.
std::string Classes(TTokensH& t, const std::string& text) {
  std::vector<unsigned char> cl(text.size() + 1, 9);
  t.Classify(text.data(), cl.data(), text.size());
  EXPECT_EQ(cl[text.size()], 9) << "wrote past the end";
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) out += static_cast<char>('0' + cl[i]);
  return out;
}

struct Case {
  const char* text;
  const char* classes;
};

void RunCases(TTokensH& t, const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Classes(t, c.text), c.classes) << "text: " << c.text;
}

TEST(CharClassTest, TableOfClasses) {
  EXPECT_EQ(ql::kCharClass[0], 0);
  EXPECT_EQ(ql::kCharClass[' '], 0);
  EXPECT_EQ(ql::kCharClass['!'], 1);
  EXPECT_EQ(ql::kCharClass[127], 1);
  EXPECT_EQ(ql::kCharClass['5'], 2);
  EXPECT_EQ(ql::kCharClass['_'], 3);
  EXPECT_EQ(ql::kCharClass['z'], 3);
  EXPECT_EQ(ql::kCharClass[0x80], 3);
  EXPECT_EQ(ql::kCharClass[0xFF], 3);
}

TEST(TokensTest, NumbersInBothModes) {
  const std::vector<Case> cases = {
      {"1/2", "202"},          // division sign between numbers stays plain
      {"1.5e-3", "222222"},    // one literal
      {"1.x", "200"},          // the point does not continue: skipped; x an identifier
      {"1.5.3", "22222"},
      {"12ab", "2222"},
      {"1+2", "202"},
      {"1e+5 2E-7", "222202222"},
      {"1e-", "220"},          // the sign is the last character
      {"1e-x", "2200"},
      {"x1e-3", "00002"},      // not a number: an identifier, a minus, a number
      {"0x1F;", "22220"},
      {"7 8", "202"},
  };
  TTokensH c(false), p(true);
  RunCases(c, cases);
  RunCases(p, cases);
}

TEST(TokensTest, CLikeStringsCommentsAndAtWords) {
  TTokensH t(false);
  t.AddKeyword("if");
  t.AddKeyword("while");
  EXPECT_FALSE(t.AddKeyword("@end"));  // Styles.ini cannot add it; a copied set may hold one
  t.Keywords().Add("@end");
  RunCases(t, {
                  {"x = \"a\\\"b\" y", "000022222200"},
                  {"'c' '\\''", "22202222"},
                  {"'abc", "2222"},                 // unterminated: to the end
                  {"\"ab\\", "2222"},               // a backslash at the very end
                  {"L\"ab\" u8'c'", "22222022222"},  // prefixed strings
                  {"a // c\r\nb", "004444000"},
                  {"a/b", "000"},
                  {"/*/ x", "44444"},               // slash star slash is still open
                  {"/*/ */y", "4444440"},
                  {"/**/x", "44440"},
                  {"/* a", "4444"},
                  {"@", "3"},
                  {"@ x", "300"},
                  {"@(", "30"},
                  {"@\"s\"", "2222"},
                  {"@'s", "222"},
                  {"@12a", "3330"},
                  {"@end @if", "11110000"},          // "@if" is not a keyword, "if" is
                  {"if IF iff while", "110000000011111"},
                  {"if\"x\"", "22222"},              // an identifier right before a quote is a prefix
                  {"#include <a>", "000000000000"},
              });
}

TEST(TokensTest, PascalCommentsDirectivesStringsAndCodes) {
  TTokensH t(true);
  RunCases(t, {
                  {"{$R+}", "55555"},
                  {"(*$I x*)", "55555555"},
                  {"{ x }", "44444"},
                  {"(* x *)", "4444444"},
                  {"(*)", "444"},                    // the opening star cannot close
                  {"(**)x", "44440"},
                  {"{ open", "444444"},
                  {"'it''s'", "2222222"},
                  {"'a' 'b", "222022"},
                  {"''", "22"},
                  {"#13#10", "222222"},
                  {"$FF;", "2220"},
                  {"// x\ny", "444400"},
                  {"\"a\" @b", "000000"},              // no C strings or at-words
                  {"(a)", "000"},
              });
}

TEST(TokensTest, PascalKeywordsAreMatchedLowered) {
  TTokensH lower(true);
  ASSERT_TRUE(lower.AddKeyword("begin"));
  ASSERT_TRUE(lower.AddKeyword("\xEA\xEE\xED\xE5\xF6"));  // "конец"
  RunCases(lower, {{"BEGIN Begin begin beginx", "111110111110111110000000"},
                   {"\xCA\xCE\xCD\xC5\xD6", "11111"}});  // "КОНЕЦ"

  TTokensH mixed(true);
  ASSERT_TRUE(mixed.AddKeyword("Begin"));
  RunCases(mixed, {{"Begin begin", "00000000000"}});

  TTokensH c(false);
  ASSERT_TRUE(c.AddKeyword("begin"));
  RunCases(c, {{"BEGIN begin", "00000011111"}});
}

TEST(TokensTest, LongIdentifiersGrowTheLoweringBuffer) {
  TTokensH t(true);
  std::string word(1000, 'a');
  ASSERT_TRUE(t.AddKeyword(word.c_str()));
  std::string upper(1000, 'A');
  EXPECT_EQ(Classes(t, upper + " b"), std::string(1000, '1') + "00");
}

TEST(TokensTest, AddKeywordRules) {
  TTokensH t(false);
  EXPECT_FALSE(t.AddKeyword("1abc"));
  EXPECT_FALSE(t.AddKeyword("+x"));
  EXPECT_TRUE(t.AddKeyword("_x"));
  EXPECT_TRUE(t.AddKeyword("\xE0"));
  std::string copy = "_x";
  EXPECT_FALSE(t.AddKeyword(copy.c_str()));  // already in the set
  EXPECT_EQ(t.Keywords().Count(), 2);

  TTokensH other(true, t);  // a copy of the set in another mode
  EXPECT_EQ(other.Keywords().Count(), 2);
  EXPECT_TRUE(other.Pascal());
  EXPECT_EQ(Classes(other, "_X _x"), "11011");
}

TEST(TokensTest, EmptyTextAndNoKeywords) {
  TTokensH t(false);
  EXPECT_EQ(Classes(t, ""), "");
  EXPECT_EQ(Classes(t, "while"), "00000");
  EXPECT_EQ(t.Keywords().BucketCount(), 0u);  // no lookup was made on an empty set
}

}  // namespace

namespace {

TEST(TokensTest, ChangesOfTheSetAfterClassifyingAreSeen) {
  ql::TTokensH t(false);
  ASSERT_TRUE(t.AddKeyword("if"));
  EXPECT_EQ(Classes(t, "if do"), "11000");
  t.Keywords().Add("do");  // directly: the count changed
  EXPECT_EQ(Classes(t, "if do"), "11011");
  t.Keywords().Remove("do");
  EXPECT_EQ(Classes(t, "if do"), "11000");
  t.Keywords().Remove("if");
  t.Keywords().Add("do");  // same count as before
  t.KeywordsChanged();
  EXPECT_EQ(Classes(t, "if do"), "00011");
}

}  // namespace
