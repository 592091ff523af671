#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include "data/codec.h"
#include "data/random_source.h"
#include "data/winners_table.h"
#include "tests/fixtures/fifo_watchdog.h"
#include "tests/fixtures/file_size_limit.h"
#include "tests/fixtures/ordinary_user.h"
#include "tests/testing/info_box_fakes.h"
#include "tests/testing/question_bases.h"

using namespace Qt::StringLiterals;
using testbases::ScrambleFixed;

namespace {

QByteArray Row(const QString& name, const QString& sum) {
  return "\x01" + ScrambleFixed(name, 3) + "\x02" + ScrambleFixed(sum, 3) + "\r\n";
}

class WinnersFile : public ::testing::Test {
 protected:
  QString path() const { return m_dir.path() + u"/Winners.tbl"_s; }
  void Write(const QByteArray& bytes) { Write(path(), bytes); }
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray Read() const {
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }
  WinnersTable Load() {
    WinnersTable table;
    LoadWinners(path(), table, m_box);
    return table;
  }
  static QStringList Names(const WinnersTable& table) {
    QStringList names;
    for (int r = 1; r <= table.count(); ++r) names.append(table.AtRank(r).name);
    return names;
  }
  static QStringList Sums(const WinnersTable& table) {
    QStringList sums;
    for (int r = 1; r <= table.count(); ++r) sums.append(table.AtRank(r).sum);
    return sums;
  }
  static WinnersTable Table(const QList<std::pair<QString, QString>>& rows) {
    WinnersTable table;
    table.rows.resize(int(rows.size()));
    for (int r = 1; r <= table.count(); ++r) {
      table.AtRank(r).name = rows[r - 1].first;
      table.AtRank(r).sum = rows[r - 1].second;
    }
    return table;
  }

  QTemporaryDir m_dir;
  RecordingInfoBox m_box;
  SystemRandomSource m_random;
};

}  // namespace

