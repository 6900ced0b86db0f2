#pragma once
// Matching shared by search and substitute: the plain byte-wise substring search, the whole-word
// test of a candidate and the growing lowered work copy of a text.
#include <cstddef>
#include <cstring>
#include <string_view>

#include "base/cp1251.h"
#include "base/tmem.h"

namespace ql {

// Offset of the first occurrence of the pattern in text at or after `from`, or npos.
inline size_t FindBytes(std::string_view text, size_t from, const char* pattern, size_t len) {
  if (from > text.size() || text.size() - from < len) return std::string_view::npos;
  const void* hit = memmem(text.data() + from, text.size() - from, pattern, len);
  return hit ? size_t(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
}

// Whole-word test of a candidate at offset o of length len: a side whose pattern byte is a word
// character needs a non-word neighbour (the start and the end of the text count as non-word).
inline bool WordBoundsOk(std::string_view text, size_t o, size_t len, bool startsWithWord,
                         bool endsWithWord) {
  if (startsWithWord && o > 0 && IsWordChar1251(static_cast<unsigned char>(text[o - 1])))
    return false;
  if (endsWithWord && o + len < text.size() &&
      IsWordChar1251(static_cast<unsigned char>(text[o + len])))
    return false;
  return true;
}

// Lowers text into a work buffer taken from the arena. The buffer grows when the text is at least
// as long as its capacity, to the larger of the length + 1 and twice the old capacity (16 384 when
// there was none); the old one stays in the arena until it is cleared.
inline const char* LowerInto(TMem& mem, char*& buffer, size_t& capacity, std::string_view text) {
  if (text.size() >= capacity) {
    size_t grown = capacity ? capacity * 2 : 16384;
    capacity = text.size() + 1 > grown ? text.size() + 1 : grown;
    buffer = static_cast<char*>(mem.Alloc(capacity));
  }
  const unsigned char* src = reinterpret_cast<const unsigned char*>(text.data());
  unsigned char* dst = reinterpret_cast<unsigned char*>(buffer);
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) dst[i] = kLower1251[src[i]];
  buffer[n] = '\0';
  return buffer;
}

}  // namespace ql
