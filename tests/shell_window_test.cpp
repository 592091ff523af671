// The real window under the offscreen platform, driven by real Qt key and mouse
// events, with a scripted clock and scripted random draws.
#include <gtest/gtest.h>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "data/winners_table.h"
#include "screen/key_table.h"
#include "shell/main_window.h"
#include "shell/qt_info_box.h"
#include "shell/title_bar_clock.h"
#include "shell/window_placement.h"
#include "tests/shell_open_window.h"
#include "tests/testing/info_box_fakes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

/// Types text as key events (QTest's own typing knows ASCII only).
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
  }
}

class WindowTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ScriptedWindowTest::SetUp());
    MainWindow::Services services = Services();
    // Numbered, so that a test can count the captions the window asks for.
    services.timeAndDate = [this] { return u"12:00 %1"_s.arg(++m_captions); };
    ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, std::move(services)));
  }

  QString WinnersPath() const { return game_const().paths().winnersPath; }
  const Game& game_const() const { return m_window->game(); }

  static Qt::Key LetterOf(ElementId element) { return Qt::Key(KeyFor(*CommandOfButton(element))); }
  Qt::Key CorrectKey() { return LetterOf(game().AnswerElement(1)); }
  Qt::Key WrongKey() { return LetterOf(game().AnswerElement(2)); }
  /// Answers the open question by key and waits for the verdict.
  void Answer(Qt::Key key) {
    WaitForAnswers();
    Key(key);
    Ticks(Judging::TicksToVerdict());
  }
  QPoint Centre(ElementId index) { return game().screen().element(index).Box().center(); }
  WinnersTable ReadWinners() {
    WinnersTable table;
    RecordingInfoBox box;
    LoadWinners(WinnersPath(), table, box);
    return table;
  }
  void WriteWinners(int rows) {
    WinnersTable table;
    table.rows.resize(rows);
    for (int r = 1; r <= rows; ++r) {
      table.AtRank(r).name = u"Игрок %1"_s.arg(r);
      table.AtRank(r).sum = QString::number(1000000 - r);
    }
    ASSERT_TRUE(SaveWinners(WinnersPath(), table, m_random));
  }

  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(m_window.get(), QEvent::MouseButtonPress, at, button, button);
  }
  void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(m_window.get(), QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }
  /// A move with no button held.
  void Move(QPoint at) { SendMouse(m_window.get(), QEvent::MouseMove, at); }
  void Click(QPoint at) {
    Press(at);
    Release(at);
  }

  int m_captions = 0;
};

TEST_F(WindowTest, StartsFramelessAtGameSizeWithoutMessages) {
  EXPECT_TRUE(m_box.messages.isEmpty());
  EXPECT_EQ(m_window->size(), QSize(640, 480));
  EXPECT_TRUE(m_window->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(game().screen().element(el::QuestionFrame).caption.text.contains(u"\"Новая\""_s));
}

TEST_F(WindowTest, GameWonByKeysAloneEndsWithTypedNameInTheFile) {
  Key(Qt::Key_F2);
  for (int question = 1; question <= 15; ++question) {
    Answer(CorrectKey());
  }
  EXPECT_EQ(game().OpenPanel(), Panel::Record);
  EXPECT_EQ(game().CurrentRound().guaranteedSum, 1000000);
  QLineEdit* name = m_window->nameBox();
  ASSERT_TRUE(name->isVisible());
  EXPECT_EQ(name->selectedText(), u"Неизвестный фартовик"_s);
  TypeText(name, u"Ваня"_s);
  QTest::keyClick(name, Qt::Key_Return);
  EXPECT_EQ(game().OpenPanel(), Panel::Leaderboard);
  const WinnersTable table = ReadWinners();
  ASSERT_EQ(table.count(), 1);
  EXPECT_EQ(table.AtRank(1).name, u"Ваня"_s);
  EXPECT_EQ(table.AtRank(1).sum, u"1000000"_s);
  Key(Qt::Key_Return);
  EXPECT_EQ(game().OpenPanel(), Panel::None);
  EXPECT_TRUE(game().NewGameEnabled());
}

TEST_F(WindowTest, WrongAnswerShowsLossPanelAndEnterLeadsBackToStart) {
  Key(Qt::Key_F2);
  Answer(WrongKey());
  EXPECT_EQ(game().OpenPanel(), Panel::Loss);
  EXPECT_TRUE(game().screen().element(el::LossPanel).visible);
  Key(Qt::Key_Return);
  EXPECT_EQ(game().OpenPanel(), Panel::Leaderboard);
  Key(Qt::Key_Return);
  EXPECT_EQ(game().OpenPanel(), Panel::None);
  EXPECT_EQ(ReadWinners().count(), 0);
}

TEST_F(WindowTest, RunningOutOfTimeShowsTheTimeoutPanel) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  Ticks(205);
  EXPECT_EQ(game().OpenPanel(), Panel::Timeout);
  Key(Qt::Key_Return);
  EXPECT_EQ(game().OpenPanel(), Panel::Leaderboard);
}

