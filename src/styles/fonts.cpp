#include "styles/fonts.h"

#include <algorithm>
#include <string>

#include "styles/tokens.h"

namespace ql {
namespace {

constexpr int kLadder[13] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28};
constexpr int kLadderMargins[13] = {3, 3, 3, 4, 4, 5, 6, 6, 7, 8, 9, 9, 10};

uint8_t Byte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

TFonts::TFonts(TMeasureDevice* device) : device_(device) {}

int TFonts::LadderPosition(int size) {
  for (int k = 0; k < 13; ++k)
    if (kLadder[k] == size) return k;
  return -1;
}

int TFonts::LadderMargin(int size) {
  if (size > kLadder[12]) return size * kLadderMargins[12] / kLadder[12];
  int margin = kLadderMargins[0];
  for (int k = 0; k < 13 && kLadder[k] <= size; ++k) margin = kLadderMargins[k];
  return margin;
}

TFontEntry* TFonts::Get(std::string_view face, int size, int bits) {
  if (!device_ || size < 1 || size > 127) return nullptr;
  bits &= kFontBold | kFontItalic;
  // The key starts with the size (never 0) and a digit for the bits, then the face.
  std::string key;
  key.reserve(face.size() + 2);
  key += static_cast<char>(size);
  key += static_cast<char>('0' + bits);
  key.append(face.data(), face.size());
  if (const char* found = index_.FindSpan(key.data(), key.size())) {
    // The key is stored right behind its entry in the same arena allocation.
    return reinterpret_cast<TFontEntry*>(const_cast<char*>(found)) - 1;
  }
  static_assert(alignof(TFontEntry) <= 8);
  void* block = mem_.AllocAligned(sizeof(TFontEntry) + key.size() + 1, alignof(TFontEntry));
  auto* entry = ::new (block) TFontEntry();
  char* stored = reinterpret_cast<char*>(entry + 1);
  std::memcpy(stored, key.data(), key.size());
  stored[key.size()] = 0;
  entry->key = stored;
  entry->face = stored + 2;
  entry->size = static_cast<uint8_t>(size);
  entry->bits = static_cast<uint8_t>(bits);
  entry->ladder = static_cast<int8_t>(LadderPosition(size));
  entry->owner = this;
  entry->leftMargin = Byte(std::max(LadderMargin(size), device_->EditLeftEdge(face, size, bits)));
  TFontMetrics m = device_->Metrics(face, size, bits);
  entry->lineHeight = Byte(m.height);
  entry->fixedWidth = m.fixedPitch ? Byte(m.aveCharWidth) : 0;
  index_.Set(stored);  // right after the unsuccessful lookup of the same key
  return entry;
}

const uint8_t* TFonts::Widths(TFontEntry& entry, int bits) {
  if (entry.fixedWidth) return nullptr;
  bits &= kFontBold | kFontItalic;
  if (!entry.widths[bits] && device_) {
    int w[256];
    device_->CharWidths(entry.face, entry.size, bits, w);
    auto* table = static_cast<uint8_t*>(mem_.Alloc(256));
    for (int c = 0; c < 256; ++c) table[c] = Byte(w[c]);
    entry.widths[bits] = table;
  }
  return entry.widths[bits];
}

TFonts& Fonts() {
  static TFonts fonts;
  return fonts;
}

bool MeasureStyleWith(TFonts& fonts, TStyle& style) {
  if (style.drawFace.empty() || style.drawSize <= 0 || style.drawBits < 0) return false;
  TFontEntry* entry = fonts.Get(style.drawFace, style.drawSize, style.drawBits);
  if (!entry) return false;
  style.font = entry;
  style.lineHeight = entry->lineHeight;
  style.leftMargin = entry->leftMargin;
  style.fixedWidth = entry->fixedWidth;
  if (style.equalRows > 0) {
    style.topSpacePx = style.bottomSpacePx = -1;
  } else {
    // Integer arithmetic truncates toward zero, as the percentages are meant.
    int top = style.topSpace == 1000 ? 0 : style.topSpace;
    int bottom = style.bottomSpace == 1000 ? 0 : style.bottomSpace;
    style.topSpacePx = entry->lineHeight * top / 100;
    style.bottomSpacePx = entry->lineHeight * bottom / 100;
  }
  const bool highlighted = style.tokenizer != nullptr;
  const uint8_t* own = fonts.Widths(*entry, highlighted ? 0 : style.drawBits);
  for (int k = 0; k < 6; ++k) style.widths[k] = own;
  if (highlighted) style.widths[kTokKeyword] = fonts.Widths(*entry, kFontBold);
  auto width = [&](unsigned char c) -> uint8_t {
    if (entry->fixedWidth) return entry->fixedWidth;
    return own ? own[c] : 0;
  };
  style.wrapIndent = style.wrapSpace > 0 ? width('w') : 0;
  style.startSymbolWidth = style.endSymbolWidth = width(0x95);
  return true;
}

void MeasureStyleDrawing(TStyle& style) { MeasureStyleWith(Fonts(), style); }

}  // namespace ql
