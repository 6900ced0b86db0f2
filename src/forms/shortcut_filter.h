#pragma once
// The action shortcuts of the main window, taken before any widget sees the key: one
// application event filter looks at every ShortcutOverride and key press, matches it against the
// action table, runs the action and consumes the key, so an edit widget never swallows a key that
// belongs to an action. Actions of later windows and commands are added to the same table.
#include <QKeyCombination>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QKeyEvent;

namespace ql {

struct TAction {
  const char* name;                   // "SaveA", "RefreshA" ...
  std::vector<QKeyCombination> keys;  // a keypad key carries Qt::KeypadModifier; others match both
  std::function<void()> run;
  bool changesDocument = false;       // runs only while the document is editable
};

class TShortcutFilter : public QObject {
  Q_OBJECT

 public:
  // The filter acts only while `mainWindow` is the active window; `editable` tells whether the
  // document may be changed. Install it with qApp->installEventFilter.
  TShortcutFilter(QWidget* mainWindow, std::function<bool()> editable, QObject* parent = nullptr);

  void Add(TAction action);
  // The action whose keys match the event, or null.
  const TAction* Match(const QKeyEvent& e) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> main_;
  std::function<bool()> editable_;
  std::vector<TAction> actions_;
};

}  // namespace ql
