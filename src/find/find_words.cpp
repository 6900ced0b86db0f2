#include "find/find_words.h"

#include <algorithm>

#include "base/comma_text.h"
#include "base/cp1251.h"

namespace ql {
namespace {

bool IsWord(char c) { return IsWordChar1251(static_cast<unsigned char>(c)); }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower1251(a[i]) != Lower1251(b[i])) return false;
  return true;
}

}  // namespace

bool WordAtCaret(std::string_view text, size_t selStart, size_t selLength, size_t caret,
                 std::string& out) {
  if (selLength > 0) {
    if (selLength > kCaretWordMax || selStart > text.size() ||
        selLength > text.size() - selStart)
      return false;
    out.assign(text.substr(selStart, selLength));
    return true;
  }
  if (caret >= text.size() || !IsWord(text[caret])) return false;
  size_t from = caret;
  while (from > 0 && IsWord(text[from - 1])) --from;
  size_t to = caret + 1;
  while (to < text.size() && IsWord(text[to])) ++to;
  if (to - from > kCaretWordMax) return false;
  out.assign(text.substr(from, to - from));
  return true;
}

void AddToFindHistory(std::vector<std::string>& items, std::string_view text) {
  if (text.empty()) return;
  auto found = std::find_if(items.begin(), items.end(),
                            [&](const std::string& s) { return EqualIgnoringCase(s, text); });
  if (found == items.end()) {
    while (items.size() >= kFindHistoryMax) items.pop_back();
    items.insert(items.begin(), std::string(text));
  } else if (found != items.begin()) {
    std::rotate(items.begin(), found, found + 1);
  }
}

std::string FindHistoryToProfile(const std::vector<std::string>& items) {
  return JoinCommaText(items);
}

std::vector<std::string> FindHistoryFromProfile(std::string_view value) {
  value = value.substr(0, std::min(value.size(), kFindListBuffer - 1));
  if (value.empty()) return {};
  return SplitCommaText(RepairCommaQuoting(value));
}

}  // namespace ql
