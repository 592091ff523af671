#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include "screen/element.h"
#include "screen/fonts.h"
#include "screen/qt_text_measurer.h"
#include "tests/screen_fakes.h"

using namespace Qt::StringLiterals;
using namespace screen_test;

namespace {

CaptionFont Font(const QString& face, qreal size, bool bold = false) {
  CaptionFont f;
  f.face = face;
  f.size = size;
  f.bold = bold;
  return f;
}

TEST(ScreenFonts, LayoutFaceNamesResolveToTheBundledFonts) {
  struct Row {
    QString face;
    QString family;
  };
  const Row rows[] = {
      {u"Arial Cyr"_s, u"Liberation Sans"_s},     {u"Arial"_s, u"Liberation Sans"_s},
      {u"MS Sans Serif"_s, u"Liberation Sans"_s}, {u"Times New Roman"_s, u"Liberation Serif"_s},
      {u"Comic Sans MS"_s, u"Comic Neue"_s},      {u"Wingdings"_s, u"Liberation Sans"_s},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.face.toStdString());
    EXPECT_EQ(QFontInfo(ToQFont(Font(row.face, 10))).family(), row.family);
  }
  EXPECT_TRUE(QFontDatabase::families().contains(u"Comic Neue"_s));
}

TEST(ScreenFonts, PointsBecomePixelsAt96Dpi) {
  const std::pair<qreal, int> rows[] = {{8, 11}, {9.75, 13}, {10, 13}, {12, 16}, {14, 19}, {15, 20}};
  for (const auto& [points, pixels] : rows) {
    const QFont f = ToQFont(Font(u"Arial Cyr"_s, points, true));
    EXPECT_EQ(f.pixelSize(), pixels) << points;
    EXPECT_TRUE(f.bold());
  }
  QtTextMeasurer measurer;
  EXPECT_EQ(measurer.ReportedSize(Font(u"Arial Cyr"_s, 10)), 9.75);
  EXPECT_EQ(measurer.ReportedSize(Font(u"Arial Cyr"_s, 9.75)), 9.75);
  EXPECT_EQ(measurer.ReportedSize(Font(u"Arial Cyr"_s, 12)), 12);
}

TEST(ScreenFonts, MeasureWrapsAtTheWidthAndGrowsOnlyForALongWord) {
  QtTextMeasurer measurer;
  const CaptionFont font = Font(u"Arial Cyr"_s, 10, true);
  const QSizeF empty = measurer.Measure(u""_s, font, 200);
  const QSizeF word = measurer.Measure(u"Слово"_s, font, 200);
  EXPECT_GT(empty.height(), 0);
  EXPECT_EQ(empty.height(), word.height());

  const QString sentence = u"Какая река самая длинная в Европе и впадает в Каспийское море?"_s;
  const QSizeF oneLine = measurer.Measure(sentence, font, 2000);
  const QSizeF wrapped = measurer.Measure(sentence, font, 150);
  EXPECT_GE(wrapped.height(), 3 * word.height());
  EXPECT_LE(wrapped.width(), 150);
  EXPECT_EQ(oneLine.height(), word.height());

  const QSizeF tooLong = measurer.Measure(u"Превысокомногорассмотрительствующий"_s, font, 60);
  EXPECT_GT(tooLong.width(), 60);
  EXPECT_EQ(tooLong.height(), word.height());

  EXPECT_EQ(measurer.Measure(u"1\r\n2\r\n3"_s, font, 200).height(), measurer.Measure(u"1\n2\n3"_s, font, 200).height());
  EXPECT_GE(measurer.Measure(u"1\r\n2\r\n3"_s, font, 200).height(), 3 * word.height());
}

class RealFitTest : public ::testing::Test {
 protected:
  RealFitTest() : screen(measurer, &TestSheet) { screen.BuildScreen(); }

  // The search is the same on every fitted caption; an answer's plain box keeps
  // the question frame's slanted ends out of it.
  static constexpr ElementId kSearched = el::AnswerA;

