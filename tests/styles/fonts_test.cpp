#include "styles/fonts.h"

#include <gtest/gtest.h>

#include "fake_canvas.h"
#include "styles/measurer.h"
#include "styles/tokens.h"

namespace {

using ql::TFonts;
using ql::TStyle;

TEST(FontsTest, LadderMargins) {
  const struct {
    int size, position, margin;
  } cases[] = {
      {8, 0, 3},   {9, 1, 3},   {10, 2, 3},  {11, 3, 4},  {12, 4, 4},  {14, 5, 5},  {16, 6, 6},
      {18, 7, 6},  {20, 8, 7},  {22, 9, 8},  {24, 10, 9}, {26, 11, 9}, {28, 12, 10},
      // Off the ladder: the largest ladder size below, 3 below 8, the ratio carried on above 28.
      {1, -1, 3},  {7, -1, 3},  {13, -1, 4}, {15, -1, 5}, {27, -1, 9}, {29, -1, 10},
      {36, -1, 12}, {72, -1, 25},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TFonts::LadderPosition(c.size), c.position) << c.size;
    EXPECT_EQ(TFonts::LadderMargin(c.size), c.margin) << c.size;
  }
}

TEST(FontsTest, EntriesAreCachedByFaceSizeAndBits) {
  qltest::FakeDevice device;
  device.lineHeight = 19;
  TFonts fonts(&device);
  ql::TFontEntry* a = fonts.Get("Arial", 12, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(fonts.Get("Arial", 12, 0), a);
  EXPECT_NE(fonts.Get("Arial", 12, ql::kFontBold), a);
  EXPECT_NE(fonts.Get("Arial", 14, 0), a);
  EXPECT_NE(fonts.Get("Arial Black", 12, 0), a);
  EXPECT_EQ(fonts.Count(), 4);
  EXPECT_EQ(device.metricsCalls, 4);
  EXPECT_STREQ(a->face, "Arial");
  EXPECT_EQ(a->size, 12);
  EXPECT_EQ(a->ladder, 4);
  EXPECT_EQ(a->lineHeight, 19);
  EXPECT_EQ(a->leftMargin, 4);
  EXPECT_EQ(a->fixedWidth, 0);
  EXPECT_EQ(a->owner, &fonts);

  // Width tables per bits combination, each made once, on first use.
  EXPECT_EQ(device.widthCalls, 0);
  const uint8_t* plain = fonts.Widths(*a, 0);
  EXPECT_EQ(fonts.Widths(*a, 0), plain);
  const uint8_t* bold = fonts.Widths(*a, ql::kFontBold);
  EXPECT_EQ(device.widthCalls, 2);
  EXPECT_EQ(plain['a'], 10);
  EXPECT_EQ(bold['a'], 12);
  EXPECT_EQ(plain[0x95], 8);

  EXPECT_EQ(fonts.Get("Arial", 0, 0), nullptr);
  TFonts blind;
  EXPECT_EQ(blind.Get("Arial", 12, 0), nullptr);
}

TEST(FontsTest, EditBoxEdgeWidensTheMarginAndFixedPitchHasNoTables) {
  qltest::FakeDevice device;
  device.editLeftEdge = 7;
  device.fixedPitch = true;
  device.aveWidth = 9;
  TFonts fonts(&device);
  ql::TFontEntry* e = fonts.Get("Courier", 10, 0);
  EXPECT_EQ(e->leftMargin, 7);
  EXPECT_EQ(e->fixedWidth, 9);
  EXPECT_EQ(fonts.Widths(*e, 0), nullptr);
  EXPECT_EQ(device.widthCalls, 0);
}

class MeasureStyleTest : public ::testing::Test {
 protected:
  TStyle Style(int bits) {
    TStyle s;
    s.drawFace = "Test";
    s.drawSize = 16;
    s.drawBits = static_cast<int8_t>(bits);
    s.equalRows = 0;
    s.wrapSpace = 0;
    return s;
  }
  qltest::FakeDevice device;
  TFonts fonts{&device};
};

TEST_F(MeasureStyleTest, DrawingValues) {
  TStyle s = Style(ql::kFontBold);
  s.topSpace = 10;      // 1.6 pixels: 1
  s.bottomSpace = -30;  // -4.8 pixels: -4
  s.wrapSpace = 1;
  ASSERT_TRUE(ql::MeasureStyleWith(fonts, s));
  EXPECT_EQ(s.lineHeight, 16);
  EXPECT_EQ(s.leftMargin, 6);
  EXPECT_EQ(s.topSpacePx, 1);
  EXPECT_EQ(s.bottomSpacePx, -4);
  ASSERT_NE(s.font, nullptr);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(s.widths[k]['a'], 12) << k;  // its own (bold) table
  EXPECT_EQ(s.wrapIndent, 14);                                        // bold "w"
  EXPECT_EQ(s.startSymbolWidth, 8);
  EXPECT_EQ(s.endSymbolWidth, 8);

  s.equalRows = 1;
  ql::MeasureStyleWith(fonts, s);
  EXPECT_EQ(s.topSpacePx, -1);
  EXPECT_EQ(s.bottomSpacePx, -1);
}

TEST_F(MeasureStyleTest, HighlightedStylesMeasureKeywordsBold) {
  ql::TTokensH tok(false);
  TStyle s = Style(ql::kFontItalic);
  s.tokenizer = &tok;
  s.highlighting = 1;
  s.wrapSpace = 1;
  ASSERT_TRUE(ql::MeasureStyleWith(fonts, s));
  EXPECT_EQ(s.widths[ql::kTokKeyword]['a'], 12);
  for (int k : {0, 2, 3, 4, 5}) EXPECT_EQ(s.widths[k]['a'], 10) << k;
  EXPECT_EQ(s.wrapIndent, 12);  // plain "w"
  EXPECT_EQ(s.endSymbolWidth, 8);
}

TEST_F(MeasureStyleTest, UnknownFontValuesAreNotMeasured) {
  TStyle noFace = Style(0);
  noFace.drawFace.clear();
  TStyle noSize = Style(0);
  noSize.drawSize = 0;
  TStyle noBits = Style(-1);
  for (TStyle* s : {&noFace, &noSize, &noBits}) {
    EXPECT_FALSE(ql::MeasureStyleWith(fonts, *s));
    EXPECT_EQ(s->font, nullptr);
  }
}

TEST(MeasurerHookTest, InstalledMeasurerUsesTheGlobalCache) {
  qltest::FakeDevice device;
  ql::Fonts().SetDevice(&device);
  ql::TStyleMeasurer old = ql::SetStyleMeasurer(ql::MeasureStyleDrawing);
  TStyle s;
  s.drawFace = "Test";
  s.drawSize = 9;
  s.drawBits = 0;
  EXPECT_TRUE(ql::MeasureStyle(s));
  EXPECT_EQ(s.lineHeight, 16);
  EXPECT_EQ(s.leftMargin, 3);
  ql::SetStyleMeasurer(old);
  ql::Fonts().SetDevice(nullptr);
}

}  // namespace
