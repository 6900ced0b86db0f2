#include "styles/draw_text.h"

#include <algorithm>

#include "styles/tokens.h"

namespace ql {
namespace {

enum Piece { kStartSymbol, kTextRun, kEndSymbol };

// Calls piece(x, text, n, kind) for every piece of line k in drawing order (start symbol, the
// text's runs, end symbol) with the canvas font set for it; x advances by each piece's extent.
template <class F>
void WalkLine(const TStyle& st, const TDrawLines& lines, int k, int x0, TCanvas& canvas, F&& piece) {
  const TDrawLine& line = lines.Line(k);
  const char* text = lines.Text() + line.start;
  int x = x0;
  auto put = [&](const char* p, size_t n, int bits, TColor colour, Piece kind) {
    canvas.SetFont(st.drawFace, st.drawSize, bits, colour);
    piece(x, p, n, kind);
    x += canvas.TextExtent(p, n);
  };
  const char startSymbol = static_cast<char>(line.startSymbol);
  const char endSymbol = static_cast<char>(line.endSymbol);
  if (line.startSymbol) put(&startSymbol, 1, 0, kSymbolColor, kStartSymbol);
  else x += line.indent;
  if (st.tokenizer) {
    const unsigned char* cl = lines.Classes() + line.start;
    size_t p = 0;
    while (p < line.length) {
      size_t q = p + 1;
      while (q < line.length && cl[q] == cl[p]) ++q;
      put(text + p, q - p, kTokenFontBits[cl[p]], kTokenColors[cl[p]], kTextRun);
      p = q;
    }
  } else if (line.length) {
    put(text, line.length, std::max<int>(st.drawBits, 0), st.drawColor, kTextRun);
  }
  if (line.endSymbol) put(&endSymbol, 1, 0, kSymbolColor, kEndSymbol);
}

}  // namespace

void Draw(const TStyle& style, const TDrawLines& lines, const TRect& rect, bool selected,
          TCanvas& canvas) {
  const TStyle& st = DrawnStyle(style);
  const TColor saved = canvas.BrushColor();
  if (!(selected && st.bkColor == kNoColor)) canvas.SetBrushColor(st.drawBkColor);
  canvas.FillRect(rect);
  TRect clip = rect;
  clip.right -= st.leftMargin - 1;
  canvas.SetFont(st.drawFace, st.drawSize, std::max<int>(st.drawBits, 0), st.drawColor);
  const int x0 = rect.left + st.leftMargin;
  const int y0 = rect.top + st.topSpacePx;
  int visible = 0;
  if (st.lineHeight > 0)
    visible = std::min((rect.bottom - y0 - st.bottomSpacePx) / st.lineHeight, lines.Stored());
  for (int k = 0; k < visible; ++k) {
    if (lines.Line(k).length == 0) continue;
    const int y = y0 + k * st.lineHeight;
    WalkLine(st, lines, k, x0, canvas, [&](int x, const char* p, size_t n, Piece) {
      canvas.TextOut(x, y, clip, p, n);
    });
  }
  canvas.SetBrushColor(saved);
}

int LineOf(const TDrawLines& lines, size_t pos) {
  int lo = 0, hi = lines.Stored() - 1;
  while (lo < hi) {  // the last line whose start is <= pos
    int mid = (lo + hi + 1) / 2;
    if (lines.Line(mid).start <= pos) lo = mid;
    else hi = mid - 1;
  }
  return std::max(lo, 0);
}

int LineTop(const TStyle& style, int k) {
  const TStyle& st = DrawnStyle(style);
  return st.topSpacePx + k * st.lineHeight;
}

void CharXs(const TStyle& style, const TDrawLines& lines, int k, TCanvas& canvas,
            std::vector<int>& xs) {
  const TStyle& st = DrawnStyle(style);
  xs.clear();
  if (k < 0 || k >= lines.Stored()) return;
  const TDrawLine& line = lines.Line(k);
  if (line.length == 0) {  // Draw skips empty lines, symbols included
    xs.push_back(st.leftMargin);
    return;
  }
  int textEnd = 0;  // where the text ends, end symbol left out
  WalkLine(st, lines, k, st.leftMargin, canvas, [&](int x, const char* p, size_t n, Piece kind) {
    if (kind == kEndSymbol) return;
    if (kind == kTextRun) {
      xs.push_back(x);
      for (size_t j = 1; j < n; ++j) xs.push_back(x + canvas.TextExtent(p, j));
    }
    textEnd = x + canvas.TextExtent(p, n);
  });
  xs.push_back(textEnd);
}

size_t CharAt(const TStyle& style, const TDrawLines& lines, int x, int y, TCanvas& canvas) {
  const TStyle& st = DrawnStyle(style);
  if (lines.Stored() == 0) return 0;
  int k = st.lineHeight > 0 ? (y - st.topSpacePx) / st.lineHeight : 0;
  if (y < st.topSpacePx) k = 0;
  k = std::clamp(k, 0, lines.Stored() - 1);
  std::vector<int> xs;
  CharXs(style, lines, k, canvas, xs);
  const TDrawLine& line = lines.Line(k);
  for (size_t j = 0; j < line.length; ++j)
    if (x < (xs[j] + xs[j + 1] + 1) / 2) return line.start + j;
  return line.start + line.length;
}

}  // namespace ql
