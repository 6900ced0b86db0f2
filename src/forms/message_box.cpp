#include "forms/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace ql {

namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

MsgAnswer ShowQtMessage(const MsgRequest& request, QWidget* parent) {
  const QString title = QString::fromStdString(request.title);
  QMessageBox box(IconOf(request.icon), title, title, ButtonsOf(request.buttons), parent);
  if (!request.text.empty()) box.setInformativeText(QString::fromStdString(request.text));
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  // Closing the box with Escape or its frame button gives the safe answer.
  const bool hasCancel = request.buttons == MsgButtons::OkCancel || request.buttons == MsgButtons::YesNoCancel;
  box.setEscapeButton(hasCancel ? QMessageBox::Cancel
                                : request.buttons == MsgButtons::YesNo ? QMessageBox::No : QMessageBox::Ok);
  switch (box.exec()) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
  }
}

void InstallQtMessageHandler() {
  SetMessageHandler([](const MsgRequest& request) { return ShowQtMessage(request, QApplication::activeWindow()); });
}

}  // namespace ql
