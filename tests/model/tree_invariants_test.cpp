// Random edits on small trees, each followed by a check of the tree's invariants against a plain
// recomputation: pre-order, every derived link, the visible rows as a walk that enters only the
// children of open nodes would list them, and the id index. Catches block operations that leave
// the tree broken and a rebuild that disagrees with the parent pointers.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/tree.h"

namespace ql {
namespace {

bool IsUnder(const TTNode* p, const TTNode* ancestor) {
  for (p = p->Parent; p; p = p->Parent)
    if (p == ancestor) return true;
  return false;
}

// Returns an empty string when every invariant holds, else what is wrong.
std::string CheckTree(const TTTree& t) {
  const int n = t.Count;
  auto at = [&t](int i) { return t.Nodes[size_t(i)]; };
  std::set<const TTNode*> nodes;
  for (int i = 0; i < n; ++i) nodes.insert(at(i));
  for (int i = 0; i < n; ++i) {
    const TTNode* p = at(i);
    const std::string where = " at " + std::to_string(i);
    if (p->Parent && (!nodes.count(p->Parent) || p->Parent->Index >= i))
      return "parent not before its child" + where;
    if (p->Index != i) return "Index" + where;
    int level = 0;
    for (const TTNode* q = p->Parent; q; q = q->Parent) ++level;
    if (p->Level != level) return "Level" + where;
    int end = i + 1;
    while (end < n && IsUnder(at(end), p)) ++end;
    for (int j = end; j < n; ++j)
      if (IsUnder(at(j), p)) return "descendants not contiguous" + where;
    const TTNode* child = i + 1 < n && at(i + 1)->Parent == p ? at(i + 1) : nullptr;
    if (p->Child != child) return "Child" + where;
    const TTNode* next = nullptr;
    int sibNo = 0;
    for (int j = 0; j < i; ++j) sibNo += at(j)->Parent == p->Parent;
    for (int j = i + 1; j < n && !next; ++j)
      if (at(j)->Parent == p->Parent) next = at(j);
    if (p->Next != next) return "Next" + where;
    if (p->SibNo != sibNo) return "SibNo" + where;
    if (p->Indent != level * t.View->Step + 12) return "Indent" + where;
  }
  // Rows: the walk of the row rebuild, climbing to find the next node to show.
  std::vector<const TTNode*> rows;
  std::vector<int> rowOf(size_t(n), -1);
  for (int i = 0; i < n;) {
    const TTNode* p = at(i);
    rows.push_back(p);
    const int row = int(rows.size()) - 1;
    if (p->Child && p->Opened) {
      rowOf[size_t(i)] = row;
      ++i;
      continue;
    }
    const TTNode* up = p;
    while (up && !up->Next) up = up->Parent;
    const int end = up ? up->Next->Index : n;
    for (int j = i; j < end; ++j) rowOf[size_t(j)] = row;
    i = end;
  }
  if (t.View->RowCount != int(rows.size())) return "RowCount";
  for (size_t r = 0; r < rows.size(); ++r)
    if (t.View->Rows[r] != rows[r]) return "Rows[" + std::to_string(r) + "]";
  for (int i = 0; i < n; ++i) {
    if (at(i)->Row != rowOf[size_t(i)]) return "Row at " + std::to_string(i);
    if (at(i)->Visible != (rows[size_t(at(i)->Row)] == at(i))) return "Visible at " + std::to_string(i);
  }
  // Ids: distinct and all indexed.
  std::set<uint32_t> ids;
  for (int i = 0; i < n; ++i) {
    if (!ids.insert(at(i)->Id).second) return "duplicate id";
    if (const_cast<TTTree&>(t).FindById(at(i)->Id) != at(i)) return "id not indexed";
  }
  if (const_cast<TTTree&>(t).Ids.Count() != n) return "index holds other nodes";
  return "";
}

TEST(TreeInvariants, HoldUnderRandomEdits) {
  std::mt19937 rng(7);
  auto pick = [&rng](int n) { return n > 0 ? int(rng() % unsigned(n)) : 0; };
  TTTree t;
  t.Relink();
  int moves = 0, copies = 0, refused = 0;
  for (int step = 0; step < 3000; ++step) {
    if (t.Count > 80) {  // start over now and then so trees stay small and varied
      t.Clear();
      t.Relink();
    }
    const int rowCount = t.View->RowCount;
    const int op = pick(10);
    std::string what;
    if (op <= 2 || t.Count == 0) {
      what = "add";
      t.AddNode(rowCount ? pick(rowCount) : 0, pick(2));
    } else if (op == 3) {
      what = "delete";
      int start, end;
      const int top = pick(rowCount);
      if (pick(2)) {  // any range of positions, whole subtrees or not
        start = pick(t.Count);
        t.DeleteNodes(start, start + 1 + pick(3));
        t.Relink();
      } else if (t.RowsToRange(top, top + pick(std::min(3, rowCount - top)), true, false, start,
                               end)) {
        t.DeleteBlock(start, end);
      }
    } else if (op == 4) {
      what = "toggle";
      TTNode* p = t.Nodes[size_t(pick(t.Count))];
      p->Opened = !p->Opened;
      t.BuildRows();
    } else if (op == 5) {
      what = "read a block";
      int pos;
      TTNode* parent;
      if (t.InsertPoint(pick(rowCount), pick(2), pos, parent)) {
        const int n = 1 + pick(5);
        t.InsertNodes(pos, n, true);
        for (int i = 0; i < n; ++i) t.Nodes[size_t(pos + i)]->Level = pick(7) - 2;
        t.ReparentBlock(parent, pos, pos + n);
        t.Relink();
      }
    } else {
      what = "move";
      int start, end;
      const int top = pick(rowCount);
      if (!t.RowsToRange(top, top + pick(std::min(3, rowCount - top)), true, pick(2), start,
                         end))
        continue;
      TTNode* parent = pick(4) ? t.Nodes[size_t(pick(t.Count))] : nullptr;
      int dest;
      switch (pick(3)) {
        case 0: dest = pick(t.Count + 1); break;
        case 1: dest = parent ? parent->Index + 1 : 0; break;
        default: dest = t.SubtreeEnd(parent); break;
      }
      const bool copy = pick(3) == 0;
      if (t.MoveBlock(start, end, dest, parent, copy))
        ++(copy ? copies : moves);
      else
        ++refused;
    }
    const std::string fault = CheckTree(t);
    ASSERT_EQ(fault, "") << "after step " << step << " (" << what << ")";
  }
  // The run must exercise every path, not refuse everything.
  EXPECT_GT(moves, 100);
  EXPECT_GT(copies, 50);
  EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace ql
