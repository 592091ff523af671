// The record of each finished game: what it asked, how it ended, what its lifelines
// pointed to, and how it reaches the player's history.
#include "data/question_fingerprint.h"
#include "engine_fakes.h"
#include "tests/testing/memory_history.h"

using namespace Qt::StringLiterals;

namespace {

/// A uniform number that Int(u × m) + 1 turns into r.
double DrawFor(int r, int m) { return (r - 0.5) / m; }

class PlayedGamesTest : public EngineTest {
 protected:
  void SetUp() override {
    history = &memory;
    Start({6, 6, 6, 6, 6, 6, 6});
  }

  /// A new game played right up to question `n`, fully shown; the fingerprints of
  /// the questions asked so far, in order.
  QList<QByteArray> PlayCountingTo(int n) {
    QList<QByteArray> asked;
    g().KeyPressed(Qt::Key_F2);
    for (int q = 1; q <= n; ++q) {
      RevealQuestion();
      asked.append(QuestionFingerprint(g().CurrentQuestion()));
      if (q < n) AnswerRight();
    }
    return asked;
  }

  const GameRecord& Last() { return g().PlayedGames().back(); }

  MemoryHistory memory;
};

}  // namespace

TEST_F(PlayedGamesTest, EveryEndingIsKeptWithItsSumAndEachQuestionAskedInOrder) {
  enum class End { Wrong, TimeOut, TakeMoney, Right };
  struct Case {
    int question;  // the last question of the game
    End end;
    GameOutcome outcome;
    int sum;
  };
  const Case cases[] = {
      {5, End::Wrong, GameOutcome::Wrong, 0},
      {7, End::TimeOut, GameOutcome::TimeOut, 1000},
      {3, End::TakeMoney, GameOutcome::TookMoney, 200},
      {15, End::Right, GameOutcome::Million, 1000000},
  };
  const int levelOf[16] = {0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4, 5, 5, 5, 6, 6};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    memory.games.clear();
    Start({6, 6, 6, 6, 6, 6, 6});
    platform->utcNow = QDateTime(QDate(2026, 3, 8), QTime(21, 15, 7), Qt::UTC);
    const QList<QByteArray> asked = PlayCountingTo(c.question);
    switch (c.end) {
      case End::Wrong: AnswerWrong(); break;
      case End::Right: AnswerRight(); break;
      case End::TakeMoney: g().ClickElement(el::TakeMoney); break;
      case End::TimeOut:
        for (int i = 0; i < 2000 && g().OpenPanel() != Panel::Timeout; ++i) Tick();
        break;
    }
    ASSERT_EQ(g().PlayedGames().size(), 1u);
    const GameRecord& record = Last();
    EXPECT_EQ(record.outcome, c.outcome);
    EXPECT_EQ(record.sum, c.sum);
    EXPECT_EQ(record.endedAt, platform->utcNow);
    ASSERT_EQ(record.asked.size(), size_t(c.question));
    for (int q = 1; q <= c.question; ++q) {
      const AskedQuestion& a = record.asked[size_t(q - 1)];
      EXPECT_EQ(a.level, levelOf[q]) << q;
      EXPECT_EQ(a.fingerprint, asked[q - 1]) << q;
      // Only a right verdict counts: the question left by the clock or the money is not.
      EXPECT_EQ(a.answeredRight, q < c.question || c.end == End::Right) << q;
    }
    EXPECT_TRUE(record.lifelines.empty());
    // Committed to the history as it ended, and only then.
    ASSERT_EQ(memory.games.size(), 1u);
    EXPECT_EQ(memory.games.front().asked.size(), size_t(c.question));
  }
}

