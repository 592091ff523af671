// Start-up, a game from the first question to its end, and the gate on answers.
#include <QSet>

#include "engine_fakes.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace {

const QString kInvitation = u"Чтобы начать новую игру, нажмите F2 или \"Новая\" в \"Меню\". Правила игры — F1."_s;

}  // namespace

TEST_F(EngineTest, StartUpShowsTheIdleScreenAndStartsTheTimerLast) {
  EXPECT_TRUE(g().TimerEnabled());
  EXPECT_TRUE(platform->box.messages.isEmpty());
  EXPECT_EQ(CaptionText(el::QuestionFrame), kInvitation);
  EXPECT_EQ(st().QuestionNumber, 0);
  EXPECT_FALSE(st().AnswersOpen);
  EXPECT_FALSE(st().TimeUp);
  EXPECT_FALSE(st().pointer.WindowDragging);
  EXPECT_EQ(st().CurrentPanel, 0);
  EXPECT_TRUE(g().NewGameEnabled());
  EXPECT_TRUE(g().WinnersEnabled());
  for (const ElementId e : {el::QuestionFrame, el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney}) EXPECT_FALSE(E(e).enabled) << e;
  for (const ElementId e : kLadderRungs) EXPECT_EQ(RowOf(e), CellOf(RungLook::NotWon).row) << e;
  // The lifelines wait for a game in their plain look, not crossed out as used.
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll}) EXPECT_EQ(RowOf(e), CellOf(LifelineLook::Normal).row) << e;
  EXPECT_EQ(RowOf(el::TakeMoney), CellOf(LifelineLook::Used).row);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(st().TaskActive[i]) << i;
  EXPECT_EQ(g().questions().levels[3].count, 6);
}

TEST_F(EngineTest, TheTickWritesTimeAndDateIntoTheCaptionAlsoWhenIdle) {
  platform->timeAndDate = u"10:00:01 09.12.2026"_s;
  Tick();
  platform->timeAndDate = u"10:00:02 09.12.2026"_s;
  Tick();
  EXPECT_EQ(platform->captions, QStringList({u"10:00:01 09.12.2026"_s, u"10:00:02 09.12.2026"_s}));
}

TEST_F(EngineTest, NewGameOpensTheBoardAndPreparesQuestionOne) {
  g().KeyPressed(Qt::Key_F2);
  EXPECT_FALSE(g().NewGameEnabled());
  EXPECT_FALSE(g().WinnersEnabled());
  EXPECT_EQ(st().QuestionNumber, 1);
  EXPECT_EQ(st().TimeLimit, 20);
  EXPECT_EQ(st().CurrentSum, 0);
  EXPECT_EQ(st().GuaranteedSum, 0);
  EXPECT_EQ(st().CurrentLevel, 1);
  for (const ElementId e : {el::QuestionFrame, el::FiftyFifty, el::PhoneFriend, el::AudiencePoll}) EXPECT_TRUE(E(e).enabled) << e;
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll}) EXPECT_EQ(RowOf(e), CellOf(LifelineLook::Normal).row) << e;
  for (const ElementId e : {el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::TakeMoney}) EXPECT_FALSE(E(e).enabled) << e;
  EXPECT_TRUE(st().TaskActive[task::QuestionReveal]);
  EXPECT_EQ(CaptionText(el::QuestionFrame), QString());
}

TEST_F(EngineTest, EachQuestionGetsItsLimitLevelAndSums) {
  struct Row {
    int limit, level;
    int current, guaranteed;
  };
  const Row table[15] = {{20, 1, 0, 0},         {23, 1, 100, 0},       {25, 1, 200, 0},
                         {28, 2, 300, 0},       {30, 2, 500, 0},       {40, 3, 1000, 1000},
                         {45, 3, 2000, 1000},   {50, 3, 4000, 1000},   {55, 4, 8000, 1000},
                         {60, 4, 16000, 1000},  {80, 5, 32000, 32000}, {90, 5, 64000, 32000},
                         {100, 5, 125000, 32000}, {110, 6, 250000, 32000},
                         {120, 6, 500000, 32000}};
  g().KeyPressed(Qt::Key_F2);
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE(n);
    if (n > 1) {
      g().screen().EnableElement(el::TakeMoney, false);
      st().QuestionNumber = n;
      g().PrepareQuestion();
    }
    EXPECT_EQ(st().TimeLimit, table[n - 1].limit);
    EXPECT_EQ(st().CurrentLevel, table[n - 1].level);
    EXPECT_EQ(st().CurrentSum, table[n - 1].current);
    EXPECT_EQ(st().GuaranteedSum, table[n - 1].guaranteed);
    EXPECT_EQ(st().CurrentSum, n == 1 ? 0 : PrizeLadder[n - 2]);
    // Only question 2 switches "Взять деньги" on; later ones leave it as it is.
    EXPECT_EQ(E(el::TakeMoney).enabled, n == 2);
  }
}

