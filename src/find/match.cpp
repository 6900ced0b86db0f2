#include "find/match.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ql {
namespace {

// A guess at how common a byte is in document text: blanks and lower-case letters are common,
// capitals, digits and punctuation rarer. Only used to choose the probe bytes.
int Commonness(unsigned char c) {
  if (c == ' ') return 4;
  if ((c >= 'a' && c <= 'z') || c >= 0xE0) return 3;
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) return 2;
  if (c >= '0' && c <= '9') return 1;
  return 0;
}

}  // namespace

void TByteSearcher::Set(const char* pattern, size_t len) {
  pattern_ = pattern;
  len_ = len;
  i1_ = i2_ = 0;
  if (len < 2) return;
  // The rarest byte, then the rarest at another offset (the later one on ties, so that the two
  // probes are spread apart).
  for (size_t i = 1; i < len; ++i)
    if (Commonness(static_cast<unsigned char>(pattern[i])) <
        Commonness(static_cast<unsigned char>(pattern[i1_])))
      i1_ = i;
  i2_ = i1_ == len - 1 ? 0 : len - 1;
  for (size_t i = 0; i < len; ++i)
    if (i != i1_ && Commonness(static_cast<unsigned char>(pattern[i])) <
                        Commonness(static_cast<unsigned char>(pattern[i2_])))
      i2_ = i;
}

size_t TByteSearcher::Find(std::string_view text, size_t from) const {
  constexpr size_t npos = std::string_view::npos;
  if (len_ == 0 || from > text.size() || text.size() - from < len_) return npos;
  const char* hay = text.data();
  const size_t last = text.size() - len_;  // the last possible start
  if (len_ == 1) {
    const void* hit = std::memchr(hay + from, pattern_[0], text.size() - from);
    return hit ? size_t(static_cast<const char*>(hit) - hay) : npos;
  }
  size_t p = from;
#if defined(__SSE2__)
  const __m128i v1 = _mm_set1_epi8(pattern_[i1_]);
  const __m128i v2 = _mm_set1_epi8(pattern_[i2_]);
  // Both probe loads of a block end at offset p + 15 + the probe offset <= last + len - 1.
  for (; last >= 15 && p <= last - 15; p += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + p + i1_));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + p + i2_));
    unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, v1), _mm_cmpeq_epi8(b, v2))));
    while (mask) {
      const size_t at = p + size_t(__builtin_ctz(mask));
      if (std::memcmp(hay + at, pattern_, len_) == 0) return at;
      mask &= mask - 1;
    }
  }
#endif
  for (; p <= last; ++p)
    if (hay[p + i1_] == pattern_[i1_] && hay[p + i2_] == pattern_[i2_] &&
        std::memcmp(hay + p, pattern_, len_) == 0)
      return p;
  return npos;
}

void LowerBytes1251(const char* src, char* dst, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  // Blocks without bytes 0x80-0xBF (where the mapping is irregular) need only the two regular
  // ranges: A-Z and 0xC0-0xDF move up by 0x20. Others take the table.
  const __m128i highMask = _mm_set1_epi8(char(0xC0));
  const __m128i irregular = _mm_set1_epi8(char(0x80));
  const __m128i latinShift = _mm_set1_epi8(char(0x80 - 'A'));
  const __m128i latinLimit = _mm_set1_epi8(char(-128 + 26));
  const __m128i cyrShift = _mm_set1_epi8(char(0x80 - 0xC0));
  const __m128i cyrLimit = _mm_set1_epi8(char(-128 + 32));
  const __m128i delta = _mm_set1_epi8(0x20);
  for (; i + 16 <= n; i += 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(x, highMask), irregular))) {
      for (size_t k = i; k < i + 16; ++k)
        dst[k] = static_cast<char>(kLower1251[static_cast<unsigned char>(src[k])]);
      continue;
    }
    const __m128i upper = _mm_or_si128(_mm_cmplt_epi8(_mm_add_epi8(x, latinShift), latinLimit),
                                       _mm_cmplt_epi8(_mm_add_epi8(x, cyrShift), cyrLimit));
    x = _mm_add_epi8(x, _mm_and_si128(upper, delta));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), x);
  }
#endif
  for (; i < n; ++i) dst[i] = static_cast<char>(kLower1251[static_cast<unsigned char>(src[i])]);
}

const char* LowerInto(TMem& mem, char*& buffer, size_t& capacity, std::string_view text) {
  if (text.size() >= capacity) {
    const size_t grown = capacity ? capacity * 2 : 16384;
    capacity = text.size() + 1 > grown ? text.size() + 1 : grown;
    buffer = static_cast<char*>(mem.Alloc(capacity));
  }
  LowerBytes1251(text.data(), buffer, text.size());
  buffer[text.size()] = '\0';
  return buffer;
}

}  // namespace ql
