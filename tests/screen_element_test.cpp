#include <gtest/gtest.h>

#include "screen/element.h"
#include "screen/element_table.h"
#include "screen/sheet_files.h"
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
  QRgb FacePixel(ElementId index, int x, int y) const { return screen.element(index).face.pixel(x, y) | 0xFF000000u; }
  FakeMeasurer measurer{FakeMeasurer::AtBlanks};
  Screen screen;
};

// ---- Layout -------------------------------------------------------------------

TEST_F(ScreenTest, BoxesSheetsTooltipsAndVisibilityFollowTheLayoutTable) {
  struct Row {
    ElementId index;
    QRect box;
    ElementId source;
    QString tooltip;
    bool visible;
  };
  const Row rows[] = {
      {el::Background, {0, 0, 640, 480}, el::Background, u""_s, true},
      {el::QuestionFrame, {167, 22, 473, 113}, el::QuestionFrame, u""_s, true},
      {el::AnswerB, {404, 135, 236, 51}, el::AnswerB, u"Вариант B"_s, true},
      {el::FiftyFifty, {166, 237, 158, 67}, el::FiftyFifty, u"50/50 (клавиша 1)"_s, true},
      {el::PhoneFriend, {324, 237, 158, 67}, el::PhoneFriend, u"Звонок другу (клавиша 2)"_s, true},
      {el::Rung1, {0, 420, 166, 34}, el::Rung1, u""_s, true},
      {el::Rung2, {0, 392, 166, 28}, el::Rung2, u""_s, true},
      {el::Rung15, {0, 22, 166, 34}, el::Rung15, u""_s, true},
      {el::PollBarA, {201, 319, 434, 19}, el::PollBarA, u"Вариант A"_s, false},
      {el::PollBarB, {201, 353, 434, 19}, el::PollBarA, u"Вариант B"_s, false},
      {el::PollBarC, {201, 387, 434, 19}, el::PollBarA, u"Вариант C"_s, false},
      {el::PollBarD, {201, 421, 434, 19}, el::PollBarA, u"Вариант D"_s, false},
      {el::ClockStrip, {0, 455, 587, 25}, el::ClockStrip, u""_s, true},
      {el::ClockBar, {0, 455, 587, 25}, el::ClockBar, u"Прошло времени"_s, false},
      {el::ScrollUp, {618, 21, 22, 22}, el::ScrollUp, u"Вверх"_s, false},
      {el::ScrollDown, {618, 432, 22, 22}, el::ScrollDown, u"Вниз"_s, false},
      {el::ScrollThumb, {619, 43, 20, 40}, el::ScrollThumb, u""_s, false},
      {el::TakeMoney, {587, 455, 53, 25}, el::TakeMoney, u"Взять деньги (Ctrl+M)"_s, true},
      {el::ClearTable, {167, 432, 226, 22}, el::ClearTable, u"Очистить таблицу"_s, false},
      {el::LeaderboardHeader, {167, 21, 451, 22}, el::LeaderboardHeader, u""_s, false},
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

TEST_F(ScreenTest, CaptionsShareTheirBoxTooltip) {
  for (const ElementId i : AllElements()) EXPECT_EQ(screen.element(i).caption.tooltip, screen.element(i).tooltip) << i;
  EXPECT_EQ(screen.element(el::Close).caption.tooltip, u"Выход"_s);
  EXPECT_EQ(screen.element(el::ScrollUp).caption.tooltip, u"Вверх"_s);
}

TEST_F(ScreenTest, EveryUsedElementShowsItsFirstCellAfterBuildingEvenWhenHidden) {
  for (const ElementId i : AllElements()) {
    SCOPED_TRACE(ElementName(i).toStdString());
    const Element& e = screen.element(i);
    ASSERT_FALSE(e.face.isNull());
    EXPECT_EQ(e.face.size(), e.Box().size());
    ASSERT_TRUE(e.sheetSource);
    const ElementId source = *e.sheetSource;
    EXPECT_EQ(FacePixel(i, 0, 0), CellColour(source, 1, 1));
    EXPECT_EQ(FacePixel(i, e.face.width() - 1, e.face.height() - 1), CellColour(source, 1, 1));
  }
}

TEST_F(ScreenTest, EveryElementPaintsFromAnElementThatHasASheet) {
  for (const ElementId i : AllElements()) {
    SCOPED_TRACE(ElementName(i).toStdString());
    const ElementSpec& spec = SpecOf(i);
    EXPECT_EQ(spec.id, i);
    EXPECT_FALSE(SheetResource(spec.source).isEmpty());
    // An element with a sheet of its own paints from it.
    if (spec.sheet[0] != u'\0') {
      EXPECT_EQ(spec.source, i);
    }
  }
}

TEST_F(ScreenTest, CaptionStylesGiveBoxesColoursAndFonts) {
  struct Row {
    ElementId index;
    QRectF captionBox;
    QString face;
    qreal size;
    bool bold, italic;
    CaptionAlign align;
    QRgb colour;
    std::optional<QRgb> pointed;
  };
  // A row per element reads as a table.
  // clang-format off
  const Row rows[] = {
      {el::QuestionFrame, {20, 10, 433, 93}, u"Arial Cyr"_s, 12, true, false, CaptionAlign::Centre, qRgb(255, 255, 255), std::nullopt},
      {el::AnswerA, {47, 6, 174, 37}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Left, qRgb(255, 255, 255), qRgb(128, 255, 192)},
      {el::AnswerB, {41, 6, 176, 37}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Left, qRgb(255, 255, 255), qRgb(128, 255, 192)},
      {el::AnswerD, {42, 6, 175, 37}, u"Arial Cyr"_s, 10, true, false, CaptionAlign::Left, qRgb(255, 255, 255), qRgb(128, 255, 192)},
      {el::PhonePanel, {130, 10, 333, 129}, u"Times New Roman"_s, 15, false, false, CaptionAlign::Centre, qRgb(255, 255, 255), std::nullopt},
      {el::PollBarC, {0, 0, 37, 19}, u"MS Sans Serif"_s, 10, true, false, CaptionAlign::Centre, qRgb(255, 255, 255), std::nullopt},
      {el::ClockBar, {0, 0, 40, 25}, u"Comic Sans MS"_s, 12, false, false, CaptionAlign::Centre, qRgb(255, 255, 255), std::nullopt},
      {el::VictoryPanel, {10, 27, 453, 71}, u"Arial Cyr"_s, 11, false, true, CaptionAlign::Centre, qRgb(255, 255, 255), std::nullopt},
  };
  // clang-format on
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
  // The board's list is the board view's, not any element's caption.
  for (const ElementId i : {el::ScrollTrack, el::Background, el::Leaderboard, el::ScrollUp, el::ScrollDown})
    EXPECT_FALSE(screen.element(i).caption.visible) << i;
}

TEST_F(ScreenTest, BoardColumnsStandSideBySideInTheBoardsBox) {
  struct Row {
    BoardColumn column;
    qreal left, width;
    bool bold, italic;
    QRgb colour;
  };
  const Row rows[] = {
      {BoardColumn::Rank, 0, 31, true, false, qRgb(207, 26, 156)},
      {BoardColumn::Name, 36, 327, false, true, qRgb(26, 186, 207)},
      {BoardColumn::Sum, 366, 85, true, false, qRgb(106, 207, 26)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.column));
    const BoardColumnView& c = screen.board().column(row.column);
    EXPECT_EQ(c.font.face, u"Arial Cyr"_s);
    EXPECT_EQ(c.font.size, 10);
    EXPECT_EQ(c.font.bold, row.bold);
    EXPECT_EQ(c.font.italic, row.italic);
    EXPECT_EQ(c.alignment, CaptionAlign::Centre);
    EXPECT_EQ(c.colour, row.colour);
    EXPECT_TRUE(c.text.isEmpty());
    // The board's box is 167,43 451x389; an empty column is one line high (20
    // pixels with the fake measurer).
    EXPECT_EQ(screen.BoardColumnRect(row.column), QRectF(167 + row.left, 43, row.width, 20));
  }
}

TEST_F(ScreenTest, CaptionHeightFollowsItsTextAtSetUp) {
  // An empty caption is one line of the fake: 2 × size.
  EXPECT_EQ(screen.element(el::PhonePanel).caption.height, 30);
  EXPECT_EQ(screen.element(el::QuestionFrame).caption.height, 24);
}

TEST_F(ScreenTest, StyleValuesSwitchSingleAttributes) {
  screen.SetupElementLabel(el::PhonePanel, 0, 0, 0, 0, u"Arial"_s, 9, 1, 1, 0, std::nullopt);
  screen.SetupElementLabel(el::PhonePanel, 0, 0, 0, 0, u"Arial"_s, 9, 1, 3, 0, std::nullopt);
  CaptionFont f = screen.element(el::PhonePanel).caption.font;
  EXPECT_TRUE(f.bold && f.underline && !f.italic && !f.strikeout);
  EXPECT_EQ(screen.element(el::PhonePanel).caption.alignment, CaptionAlign::Right);
  screen.SetupElementLabel(el::PhonePanel, 0, 0, 0, 0, u"Arial"_s, 9, 1, 0, 0, std::nullopt);
  f = screen.element(el::PhonePanel).caption.font;
  EXPECT_FALSE(f.bold || f.italic || f.underline || f.strikeout);
  screen.SetupElementLabel(el::PhonePanel, 0, 0, 0, 0, u"Arial"_s, 9, 1, 2, 0, std::nullopt);
  f = screen.element(el::PhonePanel).caption.font;
  EXPECT_TRUE(f.italic && !f.bold && !f.underline && !f.strikeout);
  screen.SetupElementLabel(el::PhonePanel, 0, 0, 0, 0, u"Arial"_s, 9, 1, 9, 0, std::nullopt);
  EXPECT_EQ(screen.element(el::PhonePanel).caption.font, f);
}

TEST_F(ScreenTest, NameBoxLiesOnTheVictoryPanelStrip) {
  const NameBox& box = screen.nameBox();
  EXPECT_EQ(box.rect, QRect(83, 103, 382, 14));
  EXPECT_EQ(box.textColour, qRgb(0, 0, 112));
  EXPECT_EQ(box.backColour, qRgb(112, 106, 6));
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

TEST_F(ScreenTest, ALookCopiesItsCellOfTheSheet) {
  screen.ShowLook(el::AnswerB, AnswerLook::Correct);
  EXPECT_EQ(FacePixel(el::AnswerB, 0, 0), CellColour(el::AnswerB, 1, 3));
  EXPECT_EQ(FacePixel(el::AnswerB, 235, 50), CellColour(el::AnswerB, 1, 3));
  screen.ShowLook(el::ScrollTrack, TrackLook::Pressed);
  EXPECT_EQ(FacePixel(el::ScrollTrack, 21, 388), CellColour(el::ScrollTrack, 2, 1));
  // Poll bars below A paint from bar A's sheet, from the first look the screen gave them.
  EXPECT_EQ(FacePixel(el::PollBarC, 5, 5), CellColour(el::PollBarA, 1, 1));
}

TEST_F(ScreenTest, ResizingNeverRepaintsTheFace) {
  screen.SetWidth(el::PollBarA, 100);
  EXPECT_EQ(screen.element(el::PollBarA).Box().width(), 100);
  EXPECT_EQ(screen.element(el::PollBarA).face.width(), 434);
  EXPECT_EQ(screen.element(el::PollBarA).fullWidth, 434);
}

TEST_F(ScreenTest, PaintingStretchesTheCellOntoABoxOfAnotherSize) {
  // Sheet 8 is 577 × 42 in two rows; a box half as wide still gets a whole cell.
  screen.SetWidth(el::TitleStrip, 288.4);
  screen.ShowLook(el::TitleStrip, TitleLook::Pointed);
  const Element& e = screen.element(el::TitleStrip);
  EXPECT_EQ(e.face.size(), QSize(288, 21));
  EXPECT_EQ(FacePixel(el::TitleStrip, 0, 0), CellColour(el::TitleStrip, 1, 2));
  EXPECT_EQ(FacePixel(el::TitleStrip, 287, 20), CellColour(el::TitleStrip, 1, 2));
}

TEST_F(ScreenTest, EnableElementPaintsTheLookThatGoesWithIt) {
  // Start from a look the switch must replace (or keep).
  struct Row {
    ElementId index;
    bool enabled;
    int expectedRow;  // 0: the pointed look painted before stays
    bool captionVisible;
  };
  const Row rows[] = {
      {el::AnswerA, false, 1, false},    {el::AnswerD, true, 1, true},    {el::FiftyFifty, false, 4, true},
      {el::AudiencePoll, true, 1, true}, {el::TakeMoney, false, 4, true}, {el::Close, false, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(ElementName(row.index).toStdString());
    if (KindOf(row.index) == ElementKind::Answer) {
      screen.ShowLook(row.index, AnswerLook::Correct);
    } else if (KindOf(row.index) == ElementKind::Lifeline) {
      screen.ShowLook(row.index, LifelineLook::Pointed);
    } else {
      screen.ShowLook(row.index, ButtonLook::Pointed);
    }
    screen.EnableElement(row.index, row.enabled);
    const Element& e = screen.element(row.index);
    EXPECT_EQ(e.enabled, row.enabled);
    EXPECT_EQ(e.caption.enabled, row.enabled);
    EXPECT_EQ(FacePixel(row.index, 1, 1), CellColour(row.index, 1, row.expectedRow ? row.expectedRow : 3));
    if (IsAnswerSlot(row.index)) {
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
    screen.SetCaption(el::QuestionFrame, u"Сколько будет дважды два?"_s, u""_s, 0);
    EXPECT_EQ(measurer.TrialSizes(431), row.trials);
    EXPECT_EQ(screen.measurements() - before, int(row.trials.size()));
    EXPECT_LE(screen.measurements() - before, 10);
    EXPECT_EQ(screen.element(el::QuestionFrame).caption.font.size, row.result);
  }
}

TEST_F(ScreenTest, FitMeasuresAtTheBoxWidthLessTwoButAcceptsTheFullWidth) {
  // A long word: wider than 172 (box − 2) at every size, within 174 up to size 11.
  measurer.rule = [](const QString&, const CaptionFont& font, qreal) {
    return QSizeF(font.size <= 11 ? 173.0 : 200.0, 20);
  };
  screen.SetCaption(el::AnswerA, u"Параллелепипед"_s, u""_s, 0);
  EXPECT_EQ(screen.element(el::AnswerA).caption.font.size, 11);
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
  screen.SetCaption(el::QuestionFrame, u"Вопрос"_s, u"Вопрос 1999 года."_s, 0);
  screen.SetCaption(el::QuestionFrame, u""_s, u""_s, 0);
  const Element& e = screen.element(el::QuestionFrame);
  EXPECT_TRUE(e.caption.text.isEmpty());
  EXPECT_EQ(e.caption.font.size, 14);
  EXPECT_TRUE(e.tooltip.isEmpty());
  EXPECT_TRUE(e.caption.tooltip.isEmpty());
}

TEST_F(ScreenTest, FitTakesTheSizeTheFontSystemReports) {
  measurer.reported = [](const CaptionFont& f) { return f.size * 0.975; };
  FitsUpTo(measurer, 10);
  screen.SetCaption(el::AnswerC, u"Да"_s, u""_s, 0);
  EXPECT_DOUBLE_EQ(screen.element(el::AnswerC).caption.font.size, 9.75);
}

TEST_F(ScreenTest, FitLeavesOtherElementsSizeAlone) {
  screen.SetCaption(el::PhonePanel, u"Я думаю, это B"_s, u""_s, 0);
  EXPECT_EQ(screen.element(el::PhonePanel).caption.font.size, 15);
  EXPECT_EQ(screen.measurements(), 0);
}

TEST_F(ScreenTest, FixedSizeWithEmptyTextKeepsAnAnswerButClearsOtherCaptions) {
  screen.SetCaption(el::AnswerB, u"Кошка"_s, u""_s, 0);
  screen.SetCaption(el::AnswerB, u""_s, u""_s, 11);
  EXPECT_EQ(screen.element(el::AnswerB).caption.text, u"Кошка"_s);
  EXPECT_EQ(screen.element(el::AnswerB).caption.font.size, 11);
  screen.SetCaption(el::PhonePanel, u"Привет"_s, u""_s, 0);
  screen.SetCaption(el::PhonePanel, u""_s, u""_s, 11);
  EXPECT_TRUE(screen.element(el::PhonePanel).caption.text.isEmpty());
  EXPECT_EQ(screen.element(el::PhonePanel).caption.font.size, 11);
}

TEST_F(ScreenTest, CaptionIsCentredVerticallyInSinglePrecision) {
  // Fake height of one line at 15 points: 30; box 129 high at top 10.
  screen.SetCaption(el::PhonePanel, u"Да"_s, u""_s, 0);
  EXPECT_EQ(screen.element(el::PhonePanel).caption.height, 30);
  EXPECT_EQ(screen.element(el::PhonePanel).caption.top, 10 + (129 - 30) / 2.0);
  // Taller than its box: sticks out equally above and below.
  measurer.rule = [](const QString&, const CaptionFont&, qreal) { return QSizeF(10, 30.3); };
  screen.SetCaption(el::PollBarC, u"100%"_s, u""_s, 0);
  EXPECT_EQ(screen.element(el::PollBarC).caption.top, qreal((19.0f - 30.3f) / 2.0f));
}

TEST_F(ScreenTest, CaptionHeightGrowsWithWrappedLines) {
  // 15 points: 7.5 px a character; 333 px hold about 44 characters a line.
  screen.SetCaption(el::PhonePanel, QString(40, u'x') + u' ' + QString(40, u'y'), u""_s, 0);
  EXPECT_EQ(screen.element(el::PhonePanel).caption.height, 60);
  screen.SetCaption(el::PhonePanel, u"a\r\nb\r\nc"_s, u""_s, 0);
  EXPECT_EQ(screen.element(el::PhonePanel).caption.height, 90);
}

TEST_F(ScreenTest, ACaptionsTooltipIsItsElementsAndTheBoardsColumnsLeaveTheScrollButtonsTheirs) {
  screen.SetCaption(el::AnswerA, u"Текст"_s, u"Подсказка"_s, 0);
  EXPECT_EQ(screen.element(el::AnswerA).tooltip, u"Подсказка"_s);
  EXPECT_EQ(screen.element(el::AnswerA).caption.tooltip, u"Подсказка"_s);
  for (const BoardColumn c : kBoardColumns) screen.SetBoardColumn(c, u"Имя"_s);
  for (const ElementId i : {el::ScrollUp, el::ScrollDown}) {
    EXPECT_EQ(screen.element(i).tooltip, screen.element(i).caption.tooltip) << i;
    EXPECT_TRUE(screen.element(i).caption.text.isEmpty()) << i;
  }
  EXPECT_EQ(screen.element(el::ScrollUp).tooltip, u"Вверх"_s);
}

TEST_F(ScreenTest, FillingALeaderboardColumnBringsAllThreeBackToTheTop) {
  screen.ScrollBoardTo(-120);
  ASSERT_EQ(screen.board().top, -120);
  screen.SetBoardColumn(BoardColumn::Sum, u"1000000"_s);
  EXPECT_EQ(screen.board().top, 0);
  for (const BoardColumn c : kBoardColumns)
    EXPECT_EQ(screen.BoardColumnRect(c).top(), screen.element(el::Leaderboard).Box().top()) << int(c);
}

TEST_F(ScreenTest, SettingTheSameCaptionTwiceChangesNothing) {
  screen.SetCaption(el::VictoryPanel, u"Вы набрали 100 у.е."_s, u"x"_s, 0);
  ASSERT_FALSE(screen.TakeDirty().isEmpty());
  const Caption before = screen.element(el::VictoryPanel).caption;
  measurer.calls.clear();
  screen.SetCaption(el::VictoryPanel, u"Вы набрали 100 у.е."_s, u"x"_s, 0);
  EXPECT_TRUE(screen.TakeDirty().isEmpty());
  EXPECT_TRUE(measurer.calls.empty());
  EXPECT_EQ(screen.element(el::VictoryPanel).caption.top, before.top);
  EXPECT_EQ(screen.element(el::VictoryPanel).caption.height, before.height);
}

// ---- Hit testing and dirty tracking ---------------------------------------------

TEST_F(ScreenTest, ElementAtFindsTheTopmostVisibleElement) {
  EXPECT_EQ(screen.ElementAt({10, 460}), el::ClockStrip);
  screen.SetVisible(el::ClockBar, true);
  EXPECT_EQ(screen.ElementAt({10, 460}), el::ClockBar);
  EXPECT_EQ(screen.ElementAt({200, 100}), el::QuestionFrame);
  screen.SetVisible(el::Leaderboard, true);
  EXPECT_EQ(screen.ElementAt({200, 100}), el::Leaderboard);
  EXPECT_EQ(screen.ElementAt({639.5, 479.5}), el::TakeMoney);
  EXPECT_EQ(screen.ElementAt({700, 10}), el::Background);
  screen.EnableElement(el::TakeMoney, false);
  EXPECT_EQ(screen.ElementAt({639.5, 479.5}), el::TakeMoney);
}

TEST_F(ScreenTest, TouchingElementsShareNoPointTheEdgeBelongsToTheLaterBox) {
  // Boxes are half-open: left <= x < left + width, top <= y < top + height. Every
  // pair of elements whose boxes touch, the first ending where the second begins.
  struct Pair {
    ElementId before, after;
    bool sideBySide;  ///< true: `after` is right of `before`; false: below it
  };
  const Pair pairs[] = {
      {el::Menu, el::TitleStrip, true},
      {el::TitleStrip, el::Minimise, true},
      {el::Minimise, el::Close, true},
      {el::AnswerA, el::AnswerB, true},
      {el::AnswerC, el::AnswerD, true},
      {el::FiftyFifty, el::PhoneFriend, true},
      {el::PhoneFriend, el::AudiencePoll, true},
      {el::ClearTable, el::HideTable, true},
      {el::HideTable, el::ScrollDown, true},
      {el::Leaderboard, el::ScrollTrack, true},
      {el::ClockStrip, el::TakeMoney, true},
      {el::ClockBar, el::TakeMoney, true},
      {el::LeaderboardHeader, el::ScrollUp, true},
      {el::QuestionFrame, el::AnswerA, false},
      {el::QuestionFrame, el::AnswerB, false},
      {el::AnswerA, el::AnswerC, false},
      {el::AnswerB, el::AnswerD, false},
      {el::AnswerC, el::FiftyFifty, false},
      {el::AnswerC, el::PhoneFriend, false},
      {el::AnswerD, el::PhoneFriend, false},
      {el::AnswerD, el::AudiencePoll, false},
      {el::TitleStrip, el::LeaderboardHeader, false},
      {el::Close, el::ScrollUp, false},
      {el::Minimise, el::LeaderboardHeader, false},
      {el::ScrollUp, el::ScrollTrack, false},
      {el::ScrollUp, el::ScrollThumb, false},
      {el::ScrollTrack, el::ScrollDown, false},
      {el::LeaderboardHeader, el::Leaderboard, false},
      {el::Leaderboard, el::ClearTable, false},
      {el::Leaderboard, el::HideTable, false},
      {el::Rung2, el::Rung1, false},
      {el::Rung3, el::Rung2, false},
      {el::Rung15, el::Rung14, false},
      {el::VictoryPanel, el::VictoryConfirm, false},
      {el::LossPanel, el::LossConfirm, false},
      {el::TimeoutPanel, el::TimeoutConfirm, false},
  };
  for (const Pair& p : pairs) {
    for (const ElementId e : AllElements())
      if (e >= el::PhonePanel) screen.SetVisible(e, false);
    screen.SetVisible(p.before, true);
    screen.SetVisible(p.after, true);
    const QRect a = screen.element(p.before).Box();
    const QRect b = screen.element(p.after).Box();
    QPointF edge;
    if (p.sideBySide) {
      ASSERT_EQ(a.left() + a.width(), b.left()) << p.before << "|" << p.after;
      const int top = std::max(a.top(), b.top()), bottom = std::min(a.bottom(), b.bottom());
      ASSERT_LE(top, bottom) << p.before << "|" << p.after;
      const int middle = (top + bottom) / 2;  // a whole pixel row
      edge = QPointF(b.left(), middle);
    } else {
      ASSERT_EQ(a.top() + a.height(), b.top()) << p.before << "/" << p.after;
      const int left = std::max(a.left(), b.left()), right = std::min(a.right(), b.right());
      ASSERT_LE(left, right) << p.before << "/" << p.after;
      const int middle = (left + right) / 2;  // a whole pixel column
      edge = QPointF(middle, b.top());
    }
    const QPointF justBefore = p.sideBySide ? edge - QPointF(0.5, 0) : edge - QPointF(0, 0.5);
    EXPECT_EQ(screen.ElementAt(edge), p.after) << p.before << " then " << p.after;
    EXPECT_EQ(screen.ElementAt(justBefore), p.before) << p.before << " then " << p.after;
  }
  // The window's own right and bottom edges lie outside every box.
  EXPECT_EQ(screen.ElementAt({640, 470}), el::Background);
  EXPECT_EQ(screen.ElementAt({630, 480}), el::Background);
}

TEST_F(ScreenTest, CaptionBoxesAreHalfOpenToo) {
  screen.SetCaption(el::QuestionFrame, u"Вопрос"_s, u""_s, 0);
  const QRectF rect =
      screen.CaptionRect(el::QuestionFrame).intersected(QRectF(screen.element(el::QuestionFrame).Box()));
  const qreal y = rect.center().y();
  EXPECT_EQ(screen.CaptionAt({rect.left(), y}), el::QuestionFrame);
  EXPECT_EQ(screen.CaptionAt({rect.left() + rect.width() - 0.5, y}), el::QuestionFrame);
  EXPECT_EQ(screen.CaptionAt({rect.left() + rect.width(), y}), std::nullopt);
  EXPECT_EQ(screen.CaptionAt({rect.center().x(), rect.top() + rect.height()}), std::nullopt);
}

TEST_F(ScreenTest, CaptionAtNeedsTextAndIsCoveredByHigherElements) {
  const QPointF centre = screen.CaptionRect(el::QuestionFrame).center();
  EXPECT_EQ(screen.CaptionAt(centre), std::nullopt);  // no text yet
  screen.SetCaption(el::QuestionFrame, u"Вопрос"_s, u""_s, 0);
  EXPECT_EQ(screen.CaptionAt(screen.CaptionRect(el::QuestionFrame).center()), el::QuestionFrame);
  screen.SetVisible(el::Leaderboard, true);
  EXPECT_EQ(screen.CaptionAt(screen.CaptionRect(el::QuestionFrame).center()), std::nullopt);
  // The list counts as the board's caption: a press on a name is no press on the board.
  EXPECT_EQ(screen.CaptionAt(screen.BoardColumnRect(BoardColumn::Name).center()), std::nullopt);
  screen.SetBoardColumn(BoardColumn::Name, u"Вася"_s);
  const QPointF name = screen.BoardColumnRect(BoardColumn::Name).center();
  EXPECT_GT(name.x(), 167 + 36);
  EXPECT_EQ(screen.CaptionAt(name), el::Leaderboard);
}

TEST_F(ScreenTest, DirtyRegionHoldsWhatChangedOnce) {
  screen.SetWidth(el::PollBarA, 100);
  EXPECT_TRUE(screen.TakeDirty().contains(QRect(201, 319, 434, 19)));
  EXPECT_TRUE(screen.TakeDirty().isEmpty());

  screen.ShowLook(el::AnswerA, AnswerLook::Pointed);
  EXPECT_EQ(screen.TakeDirty(), QRegion(167, 135, 237, 51));

  screen.SetCaption(el::ClockBar, u"0:20"_s, u""_s, 0);
  const QRegion dirty = screen.TakeDirty();
  EXPECT_FALSE(dirty.isEmpty());
  EXPECT_TRUE(QRegion(0, 455, 587, 25).contains(dirty.boundingRect()));
  EXPECT_TRUE(dirty.contains(screen.CaptionRect(el::ClockBar).toAlignedRect()));

  screen.SetCaptionColour(el::AnswerA, qRgb(1, 2, 3));
  EXPECT_TRUE(screen.TakeDirty().contains(screen.CaptionRect(el::AnswerA).toAlignedRect()));
  screen.SetCaptionColour(el::AnswerA, qRgb(1, 2, 3));
  EXPECT_TRUE(screen.TakeDirty().isEmpty());

  const QRect thumbWas = screen.element(el::ScrollThumb).Box();
  screen.SetTop(el::ScrollThumb, 100);
  const QRegion moved = screen.TakeDirty();
  EXPECT_TRUE(moved.contains(thumbWas));
  EXPECT_TRUE(moved.contains(screen.element(el::ScrollThumb).Box()));
}

}  // namespace