TEST_F(WindowTest, CtrlMTakesTheMoney) {
  Key(Qt::Key_F2);
  Answer(CorrectKey());
  WaitForAnswers();
  Key(Qt::Key_M);  // M alone does nothing
  EXPECT_EQ(game().OpenPanel(), Panel::None);
  CtrlKey(Qt::Key_M);
  EXPECT_EQ(game().OpenPanel(), Panel::Record);
  EXPECT_EQ(game().CurrentRound().guaranteedSum, 100);
}

TEST_F(WindowTest, NewGameAndLeaderboardKeysDoNothingDuringAGame) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  const int row = game().CurrentRound().row;
  Key(Qt::Key_F2);
  CtrlKey(Qt::Key_W);
  EXPECT_EQ(game().CurrentRound().question, 1);
  EXPECT_EQ(game().CurrentRound().row, row);
  EXPECT_EQ(game().OpenPanel(), Panel::None);
  EXPECT_FALSE(game().screen().element(el::Leaderboard).visible);
}

TEST_F(WindowTest, EscapeAnsweredNoLeavesEverythingAsItWas) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  m_box.answers = {InfoBox::Answer::No};
  Key(Qt::Key_Escape);
  ASSERT_EQ(m_box.messages.size(), 1);
  EXPECT_EQ(m_box.messages[0].text, kExitQuestion);
  // A game is at stake: Enter answers No.
  EXPECT_EQ(m_box.messages[0].kind, InfoBox::Kind::Question);
  EXPECT_EQ(m_box.messages[0].preset, InfoBox::Answer::No);
  EXPECT_TRUE(m_window->isVisible());
  EXPECT_TRUE(game().CurrentRound().answersOpen);
  m_box.answers = {InfoBox::Answer::Yes};
  CtrlKey(Qt::Key_Q);
  EXPECT_FALSE(m_window->isVisible());
}

TEST_F(WindowTest, ClickOnAnAnswersTextChoosesTheAnswer) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  const ElementId element = game().AnswerElement(1);
  const QPoint onText = game().screen().CaptionRect(element).center().toPoint();
  ASSERT_EQ(game().screen().CaptionAt(onText), element);
  QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, onText);
  EXPECT_EQ(game().CurrentRound().chosen, element);
  EXPECT_FALSE(game().CurrentRound().answersOpen);
}

TEST_F(WindowTest, PointerClickOnALifelineUsesIt) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  QTest::mouseMove(m_window.get(), Centre(el::FiftyFifty));
  QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, Centre(el::FiftyFifty) + QPoint(0, 25));
  EXPECT_FALSE(game().screen().element(el::FiftyFifty).enabled);
  int removed = 0;
  for (const ElementId e : kAnswerSlots) removed += game().screen().element(e).enabled ? 0 : 1;
  EXPECT_EQ(removed, 2);
  EXPECT_TRUE(game().screen().element(game().AnswerElement(1)).enabled);
}

