#include "tools/stamp_name.h"

#include <cstdio>

namespace ql::tools {
namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

NameParts SplitName(std::string_view path) {
  NameParts parts;
  size_t slash = path.rfind('/');
  size_t name_at = slash == std::string_view::npos ? 0 : slash + 1;
  parts.folder = std::string(path.substr(0, name_at));
  std::string_view name = path.substr(name_at);
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) dot = name.size();
  parts.base = std::string(name.substr(0, dot));
  parts.ext = std::string(name.substr(dot));
  return parts;
}

std::string DateStamp(const std::tm& t, bool with_time) {
  char text[96];
  if (with_time) {
    std::snprintf(text, sizeof text, " %d-%02d-%02d %02d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  } else {
    std::snprintf(text, sizeof text, " %d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  }
  return text;
}

bool StripStamps(std::string& base) {
  const long start = static_cast<long>(base.size()) - 1;
  long p = start;
  for (;;) {
    while (p >= 0 && base[p] == ' ') --p;
    if (p < 0 || !Digit(base[p])) break;
    long q = p;
    while (q >= 0 && Digit(base[q])) --q;
    long end = p;
    if (q >= 0 && base[q] == ' ') {
      // A sequence number: the stamp has to end right before its spaces.
      end = q;
      while (end >= 0 && base[end] == ' ') --end;
    }
    long t = end;
    bool matched = true;
    for (int run = 0; run < 3 && matched; ++run) {
      if (t < 0 || !Digit(base[t])) {
        matched = false;
        break;
      }
      while (t >= 0 && Digit(base[t])) --t;
      if (run < 2) {
        if (t < 0 || base[t] != '-') matched = false;
        --t;
      }
    }
    if (!matched) break;
    p = t;
  }
  if (p < 0 || p == start) return false;
  base.resize(static_cast<size_t>(p) + 1);
  return true;
}

}  // namespace ql::tools
