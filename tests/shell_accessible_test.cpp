// The painted screen as a screen reader finds it: the accessible tree of the real
// window under the offscreen platform, and the events it sends while a game is played.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QLineEdit>

#include "data/winners_table.h"
#include "engine/game.h"
#include "engine/speech_text.h"
#include "screen/key_table.h"
#include "shell/accessible_screen.h"
#include "shell/main_window.h"
#include "tests/shell_open_window.h"

using namespace Qt::StringLiterals;

namespace {

struct SentEvent {
  QAccessible::Event type;
  QString name;
  QAccessible::Role role;
};

QList<SentEvent>* g_events = nullptr;

void RecordEvent(QAccessibleEvent* event) {
  if (!g_events) return;
  QAccessibleInterface* iface = event->accessibleInterface();
  g_events->append(
      {event->type(), iface ? iface->text(QAccessible::Name) : QString(), iface ? iface->role() : QAccessible::NoRole});
}

class AccessibleTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ScriptedWindowTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, Services()));
    g_events = &m_events;
    // Offscreen, no assistive technology listens and Qt drops the events before
    // its update handler; the screen's own watcher sees them all.
    AccessibleScreen::WatchEvents(RecordEvent);
  }
  void TearDown() override {
    AccessibleScreen::WatchEvents({});
    g_events = nullptr;
  }

  QAccessibleInterface* Root() { return QAccessible::queryAccessibleInterface(m_window.get()); }
  /// The window's child named exactly, or starting with, `name`.
  QAccessibleInterface* Child(const QString& name) {
    QAccessibleInterface* root = Root();
    for (int i = 0; i < root->childCount(); ++i) {
      QAccessibleInterface* c = root->child(i);
      if (c && c->text(QAccessible::Name).startsWith(name)) return c;
    }
    return nullptr;
  }
  QAccessibleInterface* Item(int index) { return Root()->child(index); }
  QAccessibleInterface* AnswerItem(int position) { return Item(position); }
  QAccessibleInterface* OfRole(QAccessible::Role role) {
    for (int i = 0; i < Root()->childCount(); ++i)
      if (Root()->child(i)->role() == role) return Root()->child(i);
    return nullptr;
  }
  static QString Name(QAccessibleInterface* iface) { return iface->text(QAccessible::Name); }
  static QString Description(QAccessibleInterface* iface) { return iface->text(QAccessible::Description); }

  int CorrectPosition() { return PositionOf(game().AnswerElement(1)); }
  int WrongPosition() { return PositionOf(game().AnswerElement(2)); }
  void AnswerAt(int position) { Key(Qt::Key(KeyFor(ChooseAnswer(position)))); }
  int Count(QAccessible::Event type, const QString& nameStart = QString()) {
    int n = 0;
    for (const SentEvent& e : m_events)
      if (e.type == type && e.name.startsWith(nameStart)) ++n;
    return n;
  }

  QList<SentEvent> m_events;
};

