#pragma once
// TTokensH: classifies text into token classes (plain, keyword, literal, at-word, comment,
// directive) by C-like or Pascal-like rules and a keyword set.
#include <cstddef>
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
  // Adds a keyword (owned elsewhere) when its first character is an identifier character and it
  // is not yet in the set; true when added.
  bool AddKeyword(const char* word);
  THashS& Keywords() { return keywords_; }
  const THashS& Keywords() const { return keywords_; }

  void Classify(const char* text, unsigned char* classes, size_t length) override;

 private:
  bool pascal_;
  THashS keywords_;
  std::vector<char> lower_;  // Pascal mode: lower-cased copy of the identifier being looked up
};

}  // namespace ql
