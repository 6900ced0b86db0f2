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
  THashS& Keywords() { return keywords_; }
  const THashS& Keywords() const { return keywords_; }

  // Fills classes[0..length-1]. Linear; allocates only when the Pascal lowering buffer grows.
  void Classify(const char* text, unsigned char* classes, size_t length) override;

 private:
  void ClassifyC(const unsigned char* t, unsigned char* cl, size_t n);
  void ClassifyPascal(const unsigned char* t, unsigned char* cl, size_t n);
  bool IsKeyword(const unsigned char* p, size_t n);
  bool IsKeywordLowered(const unsigned char* p, size_t n);

  bool pascal_;
  THashS keywords_;
  std::vector<char> lower_;  // Pascal mode: lower-cased copy of the identifier being looked up
};

}  // namespace ql
