#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "data/codec.h"
#include "data/cp1251.h"
#include "data/line_reader.h"
#include "data/question_loader.h"
#include "tests/testing/info_box_fakes.h"
#include "tests/testing/question_bases.h"

using namespace Qt::StringLiterals;
using namespace testbases;

namespace {

using Message = RecordingInfoBox::Message;

const QString kDamaged = u"Данные повреждены. Расшифровка невозможна!!!"_s;

Message TooFew(int level, const QString& howMany) {
  return {u"Очень мало вопросов!!!\r\nНа уровне "_s + QString::number(level) + u" "_s + howMany +
              u", а для игры нужно не меньше 3."_s,
          InfoBox::Kind::Information};
}

// Loads as the game does at start-up, with a program folder that counts as writable.
DataPaths Load(const ProgramFolder& folder, QuestionTable& table, RecordingInfoBox& box) {
  return LoadQuestionBases(folder.path(), table, box, [](const QString&) { return true; });
}

// Reads the given files as one level and returns it.
QuestionLevel ReadLevel(const QList<QByteArray>& files, int level, RecordingInfoBox& box) {
  QuestionLevelReader reader(box);
  for (const QByteArray& file : files) reader.ReadBytes(file);
  QuestionLevel out;
  reader.Finish(level, out);
  return out;
}

QStringList Texts(const QuestionLevel& level) {
  QStringList texts;
  for (const Question& q : level.rows) texts.append(q.text);
  return texts;
}

QStringList Years(const QuestionLevel& level) {
  QStringList years;
  for (const Question& q : level.rows) years.append(q.year);
  return years;
}

QStringList NumberedTexts(const QString& prefix, int from, int to) {
  QStringList texts;
  for (int i = from; i <= to; ++i) texts.append(u"Вопрос "_s + prefix + QString::number(i));
  return texts;
}

}  // namespace

TEST(DataQuestionLoader, MissingDataFolderGivesOneMessageWithThePathAsSpelt) {
  ProgramFolder folder(QString{});
  QuestionTable table;
  RecordingInfoBox box;
  const DataPaths paths = Load(folder, table, box);
  const QString shown = QDir::toNativeSeparators(folder.path() + u"/Data/"_s);
  EXPECT_EQ(box.messages, QList<Message>({{u"Папка "_s + shown + u" не найдена!!!"_s, InfoBox::Kind::Warning}}));
  EXPECT_TRUE(paths.questionFolder.isEmpty());
  for (const QuestionLevel& level : table.levels) EXPECT_EQ(level.count, 0);
}

TEST(DataQuestionLoader, OnlyALevelOneFileWarnsForEveryOtherLevelInOrder) {
  ProgramFolder folder;
  folder.Write(u"a.ol1"_s, Base(NumberedList(u"a"_s, 3)));
  QuestionTable table;
  RecordingInfoBox box;
  Load(folder, table, box);
  // One message for the load, naming the missing levels in order.
  EXPECT_EQ(box.messages,
            QList<Message>({{u"Базы вопросов не найдены!!!\r\nДля уровней 0, 2, 3, 4, 5, 6 нет ни одного файла "
                             u"(*.ol0, *.ol2, *.ol3, *.ol4, *.ol5, *.ol6)."_s,
                             InfoBox::Kind::Warning}}));
  const QuestionLevel& one = table.levels[1];
  EXPECT_EQ(one.count, 3);
  EXPECT_TRUE(one.decoded);
  ASSERT_EQ(one.rows.size(), 3u);
  EXPECT_EQ(one.rows[1].text, u"Вопрос a2"_s);
  EXPECT_EQ(one.rows[1].answers, (std::array<QString, 4>{u"Да a2"_s, u"Нет a2"_s, u"Может a2"_s, u"Никогда a2"_s}));
  EXPECT_EQ(one.rows[1].year, QString());
  EXPECT_EQ(one.used, std::vector<bool>(3, false));
  EXPECT_EQ(one.usedCount, 0);
}

