#include "gtree/cell_painter.h"

#include <algorithm>
#include <cstdio>

#include "model/tree.h"
#include "styles/draw_text.h"
#include "styles/layout.h"
#include "styles/styles.h"

namespace ql {

std::string CountText(int64_t count) {
  char buf[32];
  if (count <= 9999) {
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(count));
  } else {
    int64_t m = count / 1000;
    int e = 3;
    while (m >= 100) {
      m /= 10;
      ++e;
    }
    std::snprintf(buf, sizeof buf, "%lde%d", static_cast<long>(m), e);
  }
  return buf;
}

TColor StyleNameColor(bool documentOnly, bool same, TColor nodeBk) {
  if (documentOnly) return same ? 0x8080FF : 0x0000FF;
  return same ? MarkColor(nodeBk) : 0xFF0000;
}

void TCellPainter::Install(TGTree& grid) {
  grid_ = &grid;
  grid.OnDrawCell = [this](TGdi& c, TTNode* n, int col, const TRect& r, TGridDrawState s) {
    GDrawCell(c, n, col, r, s);
  };
  grid.OnGetRowH = [this](TTNode* n) { GGetRowH(n); };
}

void TCellPainter::GDrawCell(TGdi& canvas, TTNode* n, int col, const TRect& r,
                             TGridDrawState state) {
  canvas.SetFontColor(ContrastColor(canvas.BrushColor()));
  const bool selected = state & gdSelected;
  if (col == 0) {
    if (grid_ && grid_->EditorVisible() && n == doc_.Cur) {
      if (RepaintEditor) RepaintEditor();
      return;
    }
    const TStyle& style = *styles_.Get(n->Style);
    TDrawLines& lines = DrawLines();
    Layout(style, n->Text.data(), n->Text.size(), r.right - r.left, TLayoutMode::kCell, lines);
    Draw(style, lines, r, selected, canvas);
    return;
  }
  DrawNarrowColumn(canvas, n, col, r, selected);
}

TNarrowCell TCellPainter::NarrowCell(const TTNode* n, int col, bool selected) const {
  TNarrowCell cell;
  const int64_t count =
      col == 1 ? int64_t(doc_.SubtreeEnd(n)) - n->Index - 1 : int64_t(n->LText.size());
  const int number = col == 1 ? n->Style : n->Style1;
  if (count == 0 && number == 0) return cell;
  cell.empty = false;
  if (count != 0) cell.count = CountText(count);
  if (number != 0) {
    const TStyle* style = styles_.Item(number);
    if (style) cell.name = style->name;
    const TTNode* c = doc_.PrevSibling(n);
    if (!c) c = n->Parent;
    const bool same = !selected && c && (col == 1 ? c->Style : c->Style1) == number;
    cell.nameColor = StyleNameColor(style && style->documentOnly, same, NodeBkColor);
  }
  return cell;
}

void TCellPainter::DrawNarrowColumn(TGdi& canvas, TTNode* n, int col, const TRect& r,
                                    bool selected) {
  const TNarrowCell cell = NarrowCell(n, col, selected);
  if (cell.empty) {
    canvas.FillRect(r);
    return;
  }
  canvas.SetFont("Tahoma", 8, 0, canvas.FontColor());
  const int y = (r.top + r.bottom - canvas.TextHeight()) / 2;
  int x = r.right;
  if (!cell.count.empty()) x = r.right - canvas.TextExtent(cell.count.data(), cell.count.size()) - 2;
  canvas.SetFontColor(cell.nameColor);
  canvas.TextRect(TRect{r.left, r.top, x, r.bottom}, r.left + 3, y, cell.name);
  if (!cell.count.empty()) {
    canvas.SetFontColor(0x000000);
    canvas.TextRect(TRect{x, r.top, r.right, r.bottom}, x, y, cell.count);
  }
}

void TCellPainter::GGetRowH(TTNode* n) {
  const int width = (grid_ ? grid_->ColWidth(0) : 0) - n->Indent;
  const int client = grid_ ? grid_->ClientHeight() : 0;
  const TStyle& style = *styles_.Get(n->Style);
  TDrawLines& lines = DrawLines();
  Layout(style, n->Text.data(), n->Text.size(), width, TLayoutMode::kMeasureOnly, lines);
  int h = Height(style, lines, client);
  // A text taller than the view takes the whole client height (the grid caps the row there).
  if (client > 0 && lines.fullHeight > client) h = client;
  n->Height = h + 1;
}

}  // namespace ql
