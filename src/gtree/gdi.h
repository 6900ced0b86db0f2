#pragma once
// TGdi: painting over a QPainter with the conventions of the Windows GDI, so the grid's drawing
// code keeps their exact pixel arithmetic: fills and rectangles leave out their right and bottom
// edges, LineTo leaves out its end point, a hatched brush draws only its lines (transparent
// gaps) from a brush origin, the pen may be clear. It is also the layout's drawing canvas.
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "styles/canvas.h"

namespace ql {

// 0x00BBGGRR colour values to and from Qt.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
// Pixels of a font of `points` points at 96 dots per inch, rounded as GDI does (12 pt = 16 px).
int PointsToPixels(int points);
// The Qt font for a face (1251 text), a size in points and kFontBold/kFontItalic/kFontUnderline
// bits. Kerning is off and advances are whole pixels, so a string is exactly as wide as the sum
// of its characters' advances.
QFont MakeFont(std::string_view face, int size, int bits);

constexpr TColor kClBtnFace = 0xF0F0F0;  // the system button face colour

struct TGdiPoint {
  int x, y;
};

class TGdi final : public TCanvas {
 public:
  // The painter must stay active while the object is used.
  explicit TGdi(QPainter& painter);

  QPainter& Painter() { return p_; }

  // --- brush: solid with a colour, or a forward-diagonal ("\") hatch whose lines take the
  // hatch colour and whose gaps leave the background as it is.
  TColor BrushColor() const override { return brush_; }
  void SetBrushColor(TColor color) override { brush_ = color; }
  void SetHatchBrush(TColor lineColor) { hatch_ = lineColor; }
  void SetSolidBrush() { hatch_.reset(); }
  void SetBrushOrigin(int x, int y) { originX_ = x; originY_ = y; }

  // --- pen: solid one-pixel lines in a colour, or clear (outlines are not drawn).
  TColor PenColor() const { return pen_; }
  void SetPenColor(TColor color) { pen_ = color; }
  void SetPenClear(bool clear) { penClear_ = clear; }

  // Fills [l, r) x [t, b) with the brush.
  void FillRect(const TRect& r) override;
  void FillRect(int l, int t, int r, int b) { FillRect(TRect{l, t, r, b}); }
  void MoveTo(int x, int y) { curX_ = x; curY_ = y; }
  // Draws from the current position to (x, y) without the end point, which becomes current.
  void LineTo(int x, int y);
  void Polyline(std::initializer_list<TGdiPoint> points);
  void SetPixel(int x, int y, TColor color);
  // Outline in the pen inside [l, r) x [t, b), inside filled with the brush; with a clear pen
  // only the brush fills [l, r - 1) x [t, b - 1), as GDI does.
  void Rectangle(int l, int t, int r, int b);
  // The same with corners rounded by an ellipse of w x h.
  void RoundRect(int l, int t, int r, int b, int w, int h);

  // --- text (1251 bytes), the canvas interface of the layout
  void SetFont(std::string_view face, int size, int bits, TColor color) override;
  void TextOut(int x, int y, const TRect& clip, const char* text, size_t n) override;
  int TextExtent(const char* text, size_t n) override;
  // Line height of the current font.
  int TextHeight();
  // Fills the clip rectangle with the brush, then draws the text clipped to it (VCL TextRect).
  void TextRect(const TRect& clip, int x, int y, std::string_view text);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color) { fontColor_ = color; }

 private:
  void Plot(int x, int y, TColor color);
  void FillBrush(int l, int t, int r, int b);
  const QFontMetrics& Metrics();

  QPainter& p_;
  TColor brush_ = 0xFFFFFF;
  std::optional<TColor> hatch_;
  int originX_ = 0, originY_ = 0;
  TColor pen_ = 0;
  bool penClear_ = false;
  int curX_ = 0, curY_ = 0;
  std::string fontKey_;
  QFont font_;
  std::optional<QFontMetrics> metrics_;
  TColor fontColor_ = 0;
};

}  // namespace ql
