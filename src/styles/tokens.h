#pragma once
// TTokensH: classifies text into token classes (plain, keyword, literal, at-word, comment,
// directive) by C-like or Pascal-like rules and a keyword set.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/hash_s.h"

namespace ql {

enum TokenClass : unsigned char {
  kTokPlain = 0,
  kTokKeyword = 1,
  kTokLiteral = 2,
  kTokAtWord = 3,
  kTokComment = 4,
  kTokDirective = 5,
};

// Looks of the token classes: colour (0x00BBGGRR) and font bits (bold 1, underline 4).
inline constexpr int32_t kTokenColors[6] = {0x000000, 0x000000, 0xFF0000, 0x000080, 0x808000, 0x008000};
inline constexpr int kTokenFontBits[6] = {0, 1, 0, 0, 0, 0};

// Character classes the tokenizer walks by: 0 white space and control (0-32), 1 punctuation
// (33-127), 2 digits, 3 identifier characters (letters, "_", every code 128-255).
extern const unsigned char kCharClass[256];

// The abstract classifier: one class byte per text byte.
class TColText {
 public:
  virtual ~TColText() = default;
  virtual void Classify(const char* text, unsigned char* classes, size_t length) = 0;
};

class TTokensH : public TColText {
 public:
  explicit TTokensH(bool pascal);
  // A tokenizer in the given mode holding a copy of another's keyword set (the texts stay owned
  // by whoever owns them).
  TTokensH(bool pascal, const TTokensH& keywordsFrom);

  bool Pascal() const { return pascal_; }
  // Adds a keyword (owned elsewhere, must outlive the tokenizer) when its first character is an
  // identifier character and it is not yet in the set; true when added. Keywords match
  // case-sensitively; in Pascal mode the text's identifiers are lowered first, so only keywords
  // written in lower case can match.
  bool AddKeyword(const char* word);
  // The set itself. The tokenizer keeps a filter and memo over it, refreshed by AddKeyword and
  // whenever the set's count differs from the last classification's; so direct changes that
  // leave the count as it was (a removal plus an addition) must be followed by AddKeyword or
  // KeywordsChanged.
  THashS& Keywords() { return keywords_; }
  const THashS& Keywords() const { return keywords_; }
  void KeywordsChanged() { filterCount_ = -1; }

  // Fills classes[0..length-1]. Linear; allocates only when the Pascal lowering buffer grows.
  void Classify(const char* text, unsigned char* classes, size_t length) override;

 private:
  void ClassifyC(const unsigned char* t, unsigned char* cl, size_t n);
  void ClassifyPascal(const unsigned char* t, unsigned char* cl, size_t n);
  // p[0..n) is an identifier (or at-word) inside a text ending at end.
  bool IsKeyword(const unsigned char* p, size_t n, const unsigned char* end);
  bool IsKeywordLowered(const unsigned char* p, size_t n, const unsigned char* end);
  bool LookUp(const unsigned char* p, size_t n, const unsigned char* end, bool lower);

  void RebuildFilter();
  // Whether any keyword starts with byte c (lowered in Pascal mode) and has length n.
  bool MayBeKeyword(unsigned char c, size_t n) const {
    return (lengths_[c] >> (n < 63 ? n : 63)) & 1;
  }

  bool pascal_;
  THashS keywords_;
  // A quick filter over the keyword set: per first byte, bit min(length, 63) set for every
  // keyword; rebuilt when the set's count differs from filterCount_.
  uint64_t lengths_[256] = {};
  int filterCount_ = 0;
  // Answers of recent lookups of short identifiers (up to 8 bytes, keyed by their bytes and
  // length), since texts repeat their words; emptied with the filter.
  struct Memo {
    uint64_t word = 0;
    uint8_t length = 0;  // 0 = empty
    bool keyword = false;
  };
  static constexpr int kMemoBits = 9;
  Memo memo_[1 << kMemoBits];
  std::vector<char> lower_;  // Pascal mode: lower-cased copy of the identifier being looked up
};

}  // namespace ql
