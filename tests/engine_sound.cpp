// Which sound the game asks for at each moment of play, heard through a platform
// that writes the requests down.
#include <cmath>

#include "engine_fakes.h"

using namespace Qt::StringLiterals;

namespace {

/// The bed each question 1 … 15 plays under.
const char* const kStageBeds[15] = {"bed_stage1", "bed_stage1", "bed_stage1", "bed_stage1", "bed_stage1",
                                    "bed_stage2", "bed_stage2", "bed_stage2", "bed_stage2", "bed_stage2",
                                    "bed_stage3", "bed_stage3", "bed_stage3", "bed_stage3", "bed_stage3"};

/// Seconds left on the question's clock now.
double SecondsLeft(const QuestionClock& clock, double now) { return clock.Limit() - (now - clock.StartedAt()); }

}  // namespace

class SoundTest : public EngineTest {
 protected:
  QStringList& sounds() { return platform->sound.log; }
  /// Ticks until the time runs out; returns the seconds left at each clock tick heard.
  QList<double> RunOutTheClock() {
    QList<double> ticks;
    for (int i = 0; i < 3000 && g().Clock().Running(); ++i) {
      const qsizetype before = sounds().size();
      Tick();
      for (qsizetype s = before; s < sounds().size(); ++s)
        if (sounds()[s] == u"sting clock_tick") ticks.append(SecondsLeft(g().Clock(), platform->time));
    }
    return ticks;
  }
};

TEST_F(SoundTest, AWonGameSoundsEveryStepFromTheThemeToTheMillionAndBack) {
  EXPECT_EQ(sounds(), QStringList{u"bed theme_loop"_s});
  sounds().clear();

  PlayTo(15);
  AnswerRight();
  ASSERT_EQ(g().OpenPanel(), Panel::Record);
  g().KeyPressed(Qt::Key_Return);  // the name as it stands
  g().KeyPressed(Qt::Key_Return);  // the leaderboard closes

  // The bed of a stage runs on through its questions and is only named again when
  // the stage changes; the next question's sting is asked with the right chord, a
  // grander one where the answer wins a guaranteed sum.
  QStringList expected{u"stop bed"_s};
  for (int q = 1; q <= 15; ++q) {
    expected << u"sting reveal"_s;
    if (q == 1 || kStageBeds[q - 1] != kStageBeds[q - 2])
      expected << u"bed "_s + QString::fromLatin1(kStageBeds[q - 1]);
    expected << u"sting lock_in"_s;
    if (q == 5 || q == 10) expected << u"sting milestone"_s;
    else if (q < 15) expected << u"sting right"_s;
  }
  expected << u"stop bed"_s << u"sting million"_s;
  expected << u"sting record"_s << u"bed theme_loop"_s;
  EXPECT_EQ(sounds(), expected);
}

TEST_F(SoundTest, AShortQuestionAsksForItsStingOnceAndLeavesTheWaitingToTheOutput) {
  PlayTo(1);
  sounds().clear();
  AnswerRight();
  EXPECT_EQ(sounds(), (QStringList{u"sting lock_in"_s, u"sting right"_s, u"sting reveal"_s}));
  // Shown whole long before the chord has rung: no second sting, and the bed runs on.
  RevealQuestion();
  Tick(30);
  EXPECT_EQ(sounds().count(u"sting reveal"_s), 1);
  EXPECT_EQ(sounds().count(u"stop bed"_s), 0);
}

TEST_F(SoundTest, AWrongAnswerDropsTheBedAndARecordIsCheeredOnlyWithASum) {
  for (const int question : {3, 7}) {
    SCOPED_TRACE(question);
    Start({6, 6, 6, 6, 6, 6, 6});
    PlayTo(question);
    sounds().clear();
    AnswerWrong();
    EXPECT_EQ(sounds(), (QStringList{u"sting lock_in"_s, u"stop bed"_s, u"sting wrong"_s}));
    sounds().clear();
    g().KeyPressed(Qt::Key_Return);  // loss panel, or the record panel with 1000
    if (question == 3) {
      EXPECT_EQ(sounds(), QStringList{u"bed theme_loop"_s});
    } else {
      EXPECT_EQ(sounds(), (QStringList{u"sting record"_s, u"bed theme_loop"_s}));
    }
  }
}