TEST_F(WindowTest, ClearingTheLeaderboardEmptiesIt) {
  WriteWinners(3);
  CtrlKey(Qt::Key_W);
  ASSERT_EQ(game().OpenPanel(), Panel::Leaderboard);
  EXPECT_EQ(game().screen().board().column(BoardColumn::Rank).text, u"1.\r\n2.\r\n3."_s);
  m_box.answers = {InfoBox::Answer::Yes};
  Key(Qt::Key_K);
  EXPECT_EQ(game().OpenPanel(), Panel::Leaderboard);
  EXPECT_TRUE(game().screen().board().column(BoardColumn::Rank).text.isEmpty());
  EXPECT_EQ(QFile(WinnersPath()).size(), 0);
}

TEST_F(WindowTest, SixtyRowFileShowsFiftyRowsWithAWorkingScrollBar) {
  {
    // Written by hand: the game's own writer never stores more than fifty rows.
    QFile file(WinnersPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int r = 1; r <= 60; ++r) {
      const QByteArray digits = QByteArray::number(100000 - r);
      QByteArray line("\x01");
      for (char c : QByteArray("Name")) line += QByteArray(1, char(c - 40)) + char(20) + char(20);
      line += '\x02';
      for (char c : digits) line += QByteArray(1, char(c - 40)) + char(20) + char(20);
      file.write(line + "\r\n");
    }
  }
  CtrlKey(Qt::Key_W);
  const Screen& screen = game().screen();
  EXPECT_EQ(screen.board().column(BoardColumn::Rank).text.count(u"\r\n"_s), 49);
  ASSERT_TRUE(screen.element(el::ScrollDown).enabled);
  const qreal thumbTop = screen.element(el::ScrollThumb).top;
  QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, Centre(el::ScrollDown));
  EXPECT_EQ(screen.element(el::ScrollThumb).top, thumbTop + 8);
  EXPECT_LT(screen.board().top, 0);
  EXPECT_EQ(screen.BoardColumnRect(BoardColumn::Name).top(),
            screen.element(el::Leaderboard).Box().top() + screen.board().top);
}

TEST_F(WindowTest, DraggingTheTitleStripMovesTheWindow) {
  const QPoint start = m_window->pos();
  const QPoint grab = Centre(el::TitleStrip);
  QTest::mousePress(m_window.get(), Qt::LeftButton, {}, grab);
  QTest::mouseMove(m_window.get(), grab + QPoint(30, 20));
  QTest::mouseRelease(m_window.get(), Qt::LeftButton, {}, grab + QPoint(30, 20));
  EXPECT_EQ(m_window->pos(), start + QPoint(30, 20));
  EXPECT_FALSE(game().Pointer().WindowDragging);
}

TEST_F(WindowTest, AFullBoardTakesNoNameAndTheMoneyAtQuestionTwoLeavesTheFileAsItWas) {
  WriteWinners(50);  // every sum above 999 000
  QFile file(WinnersPath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  Key(Qt::Key_F2);
  Answer(CorrectKey());
  WaitForAnswers();
  CtrlKey(Qt::Key_M);
  ASSERT_EQ(game().OpenPanel(), Panel::Record);
  QCoreApplication::processEvents();
  EXPECT_FALSE(m_window->nameBox()->isVisible());
  EXPECT_TRUE(game().screen().element(el::VictoryPanel).caption.text.contains(u"до 50-го места не хватило"_s));
  Key(Qt::Key_Return);
  EXPECT_EQ(game().OpenPanel(), Panel::Leaderboard);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
}

/// The window again, with the real message box the player answers.
class RealBoxWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
    MainWindow::Services services = Services();
    services.infoBox = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, std::move(services)));
  }
  /// The key or button the player gives the box the next time one opens.
  static void AnswerTheBox(const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(0, [act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      act(*box);
    });
  }
  void ReachTheRecordPanelAndType(const QString& name) {
    Key(Qt::Key_F2);
    Answer(CorrectKey());
    WaitForAnswers();
    CtrlKey(Qt::Key_M);
    ASSERT_EQ(game().OpenPanel(), Panel::Record);
    ASSERT_TRUE(m_window->nameBox()->hasFocus());
    TypeText(m_window->nameBox(), name);
  }
};

