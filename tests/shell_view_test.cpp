// The view over the 640 × 480 picture: zoom steps, full screen, remembered view.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "shell/main_window.h"
#include "shell/view_scale.h"
#include "tests/shell_open_window.h"
#include "tests/testing/info_box_fakes.h"

using namespace Qt::StringLiterals;

namespace {

TEST(ViewScale, FirstStartPicksTheLargestStepThatFits) {
  const struct {
    QSize screen;
    qreal zoom;
  } cases[] = {
      {{1024, 768}, 1.0},  {{1920, 1080}, 1.5}, {{2560, 1440}, 2.0},
      {{3840, 2160}, 3.0}, {{800, 600}, 1.0},  // smaller than the window: still 1×
      {{1920, 1040}, 1.5},                     // a panel taken off the height
      {{1280, 1024}, 1.5},                     // 5:4: height allows 1.5×, width too
      {{5120, 2880}, 3.0},                     // beyond the last step
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ViewScale::FirstZoom(c.screen), c.zoom) << c.screen.width() << "x" << c.screen.height();
  }
  // A tall narrow screen: the width decides.
  EXPECT_EQ(ViewScale::FirstZoom(QSize(1000, 2000)), 1.5);
}

TEST(ViewScale, StepsStopAtBothEnds) {
  EXPECT_EQ(ViewScale::Step(1.0, +1), 1.5);
  EXPECT_EQ(ViewScale::Step(2.5, +1), 3.0);
  EXPECT_EQ(ViewScale::Step(3.0, +1), 3.0);
  EXPECT_EQ(ViewScale::Step(1.5, -1), 1.0);
  EXPECT_EQ(ViewScale::Step(1.0, -1), 1.0);
  // Stored odd values land on a step first.
  EXPECT_EQ(ViewScale::Nearest(1.7), 1.5);
  EXPECT_EQ(ViewScale::Nearest(40.0), 3.0);
  EXPECT_EQ(ViewScale::Nearest(-2.0), 1.0);
  EXPECT_EQ(ViewScale::Nearest(std::numeric_limits<double>::quiet_NaN()), 1.0);
}

TEST(ViewScale, LetterboxKeepsFourToThreeCentred) {
  const struct {
    QSize area;
    QRectF picture;
  } cases[] = {
      {{1920, 1080}, {240, 0, 1440, 1080}},  // wide: bars left and right
      {{1280, 1024}, {0, 32, 1280, 960}},    // 5:4: bars above and below
      {{640, 480}, {0, 0, 640, 480}},       {{3840, 2160}, {480, 0, 2880, 2160}}, {{1366, 768}, {171, 0, 1024, 768}},
  };
  for (const auto& c : cases) EXPECT_EQ(ViewScale::Letterbox(c.area), c.picture) << c.area.width();
}

TEST(ViewScale, PositionsAreClampedOntoAScreenThatExists) {
  const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
  const QSize window(960, 720);
  const struct {
    QPoint wanted, placed;
  } cases[] = {
      {{100, 100}, {100, 100}},    // on a screen: unchanged
      {{2000, 50}, {2000, 50}},    // on the second screen
      {{1800, 100}, {1920, 100}},  // mostly on the second: moved inside it
      {{-500, -300}, {0, 0}},      // off the top left
      {{1500, 900}, {960, 360}},   // hanging off the bottom right of the first
  };
  // A window that overlaps no screen goes onto the first one.
  EXPECT_EQ(ViewScale::ClampOntoScreens({9000, 9000}, window, screens), QPoint(960, 360));
  for (const auto& c : cases) {
    EXPECT_EQ(ViewScale::ClampOntoScreens(c.wanted, window, screens), c.placed) << c.wanted.x() << "," << c.wanted.y();
  }
  // Larger than its screen: the top-left corner (the title strip) stays on it.
  EXPECT_EQ(ViewScale::ClampOntoScreens({300, 300}, QSize(2000, 1500), screens), QPoint(0, 0));
  // Points at the ends of the number range (an edited settings file) land on a
  // screen without any corner of the window overflowing on the way.
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  EXPECT_EQ(ViewScale::ClampOntoScreens({kMax, kMax}, window, screens), QPoint(960, 360));
  EXPECT_EQ(ViewScale::ClampOntoScreens({kMin, kMin}, window, screens), QPoint(0, 0));
  EXPECT_EQ(ViewScale::ClampOntoScreens({kMax, kMin}, window, screens), QPoint(960, 0));
}