TEST_F(SoundTest, TheClockTicksAtEachOfTheLastFiveSecondsThenTimeRunsOut) {
  JumpTo(1);
  sounds().clear();
  const QList<double> ticks = RunOutTheClock();
  ASSERT_EQ(ticks.size(), 5);
  for (int k = 0; k < 5; ++k) {
    // Heard as the seconds left reach 5, 4, 3, 2, 1, never a tick late.
    EXPECT_LE(ticks[k], 5 - k + 1e-3) << k;
    EXPECT_GT(ticks[k], 5 - k - 0.1 - 1e-3) << k;
  }
  ASSERT_GE(sounds().size(), 2);
  EXPECT_EQ(sounds().mid(sounds().size() - 2), (QStringList{u"stop bed"_s, u"sting time_out"_s}));
  EXPECT_EQ(g().OpenPanel(), Panel::Timeout);
}

TEST_F(SoundTest, TimeGivenBackInTheLastSecondsCountsDownAgainAndAnAnswerStopsTheTicks) {
  JumpTo(1);
  sounds().clear();
  while (SecondsLeft(g().Clock(), platform->time) > 4.5) Tick();
  EXPECT_EQ(sounds().count(u"sting clock_tick"_s), 1);  // 5
  g().KeyPressed(Qt::Key_2);                            // the phone: thirty seconds more, and 5 comes again
  const QList<double> ticks = RunOutTheClock();
  ASSERT_EQ(ticks.size(), 5);
  EXPECT_LE(ticks.front(), 5 + 1e-3);

  Start({6, 6, 6, 6, 6, 6, 6});
  JumpTo(1);
  while (SecondsLeft(g().Clock(), platform->time) > 2.5) Tick();
  g().ClickElement(g().AnswerElement(1));
  sounds().clear();
  Tick(Judging::TicksToVerdict());
  EXPECT_EQ(sounds().count(u"sting clock_tick"_s), 0);
}

