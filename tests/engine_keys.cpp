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
    g().KeyPressed(Qt::Key_Return);
    EXPECT_EQ(g().OpenPanel(), c.after);
    // Only the record panel's confirmation writes a row.
    if (c.panel == Panel::Record) {
      EXPECT_EQ(g().Board().count(), 1);
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
    QList<InfoBox::Answer> answers;  ///< empty: the preset button, as Enter gives it
    bool cleared;
  };
  const Case cases[] = {
      {"K, Enter", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {}, false},
      {"K, No or Esc", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {InfoBox::Answer::No}, false},
      {"K, box not shown", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {InfoBox::Answer::None}, false},
      {"K, Yes", [](Game& g) { g.KeyPressed(Qt::Key_K); }, {InfoBox::Answer::Yes}, true},
      {"button, No", [](Game& g) { g.ClickElement(el::ClearTable); }, {InfoBox::Answer::No}, false},
      {"button, Yes", [](Game& g) { g.ClickElement(el::ClearTable); }, {InfoBox::Answer::Yes}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    QFile file(WinnersPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(stored);
    file.close();
    setup().ShowPanel(Panel::Leaderboard, false);
    platform->box.messages.clear();
    g().KeyPressed(Qt::Key_K);  // K asks nothing while the leaderboard is not shown
    EXPECT_TRUE(platform->box.messages.isEmpty());
    PressWith(Qt::ControlModifier, Qt::Key_W);
    ASSERT_EQ(g().OpenPanel(), Panel::Leaderboard);
    platform->box.messages.clear();
    platform->box.answers = c.answers;
    c.clear(g());
    // The stored row is damaged on purpose; its own message may come too.
    QList<InfoBox::Message> questions;
    for (const auto& m : platform->box.messages)
      if (m.kind == InfoBox::Kind::Question && m.preset == InfoBox::Answer::No) questions.append(m);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0].text, u"Очистить таблицу лидеров?"_s);
    EXPECT_EQ(fileBytes(), c.cleared ? QByteArray() : stored);
    EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
    EXPECT_EQ(ColumnText(BoardColumn::Rank).isEmpty(), c.cleared);
  }
}

TEST_F(EngineTest, DuringAGameNeitherANewGameNorTheLeaderboardCanBeOpened) {
  JumpTo(4);
  const int row = round().row;
  g().KeyPressed(Qt::Key_F2);
  PressWith(Qt::ControlModifier, Qt::Key_W);
  PressWith(Qt::AltModifier, Qt::Key_W);
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
    Qt::KeyboardModifiers held;
    bool taken;
  };
  for (const Case& c : {Case{Qt::NoModifier, false}, Case{Qt::ControlModifier, true}, Case{Qt::AltModifier, true},
                        Case{Qt::ShiftModifier, false}, Case{Qt::ControlModifier | Qt::ShiftModifier, true}}) {
    Start({6, 6, 6, 6, 6, 6, 6});
    JumpTo(3);
    g().KeyPressed(Qt::Key_M, c.held);
    EXPECT_EQ(g().OpenPanel() == Panel::Record, c.taken) << c.held.toInt();
  }
}

TEST_F(EngineTest, ModifiersAreReadFromEachKeyAlone) {
  // A modifier key pressed on its own leaves nothing behind for the next key.
  g().KeyPressed(Qt::Key_Control, Qt::ControlModifier);
  g().KeyPressed(Qt::Key_Alt, Qt::AltModifier);
  g().KeyPressed(Qt::Key_W);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  PressWith(Qt::ControlModifier, Qt::Key_W);
  EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  g().KeyPressed(Qt::Key_Return);
  // Keys that want no modifier do not mind one: Ctrl+A is still A.
  JumpTo(2);
  const ElementId a = *ButtonOf(Command::ChooseA);
  ASSERT_TRUE(E(a).enabled);
  PressWith(Qt::ControlModifier, Qt::Key_A);
  EXPECT_EQ(round().chosen, a);
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
    EXPECT_EQ(round().chosen, *ButtonOf(l.choice));
    break;
  }
  EXPECT_TRUE(g().Judgement().Running());
}