TEST(ViewScale, OnlyStepsWhoseWindowFitsTheScreenAreOffered) {
  const struct {
    QSize available;
    qreal largest;  // the largest step that fits; 0: none does
  } cases[] = {
      {{1920, 1080}, 2.0},                      // 2.5× would be 1600 × 1200
      {{1920, 1040}, 2.0}, {{1280, 960}, 2.0},  // exactly the 2× window
      {{1279, 960}, 1.5},  {{3840, 2160}, 3.0}, {{800, 600}, 1.0}, {{600, 400}, 0},
  };
  for (const auto& c : cases) {
    const std::string screen = u"%1x%2"_s.arg(c.available.width()).arg(c.available.height()).toStdString();
    for (qreal step : ViewScale::Steps())
      EXPECT_EQ(ViewScale::Fits(step, c.available), step <= c.largest) << screen << " " << step;
    // A wanted zoom comes down to the largest step that fits; nothing fitting, the smallest.
    EXPECT_EQ(ViewScale::Fitting(3.0, c.available), std::max(c.largest, 1.0)) << screen;
    EXPECT_EQ(ViewScale::Fitting(1.0, c.available), 1.0) << screen;
  }
  EXPECT_EQ(ViewScale::Fitting(1.5, QSize(3840, 2160)), 1.5);
}

/// The tests open their windows themselves, one after another in the same folder,
/// so that a later window finds the view an earlier one kept.
class ViewTest : public ScriptedWindowTest {
 protected:
  /// A window with room for every step, as on a 4K screen, unless the test asks
  /// for the room the offscreen screen (800 × 600) really has.
  void Open(std::unique_ptr<MainWindow>& window, bool screenRoom = false) {
    MainWindow::Services services = Services();
    if (!screenRoom) services.availableArea = [] { return QSize(3840, 2160); };
    OpenWindow(window, std::move(services));
  }
};

TEST_F(ViewTest, CtrlPlusAndMinusStepTheZoomAndStopAtTheEnds) {
  std::unique_ptr<MainWindow> window;
  ASSERT_NO_FATAL_FAILURE(Open(window));
  ASSERT_EQ(window->zoom(), 1.0);  // the offscreen screen is 800 × 600
  const QList<qreal> up{1.5, 2.0, 2.5, 3.0, 3.0};
  for (qreal expected : up) {
    QTest::keyClick(window.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), expected);
    EXPECT_EQ(window->size(), QSize(qRound(640 * expected), qRound(480 * expected)));
  }
  QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window->zoom(), 2.5);
  // Ctrl++ as Shift+= gives it, and the keypad's plus.
  QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->zoom(), 3.0);
  for (int i = 0; i < 6; ++i) QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window->zoom(), 1.0);
  EXPECT_EQ(window->size(), QSize(640, 480));
  QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(window->zoom(), 1.5);
  // "=" and "-" alone are no zoom keys.
  QTest::keyClick(window.get(), Qt::Key_Equal);
  QTest::keyClick(window.get(), Qt::Key_Minus);
  EXPECT_EQ(window->zoom(), 1.5);

  // The submenu shows the steps, the current one checked.
  QMenu* zoomMenu = window->zoomMenu();
  ASSERT_NE(zoomMenu, nullptr);
  EXPECT_EQ(zoomMenu->title(), u"Масштаб"_s);
  QStringList checked, steps;
  for (QAction* a : zoomMenu->actions()) {
    if (!a->isCheckable()) continue;
    steps << a->text();
    if (a->isChecked()) checked << a->text();
  }
  EXPECT_EQ(steps, (QStringList{u"100 %"_s, u"150 %"_s, u"200 %"_s, u"250 %"_s, u"300 %"_s}));
  EXPECT_EQ(checked, QStringList{u"150 %"_s});
  EXPECT_TRUE(window->menu()->actions().contains(zoomMenu->menuAction()));
}

