#include "styles/draw_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_canvas.h"
#include "styles/fonts.h"
#include "styles/tokens.h"

namespace {

using ql::TRect;
using ql::TStyle;
using qltest::TextOutCall;

constexpr ql::TColor kRed = 0x0000FF;

class DrawTest : public ::testing::Test {
 protected:
  TStyle MakeStyle(ql::TTokensH* tokenizer = nullptr) {
    TStyle s;
    s.drawFace = "Test";
    s.drawSize = 10;  // margin 3
    s.drawBits = ql::kFontItalic;
    s.drawColor = 0x112233;
    s.drawBkColor = 0xC0FFEE;
    s.wrapLine = 1;
    s.eatSpace = 1;
    s.wrapKind = 0;
    s.equalRows = 0;
    s.topSpace = 25;  // 4 pixels of 16
    s.bottomSpace = 0;
    s.tokenizer = tokenizer;
    s.highlighting = tokenizer ? 1 : 0;
    EXPECT_TRUE(ql::MeasureStyleWith(fonts, s));
    return s;
  }

  void LayAndDraw(const TStyle& s, const std::string& text, const TRect& r, bool selected = false) {
    ql::Layout(s, text.data(), text.size(), r.right - r.left, ql::TLayoutMode::kCell, lines);
    ql::Draw(s, lines, r, selected, canvas);
  }

  qltest::FakeDevice device;
  ql::TFonts fonts{&device};
  ql::TDrawLines lines;
  qltest::FakeCanvas canvas;
};

void ExpectText(const TextOutCall& c, int x, int y, const std::string& text, int bits,
                ql::TColor color) {
  EXPECT_EQ(c.x, x) << text;
  EXPECT_EQ(c.y, y) << text;
  EXPECT_EQ(c.text, text);
  EXPECT_EQ(c.bits, bits) << text;
  EXPECT_EQ(c.color, color) << text;
}

TEST_F(DrawTest, PlainStyleDrawsLinesInItsOwnLooks) {
  TStyle s = MakeStyle();
  const TRect r{100, 50, 160, 150};  // 60 wide: 55 available
  LayAndDraw(s, "abc\n\ndef", r);
  ASSERT_EQ(canvas.fills.size(), 1u);
  EXPECT_EQ(canvas.fills[0].rect, r);
  EXPECT_EQ(canvas.fills[0].color, 0xC0FFEE);
  ASSERT_EQ(canvas.texts.size(), 2u);  // the empty middle line draws nothing
  ExpectText(canvas.texts[0], 103, 54, "abc", ql::kFontItalic, 0x112233);
  ExpectText(canvas.texts[1], 103, 54 + 32, "def", ql::kFontItalic, 0x112233);
  EXPECT_EQ(canvas.texts[0].clip, (TRect{100, 50, 158, 150}));  // right edge less margin - 1
  EXPECT_EQ(canvas.brush, 0x123456);  // restored
}

TEST_F(DrawTest, HighlightedRunsTakeTheirClassLooks) {
  ql::TTokensH tok(false);
  tok.AddKeyword("if");
  TStyle s = MakeStyle(&tok);
  LayAndDraw(s, "if 12 // c", TRect{0, 0, 200, 30});
  ASSERT_EQ(canvas.texts.size(), 5u);
  ExpectText(canvas.texts[0], 3, 4, "if", ql::kFontBold, 0x000000);
  ExpectText(canvas.texts[1], 3 + 24, 4, " ", 0, 0x000000);
  ExpectText(canvas.texts[2], 3 + 34, 4, "12", 0, 0xFF0000);
  ExpectText(canvas.texts[3], 3 + 54, 4, " ", 0, 0x000000);
  ExpectText(canvas.texts[4], 3 + 64, 4, "// c", 0, 0x808000);
}

TEST_F(DrawTest, WrapSymbolsAreRedAndShiftTheText) {
  TStyle s = MakeStyle();
  s.startSymbol = s.endSymbol = 0x95;
  s.wrapSymbol = 1;
  const std::string sym = "\x95";
  // 60 available: "aaaa" ends with the symbol, "bbbb" starts with it.
  LayAndDraw(s, "aaaa bbbb", TRect{0, 0, 65, 100});
  ASSERT_EQ(canvas.texts.size(), 4u);
  ExpectText(canvas.texts[0], 3, 4, "aaaa", ql::kFontItalic, 0x112233);
  ExpectText(canvas.texts[1], 3 + 40, 4, sym, 0, kRed);
  ExpectText(canvas.texts[2], 3, 20, sym, 0, kRed);
  ExpectText(canvas.texts[3], 3 + 8, 20, "bbbb", ql::kFontItalic, 0x112233);
}

TEST_F(DrawTest, CuttingWithTheEndSymbol) {
  TStyle s = MakeStyle();
  s.wrapLine = 0;
  s.endSymbol = 0x95;
  const TRect r{0, 0, 40, 20};  // 35 available
  LayAndDraw(s, "abcdefg", r);
  ASSERT_EQ(canvas.texts.size(), 2u);
  ExpectText(canvas.texts[0], 3, 4, "abc", ql::kFontItalic, 0x112233);
  ExpectText(canvas.texts[1], 33, 4, "\x95", 0, kRed);
  EXPECT_EQ(canvas.texts[1].clip.right, 38);  // the symbol reaches 41: the clip cuts it

  canvas.texts.clear();
  s.endSymbol = 0;
  LayAndDraw(s, "abcdefg", r);
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, "abcd");  // the fourth character is cut by the clip
}

