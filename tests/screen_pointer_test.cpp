#include <gtest/gtest.h>

#include <vector>

#include "screen/element.h"
#include "screen/pointer_input.h"
#include "tests/screen_fakes.h"

using namespace Qt::StringLiterals;
using namespace screen_test;

namespace {

class FakeHost : public PointerHost {
 public:
  bool answersOpen = true;
  bool normal = true;
  std::vector<QPointF> moves;

  bool AnswersOpen() const override { return answersOpen; }
  bool WindowNormal() override { return normal; }
  void MoveWindowBy(qreal dx, qreal dy) override { moves.emplace_back(dx, dy); }
};

class PointerTest : public ::testing::Test {
 protected:
  PointerTest() : screen(measurer, &TestSheet), input(screen, state, host) { screen.BuildScreen(); }

  /// The grid cell element `index` shows, as (column, row); (0, 0) if none.
  std::pair<int, int> Cell(ElementId index) const {
    const Element& e = screen.element(index);
    const QRgb pixel = e.face.pixel(1, 1) | 0xFF000000u;
    const ElementGrid grid = GridOf(index);
    for (int c = 1; c <= grid.columns; ++c)
      for (int r = 1; r <= grid.rows; ++r)
        if (CellColour(*e.sheetSource, c, r) == pixel) return {c, r};
    return {0, 0};
  }
  int Row(ElementId index) const { return Cell(index).second; }

  void Move(ElementId index, qreal x = 1, qreal y = 1) { input.PointerMoved(index, x, y); }
  void Press(ElementId index, qreal x = 1, qreal y = 1) { input.PointerPressed(index, x, y); }
  void Release(ElementId index, qreal x = 1, qreal y = 1) { input.PointerReleased(index, x, y); }