TEST_F(ViewTest, ZoomStopsWhereTheWindowWouldLeaveTheScreenAlsoAfterARestart) {
  // The offscreen screen is 800 × 600: only the 1× window fits it.
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  {
    std::unique_ptr<MainWindow> window;
    ASSERT_NO_FATAL_FAILURE(Open(window, true));
    for (int i = 0; i < 5; ++i) QTest::keyClick(window.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 1.0);
    EXPECT_TRUE(available.contains(window->geometry()));
    // The menu offers the steps that fit and nothing larger.
    QStringList offered;
    for (QAction* a : window->zoomMenu()->actions())
      if (a->isCheckable() && a->isEnabled()) offered << a->text();
    EXPECT_EQ(offered, QStringList{u"100 %"_s});
    EXPECT_FALSE(MenuItem(window->zoomMenu(), u"Крупнее"_s)->isEnabled());
    window->SetZoom(2.5);
    EXPECT_EQ(window->zoom(), 1.0);
    window->close();
  }
  // A view kept on a larger screen: the window comes back at a step that fits,
  // wholly on this screen.
  {
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.setValue("view/zoom", 2.5);
    settings.setValue("view/position", QPoint(available.left() + 500, available.top() + 400));
  }
  std::unique_ptr<MainWindow> window;
  ASSERT_NO_FATAL_FAILURE(Open(window, true));
  EXPECT_EQ(window->zoom(), 1.0);
  EXPECT_EQ(window->size(), QSize(640, 480));
  EXPECT_TRUE(available.contains(window->geometry())) << window->x() << "," << window->y();
}

TEST_F(ViewTest, APositionAtTheEndOfTheNumberRangeStartsOnTheScreen) {
  // As an edited or damaged settings file may hold it.
  {
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[view]\nposition=@Point(2147483647 2147483647)\nzoom=1\nfullScreen=false\n");
  }
  std::unique_ptr<MainWindow> window;
  ASSERT_NO_FATAL_FAILURE(Open(window, true));
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(available.contains(window->geometry())) << window->x() << "," << window->y();
}

