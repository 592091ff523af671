// The question draw, the answer shuffle and the gradual reveal.
#include <QSet>

#include "engine_fakes.h"
#include "screen/element.h"

using namespace Qt::StringLiterals;

namespace {

/// Puts one question alone on a level so the next draw from it must take it.
void OnlyQuestion(Game& game, int level, const QString& text, const std::array<QString, 4>& answers,
                  const QString& year) {
  QuestionLevel& l = GameTestAccess(game).questions().levels[level];
  l.count = 1;
  l.rows.assign(1, Question{text, answers, year});
  l.used.assign(1, false);
  l.usedCount = 0;
  l.decoded = true;
}

}  // namespace

TEST_F(EngineTest, AGameFillsTheSlotsOfEachLevelAndRepeatsNoQuestion) {
  const int slot[16] = {0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3};
  g().KeyPressed(Qt::Key_F2);
  QSet<QPair<int, int>> seen;
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE(n);
    RevealQuestion();
    const int level = round().level;
    EXPECT_EQ(g().GameDrawn(level, slot[n]), round().row);
    EXPECT_FALSE(seen.contains({level, round().row}));
    seen.insert({level, round().row});
    AnswerRight();
  }
  EXPECT_EQ(seen.size(), 15);
}

TEST_F(EngineTest, ALevelStartsAfreshOnceAllButOneOfItsQuestionsWereDrawn) {
  // Level 2 holds 6; question 4 (slot 1) draws from it again and again.
  JumpTo(1);
  QuestionLevel& level = setup().questions().levels[2];
  level.usedCount = 0;
  std::fill(level.used.begin(), level.used.end(), false);
  QSet<int> drawn;
  for (int i = 1; i <= 5; ++i) {
    setup().DrawQuestion(4, 2);
    EXPECT_FALSE(drawn.contains(round().row)) << i;
    drawn.insert(round().row);
    EXPECT_EQ(level.usedCount, i);
  }
  const int last = round().row;
  setup().DrawQuestion(4, 2);  // 5 = N − 1 drawn: the level is reset first
  EXPECT_EQ(level.usedCount, 1);
  EXPECT_NE(round().row, last);  // still not the one shown in this game
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(level.used[row - 1], row == round().row) << row;
}

TEST_F(EngineTest, ALevelOfThreeGivesAllThreeInEveryGame) {
  Start({6, 3, 6, 6, 6, 6, 6});
  for (int gameNo = 1; gameNo <= 5; ++gameNo) {
    SCOPED_TRACE(gameNo);
    setup().ShowStartScreen();
    g().KeyPressed(Qt::Key_F2);
    QSet<int> rows = {round().row};
    for (int n : {2, 3}) {
      setup().DrawQuestion(n, 1);
      rows.insert(round().row);
    }
    EXPECT_EQ(rows, QSet<int>({1, 2, 3}));
  }
}

TEST_F(EngineTest, EveryDrawAndShuffleAttemptReseedsFirst) {
  JumpTo(1);
  // A row not shown yet, taken at once; positions 0.0, 0.0 (taken), 0.3, 0.6, 0.9; coin.
  const int row = round().row == 4 ? 5 : 4;
  platform->random = ScriptedRandomSource({(row - 0.5) / 6, 0.0, 0.0, 0.3, 0.6, 0.9, 0.9});
  setup().SetLastChosen(std::nullopt);
  setup().DrawQuestion(2, 1);
  EXPECT_EQ(platform->random.drawn, 7);
  EXPECT_EQ(platform->random.reseeds, 6);  // not before the coin
  EXPECT_EQ(round().row, row);
  EXPECT_EQ(g().AnswerOrder(1), 1);
  EXPECT_EQ(g().AnswerOrder(2), 2);
  EXPECT_EQ(g().AnswerOrder(3), 3);
  EXPECT_EQ(g().AnswerOrder(4), 4);
}

TEST_F(EngineTest, TheCorrectAnswerRarelyStaysWhereThePlayerLastChose) {
  JumpTo(1);
  const int trials = 14000;
  for (int last : {0, 1, 2, 3, 4}) {
    SCOPED_TRACE(last);
    setup().SetLastChosen(last == 0 ? std::nullopt : std::optional(AnswerSlot(last)));
    std::array<int, 5> at{};
    for (int i = 0; i < trials; ++i) {
      setup().ShuffleAnswers();
      QSet<int> positions;
      for (int k = 1; k <= 4; ++k) positions.insert(g().AnswerOrder(k));
      ASSERT_EQ(positions, QSet<int>({1, 2, 3, 4}));
      ++at[g().AnswerOrder(1)];
    }
    for (int p = 1; p <= 4; ++p) {
      const double expected = last == 0 ? 1.0 / 4 : p == last ? 1.0 / 7 : 2.0 / 7;
      EXPECT_NEAR(double(at[p]) / trials, expected, 0.015) << "position " << p;
    }
  }
}

