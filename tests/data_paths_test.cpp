// Where the game finds its question bases and keeps its leaderboard: a portable
// copy keeps everything beside itself, an installed one reads its shipped bases
// wherever the prefix went and writes only into the player's own folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "data/data_paths.h"
#include "data/question_loader.h"
#include "tests/testing/info_box_fakes.h"
#include "tests/testing/question_bases.h"

using namespace Qt::StringLiterals;
using namespace testbases;

namespace {

bool Writable(const QString&) { return true; }
bool ReadOnly(const QString&) { return false; }

void WriteFile(const QString& path, const QByteArray& bytes) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A whole little file system: an installed prefix with bin/ and share/, two XDG
// data folders, and a player's home.
class Layout {
 public:
  Layout() {
    QDir(Root()).mkpath(u"prefix/bin"_s);
    QDir(Root()).mkpath(u"home"_s);
  }
  QString Root() const { return m_root.path(); }
  QString Bin() const { return Root() + u"/prefix/bin"_s; }
  QString Installed() const { return Root() + u"/prefix/share/fartovik/Data"_s; }
  QString Xdg(int n) const { return Root() + u"/xdg%1/fartovik/Data"_s.arg(n); }
  QString Player() const { return Root() + u"/home/fartovik"_s; }
  QString Make(const QString& folder) const {
    QDir().mkpath(folder);
    return folder;
  }
  DataLocations Locations() const {
    DataLocations l;
    l.sharedQuestionFolders = {QDir::cleanPath(Bin() + u"/../share/fartovik/Data"_s), Xdg(1), Xdg(2)};
    l.playerFolder = Player();
    return l;
  }

 private:
  QTemporaryDir m_root;
};

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
    EXPECT_EQ(paths.questionFolders, QList<QByteArray>{QFile::encodeName(paths.questionFolder)});
    EXPECT_TRUE(paths.portable);
  }
}

TEST(DataPaths, TheQuestionFolderIsFoundInAnyLetterCaseAndMustBeAFolder) {
  QTemporaryDir program;
  // A file called "data" is not the folder.
  WriteFile(program.path() + u"/data"_s, "x");
  RecordingInfoBox box;
  DataPaths paths = ResolvePaths(program.path(), box, Writable);
  EXPECT_TRUE(paths.questionFolder.isEmpty());
  EXPECT_EQ(box.messages,
            QList<RecordingInfoBox::Message>(
                {{u"Папка "_s + QDir::toNativeSeparators(program.path() + u"/Data/"_s) + u" не найдена!!!"_s,
                  InfoBox::Kind::Warning}}));

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
  EXPECT_EQ(box.messages[0].kind, InfoBox::Kind::Warning);
}

