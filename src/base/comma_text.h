#pragma once
// Comma text as string lists read and write it: items separated by commas, or by blanks (codes
// 1 to 32) outside double quotes; a double-quoted item may hold anything, with "" standing for
// one double quote. Works on bytes, so it serves 1251 document text and UTF-8 alike.
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// Splits comma text. The text ends at its first NUL byte. An unterminated quoted item runs to
// the end of the text.
std::vector<std::string> SplitCommaText(std::string_view text);

// Joins items as comma text: an item that contains a blank (codes 0 to 32), a comma or a double
// quote is enclosed in double quotes with its double quotes doubled; a list of one empty item is
// written as "" so that it reads back as one item.
std::string JoinCommaText(const std::vector<std::string>& items);

// The profile functions drop a pair of double quotes enclosing a whole value, which damages
// comma text whose first and last items were quoted. Undoes that: a value that is not empty,
// does not begin with a double quote, and contains a blank or a double quote before its first
// comma (anywhere when it has no comma) is enclosed in double quotes again.
std::string RepairCommaQuoting(std::string_view value);

}  // namespace ql
