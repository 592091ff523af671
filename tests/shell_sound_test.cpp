// The window's sound: the game's requests reach the sound output, the switch in the
// menu and on S follows the game, and the player's choice outlives the window.
#include <gtest/gtest.h>
#include <QAction>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QWidget>

#include "shell/main_window.h"
#include "shell/qt_sound_output.h"
#include "tests/shell_open_window.h"
#include "tests/testing/sound_fakes.h"

using namespace Qt::StringLiterals;

namespace {

/// The tests open their windows themselves, one after another in the same folder,
/// so that a second window finds the choice the first one kept.
class SoundWindowTest : public ScriptedWindowTest {
 protected:
  void Open(std::unique_ptr<MainWindow>& window) {
    MainWindow::Services services = Services();
    services.sound = &m_sound;
    OpenWindow(window, std::move(services));
  }
  QVariant Kept() const { return QSettings(SettingsFile(), QSettings::IniFormat).value(u"sound/enabled"_s); }

  RecordingSoundOutput m_sound;
};

}  // namespace

TEST_F(SoundWindowTest, TheSwitchFollowsSAndTheMenuAndIsKeptForTheNextRun) {
  {
    std::unique_ptr<MainWindow> window;
    ASSERT_NO_FATAL_FAILURE(Open(window));
    QAction* item = MenuItem(window->menu(), u"Звук"_s);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(m_sound.log, QStringList{u"bed theme_loop"_s});
    EXPECT_FALSE(Kept().isValid()) << "nothing is written before the player chooses";

    m_sound.log.clear();
    QTest::keyClick(window.get(), Qt::Key_S);
    EXPECT_EQ(m_sound.log, QStringList{u"mute"_s});
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(Kept(), QVariant(false));
  }
  {
    m_sound.log.clear();
    std::unique_ptr<MainWindow> window;
    ASSERT_NO_FATAL_FAILURE(Open(window));
    QAction* item = MenuItem(window->menu(), u"Звук"_s);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(m_sound.log, (QStringList{u"mute"_s, u"bed theme_loop"_s}))
        << "a muted game is muted before it asks for its theme";

    m_sound.log.clear();
    item->trigger();  // as chosen in the menu
    EXPECT_TRUE(window->game().SoundOn());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(m_sound.log, QStringList{u"unmute"_s});
    EXPECT_EQ(Kept(), QVariant(true));
  }
}

TEST_F(SoundWindowTest, TheSoundKeyIsFoundOnTheRussianLayoutToo) {
  std::unique_ptr<MainWindow> window;
  ASSERT_NO_FATAL_FAILURE(Open(window));
  QKeyEvent press(QEvent::KeyPress, 0x42B /* Ы */, Qt::NoModifier, u"ы"_s);
  QKeyEvent release(QEvent::KeyRelease, 0x42B, Qt::NoModifier, u"ы"_s);
  QCoreApplication::sendEvent(window.get(), &press);
  QCoreApplication::sendEvent(window.get(), &release);
  EXPECT_FALSE(window->game().SoundOn());
}

TEST(SoundResourceTest, EverySoundTravelsInsideTheProgram) {
  for (int i = 0; i < kCueCount; ++i) {
    const QString name = CueName(Cue(i));
    SCOPED_TRACE(name.toStdString());
    QFile embedded(u":/sounds/"_s + name + u".wav"_s);
    ASSERT_TRUE(embedded.open(QIODevice::ReadOnly));
    QFile source(QStringLiteral(FARTOVIK_SOURCE_DIR "/sounds/") + name + u".wav"_s);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(embedded.readAll(), source.readAll());
  }
}

TEST(QtSoundOutputTest, NothingIsLoadedUntilSoundIsWantedAndNeverWhileMuted) {
  QtSoundOutput muted;
  EXPECT_FALSE(muted.Woken()) << "made with the window, before its first frame";
  muted.SetMuted(true);
  muted.StartBed(Cue::Theme);
  muted.Play(Cue::Reveal);
  muted.StartMurmur(Cue::PhoneMurmur);
  EXPECT_FALSE(muted.Woken());
  muted.SetMuted(false);
  EXPECT_TRUE(muted.Woken());

  QtSoundOutput heard;
  heard.StartBed(Cue::Theme);
  EXPECT_TRUE(heard.Woken());
}

TEST(QtSoundOutputTest, TheSoundsLoadOnlyOnceTheWindowHasDrawnAFrame) {
  // As the game starts: its theme is asked for before the window shows.
  QtSoundOutput sound;
  sound.StartBed(Cue::Theme);
  QWidget window;
  QTest::qWait(50);
  EXPECT_FALSE(sound.Loading()) << "loading before the window has drawn anything";
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // Well before the second a window that never draws is given.
  EXPECT_TRUE(QTest::qWaitFor([&] { return sound.Loading(); }, 400));
}
