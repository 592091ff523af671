// Qt key events as the key table reads them: the key, or the letter the event writes.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "screen/key_table.h"
#include "shell/key_press.h"

namespace {

TEST(KeyPress, EventsReachTheTableByTheirKeyOrByTheLetterTheyWrite) {
  struct Case {
    const char* what;
    int key;
    const char16_t* text;
    Qt::KeyboardModifiers held;
    Command command;
  };
  const Case cases[] = {
      {"Latin letter", Qt::Key_B, u"b", Qt::NoModifier, Command::ChooseB},
      {"Russian letter by its key", 0x418, u"и", Qt::NoModifier, Command::ChooseB},
      {"Russian letter by its text alone", 0, u"и", Qt::NoModifier, Command::ChooseB},
      {"Russian lower-case letter code", 0x438, u"и", Qt::NoModifier, Command::ChooseB},
      {"Ctrl with a Russian letter", 0x426, u"", Qt::ControlModifier, Command::ShowLeaderboard},
      {"a digit shifted", Qt::Key_At, u"@", Qt::ShiftModifier, Command::PhoneFriend},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QKeyEvent event(QEvent::KeyPress, c.key, c.held, QString::fromUtf16(c.text));
    const KeyBinding* binding = BindingOf(KeyOf(event), event.modifiers(), KeyScope::Game);
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->command, c.command);
  }
  // A key the table does not know stays what it was.
  QKeyEvent other(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
  EXPECT_EQ(KeyOf(other), int(Qt::Key_F5));
}

}  // namespace
