#pragma once
// THashS: a set of zero-terminated strings owned elsewhere (style names, keyword sets, font keys).
// 2*C bucket slots; a slot holds nothing, one string, or a chain of overflow cells (newest in
// front, each cell remembering the value the slot had before). C/4+1 cells. The table grows to
// 2*C (1024 from nothing) before an insertion when it holds C entries or every cell is in use.
// The slot and entry of the last lookup are remembered, so Set after a lookup needs no new hash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ql {

class THashS {
 public:
  THashS() = default;
  explicit THashS(int capacity) { Size(capacity); }

  // Hash of n bytes: 4-byte little-endian groups (a short tail zero-padded), each adding the high
  // 32 bits of its 64-bit product with 0x01DED1E36BFAACE9.
  static uint32_t Hash(const char* p, size_t n);
  // Bucket of a hash: the high 32 bits of h * bucket count.
  static uint32_t Bucket(uint32_t h, uint32_t buckets) {
    return static_cast<uint32_t>((uint64_t{h} * buckets) >> 32);
  }

  // Drops every entry and sizes the table for capacity C (C <= 0 means 100).
  void Size(int capacity);
  void Clear();

  // Lookups return the stored pointer or nullptr and remember the slot for Set.
  const char* Find(const char* s) { return FindSpan(s, std::strlen(s)); }
  const char* FindSpan(const char* p, size_t n);
  // Lookup without remembering anything.
  const char* Peek(const char* p, size_t n) const;

  // After an unsuccessful lookup inserts s at the remembered slot (s must equal what was looked
  // up); after a successful one replaces the found entry's pointer by s.
  void Set(const char* s);
  // Inserts s unless an equal string is present; true when inserted.
  bool Add(const char* s);
  // Removes the entry equal to s; true when there was one.
  bool Remove(const char* s);

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  uint32_t BucketCount() const { return static_cast<uint32_t>(slots_.size()); }
  int CellCapacity() const { return static_cast<int>(cells_.size()); }
  int CellsInUse() const { return cellsUsed_; }

  // Calls f(const char*) for every entry, bucket by bucket, newest first within a bucket.
  template <class F>
  void ForEach(F&& f) const {
    for (const Slot& s : slots_) {
      Slot v = s;
      while (v.cell >= 0) {
        f(cells_[v.cell].str);
        v = cells_[v.cell].prev;
      }
      if (v.str) f(v.str);
    }
  }

 private:
  // A slot value: a cell chain when cell >= 0, else one string or nothing.
  struct Slot {
    const char* str = nullptr;
    int32_t cell = -1;
  };
  struct Cell {
    Slot prev;
    const char* str = nullptr;
  };

  void Grow();
  void Insert(uint32_t slot, const char* s);
  int32_t TakeCell();
  // Finds the entry; returns a pointer to the field that holds it (a slot's or cell's str).
  const char* const* Locate(uint32_t slot, const char* p, size_t n) const;

  int count_ = 0;
  int capacity_ = 0;
  std::vector<Slot> slots_;
  std::vector<Cell> cells_;
  int cellsUsed_ = 0;
  int cellsTaken_ = 0;
  int32_t freeCell_ = -1;  // free cells are linked through prev.cell
  uint32_t lastSlot_ = 0;
  const char* const* lastEntry_ = nullptr;
  bool lastValid_ = false;
};

}  // namespace ql
