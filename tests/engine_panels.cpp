// The result panels with the record entry, the leaderboard view and the start screen.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <memory>

#include "data/codec.h"
#include "data/winners_table.h"
#include "engine_fakes.h"
#include "screen/element_table.h"
#include "tests/fixtures/file_size_limit.h"

using namespace Qt::StringLiterals;

namespace {

/// A board of the given sums, names "Игрок 1", "Игрок 2" …
WinnersTable Board(const QList<qint32>& sums) {
  WinnersTable table;
  for (qint32 sum : sums) {
    table.rows.append({u"Игрок "_s + QString::number(table.count() + 1), QString::number(sum)});
  }
  return table;
}

/// Sums 50000, 49000, … one per row.
QList<qint32> Falling(int rows, qint32 top = 50000) {
  QList<qint32> sums;
  for (int i = 0; i < rows; ++i) sums.append(top - 1000 * i);
  return sums;
}

}  // namespace

class PanelTest : public EngineTest {
 protected:
  void WriteBoard(const WinnersTable& table) {
    ScriptedRandomSource random;
    ASSERT_TRUE(SaveWinners(WinnersPath(), table, random));
  }
  WinnersTable ReadBoard() {
    WinnersTable table;
    RecordingInfoBox box;
    LoadWinners(WinnersPath(), table, box);
    return table;
  }
  QStringList Names(const WinnersTable& t) {
    QStringList names;
    for (int r = 1; r <= t.count(); ++r) names.append(t.AtRank(r).name);
    return names;
  }
  QStringList Sums(const WinnersTable& t) {
    QStringList sums;
    for (int r = 1; r <= t.count(); ++r) sums.append(t.AtRank(r).sum);
    return sums;
  }
  /// A game ended with `result` in the record panel.
  void EndWith(qint32 result) {
    JumpTo(2);
    setup().SetUpRound({.question = 2, .guaranteedSum = result});
    setup().ShowPanel(Panel::Record, true);
  }
};

TEST_F(PanelTest, AResultGoesIntoTheBoardAtItsRank) {
  struct Case {
    QList<qint32> board;
    qint32 result;
    int rank;
    QStringList sumsAfter;
  };
  QStringList full;
  for (qint32 s : Falling(49)) full.append(QString::number(s));
  full.insert(25, u"25500"_s);  // rows 26 … 49 move down; the old row 50 (1000) drops out
  const Case cases[] = {
      {{}, 500, 1, {u"500"_s}},
      {{1000000, 32000, 1000}, 32000, 2, {u"1000000"_s, u"32000"_s, u"32000"_s, u"1000"_s}},
      {Falling(50), 25500, 26, full},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    Start({6, 6, 6, 6, 6, 6, 6});
    WriteBoard(Board(c.board));
    EndWith(c.result);
    EXPECT_EQ(g().RecordRank(), c.rank);
    EXPECT_EQ(Sums(g().Board()), c.sumsAfter);
    EXPECT_EQ(ReadBoard().count(), int(c.board.size()));  // nothing written before the name
    g().KeyPressed(Qt::Key_Return);
    const WinnersTable saved = ReadBoard();
    EXPECT_EQ(Sums(saved), c.sumsAfter);
    EXPECT_EQ(saved.AtRank(c.rank).name, u"Неизвестный фартовик"_s);
    if (c.rank > 1) {
      EXPECT_EQ(saved.AtRank(c.rank - 1).name, u"Игрок "_s + QString::number(c.rank - 1));
    }
    if (c.rank < saved.count()) {
      EXPECT_EQ(saved.AtRank(c.rank + 1).name, u"Игрок "_s + QString::number(c.rank));
    }
    EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  }
}

TEST_F(PanelTest, AFullBoardOfBetterResultsAsksNoNameSaysWhatWasLackingAndStaysAsItWas) {
  WriteBoard(Board(Falling(50, 1000000)));  // the 50th row holds 951000
  const QByteArray before = [&] {
    QFile f(WinnersPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  JumpTo(2);
  PressWith(Qt::ControlModifier, Qt::Key_M);  // takes the 100
  EXPECT_EQ(g().RecordRank(), 0);
  EXPECT_EQ(g().OpenPanel(), Panel::Record);
  EXPECT_TRUE(E(el::VictoryPanel).visible);
  const QString text = CaptionText(el::VictoryPanel);
  EXPECT_FALSE(text.contains(u"попадаете в таблицу"_s)) << text.toStdString();
  EXPECT_TRUE(text.endsWith(u"\r\nдо 50-го места не хватило 950\u2009900 у.е."_s)) << text.toStdString();
  // No name box and no strip to type in.
  EXPECT_FALSE(g().screen().nameBox().visible);
  EXPECT_EQ(platform->nameBoxFocus, 0);
  EXPECT_EQ(RowOf(el::VictoryPanel), CellOf(RecordPanelLook{RecordHeading::Victory, false}).row);
  g().TypeName(u"Вася"_s);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  EXPECT_EQ(g().screen().listHighlight(), 0);
  QFile f(WinnersPath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);
}

TEST_F(PanelTest, TheRecordPanelTellsHowTheGameEndedAndLightsTheSumTakenHome) {
  const QString thin(QChar(0x2009));
  struct Case {
    int question;  // the question the game ends on
    Ending how;
    QString firstLine, sum;
    RecordHeading heading;
    int litRow;  // the ladder row of the sum taken home
  };
  const Case cases[] = {
      {2, Ending::TookMoney, u"Вы решили взять деньги."_s, u"100"_s, RecordHeading::Victory, 1},
      {7, Ending::Wrong, u"Правильный ответ: «%1»."_s, u"1"_s + thin + u"000"_s, RecordHeading::WrongAnswer, 5},
      {12, Ending::TimeOut, u"Вы не успели ответить."_s, u"32"_s + thin + u"000"_s, RecordHeading::TimeOut, 10},
      {15, Ending::Million, u"Вы ответили на все пятнадцать вопросов!"_s, u"1"_s + thin + u"000"_s + thin + u"000"_s,
       RecordHeading::Victory, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.how));
    Start({6, 6, 6, 6, 6, 6, 6});
    PlayTo(c.question);
    const QString correct = g().CurrentQuestion().answers[0];
    switch (c.how) {
      case Ending::TookMoney: PressWith(Qt::ControlModifier, Qt::Key_M); break;
      case Ending::Wrong: AnswerWrong(); break;
      case Ending::TimeOut:
        platform->time += g().Clock().Limit() + 1;
        Tick();
        break;
      case Ending::Million: AnswerRight(); break;
    }
    ASSERT_EQ(g().OpenPanel(), Panel::Record);
    const QStringList lines = CaptionText(el::VictoryPanel).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], c.how == Ending::Wrong ? c.firstLine.arg(correct) : c.firstLine);
    EXPECT_EQ(lines[1], u"Вы уносите "_s + c.sum + u" у.е. (1 у.е. = 1 Фартик'у)."_s);
    EXPECT_EQ(lines[3], u"с ним вы попадаете в таблицу лидеров."_s);
    EXPECT_EQ(RowOf(el::VictoryPanel), CellOf(RecordPanelLook{c.heading, true}).row);
    for (int n = 1; n <= 15; ++n)
      EXPECT_EQ(RowOf(LadderRung(n)), CellOf(n < c.litRow    ? RungLook::Won
                                             : n == c.litRow ? RungLook::Current
                                                             : RungLook::NotWon)
                                          .row)
          << n;
  }
}

