#include "base/swr0.h"

#include <algorithm>
#include <cstring>

namespace ql {

void TSWr0::Reserve(size_t n) {
  const size_t needed = length_ + n + 1;
  if (needed <= capacity_) return;
  const size_t grown = capacity_ ? 2 * capacity_ : 1024;
  const size_t capacity = std::max(needed, grown);
  auto data = std::make_unique<char[]>(capacity);
  if (length_) std::memcpy(data.get(), data_.get(), length_);
  data[length_] = 0;
  data_ = std::move(data);
  capacity_ = capacity;
}

void TSWr0::Append(const char* p, size_t n) {
  Reserve(n);
  if (n) std::memcpy(data_.get() + length_, p, n);
  length_ += n;
  data_[length_] = 0;
}

void TSWr0::Clear() {
  length_ = 0;
  if (data_) data_[0] = 0;
}

}  // namespace ql