TEST(DataQuestionLoader, TooFewQuestionsLeaveTheLevelUndecodedExceptLevelZero) {
  ProgramFolder folder;
  const QList<Q> one = NumberedList(u"x"_s, 1);
  for (int level = 0; level < kLevelCount; ++level)
    folder.Write(u"b.ol"_s + QString::number(level), Base(level == 4 || level == 0 ? one : NumberedList(u"x"_s, 3)));
  QuestionTable table;
  RecordingInfoBox box;
  Load(folder, table, box);
  EXPECT_EQ(box.messages, QList<Message>({TooFew(4, u"всего 1 вопрос"_s)}));
  EXPECT_TRUE(table.levels[0].decoded);
  EXPECT_EQ(table.levels[0].count, 1);
  EXPECT_EQ(table.levels[0].rows[0].text, u"Вопрос x1"_s);
  const QuestionLevel& four = table.levels[4];
  EXPECT_FALSE(four.decoded);
  EXPECT_EQ(four.count, 1);
  // Left as read: the scrambled bytes of the question, not its text.
  EXPECT_EQ(four.rows[0].text, FromCp1251(ScrambleFixed(u"Вопрос x1"_s, 2)));
  EXPECT_EQ(four.rows[0].answers[0], FromCp1251(ScrambleFixed(u"Да x1"_s, 3)));
}

TEST(DataQuestionLoader, FilesOfALevelFollowEachOtherInAlphabeticalOrder) {
  ProgramFolder folder;
  // Written in the other order, with names in both letter cases.
  folder.Write(u"C.OL2"_s, Base(NumberedList(u"c"_s, 2)));
  folder.Write(u"b.ol2"_s, Base(NumberedList(u"b"_s, 4)));
  folder.Write(u"a.ol2"_s, Base(NumberedList(u"a"_s, 3)));
  QuestionTable table;
  RecordingInfoBox box;
  Load(folder, table, box);
  EXPECT_EQ(Texts(table.levels[2]),
            NumberedTexts(u"a"_s, 1, 3) + NumberedTexts(u"b"_s, 1, 4) + NumberedTexts(u"c"_s, 1, 2));
  EXPECT_EQ(table.levels[2].count, 9);
}

TEST(DataQuestionLoader, FolderAndExtensionsAreFoundInAnyLetterCase) {
  for (const QString& dataName : {u"data"_s, u"DATA"_s, u"dAtA"_s}) {
    ProgramFolder folder(dataName);
    for (int level = 0; level < kLevelCount; ++level) {
      folder.Write(u"q.Ol"_s + QString::number(level), Base(NumberedList(u"q"_s, 3)));
    }
    // Not base files: hidden, another extension, a folder with a base's name.
    folder.Write(u".hidden.ol1"_s, Base(NumberedList(u"h"_s, 3)));
    folder.Write(u"x.ol1.bak"_s, Base(NumberedList(u"k"_s, 3)));
    folder.Write(u"y.ol7"_s, Base(NumberedList(u"s"_s, 3)));
    QDir(folder.dataPath()).mkdir(u"z.ol1"_s);
    QuestionTable table;
    RecordingInfoBox box;
    const DataPaths paths = Load(folder, table, box);
    EXPECT_TRUE(box.messages.isEmpty()) << dataName.toStdString();
    EXPECT_EQ(paths.questionFolder, folder.path() + u"/"_s + dataName + u"/"_s);
    for (const QuestionLevel& level : table.levels) EXPECT_EQ(Texts(level), NumberedTexts(u"q"_s, 1, 3));
  }
}

TEST(DataQuestionLoader, FilesThatAreNotOrdinaryAreNeverRead) {
  ProgramFolder folder;
  folder.Write(u"a.ol1"_s, Base(NumberedList(u"a"_s, 3)));
  // A pipe would block the reader for ever; a dangling link has nothing to read.
  ASSERT_EQ(mkfifo(QFile::encodeName(folder.dataPath() + u"/b.ol1"_s).constData(), 0644), 0);
  ASSERT_TRUE(QFile::link(folder.dataPath() + u"/gone"_s, folder.dataPath() + u"/c.ol1"_s));
  QuestionTable table;
  RecordingInfoBox box;
  Load(folder, table, box);
  EXPECT_EQ(Texts(table.levels[1]), NumberedTexts(u"a"_s, 1, 3));
}

TEST(DataQuestionLoader, UnreadableFilesAreSkipped) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads a file without read permission";
  ProgramFolder folder;
  folder.Write(u"a.ol1"_s, Base(NumberedList(u"a"_s, 3)));
  folder.Write(u"b.ol1"_s, Base(NumberedList(u"b"_s, 3)));
  QFile::setPermissions(folder.dataPath() + u"/a.ol1"_s, QFileDevice::Permissions());
  QuestionTable table;
  RecordingInfoBox box;
  Load(folder, table, box);
  EXPECT_EQ(Texts(table.levels[1]), NumberedTexts(u"b"_s, 1, 3));
}

