#pragma once
// The style table asks the layout to measure a style's drawing values (line height, margins,
// width tables ...) from its drawing face, size and bits. The program installs the measurer
// before the table loads; without one (qltool, most tests) measuring is skipped.
#include <functional>

namespace ql {

struct TStyle;

using TStyleMeasurer = std::function<void(TStyle&)>;

// Installs a measurer (an empty one removes it) and returns the previous one.
TStyleMeasurer SetStyleMeasurer(TStyleMeasurer measurer);
// Measures the style when a measurer is installed; false when none is.
bool MeasureStyle(TStyle& style);

}  // namespace ql
