#include "forms/screenshot.h"

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "forms/tree_form.h"
#include "model/tree.h"

namespace ql {

namespace {

// Waits (polling the event loop) until the grid has run its first paint, or no document is shown.
void GrabWhenPainted(QPointer<TTreeForm> form, const QString& path, int tries) {
  if (!form) return;
  const bool ready = !form->Grid->isVisible() || (form->Grid->FirstPaintSeen() && form->Grid->PendingTopRow < 0);
  if (!ready && tries > 0) {
    QTimer::singleShot(50, form, [form, path, tries] { GrabWhenPainted(form, path, tries - 1); });
    return;
  }
  if (!form->grab().save(path, "PNG")) std::fprintf(stderr, "QL: cannot write %s\n", path.toLocal8Bit().constData());
  form->close();
}

}  // namespace

void ScreenshotOnRequest(TTreeForm& form) {
  const char* path = std::getenv("QL_SCREENSHOT");
  if (!path || !*path) return;
  // QL_SCREENSHOT_OPEN=1 opens every branch first, to show the deeper levels.
  if (const char* open = std::getenv("QL_SCREENSHOT_OPEN"); open && *open == '1' && form.Session().DocOpen()) {
    TTTree& tree = form.Session().Tree;
    for (TTNode* n : tree.NodeSpan()) n->Opened = true;
    tree.Relink();
    form.Grid->SetRows(0, false);
  }
  QPointer<TTreeForm> target(&form);
  const QString file = QString::fromLocal8Bit(path);
  // The first paint is posted after show; let it and the step it posts run first.
  QTimer::singleShot(100, &form, [target, file] { GrabWhenPainted(target, file, 100); });
}

}  // namespace ql
