// TGTree keyboard and mouse: the platform grid's row and range selection, typed characters for
// the owner, and the branch clicks that open and close nodes.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "base/cp1251.h"
#include "gtree/gtree.h"
#include "model/tree.h"

namespace ql {

int TGTree::KeyState(const QMouseEvent* e) const {
  int keys = 0;
  const Qt::MouseButtons b = e->buttons() | e->button();
  if (b & Qt::LeftButton) keys |= kMkLButton;
  if (b & Qt::RightButton) keys |= kMkRButton;
  if (b & Qt::MiddleButton) keys |= kMkMButton;
  if (e->modifiers() & Qt::ShiftModifier) keys |= kMkShift;
  if (e->modifiers() & Qt::ControlModifier) keys |= kMkControl;
  return keys;
}

void TGTree::keyPressEvent(QKeyEvent* e) {
  int key = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers();
  if (OnKeyDown) OnKeyDown(key, mods);
  const bool extend = mods & Qt::ShiftModifier;
  const int page = std::max(VisibleRowCount() - 1, 1);
  switch (key) {
    case Qt::Key_Up: MoveCurrent(current_ - 1, extend); break;
    case Qt::Key_Down: MoveCurrent(current_ + 1, extend); break;
    case Qt::Key_PageUp:
      SetTopRow(top_ - page);
      MoveCurrent(current_ - page, extend);
      break;
    case Qt::Key_PageDown:
      SetTopRow(std::min(top_ + page, std::max(MaxTopRow(), top_)));
      MoveCurrent(current_ + page, extend);
      break;
    case Qt::Key_Home: MoveCurrent(0, extend); break;
    case Qt::Key_End: MoveCurrent(RowCount() - 1, extend); break;
    default: break;
  }
  // The characters the key types (the platform's WM_CHAR), after the key itself.
  const QString text = e->text();
  for (QChar ch : text) {
    const char c = static_cast<char>(UnicodeToCp1251(ch.unicode()));
    if (c == '*' || c == '+' || c == '/') continue;  // these belong to the grid
    if (OnChar && !OnChar(c)) break;
  }
  e->accept();
}

bool TGTree::Press(int mes, int keys, int x, int y, bool dbl) {
  if (Tree.Count == 0 || RowCount() == 0) return true;
  int col, row;
  MouseToCell(x, y, col, row);
  if (mes == kWmLButtonDown || mes == kWmLButtonDblClk) {
    if (row < 0 || row >= RowCount()) {
      HideE();
      return true;
    }
    TTNode* n = Tree.Rows[size_t(row)];
    if (col == TreeCol && x < ColLeft(col) + n->Indent) {
      if (!n->Child || !n->CanOpen || !doc_) return true;
      // An editor over this very row stays open across the row change.
      QWidget* aside = nullptr;
      if (EditorVisible()) {
        if (SelTop() == SelBottom() && SelTop() == row) {
          aside = editor_;
          editor_ = nullptr;
        } else {
          HideE();
        }
      }
      SelRow(row, true);
      const bool open = !n->Opened;
      if (keys & kMkControl) {
        const int end = doc_->SubtreeEnd(n);
        for (int i = n->Index; i < end; ++i) doc_->Nodes[size_t(i)]->Opened = open;
      } else {
        n->Opened = open;
      }
      doc_->Relink();
      SetRows(row + 1, false);
      SelRow(row, true);
      if (aside) {
        editor_ = aside;
        SetEBounds();
        aside->update();
      }
      if (OnOpenNode) OnOpenNode(n);
      return false;
    }
  }
  if (!dbl && OnMDown && !OnMDown(mes, keys, x, y, col, row)) return false;
  return true;
}

void TGTree::GridPress(QMouseEvent* e) {
  setFocus();
  if (e->button() == Qt::LeftButton && RowCount() > 0) {
    int col, row;
    MouseToCell(int(e->position().x()), int(e->position().y()), col, row);
    if (row >= 0) {
      MoveCurrent(row, e->modifiers() & Qt::ShiftModifier);
      tracking_ = true;
    }
  }
  if (OnMouseDown) OnMouseDown(e);
}

void TGTree::mousePressEvent(QMouseEvent* e) {
  const int x = int(e->position().x()), y = int(e->position().y());
  int mes = 0;
  if (e->button() == Qt::LeftButton) mes = kWmLButtonDown;
  else if (e->button() == Qt::RightButton) mes = kWmRButtonDown;
  if (mes && !Press(mes, KeyState(e), x & 0xFFFF, y & 0xFFFF, false)) return;
  GridPress(e);
}

void TGTree::mouseDoubleClickEvent(QMouseEvent* e) {
  const int x = int(e->position().x()), y = int(e->position().y());
  if (e->button() == Qt::LeftButton && !Press(kWmLButtonDblClk, KeyState(e), x & 0xFFFF, y & 0xFFFF, true))
    return;
  GridPress(e);
}

void TGTree::mouseMoveEvent(QMouseEvent* e) {
  if (!tracking_ || RowCount() == 0) return;
  const int y = int(e->position().y());
  int col, row;
  MouseToCell(int(e->position().x()), std::clamp(y, 0, ClientHeight() - 1), col, row);
  if (y < 0) row = top_ - 1;
  if (row < 0 && y >= 0) row = RowCount() - 1;
  row = std::clamp(row, 0, RowCount() - 1);
  if (row != current_) MoveCurrent(row, true);
}

void TGTree::mouseReleaseEvent(QMouseEvent* e) {
  tracking_ = false;
  if (OnMouseUp) OnMouseUp(e);
}

void TGTree::wheelEvent(QWheelEvent* e) {
  const int steps = e->angleDelta().y() / 120;
  if (steps) SetTopRow(std::clamp(top_ - 3 * steps, 0, std::max(MaxTopRow(), top_)));
  e->accept();
}

}  // namespace ql
