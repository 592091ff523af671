// The player's time to answer: the game's own limits, twice those, or none.
#include "engine_fakes.h"

using namespace Qt::StringLiterals;

namespace {

constexpr float kBar = 40;  // the time slot alone: an empty strip

}  // namespace

TEST_F(EngineTest, TheTimeToAnswerDoublesOrLiftsEveryQuestionsLimit) {
  struct Case {
    AnswerTime time;
    int question;
    QString shownAtStart;
    double timesOutAfter;  ///< 0: never
  };
  const Case cases[] = {
      {AnswerTime::Normal, 1, u"0:20"_s, 20},    {AnswerTime::Doubled, 1, u"0:40"_s, 40},
      {AnswerTime::Doubled, 11, u"2:40"_s, 160}, {AnswerTime::Unlimited, 1, u"∞"_s, 0},
      {AnswerTime::Unlimited, 15, u"∞"_s, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shownAtStart.toStdString() + " at question " + std::to_string(c.question));
    Start({6, 6, 6, 6, 6, 6, 6});
    g().SetAnswerTime(c.time);
    JumpTo(c.question);
    EXPECT_EQ(CaptionText(el::ClockBar), c.shownAtStart);
    EXPECT_DOUBLE_EQ(E(el::ClockBar).width, kBar);
    EXPECT_TRUE(E(el::ClockBar).visible);
    EXPECT_EQ(g().Clock().HasLimit(), c.timesOutAfter > 0);
    const double start = g().Clock().StartedAt();
    const qsizetype soundsBefore = platform->sound.log.size();
    if (c.timesOutAfter > 0) {
      EXPECT_EQ(g().Clock().SecondsLeft(), int(c.timesOutAfter));
      platform->time = start + c.timesOutAfter - 0.25;
      g().Tick();
      EXPECT_EQ(g().OpenPanel(), Panel::None);
      platform->time = start + c.timesOutAfter;
      g().Tick();
      EXPECT_EQ(g().CurrentPhase(), Phase::Over);
      continue;
    }
    // An hour later the question still waits, its strip as it started, and no
    // countdown has ticked.
    EXPECT_EQ(g().Clock().SecondsLeft(), -1);
    for (const double later : {5.0, 19.5, 60.0, 3600.0}) {
      platform->time = start + later;
      g().Tick();
    }
    EXPECT_EQ(g().OpenPanel(), Panel::None);
    EXPECT_FALSE(g().Clock().TimeUp());
    EXPECT_TRUE(round().answersOpen);
    EXPECT_EQ(CaptionText(el::ClockBar), u"∞"_s);
    EXPECT_EQ(E(el::ClockBar).caption.tooltip, u"Время на ответ не ограничено"_s);
    EXPECT_DOUBLE_EQ(E(el::ClockBar).width, kBar);
    EXPECT_FALSE(platform->sound.log.mid(soundsBefore).contains(u"sting clock_tick"_s));
    // The answer is still judged, and the game goes on to the next question or
    // ends with the million.
    AnswerRight();
    if (c.question < 15) {
      EXPECT_EQ(round().question, c.question + 1);
    } else {
      EXPECT_EQ(g().LastEnding(), Ending::Million);
    }
  }
}

TEST_F(EngineTest, AChangedTimeToAnswerComesWithTheNextQuestionAndTheGameKeepsTheMostGiven) {
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  EXPECT_EQ(g().GameAnswerTime(), AnswerTime::Normal);

  // Chosen while question 1 runs: its clock keeps the limit the player is watching.
  g().SetAnswerTime(AnswerTime::Doubled);
  platform->time = g().Clock().StartedAt() + 5;
  g().Tick();
  EXPECT_EQ(g().Clock().Limit(), 20);
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:15"_s);
  EXPECT_EQ(g().GameAnswerTime(), AnswerTime::Normal);
  AnswerRight();

  // Question 2 comes with twice its 23 s; the phone's thirty seconds go on top.
  RevealQuestion();
  EXPECT_EQ(g().Clock().Limit(), 46);
  EXPECT_EQ(g().GameAnswerTime(), AnswerTime::Doubled);
  g().KeyPressed(Qt::Key_2);
  EXPECT_EQ(g().Clock().Limit(), 76);
  g().SetAnswerTime(AnswerTime::Unlimited);
  EXPECT_TRUE(g().Clock().HasLimit());
  AnswerRight();

  RevealQuestion();
  EXPECT_FALSE(g().Clock().HasLimit());
  EXPECT_EQ(g().GameAnswerTime(), AnswerTime::Unlimited);
  // Back to the game's own limits: the game has been played with more time all the same.
  g().SetAnswerTime(AnswerTime::Normal);
  AnswerRight();
  RevealQuestion();
  EXPECT_TRUE(g().Clock().HasLimit());
  EXPECT_EQ(g().Clock().Limit(), Game::TimeLimitOf(4));
  EXPECT_EQ(g().GameAnswerTime(), AnswerTime::Unlimited);

  // A new game starts afresh with the choice of the moment.
  g().KeyPressed(Qt::Key_M, Qt::ControlModifier);
  ASSERT_EQ(g().CurrentPhase(), Phase::Over);
  g().KeyPressed(Qt::Key_Return);
  g().KeyPressed(Qt::Key_Return);
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  EXPECT_EQ(g().Clock().Limit(), 20);
  EXPECT_EQ(g().GameAnswerTime(), AnswerTime::Normal);
}
