#include "forms/win_pos.h"

#include <QGuiApplication>
#include <algorithm>
#include <QScreen>
#include <QWidget>

#include "base/profile.h"
#include "session/settings.h"

namespace ql {

namespace {

// Frame size around the client area: what the window manager added (none before the first show
// or on the offscreen platform).
QSize FrameSize(const QWidget& w) { return w.frameGeometry().size() - w.geometry().size(); }

TDesktopRect Desktop() {
  QRect r;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) r = screen->virtualGeometry();
  return TDesktopRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

bool ApplyWinPos(QWidget& window, const std::string& record, bool positionOnly) {
  TPosRecord rec;
  if (!ParsePosRecord(record, positionOnly, rec)) return false;
  if (positionOnly) {
    window.move(rec.Left, rec.Top);
    return true;
  }
  const QSize frame = FrameSize(window);
  const int width = rec.Width + frame.width(), height = rec.Height + frame.height();
  if (!OverlapsDesktop(rec.Left, rec.Top, width, height, Desktop())) return false;
  if (window.isMaximized()) window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
  window.move(rec.Left, rec.Top);
  window.resize(std::max(rec.Width, 1), std::max(rec.Height, 1));
  if (rec.Maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
  return true;
}

std::string WinPosRecord(const QWidget& window, bool positionOnly) {
  TPosRecord rec;
  const QRect client = window.isMaximized() || window.isFullScreen() ? window.normalGeometry() : window.geometry();
  // The frame's top-left of the normal placement: the client's minus the frame margin.
  const QPoint margin = window.geometry().topLeft() - window.frameGeometry().topLeft();
  const QPoint topLeft = client.isValid() ? client.topLeft() - margin : window.pos();
  rec.Left = topLeft.x();
  rec.Top = topLeft.y();
  rec.Width = client.isValid() ? client.width() : window.width();
  rec.Height = client.isValid() ? client.height() : window.height();
  rec.Maximized = window.isMaximized();
  return FormatPosRecord(rec, positionOnly);
}

bool LoadWinPos(QWidget& window, const std::string& iniPath, const char* section, const char* key,
                bool positionOnly) {
  return ApplyWinPos(window, GetPrivateProfileString(section, key, "", iniPath, 299), positionOnly);
}

void SaveWinPos(const QWidget& window, const std::string& iniPath, const char* section, const char* key,
                bool positionOnly) {
  WritePrivateProfileString(section, key, WinPosRecord(window, positionOnly), iniPath);
}

}  // namespace ql