TEST_F(WinnersFile, AMissingFileIsCreatedEmpty) {
  const WinnersTable table = Load();
  EXPECT_EQ(table.count(), 0);
  ASSERT_TRUE(QFileInfo(path()).isFile());
  EXPECT_EQ(QFileInfo(path()).size(), 0);
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST_F(WinnersFile, RowsKeepTheOrderOfTheFile) {
  Write(Row(u"Маша"_s, u"1000"_s) + Row(u"Петя"_s, u"500000"_s) + "\r\n" + Row(u"Ваня"_s, u"100"_s));
  const WinnersTable table = Load();
  EXPECT_EQ(Names(table), QStringList({u"Маша"_s, u"Петя"_s, u"Ваня"_s}));
  EXPECT_EQ(Sums(table), QStringList({u"1000"_s, u"500000"_s, u"100"_s}));
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST_F(WinnersFile, MarkersDecideWhereBytesGo) {
  struct Case {
    const char* name;
    QByteArray file;
    QStringList names, sums;
  };
  const QByteArray a = Row(u"Аня"_s, u"300"_s), b = Row(u"Боря"_s, u"200"_s);
  const Case cases[] = {
      {"two rows on one line", a.chopped(2) + b, {u"Аня"_s, u"Боря"_s}, {u"300"_s, u"200"_s}},
      {"a sum before the first row belongs to none",
       "\x02" + ScrambleFixed(u"999"_s, 3) + "\r\n" + a,
       {u"Аня"_s},
       {u"300"_s}},
      {"bytes before a line's first marker are dropped", ScrambleFixed(u"xx"_s, 3) + a, {u"Аня"_s}, {u"300"_s}},
      {"a line beginning with byte 2 adds to the earlier row's sum",
       "\x01" + ScrambleFixed(u"Аня"_s, 3) + "\x02" + ScrambleFixed(u"1"_s, 3) + "\r\n\x02" +
           ScrambleFixed(u"00"_s, 3) + "\r\n",
       {u"Аня"_s},
       {u"100"_s}},
      {"a name without a sum",
       "\x01" + ScrambleFixed(u"Без суммы"_s, 3) + "\r\n" + b,
       {u"Без суммы"_s, u"Боря"_s},
       {u""_s, u"200"_s}},
      {"bytes 10, 13 and 27 are skipped",
       "\x01" + ScrambleFixed(u"Аня"_s, 3).insert(2, "\n\x1b") + "\x02" + ScrambleFixed(u"300"_s, 3).insert(4, '\r') +
           "\r\n",
       {u"Аня"_s},
       {u"300"_s}},
      {"the last line needs no line end", a + b.chopped(2), {u"Аня"_s, u"Боря"_s}, {u"300"_s, u"200"_s}},
      {"an empty file", {}, {}, {}},
  };
  for (const Case& c : cases) {
    Write(c.file);
    const WinnersTable table = Load();
    EXPECT_EQ(Names(table), c.names) << c.name;
    EXPECT_EQ(Sums(table), c.sums) << c.name;
  }
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST_F(WinnersFile, MoreThanFiftyRowsAreCut) {
  QByteArray file;
  for (int r = 1; r <= 60; ++r) file += Row(u"Игрок "_s + QString::number(r), QString::number(r * 100));
  // A sum on a line of its own after the dropped rows must not reach row 50.
  file += "\x02" + ScrambleFixed(u"7"_s, 3) + "\r\n";
  Write(file);
  const WinnersTable table = Load();
  EXPECT_EQ(table.count(), kMaxWinners);
  EXPECT_EQ(table.AtRank(50).name, u"Игрок 50"_s);
  EXPECT_EQ(table.AtRank(50).sum, u"5000"_s);
  EXPECT_EQ(table.AtRank(1).name, u"Игрок 1"_s);
}

TEST_F(WinnersFile, ADamagedFieldKeepsItsGoodPartAndTheRestIsRead) {
  Write("\x01" + ScrambleFixed(u"Ок"_s, 3) + QByteArray(3, char(100)) + ScrambleFixed(u"нет"_s, 3) + "\x02" +
        ScrambleFixed(u"100"_s, 3) + "\r\n" + Row(u"Вера"_s, u"200"_s));
  const WinnersTable table = Load();
  EXPECT_EQ(Names(table), QStringList({u"Ок"_s, u"Вера"_s}));
  EXPECT_EQ(Sums(table), QStringList({u"100"_s, u"200"_s}));
  EXPECT_EQ(m_box.messages, QList<RecordingInfoBox::Message>(
                                {{DamagedFileMessage(QDir::toNativeSeparators(path()), 1), InfoBox::Kind::Warning}}));
}

TEST_F(WinnersFile, AThoroughlyDamagedFileGivesOneMessageNamingItAndItsDamage) {
  QByteArray file;
  for (int r = 1; r <= kMaxWinners; ++r)
    file += "\x01" + QByteArray(30, char(200)) + "\x02" + QByteArray(9, char(99)) + "\r\n";
  Write(file);
  const WinnersTable table = Load();
  EXPECT_EQ(table.count(), kMaxWinners);
  ASSERT_EQ(m_box.messages.size(), 1);
  const QStringList lines = m_box.messages[0].text.split(u"\r\n"_s);
  EXPECT_EQ(lines.first(), DamagedDataMessage());
  EXPECT_TRUE(m_box.messages[0].text.contains(QDir::toNativeSeparators(path())));
  EXPECT_TRUE(lines.last().endsWith(u" 100"_s)) << lines.last().toStdString();  // every name and sum
  EXPECT_EQ(m_box.messages[0].kind, InfoBox::Kind::Warning);
  // Each load says it once more, no more.
  Load();
  EXPECT_EQ(m_box.messages.size(), 2);
}

TEST_F(WinnersFile, ALoadLeavesNoRowOfTheTableItReplaced) {
  WinnersTable table = Table({{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}});
  Write(Row(u"Один"_s, u"5"_s));
  LoadWinners(path(), table, m_box);
  EXPECT_EQ(table.rows, QList<BoardRow>({{u"Один"_s, u"5"_s}}));
}

TEST_F(WinnersFile, AFolderInPlaceOfTheFileIsAnUnreadableLeaderboardAndStaysAsItIs) {
  ASSERT_TRUE(QDir().mkpath(path()));
  WinnersTable table;
  EXPECT_EQ(LoadWinners(path(), table, m_box), WinnersRead::Unreadable);
  EXPECT_EQ(table.count(), 0);
  EXPECT_EQ(StoreWinners(path(), {{u"Новый"_s, 100}}, m_random), WinnersWrite::Unreadable);
  EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(WinnersFile, SavingNoRowsLeavesAnEmptyFile) {
  Write(Row(u"Старый"_s, u"100"_s));
  EXPECT_TRUE(SaveWinners(path(), WinnersTable{}, m_random));
  EXPECT_EQ(QFileInfo(path()).size(), 0);
}

TEST_F(WinnersFile, SavedTablesLoadBackWithExactLineLengths) {
  const WinnersTable saved = Table({{u"Александр Сергеевич"_s, u"1000000"_s},
                                    {u"Ё"_s, u"32000"_s},
                                    {u"Мария-Антуанетта «Ма» №1"_s, u"100"_s},
                                    {u""_s, u""_s}});
  ASSERT_TRUE(SaveWinners(path(), saved, m_random));
  const QByteArray bytes = Read();
  const QList<QByteArray> lines = bytes.split('\n');
  ASSERT_EQ(lines.size(), 5);  // four rows and nothing after the last CR LF
  EXPECT_TRUE(lines[4].isEmpty());
  for (int r = 1; r <= 4; ++r) {
    const qsizetype expected = 1 + 3 * saved.AtRank(r).name.size() + 1 + 3 * saved.AtRank(r).sum.size() + 2;
    EXPECT_EQ(lines[r - 1].size() + 1, expected) << r;
    EXPECT_EQ(lines[r - 1][0], '\x01');
    EXPECT_TRUE(lines[r - 1].endsWith('\r'));
  }
  const WinnersTable loaded = Load();
  EXPECT_EQ(loaded.count(), 4);
  EXPECT_EQ(loaded.rows, saved.rows);
  EXPECT_TRUE(m_box.messages.isEmpty());
  // Scrambled afresh on every save, to the same table.
  ASSERT_TRUE(SaveWinners(path(), saved, m_random));
  EXPECT_NE(Read(), bytes);
  EXPECT_EQ(Names(Load()), Names(saved));
}

TEST_F(WinnersFile, NamesAreStoredAsTheyCanBeEncoded) {
  WinnersTable saved = Table({{u"Tab\tи 日本 😀"_s, u"100"_s}, {QString(20000, u'ж'), u"200"_s}});
  ASSERT_TRUE(SaveWinners(path(), saved, m_random));
  const WinnersTable loaded = Load();
  EXPECT_EQ(loaded.AtRank(1).name, u"Tab?и ?? ?"_s);
  // Cut to what the reader decodes whole, so that it loads without a message.
  EXPECT_EQ(loaded.AtRank(2).name, QString(kMaxScrambledLength / 3, u'ж'));
  EXPECT_EQ(loaded.AtRank(2).sum, u"200"_s);
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST_F(WinnersFile, AFailedSaveLeavesTheOldFileWhole) {
  const QByteArray old = Row(u"Старый"_s, u"100"_s);
  Write(old);
  WinnersTable big;
  big.rows.resize(kMaxWinners);
  for (int r = 1; r <= kMaxWinners; ++r) {
    big.AtRank(r).name = QString(300, u'Я');
    big.AtRank(r).sum = u"1000000"_s;
  }
  // The file system refuses to let any file grow past 1000 bytes: the write stops
  // halfway, as on a full disk.
  const bool saved = UnderFileSizeLimit(1000, [&] { return SaveWinners(path(), big, m_random); });
  EXPECT_FALSE(saved);
  EXPECT_EQ(Read(), old);
  // No half-written temporary file is left behind either.
  EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({u"Winners.tbl"_s}));
}

TEST_F(WinnersFile, AFolderInTheWayFailsTheSaveAndStaysAsItWas) {
  ASSERT_TRUE(QDir().mkpath(path() + u"/inside"_s));
  EXPECT_FALSE(SaveWinners(path(), Table({{u"Новый"_s, u"100"_s}}), m_random));
  EXPECT_TRUE(QFileInfo(path() + u"/inside"_s).isDir());
  EXPECT_FALSE(SaveWinners(m_dir.path() + u"/missing/Winners.tbl"_s, Table({{u"Новый"_s, u"100"_s}}), m_random));
}

TEST_F(WinnersFile, AReadOnlyFolderFailsTheSaveAndKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the size-limit test covers a failed write";
  const QByteArray old = Row(u"Старый"_s, u"100"_s);
  Write(old);
  ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  const bool saved = SaveWinners(path(), Table({{u"Новый"_s, u"100"_s}}), m_random);
  QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_FALSE(saved);
  EXPECT_EQ(Read(), old);
}

namespace {

// A board of real size: 50 names of 25 letters, about 5 KB.
WinnersTable RealSizeBoard(const QString& letter) {
  WinnersTable board;
  board.rows.resize(kMaxWinners);
  for (int r = 1; r <= kMaxWinners; ++r) {
    board.AtRank(r).name = QString(25, letter[0]);
    board.AtRank(r).sum = QString::number(1000000 - r);
  }
  return board;
}

}  // namespace

TEST_F(WinnersFile, ARealSizeBoardOnAFullDiskKeepsTheOldFileAndFails) {
  // The rows fit the write buffer, so the disk refuses them only when the buffer
  // goes out: that failure must stop the save as well.
  const WinnersTable oldBoard = RealSizeBoard(u"С"_s);
  ASSERT_TRUE(SaveWinners(path(), oldBoard, m_random));
  const QByteArray old = Read();
  ASSERT_GT(old.size(), 4096);
  const WinnersTable newBoard = RealSizeBoard(u"Н"_s);
  EXPECT_FALSE(UnderFileSizeLimit(4096, [&] { return SaveWinners(path(), newBoard, m_random); }));
  EXPECT_EQ(Read(), old);
  const WinnersWrite stored = UnderFileSizeLimit(4096, [&] {
    return StoreWinners(path(), {{u"Новый"_s, 2000000}}, m_random);
  });
  EXPECT_EQ(stored, WinnersWrite::Failed);
  EXPECT_EQ(Read(), old);
  EXPECT_EQ(Names(Load()), Names(oldBoard));
  // Nothing half-written is left behind, the lock neither.
  EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({u"Winners.tbl"_s}));
}

TEST_F(WinnersFile, ABoardThatCannotBeReadIsNeverWrittenOver) {
  // A file the player's account may write but not read: the game must neither
  // take it for an empty board nor replace it. Run as an ordinary user even
  // when the tests run as root, who reads everything.
  const QByteArray old = WinnersFileBytes(Table({{u"Первый"_s, u"1000"_s}, {u"Второй"_s, u"500"_s}}), m_random);
  Write(old);
  ASSERT_EQ(chmod(QFile::encodeName(path()).constData(), 0200), 0);
  const auto attempt = [this] {
    // Bit 0: the load saw an unreadable board; bit 1: the store left it alone.
    WinnersTable table;
    RecordingInfoBox box;
    int outcome = 0;
    if (LoadWinners(path(), table, box) == WinnersRead::Unreadable && table.count() == 0) outcome |= 1;
    if (StoreWinners(path(), {{u"Новый"_s, 100}}, m_random) == WinnersWrite::Unreadable) outcome |= 2;
    return outcome;
  };
  const int outcome = AsOrdinaryUser({m_dir.path(), path()}, attempt);
  chmod(QFile::encodeName(path()).constData(), 0600);
  EXPECT_EQ(outcome, 3);
  EXPECT_EQ(Read(), old);
}

TEST_F(WinnersFile, TwoGamesSavingInTurnKeepEachOthersChanges) {
  ASSERT_TRUE(SaveWinners(path(), Table({{u"Старый"_s, u"1000"_s}}), m_random));
  // Both games read the board when their record panels open …
  const WinnersTable seenByA = Load(), seenByB = Load();
  ASSERT_EQ(seenByA.count(), 1);
  ASSERT_EQ(seenByB.count(), 1);
  // … and store their results one after the other.
  EXPECT_EQ(StoreWinners(path(), {{u"Игра Б"_s, 500}}, m_random), WinnersWrite::Written);
  EXPECT_EQ(StoreWinners(path(), {{u"Игра А"_s, 32000}}, m_random), WinnersWrite::Written);
  EXPECT_EQ(Names(Load()), QStringList({u"Игра А"_s, u"Старый"_s, u"Игра Б"_s}));

  // One game clears the board; the other's later result must not bring it back.
  EXPECT_EQ(ClearWinners(path()), WinnersWrite::Written);
  EXPECT_FALSE(QFile::exists(path()));
  EXPECT_EQ(ClearWinners(path()), WinnersWrite::Written);  // nothing there: cleared already
  EXPECT_EQ(StoreWinners(path(), {{u"После"_s, 100}}, m_random), WinnersWrite::Written);
  EXPECT_EQ(Names(Load()), QStringList({u"После"_s}));
  EXPECT_FALSE(QFile::exists(path() + u".lock"_s));
}

TEST_F(WinnersFile, ALockLeftByAKilledGameIsTakenOver) {
  ASSERT_TRUE(SaveWinners(path(), Table({{u"Старый"_s, u"1000"_s}}), m_random));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile lock(path() + u".lock"_s);
    // Dies holding the lock, as a game killed in the middle of a save.
    _exit(lock.tryLock(0) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(QFile::exists(path() + u".lock"_s));
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(StoreWinners(path(), {{u"Новый"_s, 2000}}, m_random), WinnersWrite::Written);
  EXPECT_LT(timer.elapsed(), 2000);
  EXPECT_EQ(Names(Load()), QStringList({u"Новый"_s, u"Старый"_s}));
}

TEST_F(WinnersFile, LeftoversOfAKilledSaveAreRemovedAndNothingElse) {
  Write(Row(u"Старый"_s, u"100"_s));
  const QDir dir(m_dir.path());
  const QStringList leftovers = {u".Winners.tbl.fartovik-save-AbCdEf"_s, u".Winners.tbl.fartovik-save-q1w2e3"_s};
  // A player's own copies, named as people name them: six letters after the dot
  // included, which is the toolkit's own pattern for temporaries.
  const QStringList others = {u"Winners.tbl.backup"_s,
                              u"Winners.tbl.oldest"_s,
                              u"Winners.tbl.AbCdEf"_s,
                              u"Winners.tbl.bak"_s,
                              u".Winners.tbl.fartovik-save-AbCdE"_s,
                              u".Other.tbl.fartovik-save-AbCdEf"_s,
                              u"Winners.tbl.fartovik-save-AbCdEf"_s};
  for (const QString& name : leftovers + others) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x01");
  }
  ASSERT_TRUE(dir.mkdir(u".Winners.tbl.fartovik-save-Folder"_s));
  RemoveWinnersLeftovers(path());
  for (const QString& name : leftovers) EXPECT_FALSE(dir.exists(name)) << name.toStdString();
  for (const QString& name : others) EXPECT_TRUE(dir.exists(name)) << name.toStdString();
  EXPECT_TRUE(QFileInfo(dir.filePath(u".Winners.tbl.fartovik-save-Folder"_s)).isDir());
  EXPECT_EQ(Names(Load()), QStringList({u"Старый"_s}));
  // While another game holds the lock (it may be saving right now) nothing goes.
  QFile stray(dir.filePath(u".Winners.tbl.fartovik-save-XyZabc"_s));
  ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
  stray.close();
  QLockFile other(path() + u".lock"_s);
  ASSERT_TRUE(other.tryLock(0));
  RemoveWinnersLeftovers(path());
  EXPECT_TRUE(stray.exists());
}

TEST_F(WinnersFile, ASaveLeavesNothingButTheBoardAndKeepsItsPermissions) {
  Write(Row(u"Старый"_s, u"100"_s));
  ASSERT_EQ(chmod(QFile::encodeName(path()).constData(), 0640), 0);
  ASSERT_EQ(StoreWinners(path(), {{u"Новый"_s, 200}}, m_random), WinnersWrite::Written);
  struct stat st {};
  ASSERT_EQ(stat(QFile::encodeName(path()).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({u"Winners.tbl"_s}));
}

// A save replaces the board by renaming a new file over it: through a link it would
// replace whatever the link names, and a link to nothing would make that file.
TEST_F(WinnersFile, ABoardThatIsALinkIsWrittenOnlyWhenThePlayerMadeItToAFile) {
  constexpr uid_t kNobody = 65534;
  const bool root = geteuid() == 0;
  struct Case {
    const char* name;
    bool targetExists;
    bool linkOfAnotherUser;
    bool followed;
  };
  const Case cases[] = {
      {"the player's own link to a file", true, false, true},
      {"a link to nothing", false, false, false},
      {"another user's link to a file", true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.linkOfAnotherUser && !root) {
      std::printf("skipped (links of another user need root): %s\n", c.name);
      continue;
    }
    QTemporaryDir elsewhere;
    const QString target = elsewhere.path() + u"/precious"_s;
    const QByteArray precious = "root-only data\n";
    if (c.targetExists) {
      QFile file(target);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(precious);
      file.close();
      ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0600), 0);
    }
    QFile::remove(path());
    ASSERT_TRUE(QFile::link(target, path()));
    if (c.linkOfAnotherUser) {
      ASSERT_EQ(lchown(QFile::encodeName(path()).constData(), kNobody, kNobody), 0);
    }

    WinnersTable table;
    RecordingInfoBox box;
    const WinnersRead read = LoadWinners(path(), table, box);
    const WinnersWrite stored = StoreWinners(path(), {{u"Новый"_s, 100}}, m_random);
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    if (c.followed) {
      EXPECT_EQ(read, WinnersRead::Read);
      EXPECT_EQ(stored, WinnersWrite::Written);
      EXPECT_EQ(Names(Load()), QStringList({u"Новый"_s}));
    } else {
      EXPECT_EQ(read, WinnersRead::Link);
      EXPECT_EQ(stored, WinnersWrite::Link);
      EXPECT_EQ(QFileInfo::exists(target), c.targetExists);
      if (c.targetExists) {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), precious);
      }
    }
  }
}

