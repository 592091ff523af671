// 50/50, the friend's call and the audience poll.
#include <QSet>

#include "engine/sentence_case.h"
#include "engine_fakes.h"

using namespace Qt::StringLiterals;

namespace {

const QString kPhrases[10] = {u"Я думаю, что правильный ответ — "_s,
                              u"Я не знаю ответа"_s,
                              u"Мне кажется, что это "_s,
                              u"Подожди, сейчас посмотрю в энциклопедии.."_s,
                              u"Может быть, это "_s,
                              u"Это тяжелый вопрос"_s,
                              u"Возможно, это "_s,
                              u"Мы не смогли дозвониться до вашего друга"_s,
                              u"Я не знаю точно, но, кажется, это "_s,
                              u"Я где-то слышал, что это "_s};
const bool kNamesAnswer[10] = {true, false, true, false, true, false, true, false, true, true};

/// A uniform number that Int(u × m) + 1 turns into r.
double DrawFor(int r, int m) { return (r - 0.5) / m; }

}  // namespace

TEST_F(EngineTest, FiftyFiftyRemovesTwoWrongAnswersAndNeverTheCorrectOne) {
  JumpTo(1);
  QSet<QSet<int>> pairs;
  for (int trial = 0; trial < 300; ++trial) {
    setup().ShuffleAnswers();
    setup().RestoreAnswers();
    setup().GiveBackLifeline(Lifeline::FiftyFifty);
    g().KeyPressed(Qt::Key_1);
    ASSERT_TRUE(E(g().AnswerElement(1)).enabled);
    ASSERT_FALSE(round().AnswerRemoved(1));
    QSet<int> removed;
    for (int k = 2; k <= 4; ++k) {
      // The round's fact and the screen tell the same.
      ASSERT_EQ(round().AnswerRemoved(k), !E(g().AnswerElement(k)).enabled) << k;
      if (round().AnswerRemoved(k)) removed.insert(k);
    }
    ASSERT_EQ(removed.size(), 2);
    ASSERT_TRUE(round().LifelineUsed(Lifeline::FiftyFifty));
    pairs.insert(removed);
    ASSERT_FALSE(E(el::FiftyFifty).enabled);
    ASSERT_EQ(RowOf(el::FiftyFifty), CellOf(LifelineLook::Used).row);
  }
  EXPECT_EQ(pairs.size(), 3);  // every pair comes up
  // The removed answers keep their lozenge but lose their text.
  for (int k = 2; k <= 4; ++k) {
    const ElementId e = g().AnswerElement(k);
    if (E(e).enabled) continue;
    EXPECT_FALSE(E(e).caption.visible);
    EXPECT_EQ(RowOf(e), CellOf(AnswerLook::Normal).row);
  }
}

TEST_F(EngineTest, TheRoundKeepsUsedLifelinesForTheGameAndRemovedAnswersForTheQuestion) {
  JumpTo(1);
  g().KeyPressed(Qt::Key_1);
  ASSERT_TRUE(round().LifelineUsed(Lifeline::FiftyFifty));
  EXPECT_FALSE(round().LifelineUsed(Lifeline::PhoneFriend));
  EXPECT_FALSE(round().LifelineUsed(Lifeline::AudiencePoll));
  std::array<bool, 5> removed{};
  for (int k = 1; k <= 4; ++k) removed[std::size_t(k)] = round().AnswerRemoved(k);
  // A second use reaching the game by any way draws nothing and takes nothing more.
  const int reseeds = platform->random.reseeds;
  setup().UseFiftyFifty();
  EXPECT_EQ(platform->random.reseeds, reseeds);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(round().AnswerRemoved(k), removed[std::size_t(k)]) << k;

  AnswerRight();
  RevealQuestion();
  ASSERT_EQ(round().question, 2);
  EXPECT_TRUE(round().LifelineUsed(Lifeline::FiftyFifty));
  EXPECT_FALSE(E(el::FiftyFifty).enabled);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_FALSE(round().AnswerRemoved(k)) << k;
    EXPECT_TRUE(E(g().AnswerElement(k)).enabled) << k;
  }
  g().KeyPressed(Qt::Key_2);
  g().KeyPressed(Qt::Key_3);
  EXPECT_TRUE(round().LifelineUsed(Lifeline::PhoneFriend));
  EXPECT_TRUE(round().LifelineUsed(Lifeline::AudiencePoll));

  // A new game has every lifeline again.
  setup().ShowStartScreen();
  JumpTo(1);
  for (const Lifeline l : {Lifeline::FiftyFifty, Lifeline::PhoneFriend, Lifeline::AudiencePoll}) {
    EXPECT_FALSE(round().LifelineUsed(l));
    EXPECT_TRUE(E(LifelineButton(l)).enabled);
  }
}

