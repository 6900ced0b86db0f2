#include "session/settings.h"

#include <charconv>
#include <cstdlib>

#include "base/comma_text.h"
#include "base/profile.h"
#include "styles/layout.h"

namespace ql {

namespace {

constexpr size_t kFontNameChars = 99;
constexpr size_t kFilesChars = 9999;
constexpr size_t kShortChars = 299;

bool GetBool(const TProfile& ini, const char* key, bool def) {
  return ini.GetInt(kMainSection, key, def ? 1 : 0) != 0;
}

void SetBool(TProfile& ini, const char* key, bool value) { ini.SetInt(kMainSection, key, value ? 1 : 0); }

void SetOrDelete(TProfile& ini, const char* key, const std::string& value) {
  if (value.empty()) {
    ini.DeleteKey(kMainSection, key);
  } else {
    ini.SetString(kMainSection, key, value);
  }
}

}  // namespace

void TMainSettings::Load(const TProfile& ini) {
  const char* s = kMainSection;
  SelColor = ini.GetInt(s, "SelColor", SelColor);
  NodeBkColor = ini.GetInt(s, "NodeBkColor", NodeBkColor);
  TextBkColor = ini.GetInt(s, "TextBkColor", TextBkColor);
  NodeFontSize = ini.GetInt(s, "NodeFontSize", NodeFontSize);
  TextFontSize = ini.GetInt(s, "TextFontSize", TextFontSize);
  NodeFontStyle = ini.GetInt(s, "NodeFontStyle", NodeFontStyle);
  TextFontStyle = ini.GetInt(s, "TextFontStyle", TextFontStyle);
  NodeFontName = ini.GetString(s, "NodeFontName", NodeFontName, kFontNameChars);
  TextFontName = ini.GetString(s, "TextFontName", TextFontName, kFontNameChars);
  SameColor = GetBool(ini, "SameColor", SameColor);
  WinPosition = ini.GetString(s, "WinPosition", WinPosition, kShortChars);
  TextWidth = ini.GetInt(s, "TextWidth", TextWidth);
  FirstCall = ini.GetString(s, "FirstCall", FirstCall, kShortChars);
  Dir = ini.GetString(s, "Dir", Dir, kShortChars);
  File = ini.GetString(s, "File", File, kShortChars);
  Wrap = GetBool(ini, "Wrap", Wrap);
  OneBranch = GetBool(ini, "OneBranch", OneBranch);
  MoreVis = GetBool(ini, "MoreVis", MoreVis);
  TreeStep = ini.GetInt(s, "TreeStep", TreeStep);
  OneTreeColor = GetBool(ini, "OneTreeColor", OneTreeColor);
  Lines = GetBool(ini, "Lines", Lines);
  Points = GetBool(ini, "Points", Points);
  HorzLine = GetBool(ini, "HorzLine", HorzLine);
  VertAlign = ini.GetInt(s, "VertAlign", VertAlign);
  Files = SplitCommaText(RepairCommaQuoting(ini.GetString(s, "Files", {}, kFilesChars)));
}

void TMainSettings::Save(TProfile& ini) const {
  const char* s = kMainSection;
  if (!WinPosition.empty()) ini.SetString(s, "WinPosition", WinPosition);
  ini.SetInt(s, "SelColor", SelColor);
  ini.SetInt(s, "NodeBkColor", NodeBkColor);
  ini.SetInt(s, "TextBkColor", TextBkColor);
  ini.SetInt(s, "NodeFontSize", NodeFontSize);
  ini.SetInt(s, "TextFontSize", TextFontSize);
  ini.SetInt(s, "NodeFontStyle", NodeFontStyle);
  ini.SetInt(s, "TextFontStyle", TextFontStyle);
  ini.SetString(s, "NodeFontName", NodeFontName);
  ini.SetString(s, "TextFontName", TextFontName);
  SetBool(ini, "SameColor", SameColor);
  ini.SetInt(s, "TextWidth", TextWidth);
  SetBool(ini, "Wrap", Wrap);
  ini.SetInt(s, "TreeStep", TreeStep);
  SetBool(ini, "OneTreeColor", OneTreeColor);
  SetBool(ini, "Lines", Lines);
  SetBool(ini, "Points", Points);
  SetBool(ini, "HorzLine", HorzLine);
  ini.SetInt(s, "VertAlign", VertAlign);
  SetBool(ini, "OneBranch", OneBranch);
  SetBool(ini, "MoreVis", MoreVis);
  ini.SetString(s, "Files", JoinCommaText(Files));
  SetOrDelete(ini, "Dir", Dir);
  SetOrDelete(ini, "File", File);
}

int EffectiveTextWidth(int stored) { return stored < 10 ? 10 : stored; }

int TextPanelWidth(int clientWidth, int splitterWidth, int textWidth) {
  const long w = static_cast<long>(clientWidth) - splitterWidth - EffectiveTextWidth(textWidth);
  return w < 10 ? 10 : static_cast<int>(w);
}

bool IsFirstCall(const std::string& firstCall) { return firstCall.empty() || firstCall[0] != '0'; }

int LadderFontSize(int size) { return SizeLadderPos(size) < 0 ? 10 : size; }

TDisplayValues DisplayValues(const TMainSettings& s) {
  TDisplayValues d;
  d.Sel = s.SelColor;
  d.NodeBk = s.NodeBkColor;
  d.Mark = MarkColor(s.NodeBkColor);
  d.NodeFace = s.NodeFontName;
  d.NodeSize = LadderFontSize(s.NodeFontSize);
  d.NodeBits = s.NodeFontStyle & 3;
  d.NodeColor = ContrastColor(s.NodeBkColor);
  if (s.SameColor) {
    d.TextBk = s.NodeBkColor;
    d.TextFace = d.NodeFace;
    d.TextSize = d.NodeSize;
    d.TextBits = d.NodeBits;
    d.TextColor = d.NodeColor;
  } else {
    d.TextBk = s.TextBkColor;
    d.TextFace = s.TextFontName;
    d.TextSize = LadderFontSize(s.TextFontSize);
    d.TextBits = s.TextFontStyle & 3;
    d.TextColor = ContrastColor(s.TextBkColor);
  }
  return d;
}

bool ParsePosRecord(const std::string& text, bool positionOnly, TPosRecord& rec) {
  const std::vector<std::string> items = SplitCommaText(text.substr(0, 299));
  const size_t need = positionOnly ? 2 : 5;
  if (items.size() < need) return false;
  int v[5] = {};
  for (size_t i = 0; i < need; ++i) {
    const std::string& item = items[i];
    const char* end = item.data() + item.size();
    const auto r = std::from_chars(item.data(), end, v[i]);
    if (r.ec != std::errc() || r.ptr != end) return false;
  }
  rec = TPosRecord{v[0], v[1], v[2], v[3], v[4] != 0};
  return true;
}

std::string FormatPosRecord(const TPosRecord& rec, bool positionOnly) {
  std::vector<std::string> items{std::to_string(rec.Top), std::to_string(rec.Left)};
  if (!positionOnly) {
    items.push_back(std::to_string(rec.Width));
    items.push_back(std::to_string(rec.Height));
    items.push_back(rec.Maximized ? "1" : "0");
  }
  return JoinCommaText(items);
}

bool OverlapsDesktop(int left, int top, int width, int height, const TDesktopRect& d) {
  const long l = left, t = top, w = width, h = height;
  return !(d.Right < l + 20 || l + w < d.Left + 20L || d.Bottom < t + 20 || t + h < d.Top + 20L);
}

}  // namespace ql