TEST_F(PlayedGamesTest, EachLifelineKeepsWhetherTheAnswerItPointedToWasRight) {
  struct Case {
    const char* what;
    int question;
    int key;
    QList<double> draws;  // after the lifeline's key; empty: none scripted
    bool thenRight;       // the player answers right, then wrong on the next question
    LifelineKind kind;
    bool pointedRight;
  };
  const Case cases[] = {
      {"50/50, then right", 2, Qt::Key_1, {}, true, LifelineKind::FiftyFifty, true},
      {"50/50, then wrong", 2, Qt::Key_1, {}, false, LifelineKind::FiftyFifty, false},
      // K = 19: the friend knows; phrase 1 names the answer.
      {"friend names the right one", 1, Qt::Key_2, {0.0, 0.0}, false, LifelineKind::PhoneFriend, true},
      // The same friend in band 2: "Я не знаю ответа" points to nothing.
      {"friend names none", 1, Qt::Key_2, {0.0, DrawFor(40, 304)}, false, LifelineKind::PhoneFriend, false},
      // An audience that knows gives the right answer 50 %.
      {"hall knows", 3, Qt::Key_3, {0.0, 0.5, 0.5, 0.5}, false, LifelineKind::AskAudience, true},
      // One that guesses gives it 8 % against 39 %.
      {"hall guesses", 15, Qt::Key_3, {0.99, 0.99, 0.99, 0.99}, false, LifelineKind::AskAudience, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    memory.games.clear();
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(c.question);
    if (!c.draws.isEmpty()) platform->random = ScriptedRandomSource(c.draws);
    g().KeyPressed(c.key);
    if (c.thenRight) {
      AnswerRight();
      RevealQuestion();
    }
    AnswerWrong();
    ASSERT_EQ(g().PlayedGames().size(), 1u);
    ASSERT_EQ(Last().lifelines.size(), 1u);
    const LifelineUse& use = Last().lifelines.front();
    EXPECT_EQ(use.kind, c.kind);
    EXPECT_EQ(use.question, c.question);
    EXPECT_EQ(use.pointedRight, c.pointedRight);
  }
}

TEST_F(PlayedGamesTest, TheFriendsWrongGuessPointsAwayFromTheRightAnswer) {
  // K = 14 on question 6: knowledge 15 guesses among A, B and C.
  JumpTo(6);
  const int right = g().AnswerOrder(1);
  const int guess = right == 1 ? 2 : 1;
  platform->random = ScriptedRandomSource({0.99, DrawFor(guess, 3), 0.0});
  g().KeyPressed(Qt::Key_2);
  AnswerWrong();
  ASSERT_EQ(Last().lifelines.size(), 1u);
  EXPECT_FALSE(Last().lifelines.front().pointedRight);
}

TEST_F(PlayedGamesTest, AHistoryThatCannotBeWrittenIsSaidOnceAndItsGamesGoWithTheNextWrite) {
  memory.refusal = u"Нет места на диске."_s;
  for (int gameNo = 1; gameNo <= 2; ++gameNo) {
    PlayTo(2);
    AnswerWrong();
    setup().ShowPanel(Panel::Loss, false);
    setup().ShowStartScreen();
  }
  // Both games still count for this evening.
  EXPECT_EQ(g().PlayedGames().size(), 2u);
  EXPECT_TRUE(memory.games.empty());
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_TRUE(platform->box.messages.front().text.startsWith(memory.refusal));

  memory.refusal.clear();
  PlayTo(3);
  AnswerWrong();
  EXPECT_EQ(memory.games.size(), 3u);
  EXPECT_EQ(g().PlayedGames().size(), 3u);
  EXPECT_EQ(platform->box.messages.size(), 1);
}

TEST_F(PlayedGamesTest, TheHistoryIsReadBesideTheBoardAndOtherCopiesGamesJoinAtTheNextWrite) {
  GameRecord earlier;
  earlier.outcome = GameOutcome::TookMoney;
  earlier.sum = 300;
  earlier.asked = {{1, "00112233445566ff", true}};
  memory.games = {earlier};
  memory.openMessage = u"История повреждена."_s;
  Start({6, 6, 6, 6, 6, 6, 6});
  EXPECT_EQ(memory.openedIn, QFileInfo(WinnersPath()).absolutePath());
  ASSERT_EQ(g().PlayedGames().size(), 1u);
  EXPECT_EQ(g().PlayedGames().front().sum, 300);
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages.front().text, memory.openMessage);

  // Another copy of the game ends a game meanwhile.
  memory.games.push_back(earlier);
  PlayTo(2);
  AnswerWrong();
  EXPECT_EQ(g().PlayedGames().size(), 3u);
}

TEST_F(PlayedGamesTest, ForgettingEmptiesTheHistoryOrKeepsEverythingWhenItCannot) {
  PlayTo(2);
  AnswerWrong();
  ASSERT_EQ(g().PlayedGames().size(), 1u);

  memory.refusal = u"Файл истории занят."_s;
  EXPECT_FALSE(g().ForgetPlayedGames());
  EXPECT_EQ(g().PlayedGames().size(), 1u);
  EXPECT_EQ(memory.games.size(), 1u);
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages.front().text, memory.refusal);

  memory.refusal.clear();
  EXPECT_TRUE(g().ForgetPlayedGames());
  EXPECT_TRUE(g().PlayedGames().empty());
  EXPECT_TRUE(memory.games.empty());
}

TEST_F(EngineTest, AGameWithoutAHistoryKeepsNoGames) {
  PlayTo(2);
  AnswerWrong();
  EXPECT_TRUE(g().PlayedGames().empty());
}
