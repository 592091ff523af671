#include "shell/qt_info_box.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon IconFor(InfoBox::Kind kind) {
  switch (kind) {
    case InfoBox::Kind::Information: return QMessageBox::Information;
    // Failures have always come with a stop sign; a player knows them by it.
    case InfoBox::Kind::Warning: return QMessageBox::Critical;
    case InfoBox::Kind::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

InfoBox::Answer QtInfoBox::Show(const Message& message) {
  QMessageBox box(IconFor(message.kind), u"О, фартовик!"_s, QString(message.text).replace(u"\r\n"_s, u"\n"_s),
                  QMessageBox::NoButton, m_parent);
  const bool question = message.kind == Kind::Question;
  if (question) {
    // As the platform's own box: Yes is the default unless the message presets No;
    // Esc answers No.
    QPushButton* yes = box.addButton(u"Да"_s, QMessageBox::YesRole);
    QPushButton* no = box.addButton(u"Нет"_s, QMessageBox::NoRole);
    box.setDefaultButton(message.preset == Answer::No ? no : yes);
    box.setEscapeButton(no);
  } else {
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
  }
  box.exec();
  if (!question) return Answer::None;
  QAbstractButton* pressed = box.clickedButton();
  // Closed by Esc or the window manager: No.
  return pressed && box.buttonRole(pressed) == QMessageBox::YesRole ? Answer::Yes : Answer::No;
}
