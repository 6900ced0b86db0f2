#include "forms/shortcut_filter.h"

#include <QApplication>
#include <QKeyEvent>

namespace ql {

namespace {

constexpr Qt::KeyboardModifiers kMatched =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier;

// The Latin key on the same place as a Cyrillic letter of the Russian layout, so that Ctrl+S
// is Ctrl+S whichever layout is on; 0 for any other key.
int LatinKeyOf(int key) {
  static const char16_t kCyrillic[] = u"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";
  static const char kLatin[] = "QWERTYUIOP[]ASDFGHJKL;'ZXCVBNM,.`";
  for (size_t i = 0; kCyrillic[i]; ++i)
    if (key == kCyrillic[i]) return kLatin[i];
  return 0;
}

}  // namespace

TShortcutFilter::TShortcutFilter(QWidget* mainWindow, std::function<bool()> editable, QObject* parent)
    : QObject(parent), main_(mainWindow), editable_(std::move(editable)) {}

void TShortcutFilter::Add(TAction action) { actions_.push_back(std::move(action)); }

const TAction* TShortcutFilter::Match(const QKeyEvent& e) const {
  const Qt::KeyboardModifiers mods = e.modifiers() & kMatched;
  const auto key = Qt::Key(e.key());
  const auto latin = Qt::Key(LatinKeyOf(e.key()));
  for (const TAction& a : actions_) {
    for (const QKeyCombination& k : a.keys) {
      if (k.key() != key && (latin == 0 || k.key() != latin)) continue;
      const bool keypad = k.keyboardModifiers() & Qt::KeypadModifier;
      const Qt::KeyboardModifiers got = keypad ? mods : mods & ~Qt::KeypadModifier;
      if (got == k.keyboardModifiers()) return &a;
    }
  }
  return nullptr;
}

bool TShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || !watched->isWidgetType()) return false;
  // Another window (a dialog, a tool window) keeps its keys.
  if (!main_ || QApplication::activeWindow() != main_.data()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const TAction* action = Match(*key);
  if (!action) return false;
  if (type == QEvent::ShortcutOverride) {
    // Accepting turns the key into a plain key press, which comes back here.
    event->accept();
    return true;
  }
  if (!action->changesDocument || (editable_ && editable_())) action->run();
  return true;
}

}  // namespace ql
