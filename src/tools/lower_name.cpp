#include "tools/lower_name.h"

#include "base/cp1251.h"

namespace ql::tools {
namespace {

bool Continuation(std::string_view s, size_t i) {
  return i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at `i` (its code point in *cp), or 0.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t* cp) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  size_t len;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2, min = 0x80, *cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3, min = 0x800, *cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4, min = 0x10000, *cp = c & 0x07;
  } else {
    return 0;
  }
  for (size_t k = 1; k < len; ++k) {
    if (!Continuation(s, i + k)) return 0;
    *cp = (*cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  }
  if (*cp < min || *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string LowerName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  size_t i = 0;
  while (i < name.size()) {
    char32_t cp = static_cast<unsigned char>(name[i]);
    size_t len = 1;
    if (cp >= 0x80 && (len = DecodeUtf8(name, i, &cp)) == 0) {
      out += name[i++];  // not UTF-8: kept byte by byte
      continue;
    }
    unsigned char b = UnicodeToCp1251(cp);
    unsigned char lower = kLower1251[b];
    if (Cp1251ToUnicode(b) == cp && lower != b) {
      out += Cp1251ToUtf8(std::string(1, static_cast<char>(lower)));
    } else {
      out.append(name.substr(i, len));
    }
    i += len;
  }
  return out;
}

}  // namespace ql::tools
