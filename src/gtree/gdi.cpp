#include "gtree/gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/cp1251.h"

namespace ql {
namespace {

QString ToQString(const char* text, size_t n) {
  QString s;
  s.reserve(static_cast<qsizetype>(n));
  for (size_t i = 0; i < n; ++i)
    s.append(QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(text[i])))));
  return s;
}

}  // namespace

QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TColor FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

QFont MakeFont(std::string_view face, int size, int bits) {
  QFont f(QString::fromStdString(Cp1251ToUtf8(face)));
  f.setPixelSize(PointsToPixels(size > 0 ? size : 10));
  f.setBold(bits & kFontBold);
  f.setItalic(bits & kFontItalic);
  f.setUnderline(bits & kFontUnderline);
  f.setKerning(false);
  // Full hinting gives whole-pixel advances, as GDI has: a string is then exactly as wide as
  // the sum of its characters' widths the layout measured with (fractional advances would make
  // drawn lines run past where the layout broke them).
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

TGdi::TGdi(QPainter& painter) : p_(painter) {}

void TGdi::Plot(int x, int y, TColor color) { p_.fillRect(x, y, 1, 1, ToQColor(color)); }

void TGdi::FillBrush(int l, int t, int r, int b) {
  if (r <= l || b <= t) return;
  if (!hatch_) {
    p_.fillRect(l, t, r - l, b - t, ToQColor(brush_));
    return;
  }
  // HS_FDIAGONAL: one "\" line every 8 pixels through the brush origin.
  const QColor c = ToQColor(*hatch_);
  for (int y = t; y < b; ++y) {
    int first = l + (((originX_ + (y - originY_) - l) % 8) + 8) % 8;
    for (int x = first; x < r; x += 8) p_.fillRect(x, y, 1, 1, c);
  }
}

void TGdi::FillRect(const TRect& r) { FillBrush(r.left, r.top, r.right, r.bottom); }

void TGdi::LineTo(int x, int y) {
  const int x0 = curX_, y0 = curY_;
  curX_ = x;
  curY_ = y;
  if (penClear_) return;
  const QColor c = ToQColor(pen_);
  if (x0 == x || y0 == y) {  // straight lines as one fill
    if (x0 == x && y0 == y) return;
    if (x0 == x) p_.fillRect(x, y0 < y ? y0 : y + 1, 1, std::abs(y - y0), c);
    else p_.fillRect(x0 < x ? x0 : x + 1, y, std::abs(x - x0), 1, c);
    return;
  }
  // Bresenham from the start point, leaving out the end point.
  const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
  const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
  int err = dx + dy, px = x0, py = y0;
  while (px != x || py != y) {
    p_.fillRect(px, py, 1, 1, c);
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; px += sx; }
    if (e2 <= dx) { err += dx; py += sy; }
  }
}

void TGdi::Polyline(std::initializer_list<TGdiPoint> points) {
  // Unlike LineTo, a polyline does not move the current position.
  const int sx = curX_, sy = curY_;
  bool first = true;
  for (const TGdiPoint& q : points) {
    if (first) MoveTo(q.x, q.y);
    else LineTo(q.x, q.y);
    first = false;
  }
  curX_ = sx;
  curY_ = sy;
}

void TGdi::SetPixel(int x, int y, TColor color) { Plot(x, y, color); }

void TGdi::Rectangle(int l, int t, int r, int b) {
  if (penClear_) {
    FillBrush(l, t, r - 1, b - 1);
    return;
  }
  if (r <= l || b <= t) return;
  FillBrush(l + 1, t + 1, r - 1, b - 1);
  const QColor c = ToQColor(pen_);
  p_.fillRect(l, t, r - l, 1, c);
  p_.fillRect(l, b - 1, r - l, 1, c);
  p_.fillRect(l, t, 1, b - t, c);
  p_.fillRect(r - 1, t, 1, b - t, c);
}

void TGdi::RoundRect(int l, int t, int r, int b, int w, int h) {
  if (r <= l || b <= t) return;
  // Inset of the outline on each row of a corner. Small corners (radius up to 3) are drawn as a
  // 45-degree chamfer, which is how GDI rasterizes them (6 x 6: insets 2, 1, 0); larger ones
  // follow the quarter ellipse.
  const int rx = std::min(w / 2, (r - l) / 2), ry = std::min(h / 2, (b - t) / 2);
  auto inset = [&](int row) {  // row: distance from the nearer horizontal edge
    if (row >= ry || rx <= 0) return 0;
    if (rx <= 3 && ry <= 3) return std::max(0, rx - 1 - row);
    const double v = double(ry - row - 0.5) / ry;
    const double xin = rx - rx * std::sqrt(std::max(0.0, 1 - v * v));
    return std::max(0, int(xin + 0.5));
  };
  const int height = b - t;
  for (int row = 0; row < height; ++row) {
    const int d = std::min(row, height - 1 - row);
    const int in = inset(d);
    const int y = t + row;
    const int x0 = l + in, x1 = r - 1 - in;
    if (!penClear_ && (d == 0)) {
      p_.fillRect(x0, y, x1 - x0 + 1, 1, ToQColor(pen_));
      continue;
    }
    if (penClear_) {
      FillBrush(x0, y, x1 + 1, y + 1);
      continue;
    }
    FillBrush(x0 + 1, y, x1, y + 1);
    // The outline joins the inset of the row nearer the edge, so the corner stays closed.
    const int prev = inset(d - 1);
    const QColor c = ToQColor(pen_);
    const int runL = std::max(1, prev - in);
    p_.fillRect(x0, y, runL, 1, c);
    p_.fillRect(x1 - runL + 1, y, runL, 1, c);
  }
}

void TGdi::SetFont(std::string_view face, int size, int bits, TColor color) {
  fontColor_ = color;
  std::string key;
  key += static_cast<char>(size);
  key += static_cast<char>('0' + bits);
  key.append(face);
  if (key == fontKey_ && metrics_) return;
  fontKey_ = std::move(key);
  font_ = MakeFont(face, size, bits);
  metrics_.reset();
}

const QFontMetrics& TGdi::Metrics() {
  if (!metrics_) metrics_.emplace(font_);
  return *metrics_;
}

void TGdi::TextOut(int x, int y, const TRect& clip, const char* text, size_t n) {
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  p_.save();
  p_.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
  p_.setFont(font_);
  p_.setPen(ToQColor(fontColor_));
  p_.drawText(QPoint(x, y + Metrics().ascent()), ToQString(text, n));
  p_.restore();
}

int TGdi::TextExtent(const char* text, size_t n) {
  return Metrics().horizontalAdvance(ToQString(text, n));
}

int TGdi::TextHeight() { return Metrics().height(); }

void TGdi::TextRect(const TRect& clip, int x, int y, std::string_view text) {
  FillRect(clip);
  TextOut(x, y, clip, text.data(), text.size());
}

}  // namespace ql
