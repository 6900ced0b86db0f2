#include "styles/tokens.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>

#include "base/cp1251.h"

namespace ql {
namespace {

constexpr unsigned char kWhite = 0, kPunct = 1, kDigit = 2, kIdent = 3;

constexpr std::array<unsigned char, 256> MakeCharClass() {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    if (c <= 32) t[c] = kWhite;
    else if (c >= '0' && c <= '9') t[c] = kDigit;
    else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 128) t[c] = kIdent;
    else t[c] = kPunct;
  }
  return t;
}

constexpr std::array<unsigned char, 256> kClassTable = MakeCharClass();

// What the walk does at a byte: 0 nothing (white space, punctuation without a rule), 1 a
// number, 2 an identifier, 3 a punctuation rule. Runs of 0 are skipped in a tight loop.
constexpr unsigned char kActSkip = 0, kActNumber = 1, kActIdent = 2, kActRule = 3;

constexpr std::array<unsigned char, 256> MakeActions(std::string_view rules) {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    if (kClassTable[c] == kDigit) t[c] = kActNumber;
    else if (kClassTable[c] == kIdent) t[c] = kActIdent;
    else t[c] = kActSkip;
  }
  for (char c : rules) t[static_cast<unsigned char>(c)] = kActRule;
  return t;
}

constexpr std::array<unsigned char, 256> kActC = MakeActions("\"'/@");
constexpr std::array<unsigned char, 256> kActPascal = MakeActions("'#$/{(");

inline bool IsWordClass(unsigned char c) { return kClassTable[c] >= kDigit; }

// End of the run of digits and identifier characters starting at i.
inline size_t WordEnd(const unsigned char* t, size_t i, size_t n) {
  while (i < n && IsWordClass(t[i])) ++i;
  return i;
}

// The first position at or after i whose action is not "skip".
inline size_t SkipPlain(const unsigned char* t, size_t i, size_t n, const unsigned char* act) {
  while (i < n && act[t[i]] == 0) ++i;
  return i;
}

// Most runs are a few bytes long: store them inline instead of calling memset.
inline void Mark(unsigned char* cl, size_t from, size_t to, unsigned char cls) {
  const size_t n = to - from;
  if (n > 16) {
    std::memset(cl + from, cls, n);
    return;
  }
  unsigned char* p = cl + from;
  if (n >= 8) {
    const uint64_t pattern = 0x0101010101010101ull * cls;
    std::memcpy(p, &pattern, 8);
    std::memcpy(p + n - 8, &pattern, 8);
  } else if (n >= 4) {
    const uint32_t pattern = 0x01010101u * cls;
    std::memcpy(p, &pattern, 4);
    std::memcpy(p + n - 4, &pattern, 4);
  } else if (n >= 2) {
    const uint16_t pattern = static_cast<uint16_t>(0x0101u * cls);
    std::memcpy(p, &pattern, 2);
    std::memcpy(p + n - 2, &pattern, 2);
  } else if (n == 1) {
    p[0] = cls;
  }
}

// A number starting with the digit at i, shared by both rule sets. Returns where the walk goes
// on: at a punctuation character that ended the number (classified next), or past a skipped
// white space, "." or sign.
size_t ScanNumber(const unsigned char* t, unsigned char* cl, size_t i, size_t n) {
  size_t j = i;
  for (;;) {
    size_t w = WordEnd(t, j, n);
    Mark(cl, j, w, kTokLiteral);
    j = w;
    if (j >= n) return j;
    unsigned char c = t[j];
    if (kClassTable[c] == kWhite) return j + 1;
    bool nextDigit = j + 1 < n && kClassTable[t[j + 1]] == kDigit;
    if (c == '.') {
      if (!nextDigit) return j + 1;
    } else if (c == '+' || c == '-') {
      if (!(nextDigit && (t[j - 1] == 'e' || t[j - 1] == 'E'))) return j + 1;
    } else {
      return j;
    }
    cl[j++] = kTokLiteral;
  }
}

// C-like string from the quote at q up to and including the next unescaped quote of the same
// kind; a backslash takes the following character along. Unterminated: to the end.
size_t ScanCString(const unsigned char* t, unsigned char* cl, size_t q, size_t n) {
  unsigned char quote = t[q];
  size_t k = q + 1;
  while (k < n) {
    unsigned char c = t[k++];
    if (c == '\\') {
      if (k < n) ++k;
    } else if (c == quote) {
      break;
    }
  }
  Mark(cl, q, k, kTokLiteral);
  return k;
}

// A comment from i up to, not including, the next CR or LF.
size_t ScanLineComment(const unsigned char* t, unsigned char* cl, size_t i, size_t n) {
  const void* lf = std::memchr(t + i, '\n', n - i);
  size_t k = lf ? static_cast<size_t>(static_cast<const unsigned char*>(lf) - t) : n;
  if (const void* cr = std::memchr(t + i, '\r', k - i))
    k = static_cast<size_t>(static_cast<const unsigned char*>(cr) - t);
  Mark(cl, i, k, kTokComment);
  return k;
}

}  // namespace

