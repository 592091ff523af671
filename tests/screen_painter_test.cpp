#include <gtest/gtest.h>

#include <QPainter>

#include "screen/element.h"
#include "screen/element_table.h"
#include "screen/info_pages.h"
#include "screen/qt_text_measurer.h"
#include "screen/screen_painter.h"
#include "screen/sharp_sheet_cache.h"
#include "screen/sheet_files.h"
#include "tests/screen_fakes.h"

using namespace Qt::StringLiterals;
using namespace screen_test;

namespace {

constexpr QRgb kUntouched = 0xFFFF00FFu;

class PainterTest : public ::testing::Test {
 protected:
  PainterTest() : screen(measurer, [](ElementId i) { return i == el::TakeMoney ? QImage() : TestSheet(i); }) {
    screen.BuildScreen();
  }
  QImage Render(const QRegion& region = QRegion(0, 0, 640, 480)) {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    PaintScreen(painter, screen, region);
    return image;
  }
  /// Pixels in `rect` whose colour is close to `colour`.
  static int CountNear(const QImage& image, const QRect& rect, QColor colour) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QColor p = image.pixelColor(x, y);
        if (std::abs(p.red() - colour.red()) < 24 && std::abs(p.green() - colour.green()) < 24 &&
            std::abs(p.blue() - colour.blue()) < 24)
          ++n;
      }
    return n;
  }
  QtTextMeasurer measurer;
  Screen screen;
};

TEST_F(PainterTest, FacesAppearAtTheirBoxesAndHiddenOnesDoNot) {
  QImage image = Render();
  EXPECT_EQ(image.pixel(300, 60), CellColour(el::QuestionFrame, 1, 1));
  EXPECT_EQ(image.pixel(10, 430), CellColour(el::Rung1, 1, 1));
  EXPECT_EQ(image.pixel(300, 400), CellColour(el::Background, 1, 1)) << "panels are hidden";
  EXPECT_EQ(image.pixel(639, 479), qRgb(0, 0, 0)) << "a never-painted box is black";

  screen.SetVisible(el::PhonePanel, true);
  screen.ShowLook(el::AnswerB, AnswerLook::Pointed);
  image = Render();
  EXPECT_EQ(image.pixel(300, 400), CellColour(el::PhonePanel, 1, 1));
  EXPECT_EQ(image.pixel(500, 150), CellColour(el::AnswerB, 1, 4));
}

TEST_F(PainterTest, ANarrowedBarShowsTheLeftPartOfItsArt) {
  screen.SetVisible(el::PollPanel, true);
  screen.SetVisible(el::PollBarA, true);
  screen.SetWidth(el::PollBarA, 100);
  const QImage image = Render();
  EXPECT_EQ(image.pixel(201 + 99, 325), CellColour(el::PollBarA, 1, 1));
  EXPECT_EQ(image.pixel(201 + 100, 325), CellColour(el::PollPanel, 1, 1));
}

TEST_F(PainterTest, OnlyTheRegionIsPainted) {
  const QImage image = Render(QRegion(619, 0, 21, 21));
  EXPECT_EQ(image.pixel(630, 10), CellColour(el::Close, 1, 1));
  EXPECT_EQ(image.pixel(610, 10), kUntouched);
  EXPECT_EQ(image.pixel(300, 300), kUntouched);
}

TEST_F(PainterTest, CaptionsAreDrawnInTheirColourGreyedWhenDisabledAndOnlyWithTheirOwner) {
  screen.SetCaption(el::PhonePanel, u"ЖЖЖ ЖЖЖ"_s, u""_s, 0);
  const QRect area = screen.CaptionRect(el::PhonePanel).toAlignedRect();
  EXPECT_EQ(CountNear(Render(), area, Qt::white), 0) << "panel 27 is hidden";

  screen.SetVisible(el::PhonePanel, true);
  const int white = CountNear(Render(), area, Qt::white);
  EXPECT_GT(white, 30);

  screen.SetCaptionColour(el::PhonePanel, qRgb(255, 0, 0));
  EXPECT_GT(CountNear(Render(), area, Qt::red), 30);

  screen.SetCaptionEnabled(el::PhonePanel, false);
  const QImage greyed = Render();
  EXPECT_GT(CountNear(greyed, area, QColor(128, 128, 128)), 30);
  EXPECT_EQ(CountNear(greyed, area, Qt::red), 0);
}