TEST_F(EngineTest, AGameWonOnQuestionFifteenClimbsTheLadderAndEndsWithTheMillion) {
  g().KeyPressed(Qt::Key_F2);
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE(n);
    RevealQuestion();
    const Question& q = g().CurrentQuestion();
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(CaptionText(g().AnswerElement(k)), q.answers[k - 1]);
    AnswerRight();
    // The prize won so far stands out; the rows below it are marked.
    EXPECT_EQ(RowOf(LadderRung(n)), CellOf(RungLook::Current).row);
    for (int below = 1; below < n; ++below) EXPECT_EQ(RowOf(LadderRung(below)), CellOf(RungLook::Won).row) << below;
    for (int above = n + 1; above <= 15; ++above) EXPECT_EQ(RowOf(LadderRung(above)), CellOf(RungLook::NotWon).row) << above;
  }
  EXPECT_EQ(st().QuestionNumber, 16);
  EXPECT_EQ(st().GuaranteedSum, 1000000);
  EXPECT_EQ(st().CurrentPanel, RecordPanel);
  EXPECT_TRUE(E(el::VictoryPanel).visible);
  EXPECT_TRUE(CaptionText(el::VictoryPanel).contains(u"Вы уносите 1\u2009000\u2009000 у.е."_s));
  EXPECT_TRUE(CaptionText(el::VictoryPanel).contains(u"практически недостижимый"_s));
  for (const ElementId e : {el::QuestionFrame, el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney}) EXPECT_FALSE(E(e).enabled) << e;

  g().KeyPressed(Qt::Key_Return);  // keeps the default name
  EXPECT_EQ(st().CurrentPanel, LeaderboardPanel);
  EXPECT_EQ(ColumnText(BoardColumn::Name), u"Неизвестный фартовик"_s);
  EXPECT_EQ(ColumnText(BoardColumn::Sum), u"1\u2009000\u2009000"_s);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(st().CurrentPanel, 0);
  EXPECT_EQ(st().QuestionNumber, 0);
  EXPECT_EQ(CaptionText(el::QuestionFrame), kInvitation);
  for (const ElementId e : kLadderRungs) EXPECT_EQ(RowOf(e), CellOf(RungLook::NotWon).row) << e;
  EXPECT_TRUE(g().NewGameEnabled());
}

TEST_F(EngineTest, AWrongAnswerEndsTheGameWithTheLastGuaranteedSum) {
  struct Case {
    int question, panel;
    int result;
  };
  for (const Case c : {Case{1, LossPanel, 0}, Case{5, LossPanel, 0}, Case{6, RecordPanel, 1000},
                       Case{10, RecordPanel, 1000}, Case{11, RecordPanel, 32000},
                       Case{15, RecordPanel, 32000}}) {
    SCOPED_TRACE(c.question);
    Start({6, 6, 6, 6, 6, 6, 6});
    PlayTo(c.question);
    AnswerWrong();
    EXPECT_EQ(st().CurrentPanel, c.panel);
    EXPECT_EQ(st().GuaranteedSum, c.result);
    EXPECT_EQ(E(el::LossPanel).visible && E(el::LossConfirm).visible, c.panel == LossPanel);
    EXPECT_EQ(E(el::VictoryPanel).visible && E(el::VictoryConfirm).visible, c.panel == RecordPanel);
    EXPECT_FALSE(E(el::ClockBar).visible);
    EXPECT_EQ(CaptionText(el::QuestionFrame), QString());
    // Nothing was won: the leaderboard file is not even touched.
    if (c.panel == LossPanel) {
      EXPECT_FALSE(QFile::exists(WinnersPath()));
    }
  }
}

