// The picture the player sees, pixel for pixel, at every zoom: how and when the art
// is loaded, converted and resampled must never show.
#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QImage>
#include <QPixmap>

#include "tests/shell_open_window.h"

using namespace Qt::StringLiterals;

namespace {

/// MD5 of the window's pixels as 32-bit RGB, row by row without padding.
std::string PictureHash(QWidget& window) {
  const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  QCryptographicHash hash(QCryptographicHash::Md5);
  for (int y = 0; y < picture.height(); ++y)
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(picture.constScanLine(y)), picture.width() * 4));
  return hash.result().toHex().toStdString();
}

class RenderingTest : public ScriptedWindowTest {
 protected:
  /// The window with room for every zoom step, at `zoom`.
  void Open(qreal zoom) {
    MainWindow::Services services = Services();
    services.availableArea = [] { return QSize(3840, 2160); };
    ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, std::move(services)));
    m_window->SetZoom(zoom);
    ASSERT_EQ(m_window->zoom(), zoom);
  }
};

// The references were taken from the window as it painted before its art was loaded
// lazily; each screen shows sheets the others do not (the panels, the board).
TEST_F(RenderingTest, EveryZoomShowsTheSamePixelsAsTheReference) {
  const struct {
    qreal zoom;
    const char* start;
    const char* question;
    const char* leaderboard;
  } cases[] = {
      {1.0, "046e6d22fd574d45828e0835b579d3b3", "0ac6b8081138c8282265280a87b77f76", "6d9577ebf815f8b1a124f8da91af36fd"},
      {1.5, "e9ecdd9a0e11237681482e62476bb755", "fe7b65b6d0ea77c3b88a3c45bac2bb20", "d11a5839e244fc043dba258dbd24cfc9"},
      {2.0, "ca9d9fca6d7a75663cea358c0c94127a", "b006abe1c477392b6c72059037adf60b", "b041d6311849174b644e3e0376aac8d1"},
      {3.0, "4ab78bc1f2539901234750fccb7ea6d7", "52d000d45a06dddf834eaf6a5522f2ca", "47a4a32a461f078d007662358db8ee88"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zoom);
    m_window.reset();
    m_random = ScriptedRandomSource({}, 7);
    ASSERT_NO_FATAL_FAILURE(Open(c.zoom));
    EXPECT_EQ(PictureHash(*m_window), std::string(c.start)) << "start screen";
    CtrlKey(Qt::Key_W);
    EXPECT_EQ(PictureHash(*m_window), std::string(c.leaderboard)) << "leaderboard";
    // A fresh window, so that the question is the same whatever the board drew.
    m_window.reset();
    m_random = ScriptedRandomSource({}, 7);
    ASSERT_NO_FATAL_FAILURE(Open(c.zoom));
    Key(Qt::Key_F2);
    ASSERT_NO_FATAL_FAILURE(WaitForAnswers());
    EXPECT_EQ(PictureHash(*m_window), std::string(c.question)) << "question";
  }
}

}  // namespace
