#pragma once
// Drawing laid-out text into a cell, and the positions an editor over the same layout needs to
// place the caret, hit-test and select exactly where the cell draws.
#include <cstddef>
#include <vector>

#include "styles/canvas.h"
#include "styles/layout.h"

namespace ql {

constexpr TColor kSymbolColor = 0x0000FF;  // wrap symbols are red, neither bold nor italic

// Fills the rectangle (with the style background unless the cell is selected and the style has
// no background of its own: then the canvas brush, the selection colour, stays) and draws the
// lines that fit, each token run in its class's looks for a highlighted style. The canvas brush
// colour is restored afterwards.
void Draw(const TStyle& style, const TDrawLines& lines, const TRect& rect, bool selected,
          TCanvas& canvas);

// The line holding text offset pos (the last line starting at or before it).
int LineOf(const TDrawLines& lines, size_t pos);
// Top of line k relative to the cell's top.
int LineTop(const TStyle& style, int k);
// x of every character boundary of line k relative to the cell's left, measured with the canvas
// exactly as Draw advances: xs[j] is where character j starts, xs[length] where the text ends.
void CharXs(const TStyle& style, const TDrawLines& lines, int k, TCanvas& canvas,
            std::vector<int>& xs);
// The text offset of the character boundary nearest to the point (relative to the cell's
// top-left); points above or below the lines go to the first or last line.
size_t CharAt(const TStyle& style, const TDrawLines& lines, int x, int y, TCanvas& canvas);

}  // namespace ql
