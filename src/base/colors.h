#pragma once
// Colours read as text (0x00BBGGRR values) and the font size ladder.
#include <cstdint>
#include <string_view>

namespace ql {

using TColor = int32_t;  // 0x00BBGGRR; -1 = not set
constexpr TColor kNoColor = -1;

// TColors: the named colours accepted wherever a colour is read as text.
struct TNamedColor {
  const char* name;
  TColor value;
};
struct TColors {
  static constexpr int kCount = 23;
  static const TNamedColor kNames[kCount];
  // The value of a name (case-insensitive, at most 20 characters), or kNoColor.
  static TColor Find(std::string_view name);
};

// Colour text: empty means not set; "0x"/"0X" starts hexadecimal; other text starting with a
// digit is decimal, except that "0" not followed by "x"/"X" gives 0; anything else is a colour
// name. A value of 0x1000000 or more, unreadable text or an unknown name gives kNoColor.
TColor ParseColor(std::string_view text);

// The size ladder: relative font sizes step along these 13 sizes.
constexpr int kSizeLadderCount = 13;
extern const int kSizeLadder[kSizeLadderCount];
// Position of a size on the ladder, or -1 when the size is not on it.
int SizeLadderPos(int size);
// The size at a ladder position clamped to 0..12.
int SizeLadderAt(int pos);

}  // namespace ql