TEST_F(EngineTest, TheFriendsPhraseFollowsItsBandOfTheDraw) {
  // K = 19 on question 1: bands of 2K and K over 1 … 304.
  const int bounds[10] = {38, 57, 95, 114, 152, 171, 209, 228, 266, 304};
  JumpTo(1);
  // "Верно 1-…" mid-sentence: the bases write "верно" in lower case in their questions.
  const QString shown = CaptionText(g().AnswerElement(1));
  ASSERT_TRUE(shown.startsWith(u"Верно "_s));
  const QString correct = u"в"_s + shown.mid(1);
  for (int phrase = 0; phrase < 10; ++phrase) {
    const int first = phrase == 0 ? 1 : bounds[phrase - 1] + 1;
    for (int r : {first, bounds[phrase]}) {
      SCOPED_TRACE(r);
      setup().GiveBackLifeline(Lifeline::PhoneFriend);
      setup().SetTimeLimit(20);
      // He knows (1 ≤ K), then the band.
      platform->random.Push({0.0, DrawFor(r, 304)});
      setup().UsePhoneFriend();
      EXPECT_EQ(g().Clock().Limit(), 50);
      EXPECT_EQ(round().friendReliability, 19);
      EXPECT_EQ(g().FriendWords().Text(), kPhrases[phrase] + (kNamesAnswer[phrase] ? correct : QString()) + u"."_s);
    }
  }
}

TEST_F(EngineTest, TheFriendKnowsUpToQuestionFiveAndOtherwiseGuessesAmongAToC) {
  struct Case {
    int question;
    double knowledge;
    bool knows;
  };
  for (const Case c : {Case{5, 0.999, true}, Case{6, 0.95, false}, Case{6, 13.5 / 15, true}, Case{15, 5.5 / 15, false},
                       Case{15, 4.5 / 15, true}}) {
    SCOPED_TRACE(c.question);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(c.question);
    // A wrong answer at A, so a guess and knowledge differ; guess draw 0.0 → A.
    platform->random.Push({c.knowledge, 0.0, 0.0});
    setup().UsePhoneFriend();
    // Which answer he names; its first letter follows the sentence.
    const QString named = g().FriendWords().Text().mid(kPhrases[0].size()).chopped(1);
    EXPECT_EQ(named.toLower(), CaptionText(c.knows ? g().AnswerElement(1) : el::AnswerA).toLower());
  }
}

TEST_F(EngineTest, AGuessingFriendNeverNamesDAndSkipsRemovedAnswers) {
  JumpTo(15);
  QSet<QString> guesses;
  for (int trial = 0; trial < 200; ++trial) {
    setup().GiveBackLifeline(Lifeline::PhoneFriend);
    setup().SetTimeLimit(120);
    platform->random.Push({0.99});  // 15 > K = 5: a guess
    setup().UsePhoneFriend();
    guesses.insert(g().FriendWords().Text());
  }
  for (const QString& text : guesses) EXPECT_FALSE(text.contains(CaptionText(el::AnswerD))) << text.toStdString();

  // 50/50 has left only C of A … C: every guess names C.
  setup().RemoveAnswer(round().AnswerAt(1));
  setup().RemoveAnswer(round().AnswerAt(2));
  setup().GiveBackLifeline(Lifeline::PhoneFriend);
  platform->random.Push({0.99, 0.0, 0.4, 0.7, 0.0});
  setup().UsePhoneFriend();
  EXPECT_EQ(g().FriendWords().Text().toLower(), (kPhrases[0] + CaptionText(el::AnswerC) + u"."_s).toLower());
}

