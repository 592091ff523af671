// Keys, the window buttons, the menu commands and leaving the program.
#include <functional>

#include "data/winners_table.h"
#include "engine_fakes.h"

using namespace Qt::StringLiterals;

TEST_F(EngineTest, EnterConfirmsThePanelOnScreenAndNothingElse) {
  struct Case {
    Panel panel, after;
  };
  for (const Case c : {Case{Panel::None, Panel::None}, Case{Panel::Phone, Panel::Phone}, Case{Panel::Poll, Panel::Poll},
                       Case{Panel::Leaderboard, Panel::None}, Case{Panel::Record, Panel::Leaderboard},
                       Case{Panel::Loss, Panel::Leaderboard}, Case{Panel::Timeout, Panel::Leaderboard}}) {
    SCOPED_TRACE(int(c.panel));
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(3);
    setup().SetUpRound({.question = 3, .guaranteedSum = 200});
    RevealQuestion();
    if (c.panel != Panel::None) setup().ShowPanel(c.panel, true);
    g().KeyPressed(vk::Enter);
    EXPECT_EQ(g().OpenPanel(), c.after);
    // Only the record panel's confirmation writes a row.
    if (c.panel == Panel::Record) {
      EXPECT_EQ(g().Board().count, 1);
    }
  }
}

