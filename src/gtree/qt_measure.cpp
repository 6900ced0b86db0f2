#include "gtree/qt_measure.h"

#include <QFontInfo>
#include <QFontMetrics>

#include "base/cp1251.h"
#include "gtree/gdi.h"
#include "styles/fonts.h"
#include "styles/measurer.h"

namespace ql {

TFontMetrics TQtMeasureDevice::Metrics(std::string_view face, int size, int bits) {
  const QFont font = MakeFont(face, size, bits);
  const QFontMetrics m(font);
  TFontMetrics r;
  r.height = m.height();
  r.aveCharWidth = m.averageCharWidth();
  r.fixedPitch = QFontInfo(font).fixedPitch();
  return r;
}

void TQtMeasureDevice::CharWidths(std::string_view face, int size, int bits, int widths[256]) {
  const QFontMetrics m(MakeFont(face, size, bits));
  widths[0] = 0;
  for (int c = 1; c < 256; ++c)
    widths[c] = m.horizontalAdvance(QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(c)))));
}

TQtMeasureDevice& QtMeasureDevice() {
  static TQtMeasureDevice device;
  return device;
}

void InstallQtMeasuring() {
  Fonts().SetDevice(&QtMeasureDevice());
  SetStyleMeasurer(MeasureStyleDrawing);
}

}  // namespace ql
