#include "find/subst_res.h"

#include <algorithm>
#include <string>

#include "base/cp1251.h"
#include "find/match.h"
#include "model/tree.h"

namespace ql {

TSubstRes::TSubstRes() = default;

int32_t TSubstRes::Run(TTTree& tree, std::string_view pattern, std::string_view replacement,
                       int32_t start, int32_t end) {
  Total = 0;
  mem_.Clear();
  lower_ = nullptr;
  lowerCap_ = 0;
  // Document text never holds a NUL; both copies end at the first one.
  pattern = pattern.substr(0, std::min(pattern.size(), pattern.find('\0')));
  replacement = replacement.substr(0, std::min(replacement.size(), replacement.find('\0')));
  char* p = mem_.CopyStr(pattern.data(), pattern.size());
  pattern_ = p;
  patternLen_ = pattern.size();
  replacement_ = {mem_.CopyStr(replacement.data(), replacement.size()), replacement.size()};
  if (patternLen_ == 0) return 0;
  if (IgnoreCase) Lower1251InPlace(p, patternLen_);
  startsWithWord_ = WholeWords && IsWordChar1251(static_cast<unsigned char>(p[0]));
  endsWithWord_ = WholeWords && IsWordChar1251(static_cast<unsigned char>(p[patternLen_ - 1]));
  searcher_.Set(pattern_, patternLen_);

  start = std::max(start, 0);
  end = std::min(end, tree.Count);
  for (int32_t i = start; i < end; ++i) {
    TTNode& node = *tree.Nodes[size_t(i)];
    if (OnlyOpened && !node.Visible) continue;
    if (NodeTexts && node.Text.size() >= patternLen_) Total += ProcessText(node.Text);
    if (LongTexts && node.LText.size() >= patternLen_) Total += ProcessText(node.LText);
  }
  return Total;
}

int32_t TSubstRes::ProcessText(std::string& text) {
  const std::string_view hay =
      IgnoreCase ? std::string_view(LowerInto(mem_, lower_, lowerCap_, text), text.size())
                 : std::string_view(text);
  int32_t n = 0;
  size_t mark = 0;
  size_t o = searcher_.Find(hay, 0);
  while (o != std::string_view::npos) {
    if (WholeWords && !WordBoundsOk(hay, o, patternLen_, startsWithWord_, endsWithWord_)) {
      o = searcher_.Find(hay, o + 1);
      continue;
    }
    if (!CountOnly) {
      if (n == 0) writer_.Clear();
      writer_.Append(text.data() + mark, o - mark);
      writer_.Append(replacement_);
    }
    ++n;
    mark = o + patternLen_;
    o = searcher_.Find(hay, mark);
  }
  if (n > 0 && !CountOnly) {
    writer_.Append(text.data() + mark, text.size() - mark);
    text.assign(writer_.Data(), writer_.Length());
  }
  return n;
}

}  // namespace ql