TEST_F(AccessibleTest, StartScreenNamesTheGameItsInvitationAndUnavailableButtons) {
  Ticks(1);
  QAccessibleInterface* root = Root();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->role(), QAccessible::Window);
  // The caption shows the clock; the window's name stays the game's.
  EXPECT_EQ(m_window->windowTitle(), u"12:00"_s);
  EXPECT_EQ(Name(root), u"О, фартовик!"_s);
  EXPECT_EQ(Description(root), u"Игра не начата"_s);

  QAccessibleInterface* question = Item(0);
  EXPECT_EQ(question->role(), QAccessible::StaticText);
  EXPECT_TRUE(Name(question).startsWith(u"Чтобы начать новую игру, нажмите F2"_s));
  // The invitation is said, shaped for speech, by the object the focus went to.
  ASSERT_NE(root->focusChild(), nullptr);
  EXPECT_EQ(Name(root->focusChild()), u"Чтобы начать новую игру, нажмите F2. Правила игры, F1."_s);
  EXPECT_EQ(Count(QAccessible::Focus, u"Чтобы начать новую игру"_s), 1);
  for (int p = 1; p <= 4; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(AnswerItem(p)->role(), QAccessible::Button);
    EXPECT_EQ(Name(AnswerItem(p)), u"Ответ "_s + QChar(u'A' + p - 1));
    EXPECT_TRUE(AnswerItem(p)->state().disabled);
  }
  struct Hint {
    QString name, description;
  };
  for (const Hint& hint : {Hint{u"50 на 50"_s, u"клавиша 1"_s}, Hint{u"Звонок другу"_s, u"клавиша 2"_s},
                           Hint{u"Мнение зала"_s, u"клавиша 3"_s}, Hint{u"Взять деньги"_s, u"Ctrl+M"_s}}) {
    SCOPED_TRACE(hint.name.toStdString());
    QAccessibleInterface* button = Child(hint.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(Description(button), hint.description);
    EXPECT_TRUE(button->state().disabled);
  }

  QAccessibleInterface* ladder = OfRole(QAccessible::List);
  ASSERT_NE(ladder, nullptr);
  ASSERT_EQ(ladder->childCount(), 15);
  EXPECT_EQ(Name(ladder->child(0)), u"15, 1\u2009000\u2009000"_s);
  EXPECT_EQ(Name(ladder->child(14)), u"1, 100"_s);
  EXPECT_EQ(Description(ladder->child(10)), u"несгораемая сумма"_s);  // question 5
  for (int i = 0; i < 15; ++i) EXPECT_FALSE(ladder->child(i)->state().selected);

  // Panels and the board wait unseen.
  EXPECT_TRUE(OfRole(QAccessible::Table)->state().invisible);
  EXPECT_TRUE(Child(u"Проигрыш..."_s)->state().invisible);
  EXPECT_TRUE(Child(u"Мнение зала"_s)->state().invisible == false);  // the lifeline button
  EXPECT_TRUE(OfRole(QAccessible::Grouping)->state().invisible);
}

TEST_F(AccessibleTest, AQuestionReadsWholeWithItsAnswersPrizeAndClockAndFiftyFiftyTakesTwo) {
  Key(Qt::Key_F2);
  Ticks(1);
  // Half-way through its appearing the question is not read.
  EXPECT_TRUE(Name(Item(0)).isEmpty());
  EXPECT_EQ(Description(Root()), u"Вопрос 1 на 100, вопрос появляется"_s);
  WaitForAnswers();
  const Question& q = game().CurrentQuestion();
  EXPECT_EQ(Name(Item(0)), q.text);
  EXPECT_EQ(Description(Root()), u"Вопрос 1 на 100"_s);
  for (int k = 1; k <= 4; ++k) {
    const int position = game().AnswerOrder(k);
    SCOPED_TRACE(position);
    QAccessibleInterface* answer = AnswerItem(position);
    EXPECT_EQ(Name(answer), u"Ответ "_s + QChar(u'A' + position - 1) + u", "_s + speech::Plain(q.answers[k - 1]));
    EXPECT_FALSE(answer->state().disabled);
  }
  EXPECT_FALSE(Child(u"50 на 50"_s)->state().disabled);
  EXPECT_TRUE(Child(u"Взять деньги"_s)->state().disabled);  // not before question 2
  QAccessibleInterface* ladder = OfRole(QAccessible::List);
  EXPECT_TRUE(ladder->child(14)->state().selected);
  EXPECT_FALSE(ladder->child(13)->state().selected);

  QAccessibleInterface* clock = OfRole(QAccessible::ProgressBar);
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(clock->text(QAccessible::Value), u"Осталось 20 секунд."_s);
  ASSERT_NE(clock->valueInterface(), nullptr);
  Ticks(30);
  EXPECT_EQ(clock->text(QAccessible::Value), u"Осталось 17 секунд."_s);
  EXPECT_EQ(clock->valueInterface()->currentValue().toInt(), 17);

  Key(Qt::Key_1);
  EXPECT_TRUE(Child(u"50 на 50"_s)->state().disabled);
  int unavailable = 0;
  for (int p = 1; p <= 4; ++p) unavailable += AnswerItem(p)->state().disabled ? 1 : 0;
  EXPECT_EQ(unavailable, 2);
  EXPECT_FALSE(AnswerItem(CorrectPosition())->state().disabled);
}

