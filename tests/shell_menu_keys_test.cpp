// The menu's items show their keys, and those keys do what the items do.
#include <QAction>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/main_window.h"
#include "tests/shell_open_window.h"

using namespace Qt::StringLiterals;

namespace {

class MenuKeysTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ScriptedWindowTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, Services()));
  }
};

TEST_F(MenuKeysTest, EachItemShowsTheShortcutItsKeyCarriesOut) {
  struct Case {
    QString item;
    bool inZoomMenu;
    QKeySequence shortcut;
  };
  const Case cases[] = {
      {u"Новая игра"_s, false, QKeySequence(Qt::Key_F2)},
      {u"Таблица лидеров"_s, false, QKeySequence(Qt::CTRL | Qt::Key_W)},
      {u"Правила игры"_s, false, QKeySequence(Qt::Key_F1)},
      {u"О программе"_s, false, QKeySequence()},
      {u"Статистика"_s, false, QKeySequence(Qt::Key_F3)},
      {u"Сбросить статистику"_s, false, QKeySequence()},
      {u"Звук"_s, false, QKeySequence(Qt::Key_S)},
      {u"Во весь экран"_s, false, QKeySequence(Qt::Key_F11)},
      {u"Выход"_s, false, QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {u"Крупнее"_s, true, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
      {u"Меньше"_s, true, QKeySequence(Qt::CTRL | Qt::Key_Minus)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item.toStdString());
    QAction* action = MenuItem(c.inZoomMenu ? m_window->zoomMenu() : m_window->menu(), c.item);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), c.shortcut);
    // The key handler carries the shortcuts out, each once: the menu only shows them.
    EXPECT_EQ(action->shortcutContext(), Qt::WidgetShortcut);
  }
}

TEST_F(MenuKeysTest, AnItemAndItsKeyDoTheSame) {
  // Sound: the item and S each switch it once.
  QAction* sound = MenuItem(m_window->menu(), u"Звук"_s);
  ASSERT_NE(sound, nullptr);
  const bool on = game().SoundOn();
  sound->trigger();
  EXPECT_EQ(game().SoundOn(), !on);
  EXPECT_EQ(sound->isChecked(), !on);
  Key(Qt::Key_S);
  EXPECT_EQ(game().SoundOn(), on);
  EXPECT_EQ(sound->isChecked(), on);
  // The leaderboard: the item and Ctrl+W open it.
  QAction* board = MenuItem(m_window->menu(), u"Таблица лидеров"_s);
  ASSERT_NE(board, nullptr);
  board->trigger();
  EXPECT_EQ(game().OpenPanel(), Panel::Leaderboard);
  Key(Qt::Key_Return);
  EXPECT_EQ(game().OpenPanel(), Panel::None);
  CtrlKey(Qt::Key_W);
  EXPECT_EQ(game().OpenPanel(), Panel::Leaderboard);
}

}  // namespace
