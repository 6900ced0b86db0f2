#include "base/tmem.h"

#include <algorithm>
#include <cstdint>

namespace ql {

TMem::TMem(size_t minBlock) : min_(minBlock ? minBlock : 1), max_(std::max<size_t>(min_, 1 << 20)) {}

TMem::~TMem() { Clear(); }

void TMem::Clear() {
  while (last_) {
    Block* prev = last_->prev;
    ::operator delete(last_);
    last_ = prev;
  }
  pos_ = end_ = nullptr;
}

void TMem::Chain(size_t request) {
  size_t size;
  if (!last_) {
    size = request + 24;
  } else {
    size = std::min(std::max(request, 2 * last_->size + 48), max_);
  }
  size = std::max(size, request + kHeader);
  const size_t unit = request >= max_ ? max_ : min_;
  size = (size + unit - 1) / unit * unit;

  auto* block = static_cast<Block*>(::operator new(size));
  block->prev = last_;
  block->next = nullptr;
  block->size = size;
  if (last_) last_->next = block;
  last_ = block;
  pos_ = reinterpret_cast<char*>(block) + kHeader;
  end_ = reinterpret_cast<char*>(block) + size;
}

void* TMem::AllocAligned(size_t n, size_t align) {
  auto aligned = [&] {
    const auto p = reinterpret_cast<uintptr_t>(pos_);
    return reinterpret_cast<char*>((p + align - 1) & ~(uintptr_t{align} - 1));
  };
  char* p = pos_ ? aligned() : nullptr;
  if (!p || p > end_ || static_cast<size_t>(end_ - p) < n) {
    // A block's data starts 8-aligned, so only larger alignments need slack.
    Chain(align <= 8 ? n : n + align);
    p = aligned();
  }
  pos_ = p + n;
  return p;
}

char* TMem::CopyStr(const char* s, size_t n) {
  auto* p = static_cast<char*>(Alloc(n + 1));
  std::memcpy(p, s, n);
  p[n] = 0;
  return p;
}

size_t TMem::BlockCount() const {
  size_t n = 0;
  for (Block* b = last_; b; b = b->prev) ++n;
  return n;
}

size_t TMem::LastBlockSize() const { return last_ ? last_->size : 0; }

}  // namespace ql
