#include "base/str_list_a.h"

#include <cstring>

namespace ql {

void TStrListA::Split(std::string_view text) {
  lines_.clear();
  copy_ = std::make_unique<char[]>(text.size() + 1);
  char* p = copy_.get();
  if (!text.empty()) std::memcpy(p, text.data(), text.size());
  p[text.size()] = 0;
  if (lines_.capacity() < 16) lines_.reserve(16);

  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    while (i < n && static_cast<unsigned char>(p[i]) <= 32) ++i;
    if (i == n) break;
    const size_t start = i;
    while (i < n && p[i] != '\r') ++i;
    const size_t end = i;
    if (i < n) p[i++] = 0;  // the carriage return becomes the terminator
    if (lines_.size() == lines_.capacity()) lines_.reserve(2 * lines_.capacity());
    lines_.emplace_back(p + start, end - start);
  }
}

}  // namespace ql