TEST_F(PanelTest, ALossWithNothingTakenHomeLightsNoLadderRow) {
  PlayTo(4);
  AnswerWrong();
  ASSERT_EQ(g().OpenPanel(), Panel::Loss);
  for (const ElementId e : kLadderRungs) EXPECT_EQ(RowOf(e), CellOf(RungLook::NotWon).row) << e;
}

TEST_F(PanelTest, ThePanelTellsTheSumAndItsRating) {
  EndWith(32000);
  EXPECT_TRUE(CaptionText(el::VictoryPanel)
                  .endsWith(u"\r\nВы уносите 32\u2009000 у.е. (1 у.е. = 1 Фартик'у).\r\nЭто отличный результат,\r\n"
                            u"с ним вы попадаете в таблицу лидеров."_s))
      << CaptionText(el::VictoryPanel).toStdString();
  EXPECT_EQ(E(el::VictoryPanel).tooltip, QString());
  const NameBox& box = g().screen().nameBox();
  EXPECT_TRUE(box.visible);
  EXPECT_EQ(box.text, u"Неизвестный фартовик"_s);
  EXPECT_EQ(box.selectionStart, 0);
  EXPECT_EQ(box.selectionLength, box.text.size());
  EXPECT_EQ(platform->nameBoxFocus, 1);
  EXPECT_TRUE(E(el::VictoryConfirm).visible);
}

TEST_F(PanelTest, RatingsCoverTheirBoundsInclusively) {
  struct Case {
    qint32 sum;
    const char16_t* word;
  };
  for (const Case c : {Case{100, u"неплохой"}, Case{500, u"неплохой"}, Case{1000, u"хороший"}, Case{16000, u"хороший"},
                       Case{32000, u"отличный"}, Case{125000, u"отличный"}, Case{250000, u"практически недостижимый"},
                       Case{1000000, u"практически недостижимый"}})
    EXPECT_EQ(Game::RatingWord(c.sum), QString::fromUtf16(c.word)) << c.sum;
}

TEST_F(PanelTest, TheConfirmedNameIsWhatTheBoxHoldsMadeStorable) {
  struct Case {
    QString typed, stored;
  };
  // An emptied box, or one of blanks, stores the default name rather than a blank row.
  for (const Case& c :
       {Case{u"Вася"_s, u"Вася"_s}, Case{QString(), u"Неизвестный фартовик"_s},
        Case{u"   "_s, u"Неизвестный фартовик"_s}, Case{u" Вася "_s, u"Вася"_s}, Case{u"Ωмега"_s, u"?мега"_s}}) {
    SCOPED_TRACE(c.stored.toStdString());
    Start({6, 6, 6, 6, 6, 6, 6});
    EndWith(1000);
    g().TypeName(c.typed);
    g().KeyPressed(Qt::Key_Return);
    const WinnersTable saved = ReadBoard();
    ASSERT_EQ(saved.count(), 1);
    EXPECT_EQ(saved.AtRank(1).name, c.stored);
    EXPECT_EQ(ColumnText(BoardColumn::Name), c.stored);
  }
}

