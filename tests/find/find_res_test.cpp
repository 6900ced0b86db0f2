// The search proper: matching rules, result order and records, and the contexts.
#include "find/find_res.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "find/doc_fixture.h"
#include "find/subst_res.h"

using qltest::BuildDoc;
using qltest::U;
using qltest::W;

namespace {

// Every printable character 10 pixels wide, control characters 0, like the window's table.
struct Widths {
  ql::TCharWidths w{};
  explicit Widths(uint8_t width = 10) {
    for (int c = 32; c < 256; ++c) w[c] = width;
  }
};

struct Found {
  int32_t position;
  bool inLong;
  uint32_t offset;
  std::string match;
  bool operator==(const Found&) const = default;
};

std::vector<Found> Results(const ql::TFindRes& r) {
  std::vector<Found> out;
  for (int32_t i = 0; i < r.Count(); ++i) {
    const ql::TFindItem& it = r.Item(i);
    out.push_back({it.Position, it.InLongText, it.Offset, U(it.Match)});
  }
  return out;
}

std::vector<Found> SearchOne(const std::string& text, const std::string& pattern, bool ignoreCase,
                             bool words) {
  ql::TTTree t;
  BuildDoc(t, {{text}});
  ql::TFindRes r;
  r.IgnoreCase = ignoreCase;
  r.WholeWords = words;
  Widths w;
  r.Search(t, W(pattern), 0, t.Count, w.w, 1000, 2000);
  return Results(r);
}

TEST(FindResTest, MatchingRules) {
  struct Case {
    const char* text;
    const char* pattern;
    bool ignoreCase;
    bool words;
    std::vector<uint32_t> offsets;
  };
  const Case cases[] = {
      // Cyrillic letter case, Ё/ё included; е is not ё.
      {"Ёлка ЁЛКА елка", "ёЛка", true, false, {0, 5}},
      {"Ёлка ЁЛКА елка", "ёЛка", false, false, {}},
      {"Ёлка ЁЛКА елка", "ЁЛКА", false, false, {5}},
      {"ABC abc Abc", "aBc", true, false, {0, 4, 8}},
      // A pattern starting with a non-word character imposes nothing on its left.
      {"а-код", "-код", false, true, {1}},
      {"-кодекс", "-код", false, true, {}},
      {"x -код.", "-код", false, true, {2}},
      // The rejected first candidate is skipped, the second accepted.
      {"xab ab", "ab", false, true, {4}},
      {"xab ab", "ab", false, false, {1, 4}},
      {"ab_ ab1 ab", "ab", false, true, {8}},
      // Non-overlapping scan.
      {"aaaa", "aa", false, false, {0, 2}},
      {"aaaaa", "aa", false, false, {0, 2}},
      // An occurrence starting inside a rejected candidate is not found.
      {"xa-a-a", "a-a", false, true, {}},
      {"", "a", true, false, {}},
      {"abc", "", true, false, {}},
      {"ab", "abc", true, false, {}},
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> got;
    for (const Found& f : SearchOne(c.text, c.pattern, c.ignoreCase, c.words)) {
      got.push_back(f.offset);
      // The match is the document's own letter case at that offset.
      EXPECT_EQ(W(f.match), W(c.text).substr(f.offset, W(c.pattern).size()));
    }
    EXPECT_EQ(got, c.offsets) << c.text << " / " << c.pattern;
  }
}

TEST(FindResTest, ResultsComeNodeByNodeTextBeforeLongText) {
  ql::TTTree t;
  BuildDoc(t, {{"a x", "x x"}, {".b~", "x"}, {"..x hidden"}, {"c"}, {"x", "y\r\nx"}});
  ql::TFindRes r;
  Widths w;
  r.Search(t, "x", 0, t.Count, w.w, 100, 200);
  const std::vector<Found> all = {{0, false, 2, "x"}, {0, true, 0, "x"}, {0, true, 2, "x"},
                                  {1, true, 0, "x"},  {2, false, 0, "x"}, {4, false, 0, "x"},
                                  {4, true, 3, "x"}};
  EXPECT_EQ(Results(r), all);
  for (int32_t i = 0; i < r.Count(); ++i) {
    const ql::TFindItem& it = r.Item(i);
    EXPECT_EQ(it.Number, uint32_t(i));
    EXPECT_EQ(it.NodeId, t.Nodes[it.Position]->Id);
    EXPECT_EQ(it.Level, t.Nodes[it.Position]->Level);
  }

  r.OnlyOpened = true;  // node 2 is under a closed node
  r.Search(t, "x", 0, t.Count, w.w, 100, 200);
  EXPECT_EQ(r.Count(), 6);
  r.OnlyOpened = false;
  r.LongTexts = false;
  r.Search(t, "x", 0, t.Count, w.w, 100, 200);
  EXPECT_EQ(Results(r), (std::vector<Found>{all[0], all[4], all[5]}));
  r.LongTexts = true;
  r.NodeTexts = false;
  r.Search(t, "x", 1, 3, w.w, 100, 200);  // a range of positions
  EXPECT_EQ(Results(r), (std::vector<Found>{all[3]}));
  r.Clear();
  EXPECT_EQ(r.Count(), 0);
  EXPECT_EQ(r.PatternLength(), 0);
}

TEST(FindResTest, ResultArrayGrowsPastItsFirstCapacity) {
  ql::TTTree t;
  BuildDoc(t, {{std::string(3000, 'a')}, {"a", std::string(2000, 'A')}});
  ql::TFindRes r;
  Widths w;
  ASSERT_EQ(r.Search(t, "a", 0, t.Count, w.w, 50, 100), 5001);
  for (int32_t i = 0; i < r.Count(); ++i) ASSERT_EQ(r.Item(i).Number, uint32_t(i));
  EXPECT_EQ(r.Item(2999).Offset, 2999u);
  EXPECT_EQ(r.Item(3000).Position, 1);
  EXPECT_STREQ(r.Item(5000).Match, "A");
  EXPECT_EQ(r.Item(5000).Offset, 1999u);
}

TEST(FindResTest, ContextsStopAtLineBreaksAndBudgets) {
  struct Case {
    const char* text;
    const char* pattern;
    bool words;
    int32_t left;   // left budget (characters are 10 pixels wide)
    int32_t total;  // total budget
    const char* leftCtx;
    const char* rightCtx;
  };
  const Case cases[] = {
      {"X and more", "X", false, 100, 300, "", " and more"},
      {"some words X", "X", false, 200, 300, "some words ", ""},
      {"one\r\ntwo X three\r\nfour", "X", false, 200, 400, "two ", " three"},
      {"line\r\nX\r\nnext", "X", false, 200, 400, "", ""},
      // A long word on the left: its start lies beyond the budget and the last boundary (just
      // left of the occurrence's blank) used less than half of it, so it is cut mid-word.
      {"cccccccccccccccccccc X", "X", false, 100, 300, "ccccccccc ", ""},
      // The last boundary used at least half the budget: the context starts there.
      {"cccccccc bbbb X", "X", false, 100, 300, " bbbb ", ""},
      // The same on the right: R = 300 - 100 - 10 = 190 pixels, 19 characters.
      {"X dddddddddddddddddddddddddddd", "X", false, 100, 300, "", " dddddddddddddddddd"},
      {"X bbbbbbbbbbbb cccccccccccc", "X", false, 100, 300, "", " bbbbbbbbbbbb "},
      // Whole words with a pattern whose ends are not word characters.
      {"aaaaaaaaaaaaaaaaaaaaa-X-b", "-X-", true, 100, 300, "aaaaaaaaaa", "b"},
      // A budget too small for anything.
      {"ab X cd", "X", false, 0, 10, "", ""},
  };
  for (const Case& c : cases) {
    ql::TTTree t;
    BuildDoc(t, {{c.text}});
    ql::TFindRes r;
    r.IgnoreCase = false;
    r.WholeWords = c.words;
    Widths w;
    ASSERT_EQ(r.Search(t, c.pattern, 0, 1, w.w, c.left, c.total), 1) << c.text;
    EXPECT_STREQ(r.Item(0).Left, c.leftCtx) << c.text;
    EXPECT_STREQ(r.Item(0).Right, c.rightCtx) << c.text;
    EXPECT_EQ(r.LeftBudget(), c.left);
    EXPECT_EQ(r.TotalBudget(), c.total);
  }
}

TEST(FindResTest, ContextWidthsComeFromTheTable) {
  // Narrow "i" (2 px) and wide "W" (20 px): the left budget of 20 holds ten i's or one W.
  ql::TTTree t;
  BuildDoc(t, {{"iiiiiiiiiiii X WWW"}});
  Widths w;
  w.w['i'] = 2;
  w.w['W'] = 20;
  w.w[' '] = 2;
  ql::TFindRes r;
  ASSERT_EQ(r.Search(t, "X", 0, 1, w.w, 20, 20 + 10 + 42), 1);
  EXPECT_STREQ(r.Item(0).Left, "iiiiiiiii ");
  EXPECT_STREQ(r.Item(0).Right, " WW");
}

TEST(FindResTest, SearchAndSubstituteResumeDifferentlyAfterARejectedCandidate) {
  ql::TTTree t;
  BuildDoc(t, {{"xa-a-a"}});
  ql::TFindRes r;
  r.WholeWords = true;
  Widths w;
  EXPECT_EQ(r.Search(t, "a-a", 0, 1, w.w, 100, 200), 0);
  ql::TSubstRes s;
  s.WholeWords = true;
  EXPECT_EQ(s.Run(t, "a-a", "X", 0, 1), 1);
  EXPECT_EQ(t.Nodes[0]->Text, "xa-X");
}

}  // namespace