TEST_F(EngineTest, JudgingShowsTheChoiceThenTheCorrectAnswerBlinking) {
  // Rows of the correct and the chosen element after each step, for a right and a
  // wrong choice.
  struct Step {
    int step;
    AnswerLook right, wrongCorrect, wrongChosen;
  };
  constexpr AnswerLook kNormal = AnswerLook::Normal, kChosen = AnswerLook::Chosen, kCorrect = AnswerLook::Correct;
  const Step steps[] = {
      {1, kChosen, kNormal, kChosen},
      {20, kChosen, kNormal, kChosen},
      {21, kCorrect, kCorrect, kChosen},
      {29, kCorrect, kCorrect, kChosen},
      {30, kChosen, kNormal, kChosen},
      {33, kCorrect, kCorrect, kChosen},
      {36, kChosen, kNormal, kChosen},
      {39, kCorrect, kCorrect, kChosen},
      {42, kChosen, kNormal, kChosen},
      {45, kCorrect, kCorrect, kChosen},
      {47, kCorrect, kCorrect, kChosen},
  };
  for (bool right : {true, false}) {
    SCOPED_TRACE(right);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(3);
    const ElementId correct = g().AnswerElement(1);
    const ElementId chosen = right ? correct : g().AnswerElement(3);
    g().ClickElement(chosen);
    EXPECT_FALSE(st().AnswersOpen);
    EXPECT_EQ(st().ChosenElement, chosen);
    int done = 0;
    for (const Step& s : steps) {
      Tick(s.step - done);
      done = s.step;
      SCOPED_TRACE(s.step);
      EXPECT_EQ(st().TaskStep[task::AnswerReveal], s.step);
      if (right) {
        EXPECT_EQ(RowOf(correct), CellOf(s.right).row);
        EXPECT_EQ(E(correct).caption.colour, Rgb(0, 0, 0));
      } else {
        EXPECT_EQ(RowOf(correct), CellOf(s.wrongCorrect).row);
        EXPECT_EQ(RowOf(chosen), CellOf(s.wrongChosen).row);
        EXPECT_EQ(E(chosen).caption.colour, Rgb(0, 0, 0));
        EXPECT_EQ(E(correct).caption.colour, s.wrongCorrect == AnswerLook::Normal ? Rgb(255, 255, 255) : Rgb(0, 0, 0));
      }
    }
    Tick();  // s = 48: the verdict
    EXPECT_FALSE(st().TaskActive[task::AnswerReveal]);
    EXPECT_EQ(st().QuestionNumber, right ? 4 : 3);
    EXPECT_EQ(st().CurrentPanel, right ? 0 : LossPanel);
  }
}

TEST_F(EngineTest, TheNextQuestionShowsItsFirstCharacterInTheVerdictsTick) {
  JumpTo(1);
  g().ClickElement(g().AnswerElement(1));
  Tick(47);
  EXPECT_EQ(st().QuestionNumber, 1);
  Tick();
  EXPECT_EQ(st().QuestionNumber, 2);
  EXPECT_EQ(CaptionText(el::QuestionFrame), u"В"_s);
  EXPECT_FALSE(E(el::ClockBar).visible);
  for (const ElementId e : kAnswerSlots) {
    EXPECT_FALSE(E(e).enabled);
    EXPECT_EQ(RowOf(e), CellOf(AnswerLook::Normal).row);
    EXPECT_EQ(E(e).caption.colour, Rgb(255, 255, 255));
  }
}

TEST_F(EngineTest, TakingTheMoneyEndsTheGameWithThePrizeOfTheLastQuestion) {
  struct Case {
    int question;
    int result;
  };
  for (const Case c : {Case{2, 100}, Case{10, 16000}, Case{15, 500000}}) {
    SCOPED_TRACE(c.question);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(c.question);
    PressWith(Qt::ControlModifier, Qt::Key_M);
    EXPECT_EQ(st().CurrentPanel, RecordPanel);
    EXPECT_EQ(st().GuaranteedSum, c.result);
    EXPECT_FALSE(E(el::TakeMoney).enabled);
    EXPECT_EQ(RowOf(el::TakeMoney), CellOf(LifelineLook::Used).row);
    EXPECT_FALSE(st().TaskActive[task::QuestionClock]);
    EXPECT_FALSE(E(el::ClockBar).visible);
    EXPECT_TRUE(CaptionText(el::VictoryPanel).contains(u"Вы уносите "_s + SumText(c.result) + u" у.е."_s));
  }
}

TEST_F(EngineTest, NoMoneyCanBeTakenOnQuestionOne) {
  JumpTo(1);
  PressWith(Qt::AltModifier, Qt::Key_M);
  g().ClickElement(el::TakeMoney);
  EXPECT_EQ(st().CurrentPanel, 0);
  EXPECT_EQ(st().QuestionNumber, 1);
  EXPECT_TRUE(st().AnswersOpen);
}

TEST_F(EngineTest, AnswersLifelinesAndTheMoneyWaitWhileTheQuestionIsRevealed) {
  JumpTo(2);
  g().ClickElement(g().AnswerElement(1));
  Tick(48);
  ASSERT_EQ(st().QuestionNumber, 3);
  ASSERT_TRUE(st().TaskActive[task::QuestionReveal]);
  const QString partial = CaptionText(el::QuestionFrame);
  for (int key : {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D, Qt::Key_1, Qt::Key_2, Qt::Key_3}) g().KeyPressed(key);
  for (const ElementId e : {el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney}) g().ClickElement(e);
  PressWith(Qt::ControlModifier, Qt::Key_M);
  EXPECT_FALSE(st().TaskActive[task::AnswerReveal]);
  EXPECT_EQ(st().CurrentPanel, 0);
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney}) EXPECT_TRUE(E(e).enabled) << e;
  EXPECT_EQ(st().TimeLimit, 25);  // the phone was not used
  EXPECT_EQ(CaptionText(el::QuestionFrame), partial);
}

