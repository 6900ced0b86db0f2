#include "session/settings.h"
#include "styles/layout.h"

#include <gtest/gtest.h>

#include "base/profile.h"

namespace {

using ql::TMainSettings;
using ql::TProfile;

TEST(Settings, DefaultsWithoutFile) {
  TProfile ini;
  TMainSettings s;
  s.Load(ini);
  EXPECT_EQ(s.SelColor, 0xF0C0C0);
  EXPECT_EQ(s.NodeBkColor, 0xFFFFFF);
  EXPECT_EQ(s.TextBkColor, 0xFFFFFF);
  EXPECT_EQ(s.NodeFontSize, 12);
  EXPECT_EQ(s.TextFontSize, 12);
  EXPECT_EQ(s.NodeFontStyle, 0);
  EXPECT_EQ(s.NodeFontName, "Times New Roman");
  EXPECT_EQ(s.TextFontName, "Times New Roman");
  EXPECT_TRUE(s.SameColor);
  EXPECT_EQ(s.WinPosition, "");
  EXPECT_EQ(s.TextWidth, 400);
  EXPECT_EQ(s.FirstCall, "");
  EXPECT_TRUE(s.Wrap);
  EXPECT_FALSE(s.OneBranch);
  EXPECT_FALSE(s.MoreVis);
  EXPECT_EQ(s.TreeStep, 10);
  EXPECT_FALSE(s.OneTreeColor);
  EXPECT_TRUE(s.Lines);
  EXPECT_TRUE(s.Points);
  EXPECT_TRUE(s.HorzLine);
  EXPECT_EQ(s.VertAlign, 1);
  EXPECT_TRUE(s.Files.empty());
}

TEST(Settings, SaveWritesEveryShutdownKeyAndReadsBack) {
  TMainSettings s;
  s.NodeFontSize = 14;
  s.NodeFontName = "Arial";
  s.SameColor = false;
  s.TreeStep = 16;
  s.Files = {"|My Plan", ":Notes|Plan"};
  TProfile ini;
  s.Save(ini);
  for (const char* key : {"SelColor", "NodeBkColor", "TextBkColor", "NodeFontSize", "TextFontSize", "NodeFontStyle",
                          "TextFontStyle", "NodeFontName", "TextFontName", "SameColor", "TextWidth", "Wrap",
                          "TreeStep", "OneTreeColor", "Lines", "Points", "HorzLine", "VertAlign", "OneBranch",
                          "MoreVis", "Files"}) {
    EXPECT_NE(ini.GetString("0", key, "<missing>"), "<missing>") << key;
  }
  // Empty "Dir"/"File" and an unset position are not written; FirstCall is not this function's.
  for (const char* key : {"Dir", "File", "WinPosition", "FirstCall"}) {
    EXPECT_EQ(ini.GetString("0", key, "<missing>"), "<missing>") << key;
  }
  EXPECT_EQ(ini.GetString("0", "SelColor"), "15777984");

  TProfile reread;
  reread.Parse(ini.Text());
  TMainSettings back;
  back.Load(reread);
  EXPECT_EQ(back.NodeFontSize, 14);
  EXPECT_EQ(back.NodeFontName, "Arial");
  EXPECT_FALSE(back.SameColor);
  EXPECT_EQ(back.TreeStep, 16);
  EXPECT_EQ(back.Files, s.Files);
}

TEST(Settings, OneRecentEntryWithBlanksSurvives) {
  // The profile reader drops the quotes around a whole value; the repair puts them back.
  TMainSettings s;
  s.Files = {":My Notes|A Plan"};
  TProfile ini;
  s.Save(ini);
  TProfile reread;
  reread.Parse(ini.Text());
  TMainSettings back;
  back.Load(reread);
  EXPECT_EQ(back.Files, s.Files);
}

TEST(Settings, DisplayRules) {
  EXPECT_EQ(ql::EffectiveTextWidth(5), 10);
  EXPECT_EQ(ql::EffectiveTextWidth(400), 400);
  EXPECT_EQ(ql::TextPanelWidth(1000, 3, 5), 987);
  EXPECT_EQ(ql::TextPanelWidth(300, 3, 400), 10);

  TMainSettings s;
  s.NodeFontSize = 13;  // not on the size ladder
  s.TextFontSize = 14;
  s.NodeFontStyle = 7;
  s.NodeBkColor = 0;
  s.TextBkColor = 0xFFFFFF;
  ql::TDisplayValues d = ql::DisplayValues(s);
  EXPECT_EQ(d.NodeSize, 10);
  EXPECT_EQ(d.NodeBits, 3);
  // SameColor: the text takes the node font and background.
  EXPECT_EQ(d.TextSize, 10);
  EXPECT_EQ(d.TextBk, 0);
  EXPECT_EQ(d.TextColor, d.NodeColor);
  s.SameColor = false;
  d = ql::DisplayValues(s);
  EXPECT_EQ(d.TextSize, 14);
  EXPECT_EQ(d.TextBk, 0xFFFFFF);
  EXPECT_NE(d.TextColor, d.NodeColor);

  EXPECT_EQ(ql::MarkColor(0xFFFFFF), 0xC0C0C0);
  EXPECT_EQ(ql::MarkColor(0xF0F0F0), 0xC0C0C0);  // 720 > 692
  EXPECT_EQ(ql::MarkColor(0xE6E6E6), 0xFFFFFF);  // 690
  EXPECT_TRUE(ql::IsFirstCall(""));
  EXPECT_TRUE(ql::IsFirstCall("1"));
  EXPECT_FALSE(ql::IsFirstCall("0"));
  EXPECT_FALSE(ql::IsFirstCall("0abc"));
}

TEST(Settings, PositionRecords) {
  ql::TPosRecord r;
  ASSERT_TRUE(ql::ParsePosRecord("10,20,300,200,1", false, r));
  EXPECT_EQ(r.Top, 10);
  EXPECT_EQ(r.Left, 20);
  EXPECT_EQ(r.Width, 300);
  EXPECT_EQ(r.Height, 200);
  EXPECT_TRUE(r.Maximized);
  EXPECT_EQ(ql::FormatPosRecord(r, false), "10,20,300,200,1");
  EXPECT_EQ(ql::FormatPosRecord(r, true), "10,20");
  ASSERT_TRUE(ql::ParsePosRecord("5,6", true, r));
  EXPECT_EQ(r.Left, 6);
  EXPECT_FALSE(ql::ParsePosRecord("5,6", false, r));      // too few items
  EXPECT_FALSE(ql::ParsePosRecord("a,6", true, r));       // not numbers: ignored
  EXPECT_FALSE(ql::ParsePosRecord("1,2,3x,4,0", false, r));

  const ql::TDesktopRect desk{0, 0, 1920, 1080};
  EXPECT_TRUE(ql::OverlapsDesktop(100, 100, 800, 600, desk));
  EXPECT_TRUE(ql::OverlapsDesktop(1900, 1060, 800, 600, desk));  // exactly 20 pixels
  EXPECT_FALSE(ql::OverlapsDesktop(1901, 100, 800, 600, desk));
  EXPECT_FALSE(ql::OverlapsDesktop(-790, 100, 800, 600, desk));
  EXPECT_FALSE(ql::OverlapsDesktop(100, 1061, 800, 600, desk));
}

}  // namespace