TEST_F(AccessibleTest, JudgingShowsTheChoiceThenTheOutcome) {
  struct Case {
    bool right;
    QString chosenAtEnd, stateAtEnd;
  };
  for (const Case& c : {Case{true, u"выбран, правильный ответ"_s, u"Вопрос 1 на 100, выбран ответ %1: верно"_s},
                        Case{false, u"выбран, неверный ответ"_s, u"Вопрос 1 на 100, выбран ответ %1: неверно"_s}}) {
    SCOPED_TRACE(c.right);
    // A fresh window for each case, in the same folder.
    ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, Services()));
    Key(Qt::Key_F2);
    WaitForAnswers();
    const int chosen = c.right ? CorrectPosition() : WrongPosition();
    const QString letter = QString(QChar(u'A' + chosen - 1));
    AnswerAt(chosen);
    Ticks(1);
    EXPECT_EQ(Description(AnswerItem(chosen)), u"выбран"_s);
    EXPECT_TRUE(AnswerItem(chosen)->state().checked);
    // The choice is the player's, not an answer out of reach; the others are closed.
    EXPECT_FALSE(AnswerItem(chosen)->state().disabled);
    EXPECT_TRUE(AnswerItem(chosen % 4 + 1)->state().disabled);
    EXPECT_EQ(Name(Root()->focusChild()), u"Ответ "_s + letter + u" принят."_s);
    Ticks(20);
    EXPECT_EQ(Description(AnswerItem(chosen)), c.chosenAtEnd);
    EXPECT_EQ(Description(Root()), c.stateAtEnd.arg(letter));
    if (!c.right) {
      EXPECT_EQ(Description(AnswerItem(CorrectPosition())), u"правильный ответ"_s);
    }
    Ticks(27);
    if (c.right) {
      EXPECT_TRUE(Description(Root()).startsWith(u"Вопрос 2 на 200"_s));
    } else {
      EXPECT_EQ(Description(Root()), u"Игра окончена: проигрыш"_s);
      QAccessibleInterface* panel = Child(u"Проигрыш..."_s);
      ASSERT_NE(panel, nullptr);
      EXPECT_FALSE(panel->state().invisible);
      EXPECT_TRUE(Name(Root()->focusChild()).contains(u"Проигрыш."_s));
      EXPECT_FALSE(Child(u"Хорошо"_s)->state().invisible);
    }
  }
}

TEST_F(AccessibleTest, TheQuestionsPrizeIsReadAsTheLadderWritesIt) {
  Key(Qt::Key_F2);
  for (int question = 1; question <= 4; ++question) {
    WaitForAnswers();
    AnswerAt(CorrectPosition());
    Ticks(Judging::TicksToVerdict());
  }
  WaitForAnswers();
  EXPECT_EQ(Description(Root()), u"Вопрос 5 на 1\u2009000"_s);
}

TEST_F(AccessibleTest, RecordPanelReadsTheResultAndLabelsTheNameBox) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  // Too early: the key says why it does nothing.
  CtrlKey(Qt::Key_M);
  EXPECT_EQ(Name(Root()->focusChild()), u"Взять деньги можно со второго вопроса."_s);
  EXPECT_EQ(game().OpenPanel(), Panel::None);
  AnswerAt(CorrectPosition());
  Ticks(Judging::TicksToVerdict());
  WaitForAnswers();
  CtrlKey(Qt::Key_M);
  ASSERT_EQ(game().OpenPanel(), Panel::Record);
  QAccessibleInterface* panel = Child(u"Победа!!!"_s);
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->state().invisible);
  EXPECT_TRUE(Name(panel).contains(u"Вы решили взять деньги. Вы уносите 100 у.е."_s));
  EXPECT_FALSE(Name(panel).contains(u'\r'));
  EXPECT_EQ(Description(Root()), u"Игра окончена, выигрыш 100"_s);
  QAccessibleInterface* confirm = Child(u"Всё"_s);
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(confirm->role(), QAccessible::Button);
  EXPECT_EQ(Description(confirm), u"клавиша Enter"_s);

  QAccessibleInterface* nameBox = QAccessible::queryAccessibleInterface(m_window->nameBox());
  ASSERT_NE(nameBox, nullptr);
  EXPECT_EQ(Name(nameBox), u"Ваше имя"_s);
  EXPECT_TRUE(nameBox->state().focused);
  // The panel's words go out after the name box took the focus, which would cut
  // them short: the last focus told is theirs.
  ASSERT_FALSE(m_events.isEmpty());
  const SentEvent& last = m_events.constLast();
  EXPECT_EQ(last.type, QAccessible::Focus);
  EXPECT_EQ(last.name,
            u"Вы забрали деньги. Ваш выигрыш 100. Ваше место в таблице лидеров 1. Введите имя и нажмите Enter."_s);

  // The board then marks the player's new row.
  m_window->nameBox()->setText(u"Слепой"_s);
  Key(Qt::Key_Return);
  QAccessibleInterface* board = OfRole(QAccessible::Table);
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(board->tableInterface()->selectedRows(), QList<int>{0});
  EXPECT_TRUE(board->tableInterface()->cellAt(0, 1)->state().selected);
}