TEST(DataQuestionLoader, YearsDateTheQuestionsOfTheirLevel) {
  const QByteArray q1 = Record(Numbered(u"y"_s, 1)), q2 = Record(Numbered(u"y"_s, 2)), q3 = Record(Numbered(u"y"_s, 3));
  const QByteArray year = ScrambleFixed(u"1999"_s, 4);
  const QByteArray questions = "SECTION QUESTIONS\r\n" + q1 + "\r\n" + q2 + "\r\n" + q3 + "\r\nEND SECTION\r\n";
  auto info = [](const QByteArray& line) -> QByteArray {
    return "SECTION INFORMATIONS\r\n" + line + "\r\nEND SECTION\r\n";
  };
  struct Case {
    const char* name;
    QList<QByteArray> files;
    QStringList years;
  };
  const QString y = u"1999"_s, n;
  const QStringList none = {n, n, n};
  const Case cases[] = {
      {"year before the questions", {info("YEAR=" + year) + questions}, {y, y, y}},
      {"year after the questions", {questions + info("YEAR=" + year)}, {y, y, y}},
      {"key in lower case", {info("year=" + year) + questions}, {y, y, y}},
      {"spaces before the key", {info("   YeAr=" + year) + questions}, {y, y, y}},
      {"space before the equals sign", {info("YEAR =" + year) + questions}, none},
      {"another key", {info("YEARS=" + year) + questions}, none},
      {"year line outside a section", {"YEAR=" + year + "\r\n" + questions}, none},
      {"year line inside the questions section",
       {"SECTION QUESTIONS\r\n" + q1 + "\r\nYEAR=" + year + "\r\n" + q2 + "\r\n" + q3 + "\r\n"},
       none},
      {"year between the questions",
       {"SECTION QUESTIONS\r\n" + q1 + "\r\nEND SECTION\r\n" + info("YEAR=" + year) + "SECTION QUESTIONS\r\n" + q2 +
        "\r\n" + q3 + "\r\n"},
       {y, y, y}},
      // A year in a later file also dates the undated questions of earlier files.
      {"year in the second file",
       {"SECTION QUESTIONS\r\n" + q1 + "\r\n", info("YEAR=" + year) + "SECTION QUESTIONS\r\n" + q2 + q3},
       {y, y, y}},
      // …but the current year starts afresh with each file.
      {"year in the first file only",
       {info("YEAR=" + year) + "SECTION QUESTIONS\r\n" + q1 + "\r\n", "SECTION QUESTIONS\r\n" + q2 + q3},
       {y, n, n}},
      {"two years",
       {info("YEAR=" + year) + "SECTION QUESTIONS\r\n" + q1 + "\r\nEND SECTION\r\n" +
        info("YEAR=" + ScrambleFixed(u"2001"_s, 4)) + "SECTION QUESTIONS\r\n" + q2 + q3},
       {y, u"2001"_s, u"2001"_s}},
  };
  for (const Case& c : cases) {
    RecordingInfoBox box;
    const QuestionLevel level = ReadLevel(c.files, 1, box);
    EXPECT_EQ(Texts(level), NumberedTexts(u"y"_s, 1, 3)) << c.name;
    EXPECT_EQ(Years(level), c.years) << c.name;
    EXPECT_TRUE(box.messages.isEmpty()) << c.name;
  }
}

