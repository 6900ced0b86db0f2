#pragma once
// The main window's side of the tree grid's drawing: the text cell of a node drawn by its style
// through the layout (GDrawCell), the two narrow columns with style names and counts, and the
// row heights (GGetRowH). The window owns one and installs it into its grid.
#include <cstdint>
#include <functional>
#include <string>

#include "gtree/gtree.h"
#include "styles/layout.h"

namespace ql {

class TStyles;
class TTTree;

// Count text of the narrow columns: the decimal number up to 9999, else m "e" e with
// m = count / 1000 and e = 3, m divided by 10 and e raised by 1 while m >= 100 ("12e3").
std::string CountText(int64_t count);
// Colour of a style name: a document-only style 0x8080FF when same, else red; another style the
// mark colour when same, else blue.
TColor StyleNameColor(bool documentOnly, bool same, TColor nodeBk);

// What a narrow column shows for a node: nothing at all (empty), or a style name in its colour
// and a count text ("" for a count of 0).
struct TNarrowCell {
  bool empty = true;
  std::string name;  // 1251
  TColor nameColor = 0;
  std::string count;
};

class TCellPainter {
 public:
  TCellPainter(TTTree& doc, TStyles& styles) : doc_(doc), styles_(styles) {}

  // Hooks GDrawCell and GGetRowH into the grid's OnDrawCell and OnGetRowH.
  void Install(TGTree& grid);

  // The node background setting NodeBkColor, which decides the mark colour.
  TColor NodeBkColor = 0xFFFFFF;
  // Asks the in-place editor's edit control to repaint; called instead of drawing the text cell
  // of the node the visible editor is bound to (the tree's Cur).
  std::function<void()> RepaintEditor;

  void GDrawCell(TGdi& canvas, TTNode* n, int col, const TRect& r, TGridDrawState state);
  void GGetRowH(TTNode* n);
  // Column 1: the node's style and its number of descendants; column 2: the long text's style
  // and its length in bytes. The name shows in the mark colour when the previous sibling (or the
  // parent) uses the same style in that column and the row is not selected.
  TNarrowCell NarrowCell(const TTNode* n, int col, bool selected) const;

 private:
  void DrawNarrowColumn(TGdi& canvas, TTNode* n, int col, const TRect& r, bool selected);

  TTTree& doc_;
  TStyles& styles_;
  TGTree* grid_ = nullptr;
};

}  // namespace ql