// Each column in its own colour, only while the board is shown, and never greyed:
// the scroll arrows switched off with a list that fits leave the list as it was.
TEST_F(PainterTest, BoardColumnsAreDrawnInTheirColoursWithTheBoardWhateverTheArrows) {
  for (const BoardColumn c : kBoardColumns) screen.SetBoardColumn(c, u"ЖЖЖ"_s);
  struct Column {
    BoardColumn column;
    QColor colour;
  };
  const Column columns[] = {{BoardColumn::Rank, QColor(207, 26, 156)},
                            {BoardColumn::Name, QColor(26, 186, 207)},
                            {BoardColumn::Sum, QColor(106, 207, 26)}};
  const QImage hidden = Render();
  for (const ElementId i : {el::Leaderboard, el::ScrollUp, el::ScrollDown}) screen.SetVisible(i, true);
  for (const ElementId i : {el::ScrollUp, el::ScrollDown}) screen.EnableElement(i, false);
  const QImage shown = Render();
  for (const Column& c : columns) {
    SCOPED_TRACE(int(c.column));
    const QRect area = screen.BoardColumnRect(c.column).toAlignedRect();
    EXPECT_EQ(CountNear(hidden, area, c.colour), 0);
    EXPECT_GT(CountNear(shown, area, c.colour), 10);
    EXPECT_EQ(CountNear(shown, area, QColor(128, 128, 128)), 0);
  }
}

TEST_F(PainterTest, CaptionTextIsClippedToItsOwnersBox) {
  screen.SetVisible(el::PhonePanel, true);
  // One word far wider than the panel: centred, it sticks out on both sides.
  screen.SetCaption(el::PhonePanel, QString(60, u'Ж'), u""_s, 0);
  const QImage image = Render();
  const QRectF caption = screen.CaptionRect(el::PhonePanel);
  const int top = int(caption.top()), bottom = int(caption.bottom());
  EXPECT_GT(CountNear(image, QRect(170, top, 60, bottom - top), Qt::white), 10);
  EXPECT_EQ(CountNear(image, QRect(150, top, 16, bottom - top), Qt::white), 0);
}

TEST_F(PainterTest, QuestionTextTooLongForAnySizeIsCutAtTheFramesSlantedEnds) {
  screen.SetCaption(el::QuestionFrame, QString(u"Ж"_s).repeated(40).append(u' ').repeated(200), u""_s, 0);
  const QImage image = Render();
  const QRect frame = screen.element(el::QuestionFrame).Box();
  const QPolygonF outline = CaptionOutline(el::QuestionFrame)->Polygon().translated(frame.topLeft());
  int inside = 0, outside = 0;
  for (int y = frame.top(); y <= frame.bottom(); ++y)
    for (int x = frame.left(); x <= frame.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) < 160 || qGreen(p) < 160 || qBlue(p) < 160) continue;
      ++(outline.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill) ? inside : outside);
    }
  EXPECT_GT(inside, 500);
  EXPECT_EQ(outside, 0);
}

TEST_F(PainterTest, APageShowsItsOwnBodyOverTheGameBelowTheTitleStrip) {
  const QImage game = Render();
  screen.ShowPages({{u"Правила"_s, u"<p>Первая страница, про вопросы.</p>"_s},
                    {u"Правила"_s, u"<p>Вторая: подсказки и лесенка сумм.</p>"_s}});
  const QImage first = Render();
  const QRect body = PageView::kBodyBox;
  EXPECT_NE(first.copy(body), game.copy(body));
  EXPECT_NE(first.pixel(580, 380), game.pixel(580, 380)) << "the page covers the game";
  const QRect strip(0, 0, 640, PageView::kBox.top());
  EXPECT_EQ(first.copy(strip), game.copy(strip)) << "the title strip stays";

  ASSERT_TRUE(screen.TurnPage(+1));
  const QImage second = Render();
  EXPECT_NE(second.copy(body), first.copy(body));
  ASSERT_TRUE(screen.TurnPage(-1));
  EXPECT_EQ(Render().copy(body), first.copy(body));

  screen.HidePages();
  EXPECT_EQ(Render(), game);
}

