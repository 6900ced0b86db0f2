// The style table measured through the installed measurer, then laid out and drawn.
#include <gtest/gtest.h>

#include <string>

#include "base/profile.h"
#include "fake_canvas.h"
#include "styles/draw_text.h"
#include "styles/fonts.h"
#include "styles/measurer.h"
#include "styles/styles.h"
#include "styles/tokens.h"

namespace {

class TableLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ql::Fonts().SetDevice(&device);
    old = ql::SetStyleMeasurer(ql::MeasureStyleDrawing);
  }
  void TearDown() override {
    ql::SetStyleMeasurer(old);
    ql::Fonts().SetDevice(nullptr);
  }
  qltest::FakeDevice device;
  ql::TStyleMeasurer old;
};

TEST_F(TableLayoutTest, LoadedStylesAreMeasuredAndLaidOut) {
  ql::TProfile ini;
  ini.Parse(
      "[Code]\nFontName=Mono\nFontSize=10\nFontStyle=0\nKeyWords=if while\nIsWrapSymbol=1\n"
      "TopSpace=50\n"
      "[Plain]\nWrapSpace=1\n");
  ql::TStyles table;
  table.Load(ini);
  ql::TStyle* code = table.Find("Code");
  ASSERT_NE(code, nullptr);
  ASSERT_NE(code->font, nullptr);  // measured when the table finished it
  EXPECT_EQ(code->lineHeight, 16);
  EXPECT_EQ(code->topSpacePx, 8);
  EXPECT_EQ(code->widths[ql::kTokKeyword]['i'], 12);
  EXPECT_EQ(code->widths[ql::kTokPlain]['i'], 10);

  ql::TStyle* plain = table.Find("Plain");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->font, nullptr);  // no font of its own: measured once the base font is known
  table.SetNodeFont(ql::TBaseFont{"Tahoma", 12, ql::kFontItalic, 0x000080}, 0xFFFFFF);
  ASSERT_NE(plain->font, nullptr);
  EXPECT_EQ(plain->leftMargin, 4);
  EXPECT_EQ(plain->wrapIndent, 12);

  // "if" is 24 pixels bold: with 50 available pixels the keyword, a blank and "ab" do not fit.
  ql::TDrawLines lines;
  const std::string text = "if ab";
  ql::Layout(*code, text.data(), text.size(), 50 + 5, ql::TLayoutMode::kCell, lines);
  ASSERT_EQ(lines.Stored(), 2);
  EXPECT_EQ(lines.Line(0).endSymbol, 0x95);
  EXPECT_EQ(lines.Line(1).startSymbol, 0x95);
  EXPECT_EQ(ql::Height(*code, lines, 1000), 2 * 16 + 8);

  qltest::FakeCanvas canvas;
  ql::Draw(*code, lines, ql::TRect{0, 0, 55, 100}, false, canvas);
  ASSERT_FALSE(canvas.texts.empty());
  EXPECT_EQ(canvas.texts[0].text, "if");
  EXPECT_EQ(canvas.texts[0].bits, ql::kFontBold);
  EXPECT_EQ(canvas.texts[0].y, 8);
}

}  // namespace