TEST_F(EngineTest, TheFriendsWordsAppearOneCharacterPerTick) {
  JumpTo(3);
  g().KeyPressed(Qt::Key_2);
  const QString text = g().FriendWords().Text();
  EXPECT_TRUE(E(el::PhonePanel).visible);
  EXPECT_EQ(g().OpenPanel(), Panel::Phone);
  EXPECT_EQ(CaptionText(el::PhonePanel), QString());
  const int visible = int(text.size() - text.count(u' '));
  Tick(visible - 1);
  EXPECT_TRUE(g().FriendWords().Running());
  EXPECT_TRUE(text.startsWith(CaptionText(el::PhonePanel)));
  Tick();
  EXPECT_FALSE(g().FriendWords().Running());
  EXPECT_EQ(CaptionText(el::PhonePanel), text);
}

TEST_F(EngineTest, PollSharesAlwaysAddUpToAHundred) {
  for (int trial = 0; trial < 300; ++trial) {
    const int question = 1 + trial % 15;
    if (trial % 15 == 0) Start({6, 6, 6, 6, 6, 6, 6});
    if (trial % 15 == 0) JumpTo(1);
    setup().SetQuestion(question);
    setup().ShuffleAnswers();
    setup().RestoreAnswers();
    if (trial % 2 == 0) {
      setup().GiveBackLifeline(Lifeline::FiftyFifty);
      setup().UseFiftyFifty();
    }
    setup().GiveBackLifeline(Lifeline::AudiencePoll);
    setup().UseAudiencePoll();
    int sum = 0;
    for (int p = 0; p < 4; ++p) sum += g().Poll().Share(p + 1);
    ASSERT_EQ(sum, 100) << trial;
    for (int k = 2; k <= 4; ++k) {
      const int share = g().Poll().Share(g().AnswerOrder(k));
      if (round().AnswerRemoved(k)) {
        ASSERT_LE(share, 9) << trial;  // at most a residue
      }
    }
  }
}

TEST_F(EngineTest, PollSharesFollowTheDrawsTheResidueRuleAndAKnowingAudience) {
  struct Case {
    int question;
    QList<double> draws;
    std::array<int, 5> shares;  // by answer 1 … 4
  };
  const Case cases[] = {
      // Knows: 20 + Int(0.5 × 60) = 50, then 25 of 50, 10 of 25, 15 left; answers 2
      // and 3 removed: 2 keeps a residue of 7 (s = 5), 3 gives all its 10.
      {1, {0.0, 0.5, 0.5, 0.4, 0.55, 0.7, 0.0}, {0, 78, 7, 0, 15}},
      // Guesses on question 15: 20 for answer 4, 10 for 3, Int(0.5 × 70 × 2 / 3) = 23
      // for 2, 47 left for the correct one; nothing removed.
      {15, {0.99, 0.5, 0.25, 0.5}, {0, 47, 23, 10, 20}},
      // An audience that knows never favours a wrong answer: 20 drawn for the
      // correct one, 79 for answer 2, and they change places…
      {3, {0.0, 0.0, 0.99, 0.0}, {0, 79, 20, 0, 1}},
      // …or the remainder, 80, fell to answer 4.
      {3, {0.0, 0.0, 0.0, 0.0}, {0, 80, 0, 0, 20}},
      // Already ahead: nothing moves (79, then 10 of 21, 5 of 11, 6 left).
      {3, {0.0, 0.99, 0.5, 0.5}, {0, 79, 10, 5, 6}},
      // A guessing audience is left as drawn, a wrong answer ahead: 39, 39,
      // Int(0.99 × 22 × 2 / 3) = 14, 8 left for the correct one.
      {15, {0.99, 0.99, 0.99, 0.99}, {0, 8, 14, 39, 39}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.question << " " << c.draws[1]);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(c.question);
    if (c.question == 1) {
      setup().RemoveAnswer(2);
      setup().RemoveAnswer(3);
    }
    platform->random = ScriptedRandomSource(c.draws);
    g().KeyPressed(Qt::Key_3);
    EXPECT_EQ(platform->random.reseeds, 1);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(g().Poll().Share(g().AnswerOrder(k)), c.shares[k]) << k;
    EXPECT_FALSE(E(el::AudiencePoll).enabled);
    EXPECT_EQ(RowOf(el::AudiencePoll), CellOf(LifelineLook::Used).row);
  }
}

