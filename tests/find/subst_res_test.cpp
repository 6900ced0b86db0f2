// The substitute run.
#include "find/subst_res.h"

#include <gtest/gtest.h>

#include <string>

#include "find/doc_fixture.h"

using qltest::BuildDoc;
using qltest::U;
using qltest::W;

namespace {

std::string Texts(const ql::TTTree& t) {
  std::string texts;
  for (int i = 0; i < t.Count; ++i) texts += t.Nodes[i]->Text + "|" + t.Nodes[i]->LText + "|";
  return texts;
}

TEST(SubstResTest, ReplacesInOneText) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;
    bool ignoreCase;
    bool words;
    const char* result;
    int32_t total;
  };
  const Case cases[] = {
      // The rejected candidate at 1 resumes the scan one byte later; the one at 3 is replaced.
      {"xa-a-a", "a-a", "X", false, true, "xa-X", 1},
      {"xa-a-a", "a-a", "X", false, false, "xX-a", 1},
      // The replacement is used exactly as typed.
      {"Дом и ДОМ", "дом", "Дача", true, false, "Дача и Дача", 2},
      {"Дом и ДОМ", "дом", "Дача", false, false, "Дом и ДОМ", 0},
      {"Ёж ёж", "ЁЖ", "еж", true, false, "еж еж", 2},
      // No cascading.
      {"aaa", "a", "aa", false, false, "aaaaaa", 3},
      {"abab", "ab", "", false, false, "", 2},
      {"a cat, a catalog", "cat", "dog", false, true, "a dog, a catalog", 1},
      {"-код а-код -кодекс", "-код", "+", false, true, "+ а+ -кодекс", 2},
      {"short", "longer pattern", "x", false, false, "short", 0},
      {"abc", "", "x", false, false, "abc", 0},
  };
  for (const Case& c : cases) {
    ql::TTTree t;
    BuildDoc(t, {{c.text, c.text}});
    ql::TSubstRes s;
    s.IgnoreCase = c.ignoreCase;
    s.WholeWords = c.words;
    EXPECT_EQ(s.Run(t, W(c.pattern), W(c.replacement), 0, t.Count), 2 * c.total) << c.text;
    EXPECT_EQ(s.Total, 2 * c.total);
    EXPECT_EQ(U(t.Nodes[0]->Text), c.result) << c.text;
    EXPECT_EQ(U(t.Nodes[0]->LText), c.result) << c.text;
  }
}

TEST(SubstResTest, ScopeOptionsAndCountOnly) {
  const std::vector<qltest::DocNode> doc = {
      {"a1", "a2"}, {"b~", "a"}, {".a hidden", "a a"}, {"c"}};
  struct Case {
    bool onlyOpened, nodeTexts, longTexts;
    int32_t start, end;
    int32_t total;
    const char* texts;  // every Text and LText after the run, "|"-joined
  };
  const Case cases[] = {
      {false, true, true, 0, 4, 6, "X1|X2|b|X|X hidden|X X|c||"},
      {true, true, true, 0, 4, 3, "X1|X2|b|X|a hidden|a a|c||"},
      {false, true, false, 0, 4, 2, "X1|a2|b|a|X hidden|a a|c||"},
      {false, false, true, 0, 4, 4, "a1|X2|b|X|a hidden|X X|c||"},
      {false, true, true, 1, 3, 4, "a1|a2|b|X|X hidden|X X|c||"},
  };
  for (const Case& c : cases) {
    ql::TTTree t;
    BuildDoc(t, doc);
    ql::TSubstRes s;
    s.OnlyOpened = c.onlyOpened;
    s.NodeTexts = c.nodeTexts;
    s.LongTexts = c.longTexts;
    EXPECT_EQ(s.Run(t, "a", "X", c.start, c.end), c.total);
    EXPECT_EQ(Texts(t), c.texts);

    // Counting only finds the same number and changes nothing.
    ql::TTTree u;
    BuildDoc(u, doc);
    const std::string before = Texts(u);
    s.CountOnly = true;
    EXPECT_EQ(s.Run(u, "a", "X", c.start, c.end), c.total);
    EXPECT_EQ(Texts(u), before);
  }
}

TEST(SubstResTest, RunsAgainOnTheSameObject) {
  ql::TTTree t;
  BuildDoc(t, {{std::string(40000, 'a')}, {"ab"}});
  ql::TSubstRes s;
  s.IgnoreCase = true;
  EXPECT_EQ(s.Run(t, "A", "b", 0, t.Count), 40001);
  EXPECT_EQ(t.Nodes[0]->Text, std::string(40000, 'b'));
  EXPECT_EQ(t.Nodes[1]->Text, "bb");
  EXPECT_EQ(s.Run(t, "BB", "c", 0, t.Count), 20001);
  EXPECT_EQ(t.Nodes[0]->Text, std::string(20000, 'c'));
  EXPECT_EQ(t.Nodes[1]->Text, "c");
}

}  // namespace