TEST_F(EngineTest, DuringJudgingOnlyTheFirstChoiceCounts) {
  JumpTo(4);
  const ElementId first = g().AnswerElement(2);
  g().ClickElement(first);
  g().ClickElement(g().AnswerElement(1));  // a quick second click
  g().KeyPressed(Qt::Key_A);
  Tick(5);
  for (const ElementId e : {el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD}) g().ClickElement(e);
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney}) g().ClickElement(e);
  EXPECT_EQ(st().ChosenElement, first);
  EXPECT_EQ(st().TaskStep[task::AnswerReveal], 5);
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney}) EXPECT_TRUE(E(e).enabled) << e;
  Tick(43);
  EXPECT_EQ(st().CurrentPanel, LossPanel);
}

TEST_F(EngineTest, ALevelTooSmallForAGameRefusesItAndLeavesTheStartScreen) {
  for (int small : {1, 4}) {
    SCOPED_TRACE(small);
    std::array<int, 7> counts = {6, 6, 6, 6, 6, 6, 6};
    counts[small] = small == 4 ? 1 : 2;
    Start(counts);
    platform->box.messages.clear();
    g().KeyPressed(Qt::Key_F2);
    ASSERT_EQ(platform->box.messages.size(), 1);
    EXPECT_EQ(platform->box.messages[0].text,
              u"Слишком мало вопросов для игры!!!\r\nНа уровне "_s + QString::number(small) + u" всего "_s +
                  (small == 4 ? u"1 вопрос"_s : u"2 вопроса"_s) + u", а для игры нужно не меньше 3."_s);
    EXPECT_EQ(platform->box.messages[0].flags, InfoBox::InformationOk);
    EXPECT_EQ(st().QuestionNumber, 0);
    EXPECT_TRUE(g().NewGameEnabled());
    EXPECT_TRUE(g().WinnersEnabled());
    EXPECT_EQ(CaptionText(el::QuestionFrame), kInvitation);
    EXPECT_FALSE(E(el::QuestionFrame).enabled);
    EXPECT_FALSE(st().TaskActive[task::QuestionReveal]);
  }
}

TEST_F(EngineTest, TheDrawEndsEvenWhenALevelHoldsTooFewQuestions) {
  JumpTo(1);
  // Two questions where a game takes three, and an empty level.
  QuestionLevel& level = g().questions().levels[3];
  level.count = 2;
  level.rows.resize(2);
  level.used.assign(2, false);
  level.usedCount = 0;
  QSet<int> rows;
  for (int n : {6, 7, 8}) {
    st().QuestionNumber = n;
    g().DrawQuestion(3);
    EXPECT_GE(st().QuestionRow, 1);
    EXPECT_LE(st().QuestionRow, 2);
    rows.insert(st().QuestionRow);
  }
  EXPECT_EQ(rows.size(), 2);

  QuestionLevel& empty = g().questions().levels[4];
  empty = QuestionLevel();
  for (int n : {9, 10}) {
    st().QuestionNumber = n;
    g().DrawQuestion(4);
    EXPECT_EQ(st().QuestionRow, 1);
  }
  // Its row 1 has empty texts: the reveal ends at once with four empty answers.
  Tick();
  EXPECT_TRUE(st().AnswersOpen);
  EXPECT_EQ(E(el::QuestionFrame).tooltip, u"Вопрос  года."_s);
  for (const ElementId e : kAnswerSlots) {
    EXPECT_TRUE(E(e).enabled);
    EXPECT_EQ(CaptionText(e), QString());
  }
}

TEST_F(EngineTest, AGeneratorStuckOnOneValueStillGivesEveryDrawAnEnd) {
  JumpTo(1);
  for (double value : {0.0, 0.5, 0.999}) {
    SCOPED_TRACE(value);
    StuckRandomSource stuck(value);
    platform->randomSource = &stuck;
    st().ChosenElement = AnswerSlot(int(value * 4) + 1);
    for (int n : {1, 2, 3}) {
      st().QuestionNumber = n;
      g().DrawQuestion(1);
    }
    QSet<int> positions;
    for (int k = 1; k <= 4; ++k) positions.insert(g().AnswerOrder(k));
    EXPECT_EQ(positions, QSet<int>({1, 2, 3, 4}));
    EXPECT_EQ(QSet<int>({g().GameDrawn(1, 1), g().GameDrawn(1, 2), g().GameDrawn(1, 3)}).size(), 3);
    platform->randomSource = &platform->random;
  }
}
