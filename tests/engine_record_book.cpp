// The player's figures over the games played: how they ended, the sums, the answers
// per level, the lifelines, the longest run, the last games and the questions met.
#include <gtest/gtest.h>
#include <QTextDocument>

#include "engine/record_book.h"
#include "engine/record_book_pages.h"
#include "screen/counted_words.h"
#include "screen/page_painter.h"

using namespace Qt::StringLiterals;

namespace {

using O = GameOutcome;
using L = LifelineKind;

QByteArray Fp(int level, int n) { return "q" + QByteArray::number(level) + "-" + QByteArray::number(n); }

/// A game that asked `rights` questions right from level 1 on (three per level), then
/// one more answered as `outcome` says, and went home with `sum`.
GameRecord Game(O outcome, int rights, int sum, int day = 1, std::vector<LifelineUse> lifelines = {}) {
  GameRecord g;
  g.endedAt = QDateTime(QDate(2026, 12, day), QTime(20, 0), Qt::UTC);
  g.outcome = outcome;
  g.sum = sum;
  for (int q = 0; q < rights; ++q) g.asked.push_back({1 + q / 3, Fp(1 + q / 3, q % 3 + 1), true});
  if (outcome != O::Million) g.asked.push_back({1 + rights / 3, Fp(1 + rights / 3, rights % 3 + 1), false});
  g.lifelines = std::move(lifelines);
  return g;
}

/// Levels 1 … 6 offer three questions each, the ones `Game` asks.
AvailableQuestions ThreeALevel() {
  AvailableQuestions available;
  for (int level = 1; level <= 6; ++level)
    for (int n = 1; n <= 3; ++n) available[std::size_t(level)].insert(Fp(level, n));
  return available;
}

}  // namespace

