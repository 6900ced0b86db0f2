#pragma once
// A measuring device and a canvas with fixed widths, for layout and drawing tests: every
// character is 10 pixels wide (12 in bold), "w" 12 (14 in bold) and the wrap symbol 0x95 8;
// lines are 16 pixels high. The canvas records every fill and text output.
#include <string>
#include <string_view>
#include <vector>

#include "styles/canvas.h"

namespace qltest {

inline int FakeWidth(unsigned char c, int bits) {
  if (c == 0x95) return 8;
  int w = c == 'w' ? 12 : 10;
  return (bits & ql::kFontBold) ? w + 2 : w;
}

class FakeDevice : public ql::TMeasureDevice {
 public:
  int lineHeight = 16;
  bool fixedPitch = false;
  int aveWidth = 10;
  int editLeftEdge = 0;
  int metricsCalls = 0;
  int widthCalls = 0;

  ql::TFontMetrics Metrics(std::string_view, int, int) override {
    ++metricsCalls;
    return {lineHeight, aveWidth, fixedPitch};
  }
  void CharWidths(std::string_view, int, int bits, int widths[256]) override {
    ++widthCalls;
    for (int c = 0; c < 256; ++c) widths[c] = FakeWidth(static_cast<unsigned char>(c), bits);
  }
  int EditLeftEdge(std::string_view, int, int) override { return editLeftEdge; }
};

struct TextOutCall {
  int x, y;
  ql::TRect clip;
  std::string text;
  int bits;
  ql::TColor color;
};

struct FillCall {
  ql::TRect rect;
  ql::TColor color;
};

class FakeCanvas : public ql::TCanvas {
 public:
  ql::TColor brush = 0x123456;
  int bits = 0;
  ql::TColor color = 0;
  std::vector<TextOutCall> texts;
  std::vector<FillCall> fills;

  ql::TColor BrushColor() const override { return brush; }
  void SetBrushColor(ql::TColor c) override { brush = c; }
  void FillRect(const ql::TRect& r) override { fills.push_back({r, brush}); }
  void SetFont(std::string_view, int, int b, ql::TColor c) override {
    bits = b;
    color = c;
  }
  void TextOut(int x, int y, const ql::TRect& clip, const char* text, size_t n) override {
    texts.push_back({x, y, clip, std::string(text, n), bits, color});
  }
  int TextExtent(const char* text, size_t n) override {
    int w = 0;
    for (size_t i = 0; i < n; ++i) w += FakeWidth(static_cast<unsigned char>(text[i]), bits);
    return w;
  }
};

}  // namespace qltest
