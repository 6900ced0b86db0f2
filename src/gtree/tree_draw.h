#pragma once
// The branch area of a tree row: branch lines, the points where nodes join their parent's line,
// the rounded boxes with plus and minus, and the bands of disabled (hatched) and marked branches.
// Pure drawing from the model: nothing is cached between paints.
#include "gtree/gdi.h"
#include "model/row_list.h"

namespace ql {

// The colours of a paint: G is the grid's background (and every branch area's), A the band
// colour of marked branches.
struct TTreeColors {
  TColor grid = 0xFFFFFF;
  TColor band = 0xFFFFFF;
};

// A: white when the red, green and blue bytes of the grid colour add up to 692 or less, else the
// button face colour.
TColor AltBandColor(TColor grid);

// Fills the tree's LevelStack slots 0..Level with the node's ancestors, the node itself last.
void FillLevelStack(TTree& tree, const TTNode& node);

// A band over [left, right) x [top, bottom - 1): the alternative colour when marked, else G;
// hatched when disabled. The brush is G afterwards.
void DrawBand(TGdi& gdi, uint8_t flags, const TTreeColors& colors, int left, int top, int right,
              int bottom);

// The x where the grid line below the node's row may start without crossing its branch area.
// LevelStack must hold the node's ancestors (FillLevelStack).
int HiddenLineEnd(const TTree& tree, const TTNode& node, int left);

// Draws node N's branch area in the cell (L, T, R, Bt); nextLevel is the level of the node in
// the next row (0 for the last row), lineWidth the grid line width. LevelStack must hold N's
// ancestors.
void DrawBranches(TGdi& gdi, const TTree& tree, const TTNode& n, const TRect& cell, int nextLevel,
                  int lineWidth, const TTreeColors& colors);

}  // namespace ql