  FakeMeasurer measurer{FakeMeasurer::AtBlanks};
  Screen screen;
  PointerState state;
  FakeHost host;
  PointerInput input;
};

// ---- Hover and press looks --------------------------------------------------------

TEST_F(PointerTest, MovingFromAnswerAToBRestoresAThenPointsB) {
  Move(el::AnswerA);
  EXPECT_EQ(Row(el::AnswerA), CellOf(AnswerLook::Pointed).row);
  EXPECT_EQ(screen.element(el::AnswerA).caption.colour, qRgb(128, 255, 192));
  Move(el::AnswerB);
  EXPECT_EQ(Row(el::AnswerA), CellOf(AnswerLook::Normal).row);
  EXPECT_EQ(screen.element(el::AnswerA).caption.colour, qRgb(255, 255, 255));
  EXPECT_EQ(Row(el::AnswerB), CellOf(AnswerLook::Pointed).row);
  EXPECT_EQ(screen.element(el::AnswerB).caption.colour, qRgb(128, 255, 192));
  EXPECT_EQ(state.HotElement, el::AnswerB);
}

TEST_F(PointerTest, NoAnswerLifelineOrTakeMoneyLooksWhileAnswersAreClosed) {
  host.answersOpen = false;
  screen.ShowLook(el::AnswerC, AnswerLook::Chosen);
  for (const ElementId i : {el::AnswerA, el::AnswerC, el::FiftyFifty, el::TakeMoney, el::Background}) {
    Move(i);
    EXPECT_EQ(state.HotElement, i);
  }
  EXPECT_EQ(Row(el::AnswerA), CellOf(AnswerLook::Normal).row);
  EXPECT_EQ(Row(el::AnswerC), CellOf(AnswerLook::Chosen).row);
  EXPECT_EQ(Row(el::FiftyFifty), CellOf(LifelineLook::Normal).row);
  EXPECT_EQ(Row(el::TakeMoney), CellOf(LifelineLook::Normal).row);
  EXPECT_EQ(screen.element(el::AnswerA).caption.colour, qRgb(255, 255, 255));
  Press(el::PhoneFriend);
  EXPECT_EQ(Row(el::PhoneFriend), CellOf(LifelineLook::Normal).row);
  // Buttons do not depend on the question.
  Move(el::Close);
  EXPECT_EQ(Row(el::Close), CellOf(ButtonLook::Pointed).row);
}

TEST_F(PointerTest, HoverLooksOfEachKind) {
  struct Row_ {
    ElementId index;
    SheetCell pointed;
  };
  const Row_ rows[] = {
      {el::Close, CellOf(ButtonLook::Pointed)},          {el::Menu, CellOf(ButtonLook::Pointed)},
      {el::TitleStrip, CellOf(TitleLook::Pointed)},      {el::FiftyFifty, CellOf(LifelineLook::Pointed)},
      {el::AudiencePoll, CellOf(LifelineLook::Pointed)}, {el::Minimise, CellOf(ButtonLook::Pointed)},
      {el::ScrollThumb, CellOf(ButtonLook::Pointed)},    {el::TakeMoney, CellOf(LifelineLook::Pointed)},
      {el::TimeoutConfirm, CellOf(ButtonLook::Pointed)},
  };
  for (const Row_& row : rows) {
    SCOPED_TRACE(row.index);
    Move(row.index);
    EXPECT_EQ(Row(row.index), row.pointed.row);
    Move(el::Background);
    EXPECT_EQ(Row(row.index), 1) << "every kind's normal look is its first";
    EXPECT_EQ(state.HotElement, el::Background);
  }
  // Elements without a pointed look stay as they are.
  screen.ShowLook(el::Rung4, RungLook::Won);
  Move(el::Rung4);
  Move(el::Background);
  EXPECT_EQ(Row(el::Rung4), CellOf(RungLook::Won).row);
}

TEST_F(PointerTest, UsedLifelineKeepsItsCrossWhenThePointerLeaves) {
  Move(el::PhoneFriend);
  EXPECT_EQ(Row(el::PhoneFriend), CellOf(LifelineLook::Pointed).row);
  screen.EnableElement(el::PhoneFriend, false);
  EXPECT_EQ(Row(el::PhoneFriend), CellOf(LifelineLook::Used).row);
  Move(el::Background);
  EXPECT_EQ(Row(el::PhoneFriend), CellOf(LifelineLook::Used).row);
  Move(el::PhoneFriend);
  Move(el::AudiencePoll);
  EXPECT_EQ(Row(el::PhoneFriend), CellOf(LifelineLook::Used).row);
}

TEST_F(PointerTest, CloseButtonPressReleaseThenPointedAgain) {
  Move(el::Close);
  Press(el::Close);
  EXPECT_EQ(Row(el::Close), CellOf(ButtonLook::Pressed).row);
  Release(el::Close);
  EXPECT_EQ(Row(el::Close), CellOf(ButtonLook::Normal).row);
  EXPECT_EQ(state.HotElement, el::Background);
  Move(el::Close);
  EXPECT_EQ(Row(el::Close), CellOf(ButtonLook::Pointed).row);
}

TEST_F(PointerTest, MenuButtonStaysPressedAfterRelease) {
  Move(el::Menu);
  Press(el::Menu);
  Release(el::Menu);
  EXPECT_EQ(Row(el::Menu), CellOf(ButtonLook::Pressed).row);
  Move(el::Menu);
  EXPECT_EQ(Row(el::Menu), CellOf(ButtonLook::Pointed).row);
}

TEST_F(PointerTest, APressPaintsItsButtonAndTheTitleStripDrags) {
  Press(el::VictoryConfirm);
  EXPECT_EQ(Row(el::VictoryConfirm), CellOf(ButtonLook::Pressed).row);
  Release(el::VictoryConfirm);
  Press(el::TitleStrip, 50, 10);
  EXPECT_TRUE(state.WindowDragging);
  Release(el::TitleStrip);
  EXPECT_FALSE(state.WindowDragging);
}

TEST_F(PointerTest, DisabledElementsIgnorePresses) {
  screen.EnableElement(el::HideTable, false);
  Press(el::HideTable);
  EXPECT_EQ(Row(el::HideTable), CellOf(ButtonLook::Normal).row);
  screen.EnableElement(el::TitleStrip, false);
  Press(el::TitleStrip);
  EXPECT_FALSE(state.WindowDragging);
}

TEST_F(PointerTest, LifelinePressedAndReleasedWhileAnswersAreOpen) {
  Press(el::AudiencePoll);
  EXPECT_EQ(Row(el::AudiencePoll), CellOf(LifelineLook::Pressed).row);
  Release(el::AudiencePoll);
  EXPECT_EQ(Row(el::AudiencePoll), CellOf(LifelineLook::Normal).row);
}

TEST_F(PointerTest, DroppingTheHoverRestoresTheNormalLook) {
  Move(el::AnswerD);
  input.DropHover();
  EXPECT_EQ(Row(el::AnswerD), CellOf(AnswerLook::Normal).row);
  EXPECT_EQ(screen.element(el::AnswerD).caption.colour, qRgb(255, 255, 255));
  EXPECT_EQ(state.HotElement, el::Background);
}

// ---- Window drag ------------------------------------------------------------------

TEST_F(PointerTest, TitleStripDragMovesTheWindowOnlyWhenNormal) {
  Press(el::TitleStrip, 100, 10);
  Move(el::TitleStrip, 110.5, 4);
  ASSERT_EQ(host.moves.size(), 1u);
  EXPECT_EQ(host.moves[0], QPointF(10.5, -6));
  host.normal = false;
  Move(el::TitleStrip, 130, 10);
  EXPECT_EQ(host.moves.size(), 1u);
  host.normal = true;
  Release(el::TitleStrip);
  Move(el::TitleStrip, 140, 10);
  EXPECT_EQ(host.moves.size(), 1u);
}

// ---- Scroll bar -------------------------------------------------------------------

class ScrollTest : public PointerTest {
 protected:
  ScrollTest() {
    for (const ElementId i : {el::Leaderboard, el::ScrollTrack, el::ScrollUp, el::ScrollDown, el::ScrollThumb})
      screen.SetVisible(i, true);
    // 50 lines of the fake at 10 points, 20 pixels each: 1000 pixels of list.
    QString places;
    for (int n = 1; n <= 50; ++n) places += QString::number(n) + u"\r\n"_s;
    places.chop(2);
    screen.SetBoardColumn(BoardColumn::Rank, places);
  }
  qreal ThumbTop() const { return screen.element(el::ScrollThumb).top; }
  void ExpectColumnsAt(qreal top) {
    EXPECT_EQ(screen.board().top, top);
    for (const BoardColumn c : kBoardColumns) EXPECT_EQ(screen.BoardColumnRect(c).top(), 43 + top) << int(c);
  }
  static constexpr qreal kLowest = 432 - 40;  // down arrow's top − thumb height
  static constexpr float kSpan = 389 - 1000;  // panel height − list height
};

TEST_F(ScrollTest, ListIsTallerThanThePanel) { ASSERT_EQ(screen.board().height(), 1000); }

TEST_F(ScrollTest, UpArrowNearTheTopLandsOnTheTrackTop) {
  screen.SetTop(el::ScrollThumb, 48);
  Press(el::ScrollUp);
  EXPECT_EQ(Row(el::ScrollUp), CellOf(ButtonLook::Pressed).row);
  EXPECT_EQ(ThumbTop(), 43);
  EXPECT_EQ(input.ListOffset(), 0);
  ExpectColumnsAt(0);
  Release(el::ScrollUp);
  EXPECT_EQ(Row(el::ScrollUp), CellOf(ButtonLook::Normal).row);
}

TEST_F(ScrollTest, TrackPressedBelowTheThumbStopsAtTheLowestPlace) {
  screen.SetTop(el::ScrollThumb, kLowest - 20);
  Press(el::ScrollTrack, 5, 380);
  EXPECT_EQ(Cell(el::ScrollTrack), std::make_pair(2, 1));
  EXPECT_EQ(ThumbTop(), kLowest);
  EXPECT_FLOAT_EQ(float(input.ListOffset()), kSpan);
  ExpectColumnsAt(input.ListOffset());
  Release(el::ScrollTrack);
  EXPECT_EQ(Cell(el::ScrollTrack), std::make_pair(1, 1));
}

TEST_F(ScrollTest, TrackPagesByFortyTowardsThePress) {
  struct Case {
    qreal thumbTop;
    qreal pressY;
    qreal expectedTop;
  };
  const Case cases[] = {
      {200, 10, 160},   // d = 157 above the press point
      {200, 300, 240},  // below
      {200, 157, 200},  // exactly at the thumb's top
      {60, 0, 43},      // clamped at the top
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pressY);
    screen.SetTop(el::ScrollThumb, c.thumbTop);
    Press(el::ScrollTrack, 5, c.pressY);
    Release(el::ScrollTrack);
    EXPECT_EQ(ThumbTop(), c.expectedTop);
    EXPECT_FLOAT_EQ(float(input.ListOffset()), kSpan / 349.0f * float(c.expectedTop - 43));
  }
}