TEST_F(ViewTest, PointerHitsTheSameElementsAtEveryZoom) {
  std::unique_ptr<MainWindow> window;
  ASSERT_NO_FATAL_FAILURE(Open(window));
  const Screen& screen = window->game().screen();
  const ElementId elements[] = {el::AnswerA, el::AnswerD,  el::Minimise,  el::AudiencePoll,
                                el::Close,   el::Minimise, el::TitleStrip};
  for (qreal zoom : {1.5, 2.0, 1.0}) {
    window->SetZoom(zoom);
    ASSERT_EQ(window->zoom(), zoom);
    for (const ElementId index : elements) {
      const Element& e = screen.element(index);
      if (!e.enabled || !e.visible) continue;
      // Just inside the right and bottom edges, and just beyond the right edge.
      const QPointF inside((e.left + e.width - 0.3) * zoom, (e.top + e.height - 0.3) * zoom);
      SendMouse(window.get(), QEvent::MouseMove, inside);
      EXPECT_EQ(window->game().Pointer().HotElement, index) << "zoom " << zoom << " element " << index;
      const QPointF centre((e.left + e.width / 2.0) * zoom, (e.top + e.height / 2.0) * zoom);
      SendMouse(window.get(), QEvent::MouseMove, centre);
      EXPECT_EQ(window->game().Pointer().HotElement, index) << "zoom " << zoom << " element " << index;
    }
    // A real click on the close element at its place on the zoomed window asks
    // the exit question.
    const Element& close = screen.element(el::Close);
    const QPointF at((close.left + close.width / 2.0) * zoom, (close.top + close.height / 2.0) * zoom);
    m_box.answers = {InfoBox::Answer::No};
    const qsizetype before = m_box.messages.size();
    SendMouse(window.get(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(window.get(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(m_box.messages.size(), before + 1) << "zoom " << zoom;
    EXPECT_EQ(m_box.messages.back().text, kExitQuestion);
    EXPECT_TRUE(window->isVisible());
  }
  // The question frame's caption at 2× is where it is at 1×, scaled: pointing at it
  // is pointing at the caption, not at the frame below it.
  window->SetZoom(2.0);
  const QRectF caption = screen.CaptionRect(el::QuestionFrame);
  const QPointF onCaption = caption.center() * 2.0;
  EXPECT_EQ(screen.CaptionAt(caption.center()), el::QuestionFrame);
  SendMouse(window.get(), QEvent::MouseMove, QPointF(2, 2));  // the menu element
  const ElementId hot = window->game().Pointer().HotElement;
  SendMouse(window.get(), QEvent::MouseMove, onCaption);
  // Pointing at a caption points at what it is written on: the idle frame, which
  // takes no pointer, so the menu's pointed look goes.
  ASSERT_EQ(hot, el::Menu);
  EXPECT_EQ(window->game().Pointer().HotElement, el::Background);
}

TEST_F(ViewTest, FullScreenLetterboxesAndMapsThePointerThroughTheBars) {
  std::unique_ptr<MainWindow> window;
  ASSERT_NO_FATAL_FAILURE(Open(window));
  window->SetZoom(2.0);
  QTest::keyClick(window.get(), Qt::Key_F11);
  ASSERT_TRUE(window->fullScreen());
  EXPECT_TRUE(window->fullScreenAction()->isChecked());
  const QSize area = window->size();
  EXPECT_EQ(window->pictureRect(), ViewScale::Letterbox(area));
  // Resize to a wide area as a 16:9 screen would give it: bars left and right.
  window->resize(1920, 1080);
  EXPECT_EQ(window->pictureRect(), QRectF(240, 0, 1440, 1080));
  const Element& minimise = window->game().screen().element(el::Minimise);
  const QPointF at(240 + (minimise.left + 5) * 2.25, (minimise.top + 5) * 2.25);
  SendMouse(window.get(), QEvent::MouseMove, at);
  EXPECT_EQ(window->game().Pointer().HotElement, el::Minimise);
  SendMouse(window.get(), QEvent::MouseMove, QPointF(100, 500));  // on a bar: outside the picture
  EXPECT_NE(window->game().Pointer().HotElement, el::Minimise);
  // Esc still asks the exit question; F11 leaves full screen at the zoomed size.
  m_box.answers = {InfoBox::Answer::No};
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_EQ(m_box.messages.size(), 1);
  EXPECT_TRUE(window->fullScreen());
  QTest::keyClick(window.get(), Qt::Key_F11);
  EXPECT_FALSE(window->fullScreen());
  EXPECT_EQ(window->size(), QSize(1280, 960));
  EXPECT_EQ(window->pictureRect(), QRectF(0, 0, 1280, 960));
}

TEST_F(ViewTest, ZoomFullScreenAndPositionAreRestoredAndClampedOntoTheScreen) {
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  {
    std::unique_ptr<MainWindow> window;
    ASSERT_NO_FATAL_FAILURE(Open(window));
    window->SetZoom(1.0);
    window->move(available.topLeft() + QPoint(30, 20));
    QTest::keyClick(window.get(), Qt::Key_Equal, Qt::ControlModifier);
    window->close();
  }
  {
    std::unique_ptr<MainWindow> window;
    ASSERT_NO_FATAL_FAILURE(Open(window));
    EXPECT_EQ(window->zoom(), 1.5);
    EXPECT_EQ(window->size(), QSize(960, 720));
    EXPECT_FALSE(window->fullScreen());
    window->SetZoom(1.0);
    window->move(available.topLeft() + QPoint(40, 25));
    window->close();
  }
  {
    std::unique_ptr<MainWindow> window;
    ASSERT_NO_FATAL_FAILURE(Open(window));
    EXPECT_EQ(window->pos(), available.topLeft() + QPoint(40, 25));
    QTest::keyClick(window.get(), Qt::Key_F11);
    window->close();
  }
  {
    std::unique_ptr<MainWindow> window;
    ASSERT_NO_FATAL_FAILURE(Open(window));
    EXPECT_TRUE(window->fullScreen());
    EXPECT_EQ(window->zoom(), 1.0);
    QTest::keyClick(window.get(), Qt::Key_F11);
    window->close();
  }
  // A screen that is gone, and a zoom no step has.
  {
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.setValue("view/position", QPoint(available.right() + 4000, available.bottom() + 3000));
    settings.setValue("view/zoom", 7);
    settings.setValue("view/fullScreen", false);
  }
  std::unique_ptr<MainWindow> window;
  ASSERT_NO_FATAL_FAILURE(Open(window));
  EXPECT_EQ(window->zoom(), 3.0);
  // 1920 × 1440 is larger than the 800 × 600 screen: its top-left corner stays on it.
  EXPECT_EQ(window->pos(), available.topLeft());
  window->SetZoom(1.0);
  EXPECT_TRUE(available.contains(window->geometry())) << window->x() << "," << window->y();
}

}  // namespace
