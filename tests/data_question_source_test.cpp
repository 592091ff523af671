#include <gtest/gtest.h>

#include "data/question_loader.h"
#include "data/question_source.h"
#include "data/random_source.h"
#include "tests/testing/info_box_fakes.h"

using namespace Qt::StringLiterals;

// Readable failures.
void PrintTo(const SourceError& error, std::ostream* os) { *os << error.line << ": " << error.reason.toStdString(); }

namespace {

QByteArray Utf8(const QString& text) { return text.toUtf8(); }

const QString kGood =
    u"# Пример\n"
    "level: 2\n"
    "year: 2026\n"
    "\n"
    "? Сколько будет 2 + 2?\n"
    "- Три\n"
    "+ Четыре\n"
    "-  Пять  \n"
    "- Шесть\n"
    "   # отступ и комментарий\n"
    "?Столица России?\n"
    "+Москва\n"
    "-Казань\n"
    "-Тверь\n"
    "-Омск\n"_s;

}  // namespace

TEST(DataQuestionSource, ReadsLevelYearAndQuestionsWithTheCorrectAnswerFirst) {
  const QuestionSource source = ParseQuestionSource(Utf8(kGood));
  EXPECT_TRUE(source.errors.isEmpty());
  EXPECT_EQ(source.level, 2);
  EXPECT_EQ(source.year, u"2026"_s);
  ASSERT_EQ(source.questions.size(), 2u);
  EXPECT_EQ(source.questions[0].line, 5);
  EXPECT_EQ(source.questions[0].text, u"Сколько будет 2 + 2?"_s);
  EXPECT_EQ(source.questions[0].answers, (std::array<QString, 4>{u"Четыре"_s, u"Три"_s, u"Пять"_s, u"Шесть"_s}));
  EXPECT_EQ(source.questions[1].text, u"Столица России?"_s);
  EXPECT_EQ(source.questions[1].answers[0], u"Москва"_s);
}

TEST(DataQuestionSource, WindowsLineEndsAndAByteOrderMarkAreAccepted) {
  QByteArray bytes = "\xEF\xBB\xBF" + Utf8(kGood);
  bytes.replace("\n", "\r\n");
  const QuestionSource source = ParseQuestionSource(bytes);
  EXPECT_TRUE(source.errors.isEmpty());
  EXPECT_EQ(source.questions.size(), 2u);
  EXPECT_EQ(source.questions[0].answers[2], u"Пять"_s);
}

TEST(DataQuestionSource, FaultsAreReportedWithTheirLines) {
  const QString q = u"? Вопрос\n+ Да\n- Нет\n- Нет\n- Нет\n"_s;
  struct Case {
    const char* name;
    QByteArray source;
    QList<SourceError> errors;
  };
  const Case cases[] = {
      {"unknown line",
       Utf8(u"level: 1\n"_s + q + u"Ответ: да\n"_s),
       {{7, u"непонятная строка: ожидается «level:», «year:», «?», «+» или «-»"_s}}},
      {"too few wrong answers",
       Utf8(u"level: 1\n? Вопрос\n+ Да\n- Нет\n- Нет\n"_s + q),
       {{2, u"у вопроса должны быть один ответ «+» и три «-», а здесь 1 и 2"_s}}},
      {"no correct answer",
       Utf8(u"level: 1\n? Вопрос\n- Нет\n- Нет\n- Нет\n"_s),
       {{2, u"у вопроса должны быть один ответ «+» и три «-», а здесь 0 и 3"_s}}},
      {"second correct answer",
       Utf8(u"level: 1\n? Вопрос\n+ Да\n+ Тоже да\n- Нет\n- Нет\n- Нет\n"_s),
       {{4, u"второй правильный ответ «+»"_s}}},
      {"fourth wrong answer",
       Utf8(u"level: 1\n"_s + q + u"- Лишний\n"_s),
       {{7, u"четвёртый неправильный ответ «-»"_s}}},
      {"answer before any question", Utf8(u"level: 1\n+ Да\n"_s + q), {{2, u"ответ без вопроса"_s}}},
      {"missing level", Utf8(u"# нет уровня\n\n"_s + q), {{3, u"перед первым вопросом нет строки «level: N»"_s}}},
      {"empty file", QByteArray(), {{1, u"перед первым вопросом нет строки «level: N»"_s}}},
      {"level after a question", Utf8(q + u"level: 1\n"_s), {{6, u"строка «level:» после первого вопроса"_s}}},
      {"level twice", Utf8(u"level: 1\nLEVEL: 1\n"_s + q), {{2, u"вторая строка «level:» (первая — строка 1)"_s}}},
      {"level out of range", Utf8(u"level: 7\n"_s + q), {{1, u"уровень — одна цифра от 0 до 6, а не «7»"_s}}},
      {"level not a digit", Utf8(u"level: один\n"_s + q), {{1, u"уровень — одна цифра от 0 до 6, а не «один»"_s}}},
      {"year twice",
       Utf8(u"level: 1\nyear: 1990\nyear: 1991\n"_s + q),
       {{3, u"вторая строка «year:» (первая — строка 2)"_s}}},
      {"empty year", Utf8(u"level: 1\nyear:\n"_s + q), {{2, u"пустой год"_s}}},
      {"empty question", Utf8(u"level: 1\n?\n+ Да\n- Нет\n- Нет\n- Нет\n"_s), {{2, u"вопрос без текста"_s}}},
      {"empty answer", Utf8(u"level: 1\n? Вопрос\n+\n- Нет\n- Нет\n- Нет\n"_s), {{3, u"пустой ответ"_s}}},
      {"character outside code page 1251",
       Utf8(u"level: 1\n? Вопрос\n+ Да\n- 日本\n- Нет\n- Нет\n"_s),
       {{4, u"знака «日» (U+65E5) нет в кодовой странице 1251"_s}}},
      {"character beyond the basic plane",
       Utf8(u"level: 1\nyear: 2026 😀\n"_s + q),
       {{2, u"знака «😀» (U+1F600) нет в кодовой странице 1251"_s}}},
      {"control character",
       Utf8(u"level: 1\n? Воп\tрос\n+ Да\n- Нет\n- Нет\n- Нет\n"_s),
       {{2, u"управляющий символ U+0009"_s}}},
      {"not UTF-8",
       "level: 1\n? \xC2\xEE\xEF\xF0\xEE\xF1\n+ a\n- b\n- c\n- d\n",
       {{2, u"строка не в кодировке UTF-8"_s},
        {3, u"ответ без вопроса"_s},
        {4, u"ответ без вопроса"_s},
        {5, u"ответ без вопроса"_s},
        {6, u"ответ без вопроса"_s}}},
      {"question too long",
       Utf8(u"level: 1\n? "_s + QString(16384, u'ы') + u"\n+ Да\n- Нет\n- Нет\n- Нет\n"_s),
       {{2, u"текст слишком длинный для базы (знаков: 16384, можно не больше 16383)"_s}}},
  };
  for (const Case& c : cases) {
    const QuestionSource source = ParseQuestionSource(c.source);
    EXPECT_EQ(source.errors, c.errors) << c.name << ": "
                                       << (source.errors.isEmpty() ? std::string()
                                                                   : source.errors[0].reason.toStdString());
  }
}

