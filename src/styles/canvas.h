#pragma once
// The outside world of the layout: a measuring device (font metrics and advance widths) and a
// drawing canvas. The GUI provides Qt implementations; tests use fakes with fixed widths, so
// the layout and drawing code stays pure.
#include <cstddef>
#include <string_view>

#include "styles/style.h"

namespace ql {

// Font style bits as the canvas takes them; a style's drawing bits use only bold and italic.
enum FontBits : int {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
};

// Rectangle with GDI conventions: right and bottom edges are outside.
struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TRect&) const = default;
};

struct TFontMetrics {
  int height = 0;        // line height (text-metric height)
  int aveCharWidth = 0;  // average character width
  bool fixedPitch = false;
};

class TMeasureDevice {
 public:
  virtual ~TMeasureDevice() = default;
  // face: document text (1251); size in points; bits: kFontBold | kFontItalic.
  virtual TFontMetrics Metrics(std::string_view face, int size, int bits) = 0;
  // Advance widths of the 1251 codes 0-255.
  virtual void CharWidths(std::string_view face, int size, int bits, int widths[256]) = 0;
  // Left edge of an edit box's formatting rectangle with this font (0 where the edit widget has
  // no inner margin of its own).
  virtual int EditLeftEdge(std::string_view face, int size, int bits) = 0;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;
  virtual TColor BrushColor() const = 0;
  virtual void SetBrushColor(TColor color) = 0;
  // Fills with the brush colour, right and bottom edges excluded.
  virtual void FillRect(const TRect& r) = 0;
  // bits: any of kFontBold, kFontItalic, kFontUnderline.
  virtual void SetFont(std::string_view face, int size, int bits, TColor color) = 0;
  // Draws 1251 text with its cell's top-left at (x, y), nothing outside clip.
  virtual void TextOut(int x, int y, const TRect& clip, const char* text, size_t n) = 0;
  // Width of the text in the current font.
  virtual int TextExtent(const char* text, size_t n) = 0;
};

}  // namespace ql
