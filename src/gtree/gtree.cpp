#include "gtree/gtree.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "base/cp1251.h"
#include "gtree/tree_draw.h"
#include "model/tree.h"

namespace ql {
TTNode* TGTree::Marker() {
  // Equals no node and is not null, so the first selection check always reports.
  static TTNode marker;
  return &marker;
}

TGTree::TGTree(QWidget* parent) : QAbstractScrollArea(parent), reported_(Marker()) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  verticalScrollBar()->setSingleStep(1);
  Tree.GridLineWidth = lineWidth_;
}

TGTree::~TGTree() {
  if (doc_) doc_->SetView(nullptr);
}

void TGTree::Attach(TTTree* doc) {
  if (doc_ && doc_ != doc) doc_->SetView(nullptr);
  doc_ = doc;
  if (doc_) doc_->SetView(&Tree);
}

void TGTree::SetColCount(int n) {
  colWidths_.resize(size_t(std::max(n, 1)), 64);
  TreeCol = std::min(TreeCol, ColCount() - 1);
  StretchCol = std::min(StretchCol, ColCount() - 1);
  viewport()->update();
}

void TGTree::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  colWidths_[size_t(col)] = std::max(width, 0);
  viewport()->update();
}

void TGTree::SetGridLineWidth(int width) {
  lineWidth_ = std::max(width, 0);
  Tree.GridLineWidth = lineWidth_;
  viewport()->update();
}

void TGTree::SetHorzLines(bool on) {
  horzLines_ = on;
  viewport()->update();
}

void TGTree::SetVertLines(bool on) {
  vertLines_ = on;
  viewport()->update();
}

void TGTree::SetColor(TColor c) {
  color_ = c;
  viewport()->update();
}

void TGTree::SetSelColor(TColor c) {
  selColor_ = c;
  viewport()->update();
}

int TGTree::ClientHeight() const { return viewport()->height(); }
int TGTree::ClientWidth() const { return viewport()->width(); }

int TGTree::RowHeight(int row) const {
  const TTNode* n = Tree.RowNode(row);
  return n && n->Height > 0 ? n->Height : defaultRowHeight_;
}

int TGTree::ColLeft(int col) const {
  int x = 0;
  for (int c = 0; c < col; ++c) x += colWidths_[size_t(c)] + lineWidth_;
  return x;
}

TRect TGTree::CellRect(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < top_ || row >= RowCount()) return {};
  int y = 0;
  for (int r = top_; r < row; ++r) {
    y += RowHeight(r) + lineWidth_;
    if (y >= ClientHeight()) return {};
  }
  const int x = ColLeft(col);
  return {x, y, x + colWidths_[size_t(col)], y + RowHeight(row)};
}

void TGTree::MouseToCell(int x, int y, int& col, int& row) const {
  col = row = -1;
  int left = 0;
  for (int c = 0; c < ColCount(); ++c) {
    const int right = left + colWidths_[size_t(c)] + lineWidth_;
    if (x >= left && x < right) col = c;
    left = right;
  }
  if (y < 0) return;
  int top = 0;
  for (int r = top_; r < RowCount() && top < ClientHeight(); ++r) {
    const int bottom = top + RowHeight(r) + lineWidth_;
    if (y < bottom) {
      row = r;
      return;
    }
    top = bottom;
  }
}

int TGTree::VisibleRowCount() const {
  int room = ClientHeight() + lineWidth_, n = 0;
  for (int r = top_; r < RowCount(); ++r) {
    room -= RowHeight(r) + lineWidth_;
    if (room < 0) break;
    ++n;
  }
  return n;
}

int TGTree::MaxTopRow() const {
  int room = ClientHeight() + lineWidth_;
  for (int r = RowCount() - 1; r >= 0; --r) {
    room -= RowHeight(r) + lineWidth_;
    if (room < 0) return r + 1 <= RowCount() - 1 ? r + 1 : r;
  }
  return 0;
}

void TGTree::UpdateScrollBar() {
  settingScroll_ = true;
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(MaxTopRow(), top_));
  bar->setPageStep(std::max(VisibleRowCount(), 1));
  bar->setValue(top_);
  settingScroll_ = false;
}

void TGTree::scrollContentsBy(int, int) {
  if (!settingScroll_) SetTopRow(verticalScrollBar()->value());
}

