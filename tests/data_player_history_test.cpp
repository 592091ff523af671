// The player's history file: its format, and a file that survives damage, a full
// disk, files it cannot read, games side by side and a game killed while it writes.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include "data/player_history.h"
#include "tests/fixtures/file_size_limit.h"
#include "tests/fixtures/ordinary_user.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray kHeader = "fartovik-history 1\n";
const QByteArray kLine = "2026-12-11T19:30:00Z wrong 1000 1:0123456789abcdef:1,2:fedcba9876543210:0 fifty-fifty@2:0";

GameRecord Record(int sum) {
  GameRecord game;
  game.endedAt = QDateTime(QDate(2026, 12, 11), QTime(19, 30, 5), Qt::UTC);
  game.outcome = GameOutcome::TookMoney;
  game.sum = sum;
  game.asked = {{1, "0123456789abcdef", true}, {1, "89abcdef01234567", false}};
  game.lifelines = {{LifelineKind::PhoneFriend, 2, true}};
  return game;
}

QList<int> Sums(const std::vector<GameRecord>& games) {
  QList<int> sums;
  for (const GameRecord& game : games) sums.append(game.sum);
  return sums;
}

class HistoryFile : public ::testing::Test {
 protected:
  QString path() const { return m_dir.path() + u"/History.txt"_s; }
  void Write(const QByteArray& bytes) {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }
  QByteArray Read(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
  }
  QByteArray Read() { return Read(path()); }
  QStringList Entries() {
    return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
  }

  QTemporaryDir m_dir;
};

}  // namespace

TEST(HistoryFormat, EveryRecordReadsBackAsItWasWritten) {
  GameRecord full = Record(1000000);
  full.outcome = GameOutcome::Million;
  full.lifelines = {{LifelineKind::FiftyFifty, 1, false},
                    {LifelineKind::PhoneFriend, 7, true},
                    {LifelineKind::AskAudience, 15, true}};
  full.asked.clear();
  for (int q = 1; q <= 15; ++q)
    full.asked.push_back({(q + 2) / 3, QByteArray::number(q, 16).rightJustified(16, 'a'), q % 2 == 0});
  GameRecord bare;
  bare.endedAt = QDateTime(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC);
  bare.outcome = GameOutcome::TimeOut;
  const std::vector<GameRecord> games = {full, bare, Record(200)};

  std::vector<GameRecord> read;
  ASSERT_EQ(ParseHistory(HistoryBytes(games), read), HistoryParse::Read);
  ASSERT_EQ(read.size(), games.size());
  for (size_t i = 0; i < games.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read[i].endedAt, games[i].endedAt);
    EXPECT_EQ(read[i].outcome, games[i].outcome);
    EXPECT_EQ(read[i].sum, games[i].sum);
    ASSERT_EQ(read[i].asked.size(), games[i].asked.size());
    for (size_t q = 0; q < games[i].asked.size(); ++q) {
      EXPECT_EQ(read[i].asked[q].level, games[i].asked[q].level);
      EXPECT_EQ(read[i].asked[q].fingerprint, games[i].asked[q].fingerprint);
      EXPECT_EQ(read[i].asked[q].answeredRight, games[i].asked[q].answeredRight);
    }
    ASSERT_EQ(read[i].lifelines.size(), games[i].lifelines.size());
    for (size_t l = 0; l < games[i].lifelines.size(); ++l) {
      EXPECT_EQ(read[i].lifelines[l].kind, games[i].lifelines[l].kind);
      EXPECT_EQ(read[i].lifelines[l].question, games[i].lifelines[l].question);
      EXPECT_EQ(read[i].lifelines[l].pointedRight, games[i].lifelines[l].pointedRight);
    }
  }
  EXPECT_TRUE(HistoryBytes(games).startsWith(kHeader));
  EXPECT_TRUE(HistoryBytes({bare}).endsWith(" timeout 0 - -\n"));
}

