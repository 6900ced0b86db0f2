#pragma once
// The layout's measuring device over Qt fonts: pixel sizes from points at 96 dpi, the line
// height of QFontMetrics, fixed pitch from QFontInfo and the advance of every 1251 character.
// Needs a QGuiApplication.
#include "styles/canvas.h"

namespace ql {

class TQtMeasureDevice final : public TMeasureDevice {
 public:
  TFontMetrics Metrics(std::string_view face, int size, int bits) override;
  void CharWidths(std::string_view face, int size, int bits, int widths[256]) override;
  // The in-place editor draws with the cell's margins, so its box adds nothing.
  int EditLeftEdge(std::string_view, int, int) override { return 0; }
};

// The device the program measures with; install it in the font cache and as the style
// measurer before the style table loads (InstallQtMeasuring does both).
TQtMeasureDevice& QtMeasureDevice();
void InstallQtMeasuring();

}  // namespace ql