const unsigned char kCharClass[256] = {
#define QL_ROW(b) kClassTable[b], kClassTable[b + 1], kClassTable[b + 2], kClassTable[b + 3], \
    kClassTable[b + 4], kClassTable[b + 5], kClassTable[b + 6], kClassTable[b + 7]
    QL_ROW(0),   QL_ROW(8),   QL_ROW(16),  QL_ROW(24),  QL_ROW(32),  QL_ROW(40),  QL_ROW(48),
    QL_ROW(56),  QL_ROW(64),  QL_ROW(72),  QL_ROW(80),  QL_ROW(88),  QL_ROW(96),  QL_ROW(104),
    QL_ROW(112), QL_ROW(120), QL_ROW(128), QL_ROW(136), QL_ROW(144), QL_ROW(152), QL_ROW(160),
    QL_ROW(168), QL_ROW(176), QL_ROW(184), QL_ROW(192), QL_ROW(200), QL_ROW(208), QL_ROW(216),
    QL_ROW(224), QL_ROW(232), QL_ROW(240), QL_ROW(248),
#undef QL_ROW
};

TTokensH::TTokensH(bool pascal) : pascal_(pascal) {}

TTokensH::TTokensH(bool pascal, const TTokensH& keywordsFrom) : pascal_(pascal) {
  keywordsFrom.keywords_.ForEach([this](const char* w) { keywords_.Add(w); });
}

bool TTokensH::AddKeyword(const char* word) {
  if (kClassTable[static_cast<unsigned char>(word[0])] != kIdent) return false;
  if (!keywords_.Add(word)) return false;
  KeywordsChanged();
  return true;
}

void TTokensH::Classify(const char* text, unsigned char* classes, size_t length) {
  if (length == 0) return;
  std::memset(classes, kTokPlain, length);
  if (filterCount_ != keywords_.Count()) RebuildFilter();
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  if (pascal_) ClassifyPascal(t, classes, length);
  else ClassifyC(t, classes, length);
}

void TTokensH::RebuildFilter() {
  std::memset(lengths_, 0, sizeof lengths_);
  keywords_.ForEach([this](const char* w) {
    size_t n = std::strlen(w);
    unsigned char c = static_cast<unsigned char>(w[0]);
    if (pascal_) c = kLower1251[c];
    lengths_[c] |= uint64_t{1} << (n < 63 ? n : 63);
  });
  filterCount_ = keywords_.Count();
  for (Memo& m : memo_) m = Memo{};
}

bool TTokensH::IsKeyword(const unsigned char* p, size_t n, const unsigned char* end) {
  return MayBeKeyword(p[0], n) && LookUp(p, n, end, false);
}

bool TTokensH::IsKeywordLowered(const unsigned char* p, size_t n, const unsigned char* end) {
  return MayBeKeyword(kLower1251[p[0]], n) && LookUp(p, n, end, true);
}

bool TTokensH::LookUp(const unsigned char* p, size_t n, const unsigned char* end, bool lower) {
  Memo* memo = nullptr;
  uint64_t word = 0;
  if (n <= 8) {
    // The bytes as a little-endian number: one 8-byte load where the text allows it.
    if (std::endian::native == std::endian::little && end - p >= 8) {
      std::memcpy(&word, p, 8);
      if (n < 8) word &= (uint64_t{1} << (8 * n)) - 1;
    } else {
      for (size_t k = 0; k < n; ++k) word |= uint64_t{p[k]} << (8 * k);
    }
    memo = &memo_[((word ^ n) * 0x9E3779B97F4A7C15ull) >> (64 - kMemoBits)];
    if (memo->length == n && memo->word == word) return memo->keyword;
  }
  const char* span = reinterpret_cast<const char*>(p);
  if (lower) {
    if (lower_.size() < n) lower_.resize(std::max(n, lower_.empty() ? size_t{256} : 2 * lower_.size()));
    for (size_t k = 0; k < n; ++k) lower_[k] = static_cast<char>(kLower1251[p[k]]);
    span = lower_.data();
  }
  const bool found = keywords_.FindSpan(span, n) != nullptr;
  if (memo) *memo = Memo{word, static_cast<uint8_t>(n), found};
  return found;
}

