#include "shell/qt_info_box.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon IconFor(int flags) {
  switch (flags & 0x70) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

int QtInfoBox::Show(const QString& text, int flags) {
  QMessageBox box(IconFor(flags), u"О, фартовик!"_s, QString(text).replace(u"\r\n"_s, u"\n"_s),
                  QMessageBox::NoButton, m_parent);
  const bool yesNo = (flags & 0x0F) == 4;
  if (yesNo) {
    // As the platform's own box: the first button is the default unless the flags
    // ask for the second; Esc answers No.
    QPushButton* yes = box.addButton(u"Да"_s, QMessageBox::YesRole);
    QPushButton* no = box.addButton(u"Нет"_s, QMessageBox::NoRole);
    box.setDefaultButton(flags & SecondButtonDefault ? no : yes);
    box.setEscapeButton(no);
  } else {
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
  }
  box.exec();
  QAbstractButton* pressed = box.clickedButton();
  if (!pressed) return yesNo ? No : Ok;  // closed by Esc or the window manager
  const QMessageBox::ButtonRole role = box.buttonRole(pressed);
  if (role == QMessageBox::YesRole) return Yes;
  if (role == QMessageBox::NoRole) return No;
  return Ok;
}
