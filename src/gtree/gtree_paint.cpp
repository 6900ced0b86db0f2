// TGTree painting: grid lines first, then every cell in view row by row (the platform grid's
// order), the branch area drawn by the grid and the rest handed to OnDrawCell.
#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>

#include "gtree/gtree.h"
#include "gtree/tree_draw.h"
#include "model/node.h"

namespace ql {
namespace {

constexpr TColor kGridLineColor = 0xC0C0C0;  // silver, as the platform grid draws its lines

}  // namespace

void TGTree::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  TGdi gdi(painter);
  const int W = ClientWidth(), H = ClientHeight(), L = lineWidth_;
  gdi.SetBrushColor(color_);
  if (RowCount() == 0 || Tree.Count == 0) {
    // The platform grid still paints one (empty) cell, which runs the first-paint step.
    if (!firstPaint_) {
      firstPaint_ = true;
      QMetaObject::invokeMethod(this, &TGTree::UserF, Qt::QueuedConnection);
    }
    GetNode();
    gdi.FillRect(0, 0, W, H);
    return;
  }
  // Rows in view and the right edge of the last column.
  int gridRight = 0;
  for (int c = 0; c < ColCount(); ++c) gridRight += colWidths_[size_t(c)] + L;
  int y = 0, last = top_ - 1;
  for (int r = top_; r < RowCount() && y < H; ++r) {
    y += RowHeight(r) + L;
    last = r;
  }
  const int gridBottom = y;
  // Lines first: cells paint over them where they choose to (the hidden line under the branch
  // area, rows without horizontal lines).
  if (L > 0) {
    gdi.SetBrushColor(kGridLineColor);
    if (vertLines_) {
      int x = 0;
      for (int c = 0; c < ColCount(); ++c) {
        x += colWidths_[size_t(c)];
        gdi.FillRect(x, 0, x + L, gridBottom);
        x += L;
      }
    }
    if (horzLines_) {
      int ly = 0;
      for (int r = top_; r <= last; ++r) {
        ly += RowHeight(r);
        gdi.FillRect(0, ly, gridRight, ly + L);
        ly += L;
      }
    }
  }
  gdi.SetBrushColor(color_);
  gdi.FillRect(gridRight, 0, W, H);
  gdi.FillRect(0, gridBottom, gridRight, H);

  int top = 0;
  for (int r = top_; r <= last; ++r) {
    const int h = RowHeight(r);
    int x = 0;
    for (int c = 0; c < ColCount(); ++c) {
      const int w = colWidths_[size_t(c)];
      TGridDrawState state = IsSel(r) ? TGridDrawState(gdSelected) : 0u;
      if (r == current_ && hasFocus()) state |= gdFocused;
      PaintCell(gdi, c, r, TRect{x, top, x + w, top + h}, state);
      x += w + L;
    }
    top += h + L;
  }
}

void TGTree::PaintCell(TGdi& gdi, int col, int row, TRect rc, TGridDrawState state) {
  GetNode();
  if (!firstPaint_) {
    firstPaint_ = true;
    QMetaObject::invokeMethod(this, &TGTree::UserF, Qt::QueuedConnection);
  }
  const int L = lineWidth_;
  if (!horzLines_) rc.bottom += L;  // rows touch
  if (Tree.Count == 0 || row < 0 || row >= RowCount()) {
    gdi.SetBrushColor(color_);
    gdi.FillRect(rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1);
    return;
  }
  const TColor cell = IsSel(row) ? selColor_ : color_;
  TTNode* n = Tree.Rows[size_t(row)];
  if (col == TreeCol) {
    TTreeColors colors{color_, AltBandColor(color_)};
    FillLevelStack(Tree, *n);
    const int textX = rc.left + n->Indent;
    gdi.SetBrushColor(color_);
    gdi.FillRect(rc.left, rc.top, textX, rc.bottom);  // never the selection colour here
    if (horzLines_ && L > 0 && row < RowCount() - 1)
      gdi.FillRect(rc.left, rc.bottom, HiddenLineEnd(Tree, *n, rc.left), rc.bottom + L);
    if (OnDrawTree) {
      OnDrawTree(gdi, n, rc, state);
    } else {
      const TTNode* next = Tree.RowNode(row + 1);
      DrawBranches(gdi, Tree, *n, rc, next ? next->Level : 0, L, colors);
    }
    gdi.SetBrushColor(cell);
    const TRect text{textX, rc.top, rc.right, rc.bottom};
    if (OnDrawCell) OnDrawCell(gdi, n, col, text, state);
    else gdi.FillRect(text);
    return;
  }
  gdi.SetBrushColor(cell);
  if (OnDrawCell) OnDrawCell(gdi, n, col, rc, state);
  else gdi.FillRect(rc);
}

}  // namespace ql
