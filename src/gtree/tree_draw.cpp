#include "gtree/tree_draw.h"

#include "model/node.h"

namespace ql {

TColor AltBandColor(TColor g) {
  const int sum = (g & 0xFF) + ((g >> 8) & 0xFF) + ((g >> 16) & 0xFF);
  return sum <= 692 ? 0xFFFFFF : kClBtnFace;
}

void FillLevelStack(TTree& tree, const TTNode& node) {
  if (int64_t(tree.LevelStack.size()) <= node.Level)
    tree.LevelStack.resize(size_t(node.Level) / 8 * 8 + 8, nullptr);
  const TTNode* p = &node;
  for (int k = node.Level; k >= 0 && p; --k, p = p->Parent)
    tree.LevelStack[size_t(k)] = const_cast<TTNode*>(p);
}

void DrawBand(TGdi& gdi, uint8_t flags, const TTreeColors& colors, int left, int top, int right,
              int bottom) {
  gdi.SetBrushColor(flags & kFlagMarked ? colors.band : colors.grid);
  gdi.FillRect(left, top, right, bottom - 1);
  if (flags & kFlagDisabled) {
    // Two hatches 4 pixels apart, the rectangle drawn without a pen.
    gdi.SetHatchBrush(0x000000);
    gdi.SetPenClear(true);
    gdi.SetBrushOrigin(left + 2, 0);
    gdi.Rectangle(left, top, right + 1, bottom);
    gdi.SetBrushOrigin(left + 6, 0);
    gdi.Rectangle(left, top, right + 1, bottom);
    gdi.SetSolidBrush();
    gdi.SetPenClear(false);
  }
  gdi.SetBrushColor(colors.grid);
}

int HiddenLineEnd(const TTree& tree, const TTNode& node, int left) {
  int x0 = left;
  for (int k = node.Level; k >= 0; --k) {
    const TTNode* K = tree.LevelStack[size_t(k)];
    if (k == node.Level && K->Child && K->Opened) return left + K->Indent;
    if (K->Next) return K->Parent ? x0 + K->Parent->Indent : x0;
  }
  return x0;
}

void DrawBranches(TGdi& gdi, const TTree& tree, const TTNode& n, const TRect& cell, int nextLevel,
                  int lineWidth, const TTreeColors& colors) {
  const int L = cell.left, T = cell.top;
  const int B = cell.bottom + lineWidth;
  const int bx = L + n.Indent - 6;
  const int by = T + n.BranchY;
  const TTNode* P = n.Parent;
  const bool box = n.Child && (n.Opened || n.CanOpen);
  const bool sign = n.Child && n.CanOpen;
  const auto& stack = tree.LevelStack;

  gdi.SetPenClear(false);
  for (int k = 0; k < n.Level; ++k) {
    const TTNode* K = stack[size_t(k)];
    if (K->Flags & (kFlagDisabled | kFlagMarked)) {
      const int left = L + (k == 0 ? 2 : stack[size_t(k - 1)]->Indent);
      DrawBand(gdi, K->Flags, colors, left, T, L + K->Indent - 1,
               k < nextLevel ? B + 1 : B);
    }
    const int x = L + K->Indent - 6;
    gdi.SetPenColor(K->LineColor);
    const bool parent = K == P;
    const bool continues = stack[size_t(k + 1)]->Next != nullptr;
    if (K->ShowLines && (continues || parent)) {
      gdi.MoveTo(x, T - 1);
      gdi.LineTo(x, continues ? B : by);
    }
    const int d = bx - x;
    if (parent && P->ShowPoint && (!box || d > 7)) {
      gdi.SetBrushColor(K->LineColor);
      gdi.FillRect(x - 1, by - 1, x + 2, by + 2);
      gdi.SetBrushColor(colors.grid);
      if (d < 3) {
        gdi.SetPenColor(colors.grid);
        gdi.Polyline({{x - 1, by - 2}, {x - 2, by - 2}, {x - 2, by + 2},
                      {continues ? x : x + 2, by + 2}});
        if (d == 0 && !continues) gdi.SetPixel(x, by + 3, colors.grid);
      }
    }
  }

  if (n.Flags & (kFlagDisabled | kFlagMarked))
    DrawBand(gdi, n.Flags, colors, L + (P ? P->Indent : 2), T, L + n.Indent - 1,
             n.Opened ? B + 1 : B);

  gdi.SetBrushColor(colors.grid);
  gdi.SetPenColor(n.LineColor);
  if (!box) return;
  gdi.RoundRect(bx - 5, by - 5, bx + 5, by + 5, 6, 6);
  if (sign) {
    gdi.Rectangle(bx - 3, by - 1, bx + 3, by + 1);
    if (!n.Opened) gdi.Rectangle(bx - 1, by - 3, bx + 1, by + 3);
  }
  const bool down = n.Opened && n.ShowLines;
  if (down) {
    gdi.MoveTo(bx, by + 5);
    gdi.LineTo(bx, B);
  }
  if (P && n.Indent - P->Indent < 7) {
    // Very small steps: clear the neighbourhood of the box so the parent's line does not touch it.
    gdi.SetPenColor(colors.grid);
    gdi.Polyline({{down ? bx - 1 : bx + 2, by + 5}, {bx - 3, by + 5},
                  {bx - 6, by + 2}, {bx - 6, by - 3}, {bx - 3, by - 6}, {bx + 2, by - 6}});
    gdi.MoveTo(bx - 4, by - 6);
    gdi.LineTo(bx - 7, by - 3);
    gdi.MoveTo(bx - 4, by + 5);
    gdi.LineTo(bx - 7, by + 2);
    if (n.Indent == P->Indent) {
      gdi.SetPixel(bx, by - 7, colors.grid);
      if (!down) gdi.SetPixel(bx, by + 6, colors.grid);
    }
  }
}

}  // namespace ql