TEST_F(ScrollTest, ArrowsStepByEightWithAFractionalOffset) {
  Press(el::ScrollDown);
  Release(el::ScrollDown);
  EXPECT_EQ(ThumbTop(), 51);
  // Single precision, not whole pixels: −611 / 349 × 8 = −14.005…
  EXPECT_NEAR(input.ListOffset(), -14.0057, 1e-3);
  ExpectColumnsAt(input.ListOffset());
  Press(el::ScrollUp);
  EXPECT_EQ(ThumbTop(), 43);
  ExpectColumnsAt(0);
}

TEST_F(ScrollTest, DraggingTheThumbPinsItToBothEndsInWholePixels) {
  Press(el::ScrollThumb, 10, 20);
  EXPECT_TRUE(state.ThumbDragging);
  EXPECT_EQ(Row(el::ScrollThumb), CellOf(ButtonLook::Pressed).row);

  Move(el::ScrollThumb, 10, -1000);
  EXPECT_EQ(ThumbTop(), 43);
  EXPECT_EQ(input.ListOffset(), 0);
  ExpectColumnsAt(0);

  Move(el::ScrollThumb, 10, 2000);
  EXPECT_EQ(ThumbTop(), kLowest);
  EXPECT_EQ(input.ListOffset(), -611);
  ExpectColumnsAt(-611);

  // From the lowest place up to 100: (57 × −611) \ 349 = −34827 \ 349 = −99 (toward zero).
  Move(el::ScrollThumb, 10, 20 + 100 - kLowest);
  EXPECT_EQ(ThumbTop(), 100);
  EXPECT_EQ(input.ListOffset(), -99);
  ExpectColumnsAt(-99);
}

TEST_F(ScrollTest, ReleasingADisabledThumbStillEndsTheDrag) {
  Press(el::ScrollThumb, 10, 20);
  screen.EnableElement(el::ScrollThumb, false);
  Release(el::ScrollThumb);
  EXPECT_FALSE(state.ThumbDragging);
  EXPECT_EQ(Row(el::ScrollThumb), CellOf(ButtonLook::Normal).row);
  Move(el::ScrollThumb, 10, 300);
  EXPECT_EQ(ThumbTop(), 43);
}

TEST_F(ScrollTest, FillingAColumnAfterScrollingBringsTheListBack) {
  Press(el::ScrollTrack, 5, 300);
  Release(el::ScrollTrack);
  ASSERT_LT(screen.board().top, 0);
  screen.SetBoardColumn(BoardColumn::Name, u"Вася"_s);
  ExpectColumnsAt(0);
  EXPECT_GT(ThumbTop(), 43) << "the thumb is not moved by filling the columns";
}

}  // namespace