TEST_F(RealBoxWindowTest, EscThenEnterOnTheRecordPanelKeepsItAndEnterStoresTheTypedName) {
  ASSERT_NO_FATAL_FAILURE(ReachTheRecordPanelAndType(u"Ваня"_s));
  AnswerTheBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
  QTest::keyClick(m_window->nameBox(), Qt::Key_Escape);
  EXPECT_TRUE(m_window->isVisible());
  ASSERT_EQ(game().OpenPanel(), Panel::Record);
  QTest::keyClick(m_window->nameBox(), Qt::Key_Return);
  const WinnersTable table = ReadWinners();
  ASSERT_EQ(table.count(), 1);
  EXPECT_EQ(table.AtRank(1).name, u"Ваня"_s);
}

TEST_F(RealBoxWindowTest, LeavingFromTheRecordPanelStoresTheTypedName) {
  ASSERT_NO_FATAL_FAILURE(ReachTheRecordPanelAndType(u"Петя"_s));
  AnswerTheBox([](QMessageBox& box) {
    for (QAbstractButton* button : box.buttons())
      if (box.buttonRole(button) == QMessageBox::YesRole) button->click();
  });
  QTest::keyClick(m_window->nameBox(), Qt::Key_Escape);
  EXPECT_FALSE(m_window->isVisible());
  const WinnersTable table = ReadWinners();
  ASSERT_EQ(table.count(), 1);
  EXPECT_EQ(table.AtRank(1).name, u"Петя"_s);
}

TEST_F(RealBoxWindowTest, EscThenEnterDuringAGameGoesOnWithTheGame) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  AnswerTheBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
  Key(Qt::Key_Escape);
  EXPECT_TRUE(m_window->isVisible());
  EXPECT_TRUE(game().CurrentRound().answersOpen);
}

TEST_F(WindowTest, TheWheelAndTheKeysScrollAFiftyRowBoardToItsLastRow) {
  WriteWinners(50);
  CtrlKey(Qt::Key_W);
  const Screen& screen = game().screen();
  const QRectF panel(screen.element(el::Leaderboard).Box());
  ASSERT_FALSE(panel.contains(screen.ListRowRect(50)));
  const QPointF over = panel.center();
  QWheelEvent wheel(over, m_window->mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(m_window.get(), &wheel);
  EXPECT_LT(screen.board().top, 0);
  Key(Qt::Key_End);
  // The last row stands at the panel's foot (to within the scroll bar's rounding).
  const QRectF last = screen.ListRowRect(50);
  EXPECT_GE(last.top(), panel.top());
  EXPECT_NEAR(last.bottom(), panel.bottom(), 0.5);
  Key(Qt::Key_Home);
  EXPECT_EQ(screen.board().top, 0);
  // F2 from the board: the next game.
  Key(Qt::Key_F2);
  EXPECT_EQ(game().CurrentRound().question, 1);
  EXPECT_FALSE(screen.element(el::Leaderboard).visible);
}

TEST(WindowPlacementTest, RaisesTheClientAreaLikeAFramedWindow) {
  // A 1024 × 768 screen: the framed window's outer top-left would be (189, 117).
  EXPECT_EQ(WindowPlacement(QRect(0, 0, 1024, 768)), QPoint(192, 138));
  EXPECT_EQ(WindowPlacement(QRect(100, 50, 1920, 1080)), QPoint(100 + 640, 50 + 294));
}

}  // namespace

namespace {

TEST_F(WindowTest, HoverLooksFollowThePointerOnAnAnswersEdgeAndItsText) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  const Screen& screen = game().screen();
  const ElementId answer = game().AnswerElement(1);
  const QRect box = screen.element(answer).Box();
  // Inside the lozenge but right of its caption box.
  const QPoint beside(box.right() - 8, box.center().y());
  ASSERT_EQ(screen.CaptionAt(beside), std::nullopt);
  QTest::mouseMove(m_window.get(), beside);
  EXPECT_EQ(game().Pointer().HotElement, answer);
  EXPECT_EQ(screen.element(answer).caption.colour, screen.element(answer).pointedCaptionColour);