TEST(DataQuestionLoader, SectionLinesAreFoundByTheirTrimmedUpperCaseText) {
  const QByteArray q1 = Record(Numbered(u"s"_s, 1)), q2 = Record(Numbered(u"s"_s, 2)), q3 = Record(Numbered(u"s"_s, 3));
  const QString s1 = u"Вопрос s1"_s, s2 = u"Вопрос s2"_s, s3 = u"Вопрос s3"_s;
  struct Case {
    const char* name;
    QByteArray file;
    QStringList texts;
  };
  const Case cases[] = {
      {"lower case with spaces around",
       "   section questions  \r\n" + q1 + "\r\n" + q2 + "\r\n" + q3 + "\r\n",
       {s1, s2, s3}},
      {"a nested section line is ignored",
       "SECTION QUESTIONS\r\n" + q1 + "\r\nSECTION INFORMATIONS\r\n" + q2 + "\r\n" + q3 + "\r\n",
       {s1, s2, s3}},
      {"records outside any section are ignored",
       q1 + "\r\nSECTION QUESTIONS\r\n" + q2 + "\r\nEND SECTION\r\n" + q3,
       {s2}},
      {"records in an information section are ignored",
       "SECTION INFORMATIONS\r\n" + q1 + "\r\nSECTION QUESTIONS\r\n" + q2 + "\r\nEND SECTION\r\nSECTION QUESTIONS\r\n" +
           q3,
       {s3}},
      {"end section closes even when none is open", "END SECTION\r\nSECTION QUESTIONS\r\n" + q1, {s1}},
      {"two spaces inside a keyword", "SECTION  QUESTIONS\r\n" + q1 + "\r\n", {}},
      {"a tab is not a space", "\tSECTION QUESTIONS\r\n" + q1 + "\r\n", {}},
      {"the last line needs no line end", "SECTION QUESTIONS\r\n" + q1 + "\r\n" + q2 + "\r\n" + q3, {s1, s2, s3}},
      // Lines end at CR LF only: an LF-only file is one long line.
      {"lines ending in LF alone", "SECTION QUESTIONS\n" + q1 + "\n" + q2 + "\n", {}},
  };
  for (const Case& c : cases) {
    RecordingInfoBox box;
    const QuestionLevel level = ReadLevel({c.file}, 0, box);
    EXPECT_EQ(Texts(level), c.texts) << c.name;
    EXPECT_EQ(level.count, c.texts.size()) << c.name;
  }
}

TEST(DataQuestionLoader, RecordsAreReadByTheirMarkers) {
  const Q a = Numbered(u"m"_s, 1), b = Numbered(u"m"_s, 2);
  const QByteArray ra = Record(a), rb = Record(b);
  auto level = [](const QByteArray& lines) {
    RecordingInfoBox box;
    QuestionLevel out = ReadLevel({"SECTION QUESTIONS\r\n" + lines}, 0, box);
    EXPECT_TRUE(box.messages.isEmpty());
    return out;
  };
  // Text before the first marker of a line is dropped.
  QuestionLevel l = level(ScrambleFixed(u"мусор"_s, 2) + ra + "\r\n");
  ASSERT_EQ(l.count, 1);
  EXPECT_EQ(l.rows[0].text, a.text);
  // Two records on one line.
  l = level(ra + rb + "\r\n");
  EXPECT_EQ(Texts(l), QStringList({a.text, b.text}));
  EXPECT_EQ(l.rows[1].answers[3], b.answers[3]);
  // A line that begins with an answer marker adds to the question of an earlier line.
  const QByteArray split = "\x01" + ScrambleFixed(a.text, 2) + "\x02" + ScrambleFixed(u"Д"_s, 3) + "\r\n\x02" +
                           ScrambleFixed(u"а"_s, 3) + "\x05" + ScrambleFixed(u"Z"_s, 3) + "\r\n";
  l = level(split);
  ASSERT_EQ(l.count, 1);
  EXPECT_EQ(l.rows[0].answers[0], u"Да"_s);
  EXPECT_EQ(l.rows[0].answers[3], u"Z"_s);
  // Answer markers before the level's first question go nowhere.
  l = level("\x02" + ScrambleFixed(u"ничей"_s, 3) + "\x03" + ScrambleFixed(u"ответ"_s, 3) + "\r\n" + ra + "\r\n");
  ASSERT_EQ(l.count, 1);
  EXPECT_EQ(l.rows[0].answers[0], a.answers[0]);
  EXPECT_EQ(l.rows[0].answers[1], a.answers[1]);
  // A record without answers still counts; its answers are empty.
  l = level("\x01" + ScrambleFixed(u"Один"_s, 2) + "\r\n");
  ASSERT_EQ(l.count, 1);
  EXPECT_EQ(l.rows[0].answers, (std::array<QString, 4>{}));
}

TEST(DataQuestionLoader, BytesTenThirteenAndTwentySevenNeverReachAField) {
  // "Привет" with a stray byte after every scrambled group of its text and answer.
  QByteArray text, answer;
  const QByteArray plainText = ScrambleFixed(u"Привет"_s, 2), plainAnswer = ScrambleFixed(u"мир"_s, 3);
  const char strays[] = {10, 13, 27};
  for (qsizetype i = 0; i < plainText.size(); ++i) {
    text.append(plainText[i]);
    text.append(strays[i % 3]);
  }
  for (qsizetype i = 0; i < plainAnswer.size(); ++i) {
    answer.append(strays[i % 3]);
    answer.append(plainAnswer[i]);
  }
  RecordingInfoBox box;
  const QuestionLevel l = ReadLevel({"SECTION QUESTIONS\r\n\x01" + text + "\x02" + answer + "\r\n"}, 0, box);
  ASSERT_EQ(l.count, 1);
  EXPECT_EQ(l.rows[0].text, u"Привет"_s);
  EXPECT_EQ(l.rows[0].answers[0], u"мир"_s);
  EXPECT_TRUE(box.messages.isEmpty());
}

