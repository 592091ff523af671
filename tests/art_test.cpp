// The sprite sheets as the game finds them among its resources: every element's
// sheet is there, has the exact size its cells are cut from, is a plain 24-bit
// bitmap, and its cells really show different looks.

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "screen/element.h"
#include "screen/element_table.h"
#include "screen/sheet_files.h"
#include "tests/element_names.h"

using namespace Qt::StringLiterals;

namespace {

struct SheetSize {
  ElementId element;
  int width, height;
  int cols, rows;
};

// Sheet sizes and grids as the layout uses them; cells are copied one to one
// onto boxes of width/cols × height/rows.
const std::vector<SheetSize>& SheetSizes() {
  static const std::vector<SheetSize> sizes = [] {
    std::vector<SheetSize> s = {
        {el::Background, 640, 480, 1, 1},  {el::QuestionFrame, 473, 113, 1, 1},
        {el::AnswerA, 237, 204, 1, 4},     {el::AnswerB, 236, 204, 1, 4},
        {el::AnswerC, 237, 204, 1, 4},     {el::AnswerD, 236, 204, 1, 4},
        {el::Close, 21, 63, 1, 3},         {el::Menu, 21, 63, 1, 3},
        {el::TitleStrip, 577, 42, 1, 2},   {el::FiftyFifty, 158, 268, 1, 4},
        {el::PhoneFriend, 158, 268, 1, 4}, {el::AudiencePoll, 158, 268, 1, 4},
        {el::Rung1, 166, 102, 1, 3},
    };
    for (int q = 2; q <= 14; ++q) s.push_back({LadderRung(q), 166, 84, 1, 3});
    const std::vector<SheetSize> rest = {
        {el::Rung15, 166, 102, 1, 3},           {el::PhonePanel, 473, 149, 1, 1},
        {el::PollPanel, 473, 149, 1, 1},        {el::PollBarA, 434, 19, 1, 1},
        {el::ClockStrip, 587, 25, 1, 1},        {el::ClockBar, 587, 25, 1, 1},
        {el::Minimise, 21, 63, 1, 3},           {el::Leaderboard, 451, 389, 1, 1},
        {el::ScrollTrack, 44, 389, 2, 1},       {el::ScrollUp, 22, 66, 1, 3},
        {el::ScrollDown, 22, 66, 1, 3},         {el::ScrollThumb, 20, 120, 1, 3},
        {el::VictoryPanel, 473, 128 * 6, 1, 6}, {el::VictoryConfirm, 473, 63, 1, 3},
        {el::LossPanel, 473, 128, 1, 1},        {el::LossConfirm, 473, 63, 1, 3},
        {el::TakeMoney, 53, 100, 1, 4},         {el::HideTable, 225, 66, 1, 3},
        {el::ClearTable, 226, 66, 1, 3},        {el::TimeoutPanel, 473, 128, 1, 1},
        {el::TimeoutConfirm, 473, 63, 1, 3},    {el::LeaderboardHeader, 451, 22, 1, 1},
    };
    s.insert(s.end(), rest.begin(), rest.end());
    return s;
  }();
  return sizes;
}

const SheetSize& SizeOf(ElementId element) {
  for (const SheetSize& s : SheetSizes())
    if (s.element == element) return s;
  std::abort();
}

QImage Cell(const QImage& sheet, ElementId element, int cell) {
  const SheetSize& s = SizeOf(element);
  const int w = s.width / s.cols, h = s.height / s.rows;
  const int col = s.cols > 1 ? cell : 1;
  const int row = s.cols > 1 ? 1 : cell;
  return sheet.copy((col - 1) * w, (row - 1) * h, w, h);
}

// Pixels whose colour differs clearly (by more than a faint shading).
int DifferentPixels(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int d =
          std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
      if (d > 40) ++differing;
    }
  }
  return differing;
}

bool Near(QRgb p, int r, int g, int b, int tolerance) {
  return std::abs(qRed(p) - r) <= tolerance && std::abs(qGreen(p) - g) <= tolerance &&
         std::abs(qBlue(p) - b) <= tolerance;
}

