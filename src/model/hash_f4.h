#pragma once
// THashF4: chained hash set of nodes keyed by their 32-bit Id. It stores references to the
// nodes and compares keys through them. Buckets are twice the nominal size; chains use a fixed
// pool of cells (one per four of nominal size, plus one) recycled through a free list, so adding
// and erasing never allocate until the set doubles.
#include <cstdint>
#include <memory>

#include "model/node.h"

namespace ql {

class THashF4 {
 public:
  // A slot is 0 (empty), a node pointer (direct element), or a cell pointer with bit 0 set.
  using Slot = uintptr_t;
  struct Cell {
    Slot next;  // another cell, or the last element of the chain directly
    Slot elem;
  };

  THashF4() = default;
  THashF4(const THashF4&) = delete;
  THashF4& operator=(const THashF4&) = delete;
  THashF4(THashF4&& o) noexcept { Take(o); }
  THashF4& operator=(THashF4&& o) noexcept;
  ~THashF4() = default;

  // Bucket of `key` among `buckets` buckets: the upper half of the upper half of
  // key * 0x01DED1E36BFAACE9, scaled to the bucket count.
  static int32_t BucketOf(uint32_t key, int32_t buckets);

  // Finds the node with `key`; remembers the bucket and the slot for AddFound. A set without
  // arrays first sets itself up with nominal size 1024.
  TTNode* Find(uint32_t key);
  // Right after Find(node->Id): replaces the node found, or adds `node` to the bucket examined.
  void AddFound(TTNode* node);
  // Adds without a preceding Find (the caller knows the key is absent).
  void Add(TTNode* node);
  bool Erase(uint32_t key);
  // Rebuilds the set with nominal size n (n <= 0 counts as 100).
  void Resize(int32_t n);
  // Releases the arrays and zeroes every field.
  void Free();

  int32_t Count() const { return count_; }
  int32_t Size() const { return size_; }
  int32_t BucketCount() const { return bucketCount_; }
  int32_t CellCount() const { return cellCount_; }
  int32_t CellsUsed() const { return cellsUsed_; }
  int32_t CellsTaken() const { return cellsTaken_; }
  int32_t FreeCellCount() const;
  // Calls f(node) for every element, bucket by bucket, each chain from its head.
  template <class F>
  void ForEach(F&& f) const {
    for (int32_t b = 0; b < bucketCount_; ++b) {
      Slot s = buckets_[b];
      while (IsCell(s)) {
        const Cell* c = AsCell(s);
        f(AsNode(c->elem));
        s = c->next;
      }
      if (s) f(AsNode(s));
    }
  }

 private:
  static bool IsCell(Slot s) { return (s & 1) != 0; }
  static Cell* AsCell(Slot s) { return reinterpret_cast<Cell*>(s & ~Slot(1)); }
  static TTNode* AsNode(Slot s) { return reinterpret_cast<TTNode*>(s); }
  static Slot CellSlot(Cell* c) { return reinterpret_cast<Slot>(c) | 1; }
  static Slot NodeSlot(TTNode* n) { return reinterpret_cast<Slot>(n); }

  void Init(int32_t n);
  bool NeedsGrowth() const { return count_ >= size_ || cellsUsed_ >= cellCount_; }
  void Grow() { Resize(size_ ? 2 * size_ : 100); }
  void InsertInto(Slot* bucket, TTNode* node);
  void Take(THashF4& o) noexcept;

  int32_t count_ = 0;
  int32_t size_ = 0;
  std::unique_ptr<Slot[]> buckets_;
  std::unique_ptr<Cell[]> cells_;
  int32_t bucketCount_ = 0;
  int32_t cellCount_ = 0;
  int32_t cellsUsed_ = 0;
  int32_t cellsTaken_ = 0;
  Cell* freeCells_ = nullptr;
  Slot* lastBucket_ = nullptr;
  Slot* lastFound_ = nullptr;
};

}  // namespace ql