TEST(DataQuestionLoader, MoreThanAThousandQuestionsAreCutAtTheTablesEnd) {
  ProgramFolder folder;
  folder.Write(u"a.ol3"_s, Base(NumberedList(u"a"_s, 600)));
  QList<Q> second = NumberedList(u"b"_s, 600);
  folder.Write(u"b.ol3"_s, Base(second));
  // Answers on a line of their own after the dropped records must not reach row 1000.
  folder.Write(u"c.ol3"_s, "SECTION QUESTIONS\r\n" + Record(Numbered(u"c"_s, 1)) + "\r\n\x02" +
                               ScrambleFixed(u"чужой"_s, 3) + "\r\n");
  QuestionTable table;
  RecordingInfoBox box;
  Load(folder, table, box);
  const QuestionLevel& three = table.levels[3];
  EXPECT_EQ(three.count, kMaxQuestions);
  ASSERT_EQ(three.rows.size(), size_t(kMaxQuestions));
  EXPECT_EQ(Texts(three), NumberedTexts(u"a"_s, 1, 600) + NumberedTexts(u"b"_s, 1, 400));
  EXPECT_EQ(three.rows[999].answers[0], u"Да b400"_s);
  EXPECT_EQ(three.used.size(), size_t(kMaxQuestions));
}

TEST(DataQuestionLoader, DamagedFieldsKeepWhatCameBeforeTheDamage) {
  // Years are decoded as they are read, the rows after the level's last file.
  const QByteArray badYear = ScrambleFixed(u"19"_s, 4) + QByteArray(4, char(100));
  QByteArray badText = "\x01" + ScrambleFixed(u"Хоро"_s, 2) + QByteArray(2, char(200)) + ScrambleFixed(u"шо"_s, 2);
  for (int a = 0; a < 4; ++a) badText += char(2 + a) + ScrambleFixed(u"ответ"_s, 3);
  QByteArray badAnswer = Record(Numbered(u"d"_s, 2));
  badAnswer.replace(badAnswer.indexOf('\x04') + 1, 3, QByteArray(3, char(90)));
  const QByteArray file = "SECTION QUESTIONS\r\n" + badText + "\r\n" + badAnswer +
                          "\r\nEND SECTION\r\nSECTION INFORMATIONS\r\nYEAR=" + badYear + "\r\n";
  RecordingInfoBox box;
  const QuestionLevel l = ReadLevel({file}, 0, box);
  // Three damaged fields of one file: one message for the file.
  EXPECT_EQ(box.messages, QList<Message>({{DamagedFileMessage(QString(), 3), InfoBox::Kind::Warning}}));
  ASSERT_EQ(l.count, 2);
  EXPECT_EQ(l.rows[0].text, u"Хоро"_s);
  EXPECT_EQ(l.rows[0].answers[3], u"ответ"_s);
  EXPECT_EQ(l.rows[1].answers[2], QString());  // damaged in its first group
  EXPECT_EQ(l.rows[1].answers[1], u"Нет d2"_s);
  EXPECT_EQ(Years(l), QStringList({u"19"_s, u"19"_s}));
}

TEST(DataQuestionLoader, QuestionTextsAreAlwaysDecodedInPairs) {
  // Scrambled in threes by mistake: read in pairs, it is either other text or damage.
  QByteArray wrong = "\x01" + ScrambleFixed(u"Какой?"_s, 3) + "\x02" + ScrambleFixed(u"Такой"_s, 3);
  RecordingInfoBox box;
  const QuestionLevel l = ReadLevel({"SECTION QUESTIONS\r\n" + wrong + "\r\n"}, 0, box);
  ASSERT_EQ(l.count, 1);
  EXPECT_NE(l.rows[0].text, u"Какой?"_s);
  EXPECT_EQ(l.rows[0].answers[0], u"Такой"_s);
}

