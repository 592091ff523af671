// The menu's items show their keys, and those keys do what the items do.
#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QTest>

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

namespace {

class AnswerTimeMenuTest : public MenuKeysTest {
 protected:
  /// Chooses `choice` under "Время на ответ" with the pointer, as a player does.
  void Choose(const QString& choice) {
    QMenu* menu = m_window->menu();
    menu->popup(m_window->mapToGlobal(QPoint(0, 21)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* item = MenuItem(menu, u"Время на ответ"_s);
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->menu(), nullptr);
    QTest::mouseMove(menu, menu->actionGeometry(item).center());
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
    QMenu* times = item->menu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(times));
    QAction* chosen = MenuItem(times, choice);
    ASSERT_NE(chosen, nullptr);
    QTest::mouseMove(times, times->actionGeometry(chosen).center());
    QTest::mouseClick(times, Qt::LeftButton, Qt::NoModifier, times->actionGeometry(chosen).center());
    EXPECT_FALSE(menu->isVisible());  // a choice closes the menu
  }
  QStringList Checked() {
    QStringList checked;
    for (QAction* a : MenuItem(m_window->menu(), u"Время на ответ"_s)->menu()->actions())
      if (a->isChecked()) checked.append(a->text());
    return checked;
  }
};

TEST_F(AnswerTimeMenuTest, TheChoiceInTheMenuTimesTheNextQuestionAndIsThereAtTheNextRun) {
  EXPECT_EQ(Checked(), QStringList{u"обычное"_s});
  ASSERT_NO_FATAL_FAILURE(Choose(u"вдвое больше"_s));
  EXPECT_EQ(Checked(), QStringList{u"вдвое больше"_s});
  Key(Qt::Key_F2);
  ASSERT_NO_FATAL_FAILURE(WaitForAnswers());
  EXPECT_EQ(game().screen().element(el::ClockBar).caption.text, u"0:40"_s);

  // The next run of the game finds the choice made, and plays by it.
  m_window.reset();
  ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, Services()));
  EXPECT_EQ(Checked(), QStringList{u"вдвое больше"_s});
  EXPECT_EQ(game().AnswerTimeChoice(), AnswerTime::Doubled);
  ASSERT_NO_FATAL_FAILURE(Choose(u"без ограничения"_s));
  Key(Qt::Key_F2);
  ASSERT_NO_FATAL_FAILURE(WaitForAnswers());
  Ticks(400);
  EXPECT_TRUE(game().CurrentRound().answersOpen);
  EXPECT_EQ(game().screen().element(el::ClockBar).caption.text, u"∞"_s);
  m_window.reset();
  ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, Services()));
  EXPECT_EQ(Checked(), QStringList{u"без ограничения"_s});
  EXPECT_EQ(game().AnswerTimeChoice(), AnswerTime::Unlimited);
}

}  // namespace
