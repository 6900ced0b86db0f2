#pragma once
// Small controls of the main window whose behaviour Qt's stock widgets lack.
#include <QComboBox>
#include <QLabel>
#include <functional>

namespace ql {

// A drop-down list that is refilled each time it opens and gives the focus back when it closes.
class TDropList : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
  std::function<void()> OnDropDown;  // before the list opens
  std::function<void()> OnCloseUp;   // after it closed

  void showPopup() override;
  void hidePopup() override;
};

// A label that reports clicks.
class TClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;
  std::function<void()> OnClick;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
};

}  // namespace ql
