#include "base/hash_s.h"

namespace ql {
namespace {

inline uint32_t Mix(uint32_t w) {
  return static_cast<uint32_t>((uint64_t{w} * 0x01DED1E36BFAACE9ull) >> 32);
}

inline bool Equal(const char* entry, const char* p, size_t n) {
  return std::strncmp(entry, p, n) == 0 && entry[n] == 0;
}

}  // namespace

uint32_t THashS::Hash(const char* p, size_t n) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  uint32_t h = 0;
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    h += Mix(b[i] | (b[i + 1] << 8) | (b[i + 2] << 16) | (uint32_t{b[i + 3]} << 24));
  }
  if (i < n) {
    uint32_t w = 0;
    for (size_t k = 0; i + k < n; ++k) w |= uint32_t{b[i + k]} << (8 * k);
    h += Mix(w);
  }
  return h;
}

void THashS::Size(int capacity) {
  if (capacity <= 0) capacity = 100;
  capacity_ = capacity;
  slots_.assign(2 * static_cast<size_t>(capacity), Slot{});
  cells_.assign(static_cast<size_t>(capacity / 4 + 1), Cell{});
  count_ = cellsUsed_ = cellsTaken_ = 0;
  freeCell_ = -1;
  lastValid_ = false;
  lastEntry_ = nullptr;
}

void THashS::Clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  cells_.clear();
  cells_.shrink_to_fit();
  count_ = capacity_ = cellsUsed_ = cellsTaken_ = 0;
  freeCell_ = -1;
  lastValid_ = false;
  lastEntry_ = nullptr;
}

const char* const* THashS::Locate(uint32_t slot, const char* p, size_t n) const {
  const Slot* v = &slots_[slot];
  while (v->cell >= 0) {
    const Cell& c = cells_[v->cell];
    if (Equal(c.str, p, n)) return &c.str;
    v = &c.prev;
  }
  if (v->str && Equal(v->str, p, n)) return &v->str;
  return nullptr;
}

const char* THashS::FindSpan(const char* p, size_t n) {
  if (slots_.empty()) Size(1024);
  lastSlot_ = Bucket(Hash(p, n), BucketCount());
  lastEntry_ = Locate(lastSlot_, p, n);
  lastValid_ = true;
  return lastEntry_ ? *lastEntry_ : nullptr;
}

const char* THashS::Peek(const char* p, size_t n) const {
  if (slots_.empty()) return nullptr;
  const char* const* e = Locate(Bucket(Hash(p, n), BucketCount()), p, n);
  return e ? *e : nullptr;
}

int32_t THashS::TakeCell() {
  int32_t c;
  if (freeCell_ >= 0) {
    c = freeCell_;
    freeCell_ = cells_[c].prev.cell;
  } else {
    c = cellsTaken_++;
  }
  ++cellsUsed_;
  return c;
}

void THashS::Insert(uint32_t slot, const char* s) {
  Slot& v = slots_[slot];
  if (v.cell < 0 && !v.str) {
    v.str = s;
  } else {
    const int32_t c = TakeCell();
    cells_[c].prev = v;
    cells_[c].str = s;
    v = Slot{nullptr, c};
  }
  ++count_;
}

void THashS::Grow() {
  std::vector<const char*> entries;
  entries.reserve(count_);
  ForEach([&](const char* s) { entries.push_back(s); });
  Size(capacity_ ? 2 * capacity_ : 1024);
  // Re-insert oldest first so chains keep their newest-in-front order per bucket.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    Insert(Bucket(Hash(*it, std::strlen(*it)), BucketCount()), *it);
  }
}

void THashS::Set(const char* s) {
  if (!lastValid_) FindSpan(s, std::strlen(s));
  if (lastEntry_) {
    *const_cast<const char**>(lastEntry_) = s;
    lastValid_ = false;
    return;
  }
  if (count_ >= capacity_ || cellsUsed_ >= CellCapacity()) {
    Grow();
    lastSlot_ = Bucket(Hash(s, std::strlen(s)), BucketCount());
  }
  Insert(lastSlot_, s);
  lastValid_ = false;
  lastEntry_ = nullptr;
}

bool THashS::Add(const char* s) {
  if (Find(s)) return false;
  Set(s);
  return true;
}

bool THashS::Remove(const char* s) {
  if (slots_.empty()) return false;
  const size_t n = std::strlen(s);
  lastValid_ = false;
  lastEntry_ = nullptr;
  Slot* holder = &slots_[Bucket(Hash(s, n), BucketCount())];
  while (holder->cell >= 0) {
    const int32_t c = holder->cell;
    if (Equal(cells_[c].str, s, n)) {
      *holder = cells_[c].prev;
      cells_[c] = Cell{Slot{nullptr, freeCell_}, nullptr};
      freeCell_ = c;
      --cellsUsed_;
      --count_;
      return true;
    }
    holder = &cells_[c].prev;
  }
  if (holder->str && Equal(holder->str, s, n)) {
    holder->str = nullptr;
    --count_;
    return true;
  }
  return false;
}

}  // namespace ql