TEST_F(WinnersFile, PipesWhereTheBoardAndItsLocksBelongNeverHoldTheGame) {
  const QString lock = path() + u".lock"_s;
  struct Case {
    QString pipe;
    WinnersWrite stored;
  };
  const Case cases[] = {{lock, WinnersWrite::LockBroken},
                        {lock + u".rmlock"_s, WinnersWrite::LockBroken},
                        {path(), WinnersWrite::Unreadable}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pipe.toStdString());
    QFile::remove(c.pipe);
    QElapsedTimer timer;
    timer.start();
    FifoWatchdog watchdog({c.pipe});
    ASSERT_TRUE(watchdog.made());
    // What a start does, then a look at the board and a save.
    RemoveWinnersLeftovers(path());
    WinnersTable table;
    RecordingInfoBox box;
    LoadWinners(path(), table, box);
    QString problem;
    EXPECT_EQ(StoreWinners(path(), {{u"Новый"_s, 100}}, m_random, &problem), c.stored);
    EXPECT_FALSE(watchdog.Stop()) << "blocked on the pipe";
    EXPECT_LT(timer.elapsed(), 3000);
    if (c.stored == WinnersWrite::LockBroken) {
      EXPECT_TRUE(problem.contains(QDir::toNativeSeparators(c.pipe)));
    }
    EXPECT_EQ(QFileInfo(c.pipe).isFile(), false);  // left where it is
    QFile::remove(c.pipe);
  }
}