  // Over another answer's text: that answer lights as on its edge, the first one goes out.
  const ElementId other = game().AnswerElement(2);
  const QPoint onText = screen.CaptionRect(other).center().toPoint();
  ASSERT_EQ(screen.CaptionAt(onText), other);
  QTest::mouseMove(m_window.get(), onText);
  EXPECT_EQ(game().Pointer().HotElement, other);
  EXPECT_EQ(screen.element(other).caption.colour, screen.element(other).pointedCaptionColour);
  EXPECT_EQ(screen.element(answer).caption.colour, screen.element(answer).captionColour);

  QTest::mouseMove(m_window.get(), Centre(el::QuestionFrame) + QPoint(0, -50));
  EXPECT_EQ(game().Pointer().HotElement, el::QuestionFrame);
  EXPECT_EQ(screen.element(other).caption.colour, screen.element(other).captionColour);
}

TEST_F(WindowTest, TooltipsComeFromTheElementUnderThePointer) {
  const QPoint onMinimise = Centre(el::Minimise);
  QHelpEvent help(QEvent::ToolTip, onMinimise, m_window->mapToGlobal(onMinimise));
  QCoreApplication::sendEvent(m_window.get(), &help);
  EXPECT_EQ(QToolTip::text(), u"Свернуть"_s);
  const QPoint onTitle = Centre(el::TitleStrip);
  QHelpEvent title(QEvent::ToolTip, onTitle, m_window->mapToGlobal(onTitle));
  QCoreApplication::sendEvent(m_window.get(), &title);
  EXPECT_EQ(QToolTip::text(), u"О, фартовик!   v0.99.19"_s);
}

}  // namespace

namespace {

/// Counts the paint events a widget gets and the area they cover.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) area += qint64(r.width()) * r.height();
    }
    return false;
  }
  int paints = 0;
  qint64 area = 0;
};

TEST_F(WindowTest, AnIdleWindowRepaintsNothingAndAGameOnlyWhatChanged) {
  PaintCounter counter;
  QCoreApplication::processEvents();
  m_window->installEventFilter(&counter);
  Ticks(20);
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.paints, 0);

  Key(Qt::Key_F2);
  QCoreApplication::processEvents();
  counter.area = 0;
  Ticks(5);  // the question text grows
  QCoreApplication::processEvents();
  EXPECT_GT(counter.paints, 0);
  EXPECT_LE(counter.area, 5 * qint64(473) * 113);  // at most the question frame per tick
  m_window->removeEventFilter(&counter);
}

}  // namespace

