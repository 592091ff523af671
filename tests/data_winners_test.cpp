#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "data/codec.h"
#include "data/info_box.h"
#include "data/random_source.h"
#include "data/winners_table.h"
#include "tests/fixtures/data/base_writer.h"

using namespace Qt::StringLiterals;
using testbases::Scramble;

namespace {

QByteArray Row(const QString& name, const QString& sum) {
  return "\x01" + Scramble(name, 3) + "\x02" + Scramble(sum, 3) + "\r\n";
}

class WinnersFile : public ::testing::Test {
 protected:
  QString path() const { return m_dir.path() + u"/Winners.tbl"_s; }
  void Write(const QByteArray& bytes) {
    QFile file(path());
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
    for (int r = 1; r <= table.count; ++r) names.append(table.name[size_t(r)]);
    return names;
  }
  static QStringList Sums(const WinnersTable& table) {
    QStringList sums;
    for (int r = 1; r <= table.count; ++r) sums.append(table.sum[size_t(r)]);
    return sums;
  }
  static WinnersTable Table(const QList<std::pair<QString, QString>>& rows) {
    WinnersTable table;
    table.count = int(rows.size());
    for (int r = 1; r <= table.count; ++r) {
      table.name[size_t(r)] = rows[r - 1].first;
      table.sum[size_t(r)] = rows[r - 1].second;
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
  EXPECT_EQ(table.count, 0);
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
       "\x02" + Scramble(u"999"_s, 3) + "\r\n" + a, {u"Аня"_s}, {u"300"_s}},
      {"bytes before a line's first marker are dropped", Scramble(u"xx"_s, 3) + a, {u"Аня"_s}, {u"300"_s}},
      {"a line beginning with byte 2 adds to the earlier row's sum",
       "\x01" + Scramble(u"Аня"_s, 3) + "\x02" + Scramble(u"1"_s, 3) + "\r\n\x02" + Scramble(u"00"_s, 3) + "\r\n",
       {u"Аня"_s}, {u"100"_s}},
      {"a name without a sum", "\x01" + Scramble(u"Без суммы"_s, 3) + "\r\n" + b, {u"Без суммы"_s, u"Боря"_s}, {u""_s, u"200"_s}},
      {"bytes 10, 13 and 27 are skipped",
       "\x01" + Scramble(u"Аня"_s, 3).insert(2, "\n\x1b") + "\x02" + Scramble(u"300"_s, 3).insert(4, '\r') + "\r\n",
       {u"Аня"_s}, {u"300"_s}},
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
  file += "\x02" + Scramble(u"7"_s, 3) + "\r\n";
  Write(file);
  const WinnersTable table = Load();
  EXPECT_EQ(table.count, kMaxWinners);
  EXPECT_EQ(table.name[50], u"Игрок 50"_s);
  EXPECT_EQ(table.sum[50], u"5000"_s);
  EXPECT_EQ(table.name[1], u"Игрок 1"_s);
}

TEST_F(WinnersFile, ADamagedFieldKeepsItsGoodPartAndTheRestIsRead) {
  Write("\x01" + Scramble(u"Ок"_s, 3) + QByteArray(3, char(100)) + Scramble(u"нет"_s, 3) + "\x02" +
        Scramble(u"100"_s, 3) + "\r\n" + Row(u"Вера"_s, u"200"_s));
  const WinnersTable table = Load();
  EXPECT_EQ(Names(table), QStringList({u"Ок"_s, u"Вера"_s}));
  EXPECT_EQ(Sums(table), QStringList({u"100"_s, u"200"_s}));
  EXPECT_EQ(m_box.messages, QList<RecordingInfoBox::Message>({{DamagedDataMessage(), 16}}));
}

TEST_F(WinnersFile, RowsAboveTheCountAreEmptyAfterALoad) {
  WinnersTable table = Table({{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}});
  Write(Row(u"Один"_s, u"5"_s));
  LoadWinners(path(), table, m_box);
  EXPECT_EQ(table.count, 1);
  for (int r = 2; r <= kMaxWinners; ++r) {
    EXPECT_TRUE(table.name[size_t(r)].isEmpty() && table.sum[size_t(r)].isEmpty()) << r;
  }
}

TEST_F(WinnersFile, AFolderInPlaceOfTheFileIsAnEmptyLeaderboard) {
  ASSERT_TRUE(QDir().mkpath(path()));
  const WinnersTable table = Load();
  EXPECT_EQ(table.count, 0);
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
    const qsizetype expected = 1 + 3 * saved.name[size_t(r)].size() + 1 + 3 * saved.sum[size_t(r)].size() + 2;
    EXPECT_EQ(lines[r - 1].size() + 1, expected) << r;
    EXPECT_EQ(lines[r - 1][0], '\x01');
    EXPECT_TRUE(lines[r - 1].endsWith('\r'));
  }
  const WinnersTable loaded = Load();
  EXPECT_EQ(loaded.count, 4);
  EXPECT_EQ(loaded.name, saved.name);
  EXPECT_EQ(loaded.sum, saved.sum);
  EXPECT_TRUE(m_box.messages.isEmpty());
  // Scrambled afresh on every save, to the same table.
  ASSERT_TRUE(SaveWinners(path(), saved, m_random));
  EXPECT_NE(Read(), bytes);
  EXPECT_EQ(Load().name, saved.name);
}

TEST_F(WinnersFile, NamesAreStoredAsTheyCanBeEncoded) {
  WinnersTable saved = Table({{u"Tab\tи 日本 😀"_s, u"100"_s}, {QString(20000, u'ж'), u"200"_s}});
  ASSERT_TRUE(SaveWinners(path(), saved, m_random));
  const WinnersTable loaded = Load();
  EXPECT_EQ(loaded.name[1], u"Tab?и ?? ?"_s);
  // Cut to what the reader decodes whole, so that it loads without a message.
  EXPECT_EQ(loaded.name[2], QString(kMaxScrambledLength / 3, u'ж'));
  EXPECT_EQ(loaded.sum[2], u"200"_s);
  EXPECT_TRUE(m_box.messages.isEmpty());
}

TEST_F(WinnersFile, AFailedSaveLeavesTheOldFileWhole) {
  const QByteArray old = Row(u"Старый"_s, u"100"_s);
  Write(old);
  WinnersTable big;
  big.count = kMaxWinners;
  for (int r = 1; r <= kMaxWinners; ++r) {
    big.name[size_t(r)] = QString(300, u'Я');
    big.sum[size_t(r)] = u"1000000"_s;
  }
  // The file system refuses to let any file grow past 1000 bytes: the write stops
  // halfway, as on a full disk.
  struct rlimit before {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = before;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = SaveWinners(path(), big, m_random);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
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