TEST_F(WinnersFile, ALockThatDoesNotClearIsNamedForWhatItIsWithoutAWait) {
  Write(Row(u"Старый"_s, u"100"_s));
  const QString lock = path() + u".lock"_s;
  struct Case {
    const char* name;
    std::function<void()> make;
    WinnersWrite stored;
    QString said;  // part of what the player is told
  };
  QLockFile held(lock);
  const Case cases[] = {
      {"a folder", [&] { QDir().mkdir(lock); }, WinnersWrite::LockBroken, u"лежит не файл"_s},
      {"a lock a running game holds", [&] { held.tryLock(0); }, WinnersWrite::Busy,
       u"процесс "_s + QString::number(QCoreApplication::applicationPid())},
      {"a fresh lock of nothing", [&] { Write(lock, "garbage"); }, WinnersWrite::Busy, u"не освобождается"_s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.make();
    QElapsedTimer timer;
    timer.start();
    QString problem;
    EXPECT_EQ(StoreWinners(path(), {{u"Новый"_s, 200}}, m_random, &problem), c.stored);
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(problem.contains(c.said)) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QDir::toNativeSeparators(lock))) << problem.toStdString();
    // A caller on the window's thread tries once, and again later.
    timer.restart();
    EXPECT_EQ(StoreWinners(path(), {{u"Новый"_s, 200}}, m_random, nullptr, LockWait::None), c.stored);
    EXPECT_LT(timer.elapsed(), 50);
    held.unlock();
    QDir().rmdir(lock);
    QFile::remove(lock);
  }
  EXPECT_EQ(Names(Load()), QStringList({u"Старый"_s}));
  // A lock of nothing older than any save guards nothing and is taken over.
  Write(lock, "garbage");
  QFile old(lock);
  ASSERT_TRUE(old.open(QIODevice::ReadWrite));
  ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-10), QFileDevice::FileModificationTime));
  old.close();
  EXPECT_EQ(StoreWinners(path(), {{u"Новый"_s, 200}}, m_random), WinnersWrite::Written);
  EXPECT_EQ(Names(Load()), QStringList({u"Новый"_s, u"Старый"_s}));
}