namespace {

TEST_F(WindowTest, ClicksOnTheSharedEdgeOfTwoButtonsGoToTheButtonThatBeginsThere) {
  WriteWinners(3);
  const QByteArray before = [this] {
    QFile file(WinnersPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  CtrlKey(Qt::Key_W);
  ASSERT_EQ(game().OpenPanel(), Panel::Leaderboard);
  // x = 393: the last column of "Очистить таблицу" would be 167 + 226 = 393, which
  // is where "Скрыть таблицу" begins.
  Click(QPoint(393, 442));
  EXPECT_EQ(game().OpenPanel(), Panel::None);
  EXPECT_TRUE(m_box.messages.isEmpty());
  QFile file(WinnersPath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);

  // x = 619 on the top row: the close button begins where "Свернуть" ends.
  m_box.answers = {InfoBox::Answer::No};
  Click(QPoint(619, 10));
  ASSERT_EQ(m_box.messages.size(), 1);
  EXPECT_EQ(m_box.messages[0].text, kExitQuestion);
  EXPECT_FALSE(m_window->isMinimized());
}

TEST_F(WindowTest, AWindowDragEndsWithItsButtonWhateverTookTheRelease) {
  struct Case {
    const char* how;
    bool boxTakesRelease;
  };
  for (const Case c :
       {Case{"the exit question took the release", true}, Case{"another window took the release", false}}) {
    SCOPED_TRACE(c.how);
    const QPoint grab = Centre(el::TitleStrip);
    Press(grab);
    if (c.boxTakesRelease) {
      m_box.answers = {InfoBox::Answer::No};
      Key(Qt::Key_Escape);
      ASSERT_FALSE(m_box.messages.isEmpty());
    }
    // The release never comes here; the pointer moves on with no button held.
    const QPoint start = m_window->pos();
    Move(grab + QPoint(30, 20));
    Move(grab + QPoint(60, 40));
    EXPECT_EQ(m_window->pos(), start);
    EXPECT_FALSE(game().Pointer().WindowDragging);
    // And the next click is not lost.
    m_box.messages.clear();
    m_box.answers = {InfoBox::Answer::No};
    Click(Centre(el::Close));
    EXPECT_EQ(m_box.messages.size(), 1);
    m_box.messages.clear();
  }
}

TEST_F(WindowTest, AThumbDragEndsWhenAModalBoxTakesItsRelease) {
  WriteWinners(50);
  CtrlKey(Qt::Key_W);
  const Screen& screen = game().screen();
  ASSERT_TRUE(screen.element(el::ScrollThumb).enabled);
  const QPoint grab = Centre(el::ScrollThumb);
  Press(grab);
  ASSERT_TRUE(game().Pointer().ThumbDragging);
  m_box.answers = {InfoBox::Answer::No};
  Key(Qt::Key_Escape);
  const qreal top = screen.element(el::ScrollThumb).top;
  Move(grab + QPoint(0, 100));
  EXPECT_EQ(screen.element(el::ScrollThumb).top, top);
  EXPECT_FALSE(game().Pointer().ThumbDragging);
}

TEST_F(WindowTest, APressedCaptionIsLetGoWhenAModalBoxOpens) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  const Screen& screen = game().screen();
  const ElementId wrong = game().AnswerElement(2);
  const ElementId right = game().AnswerElement(1);
  Press(screen.CaptionRect(wrong).center().toPoint());
  m_box.answers = {InfoBox::Answer::No};
  Key(Qt::Key_Escape);
  const QPoint onRight = screen.CaptionRect(right).center().toPoint();
  Move(onRight);
  Click(onRight);
  EXPECT_EQ(game().CurrentRound().chosen, right);
  EXPECT_FALSE(game().CurrentRound().answersOpen);
}

TEST_F(WindowTest, LifelineDigitsWorkWhateverTheShiftStateAndLayoutMakeOfThem) {
  struct Case {
    const char* layout;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char16_t* text;
    Lifeline lifeline;
  };
  const Case cases[] = {
      {"Shift+1, US", Qt::Key_Exclam, Qt::ShiftModifier, u"!", Lifeline::FiftyFifty},
      {"Shift+2, US", Qt::Key_At, Qt::ShiftModifier, u"@", Lifeline::PhoneFriend},
      {"Shift+3, US", Qt::Key_NumberSign, Qt::ShiftModifier, u"#", Lifeline::AudiencePoll},
      {"Shift+2, Russian", Qt::Key_QuoteDbl, Qt::ShiftModifier, u"\"", Lifeline::PhoneFriend},
      {"Shift+3, Russian", 0x2116, Qt::ShiftModifier, u"№", Lifeline::AudiencePoll},
      {"1, French", Qt::Key_Ampersand, Qt::NoModifier, u"&", Lifeline::FiftyFifty},
      {"2, French", Qt::Key_Eacute, Qt::NoModifier, u"é", Lifeline::PhoneFriend},
      {"Shift+3 reported as the digit", Qt::Key_3, Qt::ShiftModifier, u"3", Lifeline::AudiencePoll},
  };
  Key(Qt::Key_F2);
  WaitForAnswers();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    GameTestAccess setup(game());
    setup.RestoreAnswers();
    setup.GiveBackLifeline(c.lifeline);
    const QString text = QString::fromUtf16(c.text);
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, c.key, c.modifiers, text);
    QCoreApplication::sendEvent(m_window.get(), &press);
    QCoreApplication::sendEvent(m_window.get(), &release);
    EXPECT_TRUE(game().CurrentRound().LifelineUsed(c.lifeline));
    EXPECT_FALSE(game().screen().element(LifelineButton(c.lifeline)).enabled);
    EXPECT_TRUE(game().CurrentRound().answersOpen);
  }
}

