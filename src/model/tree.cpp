// TTTree: construction, clearing, inserting and deleting nodes, and the counts over the tree.
#include "model/tree.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "styles/style.h"

namespace ql {

TTTree::TTTree() : View(&ownView_) {}

TTTree::~TTTree() { DestroyAll(); }

void TTTree::DestroyAll() {
  for (int32_t i = 0; i < Count; ++i) pool_.Delete(Nodes[i]);
  Count = 0;
  pool_.Release();
}

void TTTree::Clear() {
  DestroyAll();
  std::vector<TTNode*>().swap(Nodes);
  std::vector<TTNode*>().swap(Tmp);
  Capacity = 0;
  std::vector<uint8_t>().swap(Image);
  ImageLen = 0;
  Ids.Free();
  MaxId = 0;
  IdsWrapped = false;
  Cur = nullptr;
  // The row list must not keep pointers into the freed array until the next Relink.
  View->Nodes = nullptr;
  View->Count = 0;
  View->RowCount = 0;
  if (OnClear) OnClear();
}

void TTTree::EnsureCapacity(int64_t needed) {
  if (needed <= Capacity) return;
  const int64_t doubled = Capacity ? int64_t(Capacity) * 2 : 128;
  const int64_t cap = std::min<int64_t>(std::max(doubled, needed),
                                        std::numeric_limits<int32_t>::max());
  // reserve first so the vectors take exactly the capacity asked for; Tmp keeps its contents
  // because MoveBlock saves a block there before it inserts the copies.
  Nodes.reserve(size_t(cap));
  Nodes.resize(size_t(cap), nullptr);
  Tmp.reserve(size_t(cap));
  Tmp.resize(size_t(cap), nullptr);
  Capacity = int32_t(cap);
}

bool TTTree::InsertNodes(int32_t index, int32_t n, bool newIds) {
  if (index < 0 || index > Count || n < 0) return false;
  if (int64_t(Count) + n > std::numeric_limits<int32_t>::max()) return false;
  if (n == 0) return true;
  EnsureCapacity(int64_t(Count) + n);
  // Make the nodes before touching the array, so running out of memory leaves the tree whole.
  std::vector<TTNode*> made;
  made.reserve(size_t(n));
  try {
    for (int32_t i = 0; i < n; ++i) made.push_back(pool_.New());
  } catch (...) {
    for (TTNode* p : made) pool_.Delete(p);
    throw;
  }
  TTNode** a = Nodes.data();
  std::memmove(a + index + n, a + index, size_t(Count - index) * sizeof(TTNode*));
  std::copy(made.begin(), made.end(), a + index);
  Count += n;
  if (newIds)
    for (TTNode* p : made) NewId(p);
  return true;
}

void TTTree::DeleteNodes(int32_t start, int32_t end) {
  start = std::max(start, 0);
  end = std::min(end, Count);
  if (start >= end) return;
  TTNode** a = Nodes.data();
  // Mark the doomed nodes (Index is derived, never -1 otherwise) and take them out of the index.
  for (int32_t i = start; i < end; ++i) {
    TTNode* p = a[i];
    if (Ids.Count() && Ids.Find(p->Id) == p) DropId(p->Id);
    if (p == Cur) Cur = nullptr;
    p->Index = -1;
  }
  // A range that is not made of whole subtrees would leave the rest of a branch pointing at
  // destroyed nodes. That rest directly follows the range; hang its top nodes under their
  // nearest surviving ancestor, so nothing refers to a destroyed node and nothing is lost.
  for (int32_t j = end; j < Count; ++j) {
    TTNode* p = a[j];
    TTNode* q = p->Parent;
    if (q && q->Index == -1) {
      while (q && q->Index == -1) q = q->Parent;
      p->Parent = q;
    } else if (!(q && q->Index >= end && q->Index < j && a[q->Index] == q)) {
      break;  // neither an orphan nor below one: the rest of the tree is untouched
    }
    p->Index = j;  // so its own descendants recognise it above
  }
  for (int32_t i = start; i < end; ++i) pool_.Delete(a[i]);
  std::memmove(a + start, a + end, size_t(Count - end) * sizeof(TTNode*));
  const int32_t n = end - start;
  std::fill(a + Count - n, a + Count, nullptr);
  Count -= n;
}

int32_t TTTree::DeleteBlock(int32_t start, int32_t end) {
  DeleteNodes(start, end);
  Relink();
  if (start >= 0 && start < Count) return Nodes[start]->Row;
  return View->RowCount - 1;
}

int64_t TTTree::CharCount() const {
  int64_t n = 0;
  for (int32_t i = 0; i < Count; ++i) n += int64_t(Nodes[i]->Text.size() + Nodes[i]->LText.size());
  return n;
}

int32_t TTTree::CountStyles(int32_t start, int32_t end, std::span<int32_t> useCount,
                            std::span<int32_t> fileNumber) const {
  std::fill(useCount.begin(), useCount.end(), 0);
  start = std::max(start, 0);
  end = std::min(end, Count);
  const size_t styles = useCount.size();
  for (int32_t i = start; i < end; ++i) {
    const TTNode* p = Nodes[i];
    if (p->Style < styles) ++useCount[p->Style];
    if (p->Style1 < styles) ++useCount[p->Style1];
  }
  int32_t numbered = 0;
  for (size_t s = 0; s < styles; ++s) {
    const int32_t number = useCount[s] ? numbered++ : -1;
    if (s < fileNumber.size()) fileNumber[s] = number;
  }
  return numbered;
}

int32_t TTTree::CountStyles(int32_t start, int32_t end, int32_t styleCount,
                            const std::function<TStyle*(int32_t)>& styleAt) const {
  styleCount = std::max(styleCount, 0);
  std::vector<int32_t> uses(static_cast<size_t>(styleCount));
  std::vector<int32_t> numbers(uses.size());
  const int32_t numbered = CountStyles(start, end, uses, numbers);
  for (int32_t s = 0; s < styleCount; ++s) {
    TStyle* style = styleAt(s);
    if (!style) continue;
    style->useCount = uses[size_t(s)];
    if (numbers[size_t(s)] >= 0) style->fileNumber = numbers[size_t(s)];
  }
  return numbered;
}

}  // namespace ql
