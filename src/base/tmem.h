#pragma once
// Arena allocator: a chain of blocks, a bump position and a block end. Nothing is freed singly;
// Clear releases every block. Block growth: the first block is sized for the request plus 24
// bytes; later blocks take the larger of the request and twice the previous block plus 48 bytes,
// at most the maximum (the larger of the minimum and 1 MiB); sizes are rounded up to a multiple
// of the minimum, or of the maximum for requests at least that large.
#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

namespace ql {

class TMem {
 public:
  explicit TMem(size_t minBlock = 65536);
  ~TMem();
  TMem(const TMem&) = delete;
  TMem& operator=(const TMem&) = delete;

  // n bytes, no alignment.
  void* Alloc(size_t n) { return AllocAligned(n, 1); }
  // n bytes at a 4-byte boundary.
  void* Alloc4(size_t n) { return AllocAligned(n, 4); }
  // n zero-filled bytes at a 4-byte boundary.
  void* Alloc4Z(size_t n) {
    void* p = Alloc4(n);
    std::memset(p, 0, n);
    return p;
  }
  void* AllocAligned(size_t n, size_t align);

  // A zero-terminated copy of n bytes.
  char* CopyStr(const char* s, size_t n);
  char* CopyStr(const char* s) { return CopyStr(s, std::strlen(s)); }

  // count value-initialised objects of a trivially destructible type.
  template <class T>
  T* New(size_t count = 1) {
    static_assert(std::is_trivially_destructible_v<T>, "the arena never runs destructors");
    void* p = AllocAligned(sizeof(T) * count, alignof(T));
    T* first = static_cast<T*>(p);
    for (size_t i = 0; i < count; ++i) ::new (static_cast<void*>(first + i)) T();
    return first;
  }

  void Clear();

  size_t MinBlock() const { return min_; }
  size_t MaxBlock() const { return max_; }
  size_t BlockCount() const;
  // Size of the most recently chained block, header included; 0 when there is none.
  size_t LastBlockSize() const;

 private:
  struct Block {
    Block* prev;
    Block* next;
    size_t size;  // whole block, header included
  };
  static constexpr size_t kHeader = sizeof(Block);

  void Chain(size_t request);

  size_t min_;
  size_t max_;
  Block* last_ = nullptr;
  char* pos_ = nullptr;
  char* end_ = nullptr;
};

}  // namespace ql
