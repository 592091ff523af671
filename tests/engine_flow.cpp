// Start-up, a game from the first question to its end, and the gate on answers.
#include <QSet>

#include "engine/spoken_state.h"
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
  EXPECT_EQ(round().question, 0);
  EXPECT_FALSE(round().answersOpen);
  EXPECT_FALSE(g().Clock().TimeUp());
  EXPECT_FALSE(g().Pointer().WindowDragging);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  EXPECT_TRUE(g().NewGameEnabled());
  EXPECT_TRUE(g().WinnersEnabled());
  for (const ElementId e : {el::QuestionFrame, el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty,
                            el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
    EXPECT_FALSE(E(e).enabled) << e;
  for (const ElementId e : kLadderRungs) EXPECT_EQ(RowOf(e), CellOf(RungLook::NotWon).row) << e;
  // The lifelines wait for a game in their plain look, not crossed out as used.
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll})
    EXPECT_EQ(RowOf(e), CellOf(LifelineLook::Normal).row) << e;
  EXPECT_EQ(RowOf(el::TakeMoney), CellOf(LifelineLook::Used).row);
  EXPECT_FALSE(g().Judgement().Running());
  EXPECT_FALSE(g().Poll().Running());
  EXPECT_FALSE(g().Clock().Running());
  EXPECT_FALSE(g().QuestionReveal().Running());
  EXPECT_FALSE(g().FriendWords().Running());
  EXPECT_EQ(g().CurrentPhase(), Phase::Idle);
  EXPECT_EQ(setup().questions().levels[3].count, 6);
}

TEST_F(EngineTest, NewGameOpensTheBoardAndPreparesQuestionOne) {
  g().KeyPressed(Qt::Key_F2);
  EXPECT_FALSE(g().NewGameEnabled());
  EXPECT_FALSE(g().WinnersEnabled());
  EXPECT_EQ(round().question, 1);
  EXPECT_EQ(g().Clock().Limit(), 20);
  EXPECT_EQ(round().currentSum, 0);
  EXPECT_EQ(round().guaranteedSum, 0);
  EXPECT_EQ(round().level, 1);
  for (const ElementId e : {el::QuestionFrame, el::FiftyFifty, el::PhoneFriend, el::AudiencePoll})
    EXPECT_TRUE(E(e).enabled) << e;
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll})
    EXPECT_EQ(RowOf(e), CellOf(LifelineLook::Normal).row) << e;
  for (const ElementId e : {el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::TakeMoney})
    EXPECT_FALSE(E(e).enabled) << e;
  EXPECT_TRUE(g().QuestionReveal().Running());
  EXPECT_EQ(CaptionText(el::QuestionFrame), QString());
}