TEST_F(SoundTest, EachLifelineSoundsAndItsVoicesLastAsLongAsItsPanelTalks) {
  struct Case {
    const char* name;
    std::function<void()> play;
    QStringList expected;
  };
  const auto key = [this](int k) { g().KeyPressed(k); };
  const auto untilTheFriendIsDone = [this] {
    for (int i = 0; i < 500 && g().FriendWords().Running(); ++i) Tick();
  };
  const Case cases[] = {
      {"50/50", [&] { key(Qt::Key_1); }, {u"sting fifty_fifty"_s}},
      {"the phone rings, the friend talks while his words appear",
       [&] {
         key(Qt::Key_2);
         untilTheFriendIsDone();
         Tick(5);
       },
       {u"sting phone_ring"_s, u"murmur phone_murmur"_s, u"stop murmur"_s}},
      {"the audience talks from its panel on, while the bars grow",
       [&] {
         key(Qt::Key_3);
         Tick(105);
       },
       {u"murmur audience_murmur"_s, u"stop murmur"_s}},
      {"the audience over the friend: his end does not silence them",
       [&] {
         key(Qt::Key_2);
         key(Qt::Key_3);
         untilTheFriendIsDone();
         Tick(105);
       },
       {u"sting phone_ring"_s, u"murmur phone_murmur"_s, u"murmur audience_murmur"_s, u"stop murmur"_s}},
      {"the friend over the audience",
       [&] {
         key(Qt::Key_3);
         Tick(3);
         key(Qt::Key_2);
         untilTheFriendIsDone();
         Tick(105);
       },
       {u"murmur audience_murmur"_s, u"sting phone_ring"_s, u"murmur phone_murmur"_s, u"stop murmur"_s}},
      {"an answer silences the audience",
       [&] {
         key(Qt::Key_3);
         Tick(5);
         g().ClickElement(g().AnswerElement(1));
       },
       {u"murmur audience_murmur"_s, u"stop murmur"_s, u"sting lock_in"_s}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start({6, 6, 6, 6, 6, 6, 6});
    // Question 6: a long limit, so no clock tick joins in.
    JumpTo(6);
    sounds().clear();
    c.play();
    EXPECT_EQ(sounds(), c.expected);
  }
}

TEST_F(SoundTest, TakingTheMoneyAndClearingTheBoardHaveTheirOwnStings) {
  JumpTo(3);
  sounds().clear();
  PressWith(Qt::ControlModifier, Qt::Key_M);
  EXPECT_EQ(sounds(), (QStringList{u"stop bed"_s, u"sting take_money"_s}));
  sounds().clear();
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(sounds(), (QStringList{u"sting record"_s, u"bed theme_loop"_s}));

  sounds().clear();
  platform->box.answers = {InfoBox::Answer::No};
  g().KeyPressed(Qt::Key_K);
  EXPECT_TRUE(sounds().isEmpty()) << "the board was kept";
  platform->box.answers = {InfoBox::Answer::Yes};
  g().KeyPressed(Qt::Key_K);
  EXPECT_EQ(sounds(), QStringList{u"sting clear_board"_s});
}

TEST_F(SoundTest, MutedTheGameAsksForNoStingAndUnmutedItResumesTheMoment) {
  sounds().clear();
  g().KeyPressed(Qt::Key_S);
  EXPECT_FALSE(g().SoundOn());
  EXPECT_EQ(sounds(), QStringList{u"mute"_s});

  // Muted, the moments pass without a sting, but the output still learns which
  // music and voices belong to the moment, to resume them in place.
  sounds().clear();
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  AnswerRight();
  RevealQuestion();
  g().KeyPressed(Qt::Key_2);  // the friend talks, unheard
  Tick(3);
  EXPECT_EQ(sounds(), (QStringList{u"stop bed"_s, u"bed bed_stage1"_s, u"murmur phone_murmur"_s}));

  sounds().clear();
  g().KeyPressed(Qt::Key_S);
  EXPECT_TRUE(g().SoundOn());
  EXPECT_EQ(sounds(), QStringList{u"unmute"_s});
  sounds().clear();
  g().SetSoundOn(true);
  EXPECT_TRUE(sounds().isEmpty()) << "already on";

  // While the record panel is open, S is a letter of the player's name.
  PressWith(Qt::ControlModifier, Qt::Key_M);
  ASSERT_EQ(g().OpenPanel(), Panel::Record);
  g().KeyPressed(Qt::Key_S);
  EXPECT_TRUE(g().SoundOn());
  g().KeyPressed(Qt::Key_Return);
  g().KeyPressed(Qt::Key_S);
  EXPECT_FALSE(g().SoundOn());
}

TEST_F(SoundTest, AGameStartedMutedIsMutedBeforeItsThemeIsAskedFor) {
  auto quiet = std::make_unique<ScriptedPlatform>();
  Game quietGame(*quiet, measurer, dir->path(), &TestSheet);
  quietGame.SetSoundOn(false);
  quietGame.Start();
  EXPECT_EQ(quiet->sound.log, (QStringList{u"mute"_s, u"bed theme_loop"_s}));
  quietGame.SetSoundOn(true);
  EXPECT_EQ(quiet->sound.log.last(), u"unmute"_s);
}

TEST(SoundCueTest, EveryCueHasItsFileAndOnlyTheBedsAndVoicesLoop) {
  for (int i = 0; i < kCueCount; ++i) {
    const Cue cue = Cue(i);
    SCOPED_TRACE(CueName(cue).toStdString());
    EXPECT_TRUE(QFile::exists(QStringLiteral(FARTOVIK_SOURCE_DIR "/sounds/") + CueName(cue) + u".wav"_s));
    const bool loopFile =
        CueName(cue).contains(u"loop"_s) || CueName(cue).startsWith(u"bed_"_s) || CueName(cue).endsWith(u"murmur"_s);
    EXPECT_EQ(CueLoops(cue), loopFile);
  }
  EXPECT_EQ(StageBed(5), Cue::BedStage1);
  EXPECT_EQ(StageBed(6), Cue::BedStage2);
  EXPECT_EQ(StageBed(10), Cue::BedStage2);
  EXPECT_EQ(StageBed(11), Cue::BedStage3);
}
