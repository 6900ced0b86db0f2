#pragma once
// TFonts: the font cache. One entry per face, size and bold/italic bits, created on first
// request and kept for the whole run; width tables per bits combination made on first use.
#include <cstdint>
#include <string_view>

#include "base/hash_s.h"
#include "base/tmem.h"
#include "styles/canvas.h"

namespace ql {

class TFonts;

struct TFontEntry {
  const char* key = nullptr;   // cache key: size byte, '0' + bits, face
  const char* face = nullptr;  // points into the key
  uint8_t size = 0;
  uint8_t bits = 0;
  int8_t ladder = -1;          // position on the size ladder, -1 when off it
  uint8_t lineHeight = 0;
  uint8_t leftMargin = 0;
  uint8_t fixedWidth = 0;      // average width of a fixed-pitch font, else 0
  uint8_t* widths[4] = {};     // per bits combination, made on first use
  TFonts* owner = nullptr;
};

class TFonts {
 public:
  // The device measures fonts; it must outlive the cache or be replaced before use.
  explicit TFonts(TMeasureDevice* device = nullptr);
  TFonts(const TFonts&) = delete;
  TFonts& operator=(const TFonts&) = delete;

  void SetDevice(TMeasureDevice* device) { device_ = device; }
  TMeasureDevice* Device() const { return device_; }

  // The cached entry, or a new one measured now; nullptr without a device or for a size
  // outside 1..127.
  TFontEntry* Get(std::string_view face, int size, int bits);
  // The 256 advance widths of the entry's face and size in the bits combination (0-3); nullptr
  // for a fixed-pitch font.
  const uint8_t* Widths(TFontEntry& entry, int bits);
  int Count() const { return index_.Count(); }

  // Sizes 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28; -1 off the ladder.
  static int LadderPosition(int size);
  // The left margin for a size: 3, 3, 3, 4, 4, 5, 6, 6, 7, 8, 9, 9, 10 on the ladder. Off the
  // ladder: the margin of the largest ladder size below it (3 below 8), and above 28 the
  // ladder's ratio carried on (size * 10 / 28), so margins never shrink as the size grows.
  static int LadderMargin(int size);

 private:
  TMeasureDevice* device_;
  THashS index_;
  TMem mem_{65536};
};

// The process-wide cache the program measures with.
TFonts& Fonts();

// Computes a style's drawing values (line height, margins, spacing in pixels, width tables by
// token class, wrap indent, symbol widths) from its drawing face, size and bits. Does nothing
// (false) unless face, a nonzero size and bits >= 0 are known and the cache has a device.
bool MeasureStyleWith(TFonts& fonts, TStyle& style);
// The measurer to install with SetStyleMeasurer: measures with the global cache.
void MeasureStyleDrawing(TStyle& style);

}  // namespace ql