TEST_F(PanelTest, LossAndTimeOutPanelsLeadToTheUnchangedBoard) {
  for (Panel panel : {Panel::Loss, Panel::Timeout}) {
    SCOPED_TRACE(int(panel));
    Start({6, 6, 6, 6, 6, 6, 6});
    WriteBoard(Board({64000, 2000}));
    const QByteArray before = [&] {
      QFile f(WinnersPath());
      return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    JumpTo(1);
    setup().ShowPanel(panel, true);
    EXPECT_EQ(g().OpenPanel(), panel);
    g().KeyPressed(Qt::Key_Return);
    EXPECT_FALSE(E(panel == Panel::Loss ? el::LossPanel : el::TimeoutPanel).visible);
    EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
    EXPECT_EQ(ColumnText(BoardColumn::Sum), u"64\u2009000\r\n2\u2009000"_s);
    QFile f(WinnersPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
  }
}

TEST_F(PanelTest, TheLeaderboardListsRowsInThreeColumns) {
  WriteBoard(Board({1000000, 32000, 500}));
  g().OpenLeaderboard();
  EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  EXPECT_EQ(ColumnText(BoardColumn::Rank), u"1.\r\n2.\r\n3."_s);
  EXPECT_EQ(ColumnText(BoardColumn::Name), u"Игрок 1\r\nИгрок 2\r\nИгрок 3"_s);
  // Sums as the player reads them everywhere; the file keeps its plain digits.
  EXPECT_EQ(ColumnText(BoardColumn::Sum), u"1\u2009000\u2009000\r\n32\u2009000\r\n500"_s);
  for (const ElementId e : {el::Leaderboard, el::ScrollTrack, el::ScrollUp, el::ScrollDown, el::ScrollThumb,
                            el::HideTable, el::ClearTable, el::LeaderboardHeader})
    EXPECT_TRUE(E(e).visible) << e;
  for (const ElementId e : {el::ScrollTrack, el::ScrollUp, el::ScrollDown, el::ScrollThumb})
    EXPECT_FALSE(E(e).enabled) << e;  // the list fits
  EXPECT_FALSE(g().NewGameEnabled());
  EXPECT_FALSE(g().WinnersEnabled());
  // The scroll buttons keep their own tooltips, and so does the board.
  EXPECT_EQ(E(el::ScrollUp).tooltip, u"Вверх"_s);
  EXPECT_EQ(E(el::ScrollUp).caption.tooltip, u"Вверх"_s);
  EXPECT_EQ(E(el::Leaderboard).tooltip, QString());

  g().KeyPressed(Qt::Key_Return);
  for (const ElementId e : {el::Leaderboard, el::ScrollTrack, el::ScrollUp, el::ScrollDown, el::ScrollThumb,
                            el::HideTable, el::ClearTable, el::LeaderboardHeader})
    EXPECT_FALSE(E(e).visible) << e;
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  EXPECT_TRUE(g().NewGameEnabled());
  EXPECT_TRUE(g().WinnersEnabled());
  EXPECT_TRUE(CaptionText(el::QuestionFrame).startsWith(u"Чтобы начать новую игру"_s));
}

TEST_F(PanelTest, ALongListEnablesTheScrollBarAndOpensUnscrolledEveryTime) {
  struct Case {
    int rowsInFile, rowsShown;
    bool scrolls;
  };
  for (const Case c : {Case{0, 0, false}, Case{25, 25, false}, Case{26, 26, true}, Case{60, 50, true}}) {
    SCOPED_TRACE(c.rowsInFile);
    Start({6, 6, 6, 6, 6, 6, 6});
    // More rows than a board holds can only come from outside: write them raw.
    ScriptedRandomSource random;
    QByteArray bytes = WinnersFileBytes(Board(Falling(std::min(c.rowsInFile, 50))), random);
    if (c.rowsInFile > 50) bytes += WinnersFileBytes(Board(Falling(c.rowsInFile - 50, 100)), random);
    QFile f(WinnersPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    g().OpenLeaderboard();
    EXPECT_EQ(g().Board().count(), c.rowsShown);
    EXPECT_EQ(ColumnText(BoardColumn::Rank).count(u"\r\n"_s), std::max(c.rowsShown - 1, 0));
    for (const ElementId e : {el::ScrollTrack, el::ScrollUp, el::ScrollDown, el::ScrollThumb})
      EXPECT_EQ(E(e).enabled, c.scrolls) << e;
    if (!c.scrolls) continue;

    // Scroll down, hide, show again: the list and the thumb are back at the top.
    for (int i = 0; i < 5; ++i) {
      g().PointerPressed(el::ScrollDown, 5, 5);
      g().PointerReleased(el::ScrollDown, 5, 5);
    }
    ASSERT_GT(E(el::ScrollThumb).top, 43);
    ASSERT_LT(g().screen().board().top, 0);
    g().KeyPressed(Qt::Key_Return);
    g().OpenLeaderboard();
    EXPECT_EQ(E(el::ScrollThumb).top, 43);
    EXPECT_EQ(g().screen().board().top, 0);
  }
}

TEST_F(PanelTest, TheRowJustNamedIsLitAndScrolledIntoView) {
  WriteBoard(Board(Falling(49, 1000000)));
  EndWith(100);  // the 50th row, far below the panel's end
  ASSERT_EQ(g().RecordRank(), 50);
  g().KeyPressed(Qt::Key_Return);
  ASSERT_EQ(g().OpenPanel(), Panel::Leaderboard);
  EXPECT_EQ(g().screen().listHighlight(), 50);
  const QRectF row = g().screen().ListRowRect(50);
  EXPECT_TRUE(QRectF(E(el::Leaderboard).Box()).contains(row)) << row.top() << " " << row.bottom();
  EXPECT_GT(E(el::ScrollThumb).top, 43);  // the thumb went with the list
  // Shown again later, from the menu, the board lights nothing and opens at its top.
  g().KeyPressed(Qt::Key_Return);
  g().OpenLeaderboard();
  EXPECT_EQ(g().screen().listHighlight(), 0);
  EXPECT_EQ(g().screen().board().top, 0);
}

TEST_F(PanelTest, KeysAndTheWheelScrollTheBoardWithinItsEnds) {
  WriteBoard(Board(Falling(50)));
  g().OpenLeaderboard();
  const Element& list = E(el::Leaderboard);
  const qreal line = g().screen().ListRowRect(1).height();
  const BoardView& board = g().screen().board();
  const qreal lowest = list.height - board.height();  // the list's top at its end
  const qreal page = list.height - line;
  ASSERT_GT(line, 0);
  ASSERT_LT(lowest, -3 * line);
  // Where a move of the list by `by` from `from` ends: the ends hold.
  const auto moved = [&](qreal from, qreal by) { return std::clamp(from + by, lowest, qreal(0)); };
  struct Step {
    int key;    // 0: a wheel notch towards the player
    qreal top;  // where the list stands afterwards
  };
  const Step steps[] = {
      {Qt::Key_Up, 0},  // already at the top
      {Qt::Key_Down, -line},
      {Qt::Key_PageDown, moved(-line, -page)},
      {Qt::Key_Home, 0},
      {0, -3 * line},
      {Qt::Key_End, lowest},
      {Qt::Key_Down, lowest},  // already at the end
      {Qt::Key_PageUp, moved(lowest, page)},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.key);
    if (step.key == 0) g().WheelBoard(-120);
    else g().KeyPressed(step.key);
    EXPECT_NEAR(board.top, step.top, 0.5);
    for (const BoardColumn column : kBoardColumns)
      EXPECT_NEAR(g().screen().BoardColumnRect(column).top(), list.Box().top() + step.top, 0.5) << int(column);
  }
  // At the end of the list the thumb stands at the end of its track, the last row
  // at the panel's foot.
  g().KeyPressed(Qt::Key_End);
  EXPECT_NEAR(E(el::ScrollThumb).top + E(el::ScrollThumb).height, E(el::ScrollDown).top, 0.01);
  EXPECT_NEAR(g().screen().ListRowRect(50).bottom(), list.Box().top() + list.height, 0.5);
}

TEST_F(PanelTest, F2FromTheBoardStartsTheNextGame) {
  EndWith(1000);
  g().KeyPressed(Qt::Key_Return);
  ASSERT_EQ(g().OpenPanel(), Panel::Leaderboard);
  g().KeyPressed(Qt::Key_F2);
  EXPECT_FALSE(E(el::Leaderboard).visible);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
  EXPECT_EQ(round().question, 1);
  EXPECT_TRUE(g().QuestionReveal().Running());
}

TEST_F(PanelTest, ClearingTheBoardDeletesTheFileAndShowsItEmpty) {
  WriteBoard(Board(Falling(10)));
  g().KeyPressed(Qt::Key_K);  // not shown: nothing
  EXPECT_EQ(ReadBoard().count(), 10);
  g().OpenLeaderboard();
  ASSERT_EQ(g().Board().count(), 10);
  platform->box.answers = {InfoBox::Answer::Yes};
  g().KeyPressed(Qt::Key_K);
  EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  EXPECT_EQ(g().Board().count(), 0);
  EXPECT_EQ(ColumnText(BoardColumn::Rank), QString());
  EXPECT_EQ(ColumnText(BoardColumn::Name), u"Таблица пуста"_s);
  EXPECT_TRUE(QFile::exists(WinnersPath()));  // read again, created empty
  EXPECT_EQ(QFile(WinnersPath()).size(), 0);
  for (const ElementId e : {el::ScrollTrack, el::ScrollUp, el::ScrollDown, el::ScrollThumb})
    EXPECT_FALSE(E(e).enabled) << e;
}

TEST_F(PanelTest, ClearingABoardThatWillNotGoShowsItAgain) {
  // A folder where the file should be: removing it fails, reading it gives nothing.
  g().SetWinnersPath(dir->path() + u"/Stuck"_s);
  ASSERT_TRUE(QDir(dir->path()).mkdir(u"Stuck"_s));
  g().OpenLeaderboard();
  platform->box.answers = {InfoBox::Answer::Yes};
  g().ClickElement(el::ClearTable);
  EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  EXPECT_TRUE(QFileInfo(dir->path() + u"/Stuck"_s).isDir());
}

TEST_F(PanelTest, TheStartScreenClearsTheBoardWithOrWithoutTheInvitation) {
  JumpTo(3);
  setup().ClearForResult();
  EXPECT_EQ(CaptionText(el::QuestionFrame), QString());
  EXPECT_FALSE(g().NewGameEnabled());  // the menu stays as it was
  EXPECT_EQ(round().question, 3);
  for (const ElementId e : {el::QuestionFrame, el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD, el::FiftyFifty,
                            el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
    EXPECT_FALSE(E(e).enabled) << e;
  for (const ElementId e : kAnswerSlots) EXPECT_EQ(CaptionText(e), QString());
  EXPECT_FALSE(g().Clock().Running());
  EXPECT_FALSE(E(el::ClockBar).visible);
  setup().ShowStartScreen();
  EXPECT_EQ(round().question, 0);
  EXPECT_FALSE(round().answersOpen);
  EXPECT_TRUE(g().NewGameEnabled());
  EXPECT_EQ(CaptionText(el::QuestionFrame),
            u"Чтобы начать новую игру, нажмите F2 или \"Новая\" в \"Меню\". Правила игры — F1."_s);
}

TEST_F(PanelTest, ShowPanelKeepsTheNumberOfTheLastPanelShown) {
  JumpTo(2);
  setup().ShowPanel(Panel::Phone, true);
  EXPECT_EQ(g().OpenPanel(), Panel::Phone);
  setup().ShowPanel(Panel::Poll, true);
  EXPECT_EQ(g().OpenPanel(), Panel::Poll);
  setup().ShowPanel(Panel::Poll, false);
  EXPECT_EQ(g().OpenPanel(), Panel::None);
}

namespace {

/// A second game running beside the first one, over the same folder.
struct SecondGame {
  SecondGame(FakeMeasurer& measurer, const QString& folder) : game(platform, measurer, folder, &TestSheet) {
    platform.game = &game;
    game.Start();
  }
  void EndWith(qint32 result) {
    game.NewGame();
    GameTestAccess(game).SetUpRound({.question = 1, .guaranteedSum = result});
    GameTestAccess(game).ShowPanel(Panel::Record, true);
  }
  ScriptedPlatform platform;
  Game game;
};

/// A board of real size: 50 names of 25 letters.
WinnersTable RealSizeBoard() {
  WinnersTable table = Board(Falling(50, 252000));
  for (int r = 1; r <= table.count(); ++r) table.AtRank(r).name = QString(25, QChar(u'А' + r % 32));
  return table;
}

}  // namespace

TEST_F(PanelTest, TwoGamesWithRecordPanelsOpenBothEndUpInTheFile) {
  WriteBoard(Board({64000, 2000}));
  SecondGame other(measurer, dir->path());
  ASSERT_EQ(other.game.paths().winnersPath, WinnersPath());
  EndWith(32000);
  other.EndWith(500);
  g().TypeName(u"Первая"_s);
  other.game.TypeName(u"Вторая"_s);
  g().KeyPressed(Qt::Key_Return);
  other.game.KeyPressed(Qt::Key_Return);
  const WinnersTable saved = ReadBoard();
  EXPECT_EQ(Sums(saved), QStringList({u"64000"_s, u"32000"_s, u"2000"_s, u"500"_s}));
  EXPECT_EQ(saved.AtRank(2).name, u"Первая"_s);
  EXPECT_EQ(saved.AtRank(4).name, u"Вторая"_s);
  EXPECT_TRUE(platform->box.messages.isEmpty());
  EXPECT_TRUE(other.platform.box.messages.isEmpty());
}

TEST_F(PanelTest, AClearByOneGameIsNotUndoneByAnother) {
  WriteBoard(Board(Falling(10)));
  SecondGame other(measurer, dir->path());
  other.EndWith(500);  // reads the ten rows
  g().OpenLeaderboard();
  platform->box.answers = {InfoBox::Answer::Yes};
  g().ClickElement(el::ClearTable);
  ASSERT_EQ(ReadBoard().count(), 0);
  other.game.KeyPressed(Qt::Key_Return);
  const WinnersTable saved = ReadBoard();
  EXPECT_EQ(Sums(saved), QStringList({u"500"_s}));
  EXPECT_EQ(saved.AtRank(1).name, u"Неизвестный фартовик"_s);
}

TEST_F(PanelTest, AFailedSaveTellsThePlayerKeepsTheOldFileAndALaterSaveStoresTheResult) {
  WriteBoard(RealSizeBoard());
  const QByteArray old = [&] {
    QFile f(WinnersPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  EndWith(250000);
  g().TypeName(u"Везунчик"_s);
  // The disk is full: the rows fit the write buffer, the disk refuses them after.
  UnderFileSizeLimit(4096, [&] { g().KeyPressed(Qt::Key_Return); });
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages[0].text, WinnersNotStoredMessage(WinnersPath(), WinnersWrite::Failed));
  EXPECT_EQ(platform->box.messages[0].kind, InfoBox::Kind::Warning);
  QFile f(WinnersPath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), old);
  f.close();
  // The board shown keeps the result, at its rank.
  EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  EXPECT_EQ(g().Board().AtRank(3).name, u"Везунчик"_s);
  EXPECT_TRUE(ColumnText(BoardColumn::Name).contains(u"Везунчик"_s));

  // The next result is stored with the kept one.
  g().KeyPressed(Qt::Key_Return);
  EndWith(100);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(platform->box.messages.size(), 1);
  const WinnersTable saved = ReadBoard();
  EXPECT_EQ(saved.count(), 50);
  EXPECT_EQ(saved.AtRank(3).name, u"Везунчик"_s);
  EXPECT_EQ(saved.AtRank(3).sum, u"250000"_s);
  EXPECT_EQ(saved.AtRank(4).sum, u"250000"_s);
  EXPECT_EQ(saved.AtRank(50).sum, u"204000"_s);  // the old last row dropped; the 100 has no room
}

TEST_F(PanelTest, ABoardThatCannotBeReadIsSaidOnceAndNeverWrittenOver) {
  // A folder where the file should be stands for any board that exists but cannot
  // be read (permissions, an I/O error).
  ASSERT_TRUE(QDir().mkpath(WinnersPath() + u"/inside"_s));
  g().OpenLeaderboard();
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages[0].text, UnreadableWinnersMessage(WinnersPath()));
  g().KeyPressed(Qt::Key_Return);  // hiding reads it again, without another message
  EndWith(1000);
  EXPECT_EQ(platform->box.messages.size(), 1);
  g().KeyPressed(Qt::Key_Return);
  ASSERT_EQ(platform->box.messages.size(), 2);
  EXPECT_EQ(platform->box.messages[1].text, WinnersNotStoredMessage(WinnersPath(), WinnersWrite::Unreadable));
  EXPECT_TRUE(QFileInfo(WinnersPath() + u"/inside"_s).isDir());
  // The result is kept and shown; once the board can be read, the next save stores it.
  EXPECT_EQ(ColumnText(BoardColumn::Sum), u"1\u2009000"_s);
  ASSERT_TRUE(QDir(WinnersPath()).removeRecursively());
  g().KeyPressed(Qt::Key_Return);
  EndWith(500);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(Sums(ReadBoard()), QStringList({u"1000"_s, u"500"_s}));
  EXPECT_EQ(platform->box.messages.size(), 2);
}

TEST_F(PanelTest, TheBoardShowsControlCharactersAsQuestionMarksAndElidesWhatDoesNotFit) {
  // Groups adding up to CR, LF and NUL, which no save writes but a crafted file can hold.
  const QByteArray cr("\x06\x07\x00", 3), lf("\x03\x07\x00", 3), nul("\x00\x00\x00", 3);
  const auto row = [](const QByteArray& name, const QByteArray& sum) -> QByteArray {
    return "\x01" + name + "\x02" + sum + "\r\n";
  };
  const QByteArray file =
      QByteArray() + row(ScrambleFixed(u"А"_s, 3) + cr + ScrambleFixed(u"Б"_s, 3), ScrambleFixed(u"300"_s, 3)) +
      row(ScrambleFixed(u"В"_s, 3) + lf + ScrambleFixed(u"Г"_s, 3) + nul, ScrambleFixed(u"200"_s, 3)) +
      row(ScrambleFixed(QString(60, u'Щ'), 3), ScrambleFixed(QString(1000, u'9'), 3));
  QFile f(WinnersPath());
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(file);
  f.close();
  g().OpenLeaderboard();
  ASSERT_EQ(g().Board().count(), 3);
  EXPECT_EQ(g().Board().AtRank(1).name, u"А\rБ"_s);  // the table keeps what the file holds
  const QStringList names = ColumnText(BoardColumn::Name).split(u"\r\n"_s);
  const QStringList sums = ColumnText(BoardColumn::Sum).split(u"\r\n"_s);
  ASSERT_EQ(names.size(), 3);
  ASSERT_EQ(sums.size(), 3);
  EXPECT_EQ(names[0], u"А?Б"_s);
  EXPECT_EQ(names[1], u"В?Г?"_s);
  EXPECT_EQ(sums[0], u"300"_s);
  for (const auto& [column, line] : {std::pair{BoardColumn::Name, names[2]}, std::pair{BoardColumn::Sum, sums[2]}}) {
    SCOPED_TRACE(int(column));
    EXPECT_TRUE(line.endsWith(u"\u2026"_s)) << line.toStdString();
    EXPECT_GT(line.size(), 1);
    const BoardColumnView& c = g().screen().board().column(column);
    const QSizeF size = measurer.Measure(line, c.font, c.width);
    EXPECT_LE(size.width(), c.width);
    EXPECT_LE(size.height(), measurer.Measure(QString(), c.font, c.width).height());
  }
  // Every column is as tall as the places: the rows stay beside their numbers.
  const BoardView& board = g().screen().board();
  EXPECT_EQ(board.column(BoardColumn::Name).height, board.height());
  EXPECT_EQ(board.column(BoardColumn::Sum).height, board.height());
}

TEST_F(PanelTest, ADamagedBoardIsToldOnceUntilTheFileChanges) {
  const auto writeDamaged = [&](int rows) {
    QByteArray bytes;
    for (int r = 0; r < rows; ++r)
      bytes += "\x01" + QByteArray(3, char(200)) + "\x02" + ScrambleFixed(u"100"_s, 3) + "\r\n";
    QFile file(WinnersPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  writeDamaged(2);
  for (int show = 0; show < 4; ++show) {
    g().OpenLeaderboard();
    g().KeyPressed(Qt::Key_Return);  // hides it; hiding reads the board again too
  }
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages[0].text, DamagedFileMessage(QDir::toNativeSeparators(WinnersPath()), 2));
  // Other damage in the file is news again.
  writeDamaged(3);
  g().OpenLeaderboard();
  ASSERT_EQ(platform->box.messages.size(), 2);
  EXPECT_EQ(platform->box.messages[1].text, DamagedFileMessage(QDir::toNativeSeparators(WinnersPath()), 3));
}

TEST_F(PanelTest, ClearingABoardThatCannotBeReadAsksSayingSo) {
  // A folder in the file's place stands for any board that exists but cannot be read.
  ASSERT_TRUE(QDir().mkpath(WinnersPath() + u"/inside"_s));
  g().OpenLeaderboard();
  platform->box.messages.clear();
  platform->box.answers = {InfoBox::Answer::No};
  g().ClickElement(el::ClearTable);
  ASSERT_EQ(platform->box.messages.size(), 1);
  const InfoBox::Message& question = platform->box.messages[0];
  EXPECT_EQ(question.kind, InfoBox::Kind::Question);
  EXPECT_EQ(question.preset, InfoBox::Answer::No);
  EXPECT_TRUE(question.text.contains(QDir::toNativeSeparators(WinnersPath()))) << question.text.toStdString();
  EXPECT_TRUE(question.text.contains(u"прочитать её не удалось"_s)) << question.text.toStdString();
  EXPECT_TRUE(question.text.contains(u"будет удалён"_s)) << question.text.toStdString();
  EXPECT_TRUE(QFileInfo(WinnersPath() + u"/inside"_s).isDir());
}

/// Another game holds the board while a game ends with a result of 1000 in the
/// record panel, named `name`.
class HeldBoardTest : public PanelTest {
 protected:
  void EndWhileTheBoardIsHeld(const QString& name) {
    WriteBoard(Board({64000}));
    m_otherGame = std::make_unique<QLockFile>(WinnersPath() + u".lock"_s);
    ASSERT_TRUE(m_otherGame->tryLock(0));
    EndWith(1000);
    g().TypeName(name);
  }
  /// Leaving while the board is held: after Yes, one question names what would be
  /// lost (no box of its own for the failed save before it) and its default keeps
  /// the game. Once the other game lets go, leaving stores the result first, without
  /// a word.
  void ExpectLeavingKeepsTheResultUntilItIsStored(const QString& name) {
    platform->box.messages.clear();
    platform->box.answers = {InfoBox::Answer::Yes};
    g().Perform(Command::Exit);
    EXPECT_FALSE(platform->closed);
    ASSERT_EQ(platform->box.messages.size(), 2);
    EXPECT_EQ(platform->box.messages[0].text, kExitQuestion);
    EXPECT_TRUE(platform->box.messages[1].text.contains(name + u" — 1\u2009000"_s));
    EXPECT_EQ(platform->box.messages[1].kind, InfoBox::Kind::Question);
    EXPECT_EQ(platform->box.messages[1].preset, InfoBox::Answer::No);
    EXPECT_EQ(Names(ReadBoard()), QStringList({u"Игрок 1"_s}));

    m_otherGame->unlock();
    platform->box.messages.clear();
    platform->box.answers = {InfoBox::Answer::Yes};
    g().Perform(Command::Exit);
    EXPECT_TRUE(platform->closed);
    EXPECT_EQ(platform->box.messages.size(), 1);  // the exit question alone
    EXPECT_EQ(Names(ReadBoard()), QStringList({u"Игрок 1"_s, name}));
  }

  std::unique_ptr<QLockFile> m_otherGame;
};

TEST_F(HeldBoardTest, LeavingFromTheRecordPanelAsksBeforeTheResultIsLost) {
  ASSERT_NO_FATAL_FAILURE(EndWhileTheBoardIsHeld(u"Уходящий"_s));
  ExpectLeavingKeepsTheResultUntilItIsStored(u"Уходящий"_s);
}

TEST_F(HeldBoardTest, TheGameNeverFreezesAndTheKeptResultIsTriedAgainAtExit) {
  ASSERT_NO_FATAL_FAILURE(EndWhileTheBoardIsHeld(u"Терпеливый"_s));
  QElapsedTimer timer;
  timer.start();
  g().KeyPressed(Qt::Key_Return);
  EXPECT_LT(timer.elapsed(), 1000);
  Tick(25);  // the retries give up
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_TRUE(platform->box.messages[0].text.contains(u"другая игра"_s));
  g().KeyPressed(Qt::Key_Return);  // back to the start screen
  ExpectLeavingKeepsTheResultUntilItIsStored(u"Терпеливый"_s);
}

/// What holds the board's lock: each is made in its place and taken away again.
enum class LockHolder { RunningGame, Folder, LockOfNoProcess };

struct LockHolderCase {
  LockHolder holder;
  const char* name;
  QString said;  ///< part of what the player is told when it does not clear
};

const LockHolderCase kLockHolders[] = {
    {LockHolder::RunningGame, "another game that is running", u"другая игра"_s},
    {LockHolder::Folder, "a folder", u"лежит не файл"_s},
    {LockHolder::LockOfNoProcess, "a fresh lock that names no process", u"не освобождается"_s},
};

/// A game ends with a result of 1000, named `name`, while the board's lock is held.
class LockedBoardTest : public PanelTest {
 protected:
  QString Lock() { return WinnersPath() + u".lock"_s; }
  void Hold(LockHolder holder) {
    switch (holder) {
      case LockHolder::RunningGame:
        m_runningGame = std::make_unique<QLockFile>(Lock());
        ASSERT_TRUE(m_runningGame->tryLock(0));
        break;
      case LockHolder::Folder: ASSERT_TRUE(QDir().mkdir(Lock())); break;
      case LockHolder::LockOfNoProcess: {
        QFile file(Lock());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("garbage");
        break;
      }
    }
  }
  void Free(LockHolder holder) {
    switch (holder) {
      case LockHolder::RunningGame: m_runningGame.reset(); break;
      case LockHolder::Folder: ASSERT_TRUE(QDir().rmdir(Lock())); break;
      case LockHolder::LockOfNoProcess: ASSERT_TRUE(QFile::remove(Lock())); break;
    }
    ASSERT_FALSE(QFileInfo::exists(Lock()));
  }
  void EndWhileLocked(LockHolder holder, const QString& name) {
    WriteBoard(Board({64000}));
    ASSERT_NO_FATAL_FAILURE(Hold(holder));
    EndWith(1000);
    setup().screen().SetNameBoxText(name, false);
    platform->box.messages.clear();
    platform->sound.log.clear();
  }
  /// Confirms the name; the window must come back at once, not after a wait for the lock.
  void ConfirmWithoutAWait() {
    QElapsedTimer timer;
    timer.start();
    g().KeyPressed(Qt::Key_Return);
    EXPECT_LT(timer.elapsed(), 100);
    EXPECT_EQ(g().OpenPanel(), Panel::Leaderboard);
  }

  std::unique_ptr<QLockFile> m_runningGame;
};

TEST_F(LockedBoardTest, ALockThatClearsWithinTheRetriesLetsTheResultBeStoredWithoutAWord) {
  for (const LockHolderCase& c : kLockHolders) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(EndWhileLocked(c.holder, u"Успевший"_s));
    ConfirmWithoutAWait();
    // Shown on the board at once, in the file only once the lock clears.
    EXPECT_EQ(g().Board().AtRank(2).name, u"Успевший"_s);
    Tick(10);
    EXPECT_EQ(Names(ReadBoard()), QStringList({u"Игрок 1"_s}));
    EXPECT_FALSE(platform->sound.log.contains(u"sting record"_s));
    ASSERT_NO_FATAL_FAILURE(Free(c.holder));
    Tick();
    EXPECT_EQ(Names(ReadBoard()), QStringList({u"Игрок 1"_s, u"Успевший"_s}));
    EXPECT_TRUE(platform->box.messages.isEmpty());
    EXPECT_EQ(platform->sound.log.count(u"sting record"_s), 1);
    Tick(30);
    EXPECT_TRUE(platform->box.messages.isEmpty());
    EXPECT_EQ(platform->sound.log.count(u"sting record"_s), 1);
    g().KeyPressed(Qt::Key_Return);  // back to the start screen
  }
}

TEST_F(LockedBoardTest, ALockThatDoesNotClearIsToldOnceAfterTheRetriesAndTheResultIsKept) {
  for (const LockHolderCase& c : kLockHolders) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(EndWhileLocked(c.holder, u"Ждущий"_s));
    ConfirmWithoutAWait();
    Tick(19);
    EXPECT_TRUE(platform->box.messages.isEmpty());
    Tick(2);
    ASSERT_EQ(platform->box.messages.size(), 1);
    EXPECT_TRUE(platform->box.messages[0].text.contains(c.said)) << platform->box.messages[0].text.toStdString();
    EXPECT_TRUE(platform->box.messages[0].text.contains(QDir::toNativeSeparators(Lock())));
    EXPECT_EQ(platform->box.messages[0].kind, InfoBox::Kind::Warning);
    Tick(50);
    EXPECT_EQ(platform->box.messages.size(), 1);
    EXPECT_FALSE(platform->sound.log.contains(u"sting record"_s));
    EXPECT_EQ(Names(ReadBoard()), QStringList({u"Игрок 1"_s}));
    // Kept for the next save, which stores it once the lock is gone.
    ASSERT_NO_FATAL_FAILURE(Free(c.holder));
    g().KeyPressed(Qt::Key_Return);
    EndWith(500);
    g().KeyPressed(Qt::Key_Return);
    EXPECT_EQ(Names(ReadBoard()), QStringList({u"Игрок 1"_s, u"Ждущий"_s, u"Неизвестный фартовик"_s}));
    EXPECT_EQ(platform->box.messages.size(), 1);
    g().KeyPressed(Qt::Key_Return);
  }
}

TEST_F(LockedBoardTest, TheRetriesNeverPutAMessageOverAnOpenBox) {
  ASSERT_NO_FATAL_FAILURE(EndWhileLocked(LockHolder::RunningGame, u"Ждущий"_s));
  ConfirmWithoutAWait();
  // The exit question stays up past the retries' end; the ticks run under it.
  platform->box.whileShown = [&](const QString& text) {
    if (text == kExitQuestion) Tick(30);
  };
  platform->box.answers = {InfoBox::Answer::No};
  g().Perform(Command::Exit);
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages[0].text, kExitQuestion);
  Tick();
  ASSERT_EQ(platform->box.messages.size(), 2);
  EXPECT_TRUE(platform->box.messages[1].text.contains(u"другая игра"_s));
}

TEST_F(PanelTest, AResultPlayedWithMoreTimeKeepsItsMarkInTheFileAndTheBoardExplainsIt) {
  struct Case {
    AnswerTime time;
    QString mark;
    QString legend;
  };
  const Case cases[] = {
      {AnswerTime::Doubled, u"*"_s, u"* — время на ответ вдвое больше"_s},
      {AnswerTime::Unlimited, u"**"_s, u"** — без ограничения времени"_s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend.toStdString());
    Start({6, 6, 6, 6, 6, 6, 6});
    WriteBoard(Board({1000000, 500}));
    g().SetAnswerTime(c.time);
    EndWith(32000);
    // The panel's new row shows the mark before the name is typed.
    EXPECT_EQ(g().Board().AtRank(2).sum, u"32000"_s + c.mark);
    g().KeyPressed(Qt::Key_Return);
    EXPECT_EQ(Sums(ReadBoard()), QStringList({u"1000000"_s, u"32000"_s + c.mark, u"500"_s}));

    // Read afresh from the file: the marked row, then a blank line and the legend
    // below the rows, with the places as long.
    g().KeyPressed(Qt::Key_Return);
    g().OpenLeaderboard();
    EXPECT_EQ(ColumnText(BoardColumn::Sum), u"1\u2009000\u2009000\r\n32\u2009000"_s + c.mark + u"\r\n500"_s);
    EXPECT_EQ(ColumnText(BoardColumn::Name), u"Игрок 1\r\nНеизвестный фартовик\r\nИгрок 2\r\n\r\n"_s + c.legend);
    EXPECT_EQ(ColumnText(BoardColumn::Rank), u"1.\r\n2.\r\n3.\r\n \r\n "_s);

    // A game with the game's own limits adds an unmarked row; the legend stays, once.
    g().KeyPressed(Qt::Key_Return);
    g().SetAnswerTime(AnswerTime::Normal);
    EndWith(1000);
    g().KeyPressed(Qt::Key_Return);
    EXPECT_EQ(Sums(ReadBoard()), QStringList({u"1000000"_s, u"32000"_s + c.mark, u"1000"_s, u"500"_s}));
    EXPECT_EQ(ColumnText(BoardColumn::Name).count(c.legend), 1);
  }
}

TEST_F(PanelTest, ABoardWithBothMarksExplainsBoth) {
  WinnersTable board = Board({1000, 500, 100});
  board.rows[0].sum += AnswerTimeMark(AnswerTime::Unlimited);
  board.rows[2].sum += AnswerTimeMark(AnswerTime::Doubled);
  WriteBoard(board);
  g().OpenLeaderboard();
  EXPECT_TRUE(ColumnText(BoardColumn::Name)
                  .endsWith(u"Игрок 3\r\n\r\n* — время на ответ вдвое больше\r\n** — без ограничения времени"_s));
}
