#include "styles/layout.h"

#include <algorithm>
#include <cstring>

#include "styles/tokens.h"

namespace ql {
namespace {

constexpr int kMaxLinesBeforeStop = 1000;  // a layout stops once more lines than this exist
constexpr size_t kBreakLookBack = 15;

// Break classes of the token-boundary wrap kind: 0 white space, 1 punctuation, 2 word
// characters (digits, letters, "_", quotes, backslash, "@" and every code 128-255).
constexpr unsigned char BreakClass(int c) {
  if (c <= 32) return 0;
  if (c >= 128) return 2;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
      c == '"' || c == '\'' || c == '\\' || c == '@')
    return 2;
  return 1;
}

struct BreakTable {
  unsigned char c[256];
  constexpr BreakTable() : c() {
    for (int k = 0; k < 256; ++k) c[k] = BreakClass(k);
  }
};
constexpr BreakTable kBreak;

}  // namespace

void TDrawLines::HoldText(size_t length) {
  size_t need = length + 1;
  if (text_.size() >= need) return;
  size_t grown = text_.empty() ? 16384 : std::max(need, 2 * text_.size());
  grown = std::max(grown, need);
  text_.resize(grown);
  classes_.resize(grown);
}

void TDrawLines::Add(size_t start, size_t length, int indent, uint8_t startSymbol,
                     uint8_t endSymbol) {
  if (stored_ == lines_.size()) lines_.resize(lines_.empty() ? 256 : 2 * lines_.size());
  TDrawLine& l = lines_[stored_++];
  l.start = static_cast<uint32_t>(start);
  l.length = static_cast<uint32_t>(length);
  l.indent = static_cast<uint8_t>(indent);
  l.startSymbol = startSymbol;
  l.endSymbol = endSymbol;
  l.spare = 0;
  ++count_;
}

TDrawLines& DrawLines() {
  static TDrawLines lines;
  return lines;
}

// One layout run; its members are what every paragraph needs.
class TLayouter {
 public:
  TLayouter(const TStyle& style, TDrawLines& lines, int available, TLayoutMode mode)
      : st_(style), out_(lines), avail_(available), mode_(mode), edit_(mode == TLayoutMode::kEdit) {}

  void Run(size_t length) {
    const char* t = out_.text_.data();  // the copy, zero-terminated: a break search may
                                        // look at the byte after the text
    t_ = reinterpret_cast<const unsigned char*>(t);
    cl_ = out_.classes_.data();
    if (st_.tokenizer) st_.tokenizer->Classify(t, cl_, length);
    fixed_ = st_.fixedWidth;
    own_ = st_.widths[0];
    highlighted_ = st_.tokenizer != nullptr && !fixed_;
    for (int k = 0; k < 6; ++k) tables_[k] = st_.widths[k] ? st_.widths[k] : kZero;
    if (!own_) own_ = kZero;

    size_t p = 0;
    for (;;) {
      const void* nl = std::memchr(t + p, '\n', length - p);
      size_t e = nl ? static_cast<size_t>(static_cast<const char*>(nl) - t) : length;
      size_t pe = e;  // CRs are dropped only before a LF
      while (nl && pe > p && t[pe - 1] == '\r') --pe;
      if (!Paragraph(p, pe)) return;
      if (!nl) return;
      p = e + 1;
    }
  }

 private:
  int Width(size_t i) const {
    if (fixed_) return fixed_;
    if (highlighted_) return tables_[cl_[i]][t_[i]];
    return own_[t_[i]];
  }

  bool Full() const { return !edit_ && out_.count_ > kMaxLinesBeforeStop; }

