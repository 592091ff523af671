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
  PointerTest() : screen(measurer, &TestSheet), input(screen, state, host) {
    screen.BuildScreen();
  }

  /// The grid cell element `index` shows, as (column, row); (0, 0) if none.
  std::pair<int, int> Cell(int index) const {
    const Element& e = screen.element(index);
    const QRgb pixel = e.face.pixel(1, 1) | 0xFF000000u;
    const ElementGrid grid = GridOf(index);
    for (int c = 1; c <= grid.columns; ++c)
      for (int r = 1; r <= grid.rows; ++r)
        if (CellColour(e.sheetSource, c, r) == pixel) return {c, r};
    return {0, 0};
  }
  int Row(int index) const { return Cell(index).second; }

  void Move(int index, qreal x = 1, qreal y = 1) { input.PointerMoved(index, x, y); }
  void Press(int index, qreal x = 1, qreal y = 1) { input.PointerPressed(index, x, y); }
  void Release(int index, qreal x = 1, qreal y = 1) { input.PointerReleased(index, x, y); }

  FakeMeasurer measurer{FakeMeasurer::AtBlanks};
  Screen screen;
  PointerState state;
  FakeHost host;
  PointerInput input;
};

// ---- Hover and press looks --------------------------------------------------------

TEST_F(PointerTest, MovingFromAnswerAToBRestoresAThenPointsB) {
  Move(2);
  EXPECT_EQ(Row(2), 4);
  EXPECT_EQ(screen.element(2).caption.colour, Rgb(128, 255, 192));
  Move(3);
  EXPECT_EQ(Row(2), 1);
  EXPECT_EQ(screen.element(2).caption.colour, Rgb(255, 255, 255));
  EXPECT_EQ(Row(3), 4);
  EXPECT_EQ(screen.element(3).caption.colour, Rgb(128, 255, 192));
  EXPECT_EQ(state.HotElement, 3);
}

TEST_F(PointerTest, NoAnswerLifelineOrTakeMoneyLooksWhileAnswersAreClosed) {
  host.answersOpen = false;
  screen.PaintRow(4, 2, 4);  // chosen
  for (int i : {2, 4, 9, 45, 0}) {
    Move(i);
    EXPECT_EQ(state.HotElement, i);
  }
  EXPECT_EQ(Row(2), 1);
  EXPECT_EQ(Row(4), 2);
  EXPECT_EQ(Row(9), 1);
  EXPECT_EQ(Row(45), 1);
  EXPECT_EQ(screen.element(2).caption.colour, Rgb(255, 255, 255));
  Press(10);
  EXPECT_EQ(Row(10), 1);
  // Buttons do not depend on the question.
  Move(6);
  EXPECT_EQ(Row(6), 3);
}

TEST_F(PointerTest, HoverLooksOfEachKind) {
  struct Row_ {
    int index;
    int pointedRow;
  };
  const Row_ rows[] = {{6, 3}, {7, 3}, {8, 2}, {9, 3}, {11, 3}, {35, 3}, {40, 3}, {45, 3}, {49, 3}};
  for (const Row_& row : rows) {
    SCOPED_TRACE(row.index);
    Move(row.index);
    EXPECT_EQ(Row(row.index), row.pointedRow);
    Move(0);
    EXPECT_EQ(Row(row.index), 1);
    EXPECT_EQ(state.HotElement, 0);
  }
  // Elements without a pointed look stay as they are.
  screen.PaintRow(15, 2, 3);
  Move(15);
  Move(0);
  EXPECT_EQ(Row(15), 2);
}

TEST_F(PointerTest, UsedLifelineKeepsItsCrossWhenThePointerLeaves) {
  Move(10);
  EXPECT_EQ(Row(10), 3);
  screen.EnableElement(10, false);
  EXPECT_EQ(Row(10), 4);
  Move(0);
  EXPECT_EQ(Row(10), 4);
  Move(10);
  Move(11);
  EXPECT_EQ(Row(10), 4);
}

TEST_F(PointerTest, CloseButtonPressReleaseThenPointedAgain) {
  Move(6);
  Press(6);
  EXPECT_EQ(Row(6), 2);
  Release(6);
  EXPECT_EQ(Row(6), 1);
  EXPECT_EQ(state.HotElement, 0);
  Move(6);
  EXPECT_EQ(Row(6), 3);
}

TEST_F(PointerTest, MenuButtonStaysPressedAfterRelease) {
  Move(7);
  Press(7);
  Release(7);
  EXPECT_EQ(Row(7), 2);
  Move(7);
  EXPECT_EQ(Row(7), 3);
}

TEST_F(PointerTest, APressPaintsItsButtonAndTheTitleStripDrags) {
  Press(42);
  EXPECT_EQ(Row(42), 2);
  Release(42);
  Press(8, 50, 10);
  EXPECT_TRUE(state.WindowDragging);
  Release(8);
  EXPECT_FALSE(state.WindowDragging);
}

TEST_F(PointerTest, DisabledElementsIgnorePresses) {
  screen.EnableElement(46, false);
  Press(46);
  EXPECT_EQ(Row(46), 1);
  screen.EnableElement(8, false);
  Press(8);
  EXPECT_FALSE(state.WindowDragging);
}

TEST_F(PointerTest, LifelinePressedAndReleasedWhileAnswersAreOpen) {
  Press(11);
  EXPECT_EQ(Row(11), 2);
  Release(11);
  EXPECT_EQ(Row(11), 1);
}

TEST_F(PointerTest, DroppingTheHoverRestoresTheNormalLook) {
  Move(5);
  input.DropHover();
  EXPECT_EQ(Row(5), 1);
  EXPECT_EQ(screen.element(5).caption.colour, Rgb(255, 255, 255));
  EXPECT_EQ(state.HotElement, 0);
}

