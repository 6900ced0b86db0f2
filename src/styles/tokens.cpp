#include "styles/tokens.h"

#include <cstring>

namespace ql {
namespace {

bool IsIdentifierStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 128;
}

}  // namespace

TTokensH::TTokensH(bool pascal) : pascal_(pascal) {}

TTokensH::TTokensH(bool pascal, const TTokensH& keywordsFrom) : pascal_(pascal) {
  keywordsFrom.keywords_.ForEach([this](const char* w) { keywords_.Add(w); });
}

bool TTokensH::AddKeyword(const char* word) {
  if (!IsIdentifierStart(static_cast<unsigned char>(word[0]))) return false;
  return keywords_.Add(word);
}

void TTokensH::Classify(const char* /*text*/, unsigned char* classes, size_t length) {
  std::memset(classes, kTokPlain, length);
}

}  // namespace ql
