#pragma once
// TSWr0: a growable zero-terminated string builder. Appending grows the capacity to the larger
// of the needed length + 1 and twice the old capacity (1024 when there was none); Clear only
// sets the length to 0 and keeps the buffer.
#include <cstddef>
#include <memory>
#include <string_view>

namespace ql {

class TSWr0 {
 public:
  TSWr0() = default;
  TSWr0(const TSWr0&) = delete;
  TSWr0& operator=(const TSWr0&) = delete;

  void Append(const char* p, size_t n);
  void Append(std::string_view s) { Append(s.data(), s.size()); }
  void Append(char c) { Append(&c, 1); }
  // Makes room for at least n more bytes (and the terminator).
  void Reserve(size_t n);
  void Clear();

  // Always zero-terminated ("" before the first append).
  const char* Data() const { return data_ ? data_.get() : ""; }
  char* MutableData() { return data_.get(); }
  size_t Length() const { return length_; }
  size_t Capacity() const { return capacity_; }
  std::string_view View() const { return {Data(), length_}; }

 private:
  std::unique_ptr<char[]> data_;
  size_t length_ = 0;
  size_t capacity_ = 0;
};

}  // namespace ql