TEST_F(PainterTest, TheNameBoxIsLeftToTheWindow) {
  screen.SetVisible(el::VictoryPanel, true);
  const QImage image = Render();
  // The name box area shows the victory panel's own art.
  EXPECT_EQ(image.pixel(167 + 90, 305 + 110), CellColour(el::VictoryPanel, 1, 1));
}

// Zoomed, each face must be its sharper sheet's own pixels, copied one for one to
// the device pixels under its box: not a resampled or half-size copy, and with no
// seam where neighbours meet, also at 1.5× where boxes end on half pixels.
TEST(SharpPainting, FacesAreTheSharpSheetsPixelsAtEveryZoom) {
  QtTextMeasurer measurer;
  Screen screen(measurer);  // the program's own art
  screen.BuildScreen();
  for (const qreal zoom : {1.5, 2.0, 3.0}) {
    SCOPED_TRACE(zoom);
    SharpSheetCache sharp;
    sharp.SetScale(zoom);
    QImage image(qRound(640 * zoom), qRound(480 * zoom), QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    PaintScreen(painter, screen, QRegion(0, 0, 640, 480), &sharp);
    painter.end();

    int checked = 0;
    for (const ElementId i : AllElements()) {
      if (i == el::Background) continue;
      const Element& e = screen.element(i);
      const QImage* sheet = e.visible && e.faceSheet ? sharp.Sheet(*e.faceSheet) : nullptr;
      if (!sheet) continue;
      // Resampled from the drawn copy as a whole, not cell by cell.
      EXPECT_EQ(*sheet, SharpSheetCache::Resample(LoadSharpSheet(*e.faceSheet), zoom)) << "element " << i;
      bool covered = false;
      for (const ElementId j : AllElements())
        covered |= j > i && screen.element(j).visible && screen.element(j).Box().intersects(e.Box());
      if (covered) continue;
      const QRect box = e.Box();
      const QRect device(QPoint(qRound(box.left() * zoom), qRound(box.top() * zoom)),
                         QPoint(qRound((box.right() + 1) * zoom) - 1, qRound((box.bottom() + 1) * zoom) - 1));
      const QImage expected =
          sheet->copy(QRect(QPoint(qRound(e.faceSource.x() * zoom), qRound(e.faceSource.y() * zoom)), device.size()));
      EXPECT_EQ(image.copy(device), expected) << "element " << i;
      ++checked;
    }
    EXPECT_GT(checked, 20);
    int untouched = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) untouched += image.pixel(x, y) == kUntouched;
    EXPECT_EQ(untouched, 0);
  }
}

// A zoomed start prepares the sharper sheets of what it shows, each once, and no
// others: the panels' sheets wait until a panel is shown. A new zoom starts afresh.
TEST(SharpPainting, SheetsArePreparedWhenFirstPaintedAndOncePerScale) {
  FakeMeasurer measurer{FakeMeasurer::AtBlanks};
  Screen screen(measurer, &TestSheet);
  screen.BuildScreen();
  std::vector<ElementId> prepared;
  SharpSheetCache sharp([&](ElementId element) {
    prepared.push_back(element);
    return TestSheet(element).scaled(TestSheet(element).size() * 2);
  });
  const auto paint = [&](qreal zoom) {
    sharp.SetScale(zoom);
    QImage image(qRound(640 * zoom), qRound(480 * zoom), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    PaintScreen(painter, screen, QRegion(0, 0, 640, 480), &sharp);
  };
  const auto count = [&](ElementId element) { return std::count(prepared.begin(), prepared.end(), element); };

  paint(1.5);
  paint(1.5);
  EXPECT_EQ(count(el::Background), 1);
  EXPECT_EQ(count(el::QuestionFrame), 1);
  for (const ElementId panel : {el::PhonePanel, el::PollPanel, el::Leaderboard, el::VictoryPanel, el::LossPanel})
    EXPECT_EQ(count(panel), 0) << "hidden panel " << panel;

  screen.SetVisible(el::LossPanel, true);
  paint(1.5);
  EXPECT_EQ(count(el::LossPanel), 1);
  EXPECT_EQ(count(el::Background), 1);

  paint(3.0);
  EXPECT_EQ(count(el::Background), 2);
  EXPECT_EQ(count(el::LossPanel), 2);
}

}  // namespace