TEST_F(AccessibleTest, TheLeaderboardTableHoldsAllFiftyRowsNotOnlyTheVisibleOnes) {
  WinnersTable table;
  table.rows.resize(50);
  for (int r = 1; r <= 50; ++r) {
    table.AtRank(r).name = u"Игрок %1"_s.arg(r);
    table.AtRank(r).sum = QString::number(1000000 - r);
  }
  ASSERT_TRUE(SaveWinners(game().paths().winnersPath, table, m_random));
  CtrlKey(Qt::Key_W);
  QAccessibleInterface* board = OfRole(QAccessible::Table);
  ASSERT_NE(board, nullptr);
  EXPECT_FALSE(board->state().invisible);
  EXPECT_EQ(Name(board), u"Таблица лидеров"_s);
  QAccessibleTableInterface* cells = board->tableInterface();
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->rowCount(), 50);
  EXPECT_EQ(cells->columnCount(), 3);
  EXPECT_EQ(board->childCount(), 150);
  EXPECT_EQ(cells->columnDescription(1), u"Имя"_s);
  // A cell names its column through its header, as a screen reader asks.
  const auto heads = cells->cellAt(3, 1)->tableCellInterface()->columnHeaderCells();
  ASSERT_EQ(heads.size(), 1);
  EXPECT_EQ(heads[0]->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(Name(heads[0]), u"Имя"_s);
  EXPECT_EQ(Description(board), u"50 строк"_s);
  EXPECT_EQ(Name(cells->cellAt(0, 0)), u"1"_s);
  EXPECT_EQ(Name(cells->cellAt(0, 1)), u"Игрок 1"_s);
  EXPECT_EQ(Name(cells->cellAt(49, 1)), u"Игрок 50"_s);
  EXPECT_EQ(Name(cells->cellAt(49, 2)), u"999\u2009950"_s);
  EXPECT_EQ(cells->cellAt(50, 0), nullptr);
  EXPECT_EQ(cells->cellAt(49, 2)->role(), QAccessible::Cell);
  EXPECT_EQ(cells->cellAt(49, 2)->tableCellInterface()->rowIndex(), 49);
  EXPECT_EQ(board->indexOfChild(cells->cellAt(49, 2)), 149);
  EXPECT_TRUE(Name(Root()->focusChild()).startsWith(u"Таблица лидеров, 50 строк. Первое место, Игрок 1, 999999."_s));
  EXPECT_EQ(Description(Child(u"Очистить таблицу"_s)), u"клавиша K"_s);

  Key(Qt::Key_Return);
  EXPECT_TRUE(board->state().invisible);
  EXPECT_EQ(cells->rowCount(), 0);
}

TEST_F(AccessibleTest, AListenerHearsWhatATimeMarkStandsForAndAClockWithoutALimit) {
  WinnersTable table;
  table.rows = {{u"Слушатель"_s, u"32000**"_s}, {u"Гость"_s, u"1000*"_s}, {u"Аня"_s, u"500"_s}};
  ASSERT_TRUE(SaveWinners(game().paths().winnersPath, table, m_random));
  CtrlKey(Qt::Key_W);
  QAccessibleTableInterface* cells = OfRole(QAccessible::Table)->tableInterface();
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(Name(cells->cellAt(0, 2)), u"32\u2009000, без ограничения времени"_s);
  EXPECT_EQ(Name(cells->cellAt(1, 2)), u"1\u2009000, время на ответ вдвое больше"_s);
  EXPECT_EQ(Name(cells->cellAt(2, 2)), u"500"_s);
  Key(Qt::Key_Return);

  game().SetAnswerTime(AnswerTime::Unlimited);
  Key(Qt::Key_F2);
  WaitForAnswers();
  QAccessibleInterface* clock = OfRole(QAccessible::ProgressBar);
  ASSERT_NE(clock, nullptr);
  Ticks(300);
  EXPECT_EQ(clock->text(QAccessible::Value), u"без ограничения времени"_s);
}

