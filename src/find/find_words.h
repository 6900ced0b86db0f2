#pragma once
// Helpers the search and substitute windows share: the word at the caret of an edit control and
// the search history kept in the search box's drop-down list.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// Longest text the word at the caret may have.
constexpr size_t kCaretWordMax = 100;
// Most entries the history keeps (the drop-down count of the search box).
constexpr size_t kFindHistoryMax = 20;
// Buffer length the history is read with from the settings file.
constexpr size_t kFindListBuffer = 10000;

// The word at the caret of an edit control whose text (document bytes, one byte per character as
// the control counts them) is `text`. With a selection (selLength > 0) it is the selected text
// when at most 100 characters long. Without one it is the run of word characters around the
// character at the caret, when that character is a word character and the run is at most 100
// characters long. False (out untouched) when there is none.
bool WordAtCaret(std::string_view text, size_t selStart, size_t selLength, size_t caret,
                 std::string& out);

// Adds a searched text to the history (newest first). An empty text changes nothing. A text
// found among the entries ignoring letter case moves that entry, in its own letter case, to the
// top; a new text goes to the top after the oldest entries are dropped so that at most 20 remain.
void AddToFindHistory(std::vector<std::string>& items, std::string_view text);

// The history as the "FindList" value (comma text).
std::string FindHistoryToProfile(const std::vector<std::string>& items);
// The history from a "FindList" value as the profile functions return it: cut to the read
// buffer, the quotes those functions drop around a whole value restored, then split.
std::vector<std::string> FindHistoryFromProfile(std::string_view value);

}  // namespace ql