TEST(WinnerRanks, AResultGoesAboveEqualAndSmallerSums) {
  WinnersTable table;
  for (qint64 sum : {1000000, 32000, 1000}) InsertWinner(table, QString::number(sum), sum);
  EXPECT_EQ(WinnerRank(table, 32000), 2);
  EXPECT_EQ(InsertWinner(table, u"новый"_s, 32000), 2);
  EXPECT_EQ(table.count(), 4);
  EXPECT_EQ(table.AtRank(3).name, u"32000"_s);
  for (int r = 5; r <= kMaxWinners; ++r) InsertWinner(table, u"x"_s, 500);
  ASSERT_EQ(table.count(), kMaxWinners);
  EXPECT_EQ(InsertWinner(table, u"последний"_s, 100), 0);  // a full board of better results
  EXPECT_EQ(InsertWinner(table, u"выше"_s, 600), 5);
  EXPECT_EQ(table.count(), kMaxWinners);
  EXPECT_EQ(table.AtRank(kMaxWinners).sum, u"500"_s);
}

TEST_F(WinnersFile, AResultsTimeMarkRidesBehindItsSumThroughTheFileAndRanksByTheSumAlone) {
  ASSERT_EQ(StoreWinners(path(), {{u"Обычный"_s, 32000}, {u"Вдвое"_s, 1000, AnswerTime::Doubled}}, m_random),
            WinnersWrite::Written);
  // Stored later: above the equal sum, below the greater, whatever the marks.
  ASSERT_EQ(StoreWinners(path(), {{u"Без ограничения"_s, 32000, AnswerTime::Unlimited}, {u"Ещё"_s, 1000}}, m_random),
            WinnersWrite::Written);
  const WinnersTable table = Load();
  EXPECT_EQ(Names(table), QStringList({u"Без ограничения"_s, u"Обычный"_s, u"Ещё"_s, u"Вдвое"_s}));
  QStringList sums;
  QList<AnswerTime> times;
  for (const BoardRow& row : table.rows) {
    sums.append(row.sum);
    times.append(AnswerTimeOfSum(row.sum));
  }
  EXPECT_EQ(sums, QStringList({u"32000**"_s, u"32000"_s, u"1000"_s, u"1000*"_s}));
  EXPECT_EQ(times,
            QList<AnswerTime>({AnswerTime::Unlimited, AnswerTime::Normal, AnswerTime::Normal, AnswerTime::Doubled}));
  EXPECT_EQ(WinnerSumValue(table.AtRank(1).sum), 32000);
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST(AnswerTimeMarks, OnlyOurMarkRightBehindTheDigitsCounts) {
  struct Case {
    QString storedSum;
    AnswerTime time;
  };
  const Case cases[] = {
      {u"1000"_s, AnswerTime::Normal},    {u"1000*"_s, AnswerTime::Doubled}, {u"1000**"_s, AnswerTime::Unlimited},
      {u"1000***"_s, AnswerTime::Normal}, {u"1000 *"_s, AnswerTime::Normal}, {u"*"_s, AnswerTime::Normal},
      {u"**1000"_s, AnswerTime::Normal},  {QString(), AnswerTime::Normal},   {u"10*00"_s, AnswerTime::Normal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedSum.toStdString());
    EXPECT_EQ(AnswerTimeOfSum(c.storedSum), c.time);
  }
  for (const AnswerTime time : {AnswerTime::Normal, AnswerTime::Doubled, AnswerTime::Unlimited})
    EXPECT_EQ(AnswerTimeOfSum(u"500"_s + AnswerTimeMark(time)), time);
}
