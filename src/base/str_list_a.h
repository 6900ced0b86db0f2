#pragma once
// TStrListA: a text split into lines at carriage returns. At the start of every line the bytes
// with codes 0 to 32 are skipped, so the line feed of a CR LF, leading blanks and empty lines
// vanish. The lines are zero-terminated and point into one copy of the text owned by the list;
// the line array starts with 16 entries and doubles.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace ql {

class TStrListA {
 public:
  TStrListA() = default;
  explicit TStrListA(std::string_view text) { Split(text); }
  TStrListA(const TStrListA&) = delete;
  TStrListA& operator=(const TStrListA&) = delete;

  // Replaces the lines by those of text.
  void Split(std::string_view text);

  size_t Count() const { return lines_.size(); }
  // Line i (zero-terminated); i must be below Count().
  const char* operator[](size_t i) const { return lines_[i].data(); }
  std::string_view Line(size_t i) const { return lines_[i]; }
  size_t Capacity() const { return lines_.capacity(); }

 private:
  std::unique_ptr<char[]> copy_;
  std::vector<std::string_view> lines_;
};

}  // namespace ql
