#include "styles/colour_diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "styles/tokens.h"

namespace {

using ql::TClassRun;
using Runs = std::vector<TClassRun>;

std::vector<unsigned char> Digits(const std::string& d) {
  std::vector<unsigned char> v;
  for (char c : d) v.push_back(static_cast<unsigned char>(c - '0'));
  return v;
}

TEST(ColourDiffTest, ChangedRunsFromTheMask) {
  const struct {
    const char* name;
    const char* oldClasses;
    const char* newClasses;
    int64_t a, n;
    Runs expected;
  } cases[] = {
      {"same classes: only the edited range", "00000", "000000", 2, 1, {{2, 1, 0}}},
      {"insertion is at least the growth", "00000", "0000000", 2, 0, {{2, 2, 0}}},
      {"tail moved behind the edit", "00022000", "0002000", 3, 1, {{3, 1, 2}}},
      {"a quote turns the rest into a string", "000", "2222", 0, 1, {{0, 4, 2}}},
      {"runs split where new classes differ", "0000", "01120", 0, 1,
       {{0, 1, 0}, {1, 2, 1}, {3, 1, 2}}},
      {"changes before the edit count", "1100", "0000", 3, 1, {{0, 2, 0}, {3, 1, 0}}},
      {"edit clipped to the text", "000", "000", 2, 50, {{2, 1, 0}}},
      {"start past the end", "00", "000", 9, 1, {{2, 1, 0}}},
      {"negative length", "00", "00", 1, -4, {}},
      {"old positions that never existed", "0", "000", 3, 0, {{1, 2, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> old = Digits(c.oldClasses);
    std::vector<unsigned char> fresh = Digits(c.newClasses);
    Runs runs;
    ql::ChangedClassRuns(old, std::string(c.oldClasses).size(), fresh.data(), fresh.size(), c.a,
                         c.n, runs);
    EXPECT_EQ(runs, c.expected);
  }
}

TEST(ColourDiffTest, TypingInALongTextReappliesOnlyWhatChanged) {
  ql::TTokensH tok(false);
  tok.AddKeyword("int");
  ql::TIncColour col;
  col.Attach(&tok);
  std::string text = "int a = 1; // note\nint b = 2;";
  // Coloured with the caret at 5.
  const Runs& all = col.ColourAll(text.data(), text.size(), 5, 0);
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.front(), (TClassRun{0, 3, ql::kTokKeyword}));
  size_t covered = 0;
  for (const TClassRun& r : all) covered += r.length;
  EXPECT_EQ(covered, text.size());

  // Type "x" after "a": the caret is at 6 now; only the typed character is re-applied.
  text.insert(5, "x");
  EXPECT_EQ(col.TextChanged(text.data(), text.size(), 6), (Runs{{5, 1, ql::kTokPlain}}));
  EXPECT_EQ(col.SelStart(0), 6);
  EXPECT_EQ(col.SelStart(2), 6);

  // Move to 10 and type "/": the range runs from the remembered start 6 to the caret 11.
  col.NoteSelection(10, 0);
  text.insert(10, "/");  // "int ax = 1/; // note\nint b = 2;"
  EXPECT_EQ(col.TextChanged(text.data(), text.size(), 11),
            (Runs{{6, 3, ql::kTokPlain}, {9, 1, ql::kTokLiteral}, {10, 1, ql::kTokPlain}}));

  // Open a block comment at the start: everything after turns teal except the line comment,
  // which already was.
  col.NoteSelection(0, 0);
  text.insert(0, "/*");
  EXPECT_EQ(col.TextChanged(text.data(), text.size(), 2),
            (Runs{{0, 15, ql::kTokComment}, {22, text.size() - 22, ql::kTokComment}}));

  // Delete it again (the caret moves from 2 back to 0).
  text.erase(0, 2);
  const Runs& r4 = col.TextChanged(text.data(), text.size(), 0);
  std::vector<unsigned char> fresh(text.size());
  tok.Classify(text.data(), fresh.data(), text.size());
  ASSERT_FALSE(r4.empty());
  for (const TClassRun& r : r4)
    for (size_t p = r.start; p < r.start + r.length; ++p) EXPECT_EQ(fresh[p], r.cls);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(col.Classes()), text.size()),
            std::string(reinterpret_cast<const char*>(fresh.data()), text.size()));
}

TEST(ColourDiffTest, NoColourerNoRuns) {
  ql::TIncColour col;
  EXPECT_TRUE(col.ColourAll("abc", 3, 0, 0).empty());
  EXPECT_TRUE(col.TextChanged("abcd", 4, 1).empty());
}

}  // namespace

namespace {

TEST(ColourDiffTest, EmptyTexts) {
  std::vector<unsigned char> old;
  Runs runs;
  ql::ChangedClassRuns(old, 0, nullptr, 0, 0, 0, runs);
  EXPECT_TRUE(runs.empty());
  ql::TTokensH tok(false);
  ql::TIncColour col;
  col.Attach(&tok);
  EXPECT_TRUE(col.ColourAll("", 0, 0, 0).empty());
  EXPECT_EQ(col.TextChanged("1", 1, 1), (Runs{{0, 1, ql::kTokLiteral}}));
  EXPECT_TRUE(col.TextChanged("", 0, 0).empty());
}

}  // namespace
