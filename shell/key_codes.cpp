#include "shell/key_codes.h"

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
    default: break;
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;  // same codes as the keys' ASCII
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
  if (key >= 0x410 && key <= 0x42F) return LatinKeyOfCyrillic(char16_t(key));
  const QString text = event.text().toUpper();
  if (text.size() == 1) return LatinKeyOfCyrillic(text.at(0).unicode());
  return 0;
}