TEST_F(DrawTest, SelectionBackgroundRule) {
  TStyle plain = MakeStyle();
  LayAndDraw(plain, "x", TRect{0, 0, 50, 20}, /*selected=*/true);
  EXPECT_EQ(canvas.fills.back().color, 0x123456);  // the selection colour stays
  EXPECT_EQ(canvas.brush, 0x123456);

  TStyle coloured = MakeStyle();
  coloured.bkColor = 0xC0FFEE;  // configured background
  LayAndDraw(coloured, "x", TRect{0, 0, 50, 20}, true);
  EXPECT_EQ(canvas.fills.back().color, 0xC0FFEE);
  EXPECT_EQ(canvas.brush, 0x123456);

  LayAndDraw(plain, "x", TRect{0, 0, 50, 20}, false);
  EXPECT_EQ(canvas.fills.back().color, 0xC0FFEE);
}

TEST_F(DrawTest, OnlyLinesThatFitAreDrawn) {
  TStyle s = MakeStyle();
  LayAndDraw(s, "a\nb\nc", TRect{0, 0, 50, 4 + 2 * 16 + 15});
  EXPECT_EQ(canvas.texts.size(), 2u);

  TStyle delegating;  // a document-only style draws as its delegate
  delegating.delegate = &s;
  canvas.texts.clear();
  ql::Draw(delegating, lines, TRect{0, 0, 50, 100}, false, canvas);
  ASSERT_EQ(canvas.texts.size(), 3u);
  EXPECT_EQ(canvas.texts[0].color, 0x112233);
}

TEST_F(DrawTest, EditPositionsMatchTheDrawing) {
  ql::TTokensH tok(false);
  tok.AddKeyword("if");
  TStyle s = MakeStyle(&tok);
  s.startSymbol = s.endSymbol = 0x95;
  const std::string text = "if aa bbbb";
  ql::Layout(s, text.data(), text.size(), 65, ql::TLayoutMode::kEdit, lines);  // 60 available
  ASSERT_EQ(lines.Stored(), 2);  // "if aa" + symbol, symbol + "bbbb"

  std::vector<int> xs;
  ql::CharXs(s, lines, 0, canvas, xs);
  EXPECT_EQ(xs, (std::vector<int>{3, 15, 27, 37, 47, 57}));  // bold "if", then 10 each
  ql::CharXs(s, lines, 1, canvas, xs);
  EXPECT_EQ(xs, (std::vector<int>{11, 21, 31, 41, 51}));  // after the 8-pixel start symbol

  // Draw puts the runs at the same places.
  ql::Draw(s, lines, TRect{0, 0, 65, 100}, false, canvas);
  EXPECT_EQ(canvas.texts[0].x, 3);
  EXPECT_EQ(canvas.texts[1].x, 27);
  ASSERT_EQ(canvas.texts.size(), 5u);  // "if", " aa", symbol; symbol, "bbbb"
  EXPECT_EQ(canvas.texts[2].x, 57);
  EXPECT_EQ(canvas.texts[4].x, 11);

  EXPECT_EQ(ql::LineOf(lines, 0), 0);
  EXPECT_EQ(ql::LineOf(lines, 5), 0);   // the eaten space
  EXPECT_EQ(ql::LineOf(lines, 6), 1);
  EXPECT_EQ(ql::LineOf(lines, 10), 1);  // the end of the text
  EXPECT_EQ(ql::LineTop(s, 1), 4 + 16);

  EXPECT_EQ(ql::CharAt(s, lines, 0, 0, canvas), 0u);
  EXPECT_EQ(ql::CharAt(s, lines, 10, 5, canvas), 1u);   // nearer the end of "i"
  EXPECT_EQ(ql::CharAt(s, lines, 8, 5, canvas), 0u);
  EXPECT_EQ(ql::CharAt(s, lines, 500, 5, canvas), 5u);  // past the end of line 1
  EXPECT_EQ(ql::CharAt(s, lines, 22, 25, canvas), 7u);  // line 2, "b|bbb"
  EXPECT_EQ(ql::CharAt(s, lines, 22, 999, canvas), 7u);  // below the lines: the last one
}

}  // namespace
