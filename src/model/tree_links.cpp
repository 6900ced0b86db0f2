// TTTree: the rebuild of every derived link and the visible rows, and the queries that walk
// them (subtree ends, siblings, ancestors, selections to position ranges, insertion points).
#include <algorithm>

#include "model/tree.h"

namespace ql {

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

// One pass does what the rebuild needs per node: index, level, first-child link, layout, and
// the sibling links through the level stack (slot L holds the last node seen at level L; when
// the previous node is at level L or deeper, that node is the previous sibling). Nodes are in
// pre-order, so a parent's Level is already rebuilt when its children come.
void TTTree::Relink() {
  TTree& v = *View;
  v.Nodes = Nodes.data();
  v.Count = Count;
  if (int64_t(v.Rows.size()) < Count) {
    const size_t cap = std::max<size_t>(size_t(Count), v.Rows.empty() ? 32 : v.Rows.size() * 2);
    std::vector<TTNode*>(cap, nullptr).swap(v.Rows);
  }
  const bool layout = !v.FreezeLayout;
  const int32_t step = v.Step;
  const int32_t vertAlign = v.VertAlign;
  const bool lines = v.Lines, points = v.Points;
  const bool oneColor = v.OneColor || v.LevelColors.empty();
  const TColor* colors = v.LevelColors.data();
  const int32_t colorCount = int32_t(v.LevelColors.size());

  EnsureStack(v.LevelStack, 8);
  TTNode** stack = v.LevelStack.data();
  int32_t stackLen = int32_t(v.LevelStack.size());
  TTNode* const* a = Nodes.data();
  int32_t prevLevel = -1;
  for (int32_t i = 0; i < Count; ++i) {
    TTNode* p = a[i];
    TTNode* q = p->Parent;
    p->Index = i;
    p->Next = nullptr;
    p->Child = nullptr;
    p->SibNo = 0;
    int32_t level = 0;
    if (q) {
      if (i > 0 && q == a[i - 1]) q->Child = p;
      level = q->Level + 1;
    }
    p->Level = level;
    if (layout) {
      p->Indent = level * step + 12;
      p->BranchY = BranchYFor(p->Height, vertAlign, p->BranchY);
      p->ShowLines = lines;
      p->ShowPoint = points;
      p->LineColor = oneColor ? v.TreeColor : colors[level % colorCount];
    }
    // At least one slot beyond the deepest level.
    if (level + 1 >= stackLen) {
      EnsureStack(v.LevelStack, int64_t(level) + 2);
      stack = v.LevelStack.data();
      stackLen = int32_t(v.LevelStack.size());
    }
    if (prevLevel >= level) {
      TTNode* prev = stack[level];
      prev->Next = p;
      p->SibNo = prev->SibNo + 1;
    }
    stack[level] = p;
    prevLevel = level;
  }
  BuildRows();
}

// Walks the visible nodes in order. A node that is open with children continues with its first
// child; any other node stands for its whole subtree, whose positions all get its row and are
// hidden, and the walk continues after the subtree.
void TTTree::BuildRows() {
  TTree& v = *View;
  v.RowCount = 0;
  if (Count == 0) return;
  if (int64_t(v.Rows.size()) < Count) {
    const size_t cap = std::max<size_t>(size_t(Count), v.Rows.empty() ? 32 : v.Rows.size() * 2);
    std::vector<TTNode*>(cap, nullptr).swap(v.Rows);
  }
  TTNode* const* a = Nodes.data();
  TTNode** rows = v.Rows.data();
  int32_t row = 0;
  int32_t i = 0;
  while (i < Count) {
    TTNode* p = a[i];
    rows[row] = p;
    p->Row = row;
    p->Visible = true;
    if (p->Child && p->Opened) {
      ++row;
      ++i;
      continue;
    }
    const TTNode* up = p;
    while (up && !up->Next) up = up->Parent;
    const int32_t end = up ? up->Next->Index : Count;
    for (int32_t j = i + 1; j < end; ++j) {
      a[j]->Row = row;
      a[j]->Visible = false;
    }
    ++row;
    i = end;
  }
  v.RowCount = row;
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

void TTTree::AncestorPath(const TTNode* node) {
  if (!node) return;
  std::vector<TTNode*>& stack = View->LevelStack;
  EnsureStack(stack, int64_t(node->Level) + 1);
  int32_t k = node->Level;
  for (const TTNode* p = node; p && k >= 0; p = p->Parent, --k) stack[size_t(k)] = const_cast<TTNode*>(p);
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