void TGTree::SetTopRow(int row) {
  row = std::clamp(row, 0, std::max(RowCount() - 1, 0));
  if (row == top_) {
    UpdateScrollBar();
    return;
  }
  top_ = row;
  TopLeftChanged();
  UpdateScrollBar();
}

void TGTree::TopLeftChanged() {
  HideE();
  viewport()->update();
  if (suspend_) return;
  SetHeights(-1);
  GetSelVis();
}

// ---------------------------------------------------------------- lazy heights and scrolling

void TGTree::MeasureRow(int row, int clientH) {
  TTNode* n = Tree.Rows[size_t(row)];
  if (n->Height == 0) {
    OnGetRowH(n);
    Tree.SetBranchY(*n);
  }
  // One very long text never makes a row taller than the view.
  if (clientH > 0 && n->Height > clientH) {
    n->Height = clientH;
    Tree.SetBranchY(*n);
  }
}

void TGTree::SetHeights(int start) {
  if (!OnGetRowH || Tree.Count == 0 || RowCount() == 0) return;
  const int C = ClientHeight(), L = lineWidth_;
  const int i = start < 0 ? top_ : start;
  int sum = 0;
  for (int r = i; r < RowCount(); ++r) {
    MeasureRow(r, C);
    sum += L + RowHeight(r);
    if (sum >= C) break;
  }
  int back = start < 0 ? sum : 0;
  for (int r = std::min(i, RowCount()) - 1; r >= 0; --r) {
    MeasureRow(r, C);
    back += L + RowHeight(r);
    if (back >= C) break;
  }
  UpdateScrollBar();
}

void TGTree::ScrollTo(int row) {
  const int t = top_;
  if (row < t) {
    SetTopRow(row);
  } else if (row < RowCount()) {
    SetHeights(row);
    int room = ClientHeight() + lineWidth_;
    for (int j = row; j >= t; --j) {
      room -= RowHeight(j) + lineWidth_;
      if (room <= 0) {
        const int candidate = (room < 0 && j < row) ? j + 1 : j;
        if (candidate > t) SetTopRow(candidate);
        break;
      }
    }
  }
  GetSelVis();
}

bool TGTree::GetSelVis() {
  int room = ClientHeight() + lineWidth_;
  int last = top_ - 1;
  for (int r = top_; r < RowCount() && room > 0; ++r) {
    room -= RowHeight(r) + lineWidth_;
    last = r;
  }
  if (room < 0 && last > top_) --last;
  selVis_ = SelTop() <= last && SelBottom() >= top_;
  return selVis_;
}

void TGTree::NormTopRow(int top) {
  int room = ClientHeight() + lineWidth_;
  int k = -1;
  for (int r = RowCount() - 1; r >= 0; --r) {
    room -= RowHeight(r) + lineWidth_;
    if (room < 0) {
      k = r;
      break;
    }
  }
  SetTopRow(std::min(k + 1, top));
}

void TGTree::CalcHeights() {
  for (int r = 0; r < RowCount(); ++r) Tree.Rows[size_t(r)]->Height = 0;
  SetHeights(0);
  SetHeights(RowCount());
  if (selVis_) {
    SetHeights(SelTop());
    ScrollTo(SelTop());
  } else {
    SetHeights(-1);
  }
  if (EditorVisible() && ReportedNode()) PlaceEditor(ReportedNode(), ReportedNode()->Height);
  viewport()->update();
}

void TGTree::SetRows(int from, bool keepTop) {
  HideE();
  const int oldTop = top_;
  from = std::max(from, 0);
  for (int r = from; r < RowCount(); ++r) Tree.Rows[size_t(r)]->Height = 0;
  const int last = std::max(RowCount() - 1, 0);
  top_ = std::clamp(top_, 0, last);
  anchor_ = std::clamp(anchor_, 0, last);
  current_ = std::clamp(current_, 0, last);
  SetHeights(0);
  SetHeights(RowCount());
  SetHeights(-1);
  if (keepTop && oldTop < RowCount() && oldTop != top_) SetTopRow(oldTop);
  UpdateScrollBar();
  viewport()->update();
}

// ---------------------------------------------------------------- selection

void TGTree::SelectCell(int row) {
  HideE();
  (void)row;
}

