// The record book over the game: F3 opens it with the games played, kept and new;
// Del or the menu forget them only after asking.
#include <QTextDocument>

#include "engine_fakes.h"
#include "screen/page_painter.h"
#include "tests/testing/memory_history.h"

using namespace Qt::StringLiterals;

namespace {

GameRecord Kept(GameOutcome outcome, int sum, int day) {
  GameRecord game;
  game.endedAt = QDateTime(QDate(2026, 12, day), QTime(21, 0), Qt::UTC);
  game.outcome = outcome;
  game.sum = sum;
  game.asked.push_back({1, "0123456789abcdef", outcome != GameOutcome::Wrong});
  return game;
}

class RecordBookTest : public EngineTest {
 protected:
  void SetUp() override {
    memory.games = {Kept(GameOutcome::TookMoney, 300, 1), Kept(GameOutcome::Wrong, 0, 2)};
    history = &memory;
    EngineTest::SetUp();
  }

  /// The pages now open, as plain text.
  QString PagesText() {
    QString text;
    for (const InfoPage& page : g().screen().pages().pages())
      text += page.title + u'\n' + PageBodyDocument(page)->toPlainText() + u'\n';
    return text;
  }
  const QString& Title() { return g().screen().pages().page().title; }

  MemoryHistory memory;
};

const QString kForgetQuestion =
    u"Сбросить статистику?\r\nВсе сыгранные игры будут забыты, и вопросы, которые вы уже встречали, снова смогут выпасть."_s;

}  // namespace

TEST_F(RecordBookTest, F3ShowsTheGamesKeptAndEachGamePlayedSince) {
  g().KeyPressed(Qt::Key_F3);
  ASSERT_TRUE(g().PageOpen());
  EXPECT_EQ(Title(), u"Статистика"_s);
  EXPECT_TRUE(PagesText().contains(u"Сыграно: 2 игры."_s)) << PagesText().toStdString();
  g().KeyPressed(Qt::Key_Escape);

  JumpTo(1);
  AnswerWrong();
  ASSERT_EQ(g().OpenPanel(), Panel::Loss);
  g().KeyPressed(Qt::Key_F3);
  ASSERT_TRUE(g().PageOpen());
  EXPECT_TRUE(PagesText().contains(u"Сыграно: 3 игры."_s)) << PagesText().toStdString();
  EXPECT_TRUE(PagesText().contains(u"Неверный ответ\n2 игры"_s)) << PagesText().toStdString();
}

TEST_F(RecordBookTest, F3AndF1SwitchBetweenTheBooksAndDelActsOnlyOnTheRecordBook) {
  g().KeyPressed(Qt::Key_F3);
  g().KeyPressed(Qt::Key_Right);
  ASSERT_EQ(g().screen().pages().current(), 1);
  g().KeyPressed(Qt::Key_F3);  // already the record book: stays on its page
  EXPECT_EQ(g().screen().pages().current(), 1);
  g().KeyPressed(Qt::Key_F1);
  EXPECT_EQ(Title(), u"Правила игры"_s);
  g().KeyPressed(Qt::Key_Delete);
  EXPECT_TRUE(platform->box.messages.isEmpty());
  EXPECT_EQ(memory.games.size(), 2u);
  g().KeyPressed(Qt::Key_F3);
  EXPECT_EQ(Title(), u"Статистика"_s);
  EXPECT_EQ(g().screen().pages().current(), 0);
  // Del over the game, with no page up, is no key of the game's.
  g().KeyPressed(Qt::Key_Escape);
  g().KeyPressed(Qt::Key_Delete);
  EXPECT_TRUE(platform->box.messages.isEmpty());
}

TEST_F(RecordBookTest, ForgettingAsksWithNoAsTheDefaultAndForgetsOnlyOnYes) {
  struct Case {
    const char* what;
    QList<InfoBox::Answer> answers;  // empty: Enter, the preset
    bool forgotten;
  };
  const Case cases[] = {
      {"Enter keeps them", {}, false},
      {"No keeps them", {InfoBox::Answer::No}, false},
      {"a box that could not be shown keeps them", {InfoBox::Answer::None}, false},
      {"Yes forgets them", {InfoBox::Answer::Yes}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g().KeyPressed(Qt::Key_F3);
    g().KeyPressed(Qt::Key_Right);
    platform->box.messages.clear();
    platform->box.answers = c.answers;
    g().KeyPressed(Qt::Key_Delete);
    ASSERT_EQ(platform->box.messages.size(), 1);
    EXPECT_EQ(platform->box.messages.front(),
              (InfoBox::Message{kForgetQuestion, InfoBox::Kind::Question, InfoBox::Answer::No}));
    EXPECT_EQ(memory.games.empty(), c.forgotten);
    EXPECT_EQ(g().PlayedGames().empty(), c.forgotten);
    // The book stays open; forgotten, it shows its empty page at once.
    ASSERT_TRUE(g().PageOpen());
    EXPECT_EQ(PagesText().contains(u"ни одной игры"_s), c.forgotten) << PagesText().toStdString();
    g().KeyPressed(Qt::Key_Escape);
  }

  // Nothing left to forget: the player is told so, and nothing is asked.
  platform->box.messages.clear();
  g().Perform(Command::ForgetRecords);
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages.front().kind, InfoBox::Kind::Information);
  EXPECT_FALSE(g().PageOpen());
}

TEST_F(RecordBookTest, AHistoryThatCannotBeEmptiedKeepsTheBookAsItWas) {
  memory.refusal = u"Диск переполнен."_s;
  g().KeyPressed(Qt::Key_F3);
  platform->box.answers = {InfoBox::Answer::Yes};
  g().KeyPressed(Qt::Key_Delete);
  EXPECT_EQ(memory.games.size(), 2u);
  EXPECT_EQ(g().PlayedGames().size(), 2u);
  ASSERT_TRUE(g().PageOpen());
  EXPECT_TRUE(PagesText().contains(u"Сыграно: 2 игры."_s)) << PagesText().toStdString();
  // The player heard why, after the question.
  ASSERT_GE(platform->box.messages.size(), 2);
  EXPECT_TRUE(platform->box.messages.back().text.contains(u"Диск переполнен."_s))
      << platform->box.messages.back().text.toStdString();
}