TEST(DataQuestionSource, AThousandQuestionsFitAndOneMoreDoesNot) {
  QString text = u"level: 3\n"_s;
  for (int i = 0; i < 1001; ++i) text += u"? Q\n+ a\n- b\n- c\n- d\n"_s;
  QuestionSource source = ParseQuestionSource(Utf8(text));
  EXPECT_EQ(source.errors,
            QList<SourceError>({{1 + 5 * 1000 + 1, u"больше 1000 вопросов: больше игра с одного уровня не читает"_s}}));
  text = u"level: 3\n"_s;
  for (int i = 0; i < 1000; ++i) text += u"? Q\n+ a\n- b\n- c\n- d\n"_s;
  source = ParseQuestionSource(Utf8(text));
  EXPECT_TRUE(source.errors.isEmpty());
  EXPECT_EQ(source.questions.size(), 1000u);
}

TEST(DataQuestionSource, PackedBasesHaveTheFileLayoutAndLoadBack) {
  const QuestionSource source = ParseQuestionSource(Utf8(kGood));
  SystemRandomSource random;
  const QByteArray base = BuildQuestionBase(source, random);
  const QList<QByteArray> lines = base.split('\n');
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[0], "SECTION INFORMATIONS\r");
  EXPECT_TRUE(lines[1].startsWith("YEAR="));
  EXPECT_EQ(lines[1].size(), 5 + 4 * 4 + 1);
  EXPECT_EQ(lines[2], "END SECTION\r");
  EXPECT_EQ(lines[3], "SECTION QUESTIONS\r");
  // Marker, text in pairs, four markers, answers in threes, CR.
  EXPECT_EQ(lines[4].size(), 1 + 2 * 20 + 4 + 3 * (6 + 3 + 4 + 5) + 1);
  EXPECT_EQ(lines[6], "END SECTION\r");
  EXPECT_TRUE(lines[7].isEmpty());

  RecordingInfoBox box;
  QuestionLevelReader reader(box);
  reader.ReadBytes(base);
  QuestionLevel level;
  reader.Finish(0, level);
  EXPECT_TRUE(box.messages.isEmpty());
  ASSERT_EQ(level.count, 2);
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(level.rows[size_t(r)].text, source.questions[size_t(r)].text);
    EXPECT_EQ(level.rows[size_t(r)].answers, source.questions[size_t(r)].answers);
    EXPECT_EQ(level.rows[size_t(r)].year, u"2026"_s);
  }
}

TEST(DataQuestionSource, BaseFilesAreNamedAfterTheirSource) {
  EXPECT_EQ(BaseFileName(u"questions/l1_nature.txt"_s, 1), u"l1_nature.ol1"_s);
  EXPECT_EQ(BaseFileName(u"/x/y/Мои.вопросы.TXT"_s, 0), u"Мои.вопросы.ol0"_s);
  EXPECT_EQ(BaseFileName(u"plain"_s, 6), u"plain.ol6"_s);
}
