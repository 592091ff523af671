// Keys, the window buttons, the menu commands and leaving the program.
#include <functional>

#include "data/winners_table.h"
#include "engine_fakes.h"

using namespace Qt::StringLiterals;

TEST_F(EngineTest, EnterConfirmsThePanelOnScreenAndNothingElse) {
  struct Case {
    int panel, after;
  };
  for (const Case c : {Case{0, 0}, Case{PhonePanel, PhonePanel}, Case{AudiencePanel, AudiencePanel},
                       Case{LeaderboardPanel, 0}, Case{RecordPanel, LeaderboardPanel},
                       Case{LossPanel, LeaderboardPanel}, Case{TimeoutPanel, LeaderboardPanel}}) {
    SCOPED_TRACE(c.panel);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(3);
    st().GuaranteedSum = 200;
    if (c.panel != 0) g().ShowPanel(c.panel, true);
    g().KeyPressed(Qt::Key_Return);
    EXPECT_EQ(st().CurrentPanel, c.after);
    // Only the record panel's confirmation writes a row.
    if (c.panel == RecordPanel) {
      EXPECT_EQ(g().winners().count, 1);
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
      {"K, Enter", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {}, false},
      {"K, No or Esc", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {InfoBox::No}, false},
      {"K, box not shown", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {InfoBox::NotShown}, false},
      {"K, Yes", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {InfoBox::Yes}, true},
      {"button, No", [](Game& g) { g.ClickElement(el::ClearTable); }, {InfoBox::No}, false},
      {"button, Yes", [](Game& g) { g.ClickElement(el::ClearTable); }, {InfoBox::Yes}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    QFile file(WinnersPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(stored);
    file.close();
    g().ShowPanel(LeaderboardPanel, false);
    platform->box.messages.clear();
    g().KeyPressed(Qt::Key_K);  // K asks nothing while the leaderboard is not shown
    EXPECT_TRUE(platform->box.messages.isEmpty());
    PressWith(Qt::ControlModifier, Qt::Key_W);
    ASSERT_EQ(st().CurrentPanel, LeaderboardPanel);
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
    EXPECT_EQ(st().CurrentPanel, LeaderboardPanel);
    EXPECT_EQ(ColumnText(BoardColumn::Rank).isEmpty(), c.cleared);
  }
}

TEST_F(EngineTest, DuringAGameNeitherANewGameNorTheLeaderboardCanBeOpened) {
  JumpTo(4);
  const int row = st().QuestionRow;
  g().KeyPressed(Qt::Key_F2);
  PressWith(Qt::ControlModifier, Qt::Key_W);
  PressWith(Qt::AltModifier, Qt::Key_W);
  g().NewGame();
  g().OpenLeaderboard();
  EXPECT_EQ(st().QuestionNumber, 4);
  EXPECT_EQ(st().QuestionRow, row);
  EXPECT_TRUE(st().AnswersOpen);
  EXPECT_EQ(st().CurrentPanel, 0);
  EXPECT_FALSE(E(el::Leaderboard).visible);
}

TEST_F(EngineTest, MWithCtrlOrAltTakesTheMoneyButNotAlone) {
  struct Case {
    Qt::KeyboardModifiers held;
    bool taken;
  };
  for (const Case& c : {Case{Qt::NoModifier, false}, Case{Qt::ControlModifier, true}, Case{Qt::AltModifier, true},
                        Case{Qt::ShiftModifier, false}, Case{Qt::ControlModifier | Qt::ShiftModifier, true}}) {
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(3);
    g().KeyPressed(Qt::Key_M, c.held);
    EXPECT_EQ(st().CurrentPanel == RecordPanel, c.taken) << c.held.toInt();
  }
}

TEST_F(EngineTest, ModifiersAreReadFromEachKeyAlone) {
  // A modifier key pressed on its own leaves nothing behind for the next key.
  g().KeyPressed(Qt::Key_Control, Qt::ControlModifier);
  g().KeyPressed(Qt::Key_Alt, Qt::AltModifier);
  g().KeyPressed(Qt::Key_W);
  EXPECT_EQ(st().CurrentPanel, 0);
  PressWith(Qt::ControlModifier, Qt::Key_W);
  EXPECT_EQ(st().CurrentPanel, LeaderboardPanel);
  g().KeyPressed(Qt::Key_Return);
  // Keys that want no modifier do not mind one: Ctrl+A is still A.
  JumpTo(2);
  const ElementId a = *ButtonOf(Command::ChooseA);
  ASSERT_TRUE(E(a).enabled);
  PressWith(Qt::ControlModifier, Qt::Key_A);
  EXPECT_EQ(st().ChosenElement, a);
}

TEST_F(EngineTest, LettersAndDigitsClickTheirElements) {
  JumpTo(3);
  g().KeyPressed(Qt::Key_1);
  EXPECT_FALSE(E(el::FiftyFifty).enabled);
  g().KeyPressed(Qt::Key_2);
  EXPECT_FALSE(E(el::PhoneFriend).enabled);
  g().KeyPressed(Qt::Key_3);
  EXPECT_FALSE(E(el::AudiencePoll).enabled);
  // 50/50 left two answers: the first of them by its letter.
  struct Letter {
    int key;
    Command choice;
  };
  for (const Letter l : {Letter{Qt::Key_A, Command::ChooseA}, Letter{Qt::Key_B, Command::ChooseB},
                         Letter{Qt::Key_C, Command::ChooseC}, Letter{Qt::Key_D, Command::ChooseD}}) {
    if (!E(*ButtonOf(l.choice)).enabled) continue;
    g().KeyPressed(l.key);
    EXPECT_EQ(st().ChosenElement, *ButtonOf(l.choice));
    break;
  }
  EXPECT_TRUE(st().TaskActive[task::AnswerReveal]);
}

TEST_F(EngineTest, QuitKeysAskTheExitQuestionOnlyWithAModifier) {
  struct Case {
    Qt::KeyboardModifier held;
    int key;
    int questions;
  };
  for (const Case& c : {Case{Qt::NoModifier, Qt::Key_Q, 0}, Case{Qt::NoModifier, Qt::Key_X, 0},
                        Case{Qt::ControlModifier, Qt::Key_Q, 1}, Case{Qt::AltModifier, Qt::Key_Q, 1},
                        Case{Qt::ControlModifier, Qt::Key_X, 1}, Case{Qt::AltModifier, Qt::Key_X, 1},
                        Case{Qt::NoModifier, Qt::Key_Escape, 1}}) {
    platform->box.messages.clear();
    platform->box.answers = {InfoBox::No};
    PressWith(c.held, c.key);
    ASSERT_EQ(platform->box.messages.size(), c.questions) << c.key;
    if (c.questions == 1) {
      EXPECT_EQ(platform->box.messages[0], (RecordingInfoBox::Message{kExitQuestion, 36}));
    }
    EXPECT_FALSE(platform->closed);
  }
}

TEST_F(EngineTest, NoToTheExitQuestionLeavesTheGameAsItWas) {
  JumpTo(5);
  platform->time = st().ClockStart + 3;
  g().Tick();
  const GameState before = st();
  const QString question = CaptionText(el::QuestionFrame);
  platform->box.answers = {InfoBox::No};
  g().KeyPressed(Qt::Key_Escape, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(platform->closeRequests, 1);
  EXPECT_FALSE(platform->closed);
  EXPECT_EQ(st().QuestionNumber, before.QuestionNumber);
  EXPECT_EQ(st().AnswersOpen, before.AnswersOpen);
  EXPECT_EQ(st().TaskActive, before.TaskActive);
  EXPECT_EQ(st().TimeLimit, before.TimeLimit);
  EXPECT_EQ(st().CurrentPanel, before.CurrentPanel);
  EXPECT_EQ(CaptionText(el::QuestionFrame), question);
  // The box may have taken the modifiers' release: a plain M after it takes nothing.
  g().KeyPressed(Qt::Key_M);
  EXPECT_EQ(st().CurrentPanel, 0);

  platform->box.answers = {InfoBox::Yes};
  g().KeyPressed(Qt::Key_Escape);
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
      {"the record panel", [this] { JumpTo(2); PressWith(Qt::ControlModifier, Qt::Key_M); }, true},
      {"the loss panel", [this] { JumpTo(2); AnswerWrong(); }, false},
      {"the board after a game", [this] { JumpTo(2); AnswerWrong(); g().KeyPressed(Qt::Key_Return); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    Start({6, 6, 6, 6, 6, 6, 6});
    c.reach();
    platform->box.messages.clear();
    g().KeyPressed(Qt::Key_Escape);
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
    PressWith(Qt::ControlModifier, Qt::Key_M);
    ASSERT_EQ(st().CurrentPanel, RecordPanel);
    g().screen().nameBox().text = c.typed;
    platform->box.answers = {InfoBox::Yes};
    g().KeyPressed(Qt::Key_Escape);
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
  PressWith(Qt::ControlModifier, Qt::Key_M);
  platform->box.answers = {InfoBox::No};
  g().KeyPressed(Qt::Key_Escape);
  EXPECT_FALSE(platform->closed);
  EXPECT_EQ(st().CurrentPanel, RecordPanel);
  EXPECT_EQ(QFile(WinnersPath()).size(), 0);
}

TEST_F(EngineTest, CloseRequestsFromTheSystemAskTheSameQuestion) {
  for (int answer : {InfoBox::No, InfoBox::Yes, InfoBox::NotShown}) {
    platform->box.answers = {answer};
    EXPECT_EQ(g().CloseRequested(), answer == InfoBox::No);
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
  g().Perform(Command::Exit);
  EXPECT_TRUE(platform->closed);
}

TEST_F(EngineTest, ClickingAnAnswersCaptionChoosesIt) {
  JumpTo(2);
  const ElementId e = g().AnswerElement(3);
  g().ClickCaption(e);
  EXPECT_EQ(st().ChosenElement, e);
  EXPECT_FALSE(st().AnswersOpen);
}

TEST_F(EngineTest, ChoosingAnAnswerDropsThePointedLook) {
  JumpTo(2);
  const ElementId e = g().AnswerElement(1);
  g().PointerMoved(e, 10, 10);
  ASSERT_EQ(RowOf(e), CellOf(AnswerLook::Pointed).row);
  g().ClickElement(e);
  EXPECT_EQ(st().pointer.HotElement, el::Background);
  EXPECT_EQ(RowOf(e), CellOf(AnswerLook::Normal).row);
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
      {"take the money", [this] { PressWith(Qt::ControlModifier, Qt::Key_M); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(2);
    const ElementId e = el::AnswerA;
    g().PointerMoved(e, 10, 10);
    ASSERT_EQ(E(e).caption.colour, E(e).pointedCaptionColour);
    c.switchOff();
    ASSERT_NE(st().CurrentPanel, 0);
    ASSERT_FALSE(E(e).enabled);
    g().KeyPressed(Qt::Key_Return);  // the result panel
    g().KeyPressed(Qt::Key_Return);  // the leaderboard, back to the start screen
    ASSERT_EQ(st().CurrentPanel, 0);
    // The pointer moved off to the title strip while the panels were shown.
    g().PointerMoved(el::TitleStrip, 10, 10);
    g().KeyPressed(Qt::Key_F2);
    RevealQuestion();
    for (const ElementId a : kAnswerSlots) {
      EXPECT_EQ(RowOf(a), CellOf(AnswerLook::Normal).row) << a;
      EXPECT_EQ(E(a).caption.colour, E(a).captionColour) << a;
    }
  }
}

TEST_F(EngineTest, FiftyFiftyOnThePointedAnswerLeavesNoPointedColourBehind) {
  JumpTo(2);
  // 50/50 by key removes the answer the pointer rests on.
  platform->random.Push({0.0, 0.0, 0.5});  // removes answers 2 and 3
  const ElementId removed = g().AnswerElement(2);
  g().PointerMoved(removed, 10, 10);
  g().KeyPressed(Qt::Key_1);
  ASSERT_FALSE(E(removed).enabled);
  EXPECT_EQ(E(removed).caption.colour, E(removed).captionColour);
  // The pointer is on it when the next question opens: there it is pointed at again.
  AnswerRight();
  g().PointerMoved(removed, 12, 12);
  EXPECT_EQ(RowOf(removed), CellOf(AnswerLook::Normal).row);  // not while the question is still appearing
  RevealQuestion();
  EXPECT_EQ(st().pointer.HotElement, removed);
  EXPECT_EQ(RowOf(removed), CellOf(AnswerLook::Pointed).row);
  EXPECT_EQ(E(removed).caption.colour, E(removed).pointedCaptionColour);
  for (const ElementId a : kAnswerSlots) {
    if (a == removed) continue;
    EXPECT_EQ(RowOf(a), CellOf(AnswerLook::Normal).row) << a;
    EXPECT_EQ(E(a).caption.colour, E(a).captionColour) << a;
  }
}

TEST_F(EngineTest, KeysAndCommandsDoTheSame) {
  // A key is its command: a new game from the board a game has led to leaves the
  // board first, by F2 or by the command itself.
  struct Case {
    const char* how;
    std::function<void()> ask;
  };
  const Case cases[] = {
      {"F2", [this] { g().KeyPressed(Qt::Key_F2); }},
      {"the command", [this] { g().Perform(Command::NewGame); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(2);
    AnswerWrong();
    g().KeyPressed(Qt::Key_Return);  // the loss panel gives way to the board
    ASSERT_EQ(st().CurrentPanel, LeaderboardPanel);
    c.ask();
    EXPECT_EQ(st().QuestionNumber, 1);
    EXPECT_EQ(st().CurrentPanel, 0);
    EXPECT_FALSE(E(el::Leaderboard).visible);
  }
  // Sound, the rules and leaving likewise.
  const bool sound = g().SoundOn();
  g().Perform(Command::ToggleSound);
  EXPECT_NE(g().SoundOn(), sound);
  g().Perform(Command::Rules);
  EXPECT_TRUE(g().PageOpen());
  g().Perform(Command::NextPage);
  EXPECT_EQ(g().screen().pages().current(), 1);
  g().Perform(Command::ClosePage);
  EXPECT_FALSE(g().PageOpen());
}
