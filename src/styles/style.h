#pragma once
// TStyle: one style of the table, in its node variant (the record itself) or its text variant
// (a second record owned by the node variant). Configured values come from Styles.ini; the
// drawing values are what the layout measures from the face, size and bits actually used.
#include <cstdint>
#include <memory>
#include <string>

#include "base/colors.h"

namespace ql {

class TStyles;
class TTokensH;
struct TFontEntry;

// One keyword of a style: a singly linked list in the table's pool, newest first. Lists are
// shared between styles (a child takes its parent's list) and only ever grow at the front.
struct TKeyword {
  const char* text;  // 1251, pool-owned
  TKeyword* next;
};

struct TStyle {
  // --- identity and bookkeeping
  int32_t number = 0;
  std::string name;           // document text (1251); empty for style 0
  bool documentOnly = false;  // made by the document reader for a name Styles.ini lacks
  bool temp = false;
  int32_t useCount = 0;
  int32_t fileNumber = 0;

  // --- configured values (not set: as marked)
  std::string fontName;       // empty = none
  bool hasFontName = false;
  uint8_t fontSize = 0;       // 0 = not set
  int8_t sizeStep = 100;      // 100 = not set
  int8_t fontStyle = -1;      // bit 1 bold, bit 2 italic; -1 = not set
  TColor fontColor = kNoColor;
  TColor bkColor = kNoColor;
  TColor branchColor = kNoColor;
  int8_t highlighting = -1;
  int8_t wrapLine = -1;       // in the text variant: the value of WrapLine1
  int8_t wrapLine1 = -1;
  int8_t wrapSymbol = -1;
  int8_t eatSpace = -1;
  int8_t wrapSpace = -1;
  uint8_t startSymbol = 0;    // 0 or 0x95
  uint8_t endSymbol = 0;      // 0 or 0x95
  int8_t equalRows = -1;
  int8_t pascal = -1;
  int8_t wrapKind = -1;
  int32_t topSpace = 1000;    // percent of the line height; 1000 = not set
  int32_t bottomSpace = 1000;

  TTokensH* tokenizer = nullptr;  // own, inherited or the table's shared one
  bool ownsTokenizer = false;  // the tokenizer was made for this style (the table keeps them all alive)
  TKeyword* keywords = nullptr;
  // While loading: the parent still to inherit from; afterwards the style drawn instead of this
  // one (style 0 for a document-only style), else null.
  TStyle* delegate = nullptr;
  std::string parentName;
  bool hasParentName = false;
  TStyles* owner = nullptr;
  TStyle* textVariant = nullptr;  // owned unless documentOnly
  int32_t newStyle = -1;          // target chosen in the reassignment window

  // --- drawing values
  std::string drawFace;       // face actually used; empty = none yet
  int8_t drawSize = 0;
  int8_t drawBits = -1;
  uint8_t leftMargin = 0;
  TColor drawColor = 0;
  TColor drawBkColor = 0xFFFFFF;
  uint8_t lineHeight = 0;
  uint8_t wrapIndent = 0;
  uint8_t startSymbolWidth = 0;
  uint8_t endSymbolWidth = 0;
  int32_t topSpacePx = 0;
  int32_t bottomSpacePx = 0;
  uint8_t fixedWidth = 0;
  const uint8_t* widths[6] = {};  // width table per token class
  TFontEntry* font = nullptr;
};

}  // namespace ql
