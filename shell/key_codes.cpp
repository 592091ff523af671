#include "shell/key_codes.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "engine/game.h"

namespace {

/// Russian ЙЦУКЕН letters on the keys of the Latin letters the game uses.
int LatinKeyOfCyrillic(char16_t letter) {
  switch (letter) {
    case u'Ф': return vk::A;
    case u'И': return vk::B;
    case u'С': return vk::C;
    case u'В': return vk::D;
    case u'Л': return vk::K;
    case u'Ь': return vk::M;
    case u'Й': return vk::Q;
    case u'Ц': return vk::W;
    case u'Ч': return vk::X;
    case u'Ы': return vk::S;
    default: return 0;
  }
}

/// The digit key of the main row by its place on the keyboard, whatever the layout and
/// the shift state produce on it: X11 and Wayland report key codes 10 … 19 for the
/// keys 1 … 9, 0. Elsewhere (or with no code) 0.
int DigitRowKeyByPlace(const QKeyEvent& event) {
  const QString platform = QGuiApplication::platformName();
  if (platform != u"xcb" && !platform.startsWith(u"wayland")) return 0;
  const quint32 code = event.nativeScanCode();
  if (code >= 10 && code <= 18) return int('1' + (code - 10));
  if (code == 19) return '0';
  return 0;
}

/// What the digit keys 1 … 3 produce with Shift on common layouts (US, Russian), and
/// unshifted where digits need Shift (French): the key, not its character, counts.
int DigitRowKeyByCharacter(int key) {
  switch (key) {
    case Qt::Key_Exclam: case Qt::Key_Ampersand: return '1';
    case Qt::Key_At: case Qt::Key_QuoteDbl: case Qt::Key_Eacute: return '2';
    case Qt::Key_NumberSign: case 0x2116 /* № */: return '3';
    default: return 0;
  }
}

}  // namespace

int VirtualKeyCode(const QKeyEvent& event) {
  const int key = event.key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Enter;
    case Qt::Key_Control: return vk::Ctrl;
    case Qt::Key_Alt: return vk::Alt;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_F2: return vk::F2;
    // The keys that turn and close the pages over the game.
    case Qt::Key_F1: return vk::F1;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return vk::PageUp;
    case Qt::Key_PageDown: return vk::PageDown;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_End: return vk::End;
    default: break;
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;  // same codes as the keys' ASCII
  // Keys are matched by key, not by what the shift state makes of them.
  if (const int digit = DigitRowKeyByPlace(event)) return digit;
  if (const int digit = DigitRowKeyByCharacter(key)) return digit;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
  if (key >= 0x410 && key <= 0x42F) return LatinKeyOfCyrillic(char16_t(key));
  const QString text = event.text().toUpper();
  if (text.size() == 1) return LatinKeyOfCyrillic(text.at(0).unicode());
  return 0;
}
