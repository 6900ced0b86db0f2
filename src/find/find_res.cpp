#include "find/find_res.h"

#include <algorithm>
#include <cstring>

#include "base/cp1251.h"
#include "find/match.h"
#include "model/tree.h"

namespace ql {
namespace {

// Halving that rounds down also for negative budgets.
int32_t HalfDown(int32_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

bool IsWord(char c) { return IsWordChar1251(static_cast<unsigned char>(c)); }

}  // namespace

TFindRes::TFindRes() = default;

void TFindRes::Clear() {
  mem_.Clear();
  results_ = nullptr;
  count_ = 0;
  capacity_ = 0;
  lower_ = nullptr;
  lowerCap_ = 0;
  pattern_ = nullptr;
  patternLen_ = 0;
}

int32_t TFindRes::Search(const TTTree& tree, std::string_view pattern, int32_t start,
                         int32_t end, const TCharWidths& widths, int32_t leftBudget,
                         int32_t totalBudget) {
  Clear();
  widths_ = widths;
  leftBudget_ = leftBudget;
  totalBudget_ = totalBudget;
  // A pattern is document text and never holds a NUL; the copy ends at the first one.
  pattern = pattern.substr(0, std::min(pattern.size(), pattern.find('\0')));
  char* p = mem_.CopyStr(pattern.data(), pattern.size());
  pattern_ = p;
  patternLen_ = int32_t(pattern.size());
  if (patternLen_ == 0) return 0;
  if (IgnoreCase) Lower1251InPlace(p, pattern.size());
  startsWithWord_ = WholeWords && IsWord(p[0]);
  endsWithWord_ = WholeWords && IsWord(p[patternLen_ - 1]);
  searcher_.Set(pattern_, size_t(patternLen_));

  start = std::max(start, 0);
  end = std::min(end, tree.Count);
  for (int32_t i = start; i < end; ++i) {
    const TTNode& node = *tree.Nodes[size_t(i)];
    if (OnlyOpened && !node.Visible) continue;
    if (NodeTexts && !node.Text.empty()) SearchText(node, node.Text, false);
    if (LongTexts && !node.LText.empty()) SearchText(node, node.LText, true);
  }
  return count_;
}

void TFindRes::SearchText(const TTNode& node, std::string_view text, bool inLongText) {
  const size_t len = size_t(patternLen_);
  if (text.size() < len) return;
  std::string_view hay = IgnoreCase ? std::string_view(LowerInto(mem_, lower_, lowerCap_, text),
                                                       text.size())
                                    : text;
  size_t o = searcher_.Find(hay, 0);
  while (o != std::string_view::npos) {
    if (!WholeWords || WordBoundsOk(hay, o, len, startsWithWord_, endsWithWord_))
      AddResult(node, text, o, inLongText);
    // Accepted or not, the scan resumes after the candidate: occurrences never overlap.
    o = searcher_.Find(hay, o + len);
  }
}

void TFindRes::AddResult(const TTNode& node, std::string_view text, size_t offset,
                         bool inLongText) {
  if (count_ == capacity_) {
    const int32_t grown = capacity_ ? capacity_ * 2 : 1024;
    auto** array = mem_.New<TFindItem*>(size_t(grown));
    if (count_) std::memcpy(array, results_, sizeof(TFindItem*) * size_t(count_));
    results_ = array;
    capacity_ = grown;
  }
  TFindItem* item = mem_.New<TFindItem>();
  item->Number = uint32_t(count_);
  item->NodeId = node.Id;
  item->Position = node.Index;
  item->Level = node.Level;
  item->Offset = uint32_t(offset);
  item->InLongText = inLongText;
  item->Left = LeftContext(text, offset);
  item->Match = mem_.CopyStr(text.data() + offset, size_t(patternLen_));
  item->Right = RightContext(text, offset);
  results_[count_++] = item;
}

// Walks left from the occurrence summing character widths. The context stops after a line feed,
// at the start of the text, or where the next character would exceed the left budget; in the
// last case it starts at the last word boundary instead when that boundary already uses at least
// half the budget, so a long word is cut mid-word only when ending at its start would leave most
// of the budget empty.
const char* TFindRes::LeftContext(std::string_view text, size_t offset) {
  if (offset == 0) return mem_.CopyStr("", 0);
  const int32_t budget = leftBudget_;
  int32_t d = 0;
  bool rightIsWord = startsWithWord_;
  size_t boundary = offset;
  int32_t boundaryWidth = 0;
  size_t from = 0;
  for (size_t i = offset; i-- > 0;) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 10) {
      from = i + 1;
      break;
    }
    const bool word = IsWordChar1251(c);
    if (!word || !rightIsWord) {
      boundary = i + 1;
      boundaryWidth = d;
    }
    if (d + widths_[c] > budget) {
      from = boundaryWidth >= HalfDown(budget) ? boundary : i + 1;
      break;
    }
    d += widths_[c];
    rightIsWord = word;
  }
  return mem_.CopyStr(text.data() + from, offset - from);
}

// The same walk to the right from the end of the occurrence, with the budget left after the left
// context and the match; it stops before a CR, an LF or the end of the text.
const char* TFindRes::RightContext(std::string_view text, size_t offset) {
  const size_t e = offset + size_t(patternLen_);
  int32_t budget = totalBudget_ - leftBudget_;
  for (size_t i = offset; i < e; ++i) budget -= widths_[static_cast<unsigned char>(text[i])];
  int32_t d = 0;
  bool leftIsWord = endsWithWord_;
  size_t boundary = e;
  int32_t boundaryWidth = 0;
  size_t to = e;
  for (size_t i = e;; ++i) {
    if (i >= text.size()) {
      to = i;
      break;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0 || c == 13 || c == 10) {
      to = i;
      break;
    }
    const bool word = IsWordChar1251(c);
    if (!word || !leftIsWord) {
      boundary = i;
      boundaryWidth = d;
    }
    if (d + widths_[c] > budget) {
      to = boundaryWidth >= HalfDown(budget) ? boundary : i;
      break;
    }
    d += widths_[c];
    leftIsWord = word;
  }
  return mem_.CopyStr(text.data() + e, to - e);
}

}  // namespace ql