// Which folder gives the shipped bases: the first that exists in the order
// portable, installed beside the binary, XDG data folders; the player's own is
// always added after it.
TEST(DataPaths, ShippedBasesComeFromTheFirstFolderThatExistsThenThePlayersOwn) {
  struct Case {
    const char* name;
    bool portable, installed, xdg1, xdg2;
    int expected;  // 0 portable, 1 installed, 2 xdg1, 3 xdg2
  };
  const Case cases[] = {
      {"a portable copy wins over everything", true, true, true, true, 0},
      {"installed beside the binary next", false, true, true, true, 1},
      {"then the first XDG data folder", false, false, true, true, 2},
      {"then the next one", false, false, false, true, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Layout layout;
    const QString candidates[] = {layout.Bin() + u"/Data"_s, layout.Installed(), layout.Xdg(1), layout.Xdg(2)};
    const bool present[] = {c.portable, c.installed, c.xdg1, c.xdg2};
    for (int i = 0; i < 4; ++i)
      if (present[i]) layout.Make(candidates[i]);
    RecordingInfoBox box;
    const DataPaths paths = ResolvePaths(layout.Bin(), layout.Locations(), box, Writable);
    EXPECT_TRUE(box.messages.isEmpty());
    EXPECT_EQ(paths.questionFolder, candidates[c.expected] + u'/');
    // The player's folder is made on the first start, empty, and read after the shipped one.
    EXPECT_EQ(paths.questionFolders, QList<QByteArray>({QFile::encodeName(paths.questionFolder),
                                                        QFile::encodeName(layout.Player() + u"/Data/"_s)}));
    EXPECT_TRUE(QFileInfo(layout.Player() + u"/Data"_s).isDir());
  }
}

TEST(DataPaths, AFolderFromTheCommandLineReplacesEveryOther) {
  Layout layout;
  layout.Make(layout.Bin() + u"/Data"_s);
  layout.Make(layout.Installed());
  const QString chosen = layout.Make(layout.Root() + u"/pack"_s);
  DataLocations locations = layout.Locations();
  locations.questionOverride = QFile::encodeName(chosen);
  RecordingInfoBox box;
  DataPaths paths = ResolvePaths(layout.Bin(), locations, box, Writable);
  EXPECT_TRUE(box.messages.isEmpty());
  EXPECT_EQ(paths.questionFolders, QList<QByteArray>{QFile::encodeName(chosen + u'/')});
  EXPECT_EQ(paths.questionFolder, chosen + u'/');

  // A folder that is not there is named as it was given.
  const QString missing = layout.Root() + u"/нет такой"_s;
  locations.questionOverride = QFile::encodeName(missing);
  paths = ResolvePaths(layout.Bin(), locations, box, Writable);
  EXPECT_TRUE(paths.questionFolders.isEmpty());
  EXPECT_EQ(box.messages,
            QList<RecordingInfoBox::Message>({{u"Папка "_s + missing + u" не найдена!!!"_s, InfoBox::Kind::Warning}}));
}

TEST(DataPaths, WithNoFolderAnywhereTheMessageNamesEveryPlaceLookedIn) {
  Layout layout;
  RecordingInfoBox box;
  const DataPaths paths = ResolvePaths(layout.Bin(), layout.Locations(), box, Writable);
  EXPECT_TRUE(paths.questionFolder.isEmpty());
  EXPECT_TRUE(paths.questionFolders.isEmpty());
  ASSERT_EQ(box.messages.size(), 1);
  EXPECT_EQ(box.messages[0].text, u"Папка "_s + layout.Bin() + u"/Data/"_s +
                                      u" не найдена!!!\r\nНет их и здесь:\r\n"_s + layout.Installed() + u"\r\n"_s +
                                      layout.Xdg(1) + u"\r\n"_s + layout.Xdg(2));
  EXPECT_EQ(box.messages[0].kind, InfoBox::Kind::Warning);
}

// Bases dropped into the player's folder join the shipped ones of their level,
// after them; a level only the player has still loads.
TEST(DataPaths, ThePlayersBasesAreAddedToTheShippedOnesPerLevel) {
  Layout layout;
  const QString shipped = layout.Make(layout.Installed());
  for (int level = 0; level <= 6; ++level) {
    WriteFile(shipped + u"/main.ol%1"_s.arg(level), Base(NumberedList(u"s%1-"_s.arg(level), 3)));
  }
  WriteFile(layout.Player() + u"/Data/a_mine.ol2"_s, Base(NumberedList(u"p"_s, 2)));
  QuestionTable table;
  RecordingInfoBox box;
  LoadQuestionBases(layout.Bin(), layout.Locations(), table, box, Writable);
  EXPECT_TRUE(box.messages.isEmpty());
  const QuestionLevel& two = table.levels[2];
  ASSERT_EQ(two.count, 5);
  // Shipped rows first, although "a_mine" sorts before "main".
  EXPECT_EQ(two.rows[0].text, u"Вопрос s2-1"_s);
  EXPECT_EQ(two.rows[2].text, u"Вопрос s2-3"_s);
  EXPECT_EQ(two.rows[3].text, u"Вопрос p1"_s);
  EXPECT_EQ(two.rows[4].text, u"Вопрос p2"_s);
  EXPECT_EQ(table.levels[3].count, 3);
}

// Where the shipped bases come from decides where the leaderboard lives.
TEST(DataPaths, OnlyAWritablePortableCopyKeepsItsLeaderboardBesideItself) {
  struct Case {
    const char* name;
    bool dataBeside;
    bool writable;
    bool inPlayersFolder;
  };
  const Case cases[] = {
      {"portable, writable", true, true, false},
      {"portable, read-only", true, false, true},
      // Root may write anywhere: an installed game still stays out of its prefix.
      {"installed, writable as for root", false, true, true},
      {"installed, read-only", false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Layout layout;
    layout.Make(c.dataBeside ? layout.Bin() + u"/Data"_s : layout.Installed());
    RecordingInfoBox box;
    const DataPaths paths = ResolvePaths(layout.Bin(), layout.Locations(), box, c.writable ? Writable : ReadOnly);
    EXPECT_EQ(paths.winnersPath,
              c.inPlayersFolder ? layout.Player() + u"/Winners.tbl"_s : layout.Bin() + u"/Winners.tbl"_s);
    EXPECT_EQ(paths.portable, !c.inPlayersFolder);
    if (c.inPlayersFolder) {
      EXPECT_TRUE(QFileInfo(layout.Player()).isDir());
    }
    // Resolving creates no leaderboard anywhere; the first load does.
    EXPECT_FALSE(QFileInfo::exists(paths.winnersPath));
    EXPECT_FALSE(QFileInfo::exists(layout.Bin() + u"/Winners.tbl"_s));
  }
}

TEST(DataPaths, AnInstalledGameWritesNothingIntoItsPrefixEvenAsRoot) {
  Layout layout;
  layout.Make(layout.Installed());
  const QString prefix = layout.Root() + u"/prefix"_s;
  // The real check: as root the read-only prefix still counts as writable.
  ASSERT_TRUE(QFile::setPermissions(layout.Bin(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  RecordingInfoBox box;
  const DataPaths paths = ResolvePaths(layout.Bin(), layout.Locations(), box);
  // The premise: only root could write there.
  EXPECT_EQ(IsFolderWritable(layout.Bin()), geteuid() == 0);
  QFile::setPermissions(layout.Bin(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(paths.winnersPath, layout.Player() + u"/Winners.tbl"_s);
  EXPECT_FALSE(paths.winnersPath.startsWith(prefix));
  for (const QByteArray& native : paths.questionFolders) {
    const QString folder = QFile::decodeName(native);
    if (folder.startsWith(prefix)) continue;
    EXPECT_EQ(folder, layout.Player() + u"/Data/"_s);
  }
  EXPECT_EQ(QDir(layout.Bin()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
  EXPECT_EQ(QDir(prefix + u"/share/fartovik"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{u"Data"_s});
}

// Earlier versions kept the board in ".../fartovik/fartovik"; it moves up once and
// never replaces a board already in the new place.
TEST(DataPaths, ALeaderboardInTheDoubledFolderMovesUpOnce) {
  Layout layout;
  layout.Make(layout.Installed());
  const QString doubled = layout.Player() + u"/fartovik/Winners.tbl"_s;
  WriteFile(doubled, "old board");
  RecordingInfoBox box;
  DataPaths paths = ResolvePaths(layout.Bin(), layout.Locations(), box, ReadOnly);
  EXPECT_EQ(paths.winnersPath, layout.Player() + u"/Winners.tbl"_s);
  EXPECT_EQ(ReadFile(paths.winnersPath), QByteArray("old board"));
  EXPECT_FALSE(QFileInfo::exists(doubled));
  EXPECT_FALSE(QFileInfo::exists(layout.Player() + u"/fartovik"_s)) << "the emptied folder is removed";

  // A board left there again (an old version run once more) does not replace the new one.
  WriteFile(paths.winnersPath, "new board");
  WriteFile(doubled, "older board");
  paths = ResolvePaths(layout.Bin(), layout.Locations(), box, ReadOnly);
  EXPECT_EQ(ReadFile(paths.winnersPath), QByteArray("new board"));
  EXPECT_EQ(ReadFile(doubled), QByteArray("older board"));
  EXPECT_TRUE(box.messages.isEmpty());
}

TEST(DataPaths, ALeaderboardThatCameWithAReadOnlyPortableCopyMovesAlongOnce) {
  Layout layout;
  layout.Make(layout.Bin() + u"/Data"_s);
  WriteFile(layout.Bin() + u"/Winners.tbl"_s, "shipped");
  RecordingInfoBox box;
  DataPaths paths = ResolvePaths(layout.Bin(), layout.Locations(), box, ReadOnly);
  EXPECT_EQ(paths.winnersPath, layout.Player() + u"/Winners.tbl"_s);
  EXPECT_EQ(ReadFile(paths.winnersPath), QByteArray("shipped"));
  // The player's own file is never overwritten by the shipped one again.
  WriteFile(paths.winnersPath, "mine");
  paths = ResolvePaths(layout.Bin(), layout.Locations(), box, ReadOnly);
  EXPECT_EQ(ReadFile(paths.winnersPath), QByteArray("mine"));
}

TEST(DataPaths, TheRunningProgramsLocations) {
  QStandardPaths::setTestModeEnabled(true);
  const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const DataLocations l = DataLocations::ForProgram(u"/opt/game/bin"_s, u"../share/fartovik/Data"_s, "pack");
  // One folder level below the data home, whatever the organisation name.
  EXPECT_EQ(l.playerFolder, home + u"/fartovik"_s);
  EXPECT_EQ(PlayerDataFolder(), l.playerFolder);
  ASSERT_FALSE(l.sharedQuestionFolders.isEmpty());
  EXPECT_EQ(l.sharedQuestionFolders.first(), u"/opt/game/share/fartovik/Data"_s);
  for (const QString& folder : l.sharedQuestionFolders) {
    EXPECT_TRUE(folder.endsWith(u"/fartovik/Data"_s)) << folder.toStdString();
    EXPECT_FALSE(folder.startsWith(home)) << "the player's folder is not a shipped one";
  }
  EXPECT_EQ(l.questionOverride, QFile::encodeName(QDir::current().absoluteFilePath(u"pack"_s)));
  // A folder's name goes on as the bytes it was given, whether or not they are text.
  for (const QByteArray& given : {QByteArray("/tmp/caf\xe9"), QByteArray("/tmp/\xff\xfe/pack")}) {
    EXPECT_EQ(DataLocations::ForProgram(u"/opt/game/bin"_s, QString(), given).questionOverride, given);
  }
}

TEST(DataPaths, WritabilityOfFoldersThatAreNone) {
  QTemporaryDir program;
  EXPECT_TRUE(IsFolderWritable(program.path()));
  EXPECT_FALSE(IsFolderWritable(program.path() + u"/missing"_s));
  WriteFile(program.path() + u"/file"_s, "x");
  EXPECT_FALSE(IsFolderWritable(program.path() + u"/file"_s));
}
