#include "styles/layout.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_canvas.h"
#include "styles/fonts.h"
#include "styles/tokens.h"

namespace {

using ql::TDrawLines;
using ql::TLayoutMode;
using ql::TStyle;

struct Opts {
  int wrapLine = 1;
  int eatSpace = 1;
  int wrapKind = 0;
  bool symbols = false;  // IsWrapSymbol: end symbol, and the start symbol when wrapping
  int wrapSpace = 0;
};

class LayoutTest : public ::testing::Test {
 protected:
  // Size 10 is on the ladder with a 3-pixel margin: the available width is the cell width - 5.
  static constexpr int kMarginLoss = 5;

  TStyle MakeStyle(const Opts& o, ql::TTokensH* tokenizer = nullptr) {
    TStyle s;
    s.drawFace = "Test";
    s.drawSize = 10;
    s.drawBits = 0;
    s.wrapLine = static_cast<int8_t>(o.wrapLine);
    s.eatSpace = static_cast<int8_t>(o.eatSpace);
    s.wrapKind = static_cast<int8_t>(o.wrapKind);
    s.wrapSpace = static_cast<int8_t>(o.wrapSpace);
    s.equalRows = 0;
    s.topSpace = s.bottomSpace = 0;
    if (o.symbols) {
      s.endSymbol = 0x95;
      if (o.wrapLine) s.startSymbol = 0x95;
    }
    s.tokenizer = tokenizer;
    s.highlighting = tokenizer ? 1 : 0;
    EXPECT_TRUE(ql::MeasureStyleWith(fonts, s));
    return s;
  }

  // Lines as "^" start symbol, "+N" indent, the text, "$" end symbol, joined with "|".
  static std::string Render(const TDrawLines& l) {
    std::string out;
    for (int k = 0; k < l.Stored(); ++k) {
      const ql::TDrawLine& line = l.Line(k);
      if (k) out += '|';
      if (line.startSymbol) out += '^';
      if (line.indent) out += "+" + std::to_string(line.indent);
      out.append(l.Text() + line.start, line.length);
      if (line.endSymbol) out += '$';
    }
    return out;
  }

  std::string Lay(const TStyle& s, const std::string& text, int available,
                  TLayoutMode mode = TLayoutMode::kCell) {
    ql::Layout(s, text.data(), text.size(), available + kMarginLoss, mode, lines);
    return Render(lines);
  }