  // Lays out [s, e); false when the layout ends.
  bool Paragraph(size_t s, size_t e) {
    if (mode_ == TLayoutMode::kMeasureOnly && st_.wrapLine == 0) {
      ++out_.count_;
      return true;
    }
    bool cont = false;
    for (;;) {
      int r = avail_;
      if (cont) r -= st_.startSymbol ? st_.startSymbolWidth : st_.wrapIndent;
      size_t i = s;
      if (edit_ && st_.wrapLine == 0) {
        i = e;  // lines run on in the editor
      } else {
        while (i < e) {
          r -= Width(i);
          if (r >= 0) ++i;
          else break;
        }
      }
      if (i == e) {
        if (s == e) {
          if (cont) return true;
          if (Full()) return false;
          out_.Add(s, 0, 0, 0, 0);
          return true;
        }
        if (Full()) return false;
        if (cont) out_.Add(s, e - s, st_.wrapIndent, st_.startSymbol, 0);
        else out_.Add(s, e - s, 0, 0, 0);
        return true;
      }
      // Overflow at i.
      if (st_.endSymbol) {
        r -= st_.endSymbolWidth;
        while (i > s) {
          r += Width(i);
          if (r >= 0) {
            ++i;
            break;
          }
          --i;
        }
      }
      if (st_.wrapLine == 0) {  // cutting: only the first line of the paragraph shows
        if (!st_.endSymbol) ++i;  // the partly visible character stays
        if (i == s || Full()) return false;
        out_.Add(s, i - s, 0, 0, st_.endSymbol);
        return true;
      }
      size_t b = BreakBefore(i, s);
      size_t end = b, next = b;
      if (b == s) {
        if (!edit_) return false;
        end = next = s + 1;  // the editor shows a character wider than the cell on its own line
      } else if (st_.eatSpace != 0) {  // -1 (not set) defaults to on
        if (t_[b] == ' ') next = b + 1;
        else if (t_[b - 1] == ' ') end = b - 1;
      }
      if (!edit_ && (end == s || Full())) return false;
      if (cont) out_.Add(s, end - s, st_.wrapIndent, st_.startSymbol, st_.endSymbol);
      else out_.Add(s, end - s, 0, 0, st_.endSymbol);
      s = next;
      cont = true;
    }
  }

  // Break position searched back from i; positions i down to max(s, i - 15) + 1 are tried.
  // Without an allowed break the word is cut at i.
  size_t BreakBefore(size_t i, size_t s) const {
    size_t low = i > s + kBreakLookBack ? i - kBreakLookBack : s;
    if (i <= low) return i;
    if (st_.wrapKind == 0) {
      if (t_[i] <= 32) return i;
      for (size_t j = i - 1; j > low; --j)
        if (t_[j] <= 32) return j + 1;
      return i;
    }
    for (size_t p = i; p > low; --p) {
      unsigned char c = kBreak.c[t_[p]];
      if (c == 0 || c != kBreak.c[t_[p - 1]]) return p;
    }
    return i;
  }

  static inline const uint8_t kZero[256] = {};

  const TStyle& st_;
  TDrawLines& out_;
  int avail_;
  TLayoutMode mode_;
  bool edit_;
  const unsigned char* t_ = nullptr;
  unsigned char* cl_ = nullptr;
  int fixed_ = 0;
  bool highlighted_ = false;
  const uint8_t* own_ = nullptr;
  const uint8_t* tables_[6] = {};
};

void Layout(const TStyle& style, const char* text, size_t length, int width, TLayoutMode mode,
            TDrawLines& lines) {
  const TStyle& st = DrawnStyle(style);
  lines.Reset();
  lines.HoldText(length);
  lines.length_ = length;
  if (length) std::memmove(lines.text_.data(), text, length);
  lines.text_[length] = 0;
  const int available = width - (2 * st.leftMargin - 1);
  if (length == 0 || (available < 5 && mode != TLayoutMode::kEdit)) {
    lines.Add(0, 0, 0, 0, 0);
    return;
  }
  TLayouter(st, lines, available, mode).Run(length);
  if (lines.count_ == 0) lines.Add(0, 0, 0, 0, 0);
}

int Height(const TStyle& style, TDrawLines& lines, int maxHeight) {
  const TStyle& st = DrawnStyle(style);
  const int lh = st.lineHeight;
  const int pad = st.topSpacePx + st.bottomSpacePx;
  const int full = lines.Count() * lh + pad;
  lines.fullHeight = full;
  if (full <= maxHeight || lh == 0) {
    lines.shown = lines.Count();
    lines.height = full;
  } else {
    lines.shown = std::max(1, (maxHeight - pad) / lh);
    lines.height = lines.shown * lh + pad;
  }
  return lines.height;
}

TColor MarkColor(TColor nodeBackground) {
  const int sum = (nodeBackground & 0xFF) + ((nodeBackground >> 8) & 0xFF) + ((nodeBackground >> 16) & 0xFF);
  return sum > 692 ? 0xC0C0C0 : 0xFFFFFF;
}

TColor ContrastColor(TColor background) {
  const int r = background & 0xFF, g = (background >> 8) & 0xFF, b = (background >> 16) & 0xFF;
  const int brightness = static_cast<int>(g * 1.3 + r + b * 1.1);
  return brightness <= 300 ? 0xFFFFFF : 0;
}

}  // namespace ql