TEST_F(EngineTest, EachQuestionGetsItsLimitLevelAndSums) {
  struct Row {
    int limit, level;
    int current, guaranteed;
  };
  const Row table[15] = {{20, 1, 0, 0},           {23, 1, 100, 0},         {25, 1, 200, 0},
                         {28, 2, 300, 0},         {30, 2, 500, 0},         {40, 3, 1000, 1000},
                         {45, 3, 2000, 1000},     {50, 3, 4000, 1000},     {55, 4, 8000, 1000},
                         {60, 4, 16000, 1000},    {80, 5, 32000, 32000},   {90, 5, 64000, 32000},
                         {100, 5, 125000, 32000}, {110, 6, 250000, 32000}, {120, 6, 500000, 32000}};
  g().KeyPressed(Qt::Key_F2);
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE(n);
    if (n > 1) {
      setup().screen().EnableElement(el::TakeMoney, false);
      setup().SetUpRound({n});
    }
    EXPECT_EQ(g().Clock().Limit(), table[n - 1].limit);
    EXPECT_EQ(round().level, table[n - 1].level);
    EXPECT_EQ(round().currentSum, table[n - 1].current);
    EXPECT_EQ(round().guaranteedSum, table[n - 1].guaranteed);
    EXPECT_EQ(round().currentSum, n == 1 ? 0 : PrizeLadder[n - 2]);
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
    for (int above = n + 1; above <= 15; ++above)
      EXPECT_EQ(RowOf(LadderRung(above)), CellOf(RungLook::NotWon).row) << above;
  }
  EXPECT_FALSE(round().QuestionInPlay());
  EXPECT_EQ(round().guaranteedSum, 1000000);
  EXPECT_EQ(g().OpenPanel(), Panel::Record);
  EXPECT_TRUE(E(el::VictoryPanel).visible);
  EXPECT_TRUE(CaptionText(el::VictoryPanel).contains(u"Вы уносите 1\u2009000\u2009000 у.е."_s));
  EXPECT_TRUE(CaptionText(el::VictoryPanel).contains(u"практически недостижимый"_s));
  for (const ElementId e : {el::QuestionFrame, el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty,
                            el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
    EXPECT_FALSE(E(e).enabled) << e;

  g().KeyPressed(Qt::Key_Return);  // keeps the default name
  EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  EXPECT_EQ(ColumnText(BoardColumn::Name), u"Неизвестный фартовик"_s);
  EXPECT_EQ(ColumnText(BoardColumn::Sum), u"1\u2009000\u2009000"_s);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  EXPECT_EQ(round().question, 0);
  EXPECT_EQ(CaptionText(el::QuestionFrame), kInvitation);
  for (const ElementId e : kLadderRungs) EXPECT_EQ(RowOf(e), CellOf(RungLook::NotWon).row) << e;
  EXPECT_TRUE(g().NewGameEnabled());
}

TEST_F(EngineTest, AWrongAnswerEndsTheGameWithTheLastGuaranteedSum) {
  struct Case {
    int question;
    Panel panel;
    int result;
  };
  for (const Case c : {Case{1, Panel::Loss, 0}, Case{5, Panel::Loss, 0}, Case{6, Panel::Record, 1000},
                       Case{10, Panel::Record, 1000}, Case{11, Panel::Record, 32000}, Case{15, Panel::Record, 32000}}) {
    SCOPED_TRACE(c.question);
    Start({6, 6, 6, 6, 6, 6, 6});
    PlayTo(c.question);
    AnswerWrong();
    EXPECT_EQ(g().OpenPanel(), c.panel);
    EXPECT_EQ(round().guaranteedSum, c.result);
    EXPECT_EQ(E(el::LossPanel).visible && E(el::LossConfirm).visible, c.panel == Panel::Loss);
    EXPECT_EQ(E(el::VictoryPanel).visible && E(el::VictoryConfirm).visible, c.panel == Panel::Record);
    EXPECT_FALSE(E(el::ClockBar).visible);
    EXPECT_EQ(CaptionText(el::QuestionFrame), QString());
    // Nothing was won: the leaderboard file is not even touched.
    if (c.panel == Panel::Loss) {
      EXPECT_FALSE(QFile::exists(WinnersPath()));
    }
  }
}

TEST_F(EngineTest, JudgingShowsTheChoiceThenTheCorrectAnswerBlinking) {
  // Rows of the correct and the chosen element after each step, for a right and a
  // wrong choice, and whether what is spoken may tell the correct answer yet.
  struct Step {
    int step;
    AnswerLook right, wrongCorrect, wrongChosen;
    bool correctShown;
  };
  constexpr AnswerLook kNormal = AnswerLook::Normal, kChosen = AnswerLook::Chosen, kCorrect = AnswerLook::Correct;
  const Step steps[] = {
      {1, kChosen, kNormal, kChosen, false},   {20, kChosen, kNormal, kChosen, false},
      {21, kCorrect, kCorrect, kChosen, true}, {29, kCorrect, kCorrect, kChosen, true},
      {30, kChosen, kNormal, kChosen, true},   {33, kCorrect, kCorrect, kChosen, true},
      {36, kChosen, kNormal, kChosen, true},   {39, kCorrect, kCorrect, kChosen, true},
      {42, kChosen, kNormal, kChosen, true},   {45, kCorrect, kCorrect, kChosen, true},
      {47, kCorrect, kCorrect, kChosen, true},
  };
  for (bool right : {true, false}) {
    SCOPED_TRACE(right);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(3);
    const ElementId correct = g().AnswerElement(1);
    const ElementId chosen = right ? correct : g().AnswerElement(3);
    g().ClickElement(chosen);
    EXPECT_FALSE(round().answersOpen);
    EXPECT_EQ(round().chosen, chosen);
    int done = 0;
    for (const Step& s : steps) {
      Tick(s.step - done);
      done = s.step;
      SCOPED_TRACE(s.step);
      EXPECT_EQ(g().Judgement().Ticks(), s.step);
      EXPECT_EQ(g().Judgement().CorrectShown(), s.correctShown);
      EXPECT_EQ(spoken::AnswerOutcome(g(), g().AnswerOrder(1)),
                !s.correctShown ? (right ? spoken::Outcome::Chosen : spoken::Outcome::None)
                                : (right ? spoken::Outcome::ChosenCorrect : spoken::Outcome::Correct));
      if (right) {
        EXPECT_EQ(RowOf(correct), CellOf(s.right).row);
        EXPECT_EQ(E(correct).caption.colour, qRgb(0, 0, 0));
      } else {
        EXPECT_EQ(RowOf(correct), CellOf(s.wrongCorrect).row);
        EXPECT_EQ(RowOf(chosen), CellOf(s.wrongChosen).row);
        EXPECT_EQ(E(chosen).caption.colour, qRgb(0, 0, 0));
        EXPECT_EQ(E(correct).caption.colour,
                  s.wrongCorrect == AnswerLook::Normal ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
      }
    }
    Tick();  // the verdict
    EXPECT_FALSE(g().Judgement().Running());
    EXPECT_FALSE(g().Judgement().CorrectShown());
    EXPECT_EQ(round().question, right ? 4 : 3);
    EXPECT_EQ(g().OpenPanel(), right ? Panel::None : Panel::Loss);
  }
}

TEST_F(EngineTest, ThePhaseFollowsTheGameFromTheStartScreenToTheBoardAndBack) {
  EXPECT_EQ(g().CurrentPhase(), Phase::Idle);
  g().KeyPressed(Qt::Key_F2);
  EXPECT_EQ(g().CurrentPhase(), Phase::Revealing);
  RevealQuestion();
  EXPECT_EQ(g().CurrentPhase(), Phase::Answering);
  g().KeyPressed(Qt::Key_2);  // the phone's panel opens over the question
  EXPECT_EQ(g().OpenPanel(), Panel::Phone);
  EXPECT_EQ(g().CurrentPhase(), Phase::Answering);
  g().ClickElement(g().AnswerElement(1));
  EXPECT_EQ(g().CurrentPhase(), Phase::Judging);
  Tick(Judging::TicksToVerdict() - 1);
  EXPECT_EQ(g().CurrentPhase(), Phase::Judging);
  Tick();
  EXPECT_EQ(g().CurrentPhase(), Phase::Revealing);  // the next question appears
  RevealQuestion();
  AnswerWrong();
  EXPECT_EQ(g().OpenPanel(), Panel::Loss);
  EXPECT_EQ(g().CurrentPhase(), Phase::Over);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(g().CurrentPhase(), Phase::Leaderboard);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(g().CurrentPhase(), Phase::Idle);
  EXPECT_FALSE(round().QuestionInPlay());
}

TEST_F(EngineTest, TheNextQuestionShowsItsFirstCharacterInTheVerdictsTick) {
  JumpTo(1);
  g().ClickElement(g().AnswerElement(1));
  Tick(47);
  EXPECT_EQ(round().question, 1);
  Tick();
  EXPECT_EQ(round().question, 2);
  EXPECT_EQ(CaptionText(el::QuestionFrame), u"В"_s);
  EXPECT_FALSE(E(el::ClockBar).visible);
  for (const ElementId e : kAnswerSlots) {
    EXPECT_FALSE(E(e).enabled);
    EXPECT_EQ(RowOf(e), CellOf(AnswerLook::Normal).row);
    EXPECT_EQ(E(e).caption.colour, qRgb(255, 255, 255));
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
    EXPECT_EQ(g().OpenPanel(), Panel::Record);
    EXPECT_EQ(round().guaranteedSum, c.result);
    EXPECT_FALSE(E(el::TakeMoney).enabled);
    EXPECT_EQ(RowOf(el::TakeMoney), CellOf(LifelineLook::Used).row);
    EXPECT_FALSE(g().Clock().Running());
    EXPECT_FALSE(E(el::ClockBar).visible);
    EXPECT_TRUE(CaptionText(el::VictoryPanel).contains(u"Вы уносите "_s + SumText(c.result) + u" у.е."_s));
  }
}

TEST_F(EngineTest, NoMoneyCanBeTakenOnQuestionOne) {
  JumpTo(1);
  PressWith(Qt::AltModifier, Qt::Key_M);
  g().ClickElement(el::TakeMoney);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  EXPECT_EQ(round().question, 1);
  EXPECT_TRUE(round().answersOpen);
}

TEST_F(EngineTest, AnswersLifelinesAndTheMoneyWaitWhileTheQuestionIsRevealed) {
  JumpTo(2);
  g().ClickElement(g().AnswerElement(1));
  Tick(Judging::TicksToVerdict());
  ASSERT_EQ(round().question, 3);
  ASSERT_TRUE(g().QuestionReveal().Running());
  const QString partial = CaptionText(el::QuestionFrame);
  for (int key : {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D, Qt::Key_1, Qt::Key_2, Qt::Key_3}) g().KeyPressed(key);
  for (const ElementId e : {el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty, el::PhoneFriend,
                            el::AudiencePoll, el::TakeMoney})
    g().ClickElement(e);
  PressWith(Qt::ControlModifier, Qt::Key_M);
  EXPECT_FALSE(g().Judgement().Running());
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
    EXPECT_TRUE(E(e).enabled) << e;
  EXPECT_EQ(g().Clock().Limit(), 25);  // the phone was not used
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
  EXPECT_EQ(round().chosen, first);
  EXPECT_EQ(g().Judgement().Ticks(), 5);
  for (const ElementId e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
    EXPECT_TRUE(E(e).enabled) << e;
  Tick(43);
  EXPECT_EQ(g().OpenPanel(), Panel::Loss);
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
    EXPECT_EQ(platform->box.messages[0].kind, InfoBox::Kind::Information);
    EXPECT_EQ(round().question, 0);
    EXPECT_TRUE(g().NewGameEnabled());
    EXPECT_TRUE(g().WinnersEnabled());
    EXPECT_EQ(CaptionText(el::QuestionFrame), kInvitation);
    EXPECT_FALSE(E(el::QuestionFrame).enabled);
    EXPECT_FALSE(g().QuestionReveal().Running());
  }
}

TEST_F(EngineTest, TheDrawEndsEvenWhenALevelHoldsTooFewQuestions) {
  JumpTo(1);
  // Two questions where a game takes three, and an empty level.
  QuestionLevel& level = setup().questions().levels[3];
  level.count = 2;
  level.rows.resize(2);
  level.used.assign(2, false);
  level.usedCount = 0;
  QSet<int> rows;
  for (int n : {6, 7, 8}) {
    setup().DrawQuestion(n, 3);
    EXPECT_GE(round().row, 1);
    EXPECT_LE(round().row, 2);
    rows.insert(round().row);
  }
  EXPECT_EQ(rows.size(), 2);

  QuestionLevel& empty = setup().questions().levels[4];
  empty = QuestionLevel();
  for (int n : {9, 10}) {
    setup().DrawQuestion(n, 4);
    EXPECT_EQ(round().row, 1);
  }
  // Its row 1 has empty texts: the reveal ends at once with four empty answers.
  Tick();
  EXPECT_TRUE(round().answersOpen);
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
    setup().SetLastChosen(AnswerSlot(int(value * 4) + 1));
    for (int n : {1, 2, 3}) setup().DrawQuestion(n, 1);
    QSet<int> positions;
    for (int k = 1; k <= 4; ++k) positions.insert(g().AnswerOrder(k));
    EXPECT_EQ(positions, QSet<int>({1, 2, 3, 4}));
    EXPECT_EQ(QSet<int>({g().GameDrawn(1, 1), g().GameDrawn(1, 2), g().GameDrawn(1, 3)}).size(), 3);
    platform->randomSource = &platform->random;
  }
}