::testing::AssertionResult PixelNear(const QImage& img, int x, int y, int r, int g, int b, int tolerance) {
  const QRgb p = img.pixel(x, y);
  if (Near(p, r, g, b, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << qRed(p) << ", " << qGreen(p)
                                       << ", " << qBlue(p) << "), expected about (" << r << ", " << g << ", " << b
                                       << ")";
}

}  // namespace

TEST(SheetFiles, ElementsWithoutOwnSheetHaveNoResource) {
  for (const ElementId element : {el::PollBarB, el::PollBarC, el::PollBarD}) {
    EXPECT_TRUE(SheetResource(element).isEmpty()) << element;
    EXPECT_TRUE(LoadSheet(element).isNull()) << element;
  }
}

TEST(SheetFiles, ResourcePathsFollowTheElementNames) {
  const std::pair<ElementId, QString> cases[] = {
      {el::Background, u":/art/background.bmp"_s},
      {el::AnswerA, u":/art/answer_a.bmp"_s},
      {el::AnswerD, u":/art/answer_d.bmp"_s},
      {el::Rung1, u":/art/ladder_01.bmp"_s},
      {el::Rung10, u":/art/ladder_10.bmp"_s},
      {el::Rung15, u":/art/ladder_15.bmp"_s},
      {el::PollBarA, u":/art/poll_bar.bmp"_s},
      {el::ClockStrip, u":/art/clock_dim.bmp"_s},
      {el::Minimise, u":/art/minimise.bmp"_s},
      {el::TimeoutConfirm, u":/art/confirm_timeout.bmp"_s},
      {el::LeaderboardHeader, u":/art/leaderboard_header.bmp"_s},
  };
  for (const auto& [element, path] : cases) EXPECT_EQ(SheetResource(element), path) << element;
}

TEST(SheetFiles, EverySheetLoadsAtItsSizeAs24BitBitmap) {
  for (const SheetSize& s : SheetSizes()) {
    SCOPED_TRACE(s.element);
    const QImage sheet = LoadSheet(s.element);
    ASSERT_FALSE(sheet.isNull());
    EXPECT_EQ(sheet.size(), QSize(s.width, s.height));
    EXPECT_FALSE(sheet.hasAlphaChannel());

    QFile file(SheetResource(s.element));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    ASSERT_EQ(header.size(), 54);
    EXPECT_EQ(header.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint16>(header.constData() + 28), 24) << "bits per pixel";
    EXPECT_EQ(qFromLittleEndian<quint32>(header.constData() + 30), 0u) << "compression";
  }
}

TEST(SheetFiles, WindowIconsAreThere) {
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QImage icon(u":/art/icon_%1.png"_s.arg(size));
    ASSERT_FALSE(icon.isNull()) << size;
    EXPECT_EQ(icon.size(), QSize(size, size));
    // A round emblem: the corners are see-through, the centre is not.
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
  }
}

// Every pair of cells of a multi-look element must be told apart at a glance. The
// smallest difference drawn is the diamond of a won guaranteed row, about forty
// pixels; the same cell copied twice or a shifted cut differs in none or a few.
TEST(SheetCells, EveryLookOfAnElementDiffers) {
  for (const SheetSize& s : SheetSizes()) {
    const int cells = s.cols * s.rows;
    if (cells < 2 || s.element == el::TitleStrip) continue;  // the title strip's two cells are nearly identical
    const QImage sheet = LoadSheet(s.element);
    ASSERT_FALSE(sheet.isNull()) << s.element;
    for (int a = 1; a <= cells; ++a) {
      for (int b = a + 1; b <= cells; ++b) {
        EXPECT_GE(DifferentPixels(Cell(sheet, s.element, a), Cell(sheet, s.element, b)), 30)
            << "element " << s.element << ", cells " << a << " and " << b;
      }
    }
  }
}

