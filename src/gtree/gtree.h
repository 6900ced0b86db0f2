#pragma once
// TGTree: the tree grid. Every visible node of the document is one row; the row list (Tree)
// shares the document's node array and the model fills it. The grid scrolls by whole rows, has
// per-row heights measured lazily by its owner (OnGetRowH) for the rows around the view only,
// selects a row or a range of rows with the keyboard and the mouse, draws the branch area of
// each row itself and leaves the text part and the other columns to OnDrawCell. It hosts an
// in-place editor over a row and opens and closes branches on clicks left of a node's text.
#include <QAbstractScrollArea>
#include <QPointer>
#include <functional>
#include <vector>

#include "gtree/gdi.h"
#include "model/row_list.h"

namespace ql {

class TTTree;

// Cell states passed to the drawing events.
enum : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

// Window message and key-state values of a mouse press, as OnMDown reports them.
constexpr int kWmLButtonDown = 0x0201;
constexpr int kWmLButtonDblClk = 0x0203;
constexpr int kWmRButtonDown = 0x0204;
constexpr int kMkLButton = 0x01, kMkRButton = 0x02, kMkShift = 0x04, kMkControl = 0x08,
              kMkMButton = 0x10;

class TGTree : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TGTree(QWidget* parent = nullptr);
  ~TGTree() override;

  // --- events (all on the user-interface thread)
  // A cell showing a node: in the tree column with the part right of the node's Indent, else
  // the whole cell. The canvas brush is the cell colour (selection colour for selected rows).
  std::function<void(TGdi& canvas, TTNode* d, int col, const TRect& r, TGridDrawState state)>
      OnDrawCell;
  // Replaces the grid's own branch drawing when set.
  std::function<void(TGdi& canvas, TTNode* d, const TRect& r, TGridDrawState state)> OnDrawTree;
  // A left or right press (not a double click) anywhere but on an expander; false consumes it.
  std::function<bool(int mes, int keys, int x, int y, int col, int row)> OnMDown;
  // A click left of a node's text opened or closed it.
  std::function<void(TTNode* d)> OnOpenNode;
  // The selected range differs from the one last reported: d is the node of the one selected
  // row, else null; chNode tells whether d differs from the node reported before.
  std::function<void(TTNode* d, bool chNode)> OnChangedNode;
  // Every typed character (1251) except "*", "+" and "/"; false consumes it.
  std::function<bool(char c)> OnChar;
  // The handler stores the row height of d (pixels, grid line included) in d->Height.
  std::function<void(TTNode* d)> OnGetRowH;
  // The platform grid's own events: OnKeyDown runs before the grid moves the selection and may
  // set key to 0 to keep the grid from handling it.
  std::function<void(int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;
  std::function<void(QMouseEvent* e)> OnMouseDown;
  std::function<void(QMouseEvent* e)> OnMouseUp;

  // --- the row list and the document it is filled from
  TTree Tree;
  // Points the document at this grid's row list; a branch click rebuilds it (Relink).
  void Attach(TTTree* doc);
  TTTree* Document() const { return doc_; }

  // --- grid properties
  int ColCount() const { return int(colWidths_.size()); }
  void SetColCount(int n);
  int ColWidth(int col) const { return colWidths_[size_t(col)]; }
  void SetColWidth(int col, int width);
  int GridLineWidth() const { return lineWidth_; }
  void SetGridLineWidth(int width);
  bool HorzLines() const { return horzLines_; }
  void SetHorzLines(bool on);
  bool VertLines() const { return vertLines_; }
  void SetVertLines(bool on);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int h) { defaultRowHeight_ = h; }
  TColor Color() const { return color_; }  // G: grid background and every branch area
  void SetColor(TColor c);
  TColor SelColor() const { return selColor_; }
  void SetSelColor(TColor c);
  int TreeCol = 0;     // the column whose cells start with the branch area
  int StretchCol = 0;  // the column that takes the width the others leave

  int RowCount() const { return Tree.RowCount; }
  int TopRow() const { return top_; }
  void SetTopRow(int row);
  int Row() const { return current_; }  // the row the keyboard moves
  int SelTop() const { return std::min(anchor_, current_); }
  int SelBottom() const { return std::max(anchor_, current_); }
  // Height of the area rows are drawn in.
  int ClientHeight() const;
  int ClientWidth() const;
  // Rows wholly in view from the top row.
  int VisibleRowCount() const;
  // Cell rectangle in viewport coordinates; empty when the cell is not in view.
  TRect CellRect(int col, int row) const;
  // The cell under a viewport point; col or row -1 outside the cells.
  void MouseToCell(int x, int y, int& col, int& row) const;
  // The height the grid gives a row: its node's Height, or the default before it is measured.
  int RowHeight(int row) const;

  // --- operations
  void ScrollTo(int row);
  void ShowE(QWidget* editor, int x, int y, int col, int row);
  void SetEBounds();
  void ChangeEH(int h);
  bool IsSel(int row) const { return row >= SelTop() && row <= SelBottom(); }
  void SelRow(int row, bool scroll);
  void SelRows(int top, int bottom, bool scroll);
  void DrawCell(int row, int col);
  void RedrawRow();
  void CalcHeights();
  void SetRows(int from, bool keepTop);
  bool GetSelVis();
  void NormTopRow(int top);
  void HideE();
  void FExit();
  void GetNode();
  void SetHeights(int start);
  void UserF();

  // --- state the owner reads or sets
  bool SelVis() const { return selVis_; }
  TTNode* ReportedNode() const { return reported_ == Marker() ? nullptr : reported_; }
  // Makes the next selection check report whatever is selected (a document was opened).
  void ResetReported() { reported_ = Marker(); repTop_ = repBottom_ = -1; }
  QWidget* Editor() const { return editor_; }
  bool EditorVisible() const { return editor_ && editor_->isVisible(); }
  bool Suspended() const { return suspend_; }
  bool FirstPaintSeen() const { return firstPaint_; }
  int PendingTopRow = -1;  // top row to restore once the first paint happened; -1 none

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  static TTNode* Marker();
  int ColLeft(int col) const;
  // The platform grid's cell painting, then the grid's own (DrawCell of the row).
  void PaintCell(TGdi& gdi, int col, int row, TRect r, TGridDrawState state);
  void TopLeftChanged();
  void SelectCell(int row);
  void MoveCurrent(int row, bool extend);
  bool Press(int mes, int keys, int x, int y, bool dbl);
  void GridPress(QMouseEvent* e);
  void MeasureRow(int row, int clientH);
  void PlaceEditor(const TTNode* node, int h);
  int MaxTopRow() const;
  void UpdateScrollBar();
  void StretchColumn();
  int KeyState(const QMouseEvent* e) const;

  TTTree* doc_ = nullptr;
  std::vector<int> colWidths_{64};
  int lineWidth_ = 1;
  bool horzLines_ = true;
  bool vertLines_ = true;
  int defaultRowHeight_ = 24;
  TColor color_ = 0xFFFFFF;
  TColor selColor_ = 0xFFE0C0;
  int top_ = 0;
  int anchor_ = 0;
  int current_ = 0;
  bool tracking_ = false;
  bool selVis_ = false;
  QPointer<QWidget> editor_;
  TTNode* reported_;
  int repTop_ = -1;
  int repBottom_ = -1;
  bool suspend_ = false;
  bool firstPaint_ = false;
  bool settingScroll_ = false;
};

}  // namespace ql
