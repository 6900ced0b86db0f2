#pragma once
// The extension filter of twinner, relocer and purgel: a comma list of at most 100 patterns
// (beyond the hundredth the rest of the text, commas included, is the last pattern), lowered with
// LowerName. A pattern ending with "*" matches extensions that begin with the rest of it; any other
// pattern matches an equal extension, so an empty pattern matches names without an extension.
#include <string>
#include <string_view>
#include <vector>

namespace ql::tools {

class ExtFilter {
 public:
  static constexpr size_t kMaxPatterns = 100;
  static constexpr size_t kMaxLength = 999;  // characters; longer filters are refused

  // False (and no patterns) when the filter is longer than kMaxLength characters.
  bool Set(std::string_view filter);
  // Whether the extension of the file name (after its last dot, lowered) matches a pattern.
  bool Matches(std::string_view file_name) const;

 private:
  struct Pattern {
    std::string text;
    bool prefix;
  };
  std::vector<Pattern> patterns_;
};

}  // namespace ql::tools