TEST_F(WindowTest, TicksGoOnWhileABoxOpenedInsideATickIsUp) {
  // A damaged leaderboard met when the verdict opens the result panel: its message
  // opens inside the tick, and the timer goes on firing behind it.
  {
    QFile file(WinnersPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x01" + QByteArray(3, char(100)) + "\x02" + QByteArray(3, char(100)) + "\r\n");
  }
  Key(Qt::Key_F2);
  WaitForAnswers();
  // A wrong answer now ends with the result panel.
  GameTestAccess(game()).SetUpRound({.question = 1, .guaranteedSum = 1000});
  WaitForAnswers();
  int captionsBehindTheBox = 0;
  m_box.whileShown = [&](const QString&) {
    const int before = m_captions;
    Ticks(30);
    captionsBehindTheBox += m_captions - before;
  };
  Key(WrongKey());
  Ticks(Judging::TicksToVerdict());
  ASSERT_EQ(game().OpenPanel(), Panel::Record);
  ASSERT_FALSE(m_box.messages.isEmpty());
  EXPECT_EQ(captionsBehindTheBox, 30 * m_box.messages.size());
  EXPECT_EQ(m_window->windowTitle(), u"12:00 %1"_s.arg(m_captions));
}

TEST_F(WindowTest, TheTitleBarShowsTheTimeAndDateAtEveryTickAlsoWhenIdle) {
  ASSERT_FALSE(game().GameInPlay());
  const int before = m_captions;
  Ticks(2);
  EXPECT_EQ(m_captions, before + 2);
  EXPECT_EQ(m_window->windowTitle(), u"12:00 %1"_s.arg(before + 2));
}

TEST(TitleBarClockTest, WritesTheTimeToTheSecondAndTheDateInTheLocalesShortForm) {
  const QDateTime morning(QDate(2026, 12, 9), QTime(9, 5, 7));
  EXPECT_EQ(TitleBarClock::Format(morning, QLocale(QLocale::Russian, QLocale::Russia)), u"09:05:07 09.12.2026"_s);
  EXPECT_EQ(TitleBarClock::Format(morning, QLocale(QLocale::English, QLocale::UnitedStates)), u"09:05:07 12/9/26"_s);
}

TEST(QtInfoBoxTest, ADefaultNoQuestionAnswersNoToEnterAndEsc) {
  using Answer = InfoBox::Answer;
  struct Case {
    Answer preset;
    Qt::Key key;
    Answer result;
  };
  for (const Case c : {Case{Answer::No, Qt::Key_Return, Answer::No}, Case{Answer::No, Qt::Key_Escape, Answer::No},
                       Case{Answer::Yes, Qt::Key_Return, Answer::Yes}, Case{Answer::Yes, Qt::Key_Escape, Answer::No}}) {
    SCOPED_TRACE(int(c.preset));
    SCOPED_TRACE(c.key);
    QtInfoBox box;
    QTimer::singleShot(0, [key = c.key] {
      QWidget* open = QApplication::activeModalWidget();
      ASSERT_NE(open, nullptr);
      QTest::keyClick(open, key);
    });
    EXPECT_EQ(box.Confirm(u"Очистить таблицу лидеров?"_s, c.preset), c.result);
  }
}

}  // namespace