TEST(DataQuestionLoader, AGiganticLineIsReadWithinBoundsAndGivesTheDamageMessage) {
  // 20 MB in one record: the field keeps what the decoder can read, and the rest
  // of the file is still read.
  QByteArray huge(20 * 1024 * 1024, char(40));
  const QByteArray file = "SECTION QUESTIONS\r\n\x01" + huge + "\x02" + ScrambleFixed(u"ответ"_s, 3) + "\r\n" +
                          Record(Numbered(u"g"_s, 2)) + "\r\nEND SECTION\r\n" + QByteArray(5 * 1024 * 1024, ' ') +
                          "section questions" + QByteArray(3 * 1024 * 1024, ' ') + "\r\n" +
                          Record(Numbered(u"g"_s, 3)) + "\r\n";
  QElapsedTimer timer;
  timer.start();
  RecordingInfoBox box;
  const QuestionLevel l = ReadLevel({file}, 0, box);
  EXPECT_LT(timer.elapsed(), 5000);
  EXPECT_EQ(box.messages, QList<Message>({{DamagedFileMessage(QString(), 1), InfoBox::Kind::Warning}}));
  ASSERT_EQ(l.count, 3);
  EXPECT_EQ(l.rows[0].text, QString(kMaxScrambledLength / 2, QChar(80)));
  EXPECT_EQ(l.rows[0].answers[0], u"ответ"_s);
  EXPECT_EQ(l.rows[1].text, u"Вопрос g2"_s);
  EXPECT_EQ(l.rows[2].text, u"Вопрос g3"_s);
}

namespace {

struct LineCollector {
  QList<QByteArray> lines;
  QByteArray current;
  void Bytes(const char* data, qsizetype size) { current.append(data, size); }
  void EndLine() { lines.append(std::exchange(current, {})); }
};

QList<QByteArray> SplitLines(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  LineCollector collector;
  ReadLines(buffer, collector);
  return collector.lines;
}

}  // namespace