TEST_F(EngineTest, QuitKeysAskTheExitQuestionOnlyWithAModifier) {
  struct Case {
    Qt::KeyboardModifier held;
    int key;
    int questions;
  };
  for (const Case& c :
       {Case{Qt::NoModifier, Qt::Key_Q, 0}, Case{Qt::NoModifier, Qt::Key_X, 0}, Case{Qt::ControlModifier, Qt::Key_Q, 1},
        Case{Qt::AltModifier, Qt::Key_Q, 1}, Case{Qt::ControlModifier, Qt::Key_X, 1},
        Case{Qt::AltModifier, Qt::Key_X, 1}, Case{Qt::NoModifier, Qt::Key_Escape, 1}}) {
    platform->box.messages.clear();
    platform->box.answers = {InfoBox::Answer::No};
    PressWith(c.held, c.key);
    ASSERT_EQ(platform->box.messages.size(), c.questions) << c.key;
    if (c.questions == 1) {
      EXPECT_EQ(platform->box.messages[0],
                (InfoBox::Message{kExitQuestion, InfoBox::Kind::Question, InfoBox::Answer::Yes}));
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
  platform->box.answers = {InfoBox::Answer::No};
  g().KeyPressed(Qt::Key_Escape, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(platform->closeRequests, 1);
  EXPECT_FALSE(platform->closed);
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
  // The box may have taken the modifiers' release: a plain M after it takes nothing.
  g().KeyPressed(Qt::Key_M);
  EXPECT_EQ(g().OpenPanel(), Panel::None);

  platform->box.answers = {InfoBox::Answer::Yes};
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
      {"judging",
       [this] {
         JumpTo(3);
         g().ClickElement(g().AnswerElement(1));
         Tick(5);
       },
       true},
      {"the record panel",
       [this] {
         JumpTo(2);
         PressWith(Qt::ControlModifier, Qt::Key_M);
       },
       true},
      {"the loss panel",
       [this] {
         JumpTo(2);
         AnswerWrong();
       },
       false},
      {"the board after a game",
       [this] {
         JumpTo(2);
         AnswerWrong();
         g().KeyPressed(Qt::Key_Return);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    Start({6, 6, 6, 6, 6, 6, 6});
    c.reach();
    platform->box.messages.clear();
    g().KeyPressed(Qt::Key_Escape);
    ASSERT_EQ(platform->box.messages.size(), 1);
    EXPECT_EQ(platform->box.messages[0].text, u"Вы уверены, что хотите выйти?"_s);
    EXPECT_EQ(platform->box.messages[0].kind, InfoBox::Kind::Question);
    EXPECT_EQ(platform->box.messages[0].preset, c.atStake ? InfoBox::Answer::No : InfoBox::Answer::Yes);
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
    ASSERT_EQ(g().OpenPanel(), Panel::Record);
    g().TypeName(c.typed);
    platform->box.answers = {InfoBox::Answer::Yes};
    g().KeyPressed(Qt::Key_Escape);
    EXPECT_TRUE(platform->closed);
    WinnersTable saved;
    RecordingInfoBox box;
    LoadWinners(WinnersPath(), saved, box);
    ASSERT_EQ(saved.count(), 1);
    EXPECT_EQ(saved.AtRank(1).name, c.stored);
    EXPECT_EQ(saved.AtRank(1).sum, u"100"_s);
  }
  // Answered No, nothing is stored yet: the panel still waits for its name.
  Start({6, 6, 6, 6, 6, 6, 6});
  JumpTo(2);
  PressWith(Qt::ControlModifier, Qt::Key_M);
  platform->box.answers = {InfoBox::Answer::No};
  g().KeyPressed(Qt::Key_Escape);
  EXPECT_FALSE(platform->closed);
  EXPECT_EQ(g().OpenPanel(), Panel::Record);
  EXPECT_EQ(QFile(WinnersPath()).size(), 0);
}

TEST_F(EngineTest, CloseRequestsFromTheSystemAskTheSameQuestion) {
  for (InfoBox::Answer answer : {InfoBox::Answer::No, InfoBox::Answer::Yes, InfoBox::Answer::None}) {
    platform->box.answers = {answer};
    EXPECT_EQ(g().CloseRequested(), answer == InfoBox::Answer::No);
  }
}

TEST_F(EngineTest, TheWindowButtonsOpenTheMenuMinimiseAndClose) {
  g().ClickElement(el::Menu);
  ASSERT_EQ(platform->popups.size(), 1);
  EXPECT_EQ(platform->popups[0], QPoint(0, 21));
  g().ClickElement(el::Minimise);
  EXPECT_EQ(platform->minimised, 1);
  platform->box.answers = {InfoBox::Answer::No};
  g().ClickElement(el::Close);
  EXPECT_EQ(platform->closeRequests, 1);
  g().ClickCaption(el::Minimise);
  EXPECT_EQ(platform->minimised, 2);
  // The exit command from the menu takes the same way.
  platform->box.answers = {InfoBox::Answer::Yes};
  g().Perform(Command::Exit);
  EXPECT_TRUE(platform->closed);
}

TEST_F(EngineTest, ClickingAnAnswersCaptionChoosesIt) {
  JumpTo(2);
  const ElementId e = g().AnswerElement(3);
  g().ClickCaption(e);
  EXPECT_EQ(round().chosen, e);
  EXPECT_FALSE(round().answersOpen);
}

TEST_F(EngineTest, ChoosingAnAnswerDropsThePointedLook) {
  JumpTo(2);
  const ElementId e = g().AnswerElement(1);
  g().PointerMoved(e, 10, 10);
  ASSERT_EQ(RowOf(e), CellOf(AnswerLook::Pointed).row);
  g().ClickElement(e);
  EXPECT_EQ(g().Pointer().HotElement, el::Background);
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
    ASSERT_NE(g().OpenPanel(), Panel::None);
    ASSERT_FALSE(E(e).enabled);
    g().KeyPressed(Qt::Key_Return);  // the result panel
    g().KeyPressed(Qt::Key_Return);  // the leaderboard, back to the start screen
    ASSERT_EQ(g().OpenPanel(), Panel::None);
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
  EXPECT_EQ(g().Pointer().HotElement, removed);
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
    ASSERT_EQ(g().OpenPanel(), Panel::Leaderboard);
    c.ask();
    EXPECT_EQ(round().question, 1);
    EXPECT_EQ(g().OpenPanel(), Panel::None);
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