// ---- Window drag ------------------------------------------------------------------

TEST_F(PointerTest, TitleStripDragMovesTheWindowOnlyWhenNormal) {
  Press(8, 100, 10);
  Move(8, 110.5, 4);
  ASSERT_EQ(host.moves.size(), 1u);
  EXPECT_EQ(host.moves[0], QPointF(10.5, -6));
  host.normal = false;
  Move(8, 130, 10);
  EXPECT_EQ(host.moves.size(), 1u);
  host.normal = true;
  Release(8);
  Move(8, 140, 10);
  EXPECT_EQ(host.moves.size(), 1u);
}

// ---- Scroll bar -------------------------------------------------------------------

class ScrollTest : public PointerTest {
 protected:
  ScrollTest() {
    for (int i : {36, 37, 38, 39, 40}) screen.SetVisible(i, true);
    // 50 lines of the fake at 10 points, 20 pixels each: 1000 pixels of list.
    QString places;
    for (int n = 1; n <= 50; ++n) places += QString::number(n) + u"\r\n"_s;
    places.chop(2);
    screen.SetCaption(36, places, u""_s, 0);
  }
  qreal ThumbTop() const { return screen.element(40).top; }
  void ExpectColumnsAt(qreal top) {
    for (int i : {36, 38, 39}) EXPECT_EQ(screen.element(i).caption.top, top) << i;
  }
  static constexpr qreal kLowest = 432 - 40;  // down arrow's top − thumb height
  static constexpr float kSpan = 389 - 1000;  // panel height − list height
};

TEST_F(ScrollTest, ListIsTallerThanThePanel) {
  ASSERT_EQ(screen.element(36).caption.height, 1000);
}

TEST_F(ScrollTest, UpArrowNearTheTopLandsOnTheTrackTop) {
  screen.SetTop(40, 48);
  Press(38);
  EXPECT_EQ(Row(38), 2);
  EXPECT_EQ(ThumbTop(), 43);
  EXPECT_EQ(input.ListOffset(), 0);
  ExpectColumnsAt(0);
  Release(38);
  EXPECT_EQ(Row(38), 1);
}

TEST_F(ScrollTest, TrackPressedBelowTheThumbStopsAtTheLowestPlace) {
  screen.SetTop(40, kLowest - 20);
  Press(37, 5, 380);
  EXPECT_EQ(Cell(37), std::make_pair(2, 1));
  EXPECT_EQ(ThumbTop(), kLowest);
  EXPECT_FLOAT_EQ(float(input.ListOffset()), kSpan);
  ExpectColumnsAt(input.ListOffset());
  Release(37);
  EXPECT_EQ(Cell(37), std::make_pair(1, 1));
}

TEST_F(ScrollTest, TrackPagesByFortyTowardsThePress) {
  struct Case {
    qreal thumbTop;
    qreal pressY;
    qreal expectedTop;
  };
  const Case cases[] = {
      {200, 10, 160},    // d = 157 above the press point
      {200, 300, 240},   // below
      {200, 157, 200},   // exactly at the thumb's top
      {60, 0, 43},       // clamped at the top
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pressY);
    screen.SetTop(40, c.thumbTop);
    Press(37, 5, c.pressY);
    Release(37);
    EXPECT_EQ(ThumbTop(), c.expectedTop);
    EXPECT_FLOAT_EQ(float(input.ListOffset()), kSpan / 349.0f * float(c.expectedTop - 43));
  }
}

TEST_F(ScrollTest, ArrowsStepByEightWithAFractionalOffset) {
  Press(39);
  Release(39);
  EXPECT_EQ(ThumbTop(), 51);
  // Single precision, not whole pixels: −611 / 349 × 8 = −14.005…
  EXPECT_NEAR(input.ListOffset(), -14.0057, 1e-3);
  ExpectColumnsAt(input.ListOffset());
  Press(38);
  EXPECT_EQ(ThumbTop(), 43);
  ExpectColumnsAt(0);
}

TEST_F(ScrollTest, DraggingTheThumbPinsItToBothEndsInWholePixels) {
  Press(40, 10, 20);
  EXPECT_TRUE(state.ThumbDragging);
  EXPECT_EQ(Row(40), 2);

  Move(40, 10, -1000);
  EXPECT_EQ(ThumbTop(), 43);
  EXPECT_EQ(input.ListOffset(), 0);
  ExpectColumnsAt(0);

  Move(40, 10, 2000);
  EXPECT_EQ(ThumbTop(), kLowest);
  EXPECT_EQ(input.ListOffset(), -611);
  ExpectColumnsAt(-611);

  // From the lowest place up to 100: (57 × −611) \ 349 = −34827 \ 349 = −99 (toward zero).
  Move(40, 10, 20 + 100 - kLowest);
  EXPECT_EQ(ThumbTop(), 100);
  EXPECT_EQ(input.ListOffset(), -99);
  ExpectColumnsAt(-99);
}

TEST_F(ScrollTest, ReleasingADisabledThumbStillEndsTheDrag) {
  Press(40, 10, 20);
  screen.EnableElement(40, false);
  Release(40);
  EXPECT_FALSE(state.ThumbDragging);
  EXPECT_EQ(Row(40), 1);
  Move(40, 10, 300);
  EXPECT_EQ(ThumbTop(), 43);
}

TEST_F(ScrollTest, FillingAColumnAfterScrollingBringsTheListBack) {
  Press(37, 5, 300);
  Release(37);
  ASSERT_LT(screen.element(38).caption.top, 0);
  screen.SetCaption(38, u"Вася"_s, u""_s, 0);
  ExpectColumnsAt(0);
  EXPECT_GT(ThumbTop(), 43) << "the thumb is not moved by filling the columns";
}

}  // namespace
