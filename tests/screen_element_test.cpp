#include <gtest/gtest.h>

#include "screen/element.h"
#include "screen/element_table.h"
#include "tests/screen_fakes.h"

using namespace Qt::StringLiterals;
using namespace screen_test;

namespace {

class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest() : screen(measurer, &TestSheet) {
    screen.BuildScreen();
    screen.TakeDirty();
    measurer.calls.clear();
  }
  QRgb FacePixel(int index, int x, int y) const {
    return screen.element(index).face.pixel(x, y) | 0xFF000000u;
  }
  FakeMeasurer measurer{FakeMeasurer::AtBlanks};
  Screen screen;
};

// ---- Layout -------------------------------------------------------------------

TEST_F(ScreenTest, BoxesSheetsTooltipsAndVisibilityFollowTheLayoutTable) {
  struct Row {
    int index;
    QRect box;
    int source;
    QString tooltip;
    bool visible;
  };
  const Row rows[] = {
      {0, {0, 0, 640, 480}, 0, u""_s, true},
      {1, {167, 22, 473, 113}, 1, u""_s, true},
      {3, {404, 135, 236, 51}, 3, u"Вариант B"_s, true},
      {9, {166, 237, 158, 67}, 9, u"50/50 (клавиша 1)"_s, true},
      {10, {324, 237, 158, 67}, 10, u"Звонок другу (клавиша 2)"_s, true},
      {12, {0, 420, 166, 34}, 12, u""_s, true},
      {13, {0, 392, 166, 28}, 13, u""_s, true},
      {26, {0, 22, 166, 34}, 26, u""_s, true},
      {29, {201, 319, 434, 19}, 29, u"Вариант A"_s, false},
      {30, {201, 353, 434, 19}, 29, u"Вариант B"_s, false},
      {31, {201, 387, 434, 19}, 29, u"Вариант C"_s, false},
      {32, {201, 421, 434, 19}, 29, u"Вариант D"_s, false},
      {33, {0, 455, 587, 25}, 33, u""_s, true},
      {34, {0, 455, 587, 25}, 34, u"Прошло времени"_s, false},
      {38, {618, 21, 22, 22}, 38, u"Вверх"_s, false},
      {39, {618, 432, 22, 22}, 39, u"Вниз"_s, false},
      {40, {619, 43, 20, 40}, 40, u""_s, false},
      {45, {587, 455, 53, 25}, 45, u"Взять деньги (Ctrl+M)"_s, true},
      {47, {167, 432, 226, 22}, 47, u"Очистить таблицу"_s, false},
      {50, {167, 21, 451, 22}, 50, u""_s, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    const Element& e = screen.element(row.index);
    EXPECT_EQ(e.Box(), row.box);
    EXPECT_EQ(e.sheetSource, row.source);
    EXPECT_EQ(e.tooltip, row.tooltip);
    EXPECT_EQ(e.visible, row.visible);
    EXPECT_EQ(e.fullWidth, row.box.width());
  }
}

TEST_F(ScreenTest, TitleStripTooltipCarriesTheVersion) {
  EXPECT_EQ(screen.element(el::TitleStrip).tooltip, u"О, фартовик!   v0.99.19"_s);
  EXPECT_EQ(screen.element(el::TitleStrip).caption.tooltip, u"О, фартовик!   v0.99.19"_s);
}

TEST_F(ScreenTest, CaptionsShareTheirBoxTooltipExceptTheLeaderboardColumns) {
  EXPECT_EQ(screen.element(6).caption.tooltip, u"Выход"_s);
  EXPECT_EQ(screen.element(38).tooltip, u"Вверх"_s);
  EXPECT_TRUE(screen.element(38).caption.tooltip.isEmpty());
  EXPECT_TRUE(screen.element(39).caption.tooltip.isEmpty());
}

TEST_F(ScreenTest, EveryUsedElementShowsItsFirstCellAfterBuildingEvenWhenHidden) {
  for (int i = 0; i < kElementsInUse; ++i) {
    SCOPED_TRACE(i);
    const Element& e = screen.element(i);
    ASSERT_FALSE(e.face.isNull());
    EXPECT_EQ(e.face.size(), e.Box().size());
    const int source = e.sheetSource;
    EXPECT_EQ(FacePixel(i, 0, 0), CellColour(source, 1, 1));
    EXPECT_EQ(FacePixel(i, e.face.width() - 1, e.face.height() - 1), CellColour(source, 1, 1));
  }
}

TEST_F(ScreenTest, SpareSlotsAreNeverPlacedPaintedOrShown) {
  for (int i = kElementsInUse; i < kElementCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(screen.element(i).face.isNull());
    EXPECT_FALSE(screen.element(i).visible);
    EXPECT_TRUE(screen.element(i).Box().isEmpty());
  }
}

TEST_F(ScreenTest, CaptionStylesGiveBoxesColoursAndFonts) {
  struct Row {
    int index;
    QRectF captionBox;
    QString face;
    qreal size;
    bool bold, italic;
    CaptionAlign align;
    PackedColour colour, pointed;
  };
  const Row rows[] = {
      {1, {20, 10, 433, 93}, u"Arial Cyr"_s, 12, true, false, CaptionAlign::Centre, Rgb(255, 255, 255), kNoColour},
      {2, {47, 6, 174, 37}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Left, Rgb(255, 255, 255), Rgb(128, 255, 192)},
      {3, {41, 6, 176, 37}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Left, Rgb(255, 255, 255), Rgb(128, 255, 192)},
      {5, {42, 6, 175, 37}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Left, Rgb(255, 255, 255), Rgb(128, 255, 192)},
      {27, {130, 10, 333, 129}, u"Times New Roman"_s, 15, false, false, CaptionAlign::Centre, Rgb(255, 255, 255), kNoColour},
      {31, {0, 0, 37, 19}, u"MS Sans Serif"_s, 10, true, false, CaptionAlign::Centre, Rgb(255, 255, 255), kNoColour},
      {34, {0, 0, 40, 25}, u"Comic Sans MS"_s, 12, false, false, CaptionAlign::Centre, Rgb(255, 255, 255), kNoColour},
      {36, {0, 0, 31, 389}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Centre, Rgb(207, 26, 156), kNoColour},
      {38, {36, 0, 327, 389}, u"Arial Cyr"_s, 10, false, true, CaptionAlign::Centre, Rgb(26, 186, 207), kNoColour},
      {39, {366, 0, 85, 389}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Centre, Rgb(106, 207, 26), kNoColour},
      {41, {10, 27, 453, 71}, u"Arial Cyr"_s, 11, false, true, CaptionAlign::Centre, Rgb(255, 255, 255), kNoColour},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    const Element& e = screen.element(row.index);
    EXPECT_EQ(e.captionBox, row.captionBox);
    EXPECT_EQ(e.caption.font.face, row.face);
    EXPECT_EQ(e.caption.font.size, row.size);
    EXPECT_EQ(e.caption.font.bold, row.bold);
    EXPECT_EQ(e.caption.font.italic, row.italic);
    EXPECT_FALSE(e.caption.font.underline);
    EXPECT_EQ(e.caption.alignment, row.align);
    EXPECT_EQ(e.captionColour, row.colour);
    EXPECT_EQ(e.caption.colour, row.colour);
    EXPECT_EQ(e.pointedCaptionColour, row.pointed);
    EXPECT_TRUE(e.caption.visible);
    EXPECT_EQ(e.caption.left, row.captionBox.left());
    EXPECT_EQ(e.caption.top, row.captionBox.top());
    EXPECT_EQ(e.caption.width, row.captionBox.width());
  }
  EXPECT_FALSE(screen.element(37).caption.visible);
  EXPECT_FALSE(screen.element(0).caption.visible);
}

TEST_F(ScreenTest, CaptionHeightFollowsItsTextAtSetUp) {
  // An empty caption is one line of the fake: 2 × size.
  EXPECT_EQ(screen.element(27).caption.height, 30);
  EXPECT_EQ(screen.element(1).caption.height, 24);
}

TEST_F(ScreenTest, StyleValuesSwitchSingleAttributes) {
  screen.SetupElementLabel(27, 0, 0, 0, 0, u"Arial"_s, 9, 1, 1, 0, kNoColour);
  screen.SetupElementLabel(27, 0, 0, 0, 0, u"Arial"_s, 9, 1, 3, 0, kNoColour);
  CaptionFont f = screen.element(27).caption.font;
  EXPECT_TRUE(f.bold && f.underline && !f.italic && !f.strikeout);
  EXPECT_EQ(screen.element(27).caption.alignment, CaptionAlign::Right);
  screen.SetupElementLabel(27, 0, 0, 0, 0, u"Arial"_s, 9, 1, 0, 0, kNoColour);
  f = screen.element(27).caption.font;
  EXPECT_FALSE(f.bold || f.italic || f.underline || f.strikeout);
  screen.SetupElementLabel(27, 0, 0, 0, 0, u"Arial"_s, 9, 1, 2, 0, kNoColour);
  f = screen.element(27).caption.font;
  EXPECT_TRUE(f.italic && !f.bold && !f.underline && !f.strikeout);
  screen.SetupElementLabel(27, 0, 0, 0, 0, u"Arial"_s, 9, 1, 9, 0, kNoColour);
  EXPECT_EQ(screen.element(27).caption.font, f);
}

TEST_F(ScreenTest, NameBoxLiesOnTheVictoryPanelStrip) {
  const NameBox& box = screen.nameBox();
  EXPECT_EQ(box.rect, QRect(83, 103, 382, 14));
  EXPECT_EQ(box.textColour, Rgb(0, 0, 112));
  EXPECT_EQ(box.backColour, Rgb(112, 106, 6));
  EXPECT_TRUE(box.visible);
  EXPECT_EQ(box.maxLength, 25);
}

TEST_F(ScreenTest, NameBoxTextIsCutToItsLengthAndSelectedOnRequest) {
  const int revision = screen.nameBox().revision;
  screen.SetNameBoxText(QString(30, u'я'), true);
  EXPECT_EQ(screen.nameBox().text, QString(25, u'я'));
  EXPECT_EQ(screen.nameBox().selectionStart, 0);
  EXPECT_EQ(screen.nameBox().selectionLength, 25);
  EXPECT_GT(screen.nameBox().revision, revision);
  screen.SetNameBoxText(u"Вася"_s, false);
  EXPECT_EQ(screen.nameBox().selectionLength, 0);
}

// ---- Painting cells -------------------------------------------------------------

TEST_F(ScreenTest, DrawElementStateCopiesTheAddressedCell) {
  screen.PaintRow(el::AnswerA + 1, 3, 4);
  EXPECT_EQ(FacePixel(3, 0, 0), CellColour(3, 1, 3));
  EXPECT_EQ(FacePixel(3, 235, 50), CellColour(3, 1, 3));
  screen.DrawElementState(el::ScrollTrack, 2, 1, 2, 1);
  EXPECT_EQ(FacePixel(37, 21, 388), CellColour(37, 2, 1));
  screen.PaintRow(31, 1, 1);  // poll bars below A paint from bar A's sheet
  EXPECT_EQ(FacePixel(31, 5, 5), CellColour(29, 1, 1));
}

TEST_F(ScreenTest, ResizingNeverRepaintsTheFace) {
  screen.SetWidth(29, 100);
  EXPECT_EQ(screen.element(29).Box().width(), 100);
  EXPECT_EQ(screen.element(29).face.width(), 434);
  EXPECT_EQ(screen.element(29).fullWidth, 434);
}

TEST_F(ScreenTest, PaintingStretchesTheCellOntoABoxOfAnotherSize) {
  // Sheet 8 is 577 × 42 in two rows; a box half as wide still gets a whole cell.
  screen.SetWidth(8, 288.4);
  screen.PaintRow(8, 2, 2);
  const Element& e = screen.element(8);
  EXPECT_EQ(e.face.size(), QSize(288, 21));
  EXPECT_EQ(FacePixel(8, 0, 0), CellColour(8, 1, 2));
  EXPECT_EQ(FacePixel(8, 287, 20), CellColour(8, 1, 2));
}

TEST_F(ScreenTest, EnableElementPaintsTheLookThatGoesWithIt) {
  // Start from a look the switch must replace (or keep).
  struct Row {
    int index;
    bool enabled;
    int expectedRow;  // 0: the pointed look painted before stays
    bool captionVisible;
  };
  const Row rows[] = {
      {2, false, 1, false}, {5, true, 1, true},  {9, false, 4, true},
      {11, true, 1, true},  {45, false, 4, true}, {6, false, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    const ElementGrid grid = GridOf(row.index);
    screen.PaintRow(row.index, 3, grid.rows);
    screen.EnableElement(row.index, row.enabled);
    const Element& e = screen.element(row.index);
    EXPECT_EQ(e.enabled, row.enabled);
    EXPECT_EQ(e.caption.enabled, row.enabled);
    EXPECT_EQ(FacePixel(row.index, 1, 1),
              CellColour(row.index, 1, row.expectedRow ? row.expectedRow : 3));
    if (row.index >= 2 && row.index <= 5) {
      EXPECT_EQ(e.caption.visible, row.captionVisible);
    }
  }
}

// ---- Fitting --------------------------------------------------------------------

// The text fits up to `largest` points, whatever the width.
void FitsUpTo(FakeMeasurer& measurer, qreal largest) {
  measurer.rule = [largest](const QString&, const CaptionFont& font, qreal) {
    return QSizeF(10, font.size <= largest ? 10 : 1000);
  };
}

TEST_F(ScreenTest, FitClimbsThenStepsBackAndStopsAtTheLimits) {
  struct Row {
    qreal largestFitting;
    std::vector<qreal> trials;
    qreal result;
  };
  const Row rows[] = {
      {9, {6, 7, 8, 9, 10, 9}, 9},
      {13, {6, 7, 8, 9, 10, 11, 12, 13, 14, 13}, 13},
      {15, {6, 7, 8, 9, 10, 11, 12, 13, 14}, 14},
      {100, {6, 7, 8, 9, 10, 11, 12, 13, 14}, 14},
      {6, {6, 7, 6}, 6},
      {5, {6, 5}, 5},
      {4, {6, 5, 4}, 4},
      {1, {6, 5, 4}, 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.largestFitting);
    FitsUpTo(measurer, row.largestFitting);
    measurer.calls.clear();
    const int before = screen.measurements();
    screen.SetCaption(1, u"Сколько будет дважды два?"_s, u""_s, 0);
    EXPECT_EQ(measurer.TrialSizes(431), row.trials);
    EXPECT_EQ(screen.measurements() - before, int(row.trials.size()));
    EXPECT_LE(screen.measurements() - before, 10);
    EXPECT_EQ(screen.element(1).caption.font.size, row.result);
  }
}

TEST_F(ScreenTest, FitMeasuresAtTheBoxWidthLessTwoButAcceptsTheFullWidth) {
  // A long word: wider than 172 (box − 2) at every size, within 174 up to size 11.
  measurer.rule = [](const QString&, const CaptionFont& font, qreal) {
    return QSizeF(font.size <= 11 ? 173.0 : 200.0, 20);
  };
  screen.SetCaption(2, u"Параллелепипед"_s, u""_s, 0);
  EXPECT_EQ(screen.element(2).caption.font.size, 11);
  for (const FakeMeasurer::Call& c : measurer.calls) {
    if (c.font.size != 11 || c.width != 174) {
      EXPECT_EQ(c.width, 172);
    }
  }
}

// The question frame's ends are slanted: a block of text as wide as the frame's
// box runs over them in its top and bottom lines, so a taller block is narrower.
TEST_F(ScreenTest, QuestionTextStaysInsideTheFramesSlantedEnds) {
  const FrameOutline* outline = CaptionOutline(el::QuestionFrame);
  ASSERT_NE(outline, nullptr);
  const QPolygonF frame = outline->Polygon();
  const QRectF box = screen.element(el::QuestionFrame).captionBox;
  const QString sentence = u"Какой город стоит на семи холмах и на какой реке он был основан? "_s;
  for (int repeats : {1, 2, 4, 6, 8}) {
    SCOPED_TRACE(repeats);
    screen.SetCaption(el::QuestionFrame, sentence.repeated(repeats).trimmed(), u""_s, 0);
    const Caption& c = screen.element(el::QuestionFrame).caption;
    ASSERT_LE(c.height, box.height());
    for (const QPointF corner : {QPointF(c.left, c.top), QPointF(c.left + c.width, c.top),
                                 QPointF(c.left, c.top + c.height), QPointF(c.left + c.width, c.top + c.height)})
      EXPECT_TRUE(frame.containsPoint(corner, Qt::OddEvenFill)) << corner.x() << ", " << corner.y();
    EXPECT_DOUBLE_EQ(c.left + c.width / 2, box.center().x());
    // The narrowed caption wraps the text as the fit measured it.
    EXPECT_EQ(c.height, measurer.Measure(c.text, c.font, c.width).height());
  }
  // One short line keeps nearly the whole box.
  screen.SetCaption(el::QuestionFrame, u"Да?"_s, u""_s, 0);
  EXPECT_GT(screen.element(el::QuestionFrame).caption.width, box.width() - 20);
}

TEST_F(ScreenTest, QuestionTooLongForAnySizeKeepsClearOfTheSlantedEnds) {
  const FrameOutline* outline = CaptionOutline(el::QuestionFrame);
  ASSERT_NE(outline, nullptr);
  const QRectF box = screen.element(el::QuestionFrame).captionBox;
  screen.SetCaption(el::QuestionFrame, u"Очень длинный вопрос "_s.repeated(200), u""_s, 0);
  const Caption& c = screen.element(el::QuestionFrame).caption;
  EXPECT_GT(c.height, box.height());
  // Where the frame's top and bottom edges meet its ends.
  EXPECT_GE(c.left, outline->left + outline->inset);
  EXPECT_LE(c.left + c.width, outline->right - outline->inset);
}

TEST_F(ScreenTest, EmptyTextOnTheQuestionFrameClimbsToTheCap) {
  screen.SetCaption(1, u"Вопрос"_s, u"Вопрос 1999 года."_s, 0);
  screen.SetCaption(1, u""_s, u""_s, 0);
  const Element& e = screen.element(1);
  EXPECT_TRUE(e.caption.text.isEmpty());
  EXPECT_EQ(e.caption.font.size, 14);
  EXPECT_TRUE(e.tooltip.isEmpty());
  EXPECT_TRUE(e.caption.tooltip.isEmpty());
}

TEST_F(ScreenTest, FitTakesTheSizeTheFontSystemReports) {
  measurer.reported = [](const CaptionFont& f) { return f.size * 0.975; };
  FitsUpTo(measurer, 10);
  screen.SetCaption(4, u"Да"_s, u""_s, 0);
  EXPECT_DOUBLE_EQ(screen.element(4).caption.font.size, 9.75);
}

TEST_F(ScreenTest, FitLeavesOtherElementsSizeAlone) {
  screen.SetCaption(27, u"Я думаю, это B"_s, u""_s, 0);
  EXPECT_EQ(screen.element(27).caption.font.size, 15);
  EXPECT_EQ(screen.measurements(), 0);
}

TEST_F(ScreenTest, FixedSizeWithEmptyTextKeepsAnAnswerButClearsOtherCaptions) {
  screen.SetCaption(3, u"Кошка"_s, u""_s, 0);
  screen.SetCaption(3, u""_s, u""_s, 11);
  EXPECT_EQ(screen.element(3).caption.text, u"Кошка"_s);
  EXPECT_EQ(screen.element(3).caption.font.size, 11);
  screen.SetCaption(27, u"Привет"_s, u""_s, 0);
  screen.SetCaption(27, u""_s, u""_s, 11);
  EXPECT_TRUE(screen.element(27).caption.text.isEmpty());
  EXPECT_EQ(screen.element(27).caption.font.size, 11);
}

TEST_F(ScreenTest, CaptionIsCentredVerticallyInSinglePrecision) {
  // Fake height of one line at 15 points: 30; box 129 high at top 10.
  screen.SetCaption(27, u"Да"_s, u""_s, 0);
  EXPECT_EQ(screen.element(27).caption.height, 30);
  EXPECT_EQ(screen.element(27).caption.top, 10 + (129 - 30) / 2.0);
  // Taller than its box: sticks out equally above and below.
  measurer.rule = [](const QString&, const CaptionFont&, qreal) { return QSizeF(10, 30.3); };
  screen.SetCaption(31, u"100%"_s, u""_s, 0);
  EXPECT_EQ(screen.element(31).caption.top, qreal((19.0f - 30.3f) / 2.0f));
}

TEST_F(ScreenTest, CaptionHeightGrowsWithWrappedLines) {
  // 15 points: 7.5 px a character; 333 px hold about 44 characters a line.
  screen.SetCaption(27, QString(40, u'x') + u' ' + QString(40, u'y'), u""_s, 0);
  EXPECT_EQ(screen.element(27).caption.height, 60);
  screen.SetCaption(27, u"a\r\nb\r\nc"_s, u""_s, 0);
  EXPECT_EQ(screen.element(27).caption.height, 90);
}

TEST_F(ScreenTest, TooltipGoesToTheOwnerSoScrollButtonsKeepTheirs) {
  screen.SetCaption(2, u"Текст"_s, u"Подсказка"_s, 0);
  EXPECT_EQ(screen.element(2).tooltip, u"Подсказка"_s);
  EXPECT_EQ(screen.element(2).caption.tooltip, u"Подсказка"_s);
  screen.SetCaption(38, u"Имя"_s, u"Колонка"_s, 0);
  EXPECT_EQ(screen.element(38).tooltip, u"Вверх"_s);
  EXPECT_EQ(screen.element(38).caption.tooltip, u"Колонка"_s);
  EXPECT_EQ(screen.element(36).tooltip, u"Колонка"_s);
}

TEST_F(ScreenTest, FillingALeaderboardColumnBringsAllThreeBackToTheTop) {
  screen.SetCaptionTop(36, -120);
  screen.SetCaptionTop(38, -120);
  screen.SetCaptionTop(39, -120);
  screen.SetCaption(39, u"1000000"_s, u""_s, 0);
  for (int i : {36, 38, 39}) EXPECT_EQ(screen.element(i).caption.top, 0) << i;
}

TEST_F(ScreenTest, SettingTheSameCaptionTwiceChangesNothing) {
  screen.SetCaption(41, u"Вы набрали 100 у.е."_s, u"x"_s, 0);
  ASSERT_FALSE(screen.TakeDirty().isEmpty());
  const Caption before = screen.element(41).caption;
  measurer.calls.clear();
  screen.SetCaption(41, u"Вы набрали 100 у.е."_s, u"x"_s, 0);
  EXPECT_TRUE(screen.TakeDirty().isEmpty());
  EXPECT_TRUE(measurer.calls.empty());
  EXPECT_EQ(screen.element(41).caption.top, before.top);
  EXPECT_EQ(screen.element(41).caption.height, before.height);
}

// ---- Hit testing and dirty tracking ---------------------------------------------

TEST_F(ScreenTest, ElementAtFindsTheTopmostVisibleElement) {
  EXPECT_EQ(screen.ElementAt({10, 460}), 33);
  screen.SetVisible(34, true);
  EXPECT_EQ(screen.ElementAt({10, 460}), 34);
  EXPECT_EQ(screen.ElementAt({200, 100}), 1);
  screen.SetVisible(36, true);
  EXPECT_EQ(screen.ElementAt({200, 100}), 36);
  EXPECT_EQ(screen.ElementAt({639.5, 479.5}), 45);
  EXPECT_EQ(screen.ElementAt({700, 10}), 0);
  screen.EnableElement(45, false);
  EXPECT_EQ(screen.ElementAt({639.5, 479.5}), 45);
}

TEST_F(ScreenTest, TouchingElementsShareNoPointTheEdgeBelongsToTheLaterBox) {
  // Boxes are half-open: left <= x < left + width, top <= y < top + height. Every
  // pair of elements whose boxes touch, the first ending where the second begins.
  struct Pair {
    int before, after;
    bool sideBySide;  ///< true: `after` is right of `before`; false: below it
  };
  const Pair pairs[] = {
      {7, 8, true},    {8, 35, true},   {35, 6, true},   {2, 3, true},    {4, 5, true},
      {9, 10, true},   {10, 11, true},  {47, 46, true},  {46, 39, true},  {36, 37, true},
      {33, 45, true},  {34, 45, true},  {50, 38, true},  {1, 2, false},   {1, 3, false},
      {2, 4, false},   {3, 5, false},   {4, 9, false},   {4, 10, false},  {5, 10, false},
      {5, 11, false},  {8, 50, false},  {6, 38, false},  {35, 50, false}, {38, 37, false},
      {38, 40, false}, {37, 39, false}, {50, 36, false}, {36, 47, false}, {36, 46, false},
      {13, 12, false}, {14, 13, false}, {26, 25, false}, {41, 42, false}, {43, 44, false},
      {48, 49, false},
  };
  for (const Pair& p : pairs) {
    for (int e = 27; e < kElementsInUse; ++e) screen.SetVisible(e, false);
    screen.SetVisible(p.before, true);
    screen.SetVisible(p.after, true);
    const QRect a = screen.element(p.before).Box();
    const QRect b = screen.element(p.after).Box();
    QPointF edge;
    if (p.sideBySide) {
      ASSERT_EQ(a.left() + a.width(), b.left()) << p.before << "|" << p.after;
      const int top = std::max(a.top(), b.top()), bottom = std::min(a.bottom(), b.bottom());
      ASSERT_LE(top, bottom) << p.before << "|" << p.after;
      edge = QPointF(b.left(), (top + bottom) / 2);
    } else {
      ASSERT_EQ(a.top() + a.height(), b.top()) << p.before << "/" << p.after;
      const int left = std::max(a.left(), b.left()), right = std::min(a.right(), b.right());
      ASSERT_LE(left, right) << p.before << "/" << p.after;
      edge = QPointF((left + right) / 2, b.top());
    }
    const QPointF justBefore = p.sideBySide ? edge - QPointF(0.5, 0) : edge - QPointF(0, 0.5);
    EXPECT_EQ(screen.ElementAt(edge), p.after) << p.before << " then " << p.after;
    EXPECT_EQ(screen.ElementAt(justBefore), p.before) << p.before << " then " << p.after;
  }
  // The window's own right and bottom edges lie outside every box.
  EXPECT_EQ(screen.ElementAt({640, 470}), 0);
  EXPECT_EQ(screen.ElementAt({630, 480}), 0);
}

TEST_F(ScreenTest, CaptionBoxesAreHalfOpenToo) {
  screen.SetCaption(1, u"Вопрос"_s, u""_s, 0);
  const QRectF rect = screen.CaptionRect(1).intersected(QRectF(screen.element(1).Box()));
  const qreal y = rect.center().y();
  EXPECT_EQ(screen.CaptionAt({rect.left(), y}), 1);
  EXPECT_EQ(screen.CaptionAt({rect.left() + rect.width() - 0.5, y}), 1);
  EXPECT_EQ(screen.CaptionAt({rect.left() + rect.width(), y}), -1);
  EXPECT_EQ(screen.CaptionAt({rect.center().x(), rect.top() + rect.height()}), -1);
}

TEST_F(ScreenTest, CaptionAtNeedsTextAndIsCoveredByHigherElements) {
  const QPointF centre = screen.CaptionRect(1).center();
  EXPECT_EQ(screen.CaptionAt(centre), -1);  // no text yet
  screen.SetCaption(1, u"Вопрос"_s, u""_s, 0);
  EXPECT_EQ(screen.CaptionAt(screen.CaptionRect(1).center()), 1);
  screen.SetVisible(36, true);
  EXPECT_EQ(screen.CaptionAt(screen.CaptionRect(1).center()), -1);
  screen.SetCaption(38, u"Вася"_s, u""_s, 0);
  const QPointF name = screen.CaptionRect(38).center();
  EXPECT_GT(name.x(), 167 + 36);
  EXPECT_EQ(screen.CaptionAt(name), 38);
}

TEST_F(ScreenTest, DirtyRegionHoldsWhatChangedOnce) {
  screen.SetWidth(29, 100);
  EXPECT_TRUE(screen.TakeDirty().contains(QRect(201, 319, 434, 19)));
  EXPECT_TRUE(screen.TakeDirty().isEmpty());

  screen.PaintRow(2, 4, 4);
  EXPECT_EQ(screen.TakeDirty(), QRegion(167, 135, 237, 51));

  screen.SetCaption(34, u"0:20"_s, u""_s, 0);
  const QRegion dirty = screen.TakeDirty();
  EXPECT_FALSE(dirty.isEmpty());
  EXPECT_TRUE(QRegion(0, 455, 587, 25).contains(dirty.boundingRect()));
  EXPECT_TRUE(dirty.contains(screen.CaptionRect(34).toAlignedRect()));

  screen.SetCaptionColour(2, Rgb(1, 2, 3));
  EXPECT_TRUE(screen.TakeDirty().contains(screen.CaptionRect(2).toAlignedRect()));
  screen.SetCaptionColour(2, Rgb(1, 2, 3));
  EXPECT_TRUE(screen.TakeDirty().isEmpty());

  const QRect thumbWas = screen.element(40).Box();
  screen.SetTop(40, 100);
  const QRegion moved = screen.TakeDirty();
  EXPECT_TRUE(moved.contains(thumbWas));
  EXPECT_TRUE(moved.contains(screen.element(40).Box()));
}

}  // namespace
