#pragma once
// The program's message boxes: the failure hook of base/message_hook.h shown as a QMessageBox
// kept on top, with the message as window title and main text (some window managers hide the
// title), the detail as informative text, and the request's icon and buttons.
#include "base/message_hook.h"

class QWidget;

namespace ql {

// The answer of a QMessageBox for the request; parent may be null.
MsgAnswer ShowQtMessage(const MsgRequest& request, QWidget* parent);
// Installs ShowQtMessage (parented to the active window) as the message handler.
void InstallQtMessageHandler();

}  // namespace ql
