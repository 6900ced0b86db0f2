#include "base/colors.h"

namespace ql {

const TNamedColor TColors::kNames[TColors::kCount] = {
    {"aqua", 0xFFFF00},     {"black", 0x000000},   {"blue", 0xFF0000},       {"cream", 0xF0FBFF},
    {"dkgray", 0x808080},   {"fuchsia", 0xFF00FF}, {"gray", 0x808080},       {"green", 0x008000},
    {"lime", 0x00FF00},     {"ltgray", 0xC0C0C0},  {"maroon", 0x000080},     {"medgray", 0xA4A0A0},
    {"moneygreen", 0xC0DCC0}, {"navy", 0x800000},  {"olive", 0x008080},      {"purple", 0x800080},
    {"red", 0x0000FF},      {"silver", 0xC0C0C0},  {"skyblue", 0xF0CAA6},    {"teal", 0x808000},
    {"white", 0xFFFFFF},    {"yellow", 0x00FFFF},  {"btnface", 0xC8D0D4},
};

TColor TColors::Find(std::string_view name) {
  if (name.empty() || name.size() > 20) return kNoColor;
  char lower[21];
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  const std::string_view key(lower, name.size());
  for (const TNamedColor& n : kNames) {
    if (key == n.name) return n.value;
  }
  return kNoColor;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TColor ParseColor(std::string_view text) {
  if (text.empty()) return kNoColor;
  constexpr int64_t kLimit = 0x1000000;
  if (text[0] == '0' && text.size() >= 2 && (text[1] == 'x' || text[1] == 'X')) {
    int64_t v = 0;
    size_t i = 2;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
      v = v * 16 + HexDigit(text[i]);
      if (v >= kLimit) return kNoColor;
    }
    if (i == 2) return kNoColor;  // "0x" with no digits
    return static_cast<TColor>(v);
  }
  if (text[0] == '0') return 0;
  if (text[0] >= '1' && text[0] <= '9') {
    int64_t v = 0;
    for (size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      v = v * 10 + (text[i] - '0');
      if (v >= kLimit) return kNoColor;
    }
    return static_cast<TColor>(v);
  }
  return TColors::Find(text);
}

const int kSizeLadder[kSizeLadderCount] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28};

int SizeLadderPos(int size) {
  for (int i = 0; i < kSizeLadderCount; ++i) {
    if (kSizeLadder[i] == size) return i;
  }
  return -1;
}

int SizeLadderAt(int pos) {
  if (pos < 0) pos = 0;
  if (pos >= kSizeLadderCount) pos = kSizeLadderCount - 1;
  return kSizeLadder[pos];
}

}  // namespace ql
