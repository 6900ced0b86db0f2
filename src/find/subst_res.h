#pragma once
// TSubstRes: the substitute run. Replaces (or only counts) every occurrence of a pattern in the
// node texts and long texts of a range of node positions. Each changed text is assembled once in
// a writer and assigned once; the search always runs over the old text, so a replacement that
// contains the pattern never cascades.
#include <cstdint>
#include <string_view>

#include "base/swr0.h"
#include "base/tmem.h"
#include "find/match.h"

namespace ql {

class TTTree;

class TSubstRes {
 public:
  TSubstRes();
  TSubstRes(const TSubstRes&) = delete;
  TSubstRes& operator=(const TSubstRes&) = delete;

  // Options of the next run; the window's boxes start case-sensitive with both kinds of text on.
  bool OnlySelected = false;  // the caller turns the selection into the range it passes
  bool OnlyOpened = false;    // only nodes that are Visible
  bool IgnoreCase = false;    // compare through the 1251 lower-case mapping
  bool WholeWords = false;
  bool NodeTexts = true;
  bool LongTexts = true;
  bool CountOnly = false;     // count the occurrences and change nothing

  // Replaces every occurrence of `pattern` by `replacement` (used exactly as given) in the nodes
  // at positions start..end-1 (clamped to the tree). A candidate rejected by the whole-word test
  // resumes the scan one byte after its start; an accepted one resumes after its end. An empty
  // pattern does nothing. Returns the number of occurrences replaced (or counted), also kept in
  // Total. Changes only Text and LText; the caller refreshes what shows them.
  int32_t Run(TTTree& tree, std::string_view pattern, std::string_view replacement,
              int32_t start, int32_t end);

  int32_t Total = 0;

 private:
  int32_t ProcessText(std::string& text);

  TMem mem_{65536};
  TByteSearcher searcher_;
  TSWr0 writer_;
  const char* pattern_ = nullptr;
  size_t patternLen_ = 0;
  std::string_view replacement_;
  char* lower_ = nullptr;
  size_t lowerCap_ = 0;
  bool startsWithWord_ = false;
  bool endsWithWord_ = false;
};

}  // namespace ql