TEST_F(EngineTest, TheRevealAddsBlanksTogetherWithTheNextVisibleCharacter) {
  const QString text = u"Кто  написал   «Онегина» ?"_s;
  JumpTo(1);
  OnlyQuestion(g(), 2, text, {u"Пушкин"_s, u"Гоголь"_s, u"Блок"_s, u"Фет"_s}, u"1833"_s);
  PrepareAgain(4);
  QStringList steps;
  while (g().QuestionReveal().Running()) {
    ASSERT_LT(steps.size(), 100);
    Tick();
    steps.append(CaptionText(el::QuestionFrame));
  }
  const QStringList expected = {u"К"_s,
                                u"Кт"_s,
                                u"Кто"_s,
                                u"Кто  н"_s,
                                u"Кто  на"_s,
                                u"Кто  нап"_s,
                                u"Кто  напи"_s,
                                u"Кто  напис"_s,
                                u"Кто  написа"_s,
                                u"Кто  написал"_s,
                                u"Кто  написал   «"_s,
                                u"Кто  написал   «О"_s,
                                u"Кто  написал   «Он"_s,
                                u"Кто  написал   «Оне"_s,
                                u"Кто  написал   «Онег"_s,
                                u"Кто  написал   «Онеги"_s,
                                u"Кто  написал   «Онегин"_s,
                                u"Кто  написал   «Онегина"_s,
                                u"Кто  написал   «Онегина»"_s,
                                text};
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(E(el::QuestionFrame).tooltip, u"Вопрос 1833 года."_s);
  EXPECT_EQ(E(el::QuestionFrame).caption.tooltip, u"Вопрос 1833 года."_s);
  EXPECT_TRUE(round().answersOpen);
  EXPECT_TRUE(g().Clock().Running());
  EXPECT_TRUE(E(el::ClockBar).visible);
  EXPECT_FLOAT_EQ(g().Clock().StartedAt(), float(platform->time));
  for (int k = 1; k <= 4; ++k) {
    const ElementId e = g().AnswerElement(k);
    EXPECT_TRUE(E(e).enabled);
    EXPECT_TRUE(E(e).caption.visible);
    EXPECT_EQ(E(e).tooltip, QString());
  }
  EXPECT_EQ(CaptionText(g().AnswerElement(1)), u"Пушкин"_s);
}

TEST_F(EngineTest, RevealQuestionTextWithMoreCharactersTakesPiecesThatLong) {
  JumpTo(1);
  setup().screen().SetCaption(el::PhonePanel, QString(), QString(), 0);
  setup().RevealQuestionText(el::PhonePanel, u" a  bc d"_s, 2);
  EXPECT_EQ(CaptionText(el::PhonePanel), u" a  b"_s);
  setup().RevealQuestionText(el::PhonePanel, u" a  bc d"_s, 2);
  EXPECT_EQ(CaptionText(el::PhonePanel), u" a  bc d"_s);
}

TEST_F(EngineTest, TheFourAnswersEndInTheSmallestFittedSizeRoundedHalfToEven) {
  // The font system gives half a point less than asked: fitted sizes are x.5, and the
  // smallest one is rounded half to even.
  measurer.reported = [](const CaptionFont& font) { return font.size - 0.5; };
  struct Case {
    std::array<int, 4> lengths;  // of answers 1 … 4
    int size;
  };
  for (const Case c :
       {Case{{2, 20, 30, 46}, 10}, Case{{2, 20, 30, 50}, 8}, Case{{46, 46, 46, 46}, 10}, Case{{50, 50, 50, 50}, 8}}) {
    SCOPED_TRACE(c.lengths[3]);
    std::array<QString, 4> answers;
    for (int k = 0; k < 4; ++k) answers[k] = QString(c.lengths[k], QChar(u'ж' + k));
    JumpTo(1);
    OnlyQuestion(g(), 1, u"Какой?"_s, answers, QString());
    PrepareAgain(2);
    RevealQuestion();
    EXPECT_EQ(E(el::QuestionFrame).tooltip, u"Вопрос  года."_s);

    // The sizes each answer fits alone, on a screen of its own.
    Screen alone(measurer, &TestSheet);
    alone.BuildScreen();
    qreal smallest = 100;
    for (int k = 1; k <= 4; ++k) {
      const ElementId e = g().AnswerElement(k);
      alone.SetCaption(e, answers[k - 1], QString(), 0);
      smallest = std::min(smallest, alone.element(e).caption.font.size);
    }
    EXPECT_DOUBLE_EQ(smallest, c.size == 10 ? 9.5 : 8.5);
    for (const ElementId e : kAnswerSlots) EXPECT_DOUBLE_EQ(E(e).caption.font.size, c.size) << e;
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(CaptionText(g().AnswerElement(k)), answers[k - 1]);
    Start({6, 6, 6, 6, 6, 6, 6});
    measurer.reported = [](const CaptionFont& font) { return font.size - 0.5; };
  }
}