TEST_F(EngineTest, TheQuestionClockStandsWhileThePollBarsGrow) {
  JumpTo(3);
  Tick(20);
  const auto left = [this] { return g().Clock().Limit() - (g().Clock().ReadAt() - g().Clock().StartedAt()); };
  const double before = left();
  platform->random.Push({0.0, 0.5, 0.5, 0.5});  // knows: 50, 25, 12, 13
  g().KeyPressed(Qt::Key_3);
  Tick(50);  // the largest bar reaches its share at the 50th tick
  EXPECT_NEAR(left(), before, 0.11);
  Tick(20);  // the bars stand; the clock runs again
  EXPECT_NEAR(left(), before - 2.0, 0.11);
  EXPECT_TRUE(g().Poll().Running());

  // An answer chosen while the bars still grow lets the clock go as well.
  Start({6, 6, 6, 6, 6, 6, 6});
  JumpTo(3);
  g().KeyPressed(Qt::Key_3);
  Tick(3);
  g().ClickElement(g().AnswerElement(1));
  Tick(Judging::TicksToVerdict());
  ASSERT_EQ(round().question, 4);
  RevealQuestion();
  Tick();  // the new question's clock takes its first reading
  const double fresh = left();
  Tick(10);
  EXPECT_NEAR(left(), fresh - 1.0, 0.11);
}

TEST_F(EngineTest, PollBarsRunFromTheirSlotToTheFullLength) {
  struct Case {
    int percent;
    double width;
  };
  JumpTo(1);
  for (const Case c : {Case{0, 37}, Case{1, 40.97}, Case{45, 215.65}, Case{100, 434}}) {
    SCOPED_TRACE(c.percent);
    for (const ElementId bar : kPollBars) {
      setup().AnimatePollBar(bar, c.percent);
      EXPECT_NEAR(E(bar).width, c.width, 1e-3);
      EXPECT_EQ(E(bar).Box().width(), qRound(c.width));
      EXPECT_EQ(CaptionText(bar), QString::number(c.percent) + u"%"_s);
    }
  }
}

TEST_F(EngineTest, ThePollPanelReplacesThePhoneAndItsBarsGrowAPointPerTick) {
  JumpTo(2);
  g().KeyPressed(Qt::Key_2);
  ASSERT_TRUE(E(el::PhonePanel).visible);
  // Knows: 23, 0, 76, 1 drawn; the correct answer takes the 76 from the wrong one.
  platform->random.Push({0.0, 0.05, 0.0, 0.99});
  g().KeyPressed(Qt::Key_3);
  const ElementId correctBar = PollBar(g().AnswerOrder(1));
  EXPECT_EQ(g().Poll().Share(g().AnswerOrder(1)), 76);
  EXPECT_TRUE(E(el::PhonePanel).visible);  // until the first poll tick
  Tick();
  EXPECT_FALSE(E(el::PhonePanel).visible);
  for (const ElementId e : {el::PollPanel, el::PollBarA, el::PollBarB, el::PollBarC, el::PollBarD})
    EXPECT_TRUE(E(e).visible) << e;
  EXPECT_EQ(g().OpenPanel(), Panel::Poll);
  for (int position = 1; position <= 4; ++position) {
    const int share = g().Poll().Share(position);
    EXPECT_EQ(CaptionText(PollBar(position)), share == 0 ? u"0%"_s : u"1%"_s) << position;
  }
  Tick(29);
  ElementId second = el::PollBarA;
  for (int position = 1; position <= 4; ++position)
    if (g().Poll().Share(position) == 23) second = PollBar(position);
  EXPECT_EQ(CaptionText(second), u"23%"_s);
  const ElementId biggest = correctBar;
  EXPECT_EQ(CaptionText(biggest), u"30%"_s);
  Tick(69);
  EXPECT_TRUE(g().Poll().Running());
  Tick();  // the hundredth tick ends it
  EXPECT_FALSE(g().Poll().Running());
  EXPECT_EQ(CaptionText(biggest), u"76%"_s);

  // The phone after the poll would replace it at once; here an answer stops all.
  g().ClickElement(g().AnswerElement(1));
  Tick();
  EXPECT_FALSE(E(el::PollPanel).visible);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
}