TEST(DataLineReader, LinesEndAtCrLfOnly) {
  EXPECT_EQ(SplitLines(""), QList<QByteArray>());
  EXPECT_EQ(SplitLines("\r\n"), QList<QByteArray>({""}));
  EXPECT_EQ(SplitLines("a\r\nb"), QList<QByteArray>({"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), QList<QByteArray>({"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), QList<QByteArray>({"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\nb\rc\r\n"), QList<QByteArray>({"a\nb\rc"}));
  EXPECT_EQ(SplitLines("\n\r"), QList<QByteArray>({"\n\r"}));
  EXPECT_EQ(SplitLines("a\r\r\n"), QList<QByteArray>({"a\r"}));
}

TEST(DataLineReader, LineEndsAcrossTheReadBufferAreFound) {
  // The reader takes 64 KiB at a time; put CR and LF on both sides of that edge.
  constexpr qsizetype kBlock = 64 * 1024;
  for (qsizetype crAt : {kBlock - 2, kBlock - 1, kBlock, 2 * kBlock - 1}) {
    QByteArray bytes(crAt, 'x');
    bytes += "\r\ny\r";
    const QList<QByteArray> lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 2) << crAt;
    EXPECT_EQ(lines[0], QByteArray(crAt, 'x'));
    EXPECT_EQ(lines[1], QByteArray("y\r"));
    // A lone CR at the edge stays in its line.
    QByteArray lone(crAt, 'x');
    lone += "\rz\r\n";
    EXPECT_EQ(SplitLines(lone), QList<QByteArray>({QByteArray(crAt, 'x') + "\rz"})) << crAt;
  }
}

TEST(DataQuestionLoader, AThoroughlyDamagedBaseGivesOneMessageNamingItAndItsDamage) {
  // 1000 damaged fields in one file (texts and answers of 500 questions), a second file of the level whole, and
  // a damaged year in a third: one message, the first line the damage message
  // itself, naming the damaged files in the order they are read.
  ProgramFolder folder;
  QByteArray damaged = "SECTION QUESTIONS\r\n";
  for (int i = 1; i <= 500; ++i) {
    QByteArray record = Record(Numbered(u"x"_s, i));
    record.replace(1, 2, QByteArray(2, char(200)));
    record.replace(record.indexOf('\x02') + 1, 3, QByteArray(3, char(100)));
    damaged += record + "\r\n";
  }
  folder.Write(u"a.ol2"_s, damaged);
  folder.Write(u"b.ol2"_s, Base(NumberedList(u"b"_s, 3)));
  folder.Write(u"c.ol2"_s, "SECTION INFORMATIONS\r\nYEAR=" + QByteArray(8, char(100)) + "\r\n");
  QuestionTable table;
  RecordingInfoBox box;
  LoadQuestionBase(2, folder.dataPath() + u"/"_s, table, box);
  const QString a = QDir::toNativeSeparators(folder.dataPath() + u"/a.ol2"_s);
  const QString c = QDir::toNativeSeparators(folder.dataPath() + u"/c.ol2"_s);
  EXPECT_EQ(box.messages,
            QList<Message>({{kDamaged + u"\r\nПоврежденных файлов: 2, полей в них: 1001\r\n"_s + a + u"\r\n"_s + c,
                             InfoBox::Kind::Warning}}));
  EXPECT_EQ(table.levels[2].count, 503);
  EXPECT_EQ(table.levels[2].rows[500].text, u"Вопрос b1"_s);
  EXPECT_EQ(table.levels[2].rows[0].answers[1], u"Нет x1"_s);
}

TEST(DataQuestionLoader, TooFewMessageSaysHowManyQuestionsInPlainRussian) {
  struct Case {
    int count;
    const char16_t* words;
  };
  for (const Case& c : {Case{0, u"нет ни одного вопроса"}, Case{1, u"всего 1 вопрос"}, Case{2, u"всего 2 вопроса"},
                        Case{5, u"всего 5 вопросов"}, Case{11, u"всего 11 вопросов"}, Case{21, u"всего 21 вопрос"},
                        Case{22, u"всего 22 вопроса"}, Case{112, u"всего 112 вопросов"}}) {
    EXPECT_EQ(TooFewQuestionsMessage(2, c.count), TooFew(2, QString::fromUtf16(c.words)).text) << c.count;
  }
}

namespace {

// Loads as a game started with "--data <the folder's Data>" does.
void LoadPack(const ProgramFolder& folder, QuestionTable& table, RecordingInfoBox& box) {
  DataLocations locations;
  locations.questionOverride = QFile::encodeName(folder.dataPath());
  LoadQuestionBases(folder.path(), locations, table, box, [](const QString&) { return true; });
}

QByteArray DamagedBase(int n) {
  QByteArray record = Record(Numbered(u"x"_s, n));
  record.replace(1, 2, QByteArray(2, char(200)));
  return "SECTION QUESTIONS\r\n" + record + "\r\nEND SECTION\r\n";
}

}  // namespace

// However many levels and files a load finds fault with, the player presses one OK.
TEST(DataQuestionLoader, ALoadSaysWhatItFoundInOneMessage) {
  struct Case {
    const char* name;
    std::function<void(const ProgramFolder&)> fill;
    QStringList said;  // parts of the message, in its order
  };
  const Case cases[] = {
      {"an empty pack folder: level 0 is optional",
       [](const ProgramFolder&) {},
       {u"Для уровней 1, 2, 3, 4, 5, 6 нет ни одного файла"_s}},
      {"three hundred damaged files",
       [](const ProgramFolder& f) {
         for (int i = 0; i < 300; ++i)
           f.Write(u"bad%1.ol%2"_s.arg(i, 3, 10, QChar(u'0')).arg(1 + i % 6), DamagedBase(i));
       },
       {kDamaged, u"Поврежденных файлов: 300, полей в них: 300"_s, u"… и ещё 295"_s}},
      {"a text file named as a base",
       [](const ProgramFolder& f) {
         for (int level = 1; level <= 6; ++level)
           f.Write(u"a.ol"_s + QString::number(level), Base(NumberedList(u"a"_s, 3)));
         f.Write(u"notes.ol3"_s, "Это просто заметки учителя.\r\nНикаких вопросов.\r\n");
       },
       {u"это не база"_s, u"notes.ol3"_s}},
      {"a file larger than any base",
       [](const ProgramFolder& f) {
         for (int level = 1; level <= 6; ++level)
           f.Write(u"a.ol"_s + QString::number(level), Base(NumberedList(u"a"_s, 3)));
         QFile huge(f.dataPath() + u"/huge.ol2"_s);
         ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
         ASSERT_TRUE(huge.resize(qint64(5) * 1024 * 1024 * 1024));  // sparse: costs no disk
       },
       {u"больше, чем бывает база"_s, u"huge.ol2"_s}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramFolder folder;
    c.fill(folder);
    QuestionTable table;
    RecordingInfoBox box;
    QElapsedTimer timer;
    timer.start();
    LoadPack(folder, table, box);
    EXPECT_LT(timer.elapsed(), 5000);
    ASSERT_EQ(box.messages.size(), 1);
    qsizetype from = 0;
    for (const QString& part : c.said) {
      const qsizetype at = box.messages[0].text.indexOf(part, from);
      EXPECT_GE(at, 0) << part.toStdString() << " in " << box.messages[0].text.toStdString();
      from = std::max(from, at);
    }
    EXPECT_EQ(box.messages[0].kind, InfoBox::Kind::Warning);
    EXPECT_FALSE(box.messages[0].text.contains(u"уровня 0"_s));
  }
}

TEST(DataQuestionLoader, ABaseWhoseNameIsNotValidTextLoads) {
  ProgramFolder folder;
  // "café" as another system wrote it: one byte, not UTF-8.
  const QByteArray name = QFile::encodeName(folder.dataPath()) + "/caf\xe9.ol6";
  {
    QFile file(QFile::decodeName(QFile::encodeName(folder.dataPath()) + "/x"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Base(NumberedList(u"c"_s, 3)));
  }
  ASSERT_EQ(::rename(QFile::encodeName(folder.dataPath() + u"/x"_s).constData(), name.constData()), 0);
  QuestionTable table;
  RecordingInfoBox box;
  LoadQuestionBase(6, folder.dataPath(), table, box);
  EXPECT_TRUE(box.messages.isEmpty());
  EXPECT_EQ(Texts(table.levels[6]), NumberedTexts(u"c"_s, 1, 3));
  ::unlink(name.constData());  // the temporary folder's clean-up reads names as text
}

// A pack unzipped from another system into a folder named in its encoding, passed
// as it is on the command line.
TEST(DataQuestionLoader, APackInAFolderWhoseNameIsNotValidTextLoads) {
  const ProgramFolder folder{QString()};
  const QByteArray pack = QFile::encodeName(folder.path()) + "/\xc2\xee\xef\xf0\xee\xf1\xfb \xe9";
  ASSERT_EQ(::mkdir(pack.constData(), 0755), 0);
  QList<QByteArray> names;
  for (int level = 0; level < kLevelCount; ++level) {
    // Level 6 with a name that is not valid text either.
    names.append(pack + (level == 6 ? QByteArray("/caf\xe9.ol6") : "/pack.ol" + QByteArray::number(level)));
    QFile file(folder.path() + u"/x"_s);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Base(NumberedList(u"l"_s + QString::number(level) + u"-"_s, 3)));
    file.close();
    ASSERT_EQ(::rename(QFile::encodeName(file.fileName()).constData(), names.last().constData()), 0);
  }
  DataLocations locations;
  locations.questionOverride = pack;
  QuestionTable table;
  RecordingInfoBox box;
  const DataPaths paths = LoadQuestionBases(folder.path(), locations, table, box, [](const QString&) { return true; });
  EXPECT_TRUE(box.messages.isEmpty()) << (box.messages.isEmpty() ? "" : box.messages[0].text.toStdString());
  EXPECT_EQ(paths.questionFolders, QList<QByteArray>{pack + '/'});
  for (int level = 0; level < kLevelCount; ++level) {
    EXPECT_EQ(Texts(table.levels[size_t(level)]), NumberedTexts(u"l"_s + QString::number(level) + u"-"_s, 1, 3))
        << level;
  }
  // The temporary folder's clean-up reads names as text.
  for (const QByteArray& name : names) ::unlink(name.constData());
  ::rmdir(pack.constData());
}

TEST(DataQuestionLoader, APackSavedTwiceAsksEachQuestionOnce) {
  ProgramFolder folder;
  folder.Write(u"class_pack.ol1"_s, Base(NumberedList(u"p"_s, 4), u"2026"_s));
  // The copy an earlier download made, one question short and of another year. Its
  // name sorts first, so its questions are the ones kept.
  folder.Write(u"class_pack (1).ol1"_s, Base(NumberedList(u"p"_s, 3), u"2001"_s));
  QuestionTable table;
  RecordingInfoBox box;
  LoadQuestionBase(1, folder.dataPath(), table, box);
  EXPECT_TRUE(box.messages.isEmpty());
  const QuestionLevel& one = table.levels[1];
  EXPECT_EQ(one.count, 4);
  EXPECT_EQ(Texts(one), NumberedTexts(u"p"_s, 1, 4));
  EXPECT_EQ(Years(one), QStringList({u"2001"_s, u"2001"_s, u"2001"_s, u"2026"_s}));
  EXPECT_EQ(one.used.size(), 4u);
}
