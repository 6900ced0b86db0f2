#pragma once
// Styled text layout: a text broken into lines by a style's wrap rules, measured with the
// style's cached width tables. TDrawLines is the reusable buffer a layout fills; a layout is
// valid until the next one into the same buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "styles/style.h"

namespace ql {

struct TDrawLine {
  uint32_t start = 0;
  uint32_t length = 0;
  uint8_t indent = 0;       // pixels before the text when the line has no start symbol
  uint8_t startSymbol = 0;  // 0 or the symbol drawn before the text
  uint8_t endSymbol = 0;    // 0 or the symbol drawn after the text
  uint8_t spare = 0;
};

enum class TLayoutMode {
  kCell,         // a tree cell: at most 1001 lines, stops at a character wider than the cell
  kMeasureOnly,  // a cell whose line count alone matters (cut paragraphs are only counted)
  kEdit,         // the in-place editor: every line laid out, cut lines run on instead
};

class TDrawLines {
 public:
  // The laid-out text (a copy, zero-terminated) and its token classes.
  const char* Text() const { return text_.data(); }
  const unsigned char* Classes() const { return classes_.data(); }
  size_t TextLength() const { return length_; }
  // Line count; in measure-only mode with cutting, lines are counted without entries.
  int Count() const { return count_; }
  // Entries stored (Count() except after a measure-only layout with cutting).
  int Stored() const { return static_cast<int>(stored_); }
  const TDrawLine& Line(int k) const { return lines_[static_cast<size_t>(k)]; }

  // Results of the last Height.
  int shown = 0;
  int fullHeight = 0;
  int height = 0;

 private:
  friend class TLayouter;
  friend void Layout(const TStyle&, const char*, size_t, int, TLayoutMode, TDrawLines&);
  void Reset() { count_ = 0; stored_ = 0; length_ = 0; }
  void Add(size_t start, size_t length, int indent, uint8_t startSymbol, uint8_t endSymbol);
  void HoldText(size_t length);

  std::vector<char> text_;
  std::vector<unsigned char> classes_;
  std::vector<TDrawLine> lines_;
  size_t length_ = 0;
  size_t stored_ = 0;
  int count_ = 0;
};

// The process-wide layout buffer.
TDrawLines& DrawLines();

// The style drawn for a style: its delegate when it has one.
inline const TStyle& DrawnStyle(const TStyle& style) { return style.delegate ? *style.delegate : style; }

// Lays out the text (1251 bytes) for a cell of the given width in pixels. Paragraphs end at LF
// (CR before it dropped). Never fails: text that cannot be laid out yields the lines found so
// far, or one empty line. A style that was never measured has zero widths (one line per
// paragraph).
void Layout(const TStyle& style, const char* text, size_t length, int width, TLayoutMode mode,
            TDrawLines& lines);

// The row height for the lines, at most maxHeight unless even one line does not fit (one line is
// always shown); records shown lines and full height in lines.
int Height(const TStyle& style, TDrawLines& lines, int maxHeight);

// Colour of text drawn straight on a background: white (0xFFFFFF) on dark, black (0) on light.
TColor ContrastColor(TColor background);
// Colour of a style name that equals the previous sibling's (or the parent's): silver when the red, green and blue parts
// of the node background add up to more than 692, else white.
TColor MarkColor(TColor nodeBackground);

}  // namespace ql
