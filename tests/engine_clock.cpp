// The question clock: its bar, its text with the blinking colon, the time-out.
#include <functional>

#include "engine_fakes.h"

using namespace Qt::StringLiterals;

namespace {

constexpr float kBar = 40, kSpan = 547;

}  // namespace

TEST_F(EngineTest, EveryQuestionStartsItsClockAtItsFullLimit) {
  const char16_t* texts[15] = {u"0:20", u"0:23", u"0:25", u"0:28", u"0:30", u"0:40", u"0:45", u"0:50",
                               u"0:55", u"1:00", u"1:20", u"1:30", u"1:40", u"1:50", u"2:00"};
  g().KeyPressed(Qt::Key_F2);
  for (int n = 1; n <= 15; ++n) {
    SCOPED_TRACE(n);
    if (n > 1) PrepareAgain(n);
    RevealQuestion();
    EXPECT_EQ(CaptionText(el::ClockBar), QString::fromUtf16(texts[n - 1]));
    EXPECT_EQ(E(el::ClockBar).tooltip, QString());  // the layout's "Прошло времени" is gone
    EXPECT_DOUBLE_EQ(E(el::ClockBar).width, kBar);
    EXPECT_TRUE(E(el::ClockBar).visible);
  }
}

TEST_F(EngineTest, TheColonBlinksAndTheSecondsRoundHalfToEven) {
  struct Case {
    double elapsed;
    const char16_t* text;
  };
  JumpTo(1);
  const double start = g().Clock().StartedAt();
  for (const Case c :
       {Case{0.25, u"0:20"}, Case{0.5, u"0 20"}, Case{0.75, u"0 19"}, Case{1.0, u"0:19"}, Case{1.5, u"0 18"},
        Case{2.5, u"0 18"}, Case{3.5, u"0 16"}, Case{10.25, u"0:10"}, Case{19.75, u"0 00"}}) {
    SCOPED_TRACE(c.elapsed);
    platform->time = start + c.elapsed;
    g().Tick();
    EXPECT_EQ(CaptionText(el::ClockBar), QString::fromUtf16(c.text));
    EXPECT_NEAR(E(el::ClockBar).width, kBar + kSpan * c.elapsed / 20, 1e-3);
    EXPECT_FALSE(g().Clock().TimeUp());
    EXPECT_EQ(g().OpenPanel(), Panel::None);
  }
}

TEST_F(EngineTest, ThePhoneGivesThirtySecondsMoreFromTheNextTick) {
  JumpTo(1);
  const double start = g().Clock().StartedAt();
  platform->time = start + 5;
  g().Tick();
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:15"_s);
  EXPECT_NEAR(E(el::ClockBar).width, kBar + kSpan * 5 / 20, 1e-3);
  g().KeyPressed(Qt::Key_2);
  EXPECT_EQ(g().Clock().Limit(), 50);
  g().Tick();
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:45"_s);
  EXPECT_NEAR(E(el::ClockBar).width, kBar + kSpan * 5 / 50, 1e-3);
  // The thirty seconds belong to this question only.
  g().ClickElement(g().AnswerElement(1));
  Tick(Judging::TicksToVerdict());
  EXPECT_EQ(g().Clock().Limit(), 23);
}

