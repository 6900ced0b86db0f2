// TTTree: the rebuild of every derived link and the visible rows, and the queries that walk
// them (subtree ends, siblings, ancestors, selections to position ranges, insertion points).
#include <algorithm>

#include "model/tree.h"

namespace ql {
namespace {

// The row rule: a shown node takes the next row; a hidden one keeps the row of its parent (the
// nearest shown ancestor's, since the parent was placed first).
inline void PlaceRow(TTNode* p, const TTNode* parent, bool shown, TTNode** rows, int32_t& rowCount) {
  if (shown) {
    rows[rowCount] = p;
    p->Row = rowCount++;
  } else {
    p->Row = parent->Row;
  }
  p->Visible = shown;
}

}  // namespace

int32_t BranchYFor(int32_t height, int32_t vertAlign, int32_t old) {
  const int32_t h = height / 2;
  switch (vertAlign) {
    case 0: return std::min(h, 7);
    case 1: return h;
    case 2: return std::max(h, height - 7);
    default: return old;
  }
}

void TTTree::EnsureStack(std::vector<TTNode*>& stack, int64_t needed) {
  if (int64_t(stack.size()) >= needed) return;
  const int64_t roundedUp = (needed + 7) / 8 * 8;
  stack.resize(size_t(std::max<int64_t>(int64_t(stack.size()) + 8, roundedUp)), nullptr);
}

void TTTree::EnsureRows() {
  std::vector<TTNode*>& rows = View->Rows;
  if (int64_t(rows.size()) >= Count) return;
  const size_t cap = std::max<size_t>(size_t(Count), rows.empty() ? 32 : rows.size() * 2);
  std::vector<TTNode*>(cap, nullptr).swap(rows);
}

// One pass does everything per node: index, level, first-child link, layout, sibling links and
// the visible row. Nodes are in pre-order, so a node's parent is already done when it comes.
// Siblings go through the level stack: slot L holds the last node seen at level L, and when the
// previous node is at level L or deeper that node is the previous sibling. A node is shown when
// it is top-level or its parent is shown and open (exactly the nodes a walk that enters the
// children of open nodes only reaches); a hidden node takes its parent's row, which is the row
// of its nearest shown ancestor.
void TTTree::Relink() {
  TTree& v = *View;
  v.Nodes = Nodes.data();
  v.Count = Count;
  EnsureRows();
  const bool layout = !v.FreezeLayout;
  const int32_t step = v.Step;
  const int32_t vertAlign = v.VertAlign;
  const bool lines = v.Lines, points = v.Points;
  const bool oneColor = v.OneColor || v.LevelColors.empty();

  EnsureStack(v.LevelStack, 8);
  TTNode** stack = v.LevelStack.data();
  int32_t stackLen = int32_t(v.LevelStack.size());
  // Line colour per level, so the loop does not divide.
  const auto fillColors = [&] {
    levelColors_.resize(size_t(stackLen));
    for (int32_t l = 0; l < stackLen; ++l)
      levelColors_[size_t(l)] =
          oneColor ? v.TreeColor : v.LevelColors[size_t(l) % v.LevelColors.size()];
  };
  fillColors();
  const TColor* colors = levelColors_.data();
  TTNode* const* a = Nodes.data();
  TTNode** rows = v.Rows.data();
  int32_t rowCount = 0;
  int32_t prevLevel = -1;
  for (int32_t i = 0; i < Count; ++i) {
    TTNode* p = a[i];
    TTNode* q = p->Parent;
    p->Index = i;
    p->Next = nullptr;
    p->Child = nullptr;
    p->SibNo = 0;
    int32_t level = 0;
    bool shown = true;
    if (q) {
      if (i > 0 && q == a[i - 1]) q->Child = p;
      level = q->Level + 1;
      shown = q->Visible && q->Opened;
    }
    p->Level = level;
    PlaceRow(p, q, shown, rows, rowCount);
    // At least one slot beyond the deepest level.
    if (level + 1 >= stackLen) {
      EnsureStack(v.LevelStack, int64_t(level) + 2);
      stack = v.LevelStack.data();
      stackLen = int32_t(v.LevelStack.size());
      fillColors();
      colors = levelColors_.data();
    }
    if (layout) {
      p->Indent = level * step + 12;
      p->BranchY = BranchYFor(p->Height, vertAlign, p->BranchY);
      p->ShowLines = lines;
      p->ShowPoint = points;
      p->LineColor = colors[level];
    }
    if (prevLevel >= level) {
      TTNode* prev = stack[level];
      prev->Next = p;
      p->SibNo = prev->SibNo + 1;
    }
    stack[level] = p;
    prevLevel = level;
  }
  v.RowCount = rowCount;
}

// The same rule for the rows as in Relink, over links that are already rebuilt.
void TTTree::BuildRows() {
  TTree& v = *View;
  v.RowCount = 0;
  if (Count == 0) return;
  EnsureRows();
  TTNode* const* a = Nodes.data();
  TTNode** rows = v.Rows.data();
  int32_t rowCount = 0;
  for (int32_t i = 0; i < Count; ++i) {
    TTNode* p = a[i];
    const TTNode* q = p->Parent;
    PlaceRow(p, q, !q || (q->Visible && q->Opened), rows, rowCount);
  }
  v.RowCount = rowCount;
}

int32_t TTTree::SubtreeEnd(const TTNode* node) const {
  for (const TTNode* p = node; p; p = p->Parent)
    if (p->Next) return p->Next->Index;
  return Count;
}

int32_t TTTree::NextRowAfter(const TTNode* node) const {
  for (const TTNode* p = node; p; p = p->Parent)
    if (p->Next) return p->Next->Row;
  return View->RowCount;
}

// The node just before this one is its previous sibling or a descendant of it; climbing from
// there to the node's parent finds it in as many steps as the tree is deep.
TTNode* TTTree::PrevSibling(const TTNode* node) const {
  if (!node || node->SibNo == 0 || node->Index <= 0 || node->Index >= Count) return nullptr;
  TTNode* q = Nodes[node->Index - 1];
  while (q && q->Parent != node->Parent) q = q->Parent;
  return q;
}

TTNode* TTTree::BlockTop(int32_t start, int32_t end) const {
  if (start < 0 || end > Count || start >= end) return nullptr;
  TTNode* p = Nodes[end - 1];
  while (p->Parent && p->Parent->Index >= start) p = p->Parent;
  return p;
}

void TTTree::AncestorPath(TTNode* node) {
  if (!node) return;
  std::vector<TTNode*>& stack = View->LevelStack;
  EnsureStack(stack, int64_t(node->Level) + 1);
  int32_t k = node->Level;
  for (TTNode* p = node; p && k >= 0; p = p->Parent, --k) stack[size_t(k)] = p;
}

bool TTTree::RowsToRange(int32_t top, int32_t bottom, bool whole, bool fromShallowest,
                         int32_t& start, int32_t& end) const {
  const TTree& v = *View;
  start = 0;
  end = -1;
  if (Count == 0 || top < 0 || top > bottom || bottom >= v.RowCount) return false;
  int32_t first = top;
  if (fromShallowest) {
    for (int32_t r = top + 1; r <= bottom; ++r)
      if (v.Rows[r]->Level < v.Rows[first]->Level) first = r;
  }
  start = v.Rows[first]->Index;
  const TTNode* q = v.Rows[bottom];
  if (whole) {
    while (q->Parent && q->Parent->Index >= start) q = q->Parent;
    end = SubtreeEnd(q);
  } else {
    end = q->Opened ? q->Index + 1 : SubtreeEnd(q);
  }
  return true;
}

bool TTTree::InsertPoint(int32_t row, bool asChild, int32_t& pos, TTNode*& parent) const {
  TTNode* n = nullptr;
  if (row >= 0 && row < View->RowCount) {
    n = View->Rows[row];
    pos = SubtreeEnd(n);
  } else if (Count > 0) {
    return false;  // not a row while the tree has rows
  } else {
    pos = 0;
  }
  parent = asChild ? n : (n ? n->Parent : nullptr);
  return true;
}

}  // namespace ql
