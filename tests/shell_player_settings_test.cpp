// The player's settings file: whatever lies in its place, the game starts and plays.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include "shell/player_settings.h"
#include "tests/fixtures/fifo_watchdog.h"

using namespace Qt::StringLiterals;

TEST(PlayerSettings, PipesInPlaceOfTheFileOrItsLocksNeverHoldTheGame) {
  for (const QString& pipeName : {u"fartovik.ini"_s, u"fartovik.ini.lock"_s, u"fartovik.ini.lock.rmlock"_s}) {
    SCOPED_TRACE(pipeName.toStdString());
    QTemporaryDir dir;
    const QString file = dir.filePath(u"fartovik.ini"_s);
    QElapsedTimer timer;
    timer.start();
    FifoWatchdog watchdog({dir.filePath(pipeName)});
    ASSERT_TRUE(watchdog.made());
    {
      // What the window does with its settings: read at start, written as the
      // player changes the view, written out when it closes.
      const std::unique_ptr<QSettings> settings = OpenPlayerSettings(file);
      EXPECT_EQ(settings->value(u"view/zoom"_s, 1.0).toReal(), 1.0);
      settings->setValue(u"view/zoom"_s, 2.0);
      settings->sync();
      EXPECT_EQ(settings->value(u"view/zoom"_s).toReal(), 2.0);  // kept for this run
    }
    EXPECT_FALSE(watchdog.Stop()) << "blocked on the pipe";
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_FALSE(QFileInfo(dir.filePath(pipeName)).isFile());  // left as it was
  }
}

TEST(PlayerSettings, AnOrdinaryFileKeepsTheChoicesBetweenRuns) {
  QTemporaryDir dir;
  const QString file = dir.filePath(u"fartovik.ini"_s);
  OpenPlayerSettings(file)->setValue(u"sound/enabled"_s, false);
  EXPECT_FALSE(OpenPlayerSettings(file)->value(u"sound/enabled"_s, true).toBool());
}

TEST(PlayerSettings, TheTimeToAnswerIsKeptBetweenRunsAndAnythingUnknownIsTheGamesOwn) {
  QTemporaryDir dir;
  const QString file = dir.filePath(u"fartovik.ini"_s);
  EXPECT_EQ(StoredAnswerTime(*OpenPlayerSettings(file)), AnswerTime::Normal);  // nothing kept yet
  for (const AnswerTime time : {AnswerTime::Doubled, AnswerTime::Unlimited, AnswerTime::Normal}) {
    StoreAnswerTime(*OpenPlayerSettings(file), time);
    EXPECT_EQ(StoredAnswerTime(*OpenPlayerSettings(file)), time);
  }
  // A file edited by hand, or written by a later game with a choice this one lacks.
  for (const QVariant& stored : {QVariant(u"triple"_s), QVariant(2), QVariant(u"Doubled"_s)}) {
    SCOPED_TRACE(stored.toString().toStdString());
    OpenPlayerSettings(file)->setValue(u"play/answerTime"_s, stored);
    EXPECT_EQ(StoredAnswerTime(*OpenPlayerSettings(file)), AnswerTime::Normal);
  }
}
