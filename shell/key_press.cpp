#include "shell/key_press.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "screen/key_table.h"

namespace {

/// The digit key of the main row by its place on the keyboard, whatever the layout and
/// the shift state produce on it: X11 and Wayland report key codes 10 … 19 for the
/// keys 1 … 9, 0. Elsewhere (or with no code) 0.
int DigitRowKeyByPlace(const QKeyEvent& event) {
  const QString platform = QGuiApplication::platformName();
  if (platform != u"xcb" && !platform.startsWith(u"wayland")) return 0;
  const quint32 code = event.nativeScanCode();
  if (code >= 10 && code <= 18) return int(Qt::Key_1 + (code - 10));
  if (code == 19) return Qt::Key_0;
  return 0;
}

}  // namespace

int KeyOf(const QKeyEvent& event) {
  if (const int digit = DigitRowKeyByPlace(event)) return digit;
  const int key = event.key();
  if (KnownKey(key)) return key;
  // Some layouts give a letter only as text; its capital is the code the table holds.
  const QString text = event.text().toUpper();
  if (text.size() == 1 && KnownKey(text.at(0).unicode())) return text.at(0).unicode();
  return key;
}
