#pragma once
// Matching shared by search and substitute: a byte-wise substring search prepared once per
// pattern, the whole-word test of a candidate and the growing lowered work copy of a text.
#include <cstddef>
#include <string_view>

#include "base/cp1251.h"
#include "base/tmem.h"

namespace ql {

// Plain byte-wise substring search. Prepared once for a pattern so that the many short texts of
// a document cost no per-text set-up: candidates are found 16 bytes at a time by two of the
// pattern's bytes (the rarest by a letter-frequency guess) and then compared whole.
class TByteSearcher {
 public:
  // The pattern must stay alive while the searcher is used. An empty pattern finds nothing.
  void Set(const char* pattern, size_t len);
  // Offset of the first occurrence in text at or after `from`, or npos.
  size_t Find(std::string_view text, size_t from) const;

 private:
  const char* pattern_ = nullptr;
  size_t len_ = 0;
  size_t i1_ = 0;  // offsets of the two probe bytes inside the pattern
  size_t i2_ = 0;
};

// Writes the 1251 lower-case mapping of n bytes of src to dst (which may equal src).
void LowerBytes1251(const char* src, char* dst, size_t n);

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

// Lowers text into a work buffer taken from the arena and returns it (zero-terminated). The
// buffer grows when the text is at least as long as its capacity, to the larger of the length + 1
// and twice the old capacity (16 384 when there was none); the old one stays in the arena until
// the arena is cleared.
const char* LowerInto(TMem& mem, char*& buffer, size_t& capacity, std::string_view text);

}  // namespace ql