// The rules and the about page, through the window's own keys, menu and pointer.
namespace {

TEST_F(WindowTest, F1AndTheMenuOpenThePagesAndEscEnterOrAClickCloseThem) {
  Key(Qt::Key_F1);
  ASSERT_TRUE(game().PageOpen());
  EXPECT_EQ(game().screen().pages().page().title, u"Правила игры"_s);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(game().PageOpen());
  EXPECT_TRUE(m_box.messages.isEmpty());  // Esc closed the page, it did not ask to leave
  EXPECT_TRUE(m_window->isVisible());

  QAction* rules = MenuItem(m_window->menu(), u"Правила игры"_s);
  QAction* about = MenuItem(m_window->menu(), u"О программе"_s);
  ASSERT_TRUE(rules && about);
  EXPECT_EQ(rules->shortcut(), QKeySequence(Qt::Key_F1));
  rules->trigger();
  ASSERT_TRUE(game().PageOpen());
  Key(Qt::Key_Return);
  EXPECT_FALSE(game().PageOpen());

  about->trigger();
  ASSERT_TRUE(game().PageOpen());
  EXPECT_EQ(game().screen().pages().page().title, u"О программе"_s);
  Click(QPoint(320, 240));
  EXPECT_FALSE(game().PageOpen());
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST_F(WindowTest, ThePagesTurnByArrowKeysWheelAndFooterAndTakeNoClickForTheGame) {
  Key(Qt::Key_F2);
  WaitForAnswers();
  Key(Qt::Key_F1);
  Key(Qt::Key_Right);
  EXPECT_EQ(game().screen().pages().current(), 1);
  Click(PageView::kNextBox.center());
  EXPECT_EQ(game().screen().pages().current(), 2);
  Click(PageView::kPreviousBox.center());
  EXPECT_EQ(game().screen().pages().current(), 1);
  QWheelEvent wheel(QPointF(320, 240), QPointF(m_window->mapToGlobal(QPoint(320, 240))), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(m_window.get(), &wheel);
  EXPECT_EQ(game().screen().pages().current(), 0);
  Key(Qt::Key_Left);
  EXPECT_EQ(game().screen().pages().current(), 0);
  // A click on the answer beneath closes the page and chooses nothing.
  Click(Centre(game().AnswerElement(1)));
  EXPECT_FALSE(game().PageOpen());
  EXPECT_TRUE(game().CurrentRound().answersOpen);
  EXPECT_FALSE(game().Judgement().Running());
  // Closed, the next click is the game's again.
  Click(Centre(game().AnswerElement(1)));
  EXPECT_TRUE(game().Judgement().Running());
}

TEST_F(WindowTest, ThePageCoversTheNameBoxAndHandsItTheKeyboardBack) {
  Key(Qt::Key_F2);
  Answer(CorrectKey());
  WaitForAnswers();
  CtrlKey(Qt::Key_M);
  ASSERT_EQ(game().OpenPanel(), Panel::Record);
  QLineEdit* name = m_window->nameBox();
  ASSERT_TRUE(name->isVisible());
  QTest::keyClick(name, Qt::Key_F1);
  ASSERT_TRUE(game().PageOpen());
  EXPECT_FALSE(name->isVisible());
  TypeText(m_window.get(), u"zz"_s);  // goes nowhere: the box is covered
  QTest::keyClick(m_window.get(), Qt::Key_Escape);
  EXPECT_FALSE(game().PageOpen());
  EXPECT_TRUE(name->isVisible());
  EXPECT_TRUE(name->hasFocus());
  EXPECT_FALSE(name->text().contains(u"zz"_s));
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST_F(WindowTest, ThePageIsPaintedOverTheGameAndLeavesNoTraceWhenClosed) {
  const QImage before = m_window->grab().toImage();
  Key(Qt::Key_F1);
  QCoreApplication::processEvents();
  const QImage page = m_window->grab().toImage();
  Key(Qt::Key_Escape);
  QCoreApplication::processEvents();
  const QImage after = m_window->grab().toImage();
  // The question frame's invitation is covered; the title strip above is not.
  const QPoint inBody = game().screen().CaptionRect(el::QuestionFrame).center().toPoint();
  EXPECT_NE(page.copy(QRect(inBody - QPoint(60, 10), QSize(120, 20))),
            before.copy(QRect(inBody - QPoint(60, 10), QSize(120, 20))));
  EXPECT_EQ(page.copy(QRect(0, 0, 640, 21)), before.copy(QRect(0, 0, 640, 21)));
  // The page's frame glows in the blue of the game's rules.
  const QColor frame = page.pixelColor(9, 240);
  EXPECT_GT(frame.blue(), 150);
  EXPECT_GT(frame.blue(), frame.red() + 80);
  EXPECT_EQ(after, before);
}

}  // namespace
