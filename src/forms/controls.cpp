#include "forms/controls.h"

#include <QMouseEvent>

namespace ql {

void TDropList::showPopup() {
  if (OnDropDown) OnDropDown();
  QComboBox::showPopup();
}

void TDropList::hidePopup() {
  QComboBox::hidePopup();
  if (OnCloseUp) OnCloseUp();
}

void TClickLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && OnClick) OnClick();
  QLabel::mousePressEvent(e);
}

}  // namespace ql
