#include "base/comma_text.h"

namespace ql {
namespace {

bool IsBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  std::vector<std::string> items;
  const size_t n = text.size();
  size_t i = 0;
  while (i < n && IsBlank(text[i])) ++i;
  while (i < n) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;  // the closing quote
          break;
        }
        item += text[i++];
      }
    } else {
      const size_t start = i;
      while (i < n && !IsBlank(text[i]) && text[i] != ',') ++i;
      item.assign(text.substr(start, i - start));
    }
    items.push_back(std::move(item));
    while (i < n && IsBlank(text[i])) ++i;
    if (i < n && text[i] == ',') {
      if (i + 1 == n) items.emplace_back();  // a trailing comma ends with an empty item
      do {
        ++i;
      } while (i < n && IsBlank(text[i]));
    }
  }
  return items;
}

std::string JoinCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string out;
  for (size_t k = 0; k < items.size(); ++k) {
    if (k) out += ',';
    const std::string& s = items[k];
    bool quote = false;
    for (char c : s) {
      if (static_cast<unsigned char>(c) <= 32 || c == '"' || c == ',') {
        quote = true;
        break;
      }
    }
    if (!quote) {
      out += s;
      continue;
    }
    out += '"';
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

std::string RepairCommaQuoting(std::string_view value) {
  if (value.empty() || value[0] == '"') return std::string(value);
  const std::string_view head = value.substr(0, value.find(','));
  if (head.find_first_of(" \"") == std::string_view::npos) return std::string(value);
  std::string out;
  out.reserve(value.size() + 2);
  out += '"';
  out += value;
  out += '"';
  return out;
}

}  // namespace ql
