#pragma once
// TFindRes: the search proper and its result set. One search finds every occurrence of a pattern
// in the node texts and long texts of a range of node positions and keeps, for each one, the node
// it was found in and the text around it cut to pixel budgets for a keyword-in-context table.
// Every result record and string lives in one arena released as a whole by Clear.
#include <cstdint>
#include <string_view>

#include "base/tmem.h"
#include "find/match.h"

namespace ql {

class TTTree;
struct TTNode;

// Pixel width of each character code in the result grid's font; codes 0-31 are 0.
using TCharWidths = uint8_t[256];

// One occurrence. All pointers point into the arena of the TFindRes that made it.
struct TFindItem {
  uint32_t Number;     // 0-based position in the result list
  uint32_t NodeId;     // the node's Id; going to a result goes by id
  int32_t Position;    // the node's Index at search time
  int32_t Level;       // the node's Level at search time
  uint32_t Offset;     // byte offset of the occurrence in the searched text
  bool InLongText;     // false: found in Text; true: in LText
  const char* Left;    // context shown left of the occurrence, zero-terminated
  const char* Right;   // context shown right of it
  const char* Match;   // the occurrence in the document's own letter case
};

class TFindRes {
 public:
  TFindRes();
  TFindRes(const TFindRes&) = delete;
  TFindRes& operator=(const TFindRes&) = delete;

  // Options of the next search (the window loads its stored settings into them).
  bool OnlySelected = false;  // the caller turns the selection into the range it passes
  bool OnlyOpened = false;    // only nodes that are Visible
  bool IgnoreCase = true;     // compare through the 1251 lower-case mapping
  bool WholeWords = false;    // the word-character table decides the boundaries
  bool NodeTexts = true;      // search each node's Text
  bool LongTexts = true;      // search each node's LText

  // Clears the results, then finds every occurrence of `pattern` (document bytes) in the nodes at
  // positions start..end-1 (clamped to the tree), node by node, the Text before the LText, each
  // text left to right, occurrences never overlapping. Contexts are cut with `widths` to
  // leftBudget pixels on the left and totalBudget pixels for the whole line. An empty pattern
  // gives no results. Returns the number of results.
  int32_t Search(const TTTree& tree, std::string_view pattern, int32_t start, int32_t end,
                 const TCharWidths& widths, int32_t leftBudget, int32_t totalBudget);

  // Releases the arena at once and forgets the results, the pattern and the lower buffer.
  void Clear();

  int32_t Count() const { return count_; }
  const TFindItem& Item(int32_t i) const { return *results_[i]; }
  TFindItem* const* Items() const { return results_; }
  // The pattern of the last search (lowered when IgnoreCase was on).
  std::string_view Pattern() const { return {pattern_ ? pattern_ : "", size_t(patternLen_)}; }
  int32_t PatternLength() const { return patternLen_; }
  int32_t LeftBudget() const { return leftBudget_; }
  int32_t TotalBudget() const { return totalBudget_; }

 private:
  void SearchText(const TTNode& node, std::string_view text, bool inLongText);
  void AddResult(const TTNode& node, std::string_view text, size_t offset, bool inLongText);
  const char* LeftContext(std::string_view text, size_t offset);
  const char* RightContext(std::string_view text, size_t offset);

  TMem mem_{65536};
  TByteSearcher searcher_;
  TFindItem** results_ = nullptr;
  int32_t count_ = 0;
  int32_t capacity_ = 0;
  char* lower_ = nullptr;
  size_t lowerCap_ = 0;
  const char* pattern_ = nullptr;
  int32_t patternLen_ = 0;
  bool startsWithWord_ = false;
  bool endsWithWord_ = false;
  const uint8_t* widths_ = nullptr;
  int32_t leftBudget_ = 0;
  int32_t totalBudget_ = 0;
};

}  // namespace ql
