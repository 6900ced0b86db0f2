#include "styles/measurer.h"

#include <utility>

namespace ql {
namespace {

TStyleMeasurer& Installed() {
  static TStyleMeasurer measurer;
  return measurer;
}

}  // namespace

TStyleMeasurer SetStyleMeasurer(TStyleMeasurer measurer) { return std::exchange(Installed(), std::move(measurer)); }

bool MeasureStyle(TStyle& style) {
  if (!Installed()) return false;
  Installed()(style);
  return true;
}

}  // namespace ql
