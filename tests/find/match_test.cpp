// The prepared substring search and the block-wise lowering, against plain references.
#include "find/match.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

size_t Reference(const std::string& text, size_t from, const std::string& pattern) {
  if (pattern.empty()) return std::string::npos;
  return text.find(pattern, from);
}

TEST(MatchTest, SearcherAgreesWithAPlainSearch) {
  // Small alphabets make many near-misses; lengths cross the 16-byte blocks.
  std::mt19937 rng(7);
  const std::string alphabet = "ab \xC0\xE0\xB8\xA8_";
  for (int round = 0; round < 3000; ++round) {
    std::string text(rng() % 80, ' ');
    for (char& c : text) c = alphabet[rng() % 3 + (round % 2 ? rng() % 6 : 0)];
    std::string pattern(1 + rng() % 20, ' ');
    for (char& c : pattern) c = alphabet[rng() % 3 + (round % 2 ? rng() % 6 : 0)];
    if (round % 5 == 0 && text.size() >= 4) pattern = text.substr(rng() % (text.size() - 3), 1 + rng() % 3);
    ql::TByteSearcher s;
    s.Set(pattern.data(), pattern.size());
    for (size_t from = 0; from <= text.size() + 1; from += 1 + rng() % 7)
      ASSERT_EQ(s.Find(text, from), Reference(text, from, pattern))
          << "text '" << text << "' pattern '" << pattern << "' from " << from;
  }
  ql::TByteSearcher none;
  none.Set("", 0);
  EXPECT_EQ(none.Find("abc", 0), std::string::npos);
  // A match at the very end of a long text, and none that would need bytes past it.
  const std::string text = std::string(100, 'x') + "needle";
  ql::TByteSearcher s;
  s.Set("needle", 6);
  EXPECT_EQ(s.Find(text, 0), 100u);
  EXPECT_EQ(s.Find(std::string_view(text).substr(0, 105), 0), std::string::npos);
}

TEST(MatchTest, LoweringAgreesWithTheTable) {
  std::string all;
  for (int round = 0; round < 4; ++round)
    for (int c = 0; c < 256; ++c) all += char(c);
  std::mt19937 rng(3);
  std::string mixed(1000, ' ');
  for (char& c : mixed) c = char(rng() % 2 ? 'A' + rng() % 58 : 0xC0 + rng() % 64);
  for (const std::string& text : {all, mixed, std::string(all.rbegin(), all.rend())}) {
    for (size_t offset : {0, 1, 7}) {
      const std::string src = text.substr(offset);
      std::string got(src.size(), '\0');
      ql::LowerBytes1251(src.data(), got.data(), src.size());
      ASSERT_EQ(got, ql::Lower1251(src)) << offset;
    }
  }
}

}  // namespace
