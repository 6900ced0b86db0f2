#include "base/cp1251.h"

#include <array>

namespace ql {
namespace {

// Code points of 0x80-0xBF; 0xC0-0xFF are U+0410-U+044F.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// Code points of 866 bytes 0x80-0xFF.
constexpr char16_t k866[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

// Upper/lower pairs among 0x80-0xBF.
constexpr unsigned char kCasePairs[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
    {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
    {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};

struct CaseTables {
  unsigned char lower[256];
  unsigned char upper[256];
  bool word[256];
  bool letter[256];
};

constexpr CaseTables MakeCaseTables() {
  CaseTables t{};
  for (int i = 0; i < 256; ++i) {
    t.lower[i] = t.upper[i] = static_cast<unsigned char>(i);
  }
  auto pair = [&t](int up, int low) {
    t.lower[up] = static_cast<unsigned char>(low);
    t.upper[low] = static_cast<unsigned char>(up);
    t.letter[up] = t.letter[low] = true;
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
  for (int c = 0xC0; c <= 0xDF; ++c) pair(c, c + 32);
  for (const auto& p : kCasePairs) pair(p[0], p[1]);
  for (int i = 0; i < 256; ++i) t.word[i] = t.letter[i] || (i >= '0' && i <= '9') || i == '_';
  return t;
}

constexpr CaseTables kCase = MakeCaseTables();

}  // namespace

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

char32_t NextUtf8(std::string_view text, size_t& i) {
  constexpr char32_t kBad = 0xFFFFFFFF;
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra;
  char32_t u;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) { extra = 1; u = b0 & 0x1F; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { extra = 2; u = b0 & 0x0F; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { extra = 3; u = b0 & 0x07; min = 0x10000; }
  else { ++i; return kBad; }
  if (text.size() - i <= static_cast<size_t>(extra)) {
    ++i;
    return kBad;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kBad;
    }
    u = (u << 6) | (b & 0x3F);
  }
  if (u < min || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) {
    ++i;
    return kBad;
  }
  i += extra + 1;
  return u;
}

namespace {

struct ReverseTable {
  // Code points 0x80-0x2FFF are enough for every 1251 and 866 character.
  unsigned char to1251[0x3000];
  unsigned char to866[0x3000];
};

const ReverseTable& Reverse() {
  static const ReverseTable table = [] {
    ReverseTable t{};
    for (int c = 0x80; c < 0x100; ++c) t.to1251[Cp1251ToUnicode(static_cast<unsigned char>(c))] = static_cast<unsigned char>(c);
    for (int c = 0x80; c < 0x100; ++c) t.to866[k866[c - 0x80]] = static_cast<unsigned char>(c);
    return t;
  }();
  return table;
}

}  // namespace

const unsigned char kLower1251[256] = {
#define Q(i) kCase.lower[i]
#define R(i) Q(i), Q(i + 1), Q(i + 2), Q(i + 3), Q(i + 4), Q(i + 5), Q(i + 6), Q(i + 7)
#define S(i) R(i), R(i + 8), R(i + 16), R(i + 24)
    S(0), S(32), S(64), S(96), S(128), S(160), S(192), S(224)
#undef Q
};
const unsigned char kUpper1251[256] = {
#define Q(i) kCase.upper[i]
    S(0), S(32), S(64), S(96), S(128), S(160), S(192), S(224)
#undef Q
};
const bool kWordChar1251[256] = {
#define Q(i) kCase.word[i]
    S(0), S(32), S(64), S(96), S(128), S(160), S(192), S(224)
#undef Q
#undef R
#undef S
};

bool IsLetter1251(unsigned char c) { return kCase.letter[c]; }

char32_t Cp1251ToUnicode(unsigned char c) {
  if (c < 0x80) return c;
  if (c >= 0xC0) return 0x0410 + (c - 0xC0);
  return kHigh[c - 0x80];
}

unsigned char UnicodeToCp1251(char32_t u) {
  if (u == 0) return '?';
  if (u < 0x80) return static_cast<unsigned char>(u);
  if (u >= 0x0410 && u <= 0x044F) return static_cast<unsigned char>(0xC0 + (u - 0x0410));
  if (u < 0x3000) {
    const unsigned char c = Reverse().to1251[u];
    if (c) return c;
  }
  return '?';
}

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) out += static_cast<char>(UnicodeToCp1251(NextUtf8(text, i)));
  return out;
}

std::u16string Cp1251ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out += static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf16ToCp1251(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;  // a surrogate pair is one character outside 1251
      u = 0xFFFFFFFF;
    }
    out += static_cast<char>(UnicodeToCp1251(u));
  }
  return out;
}

std::string LowerUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    const char32_t u = NextUtf8(text, i);
    const unsigned char b = UnicodeToCp1251(u);
    if (u != 0xFFFFFFFF && Cp1251ToUnicode(b) == u && kLower1251[b] != b) {
      AppendUtf8(out, Cp1251ToUnicode(kLower1251[b]));
    } else {
      out.append(text.substr(start, i - start));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (NextUtf8(text, i) == 0xFFFFFFFF) return false;
  }
  return true;
}

std::string Lower1251(std::string_view text) {
  std::string out(text);
  Lower1251InPlace(out.data(), out.size());
  return out;
}

void Lower1251InPlace(char* p, size_t n) {
  for (size_t i = 0; i < n; ++i) p[i] = Lower1251(p[i]);
}

bool Cp1251ToCp866(std::string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  bool exact = true;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
      continue;
    }
    const char32_t u = Cp1251ToUnicode(b);
    const unsigned char o = u < 0x3000 ? Reverse().to866[u] : 0;
    if (o) {
      out += static_cast<char>(o);
    } else {
      out += '?';
      exact = false;
    }
  }
  return exact;
}

std::string Cp866ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    out += static_cast<char>(b < 0x80 ? b : UnicodeToCp1251(k866[b - 0x80]));
  }
  return out;
}

}  // namespace ql
