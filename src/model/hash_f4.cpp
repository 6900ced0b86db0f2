// THashF4: the id index. Growth, cells and the free list follow the rules stated in hash_f4.h.
#include "model/hash_f4.h"

#include <utility>

namespace ql {

THashF4& THashF4::operator=(THashF4&& o) noexcept {
  if (this != &o) {
    Free();
    Take(o);
  }
  return *this;
}

void THashF4::Take(THashF4& o) noexcept {
  count_ = o.count_;
  size_ = o.size_;
  buckets_ = std::move(o.buckets_);
  cells_ = std::move(o.cells_);
  bucketCount_ = o.bucketCount_;
  cellCount_ = o.cellCount_;
  cellsUsed_ = o.cellsUsed_;
  cellsTaken_ = o.cellsTaken_;
  freeCells_ = o.freeCells_;
  lastBucket_ = o.lastBucket_;
  lastFound_ = o.lastFound_;
  o.Free();
}

int32_t THashF4::BucketOf(uint32_t key, int32_t buckets) {
  const uint64_t h = (uint64_t(key) * 0x01DED1E36BFAACE9ull) >> 32;
  return int32_t((h * uint64_t(uint32_t(buckets))) >> 32);
}

void THashF4::Init(int32_t n) {
  if (n <= 0) n = 100;
  // The products are taken in floating point and truncated, as the set has always sized them.
  const auto buckets = int32_t(double(n) * 2.0);
  const auto cells = int32_t(double(n) / 4.0) + 1;
  size_ = n;
  bucketCount_ = buckets;
  cellCount_ = cells;
  buckets_ = std::make_unique<Slot[]>(size_t(buckets));  // value-initialised: all empty
  cells_ = std::make_unique<Cell[]>(size_t(cells));
  count_ = cellsUsed_ = cellsTaken_ = 0;
  freeCells_ = nullptr;
  lastBucket_ = lastFound_ = nullptr;
}

void THashF4::Free() {
  buckets_.reset();
  cells_.reset();
  count_ = size_ = bucketCount_ = cellCount_ = cellsUsed_ = cellsTaken_ = 0;
  freeCells_ = nullptr;
  lastBucket_ = lastFound_ = nullptr;
}

int32_t THashF4::FreeCellCount() const {
  int32_t n = 0;
  for (const Cell* c = freeCells_; c; c = reinterpret_cast<const Cell*>(c->next)) ++n;
  return n;
}

TTNode* THashF4::Find(uint32_t key) {
  if (!buckets_) Init(1024);
  Slot* slot = &buckets_[BucketOf(key, bucketCount_)];
  lastBucket_ = slot;
  lastFound_ = nullptr;
  while (IsCell(*slot)) {
    Cell* c = AsCell(*slot);
    if (AsNode(c->elem)->Id == key) {
      lastFound_ = &c->elem;
      return AsNode(c->elem);
    }
    slot = &c->next;
  }
  if (*slot && AsNode(*slot)->Id == key) {
    lastFound_ = slot;
    return AsNode(*slot);
  }
  return nullptr;
}

void THashF4::InsertInto(Slot* bucket, TTNode* node) {
  ++count_;
  if (!*bucket) {
    *bucket = NodeSlot(node);
    return;
  }
  Cell* c;
  if (freeCells_) {
    c = freeCells_;
    freeCells_ = reinterpret_cast<Cell*>(c->next);
  } else {
    c = &cells_[cellsTaken_++];
  }
  ++cellsUsed_;
  c->next = *bucket;
  c->elem = NodeSlot(node);
  *bucket = CellSlot(c);
}

void THashF4::AddFound(TTNode* node) {
  if (lastFound_) {  // the key is present: the new node takes the old one's place
    *lastFound_ = NodeSlot(node);
    lastBucket_ = lastFound_ = nullptr;
    return;
  }
  const bool grow = NeedsGrowth();
  if (grow) Grow();
  if (grow || !lastBucket_) {  // the remembered bucket belongs to the old arrays, or to no Find
    if (Find(node->Id)) {
      *lastFound_ = NodeSlot(node);
      lastBucket_ = lastFound_ = nullptr;
      return;
    }
  }
  InsertInto(lastBucket_, node);
  lastBucket_ = lastFound_ = nullptr;
}

void THashF4::Add(TTNode* node) {
  if (NeedsGrowth()) Grow();
  InsertInto(&buckets_[BucketOf(node->Id, bucketCount_)], node);
}

bool THashF4::Erase(uint32_t key) {
  if (!buckets_) return false;
  Slot* slot = &buckets_[BucketOf(key, bucketCount_)];
  lastBucket_ = lastFound_ = nullptr;  // the slots they point at may change below
  while (IsCell(*slot)) {
    Cell* c = AsCell(*slot);
    if (AsNode(c->elem)->Id == key) {
      *slot = c->next;  // the slot that referred to the cell takes its next slot
    } else if (!IsCell(c->next) && AsNode(c->next)->Id == key) {
      *slot = c->elem;  // the chain ended in the key: the last cell's element takes its place
    } else {
      slot = &c->next;
      continue;
    }
    c->next = reinterpret_cast<Slot>(freeCells_);
    c->elem = 0;
    freeCells_ = c;
    --cellsUsed_;
    --count_;
    return true;
  }
  if (*slot && AsNode(*slot)->Id == key) {
    *slot = 0;
    --count_;
    return true;
  }
  return false;
}

void THashF4::Resize(int32_t n) {
  if (count_ == 0) {
    Init(n);
    return;
  }
  THashF4 fresh;
  fresh.Init(n);
  ForEach([&fresh](TTNode* node) { fresh.Add(node); });
  *this = std::move(fresh);
}

}  // namespace ql
