#pragma once
// Section "0" of QL.ini: the main window's settings with their defaults. Read once at start-up,
// written at shutdown; "Dir" and "File" are also written as soon as a document is chosen (see
// TSession::SetDocName), and "FirstCall" at the first start.
#include <string>
#include <vector>

#include "base/colors.h"

namespace ql {

class TProfile;

inline constexpr const char* kMainSection = "0";

struct TMainSettings {
  TColor SelColor = 15777984;  // 0xF0C0C0
  TColor NodeBkColor = 16777215;
  TColor TextBkColor = 16777215;
  int NodeFontSize = 12;
  int TextFontSize = 12;
  int NodeFontStyle = 0;  // bit 0 bold, bit 1 italic
  int TextFontStyle = 0;
  std::string NodeFontName = "Times New Roman";  // UTF-8, at most 99 characters read
  std::string TextFontName = "Times New Roman";
  bool SameColor = true;
  std::string WinPosition;  // position record; empty = none (then not written)
  int TextWidth = 400;      // as stored; see EffectiveTextWidth
  std::string FirstCall;
  std::string Dir;
  std::string File;
  bool Wrap = true;
  bool OneBranch = false;
  bool MoreVis = false;
  int TreeStep = 10;
  bool OneTreeColor = false;
  bool Lines = true;
  bool Points = true;
  bool HorzLine = true;
  int VertAlign = 1;
  // "Files": the recent list, most recent first, split from its comma text after the quoting
  // repair.
  std::vector<std::string> Files;

  // Missing keys keep the defaults above.
  void Load(const TProfile& ini);
  // Writes every key written at shutdown ("WinPosition" only when set), then "Dir" and "File"
  // (an empty value deletes the key). "FirstCall" is not touched.
  void Save(TProfile& ini) const;
};

// "TextWidth" below 10 counts as 10.
int EffectiveTextWidth(int stored);
// Width of the text panel: client width minus the splitter minus the tree side, at least 10.
int TextPanelWidth(int clientWidth, int splitterWidth, int textWidth);
// "FirstCall" asks for the file-type registration unless it begins with the digit 0.
bool IsFirstCall(const std::string& firstCall);

// A font size that is not on the size ladder becomes 10.
int LadderFontSize(int size);

// What the display takes from the settings (the rules of applying colours and fonts): the node
// and text fonts with their effective sizes and colours, the effective text background.
struct TDisplayValues {
  std::string NodeFace, TextFace;  // UTF-8
  int NodeSize = 10, TextSize = 10;
  int NodeBits = 0, TextBits = 0;
  TColor NodeColor = 0, TextColor = 0;  // contrast colours of the backgrounds
  TColor NodeBk = 0, TextBk = 0, Sel = 0, Mark = 0;
};
TDisplayValues DisplayValues(const TMainSettings& s);

// Window position records: "top,left,width,height,maximized" (full) or "top,left".
struct TPosRecord {
  int Top = 0, Left = 0, Width = 0, Height = 0;
  bool Maximized = false;
};
// False (nothing to apply) when the record has too few items or an item is not a number.
bool ParsePosRecord(const std::string& text, bool positionOnly, TPosRecord& rec);
std::string FormatPosRecord(const TPosRecord& rec, bool positionOnly);
struct TDesktopRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// The window rectangle left, top, width, height overlaps the desktop by at least 20 pixels in
// each direction.
bool OverlapsDesktop(int left, int top, int width, int height, const TDesktopRect& desktop);

}  // namespace ql