TEST_F(EngineTest, ClearingTheBoardAsksFirstAndOnlyYesTouchesTheFile) {
  const QByteArray stored = "\x01xyz\x02zz\r\n";
  auto fileBytes = [this] {
    QFile file(WinnersPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  };
  struct Case {
    const char* how;
    std::function<void(Game&)> clear;
    QList<int> answers;  ///< empty: the default button, as Enter gives it
    bool cleared;
  };
  const Case cases[] = {
      {"K, Enter", [](Game& g) { g.KeyPressed(vk::K); }, {}, false},
      {"K, No or Esc", [](Game& g) { g.KeyPressed(vk::K); }, {InfoBox::No}, false},
      {"K, box not shown", [](Game& g) { g.KeyPressed(vk::K); }, {InfoBox::NotShown}, false},
      {"K, Yes", [](Game& g) { g.KeyPressed(vk::K); }, {InfoBox::Yes}, true},
      {"button, No", [](Game& g) { g.ClickElement(el::ClearTable); }, {InfoBox::No}, false},
      {"button, Yes", [](Game& g) { g.ClickElement(el::ClearTable); }, {InfoBox::Yes}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    QFile file(WinnersPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(stored);
    file.close();
    setup().ShowPanel(Panel::Leaderboard, false);
    platform->box.messages.clear();
    g().KeyPressed(vk::K);  // K asks nothing while the leaderboard is not shown
    EXPECT_TRUE(platform->box.messages.isEmpty());
    PressWith(vk::Ctrl, vk::W);
    ASSERT_EQ(g().OpenPanel(), Panel::Leaderboard);
    platform->box.messages.clear();
    platform->box.answers = c.answers;
    c.clear(g());
    // The stored row is damaged on purpose; its own message may come too.
    QList<RecordingInfoBox::Message> questions;
    for (const auto& m : platform->box.messages)
      if (m.flags == InfoBox::QuestionYesNoDefaultNo) questions.append(m);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0].text, u"Очистить таблицу лидеров?"_s);
    EXPECT_EQ(fileBytes(), c.cleared ? QByteArray() : stored);
    EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
    EXPECT_EQ(CaptionText(el::Leaderboard).isEmpty(), c.cleared);
  }
}

TEST_F(EngineTest, DuringAGameNeitherANewGameNorTheLeaderboardCanBeOpened) {
  JumpTo(4);
  const int row = round().row;
  g().KeyPressed(vk::F2);
  PressWith(vk::Ctrl, vk::W);
  PressWith(vk::Alt, vk::W);
  g().NewGame();
  g().OpenLeaderboard();
  EXPECT_EQ(round().question, 4);
  EXPECT_EQ(round().row, row);
  EXPECT_TRUE(round().answersOpen);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  EXPECT_FALSE(E(el::Leaderboard).visible);
}

TEST_F(EngineTest, MWithCtrlOrAltTakesTheMoneyButNotAlone) {
  struct Case {
    QList<int> keys;
    bool taken;
  };
  for (const Case& c : {Case{{vk::M}, false}, Case{{vk::Ctrl, vk::M}, true},
                        Case{{vk::Alt, vk::M}, true}, Case{{vk::Ctrl, vk::Q + 1, vk::M}, false}}) {
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(3);
    for (int key : c.keys) g().KeyPressed(key);
    EXPECT_EQ(g().OpenPanel() == Panel::Record, c.taken) << c.keys.size();
  }
}

TEST_F(EngineTest, ModifierFlagsLastUntilTheNextOtherKey) {
  g().KeyPressed(vk::Ctrl);
  EXPECT_TRUE(setup().CtrlHeld());
  g().KeyPressed(vk::Alt);
  EXPECT_TRUE(setup().CtrlHeld() && setup().AltHeld());
  g().KeyReleased(vk::Ctrl);
  EXPECT_FALSE(setup().CtrlHeld());
  EXPECT_TRUE(setup().AltHeld());
  g().KeyReleased(vk::A);
  EXPECT_TRUE(setup().AltHeld());
  g().KeyPressed(vk::Ctrl);
  g().KeyPressed(vk::A);  // any other key, even one that does nothing now
  EXPECT_FALSE(setup().CtrlHeld());
  EXPECT_FALSE(setup().AltHeld());
  // Ctrl held while A and then W are pressed: W finds no modifier.
  g().KeyPressed(vk::Ctrl);
  g().KeyPressed(vk::A);
  g().KeyPressed(vk::W);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
}

TEST_F(EngineTest, LettersAndDigitsClickTheirElements) {
  JumpTo(3);
  g().KeyPressed(vk::Key1);
  EXPECT_FALSE(E(el::FiftyFifty).enabled);
  g().KeyPressed(vk::Key2);
  EXPECT_FALSE(E(el::PhoneFriend).enabled);
  g().KeyPressed(vk::Key3);
  EXPECT_FALSE(E(el::AudiencePoll).enabled);
  const int open = E(el::AnswerA).enabled ? vk::A : E(el::AnswerA + 1).enabled ? vk::B : vk::C;
  g().KeyPressed(open);
  EXPECT_EQ(round().chosen, open - 63);
  EXPECT_TRUE(g().Judgement().Running());
}

TEST_F(EngineTest, QuitKeysAskTheExitQuestionOnlyWithAModifier) {
  struct Case {
    QList<int> keys;
    int questions;
  };
  for (const Case& c : {Case{{vk::Q}, 0}, Case{{vk::X}, 0}, Case{{vk::Ctrl, vk::Q}, 1},
                        Case{{vk::Alt, vk::Q}, 1}, Case{{vk::Ctrl, vk::X}, 1},
                        Case{{vk::Alt, vk::X}, 1}, Case{{vk::Escape}, 1}}) {
    platform->box.messages.clear();
    platform->box.answers = {InfoBox::No};
    for (int key : c.keys) g().KeyPressed(key);
    ASSERT_EQ(platform->box.messages.size(), c.questions) << c.keys.last();
    if (c.questions == 1) {
      EXPECT_EQ(platform->box.messages[0], (RecordingInfoBox::Message{kExitQuestion, 36}));
    }
    EXPECT_FALSE(platform->closed);
  }
}

TEST_F(EngineTest, NoToTheExitQuestionLeavesTheGameAsItWas) {
  JumpTo(5);
  platform->time = g().Clock().StartedAt() + 3;
  g().Tick();
  const Round before = round();
  const bool clockRan = g().Clock().Running();
  const int limit = g().Clock().Limit();
  const Panel panel = g().OpenPanel();
  const QString question = CaptionText(el::QuestionFrame);
  platform->box.answers = {InfoBox::No};
  g().KeyPressed(vk::Ctrl);
  g().KeyPressed(vk::Alt);
  g().KeyPressed(vk::Escape);
  EXPECT_EQ(platform->closeRequests, 1);
  EXPECT_FALSE(platform->closed);
  EXPECT_FALSE(setup().CtrlHeld());
  EXPECT_FALSE(setup().AltHeld());
  EXPECT_EQ(round().question, before.question);
  EXPECT_EQ(round().row, before.row);
  EXPECT_EQ(round().answersOpen, before.answersOpen);
  EXPECT_EQ(round().guaranteedSum, before.guaranteedSum);
  EXPECT_EQ(g().CurrentPhase(), Phase::Answering);
  EXPECT_EQ(g().Clock().Running(), clockRan);
  EXPECT_FALSE(g().Judgement().Running());
  EXPECT_EQ(g().Clock().Limit(), limit);
  EXPECT_EQ(g().OpenPanel(), panel);
  EXPECT_EQ(CaptionText(el::QuestionFrame), question);

  platform->box.answers = {InfoBox::Yes};
  g().KeyPressed(vk::Escape);
  EXPECT_TRUE(platform->closed);
}

TEST_F(EngineTest, TheExitQuestionDefaultsToNoWhileAGameOrAResultIsAtStake) {
  // The box answers with its default button, as Enter after a stray Esc does.
  struct Case {
    const char* situation;
    std::function<void()> reach;
    bool atStake;
  };
  const Case cases[] = {
      {"idle", [] {}, false},
      {"a question open", [this] { JumpTo(3); }, true},
      {"judging", [this] { JumpTo(3); g().ClickElement(g().AnswerElement(1)); Tick(5); }, true},
      {"the record panel", [this] { JumpTo(2); PressWith(vk::Ctrl, vk::M); }, true},
      {"the loss panel", [this] { JumpTo(2); AnswerWrong(); }, false},
      {"the board after a game", [this] { JumpTo(2); AnswerWrong(); g().KeyPressed(vk::Enter); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    Start({6, 6, 6, 6, 6, 6, 6});
    c.reach();
    platform->box.messages.clear();
    g().KeyPressed(vk::Escape);
    ASSERT_EQ(platform->box.messages.size(), 1);
    EXPECT_EQ(platform->box.messages[0].text, u"Вы уверены, что хотите выйти?"_s);
    EXPECT_EQ(platform->box.messages[0].flags,
              c.atStake ? InfoBox::QuestionYesNoDefaultNo : InfoBox::QuestionYesNo);
    EXPECT_EQ(platform->closed, !c.atStake);
  }
}

TEST_F(EngineTest, LeavingFromTheRecordPanelStoresTheResultWithItsName) {
  struct Case {
    QString typed, stored;
  };
  for (const Case& c : {Case{u"Ваня"_s, u"Ваня"_s}, Case{QString(), u"Неизвестный фартовик"_s}}) {
    SCOPED_TRACE(c.stored.toStdString());
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(2);
    PressWith(vk::Ctrl, vk::M);
    ASSERT_EQ(g().OpenPanel(), Panel::Record);
    g().TypeName(c.typed);
    platform->box.answers = {InfoBox::Yes};
    g().KeyPressed(vk::Escape);
    EXPECT_TRUE(platform->closed);
    WinnersTable saved;
    RecordingInfoBox box;
    LoadWinners(WinnersPath(), saved, box);
    ASSERT_EQ(saved.count, 1);
    EXPECT_EQ(saved.name[1], c.stored);
    EXPECT_EQ(saved.sum[1], u"100"_s);
  }
  // Answered No, nothing is stored yet: the panel still waits for its name.
  Start({6, 6, 6, 6, 6, 6, 6});
  JumpTo(2);
  PressWith(vk::Ctrl, vk::M);
  platform->box.answers = {InfoBox::No};
  g().KeyPressed(vk::Escape);
  EXPECT_FALSE(platform->closed);
  EXPECT_EQ(g().OpenPanel(), Panel::Record);
  EXPECT_EQ(QFile(WinnersPath()).size(), 0);
}

TEST_F(EngineTest, CloseRequestsFromTheSystemAskTheSameQuestion) {
  for (int answer : {InfoBox::No, InfoBox::Yes, InfoBox::NotShown}) {
    platform->box.answers = {answer};
    setup().HoldCtrl();
    EXPECT_EQ(g().CloseRequested(), answer == InfoBox::No);
    EXPECT_FALSE(setup().CtrlHeld());
  }
}

TEST_F(EngineTest, TheWindowButtonsOpenTheMenuMinimiseAndClose) {
  g().ClickElement(el::Menu);
  ASSERT_EQ(platform->popups.size(), 1);
  EXPECT_EQ(platform->popups[0], QPoint(0, 21));
  g().ClickElement(el::Minimise);
  EXPECT_EQ(platform->minimised, 1);
  platform->box.answers = {InfoBox::No};
  g().ClickElement(el::Close);
  EXPECT_EQ(platform->closeRequests, 1);
  g().ClickCaption(el::Minimise);
  EXPECT_EQ(platform->minimised, 2);
  // The exit command from the menu takes the same way.
  platform->box.answers = {InfoBox::Yes};
  g().RequestExit();
  EXPECT_TRUE(platform->closed);
}

TEST_F(EngineTest, ClickingAnAnswersCaptionChoosesIt) {
  JumpTo(2);
  const int e = g().AnswerElement(3);
  g().ClickCaption(e);
  EXPECT_EQ(round().chosen, e);
  EXPECT_FALSE(round().answersOpen);
}

TEST_F(EngineTest, ChoosingAnAnswerDropsThePointedLook) {
  JumpTo(2);
  const int e = g().AnswerElement(1);
  g().PointerMoved(e, 10, 10);
  ASSERT_EQ(RowOf(e), 4);
  g().ClickElement(e);
  EXPECT_EQ(g().Pointer().HotElement, 0);
  EXPECT_EQ(RowOf(e), 1);
  EXPECT_EQ(E(e).caption.colour, E(e).captionColour);
}

TEST_F(EngineTest, AnAnswerSwitchedOffUnderThePointerComesBackWithTheNormalLook) {
  // Time-out, taking the money and 50/50 switch answers off under a resting pointer;
  // the next question shows the pointed-at look only where the pointer is then.
  struct Case {
    const char* how;
    std::function<void()> switchOff;
  };
  const Case cases[] = {
      {"time-out", [this] { Tick(250); }},
      {"take the money", [this] { PressWith(vk::Ctrl, vk::M); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(2);
    const int e = el::AnswerA;
    g().PointerMoved(e, 10, 10);
    ASSERT_EQ(E(e).caption.colour, E(e).pointedCaptionColour);
    c.switchOff();
    ASSERT_NE(g().OpenPanel(), Panel::None);
    ASSERT_FALSE(E(e).enabled);
    g().KeyPressed(vk::Enter);  // the result panel
    g().KeyPressed(vk::Enter);  // the leaderboard, back to the start screen
    ASSERT_EQ(g().OpenPanel(), Panel::None);
    // The pointer moved off to the title strip while the panels were shown.
    g().PointerMoved(el::TitleStrip, 10, 10);
    g().KeyPressed(vk::F2);
    RevealQuestion();
    for (int a = el::AnswerA; a <= el::AnswerD; ++a) {
      EXPECT_EQ(RowOf(a), 1) << a;
      EXPECT_EQ(E(a).caption.colour, E(a).captionColour) << a;
    }
  }
}

TEST_F(EngineTest, FiftyFiftyOnThePointedAnswerLeavesNoPointedColourBehind) {
  JumpTo(2);
  // 50/50 by key removes the answer the pointer rests on.
  platform->random.Push({0.0, 0.0, 0.5});  // removes answers 2 and 3
  const int removed = g().AnswerElement(2);
  g().PointerMoved(removed, 10, 10);
  g().KeyPressed(vk::Key1);
  ASSERT_FALSE(E(removed).enabled);
  EXPECT_EQ(E(removed).caption.colour, E(removed).captionColour);
  // The pointer is on it when the next question opens: there it is pointed at again.
  AnswerRight();
  g().PointerMoved(removed, 12, 12);
  EXPECT_EQ(RowOf(removed), 1);  // not while the question is still appearing
  RevealQuestion();
  EXPECT_EQ(g().Pointer().HotElement, removed);
  EXPECT_EQ(RowOf(removed), 4);
  EXPECT_EQ(E(removed).caption.colour, E(removed).pointedCaptionColour);
  for (int a = el::AnswerA; a <= el::AnswerD; ++a) {
    if (a == removed) continue;
    EXPECT_EQ(RowOf(a), 1) << a;
    EXPECT_EQ(E(a).caption.colour, E(a).captionColour) << a;
  }
}