  qltest::FakeDevice device;
  ql::TFonts fonts{&device};
  TDrawLines lines;
};

struct LayoutCase {
  const char* name;
  std::string text;
  int available;
  Opts opts;
  const char* lines;
};

TEST_F(LayoutTest, WrapRules) {
  const Opts noEat{.eatSpace = 0};
  const Opts kind1{.wrapKind = 1};
  const Opts cut{.wrapLine = 0};
  const Opts cutSym{.wrapLine = 0, .symbols = true};
  const LayoutCase cases[] = {
      {"empty text", "", 100, {}, ""},
      {"CR LF paragraphs", "abc\r\n\r\nabc", 100, {}, "abc||abc"},
      {"CRs before LF dropped, not at the end", "ab\r\r\ncd\r", 100, {}, "ab|cd\r"},
      {"trailing LF", "abc\n", 100, {}, "abc|"},
      {"fits exactly", "abcde", 50, {}, "abcde"},
      {"word cut without a break", "abcdefghijkl", 50, {}, "abcde|fghij|kl"},
      {"break 14 back", "abcdef ghijklmnopqrstuv", 200, {}, "abcdef|ghijklmnopqrstuv"},
      {"no break within 15 back: cut", "abcde fghijklmnopqrstuv", 200, {},
       "abcde fghijklmnopqrs|tuv"},
      {"eat space after break", "aaaa bbbb", 50, {}, "aaaa|bbbb"},
      {"eat space at break", "aaaa bbbb", 40, {}, "aaaa|bbbb"},
      {"no eat space after break", "aaaa bbbb", 50, noEat, "aaaa |bbbb"},
      {"no eat space at break", "aaaa bbbbbb", 40, noEat, "aaaa| bbb|bbb"},
      {"kind 0 breaks at blanks only", "x foo(bar", 70, {}, "x|foo(bar"},
      {"kind 1 after parenthesis", "x foo(bar", 70, kind1, "x foo(|bar"},
      {"kind 1 before and after parenthesis", "foo(bar", 30, kind1, "foo|(|bar"},
      {"kind 1 keeps punctuation pairs", "ab+=cd", 30, kind1, "ab|+=|cd"},
      {"kind 1 word characters stay", "a\"b'c\\d@e", 30, kind1, "a\"b|'c\\|d@e"},
      {"cutting keeps the partial character", "abcdefg", 35, cut, "abcd"},
      {"cutting with the end symbol", "abcdefg", 35, cutSym, "abc$"},
      {"cutting shows each paragraph's first line", "abcdefg\nxy", 35, cut, "abcd|xy"},
      {"continuation lines with symbols", "aaaa bbbb cccc", 60, {.symbols = true},
       "aaaa$|^bbbb$|^cccc"},
      {"wrap space indents continuations", "aaaa bbbb", 60, {.wrapSpace = 1}, "aaaa|+12bbbb"},
      {"first character wider than the cell", "abc", 5, {}, ""},
      {"cell narrower than 5 pixels", "abc", 4, {}, ""},
      {"eaten leading space ends the layout", " bbb", 15, {}, ""},
      {"lines found so far", "aa bb", 20, {.wrapSpace = 1}, "aa"},  // 8 pixels after the indent
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    TStyle s = MakeStyle(c.opts);
    EXPECT_EQ(Lay(s, c.text, c.available), c.lines);
    EXPECT_GE(lines.Count(), 1);
  }
}

TEST_F(LayoutTest, EditModeLaysOutEveryLine) {
  const struct {
    const char* name;
    std::string text;
    int available;
    Opts opts;
    const char* lines;
  } cases[] = {
      {"wider than the cell: one character a line", "abc", 5, {}, "a|b|c"},
      {"cutting runs on", "abcdefg\nxy", 35, {.wrapLine = 0, .symbols = true}, "abcdefg|xy"},
      {"same wraps as the cell", "aaaa bbbb cccc", 60, {.symbols = true}, "aaaa$|^bbbb$|^cccc"},
      {"eaten space leaves an empty line", " bbb", 15, {}, "|b|b|b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TStyle s = MakeStyle(c.opts);
    EXPECT_EQ(Lay(s, c.text, c.available, TLayoutMode::kEdit), c.lines);
  }
  // No line cap in the editor.
  TStyle s = MakeStyle({});
  std::string many;
  for (int k = 0; k < 1500; ++k) many += "a\n";
  Lay(s, many, 100, TLayoutMode::kEdit);
  EXPECT_EQ(lines.Count(), 1501);
}

TEST_F(LayoutTest, LineLimitAndMeasureOnly) {
  TStyle s = MakeStyle({});
  std::string many;
  for (int k = 0; k < 2000; ++k) many += "a\n";
  Lay(s, many, 100);
  EXPECT_EQ(lines.Count(), 1001);
  EXPECT_EQ(lines.Stored(), 1001);

  TStyle cut = MakeStyle({.wrapLine = 0});
  Lay(cut, "abcdefghij\nb\nc", 35, TLayoutMode::kMeasureOnly);
  EXPECT_EQ(lines.Count(), 3);
  EXPECT_EQ(lines.Stored(), 0);
  TStyle wrap = MakeStyle({});
  EXPECT_EQ(Lay(wrap, "abcdefghij", 50, TLayoutMode::kMeasureOnly), "abcde|fghij");
}

TEST_F(LayoutTest, HighlightedWidthsComeFromTheClassTables) {
  ql::TTokensH tok(false);
  tok.AddKeyword("if");
  TStyle s = MakeStyle({}, &tok);
  // "if" is bold (12 + 12), the blank and "ab" plain: 54 pixels.
  EXPECT_EQ(Lay(s, "if ab", 54), "if ab");
  EXPECT_EQ(Lay(s, "if ab", 53), "if|ab");
  EXPECT_EQ(lines.Classes()[0], ql::kTokKeyword);
}

TEST_F(LayoutTest, HeightKeepsAtLeastOneLine) {
  TStyle s = MakeStyle({});
  s.topSpacePx = 2;
  s.bottomSpacePx = 3;
  Lay(s, "a\nb\nc", 100);
  EXPECT_EQ(ql::Height(s, lines, 1000), 3 * 16 + 5);
  EXPECT_EQ(lines.shown, 3);
  EXPECT_EQ(lines.fullHeight, 53);
  EXPECT_EQ(ql::Height(s, lines, 40), 2 * 16 + 5);  // trunc((40 - 5) / 16) = 2
  EXPECT_EQ(lines.shown, 2);
  EXPECT_EQ(ql::Height(s, lines, 10), 16 + 5);  // lower than one line: still one
  EXPECT_EQ(lines.shown, 1);
  EXPECT_EQ(lines.fullHeight, 53);

  Lay(s, "", 100);  // empty text: one line plus the spacings
  EXPECT_EQ(ql::Height(s, lines, 1000), 21);

  TStyle delegating;  // a document-only style answers for its delegate
  delegating.delegate = &s;
  EXPECT_EQ(ql::Height(delegating, lines, 1000), 21);
}

TEST_F(LayoutTest, RelayoutOfItsOwnText) {
  TStyle s = MakeStyle({});
  Lay(s, "abcdefghij", 50);
  std::string before(lines.Text(), lines.TextLength());
  ql::Layout(s, lines.Text(), lines.TextLength(), 55, TLayoutMode::kCell, lines);
  EXPECT_EQ(Render(lines), "abcde|fghij");
  EXPECT_EQ(std::string(lines.Text(), lines.TextLength()), before);
}

TEST(ContrastColorTest, Brightness) {
  const struct {
    ql::TColor bg, expected;
  } cases[] = {
      {0x000000, 0xFFFFFF}, {0xFFFFFF, 0},        {0x00FF00, 0},  // green: 331
      {0xFF0000, 0xFFFFFF},                                        // blue: 280
      {0x0000FF, 0xFFFFFF},                                        // red: 255
      {0x2900FF, 0xFFFFFF},                                        // 255 + 45.1 = 300
      {0x2A00FF, 0},                                               // 255 + 46.2 = 301
  };
  for (const auto& c : cases) EXPECT_EQ(ql::ContrastColor(c.bg), c.expected) << std::hex << c.bg;
}

}  // namespace