TEST_F(AccessibleTest, EachNewThingIsSaidOnceByAFreshFocusAndTheClockOnlyAsWarnings) {
  Ticks(1);
  Key(Qt::Key_F2);
  m_events.clear();
  WaitForAnswers();
  // The question is said whole, once, by an object that did not have the focus.
  const QString spokenQuestion = u"Вопрос 1 на 100. "_s;
  EXPECT_EQ(Count(QAccessible::Focus, spokenQuestion), 1);
  QAccessibleInterface* first = Root()->focusChild();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->role(), QAccessible::Client);
  EXPECT_TRUE(Name(first).startsWith(spokenQuestion));

  m_events.clear();
  Ticks(60);  // six seconds of a twenty-second question
  EXPECT_EQ(Count(QAccessible::ValueChanged), 0);
  EXPECT_EQ(Count(QAccessible::Focus), 0);
  Ticks(45);
  EXPECT_EQ(Count(QAccessible::Focus, u"Осталось 10 секунд."_s), 1);

  m_events.clear();
  QAccessibleInterface* before = Root()->focusChild();
  Key(Qt::Key_1);
  ASSERT_EQ(Count(QAccessible::Focus), 1);
  EXPECT_TRUE(m_events.constLast().name.startsWith(u"Остались ответы "_s));
  // Each thing goes to the other object: a focus that came again to the object
  // that has it would not be read.
  QAccessibleInterface* after = Root()->focusChild();
  EXPECT_NE(after, before);
  Key(Qt::Key_R);
  QAccessibleInterface* again = Root()->focusChild();
  EXPECT_EQ(again, before);
  EXPECT_TRUE(Name(again).startsWith(spokenQuestion));
  int answersSaid = 0;
  for (int p = 1; p <= 4; ++p) answersSaid += Name(again).contains(u"Ответ "_s + QChar(u'A' + p - 1) + u',') ? 1 : 0;
  EXPECT_EQ(answersSaid, 2) << "the question again, with the answers left";
  Key(Qt::Key_T);
  EXPECT_TRUE(Name(Root()->focusChild()).startsWith(u"Осталось "_s));
}

TEST_F(AccessibleTest, TabAndArrowsGoRoundTheControlsLeftAndSpaceOrEnterPressesOne) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  Key(Qt::Key_1);  // 50/50: two answers and the lifeline go
  auto walk = [&](Qt::Key key, int steps) {
    QStringList reached;
    for (int i = 0; i < steps; ++i) {
      Key(key);
      reached.append(Name(Root()->focusChild()));
    }
    return reached;
  };
  const QStringList forward = walk(Qt::Key_Tab, 5);
  // The two answers left, the phone, the poll; «Взять деньги» waits for question 2.
  ASSERT_EQ(forward.size(), 5);
  EXPECT_TRUE(forward[0].startsWith(u"Ответ "_s));
  EXPECT_TRUE(forward[1].startsWith(u"Ответ "_s));
  EXPECT_EQ(forward.mid(2, 2), (QStringList{u"Звонок другу"_s, u"Мнение зала"_s}));
  EXPECT_EQ(forward[4], forward[0]) << "round again";
  EXPECT_EQ(walk(Qt::Key_Left, 1), QStringList{u"Мнение зала"_s});
  EXPECT_EQ(walk(Qt::Key_Right, 1), QStringList{forward[0]});
  // Something said in between takes the focus, not the player's place among the controls.
  Key(Qt::Key_T);
  ASSERT_TRUE(Name(Root()->focusChild()).startsWith(u"Осталось "_s));
  EXPECT_EQ(walk(Qt::Key_Tab, 1), QStringList{forward[1]});

  // Reach the correct answer and press it with Space.
  const QString correct = Name(AnswerItem(CorrectPosition()));
  for (int i = 0; i < 4 && Name(Root()->focusChild()) != correct; ++i) Key(Qt::Key_Tab);
  ASSERT_EQ(Name(Root()->focusChild()), correct);
  Key(Qt::Key_Space);
  EXPECT_TRUE(game().Judgement().Running());
  EXPECT_EQ(game().CurrentRound().chosen, AnswerSlot(CorrectPosition()));

  // Enter presses too while no panel is open.
  Ticks(Judging::TicksToVerdict());
  WaitForAnswers();
  Key(Qt::Key_Tab);
  ASSERT_TRUE(Name(Root()->focusChild()).startsWith(u"Ответ A"_s));
  Key(Qt::Key_Return);
  EXPECT_EQ(game().CurrentRound().chosen, el::AnswerA);
}

}  // namespace