// The record panel's looks: the first three lie over the olive strip of the name box,
// the other three, for a result with no row, have none.
TEST(SheetCells, TheRecordPanelShowsItsNameStripOnlyWhereItAsksForAName) {
  const QImage sheet = LoadSheet(el::VictoryPanel);
  ASSERT_FALSE(sheet.isNull());
  for (const RecordHeading heading : {RecordHeading::Victory, RecordHeading::WrongAnswer, RecordHeading::TimeOut}) {
    for (const bool strip : {true, false}) {
      SCOPED_TRACE(testing::Message() << int(heading) << " " << strip);
      const QImage cell = Cell(sheet, el::VictoryPanel, CellOf(RecordPanelLook{heading, strip}).row);
      const QRgb onStrip = cell.pixel(300, 110);  // right of "Ваше имя:", under the box
      const bool olive = qRed(onStrip) > 90 && qGreen(onStrip) > 60 && qBlue(onStrip) < 40;
      EXPECT_EQ(olive, strip);
    }
  }
}

TEST(SheetCells, TitleStripCellsAreNearlyIdentical) {
  const QImage sheet = LoadSheet(el::TitleStrip);
  ASSERT_FALSE(sheet.isNull());
  EXPECT_LT(DifferentPixels(Cell(sheet, el::TitleStrip, 1), Cell(sheet, el::TitleStrip, 2)), 577 * 21 / 20);
}

// The answer fills behind the caption: black, the chosen orange, the correct green.
TEST(SheetCells, AnswerFillsCarryTheirColours) {
  for (const ElementId element : kAnswerSlots) {
    SCOPED_TRACE(element);
    const QImage sheet = LoadSheet(element);
    ASSERT_FALSE(sheet.isNull());
    const int x = 130, y = 25;  // inside every caption box, right of the letter
    const QImage normal = Cell(sheet, element, 1), chosen = Cell(sheet, element, 2);
    const QImage correct = Cell(sheet, element, 3), pointed = Cell(sheet, element, 4);
    EXPECT_LT(qMax(qMax(qRed(normal.pixel(x, y)), qGreen(normal.pixel(x, y))), qBlue(normal.pixel(x, y))), 60);
    EXPECT_TRUE(PixelNear(chosen, x, y, 204, 102, 26, 24));
    EXPECT_TRUE(PixelNear(correct, x, y, 0, 204, 102, 24));
    EXPECT_LT(qMax(qMax(qRed(pointed.pixel(x, y)), qGreen(pointed.pixel(x, y))), qBlue(pointed.pixel(x, y))), 60);
    // The outline along the top edge: white normally, light green when pointed at.
    const QRgb white = normal.pixel(x, 3), green = pointed.pixel(x, 3);
    EXPECT_GT(qMin(qMin(qRed(white), qGreen(white)), qBlue(white)), 190);
    EXPECT_GT(qGreen(green), qRed(green) + 60);
  }
}

// Cell 1 of the ladder is orange, except for the guaranteed rows 5, 10 and 15 in white;
// cell 3 lies on an orange bar.
TEST(SheetCells, LadderRowsKeepTheirColours) {
  for (int question = 1; question <= 15; ++question) {
    SCOPED_TRACE(question);
    const ElementId element = LadderRung(question);
    const QImage sheet = LoadSheet(element);
    ASSERT_FALSE(sheet.isNull());
    const QImage plain = Cell(sheet, element, 1), top = Cell(sheet, element, 3);
    // The brightest pixel of the question number tells its ink.
    QRgb ink = 0;
    for (int y = 0; y < plain.height(); ++y)
      for (int x = 0; x < 32; ++x)
        if (qGray(plain.pixel(x, y)) > qGray(ink)) ink = plain.pixel(x, y);
    if (question % 5 == 0) {
      EXPECT_GT(qBlue(ink), 200) << "white";
    } else {
      EXPECT_GT(qRed(ink), 200);
      EXPECT_LT(qBlue(ink), 120) << "orange";
    }
    const int mid = top.height() / 2;
    EXPECT_TRUE(PixelNear(top, 60, mid, 204, 102, 26, 30));
    EXPECT_LT(qGray(plain.pixel(60, mid)), 30);
  }
}

