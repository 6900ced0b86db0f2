#include "tools/ext_filter.h"

#include "tools/lower_name.h"

namespace ql::tools {
namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence counts.
size_t CharCount(std::string_view text) {
  size_t n = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace

bool ExtFilter::Set(std::string_view filter) {
  patterns_.clear();
  if (CharCount(filter) > kMaxLength) return false;
  std::string lowered = LowerName(filter);
  std::string_view rest = lowered;
  for (;;) {
    size_t comma = patterns_.size() + 1 < kMaxPatterns ? rest.find(',') : std::string_view::npos;
    std::string_view part = rest.substr(0, comma);
    Pattern p{std::string(part), !part.empty() && part.back() == '*'};
    if (p.prefix) p.text.pop_back();
    patterns_.push_back(std::move(p));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return true;
}

bool ExtFilter::Matches(std::string_view file_name) const {
  size_t dot = file_name.rfind('.');
  std::string ext = dot == std::string_view::npos ? std::string() : LowerName(file_name.substr(dot + 1));
  for (const Pattern& p : patterns_) {
    if (p.prefix ? ext.compare(0, p.text.size(), p.text) == 0 && ext.size() >= p.text.size()
                 : ext == p.text) {
      return true;
    }
  }
  return false;
}

}  // namespace ql::tools
