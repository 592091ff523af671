// The draw across evenings: questions the player has not met come first, then those
// met longest ago, whatever became of the bases meanwhile.
#include <QHash>
#include <QSet>

#include "data/question_fingerprint.h"
#include "engine_fakes.h"
#include "tests/testing/memory_history.h"

using namespace Qt::StringLiterals;

namespace {

class FreshQuestionsTest : public EngineTest {
 protected:
  void SetUp() override { history = &memory; }

  /// A new evening: the game started again over the same folder and history.
  void Reopen() {
    game.reset();
    platform = std::make_unique<ScriptedPlatform>();
    game = std::make_unique<Game>(*platform, measurer, dir->path(), &TestSheet, DataLocations{}, history);
    platform->game = game.get();
    game->Start();
  }

  void WriteLevel(int level, const QList<TestQuestion>& questions) {
    QFile file(dir->path() + u"/Data/base.ol"_s + QString::number(level));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(BaseFile(questions, u"1999"_s));
  }

  /// Plays a game of three questions, all from level 1, and ends it with a wrong
  /// answer; the fingerprints it asked, in order.
  QList<QByteArray> PlayLevelOne() {
    setup().ShowStartScreen();
    g().KeyPressed(Qt::Key_F2);
    QList<QByteArray> asked;
    for (int q = 1; q <= 3; ++q) {
      RevealQuestion();
      asked.append(QuestionFingerprint(g().CurrentQuestion()));
      if (q < 3) AnswerRight();
    }
    AnswerWrong();
    return asked;
  }

  static QByteArray Fingerprint(const TestQuestion& q) {
    return QuestionFingerprint(Question{q.text, q.answers, u"1999"_s});
  }

  MemoryHistory memory;
};

}  // namespace

TEST_F(FreshQuestionsTest, EveryQuestionOfALevelIsMetBeforeAnyComesAgainAndThenTheOldestFirst) {
  // Seven questions, three a game: the third game already starts over.
  constexpr int kQuestions = 7;
  Start({6, kQuestions, 6, 6, 6, 6, 6});
  QHash<QByteArray, int> lastGame;  // the game that last asked each question
  QList<QByteArray> order;
  for (int gameNo = 1; gameNo <= 8; ++gameNo) {
    SCOPED_TRACE(gameNo);
    // Every other game on a new evening, so the history read back counts as well.
    if (gameNo % 2 == 1 && gameNo > 1) Reopen();
    const QList<QByteArray> asked = PlayLevelOne();
    QSet<QByteArray> thisGame;
    for (const QByteArray& q : asked) {
      EXPECT_FALSE(thisGame.contains(q));
      // None of the questions this game could still take was met longer ago.
      for (int i = 1; i <= kQuestions; ++i) {
        const QByteArray other = Fingerprint(MakeQuestion(1, i));
        if (thisGame.contains(other) || other == q) continue;
        EXPECT_LE(lastGame.value(q, 0), lastGame.value(other, 0)) << order.size();
      }
      thisGame.insert(q);
      order.append(q);
    }
    for (const QByteArray& q : asked) lastGame.insert(q, gameNo);
  }
  EXPECT_EQ(QSet<QByteArray>(order.begin(), order.begin() + kQuestions).size(), kQuestions);
}

TEST_F(FreshQuestionsTest, AnEditedOrNewQuestionIsFreshAndAReorderedOneKeepsItsHistory) {
  Start({6, 6, 6, 6, 6, 6, 6});
  PlayLevelOne();
  PlayLevelOne();  // all six met

  // Reordered, one text edited, one question added.
  QList<TestQuestion> edited;
  for (int i = 6; i >= 1; --i) edited.append(MakeQuestion(1, i));
  edited[2].text += u" (уточнено)"_s;
  const TestQuestion added = {u"Совсем новый вопрос?"_s, {u"Да"_s, u"Нет"_s, u"Может быть"_s, u"Не знаю"_s}};
  edited.append(added);
  WriteLevel(1, edited);
  Reopen();

  const QList<QByteArray> asked = PlayLevelOne();
  EXPECT_EQ(QSet<QByteArray>({asked[0], asked[1]}), QSet<QByteArray>({Fingerprint(edited[2]), Fingerprint(added)}));
  // The third comes from the first game's questions, found by content at new rows.
  QSet<QByteArray> firstGame;
  for (const AskedQuestion& q : memory.games.front().asked) firstGame.insert(q.fingerprint);
  EXPECT_TRUE(firstGame.contains(asked[2]));
}

TEST_F(FreshQuestionsTest, TheHistoryOfRemovedQuestionsIsIgnored) {
  // The history met questions 1 … 3 and, later, six questions no base holds any
  // more: the level is not used up, so 4 … 6 come, and nothing else.
  GameRecord met, gone;
  for (int i = 1; i <= 3; ++i) met.asked.push_back({1, Fingerprint(MakeQuestion(1, i)), true});
  for (int i = 1; i <= 6; ++i) gone.asked.push_back({1, Fingerprint({u"Удалённый "_s + QString::number(i), {}}), true});
  memory.games = {met, gone};
  Start({6, 6, 6, 6, 6, 6, 6});
  const QList<QByteArray> asked = PlayLevelOne();
  QSet<QByteArray> expected;
  for (int i = 4; i <= 6; ++i) expected.insert(Fingerprint(MakeQuestion(1, i)));
  EXPECT_EQ(QSet<QByteArray>(asked.begin(), asked.end()), expected);
}