TEST(SheetCells, BackgroundRulesSitWhereTheElementsMeet) {
  const QImage bg = LoadSheet(el::Background);
  ASSERT_FALSE(bg.isNull());
  const std::pair<int, int> cores[] = {{300, 20},  {300, 21},  {10, 454},  {600, 455},
                                       {165, 200}, {166, 400}, {400, 303}, {639, 304}};
  for (const auto& [x, y] : cores) EXPECT_TRUE(PixelNear(bg, x, y, 7, 115, 222, 40));
  // Away from the rules the ladder column is black.
  EXPECT_LT(qGray(bg.pixel(80, 200)), 20);
  EXPECT_LT(qGray(bg.pixel(165, 10)), 20);  // the vertical rule stops at the top rule
}

TEST(SheetCells, PanelsShowTheirDescribedParts) {
  // Poll bar: a grey slot for the percentage, then pink turning blue.
  const QImage bar = LoadSheet(el::PollBarA);
  ASSERT_FALSE(bar.isNull());
  const QRgb slot = bar.pixel(18, 9);
  EXPECT_LT(std::abs(qRed(slot) - qBlue(slot)), 30);
  EXPECT_LT(qGray(slot), 120);
  EXPECT_GT(qRed(bar.pixel(50, 9)), 200);
  EXPECT_GT(qBlue(bar.pixel(420, 9)), 200);
  EXPECT_LT(qRed(bar.pixel(420, 9)), 120);

  // Victory panel: the name box lies on an olive strip.
  const QImage victory = LoadSheet(el::VictoryPanel);
  ASSERT_FALSE(victory.isNull());
  for (const int y : {104, 109, 115}) {
    const QRgb p = victory.pixel(300, y);
    EXPECT_NEAR(qRed(p), 112, 20) << y;
    EXPECT_GE(qGreen(p), 55) << y;
    EXPECT_LE(qGreen(p), 120) << y;
    EXPECT_LT(qBlue(p), 40) << y;
  }

  // Scroll track: black groove, brown when pressed.
  const QImage track = LoadSheet(el::ScrollTrack);
  ASSERT_FALSE(track.isNull());
  EXPECT_LT(qGray(track.pixel(5, 200)), 30);
  const QRgb brown = track.pixel(22 + 11, 200);
  EXPECT_GT(qRed(brown), qGreen(brown));
  EXPECT_GT(qGreen(brown), qBlue(brown));
  EXPECT_GT(qRed(brown), 90);
}

// Every sheet has its sharper copy, tied to the 1× file now carried, twice its
// size and showing the same picture: shrunk back, it is close to the 1× sheet.
TEST(SharpSheets, EverySheetHasAMatchingCopyAtTwiceTheSize) {
  int checked = 0;
  for (const ElementId element : AllElements()) {
    const QImage plain = LoadSheet(element);
    if (plain.isNull()) continue;
    const QImage sharp = LoadSharpSheet(element);
    ASSERT_FALSE(sharp.isNull()) << element;
    ASSERT_EQ(sharp.size(), plain.size() * 2) << element;
    const QImage shrunk = sharp.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    const QImage base = plain.convertToFormat(QImage::Format_RGB32);
    double total = 0;
    for (int y = 0; y < base.height(); ++y) {
      for (int x = 0; x < base.width(); ++x) {
        const QRgb a = base.pixel(x, y), b = shrunk.pixel(x, y);
        total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
      }
    }
    const double mean = total / (3.0 * base.width() * base.height());
    EXPECT_LT(mean, 12.0) << SheetResource(element).toStdString();
    ++checked;
  }
  EXPECT_EQ(checked, 48);
  // Another scale than the one drawn is not carried.
  EXPECT_TRUE(LoadSharpSheet(el::Background, 3.0).isNull());
  EXPECT_EQ(SharpSheetName(u":/art/menu.bmp"_s), u":/art/menu@2x.bmp"_s);
}