void TGTree::SelRow(int row, bool scroll) {
  SelectCell(row);
  anchor_ = current_ = row;
  if (scroll) ScrollTo(row);
  SetHeights(-1);
  viewport()->update();
  GetNode();
}

void TGTree::SelRows(int top, int bottom, bool scroll) {
  SelectCell(bottom);
  anchor_ = top;
  current_ = bottom;
  if (scroll) ScrollTo(top);
  SetHeights(-1);
  viewport()->update();
}

void TGTree::GetNode() {
  const int top = SelTop(), bottom = SelBottom();
  TTNode* node = (top == bottom && top >= 0 && top < RowCount()) ? Tree.Rows[size_t(top)] : nullptr;
  if (top == repTop_ && bottom == repBottom_ && node == reported_) return;
  repTop_ = top;
  repBottom_ = bottom;
  viewport()->update();
  const bool chNode = node != reported_;
  reported_ = node;
  if (OnChangedNode) OnChangedNode(node, chNode);
}

void TGTree::MoveCurrent(int row, bool extend) {
  if (RowCount() == 0) return;
  row = std::clamp(row, 0, RowCount() - 1);
  SelectCell(row);
  current_ = row;
  if (!extend) anchor_ = row;
  ScrollTo(row);
  viewport()->update();
}

void TGTree::DrawCell(int row, int col) {
  const TRect r = CellRect(col, row);
  if (r.right > r.left)
    viewport()->update(r.left, r.top, r.right - r.left + lineWidth_, r.bottom - r.top + lineWidth_);
}

void TGTree::RedrawRow() {
  const TTNode* n = ReportedNode();
  if (!n) return;
  for (int c = 0; c < ColCount(); ++c) DrawCell(n->Row, c);
}

// ---------------------------------------------------------------- the editor

void TGTree::PlaceEditor(const TTNode* node, int h) {
  if (!editor_) return;
  TRect r = CellRect(TreeCol, node->Row);
  r.left += node->Indent;
  editor_->setGeometry(r.left, r.top, std::max(r.right - r.left, 0), std::max(h, 0));
}

void TGTree::ShowE(QWidget* editor, int, int, int col, int row) {
  if (!editor) return;
  TRect r = CellRect(col, row);
  if (col == TreeCol)
    if (const TTNode* n = Tree.RowNode(row)) r.left += n->Indent;
  editor->setParent(viewport());
  editor->show();
  editor->setGeometry(r.left, r.top, std::max(r.right - r.left, 0), std::max(r.bottom - r.top, 0));
  editor->setFocus();
  editor_ = editor;
}

void TGTree::SetEBounds() {
  GetNode();
  if (const TTNode* n = ReportedNode()) PlaceEditor(n, RowHeight(n->Row));
  else HideE();
}

void TGTree::ChangeEH(int h) {
  TTNode* n = ReportedNode();
  if (!n) return;
  h = std::min(h, ClientHeight());
  if (EditorVisible() && n->Height == h) return;
  n->Height = h;
  Tree.SetBranchY(*n);
  suspend_ = true;
  const int row = n->Row;
  while (row >= top_ + VisibleRowCount() && top_ < row) SetTopRow(top_ + 1);
  suspend_ = false;
  UpdateScrollBar();
  viewport()->update();
  if (EditorVisible()) PlaceEditor(n, h);
}

void TGTree::HideE() {
  if (suspend_ || !EditorVisible()) return;
  editor_->hide();
  setFocus();
}

void TGTree::FExit() {
  if (editor_) editor_->hide();
  editor_ = nullptr;
}

// ---------------------------------------------------------------- first paint, resize

void TGTree::UserF() {
  SetRows(0, false);
  SetHeights(-1);
  if (PendingTopRow >= 0) {
    NormTopRow(PendingTopRow);
    PendingTopRow = -1;
  } else {
    SelRows(SelTop(), SelTop(), true);
  }
}

void TGTree::StretchColumn() {
  int width = ClientWidth();
  for (int c = 0; c < ColCount(); ++c)
    if (c != StretchCol) width -= colWidths_[size_t(c)] + lineWidth_;
  colWidths_[size_t(StretchCol)] = std::max(width, 0);
}

void TGTree::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  if (suspend_) return;
  StretchColumn();
  CalcHeights();
  UpdateScrollBar();
}

}  // namespace ql
