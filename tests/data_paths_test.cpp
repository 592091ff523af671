#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "data/data_paths.h"
#include "data/info_box.h"

using namespace Qt::StringLiterals;

namespace {

bool Writable(const QString&) { return true; }
bool ReadOnly(const QString&) { return false; }

// The player's data folder of the test run, away from the real one.
QString PlayerFolder() {
  QStandardPaths::setTestModeEnabled(true);
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(DataPaths, LeaderboardAndQuestionFolderLieBesideAWritableProgram) {
  QTemporaryDir program;
  QDir(program.path()).mkdir(u"Data"_s);
  for (const QString& given : QStringList{program.path(), program.path() + u"/"_s}) {
    RecordingInfoBox box;
    const DataPaths paths = ResolvePaths(given, box, Writable);
    EXPECT_TRUE(box.messages.isEmpty());
    EXPECT_EQ(paths.programFolder, given);
    EXPECT_EQ(paths.winnersPath, program.path() + u"/Winners.tbl"_s);
    EXPECT_EQ(paths.questionFolder, program.path() + u"/Data/"_s);
  }
}

TEST(DataPaths, TheQuestionFolderIsFoundInAnyLetterCaseAndMustBeAFolder) {
  QTemporaryDir program;
  // A file called "data" is not the folder.
  WriteFile(program.path() + u"/data"_s, "x");
  RecordingInfoBox box;
  DataPaths paths = ResolvePaths(program.path(), box, Writable);
  EXPECT_TRUE(paths.questionFolder.isEmpty());
  EXPECT_EQ(box.messages, QList<RecordingInfoBox::Message>(
                              {{u"Папка "_s + QDir::toNativeSeparators(program.path() + u"/Data/"_s) + u" не найдена!!!"_s, 16}}));

  QDir(program.path()).mkdir(u"DaTa"_s);
  box.messages.clear();
  paths = ResolvePaths(program.path(), box, Writable);
  EXPECT_TRUE(box.messages.isEmpty());
  EXPECT_EQ(paths.questionFolder, program.path() + u"/DaTa/"_s);
}

TEST(DataPaths, MissingFolderMessageNamesTheWholePathAsTheFileSystemSpellsIt) {
  QTemporaryDir parent;
  const QString program = parent.path() + u"/Игра дома"_s;
  ASSERT_TRUE(QDir().mkpath(program));
  RecordingInfoBox box;
  ResolvePaths(program, box, Writable);
  ASSERT_EQ(box.messages.size(), 1);
  // Upper-cased, "/ИГРА ДОМА/DATA/" would name a folder that is not there.
  EXPECT_EQ(box.messages[0].text,
            u"Папка "_s + QDir::toNativeSeparators(parent.path() + u"/Игра дома/Data/"_s) + u" не найдена!!!"_s);
  EXPECT_EQ(box.messages[0].flags, InfoBox::StopOk);
}

TEST(DataPaths, AReadOnlyProgramKeepsItsLeaderboardInThePlayersFolder) {
  const QString player = PlayerFolder();
  QDir(player).removeRecursively();
  QTemporaryDir program;
  RecordingInfoBox box;
  const DataPaths paths = ResolvePaths(program.path(), box, ReadOnly);
  EXPECT_EQ(paths.winnersPath, player + u"/Winners.tbl"_s);
  EXPECT_TRUE(QFileInfo(player).isDir());
  EXPECT_FALSE(QFileInfo::exists(paths.winnersPath));
  QDir(player).removeRecursively();
}

TEST(DataPaths, ALeaderboardThatCameWithAReadOnlyProgramMovesAlongOnce) {
  const QString player = PlayerFolder();
  QDir(player).removeRecursively();
  QTemporaryDir program;
  WriteFile(program.path() + u"/Winners.tbl"_s, "shipped");
  RecordingInfoBox box;
  DataPaths paths = ResolvePaths(program.path(), box, ReadOnly);
  EXPECT_EQ(ReadFile(paths.winnersPath), QByteArray("shipped"));
  // The player's own file is never overwritten by the shipped one again.
  WriteFile(paths.winnersPath, "mine");
  paths = ResolvePaths(program.path(), box, ReadOnly);
  EXPECT_EQ(ReadFile(paths.winnersPath), QByteArray("mine"));
  QDir(player).removeRecursively();
}

TEST(DataPaths, AReallyReadOnlyFolderIsNotWritable) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the injected check covers the choice";
  const QString player = PlayerFolder();
  QTemporaryDir program;
  ASSERT_TRUE(QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  EXPECT_FALSE(IsFolderWritable(program.path()));
  RecordingInfoBox box;
  EXPECT_EQ(ResolvePaths(program.path(), box).winnersPath, player + u"/Winners.tbl"_s);
  QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_TRUE(IsFolderWritable(program.path()));
  QDir(player).removeRecursively();
}

TEST(DataPaths, WritabilityOfFoldersThatAreNone) {
  QTemporaryDir program;
  EXPECT_TRUE(IsFolderWritable(program.path()));
  EXPECT_FALSE(IsFolderWritable(program.path() + u"/missing"_s));
  WriteFile(program.path() + u"/file"_s, "x");
  EXPECT_FALSE(IsFolderWritable(program.path() + u"/file"_s));
}