TEST_F(EngineTest, RunningOutOfTimeEndsTheGameWithTheGuaranteedSum) {
  struct Case {
    int question;
    Panel panel;
    qint32 result;
  };
  for (const Case c : {Case{1, Panel::Timeout, 0}, Case{5, Panel::Timeout, 0}, Case{6, Panel::Record, 1000},
                       Case{10, Panel::Record, 1000}, Case{11, Panel::Record, 32000}, Case{15, Panel::Record, 32000}}) {
    SCOPED_TRACE(c.question);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(c.question);
    const double start = g().Clock().StartedAt();
    platform->time = start + g().Clock().Limit() - 0.25;
    g().Tick();
    EXPECT_EQ(g().OpenPanel(), Panel::None);
    platform->time = start + g().Clock().Limit();
    g().Tick();
    EXPECT_TRUE(g().Clock().TimeUp());
    EXPECT_FALSE(g().Clock().Running());
    EXPECT_EQ(g().OpenPanel(), c.panel);
    EXPECT_EQ(g().CurrentPhase(), Phase::Over);
    EXPECT_EQ(round().guaranteedSum, c.result);
    EXPECT_FALSE(E(el::ClockBar).visible);
    EXPECT_EQ(E(el::TimeoutPanel).visible, c.panel == Panel::Timeout);
    EXPECT_EQ(E(el::TimeoutConfirm).visible, c.panel == Panel::Timeout);
    EXPECT_EQ(E(el::VictoryPanel).visible, c.panel == Panel::Record);
    for (const ElementId e : {el::QuestionFrame, el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty,
                              el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
      EXPECT_FALSE(E(e).enabled) << e;
  }
}

TEST_F(EngineTest, ALateTickSeesANegativeRemainderAndStillTimesOut) {
  JumpTo(1);
  platform->time = g().Clock().StartedAt() + 25;
  g().Tick();
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:-05"_s);
  EXPECT_EQ(g().OpenPanel(), Panel::Timeout);
}

TEST_F(EngineTest, AQuestionAcrossMidnightRunsExactlyItsLimit) {
  // The game has no time of day to be stepped (midnight, summer time, a time sync):
  // the question clock reads only the steady clock.
  platform->time = 86390;
  JumpTo(1);
  const double start = g().Clock().StartedAt();
  platform->time = start + 15;
  g().Tick();
  EXPECT_DOUBLE_EQ(g().Clock().ReadAt(), start + 15);
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:05"_s);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  platform->time = start + 19.9;
  g().Tick();
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  platform->time = start + 20;
  g().Tick();
  EXPECT_EQ(g().OpenPanel(), Panel::Timeout);
}

TEST_F(EngineTest, AnAnswerChosenInTheLastHalfSecondIsJudgedAndTheBarFreezes) {
  JumpTo(1);
  platform->time = g().Clock().StartedAt() + 19.6;
  g().Tick();
  const qreal width = E(el::ClockBar).width;
  g().ClickElement(g().AnswerElement(1));
  platform->time += 5;  // long past the limit
  g().Tick();
  EXPECT_FALSE(g().Clock().Running());
  EXPECT_DOUBLE_EQ(E(el::ClockBar).width, width);
  EXPECT_TRUE(E(el::ClockBar).visible);
  Tick(47);
  EXPECT_EQ(round().question, 2);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
}

// What covers the question while it is open: the exit question answered No, and the
// rules or about pages.
struct ClockHold {
  const char* name;
  std::function<void()> hold;  ///< covers the question, plays on behind, uncovers it
};

TEST_F(EngineTest, WhatCoversTheQuestionHoldsItsClockAndGivesTheSecondsBack) {
  const ClockHold holds[] = {
      {"the exit question, answered No",
       [this] {
         // The player thinks it over for 25 s; the timer goes on firing behind the box.
         platform->box.whileShown = [this](const QString&) {
           Tick(250);
           EXPECT_EQ(CaptionText(el::ClockBar), u"0:17"_s);
         };
         platform->box.answers = {InfoBox::Answer::No};
         g().KeyPressed(Qt::Key_Escape);
         platform->box.whileShown = nullptr;
         ASSERT_EQ(platform->box.messages.size(), 1);
         EXPECT_TRUE(g().Clock().Running());
       }},
      {"the rules pages",
       [this] {
         // Forty seconds of reading: twice the question's limit.
         g().KeyPressed(Qt::Key_F1);
         Tick(400);
         EXPECT_EQ(CaptionText(el::ClockBar), u"0:17"_s);
         EXPECT_EQ(g().OpenPanel(), Panel::None);
         EXPECT_TRUE(round().answersOpen);
         g().KeyPressed(Qt::Key_Escape);
       }},
  };
  for (const ClockHold& c : holds) {
    SCOPED_TRACE(c.name);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(1);
    platform->time = g().Clock().StartedAt() + 3;
    g().Tick();
    ASSERT_EQ(CaptionText(el::ClockBar), u"0:17"_s);
    c.hold();
    EXPECT_EQ(g().OpenPanel(), Panel::None);
    EXPECT_TRUE(round().answersOpen);
    Tick();
    EXPECT_EQ(CaptionText(el::ClockBar), u"0:17"_s);
    Tick(165);  // 16.5 s more: 0.4 s left
    EXPECT_EQ(g().OpenPanel(), Panel::None);
    Tick(5);
    EXPECT_EQ(g().OpenPanel(), Panel::Timeout);
  }
}

TEST_F(EngineTest, AQuestionFinishingBehindWhatCoversItStartsItsClockWhenUncovered) {
  const ClockHold covers[] = {
      {"the exit question, answered No",
       [this] {
         platform->box.whileShown = [this](const QString&) { Tick(300); };
         platform->box.answers = {InfoBox::Answer::No};
         g().KeyPressed(Qt::Key_Escape);
         platform->box.whileShown = nullptr;
         EXPECT_TRUE(round().answersOpen);  // the reveal went on behind the box
       }},
      {"the about page",
       [this] {
         g().ShowAboutPage();
         Tick(300);
         EXPECT_TRUE(round().answersOpen);  // the question went on appearing behind the page
         g().ClickPage(QPointF(320, 200));
       }},
  };
  for (const ClockHold& c : covers) {
    SCOPED_TRACE(c.name);
    Start({6, 6, 6, 6, 6, 6, 6});
    g().KeyPressed(Qt::Key_F2);
    Tick(2);
    ASSERT_TRUE(g().QuestionReveal().Running());
    c.hold();
    Tick();
    EXPECT_EQ(CaptionText(el::ClockBar), u"0:20"_s);
    EXPECT_EQ(g().OpenPanel(), Panel::None);
  }
}

TEST(QuestionClockTest, HoldsGiveBackTheTimeFromTheFirstHoldOrTheStartToTheLastRelease) {
  struct Case {
    const char* what;
    double firstHold, secondHold, firstRelease, lastRelease;
    double startedAt;  ///< after the last release, for a question started at 100
  };
  for (const Case& c :
       {Case{"one box", 105, 105, 105, 110, 105}, Case{"a page, then a box over it", 105, 107, 108, 110, 105},
        Case{"the question finished appearing behind a page", 90, 101, 102, 103, 103}}) {
    SCOPED_TRACE(c.what);
    QuestionClock clock;
    clock.SetLimit(20);
    if (c.firstHold >= 100) clock.StartAt(100);
    clock.Hold(c.firstHold);
    if (c.firstHold < 100) clock.StartAt(100);
    clock.Hold(c.secondHold);
    clock.Release(c.firstRelease);
    EXPECT_TRUE(clock.Held());
    EXPECT_DOUBLE_EQ(clock.StartedAt(), 100);  // still standing
    clock.Release(c.lastRelease);
    EXPECT_FALSE(clock.Held());
    EXPECT_DOUBLE_EQ(clock.StartedAt(), c.startedAt);
    clock.Release(c.lastRelease + 5);  // one release too many gives nothing more
    EXPECT_DOUBLE_EQ(clock.StartedAt(), c.startedAt);
    EXPECT_EQ(clock.SecondsLeft(), 20);  // before its first reading
    clock.Read(c.startedAt + 7.4);
    EXPECT_EQ(clock.SecondsLeft(), 13);
  }
}