TEST(RecordBook, SumsEndingsAndTheLongestRunAcrossGames) {
  struct Case {
    const char* name;
    std::vector<GameRecord> games;
    std::array<int, 4> endings;  // wrong, time-out, took the money, the million
    qint64 best, average, total;
    int longestRun;
  };
  const Case cases[] = {
      {"no games", {}, {0, 0, 0, 0}, 0, 0, 0, 0},
      {"one lost at the first question", {Game(O::Wrong, 0, 0)}, {1, 0, 0, 0}, 0, 0, 0, 0},
      {"one million", {Game(O::Million, 15, 1000000)}, {0, 0, 0, 1}, 1000000, 1000000, 1000000, 15},
      // A run goes on into the next game when the money was taken: nothing was answered wrong.
      {"a run over taken money", {Game(O::TookMoney, 4, 500), Game(O::TimeOut, 3, 0)}, {0, 1, 1, 0}, 500, 250, 500, 7},
      // A time-out breaks a run as a wrong answer does.
      {"time-out breaks the run", {Game(O::TimeOut, 4, 0), Game(O::Wrong, 5, 1000)}, {1, 1, 0, 0}, 1000, 500, 1000, 5},
      // Equal best sums and equal runs in two games: neither counts twice.
      {"ties", {Game(O::Wrong, 6, 1000), Game(O::Wrong, 6, 1000)}, {2, 0, 0, 0}, 1000, 1000, 2000, 6},
      // 2 + 0 + 0 shared by three: a third is rounded, not cut.
      {"average rounded", {Game(O::Wrong, 0, 2), Game(O::Wrong, 0, 0), Game(O::Wrong, 0, 0)}, {3, 0, 0, 0}, 2, 1, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RecordBook book = SummariseGames(c.games, ThreeALevel());
    EXPECT_EQ(book.games, int(c.games.size()));
    EXPECT_EQ(book.endings, c.endings);
    EXPECT_EQ(book.bestSum, c.best);
    EXPECT_EQ(book.averageSum, c.average);
    EXPECT_EQ(book.totalSum, c.total);
    EXPECT_EQ(book.longestRun, c.longestRun);
  }
}

TEST(RecordBook, AnswersPerLevelLeaveOutTheQuestionTheMoneyWasTakenAt) {
  // Level 1: 3 right; level 2: 1 right, then the money taken at its second question.
  // Second game: level 1 wrong at the first.
  const RecordBook book = SummariseGames({Game(O::TookMoney, 4, 500), Game(O::Wrong, 0, 0)}, ThreeALevel());
  EXPECT_EQ(book.answers[1].answered, 4);
  EXPECT_EQ(book.answers[1].right, 3);
  EXPECT_EQ(book.answers[2].answered, 1);
  EXPECT_EQ(book.answers[2].right, 1);
  EXPECT_EQ(book.answers[3].answered, 0);
  // A history that does not keep the question left behind: the last right answer counts.
  GameRecord shorter = Game(O::TookMoney, 4, 500);
  shorter.asked.pop_back();
  EXPECT_EQ(SummariseGames({shorter}, ThreeALevel()).answers[2].right, 1);
}

TEST(RecordBook, LifelinesCountTheirUsesAndHowOftenTheyPointedRight) {
  const RecordBook book = SummariseGames(
      {Game(O::Wrong, 2, 0, 1, {{L::FiftyFifty, 1, true}, {L::PhoneFriend, 2, false}, {L::AskAudience, 3, true}}),
       Game(O::Wrong, 2, 0, 2, {{L::PhoneFriend, 1, true}})},
      ThreeALevel());
  const std::pair<L, RecordBook::Lifeline> expected[] = {
      {L::FiftyFifty, {1, 1}}, {L::PhoneFriend, {2, 1}}, {L::AskAudience, {1, 1}}};
  for (const auto& [kind, tally] : expected) {
    EXPECT_EQ(book.Used(kind).used, tally.used) << int(kind);
    EXPECT_EQ(book.Used(kind).pointedRight, tally.pointedRight) << int(kind);
  }
}

TEST(RecordBook, TheLastTenGamesComeLatestFirst) {
  std::vector<GameRecord> games;
  for (int day = 1; day <= 12; ++day) games.push_back(Game(day % 2 ? O::Wrong : O::TookMoney, 2, day * 100, day));
  const RecordBook book = SummariseGames(games, ThreeALevel());
  ASSERT_EQ(book.recent.size(), 10u);
  EXPECT_EQ(book.recent.front().sum, 1200);
  EXPECT_EQ(book.recent.front().outcome, O::TookMoney);
  EXPECT_EQ(book.recent.front().endedAt.date(), QDate(2026, 12, 12));
  EXPECT_EQ(book.recent.back().sum, 300);
  EXPECT_EQ(book.recent.back().outcome, O::Wrong);

  games.resize(2);
  EXPECT_EQ(SummariseGames(games, ThreeALevel()).recent.size(), 2u);
}

TEST(RecordBook, QuestionsMetCountOnlyThoseTheBasesStillHold) {
  AvailableQuestions available = ThreeALevel();
  // The first question of level 1 was edited since (a new fingerprint), the second
  // removed; the third moved to level 2.
  available[1].remove(Fp(1, 1));
  available[1].remove(Fp(1, 2));
  available[1].insert("edited");
  available[1].remove(Fp(1, 3));
  available[2].insert(Fp(1, 3));
  // Met twice, counted once.
  const RecordBook book = SummariseGames({Game(O::Wrong, 4, 0), Game(O::Wrong, 4, 0)}, available);
  EXPECT_EQ(book.met[1].met, 0);
  EXPECT_EQ(book.met[1].available, 1);
  EXPECT_EQ(book.met[2].met, 3);  // its own two and the one moved there
  EXPECT_EQ(book.met[2].available, 4);
  EXPECT_EQ(book.met[3].met, 0);
  EXPECT_EQ(book.met[3].available, 3);
  EXPECT_EQ(book.met[0].available, 0);
}

TEST(RecordBookWords, CountsTakeTheNounFormRussianGivesThem) {
  const std::pair<qint64, QString> cases[] = {
      {0, u"0 игр"_s},   {1, u"1 игра"_s},     {2, u"2 игры"_s},    {4, u"4 игры"_s},    {5, u"5 игр"_s},
      {11, u"11 игр"_s}, {12, u"12 игр"_s},    {14, u"14 игр"_s},   {21, u"21 игра"_s},  {22, u"22 игры"_s},
      {25, u"25 игр"_s}, {101, u"101 игра"_s}, {111, u"111 игр"_s}, {112, u"112 игр"_s}, {1004, u"1004 игры"_s}};
  for (const auto& [count, text] : cases) EXPECT_EQ(Counted(count, u"игра"_s, u"игры"_s, u"игр"_s), text) << count;
}

namespace {

QString PlainText(const QList<InfoPage>& pages) {
  QString text;
  for (const InfoPage& page : pages) text += page.title + u'\n' + PageBodyDocument(page)->toPlainText() + u'\n';
  // Where a line may break is the painter's business, not the figures': a sum kept on
  // one line has its thin spaces made unbreakable.
  return text.replace(QChar(0x00A0), u' ').replace(QChar(0x2009), u' ');
}

}  // namespace

TEST(RecordBookPages, WithNoGameOnePageSaysSoAndNamesTheKeyOfANewGame) {
  const QList<InfoPage> pages = RecordBookPages(SummariseGames({}, ThreeALevel()));
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(pages.front().title, u"Статистика"_s);
  const QString text = PlainText(pages);
  EXPECT_TRUE(text.contains(u"ни одной игры"_s)) << text.toStdString();
  EXPECT_TRUE(text.contains(u"F2"_s)) << text.toStdString();
}

TEST(RecordBookPages, TheFiguresReadAsTheGameWritesSumsAndCounts) {
  const RecordBook book =
      SummariseGames({Game(O::Wrong, 6, 1000, 1, {{L::PhoneFriend, 2, true}, {L::PhoneFriend, 5, false}}),
                      Game(O::TookMoney, 10, 32000, 2, {{L::FiftyFifty, 3, true}}), Game(O::TimeOut, 1, 0, 3)},
                     ThreeALevel());
  const QList<InfoPage> pages = RecordBookPages(book);
  const QString text = PlainText(pages);
  const QString date =
      QDateTime(QDate(2026, 12, 2), QTime(20, 0), Qt::UTC).toLocalTime().toString(u"dd.MM.yyyy HH:mm"_s);
  for (const QString& part : {u"Сыграно: 3 игры."_s, u"Неверный ответ\n1 игра"_s, u"Время вышло\n1 игра"_s,
                              u"Взяли деньги\n1 игра"_s, u"Ответили на все пятнадцать\n0 игр"_s,
                              u"Лучший\n32 000 у.е."_s, u"Средний\n11 000 у.е."_s, u"Всего\n33 000 у.е."_s,
                              // The run of ten goes on past the money taken into the next game.
                              u"11 верных ответов подряд"_s,
                              // Level 1: three right in each game, but the time-out's second question.
                              u"1\n7 из 8 (88 %)\n3 из 3"_s, u"4\n1 из 1 (100 %)\n2 из 3"_s,
                              u"«Звонок другу»\n2 раза\n1 из 2 (50 %)"_s, u"«50/50»\n1 раз\n1 из 1 (100 %)"_s,
                              u"«Мнение зала»\n0 раз\n—"_s, QString(date + u"\n32 000 у.е.\nвзяли деньги"_s), u"Del"_s})
    EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n in:\n" << text.toStdString();
  // Latest first.
  EXPECT_LT(text.indexOf(u"время вышло"_s), text.indexOf(u"взяли деньги"_s));
  EXPECT_LT(text.indexOf(u"взяли деньги"_s), text.indexOf(u"неверный ответ"_s));
}

TEST(RecordBookPages, AFullBookFitsItsPages) {
  // Ten games and more, every level asked from, and sums as wide as they come.
  std::vector<GameRecord> games;
  for (int day = 1; day <= 14; ++day)
    games.push_back(Game(day % 3 ? O::Million : O::TookMoney, day % 3 ? 15 : 14, 1000000, day,
                         {{L::FiftyFifty, 1, true}, {L::PhoneFriend, 2, false}, {L::AskAudience, 3, true}}));
  AvailableQuestions available = ThreeALevel();
  for (int level = 1; level <= 6; ++level)
    for (int n = 0; n < 996; ++n) available[std::size_t(level)].insert(QByteArray::number(n));
  const QList<InfoPage> pages = RecordBookPages(SummariseGames(games, available));
  ASSERT_EQ(pages.size(), 3);
  for (const InfoPage& page : pages) {
    const auto document = PageBodyDocument(page);
    EXPECT_LE(document->size().height(), PageView::kBodyBox.height()) << page.title.toStdString();
    EXPECT_LE(document->idealWidth(), PageView::kBodyBox.width()) << page.title.toStdString();
  }
}