TEST_F(EngineTest, ChoosingAnAnswerStopsTheBarsAndTheFriendWhereTheyAre) {
  JumpTo(4);
  platform->random.Push({0.0, 0.5, 0.5, 0.5});  // shares 50, 25, 12, 13
  g().KeyPressed(Qt::Key_3);
  Tick(5);
  g().ClickElement(g().AnswerElement(1));
  const QString before = CaptionText(el::PollBarA);
  Tick();
  EXPECT_FALSE(g().Poll().Running());
  EXPECT_EQ(CaptionText(el::PollBarA), before);
  EXPECT_FALSE(E(el::PollPanel).visible);
}

TEST_F(EngineTest, ThePhoneUsedInTheSameTickAsThePollKeepsItsPanel) {
  // Keys 3 then 2 within one tick: the phone came last, its panel stays, and the
  // friend's words are typed where the player can read them.
  JumpTo(2);
  g().KeyPressed(Qt::Key_3);
  g().KeyPressed(Qt::Key_2);
  ASSERT_TRUE(E(el::PhonePanel).visible);
  Tick();
  EXPECT_TRUE(E(el::PhonePanel).visible);
  EXPECT_FALSE(E(el::PollPanel).visible);
  for (const ElementId bar : kPollBars) EXPECT_FALSE(E(bar).visible) << bar;
  EXPECT_EQ(g().OpenPanel(), Panel::Phone);
  Tick(200);
  EXPECT_TRUE(E(el::PhonePanel).visible);
  EXPECT_EQ(CaptionText(el::PhonePanel), g().FriendWords().Text());
  EXPECT_FALSE(E(el::PollPanel).visible);
}

TEST(SentenceCase, TheAnswersFirstWordIsLowerCasedOnlyWhereTheBasesWriteItSo) {
  QuestionTable table;
  table.levels[1].rows.push_back(
      {u"В какой стране живут кенгуру?"_s, {u"В Австралии"_s, u"На кухне"_s, u"Кухня"_s, u"СССР"_s}, {}});
  table.levels[2].rows.push_back({u"Что готовят на кухне, а что в комнате?"_s,
                                  {u"Пушкин"_s, u"кухня и ванная"_s, u"Лев Толстой"_s, u"Гоголь"_s},
                                  {}});
  const QSet<QString> common = CommonWords(table);
  struct Case {
    QString answer, inSentence;
  };
  const Case cases[] = {
      {u"В Австралии"_s, u"в Австралии"_s},  // "в" is written in lower case; the name keeps its capital
      {u"На кухне"_s, u"на кухне"_s},
      {u"Кухня"_s, u"кухня"_s},    // in lower case in another question's answer
      {u"Пушкин"_s, u"Пушкин"_s},  // only ever capitalised: a name
      {u"Лев Толстой"_s, u"Лев Толстой"_s},
      {u"СССР"_s, u"СССР"_s},                    // capitals throughout: an abbreviation
      {u"«Война и мир»"_s, u"«Война и мир»"_s},  // a title in quotation marks
      {u"1812 год"_s, u"1812 год"_s},
      {QString(), QString()},
  };
  for (const Case& c : cases) EXPECT_EQ(WithinSentence(c.answer, common), c.inSentence) << c.answer.toStdString();
}
