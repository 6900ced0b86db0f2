#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/comma_text.h"
#include "base/str_list_a.h"
#include "base/swr0.h"

namespace ql {
namespace {

using Items = std::vector<std::string>;

TEST(TSWr0, GrowsByDoublingOrToTheNeededLength) {
  TSWr0 w;
  EXPECT_STREQ(w.Data(), "");
  EXPECT_EQ(w.Capacity(), 0u);
  w.Append("abc");
  EXPECT_EQ(w.Capacity(), 1024u);  // first growth
  EXPECT_STREQ(w.Data(), "abc");
  w.Append(std::string(1021, 'x'));  // 1024 bytes: needs 1025
  EXPECT_EQ(w.Capacity(), 2048u);
  w.Append(std::string(5000, 'y'));  // 6024 + 1 beats 2 * 2048
  EXPECT_EQ(w.Capacity(), 6025u);
  EXPECT_EQ(w.Length(), 6024u);
  EXPECT_EQ(w.Data()[6024], '\0');
  EXPECT_EQ(w.View().substr(0, 4), "abcx");

  w.Clear();  // keeps the buffer
  EXPECT_EQ(w.Length(), 0u);
  EXPECT_EQ(w.Capacity(), 6025u);
  EXPECT_STREQ(w.Data(), "");
  w.Append('z');
  EXPECT_STREQ(w.Data(), "z");
}

TEST(TStrListA, SplitsAtCarriageReturnsAndSkipsLeadingControlBytes) {
  struct Case {
    std::string text;
    Items lines;
  } cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"  a b \r\r\n\r\n\t c\r", {"a b ", "c"}},  // trailing blanks stay
      {"x\ny\rz", {"x\ny", "z"}},                 // a bare LF does not split
      {std::string("\0\x01 q\r", 5), {"q"}},       // NUL and control bytes skipped at a line start
      {"\r\n\r\n   ", {}},
  };
  for (const auto& c : cases) {
    TStrListA list(c.text);
    Items got;
    for (size_t i = 0; i < list.Count(); ++i) {
      got.emplace_back(list[i]);
      EXPECT_EQ(list.Line(i), list[i]);  // zero-terminated where the view ends
    }
    EXPECT_EQ(got, c.lines) << testing::PrintToString(c.text);
  }
}

TEST(TStrListA, LineArrayStartsAt16AndDoubles) {
  std::string text;
  for (int i = 0; i < 17; ++i) text += "l" + std::to_string(i) + "\r\n";
  TStrListA list(text);
  ASSERT_EQ(list.Count(), 17u);
  EXPECT_STREQ(list[16], "l16");
  EXPECT_EQ(list.Capacity(), 32u);
  TStrListA small("a\rb");
  EXPECT_EQ(small.Capacity(), 16u);
}

TEST(CommaText, Split) {
  struct Case {
    std::string text;
    Items items;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"a,b,c", {"a", "b", "c"}},
      {"a b\tc", {"a", "b", "c"}},  // unquoted blanks separate too
      {" a , b ", {"a", "b"}},
      {"a,,b", {"a", "", "b"}},
      {"a, ,b", {"a", "", "b"}},
      {",a", {"", "a"}},
      {"a,", {"a", ""}},
      {"a, ", {"a"}},  // a comma followed only by blanks adds nothing
      {"\"\"", {""}},
      {"\"a b\",\"c,d\"", {"a b", "c,d"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"ab\"cd", {"ab", "cd"}},
      {"\"open end", {"open end"}},  // unterminated: the rest of the text, nothing lost
      {"\"tail\"\"", {"tail\""}},
      {std::string("a,b\0,c", 6), {"a", "b"}},
      {"100,200,300,400,1", {"100", "200", "300", "400", "1"}},
      {"\"C:\\My Docs|a.qlt\",|b.qlt", {"C:\\My Docs|a.qlt", "|b.qlt"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitCommaText(c.text), c.items) << testing::PrintToString(c.text);
  }
}

TEST(CommaText, JoinQuotesOnlyWhatNeedsItAndRoundTrips) {
  struct Case {
    Items items;
    std::string text;
  } cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b"}, "a,b"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"x,y"}, "\"x,y\""},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"a", "", "b"}, "a,,b"},
      {{"a", ""}, "a,"},
      {{"tab\there"}, "\"tab\there\""},
      {{"\xCF\xF0\xE8\xE2\xE5\xF2", "\xEC\xE8\xF0 \xE4\xEE\xEC"}, "\xCF\xF0\xE8\xE2\xE5\xF2,\"\xEC\xE8\xF0 \xE4\xEE\xEC\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JoinCommaText(c.items), c.text) << testing::PrintToString(c.items);
    EXPECT_EQ(SplitCommaText(c.text), c.items) << c.text;
  }
}

TEST(CommaText, QuotingRepair) {
  struct Case {
    std::string value;
    std::string repaired;
  } cases[] = {
      {"", ""},
      {"a,b", "a,b"},
      {"\"a b\",c", "\"a b\",c"},                    // starts with a quote: untouched
      {"a b\",\"c d", "\"a b\",\"c d\""},            // blank before the first comma
      {"a\"\"b\",c", "\"a\"\"b\",c\""},              // quote before the first comma
      {"abc,\"d e\"", "abc,\"d e\""},                // blank only after the first comma
      {"my file", "\"my file\""},                    // no comma: a blank anywhere
      {"plain", "plain"},
      {",a b", ",a b"},                              // nothing before the first comma
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RepairCommaQuoting(c.value), c.repaired) << c.value;
  }
}

// The profile functions drop the quotes around a whole value; the repair brings back the list.
TEST(CommaText, RepairRestoresListsWhoseOuterQuotesWereDropped) {
  const Items lists[] = {
      {"a b", "c d"},
      {"one item with blanks"},
      {"x", "y z"},
      {"say \"hi\"", "q"},
      {"p q", "r", "s t"},
  };
  for (const auto& items : lists) {
    std::string text = JoinCommaText(items);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    EXPECT_EQ(SplitCommaText(RepairCommaQuoting(text)), items) << text;
  }
}

}  // namespace
}  // namespace ql