  /// Whether `text` fits answer A at `size` as the fit judges it.
  bool FitsFrame(const QString& text, qreal size) {
    CaptionFont f = screen.element(kSearched).caption.font;
    f.size = size;
    const QRectF box = screen.element(kSearched).captionBox;
    const QSizeF m = measurer.Measure(text, f, box.width() - 2);
    return m.height() <= box.height() && m.width() <= box.width();
  }
  /// The shortest text, grown a word at a time, that the fit puts at `size`.
  QString TextFittingAt(int size) {
    const QStringList words =
        u"в каком году был основан город на реке Неве и кто его построил "
        u"для торговли с Европой через Балтийское море"_s.split(u' ');
    QString text;
    for (int i = 0; i < 400; ++i) {
      text += (text.isEmpty() ? u""_s : u" "_s) + words[i % words.size()];
      screen.SetCaption(kSearched, text, u""_s, 0);
      if (qRound(screen.element(kSearched).caption.font.size) == size) return text;
    }
    return {};
  }

  QtTextMeasurer measurer;
  Screen screen;
};

TEST_F(RealFitTest, ALongQuestionFitsSmallerThanAShortOne) {
  screen.SetCaption(el::QuestionFrame, u"Столица Франции?"_s, u""_s, 0);
  const qreal shortSize = screen.element(el::QuestionFrame).caption.font.size;
  screen.SetCaption(el::QuestionFrame,
                    QString(u"Какой из этих городов был столицей Российской империи дольше всех "
                            u"остальных, если считать годы от основания до переноса столицы? "_s)
                        .repeated(2),
                    u""_s, 0);
  const qreal longSize = screen.element(el::QuestionFrame).caption.font.size;
  EXPECT_EQ(shortSize, 14.25);  // 14 points are 19 pixels, reported back as 14.25
  EXPECT_LT(longSize, shortSize);
  EXPECT_GE(longSize, 4);
}

TEST_F(RealFitTest, TheSearchFindsTheLargestFittingSizeFromBelowAndFromAbove) {
  // Climbing: fits at 9 (and below), not at 10.
  const QString nine = TextFittingAt(9);
  ASSERT_FALSE(nine.isEmpty());
  for (int s = 6; s <= 9; ++s) EXPECT_TRUE(FitsFrame(nine, s)) << s;
  EXPECT_FALSE(FitsFrame(nine, 10));
  EXPECT_EQ(screen.element(kSearched).caption.font.size, 9);

  // Stepping down: does not fit at 6, fits at 5.
  const QString five = TextFittingAt(5);
  ASSERT_FALSE(five.isEmpty());
  EXPECT_FALSE(FitsFrame(five, 6));
  EXPECT_TRUE(FitsFrame(five, 5));
  EXPECT_EQ(screen.element(kSearched).caption.font.size, 5.25);  // 7 pixels
}

TEST_F(RealFitTest, VisibleCaptionHeightIsMeasuredAtTheFullBoxWidth) {
  screen.SetCaption(el::AnswerA, u"Северный Ледовитый океан"_s, u""_s, 0);
  const Caption& c = screen.element(el::AnswerA).caption;
  EXPECT_EQ(c.width, 174);
  EXPECT_EQ(c.height, measurer.Measure(c.text, c.font, 174).height());
  EXPECT_LE(c.height, 37);
  EXPECT_FLOAT_EQ(float(c.top), float((37 - c.height) / 2 + 6));
}

}  // namespace

namespace {

TEST_F(RealFitTest, FittingAQuestionTakesAtMostTwoMeasurementsASize) {
  const QString question =
      u"Какой русский писатель, автор романов «Война и мир» и «Анна Каренина», "
      u"в конце жизни ушёл из дома и умер на маленькой железнодорожной станции?"_s;
  ASSERT_GE(question.size(), 140);
  for (int n : {20, 60, 100, int(question.size())}) {
    const int before = screen.measurements();
    screen.SetCaption(el::QuestionFrame, question.left(n), u""_s, 0);
    // One measurement a size tried, and a second where the frame's slanted ends
    // narrow the text.
    EXPECT_LE(screen.measurements() - before, 20) << n;
  }
}

}  // namespace
