// The window's sound: the game's requests reach the sound output, the switch in the
// menu and on S follows the game, and the player's choice outlives the window.
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "data/info_box.h"
#include "data/random_source.h"
#include "shell/main_window.h"
#include "tests/shell_open_window.h"
#include "shell/sound_output.h"

using namespace Qt::StringLiterals;

namespace {

class RecordingSoundOutput : public SoundOutput {
 public:
  void Play(Cue sting) override { log.append(u"sting "_s + CueName(sting)); }
  void StartBed(Cue bed) override { log.append(u"bed "_s + CueName(bed)); }
  void StopBed() override { log.append(u"stop bed"_s); }
  void StartMurmur(Cue murmur) override { log.append(u"murmur "_s + CueName(murmur)); }
  void StopMurmur() override { log.append(u"stop murmur"_s); }
  QStringList log;
};

class SoundWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    QDir().mkpath(m_dir.path() + u"/Data"_s);
    const QString data = QStringLiteral(FARTOVIK_BINARY_DIR "/Data");
    for (const QString& name : QDir(data).entryList(QDir::Files))
      QFile::copy(data + u'/' + name, m_dir.path() + u"/Data/"_s + name);
  }

  std::unique_ptr<MainWindow> Open() {
    MainWindow::Services services;
    services.programFolder = m_dir.path();
    services.infoBox = &m_box;
    services.random = &m_random;
    services.timeOfDay = [] { return 12 * 3600.0; };
    services.steadyClock = [] { return 12 * 3600.0; };
    services.timeAndDate = [] { return u"12:00"_s; };
    services.startTimer = false;
    services.sound = &m_sound;
    services.settingsFile = SettingsFile();
    std::unique_ptr<MainWindow> window;
    OpenWindow(window, std::move(services));
    return window;
  }
  QString SettingsFile() const { return m_dir.path() + u"/fartovik.ini"_s; }
  QVariant Kept() const { return QSettings(SettingsFile(), QSettings::IniFormat).value(u"sound/enabled"_s); }
  static QAction* SoundItem(MainWindow& window) {
    for (QAction* action : window.menu()->actions())
      if (action->text() == u"Звук") return action;
    return nullptr;
  }

  QTemporaryDir m_dir;
  RecordingInfoBox m_box;
  ScriptedRandomSource m_random{{}, 7};
  RecordingSoundOutput m_sound;
};

}  // namespace

TEST_F(SoundWindowTest, TheSwitchFollowsSAndTheMenuAndIsKeptForTheNextRun) {
  {
    auto window = Open();
    QAction* item = SoundItem(*window);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(m_sound.log, QStringList{u"bed theme_loop"_s});
    EXPECT_FALSE(Kept().isValid()) << "nothing is written before the player chooses";

    m_sound.log.clear();
    QTest::keyClick(window.get(), Qt::Key_S);
    EXPECT_EQ(m_sound.log, QStringList{u"stop bed"_s});
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(Kept(), QVariant(false));
  }
  {
    m_sound.log.clear();
    auto window = Open();
    QAction* item = SoundItem(*window);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(m_sound.log.isEmpty()) << "a muted game starts without its theme";

    item->trigger();  // as chosen in the menu
    EXPECT_TRUE(window->game().SoundOn());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(m_sound.log, QStringList{u"bed theme_loop"_s});
    EXPECT_EQ(Kept(), QVariant(true));
  }
}

TEST_F(SoundWindowTest, TheSoundKeyIsFoundOnTheRussianLayoutToo) {
  auto window = Open();
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
