// TTTree: the block operations the editing commands and the readers use: adding a node,
// inheriting styles, hanging a read block under a parent, and moving or copying a block.
#include <algorithm>
#include <cstring>

#include "model/tree.h"

namespace ql {

TTNode* TTTree::AddNode(int32_t row, bool asChild) {
  int32_t pos = 0;
  TTNode* parent = nullptr;
  if (!InsertPoint(row, asChild, pos, parent)) return nullptr;
  if (!InsertNodes(pos, 1, true)) return nullptr;
  if (asChild && parent) {
    parent->Opened = true;
    parent->CanOpen = true;
  }
  TTNode* p = Nodes[pos];
  p->Parent = parent;
  p->CanOpen = true;
  p->Opened = true;
  p->Height = kNewNodeHeight;
  InheritStyles(pos, 1);
  Relink();
  return p;
}

// The node before `index` is the parent itself (then the parent is the source) or the last node
// of the previous sibling's branch, from which the parent links lead up to that sibling.
void TTTree::InheritStyles(int32_t index, int32_t n) {
  if (index < 0 || n <= 0 || index >= Count) return;
  n = std::min(n, Count - index);
  const TTNode* source = nullptr;
  if (index > 0) {
    const TTNode* q = Nodes[index]->Parent;
    const TTNode* s = Nodes[index - 1];
    while (s && s != q && s->Parent != q) s = s->Parent;
    source = (s && s != q) ? s : q;
  }
  const uint16_t style = source ? source->Style : 0;
  const uint16_t style1 = source ? source->Style1 : 0;
  for (int32_t i = index; i < index + n; ++i) {
    Nodes[i]->Style = style;
    Nodes[i]->Style1 = style1;
    Nodes[i]->Flags = 0;
  }
}

// A node hangs under the nearest node before it in the block, on the current path, whose file
// level is smaller; a node with no such node hangs under `parent`. For blocks whose levels rise
// by at most one from a node to the next (what the writer produces) this is exactly "new level =
// parent's level + 1 + file level - smallest file level seen so far": the path then holds one
// node for every level from that minimum up. For levels from a damaged file it stays sound: a
// level that jumps makes the node a child of the node before it, and a later node at the same
// level becomes its sibling, not its child; negative levels only lower the minimum. The level
// stack grows to at most the parent's level plus the block length plus one, and every slot
// read was written by this call, so no stale node of an earlier operation can become a parent.
void TTTree::ReparentBlock(TTNode* parent, int32_t start, int32_t end) {
  start = std::max(start, 0);
  end = std::min(end, Count);
  if (start >= end) return;
  std::vector<TTNode*>& stack = View->LevelStack;
  const size_t base = parent ? size_t(std::max(parent->Level, 0)) + 1 : 0;
  const auto grow = [&stack](size_t needed) {
    if (stack.size() < needed) stack.resize(std::max(stack.size() + 8, needed), nullptr);
  };
  if (parent) {
    grow(base);
    stack[base - 1] = parent;
  }
  pathLevels_.clear();  // file levels of the path nodes in slots base, base + 1, ...
  for (int32_t i = start; i < end; ++i) {
    TTNode* p = Nodes[i];
    const int32_t level = p->Level;
    while (!pathLevels_.empty() && pathLevels_.back() >= level) pathLevels_.pop_back();
    const size_t k = base + pathLevels_.size();
    grow(k + 1);
    stack[k] = p;
    pathLevels_.push_back(level);
    p->Parent = k == 0 ? nullptr : stack[k - 1];
  }
}

// Whether a block of children of `parent` may stand between the nodes `before` and `after`
// (null at the ends of the array) without breaking the pre-order: `before` must be the parent
// or lie in its branch, and `after` must not belong to a deeper branch than the parent's
// children, that is its parent is the parent itself or one of the parent's ancestors.
bool TTTree::PlaceIsValid(const TTNode* before, const TTNode* after,
                          const TTNode* parent) const {
  if (!parent) return !after || !after->Parent;
  const TTNode* b = before;
  while (b && b != parent) b = b->Parent;
  if (!b) return false;
  if (!after || !after->Parent) return true;
  for (const TTNode* a = parent; a; a = a->Parent)
    if (after->Parent == a) return true;
  return false;
}

// The block is made of whole subtrees when the node after it is no descendant of a block node.
bool TTTree::BlockIsWhole(int32_t start, int32_t end) const {
  if (end >= Count) return true;
  const TTNode* parent = Nodes[end]->Parent;
  return !parent || parent->Index < start;
}

bool TTTree::MoveBlock(int32_t start, int32_t end, int32_t dest, TTNode* parent, bool copy,
                       int32_t* finalPos) {
  if (finalPos) *finalPos = start;
  const int32_t n = end - start;
  if (n <= 0 || start < 0 || end > Count || dest < 0 || dest > Count) return false;
  TTNode** a = Nodes.data();

  if (copy) {
    const TTNode* before = dest > 0 ? a[dest - 1] : nullptr;
    const TTNode* after = dest < Count ? a[dest] : nullptr;
    if (!PlaceIsValid(before, after, parent)) return false;
    std::copy(a + start, a + end, Tmp.begin());
    if (!InsertNodes(dest, n, true)) return false;
    a = Nodes.data();  // the array may have grown; Tmp kept its contents
    for (int32_t i = 0; i < n; ++i) {
      TTNode* d = a[dest + i];
      const TTNode* s = Tmp[size_t(i)];
      static_cast<TNode&>(*d) = static_cast<const TNode&>(*s);
      d->Text = s->Text;
      d->LText = s->LText;
      d->Style = s->Style;
      d->Style1 = s->Style1;
      d->Mark = s->Mark;
      // Link fields of the sources still hold positions from before the insertion.
      const TTNode* sp = s->Parent;
      d->Parent = sp && sp->Index >= start && sp->Index < end ? a[dest + (sp->Index - start)]
                                                              : parent;
    }
    if (finalPos) *finalPos = dest;
  } else {
    TTNode* first = a[start];
    if (dest >= start && dest <= end && parent == first->Parent) return false;  // its own place
    if (dest > start && dest < end) return false;  // inside itself under another parent
    if (!BlockIsWhole(start, end)) return false;
    if (parent && parent->Index >= start && parent->Index < end) return false;
    // Neighbours of the destination once the block is taken out.
    const TTNode* before;
    const TTNode* after;
    if (dest <= start) {
      before = dest > 0 ? a[dest - 1] : nullptr;
      after = dest < start ? a[dest] : (end < Count ? a[end] : nullptr);
    } else {
      before = dest - 1 >= end ? a[dest - 1] : (start > 0 ? a[start - 1] : nullptr);
      after = dest < Count ? a[dest] : nullptr;
    }
    if (!PlaceIsValid(before, after, parent)) return false;

    int32_t pos = start;
    if (dest != start) {
      TTNode** t = Tmp.data();
      std::memcpy(t, a + start, size_t(n) * sizeof(TTNode*));
      if (start <= dest) {  // down: the nodes between end and dest shift up by n
        std::memmove(a + start, a + end, size_t(dest - end) * sizeof(TTNode*));
        pos = dest - n;
      } else {  // up: the nodes between dest and start shift down by n
        std::memmove(a + dest + n, a + dest, size_t(start - dest) * sizeof(TTNode*));
        pos = dest;
      }
      std::memcpy(a + pos, t, size_t(n) * sizeof(TTNode*));
    }
    // The block's top nodes (each at most as deep as every node before it in the block) go
    // under `parent`; deeper nodes keep their parents inside the block. This runs also when the
    // first node already has that parent, so a block whose later top nodes had other parents
    // cannot leave them behind in a place where they break the tree.
    int32_t c = a[pos]->Level;
    for (int32_t i = pos; i < pos + n; ++i) {
      TTNode* p = a[i];
      if (p->Level <= c) {
        p->Parent = parent;
        c = p->Level;
      }
    }
    if (finalPos) *finalPos = pos;
  }
  if (parent) {
    parent->Opened = true;
    parent->CanOpen = true;
  }
  Relink();
  return true;
}

}  // namespace ql
