// The word at the caret and the search history.
#include "find/find_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/comma_text.h"
#include "find/doc_fixture.h"

using qltest::W;

namespace {

TEST(FindWordsTest, WordAtCaret) {
  struct Case {
    const char* text;
    size_t selStart, selLength, caret;
    bool found;
    const char* word;
  };
  const std::string longWord(101, 'w');
  const Case cases[] = {
      {"hello world", 0, 0, 1, true, "hello"},
      {"hello world", 0, 0, 0, true, "hello"},
      {"hello world", 0, 0, 4, true, "hello"},
      // Right after the last letter, before a blank: no word.
      {"hello world", 0, 0, 5, false, ""},
      {"hello world", 0, 0, 11, false, ""},
      {"x Ёжик_2, y", 0, 0, 4, true, "Ёжик_2"},
      {"a-b", 0, 0, 1, false, ""},
      // A selection wins whatever it holds.
      {"hello world", 3, 5, 0, true, "lo wo"},
      {"", 0, 0, 0, false, ""},
  };
  for (const Case& c : cases) {
    std::string out = "untouched";
    EXPECT_EQ(ql::WordAtCaret(W(c.text), c.selStart, c.selLength, c.caret, out), c.found)
        << c.text << " @" << c.caret;
    EXPECT_EQ(out, c.found ? W(c.word) : "untouched") << c.text;
  }
  std::string out;
  const std::string hundred(100, 'w');
  EXPECT_TRUE(ql::WordAtCaret(" " + hundred + " ", 0, 0, 50, out));
  EXPECT_EQ(out, hundred);
  EXPECT_FALSE(ql::WordAtCaret(" " + longWord + " ", 0, 0, 50, out));
  EXPECT_TRUE(ql::WordAtCaret(longWord, 0, 100, 0, out));
  EXPECT_FALSE(ql::WordAtCaret(longWord, 0, 101, 0, out));
  EXPECT_FALSE(ql::WordAtCaret("abc", 2, 5, 0, out));  // a selection past the end
}

TEST(FindWordsTest, HistoryKeepsTwentyNewestFirst) {
  std::vector<std::string> h;
  ql::AddToFindHistory(h, "");
  EXPECT_TRUE(h.empty());
  for (int i = 0; i < 25; ++i) ql::AddToFindHistory(h, "w" + std::to_string(i));
  ASSERT_EQ(h.size(), 20u);
  EXPECT_EQ(h.front(), "w24");
  EXPECT_EQ(h.back(), "w5");

  // An existing entry in another letter case moves to the top in its own letter case.
  h = {W("Дом"), W("Кот"), W("Ёлка")};
  ql::AddToFindHistory(h, W("ЁЛКА"));
  EXPECT_EQ(h, (std::vector<std::string>{W("Ёлка"), W("Дом"), W("Кот")}));
  ql::AddToFindHistory(h, W("ёлка"));
  EXPECT_EQ(h, (std::vector<std::string>{W("Ёлка"), W("Дом"), W("Кот")}));
  ql::AddToFindHistory(h, W("елка"));  // е is not ё
  EXPECT_EQ(h.size(), 4u);
  EXPECT_EQ(h.front(), W("елка"));
}

TEST(FindWordsTest, HistoryThroughTheProfile) {
  const std::vector<std::string> items = {"a b", "plain", "say \"hi\"", "x,y", "-код"};
  const std::string value = ql::FindHistoryToProfile(items);
  EXPECT_EQ(value, "\"a b\",plain,\"say \"\"hi\"\"\",\"x,y\",-код");
  EXPECT_EQ(ql::FindHistoryFromProfile(value), items);

  // The profile functions drop quotes enclosing a whole value; reading repairs that.
  const std::vector<std::string> quotedEnds = {"a b", "c d"};
  std::string stored = ql::FindHistoryToProfile(quotedEnds);
  ASSERT_EQ(stored, "\"a b\",\"c d\"");
  stored = stored.substr(1, stored.size() - 2);
  EXPECT_EQ(ql::FindHistoryFromProfile(stored), quotedEnds);
  EXPECT_EQ(ql::FindHistoryFromProfile("one two"), (std::vector<std::string>{"one two"}));
  EXPECT_TRUE(ql::FindHistoryFromProfile("").empty());
  // Unquoted blanks after the first comma separate items.
  EXPECT_EQ(ql::FindHistoryFromProfile("a,b c"), (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