TEST(HistoryFormat, ARecordOutOfRangeIsWrittenSoThatTheFileStillReads) {
  GameRecord odd;  // no time, a sum and level no game has, a fingerprint that is none
  odd.sum = -5;
  odd.asked = {{9, "NOT HEX", true}};
  odd.lifelines = {{LifelineKind::AskAudience, 40, true}};
  std::vector<GameRecord> read;
  EXPECT_EQ(ParseHistory(HistoryBytes({odd, Record(300)}), read), HistoryParse::Read);
  EXPECT_EQ(Sums(read), QList<int>({0, 300}));
}

TEST(HistoryFormat, WhatCountsAsDamagedAndWhatAsACutLastLine) {
  struct Case {
    const char* what;
    QByteArray bytes;
    HistoryParse parse;
    int games;
  };
  const QByteArray good = kHeader + kLine + '\n';
  auto withLine = [&](const QByteArray& line) -> QByteArray { return good + line + '\n' + kLine + '\n'; };
  const Case cases[] = {
      {"empty", "", HistoryParse::Read, 0},
      {"header only", kHeader, HistoryParse::Read, 0},
      {"header cut short", "fartovik-hist", HistoryParse::Read, 0},
      {"one game", good, HistoryParse::Read, 1},
      {"lines end in CR LF", "fartovik-history 1\r\n" + kLine + "\r\n", HistoryParse::Read, 1},
      {"a blank line", good + '\n' + kLine + '\n', HistoryParse::Read, 2},
      {"last line cut short", good + kLine.left(30), HistoryParse::Read, 1},
      {"last line whole without its end", good + kLine, HistoryParse::Read, 2},
      {"a later version", "fartovik-history 2\n" + kLine + '\n', HistoryParse::Later, 0},
      {"a foreign file", "Name;Sum\nИван;1000\n", HistoryParse::Damaged, 0},
      {"a header with more", "fartovik-history 1x\n", HistoryParse::Damaged, 0},
      {"a line cut short inside", withLine(kLine.left(30)), HistoryParse::Damaged, 0},
      {"a sum too large", withLine("2026-12-11T19:30:00Z wrong 1000001 - -"), HistoryParse::Damaged, 0},
      {"a negative sum", withLine("2026-12-11T19:30:00Z wrong -5 - -"), HistoryParse::Damaged, 0},
      {"an unknown ending", withLine("2026-12-11T19:30:00Z lost 0 - -"), HistoryParse::Damaged, 0},
      {"a local time", withLine("2026-12-11T19:30:00 wrong 0 - -"), HistoryParse::Damaged, 0},
      {"no such date", withLine("2026-02-30T19:30:00Z wrong 0 - -"), HistoryParse::Damaged, 0},
      {"a level too high", withLine("2026-12-11T19:30:00Z wrong 0 7:0123456789abcdef:1 -"), HistoryParse::Damaged, 0},
      {"capital hex", withLine("2026-12-11T19:30:00Z wrong 0 1:0123456789ABCDEF:1 -"), HistoryParse::Damaged, 0},
      {"right as 2", withLine("2026-12-11T19:30:00Z wrong 0 1:0123456789abcdef:2 -"), HistoryParse::Damaged, 0},
      {"an empty item", withLine("2026-12-11T19:30:00Z wrong 0 1:0123456789abcdef:1,, -"), HistoryParse::Damaged, 0},
      {"an unknown lifeline", withLine("2026-12-11T19:30:00Z wrong 0 - magic@2:1"), HistoryParse::Damaged, 0},
      {"question 16", withLine("2026-12-11T19:30:00Z wrong 0 - poll@16:1"), HistoryParse::Damaged, 0},
      {"four lifelines", withLine("2026-12-11T19:30:00Z wrong 0 - poll@1:1,poll@2:1,poll@3:1,poll@4:1"),
       HistoryParse::Damaged, 0},
      {"two spaces", withLine("2026-12-11T19:30:00Z  wrong 0 - -"), HistoryParse::Damaged, 0},
      {"a sixth field", withLine("2026-12-11T19:30:00Z wrong 0 - - x"), HistoryParse::Damaged, 0},
      {"a line of a megabyte", withLine(QByteArray(1 << 20, 'x')), HistoryParse::Damaged, 0},
      {"a NUL in a line", withLine(QByteArray("2026-12-11T19:30:00Z wrong 0") + '\0' + " - -"), HistoryParse::Damaged,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<GameRecord> games = {Record(1)};
    EXPECT_EQ(ParseHistory(c.bytes, games), c.parse);
    EXPECT_EQ(int(games.size()), c.games);
  }
  // Sixteen questions are more than a game asks.
  QByteArrayList sixteen;
  for (int i = 0; i < 16; ++i) sixteen.append("1:0123456789abcdef:1");
  std::vector<GameRecord> games;
  EXPECT_EQ(ParseHistory(withLine("2026-12-11T19:30:00Z wrong 0 " + sixteen.join(',') + " -"), games),
            HistoryParse::Damaged);
  sixteen.removeLast();
  EXPECT_EQ(ParseHistory(withLine("2026-12-11T19:30:00Z wrong 0 " + sixteen.join(',') + " -"), games),
            HistoryParse::Read);
}

TEST_F(HistoryFile, GamesAreAddedToTheFileAsItIsNowSoTwoGamesSideBySideBothCount) {
  PlayerHistoryFile first, second;
  HistoryRead read = first.Open(m_dir.path());
  EXPECT_TRUE(read.games.empty());
  EXPECT_TRUE(read.message.isEmpty());
  EXPECT_TRUE(second.Open(m_dir.path()).games.empty());

  const HistoryWrite a = first.Add({Record(100)});
  ASSERT_TRUE(a.written);
  EXPECT_EQ(Sums(a.games), QList<int>({100}));
  const HistoryWrite b = second.Add({Record(200), Record(300)});
  ASSERT_TRUE(b.written);
  EXPECT_EQ(Sums(b.games), QList<int>({100, 200, 300}));
  EXPECT_TRUE(Read().startsWith(kHeader));
  EXPECT_EQ(Sums(PlayerHistoryFile().Open(m_dir.path()).games), QList<int>({100, 200, 300}));
  // Nothing but the history is left beside it: no temporary file, no lock.
  EXPECT_EQ(Entries(), QStringList({u"History.txt"_s}));

  // Forgetting keeps nothing, and the next game starts the history again.
  ASSERT_TRUE(first.Forget().written);
  EXPECT_EQ(Read(), kHeader);
  EXPECT_EQ(Sums(second.Add({Record(400)}).games), QList<int>({400}));
}

TEST_F(HistoryFile, GamesOfSeveralProcessesEndingAtOnceAreAllKept) {
  constexpr int kProcesses = 3, kGamesEach = 15;
  QList<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PlayerHistoryFile history;
      history.Open(m_dir.path());
      int written = 0;
      // A lock held longer than the wait fails a write; the game offers it again later.
      for (int attempt = 0; attempt < 2000 && written < kGamesEach; ++attempt)
        if (history.Add({Record(1000 * p + written)}).written) ++written;
      _exit(written == kGamesEach ? 0 : 1);
    }
    children.append(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const QList<int> sums = Sums(PlayerHistoryFile().Open(m_dir.path()).games);
  EXPECT_EQ(sums.size(), kProcesses * kGamesEach);
  for (int p = 0; p < kProcesses; ++p)
    for (int g = 0; g < kGamesEach; ++g) EXPECT_TRUE(sums.contains(1000 * p + g)) << p << " " << g;
}

TEST_F(HistoryFile, ADamagedFileIsSetAsideUntouchedWithOneMessageAndTheHistoryStartsAfresh) {
  const QByteArray damaged = kHeader + kLine + "\n\x01\x02 scrambled \xff\n" + kLine + '\n';
  Write(damaged);
  // A file set aside on an earlier evening keeps its name.
  QFile earlier(path() + u".bad"_s);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  earlier.write("earlier");
  earlier.close();

  PlayerHistoryFile history;
  const HistoryRead read = history.Open(m_dir.path());
  EXPECT_TRUE(read.games.empty());
  EXPECT_TRUE(read.message.contains(QDir::toNativeSeparators(path() + u".bad.2"_s))) << read.message.toStdString();
  EXPECT_EQ(Read(path() + u".bad.2"_s), damaged);
  EXPECT_EQ(Read(path() + u".bad"_s), "earlier");
  EXPECT_FALSE(QFile::exists(path()));

  const HistoryWrite write = history.Add({Record(100)});
  ASSERT_TRUE(write.written);
  EXPECT_TRUE(write.message.isEmpty());
  EXPECT_EQ(Sums(write.games), QList<int>({100}));
  const HistoryRead again = PlayerHistoryFile().Open(m_dir.path());
  EXPECT_TRUE(again.message.isEmpty());
  EXPECT_EQ(Sums(again.games), QList<int>({100}));

  // Damaged again while the game runs: set aside at the write, said once more only
  // by a game that has not said it yet.
  Write("garbage\n");
  const HistoryWrite later = history.Add({Record(200)});
  ASSERT_TRUE(later.written);
  EXPECT_TRUE(later.message.isEmpty());
  EXPECT_EQ(Read(path() + u".bad.3"_s), "garbage\n");
  EXPECT_EQ(Sums(later.games), QList<int>({200}));
}

TEST_F(HistoryFile, AFileTooLargeToBeAHistoryIsSetAsideWithoutBeingReadWhole) {
  Write(kHeader);
  ASSERT_TRUE(QFile::resize(path(), kMaxHistoryBytes + 1));  // sparse: no disk is used
  const HistoryRead read = PlayerHistoryFile().Open(m_dir.path());
  EXPECT_TRUE(read.games.empty());
  EXPECT_FALSE(read.message.isEmpty());
  EXPECT_EQ(QFileInfo(path() + u".bad"_s).size(), kMaxHistoryBytes + 1);
}

TEST_F(HistoryFile, BeyondTheGamesKeptTheOldestGoAndTheFileStaysReadable) {
  // Games as long as games get: fifteen questions, three lifelines, a long sum.
  std::vector<GameRecord> many;
  for (int i = 0; i < kMaxKeptGames + 5; ++i) {
    GameRecord game = Record(100000 + i);
    game.asked.assign(15, {6, "0123456789abcdef", true});
    game.lifelines = {{LifelineKind::FiftyFifty, 13, true},
                      {LifelineKind::PhoneFriend, 14, true},
                      {LifelineKind::AskAudience, 15, true}};
    many.push_back(game);
  }
  PlayerHistoryFile history;
  history.Open(m_dir.path());
  const HistoryWrite write = history.Add(many);
  ASSERT_TRUE(write.written);
  ASSERT_EQ(write.games.size(), size_t(kMaxKeptGames));
  EXPECT_EQ(write.games.front().sum, 100005);
  EXPECT_EQ(write.games.back().sum, 100000 + kMaxKeptGames + 4);
  EXPECT_LT(QFileInfo(path()).size(), kMaxHistoryBytes);
  const HistoryRead read = PlayerHistoryFile().Open(m_dir.path());
  EXPECT_TRUE(read.message.isEmpty());
  EXPECT_EQ(read.games.size(), size_t(kMaxKeptGames));
}

TEST_F(HistoryFile, ALaterVersionIsNeitherReadNorWrittenOver) {
  const QByteArray later = "fartovik-history 2\nwhatever comes\n";
  Write(later);
  PlayerHistoryFile history;
  const HistoryRead read = history.Open(m_dir.path());
  EXPECT_TRUE(read.games.empty());
  EXPECT_FALSE(read.message.isEmpty());
  const HistoryWrite write = history.Add({Record(100)});
  EXPECT_FALSE(write.written);
  EXPECT_FALSE(write.message.isEmpty());
  EXPECT_EQ(Read(), later);
  EXPECT_EQ(Entries(), QStringList({u"History.txt"_s}));
}

TEST_F(HistoryFile, AFileThatCannotBeReadIsNeverWrittenOver) {
  // A file the player may write but not read; as an ordinary user even when the
  // tests run as root, who reads everything.
  const QByteArray old = HistoryBytes({Record(100)});
  Write(old);
  ASSERT_EQ(chmod(QFile::encodeName(path()).constData(), 0200), 0);
  const auto attempt = [this] {
    // Bit 0: the read said so and found no games; bit 1: the write was refused.
    PlayerHistoryFile history;
    const HistoryRead read = history.Open(m_dir.path());
    int outcome = read.games.empty() && !read.message.isEmpty() ? 1 : 0;
    const HistoryWrite write = history.Add({Record(200)});
    if (!write.written && !write.message.isEmpty()) outcome |= 2;
    return outcome;
  };
  const int outcome = AsOrdinaryUser({m_dir.path(), path()}, attempt);
  chmod(QFile::encodeName(path()).constData(), 0600);
  EXPECT_EQ(outcome, 3);
  EXPECT_EQ(Read(), old);
}

TEST_F(HistoryFile, AWriteThatFailsLeavesTheOldFileWhole) {
  PlayerHistoryFile history;
  history.Open(m_dir.path());
  std::vector<GameRecord> many;
  many.reserve(60);
  for (int i = 0; i < 60; ++i) many.push_back(Record(i));
  ASSERT_TRUE(history.Add(many).written);
  const QByteArray old = Read();
  ASSERT_GT(old.size(), 4096);
  // The file system lets no file grow past 4 KB, as a full disk.
  const HistoryWrite write = UnderFileSizeLimit(4096, [&] { return history.Add({Record(1000)}); });
  EXPECT_FALSE(write.written);
  EXPECT_FALSE(write.message.isEmpty());
  EXPECT_EQ(Read(), old);
  EXPECT_EQ(Entries(), QStringList({u"History.txt"_s}));
  // The same games go in once there is room again.
  EXPECT_EQ(history.Add({Record(1000)}).games.size(), 61u);
}

TEST_F(HistoryFile, AFullTmpfsFailsTheWriteAndKeepsTheOldFile) {
  // A real full disk: a tiny tmpfs in a mount namespace of a child's own, so that
  // nothing of it is seen outside the child.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
      _exit(77);
    PlayerHistoryFile history;
    history.Open(m_dir.path());
    if (!history.Add({Record(100)}).written) _exit(10);
    const QByteArray old = Read();
    {
      QFile filler(m_dir.path() + u"/filler"_s);
      if (!filler.open(QIODevice::WriteOnly)) _exit(11);
      const QByteArray block(4096, 'x');
      while (filler.write(block) == block.size() && filler.flush()) {}
    }
    const HistoryWrite write = history.Add({Record(200)});
    int outcome = 0;
    if (!write.written && !write.message.isEmpty()) outcome |= 1;
    if (Read() == old) outcome |= 2;
    QFile::remove(m_dir.path() + u"/filler"_s);
    if (history.Add({Record(200)}).games.size() == 2) outcome |= 4;
    _exit(outcome);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no tmpfs can be mounted here; the size-limit test stands in";
  EXPECT_EQ(WEXITSTATUS(status), 7);
}

TEST_F(HistoryFile, AGameKilledWhileItWritesLeavesAFileThatReads) {
  // A history of a few thousand games takes long enough to write that the kills
  // fall inside writes as well as between them.
  std::vector<GameRecord> many;
  many.reserve(3000);
  for (int i = 0; i < 3000; ++i) many.push_back(Record(i % 1000));
  PlayerHistoryFile seed;
  seed.Open(m_dir.path());
  ASSERT_TRUE(seed.Add(many).written);
  size_t known = many.size();
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PlayerHistoryFile history;
      history.Open(m_dir.path());
      for (;;) history.Add({Record(7)});
    }
    QThread::msleep(20 + 17 * round);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    PlayerHistoryFile after;
    const HistoryRead read = after.Open(m_dir.path());
    EXPECT_TRUE(read.message.isEmpty()) << read.message.toStdString();
    // Only games are added, none lost: at most the one being written is missing.
    EXPECT_GE(read.games.size(), known);
    known = read.games.size();
    // The temporary file of a write cut short is gone once a game starts.
    for (const QString& entry : Entries())
      EXPECT_TRUE(entry == u"History.txt"_s || entry == u"History.txt.lock"_s) << entry.toStdString();
  }
}