void TTokensH::ClassifyC(const unsigned char* t, unsigned char* cl, size_t n) {
  size_t i = 0;
  for (;;) {
    i = SkipPlain(t, i, n, kActC.data());
    if (i >= n) break;
    unsigned char c = t[i];
    switch (kActC[c]) {
      case kActNumber:
        i = ScanNumber(t, cl, i, n);
        break;
      case kActIdent: {
        size_t e = WordEnd(t, i, n);
        if (e < n && (t[e] == '"' || t[e] == '\'')) {
          // A prefixed string (L"..", u8'..'): the prefix joins the literal.
          Mark(cl, i, e, kTokLiteral);
          i = ScanCString(t, cl, e, n);
        } else {
          if (IsKeyword(t + i, e - i, t + n)) Mark(cl, i, e, kTokKeyword);
          i = e;
        }
        break;
      }
      default:  // punctuation
        if (c == '"' || c == '\'') {
          i = ScanCString(t, cl, i, n);
        } else if (c == '/' && i + 1 < n && t[i + 1] == '/') {
          i = ScanLineComment(t, cl, i, n);
        } else if (c == '/' && i + 1 < n && t[i + 1] == '*') {
          // Closed by the first "/" after a "*", where the "/" cannot be the character right
          // after the opening "/*" (so "/*/" is still open and "/**/" is closed).
          size_t k = i + 3;
          while (k < n) {
            const void* slash = std::memchr(t + k, '/', n - k);
            if (!slash) {
              k = n;
              break;
            }
            k = static_cast<size_t>(static_cast<const unsigned char*>(slash) - t);
            if (t[k - 1] == '*') break;
            ++k;
          }
          k = std::min(k + 1, n);
          Mark(cl, i, k, kTokComment);
          i = k;
        } else if (c == '@') {
          if (i + 1 >= n) {
            cl[i++] = kTokAtWord;
            break;
          }
          unsigned char d = t[i + 1];
          if (d == '"' || d == '\'') {
            cl[i] = kTokLiteral;
            i = ScanCString(t, cl, i + 1, n);
          } else if (kClassTable[d] == kDigit) {
            size_t e = i + 1;
            while (e < n && kClassTable[t[e]] == kDigit) ++e;
            Mark(cl, i, e, kTokAtWord);
            i = e;
          } else if (kClassTable[d] == kIdent) {
            size_t e = WordEnd(t, i + 1, n);
            if (IsKeyword(t + i, e - i, t + n)) Mark(cl, i, e, kTokKeyword);
            i = e;
          } else {
            cl[i++] = kTokAtWord;
          }
        } else {
          ++i;
        }
    }
  }
}

void TTokensH::ClassifyPascal(const unsigned char* t, unsigned char* cl, size_t n) {
  size_t i = 0;
  for (;;) {
    i = SkipPlain(t, i, n, kActPascal.data());
    if (i >= n) break;
    unsigned char c = t[i];
    switch (kActPascal[c]) {
      case kActNumber:
        i = ScanNumber(t, cl, i, n);
        break;
      case kActIdent: {
        size_t e = WordEnd(t, i, n);
        if (IsKeywordLowered(t + i, e - i, t + n)) Mark(cl, i, e, kTokKeyword);
        i = e;
        break;
      }
      default:
        if (c == '\'') {
          // Two apostrophes inside the string stand for one and do not close it.
          size_t k = i + 1;
          while (k < n) {
            if (t[k] == '\'') {
              if (k + 1 < n && t[k + 1] == '\'') {
                k += 2;
                continue;
              }
              ++k;
              break;
            }
            ++k;
          }
          Mark(cl, i, k, kTokLiteral);
          i = k;
        } else if (c == '#') {
          size_t e = i + 1;
          while (e < n && kClassTable[t[e]] == kDigit) ++e;
          Mark(cl, i, e, kTokLiteral);
          i = e;
        } else if (c == '$') {
          size_t e = WordEnd(t, i + 1, n);
          Mark(cl, i, e, kTokLiteral);
          i = e;
        } else if (c == '/' && i + 1 < n && t[i + 1] == '/') {
          i = ScanLineComment(t, cl, i, n);
        } else if (c == '{') {
          unsigned char cls = i + 1 < n && t[i + 1] == '$' ? kTokDirective : kTokComment;
          const void* close = std::memchr(t + i + 1, '}', n - i - 1);
          size_t k = close ? static_cast<size_t>(static_cast<const unsigned char*>(close) - t) + 1 : n;
          Mark(cl, i, k, cls);
          i = k;
        } else if (c == '(' && i + 1 < n && t[i + 1] == '*') {
          // Closed by the next "*)" whose "*" is not one of the opening two characters, so
          // "(*)" is still open and "(**)" is closed.
          unsigned char cls = i + 2 < n && t[i + 2] == '$' ? kTokDirective : kTokComment;
          size_t k = i + 3;
          while (k < n && !(t[k] == ')' && t[k - 1] == '*')) ++k;
          k = std::min(k + 1, n);
          Mark(cl, i, k, cls);
          i = k;
        } else {
          ++i;
        }
    }
  }
}

}  // namespace ql
