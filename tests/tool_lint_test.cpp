#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "screen/element.h"
#include "screen/fonts.h"
#include "screen/qt_text_measurer.h"

using namespace Qt::StringLiterals;

namespace {

struct LintRun {
  int exitCode = -1;
  QStringList findings;  ///< stdout, one line each
  QString err;
};

LintRun Lint(const QStringList& sources, const QString& workingDir = {}) {
  QProcess process;
  // As in a plain shell outside a desktop session, where Qt would warn about it.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(u"XDG_RUNTIME_DIR"_s);
  process.setProcessEnvironment(environment);
  if (!workingDir.isEmpty()) process.setWorkingDirectory(workingDir);
  process.start(QStringLiteral(FARTOVIK_BINARY_DIR "/fartovik-bases"), QStringList{u"lint"_s} + sources);
  LintRun run;
  if (!process.waitForStarted(10000)) {
    run.err = u"could not start " FARTOVIK_BINARY_DIR "/fartovik-bases"_s;
    return run;
  }
  process.waitForFinished(120000);
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.findings = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

// Findings as text, so that a failure shows them readably.
std::string Lines(const QStringList& findings) { return findings.join(u'\n').toStdString(); }

void WriteFile(const QString& path, const QString& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
}

// The size the game gives a caption, as a whole number of points, fitted on the
// game's own screen with its own fonts.
class GameFit {
 public:
  GameFit() : m_screen(m_measurer, [](ElementId) { return QImage(); }) {
    RegisterBundledFonts();
    m_screen.BuildScreen();
  }
  int Size(ElementId element, const QString& text) {
    m_screen.SetCaption(element, text, QString(), 0);
    return int(std::nearbyint(m_screen.element(element).caption.font.size));
  }
  int SmallestAnswerSize(const QString& text) {
    int size = Size(el::AnswerA, text);
    for (const ElementId e : {el::AnswerB, el::AnswerC, el::AnswerD}) size = std::min(size, Size(e, text));
    return size;
  }

 private:
  QtTextMeasurer m_measurer;
  Screen m_screen;
};

// The first text of a growing series for which `tooSmall` holds, with the one
// before it; nullopt when the series never gets there.
struct Boundary {
  QString lastGood, firstBad;
};
std::optional<Boundary> FindBoundary(const std::function<QString(int)>& text, int steps,
                                     const std::function<bool(const QString&)>& tooSmall) {
  for (int n = 1; n < steps; ++n) {
    if (tooSmall(text(n))) {
      if (tooSmall(text(n - 1))) return std::nullopt;
      return Boundary{text(n - 1), text(n)};
    }
  }
  return std::nullopt;
}

QString Question(const QString& text, const QStringList& answers) {
  return u"? "_s + text + u"\n+ "_s + answers.value(0) + u"\n- "_s + answers.value(1) + u"\n- "_s + answers.value(2) +
         u"\n- "_s + answers.value(3) + u"\n\n"_s;
}

}  // namespace

// Near misses of every check: nothing to say, nothing printed, success.
TEST(ToolLint, CleanSourcesPrintNothing) {
  QTemporaryDir dir;
  WriteFile(
      dir.filePath(u"a.txt"_s),
      u"# Латиница рядом с кириллицей, но не в одном слове\n"
      "level: 1\nyear: 2026\n\n"_s +
          Question(u"Кто написал «Войну и мир»?"_s,
                   {u"Лев Толстой"_s, u"Алексей Толстой"_s, u"Антон Чехов"_s, u"Лев Гумилёв"_s}) +
          Question(u"В каком веке правил Пётр I?"_s, {u"XVIII век"_s, u"XVII век"_s, u"XIX век"_s, u"XVI век"_s}) +
          Question(u"Что такое Windows?"_s, {u"Операционная система"_s, u"Оконная рама"_s, u"Ёлка"_s, u"Ель"_s}));
  WriteFile(dir.filePath(u"b.txt"_s),
            u"level: 2\n"_s + Question(u"Кто написал «Анну Каренину»?"_s,
                                       {u"Лев Толстой"_s, u"Иван Тургенев"_s, u"Ф-1"_s, u"Т-34"_s}));
  const LintRun run = Lint({u"a.txt"_s, u"b.txt"_s}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(Lines(run.findings), "") << run.err.toStdString();
  EXPECT_EQ(run.err.toStdString(), "");
}

// One fixture with every kind of finding, each at the line an author has to go to.
TEST(ToolLint, EachFindingAtItsFileAndLine) {
  GameFit fit;
  const QString longQuestion = QStringList(12, u"Петропавловская крепость и Исаакиевский собор"_s).join(u' ') + u"?"_s;
  const QString longAnswer = u"Новгород Великий, древний город на реке Волхов у озера Ильмень"_s;
  const int questionSize = fit.Size(el::QuestionFrame, longQuestion);
  const int answerSize = fit.SmallestAnswerSize(longAnswer);
  ASSERT_LT(questionSize, 9);
  ASSERT_LT(answerSize, 8);

  QTemporaryDir dir;
  WriteFile(dir.filePath(u"one.txt"_s),
            u"# Первый файл\n"                   // 1
            "level: 1\n"                         // 2
            "\n"                                 // 3
            "? Кто написал «Ёжика в тумане»?\n"  // 4
            "+ Сергей Козлов\n"                  // 5
            "- Юрий Норштейн\n"                  // 6
            "# между ответами\n"                 // 7
            "- Эдуард Успенский\n"               // 8
            "-  сергей   козлов.\n"              // 9: the same as line 5
            "\n"                                 // 10
            "? Столица России?\n"                // 11
            "+ Мoсква\n"                         // 12: a Latin "o"
            "- Казань\n"                         // 13
            "- Тверь\n"                          // 14
            "- Тула\n"                           // 15
            "\n"                                 // 16
            "? "_s +
                longQuestion +
                u"\n"  // 17: too small
                "+ "_s +
                longAnswer +
                u"\n"              // 18: too small
                "- Да\n"           // 19
                "- Нет\n"          // 20
                "- Не знаю\n"_s);  // 21
  // A "%2" in a file name is printed as it is.
  WriteFile(dir.filePath(u"two%2.txt"_s),
            u"level: 2\n"                                                   // 1
            "?  кто написал «ежика в  тумане» \n"                           // 2: the question of one.txt:4
            "+ Козлов\n- Норштейн\n- Успенский\n- Маршак\n"                 // 3 … 6
            "? Что значит ☺?\n"                                             // 7: outside code page 1251
            "+ Улыбку\n- Грусть\n- Гнев\n- Страх\n"                         // 8 … 11
            "! Неизвестная строка\n"                                        // 12
            "? Какая это буква: Z?\n"                                       // 13
            "+ Латинская Z\n- Кириллическая З\n- Цифра 3\n- Цифра 2\n"_s);  // 14 … 17

  const LintRun run = Lint({u"one.txt"_s, u"two%2.txt"_s}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  const QStringList expected = {
      u"one.txt:9: ответ повторяет ответ из строки 5"_s,
      u"one.txt:12: в слове «Мoсква» смешаны латинские и русские буквы (латинские: o)"_s,
      u"one.txt:17: вопрос помещается в рамку только размером %1 пт (нужно не меньше 9)"_s.arg(questionSize),
      u"one.txt:18: ответ помещается только размером %1 пт (нужно не меньше 8), а этим размером показываются все четыре ответа"_s
          .arg(answerSize),
      u"two%2.txt:2: повтор вопроса из one.txt:4"_s,
      u"two%2.txt:7: знака «☺» (U+263A) нет в кодовой странице 1251"_s,
      u"two%2.txt:12: непонятная строка: ожидается «level:», «year:», «?», «+» или «-»"_s,
  };
  EXPECT_EQ(Lines(run.findings), Lines(expected)) << run.err.toStdString();
}

// The question frame's ends are slanted: a question that its rectangular box would
// hold at a readable size can still be too long for the frame, and is reported.
TEST(ToolLint, QuestionLongerThanTheFrameHoldsIsReportedThoughItsBoxWouldHoldIt) {
  GameFit fit;
  QtTextMeasurer measurer;
  Screen screen(measurer, [](ElementId) { return QImage(); });
  screen.BuildScreen();
  CaptionFont nine = screen.element(el::QuestionFrame).caption.font;
  nine.size = 9;
  const QRectF box = screen.element(el::QuestionFrame).captionBox;
  const auto boxHoldsAtNine = [&](const QString& text) {
    const QSizeF plain = measurer.Measure(text, nine, box.width() - 2);
    return plain.height() <= box.height() && plain.width() <= box.width();
  };
  // Grown a word at a time: the first question the game shows below 9 points.
  const QStringList words =
      QString(
          u"Какой из перечисленных ниже городов, основанных в разные века на берегах крупных рек и озёр, "
          u"получил статус города-героя за стойкость его защитников во время долгой осады? "_s)
          .repeated(4)
          .split(u' ', Qt::SkipEmptyParts);
  QString question;
  for (qsizetype n = 1; n <= words.size() && question.isEmpty(); ++n) {
    const QString text = words.mid(0, n).join(u' ');
    if (fit.Size(el::QuestionFrame, text) < 9) question = text;
  }
  ASSERT_FALSE(question.isEmpty());
  ASSERT_TRUE(boxHoldsAtNine(question)) << "the frame, not its box, is what the question does not fit";

  QTemporaryDir dir;
  WriteFile(dir.filePath(u"long.txt"_s),
            u"level: 3\n"_s + Question(question, {u"Ленинград"_s, u"Москва"_s, u"Тула"_s, u"Киев"_s}));
  const LintRun run = Lint({u"long.txt"_s}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Lines(run.findings),
            Lines({u"long.txt:2: вопрос помещается в рамку только размером %1 пт (нужно не меньше 9)"_s.arg(
                fit.Size(el::QuestionFrame, question))}))
      << run.err.toStdString();
}

// The readable sizes are the game's own: the last text of a growing series that
// the game still shows at 9 (question) or 8 (answer) points passes, the next fails.
TEST(ToolLint, ReadableSizeIsTheGamesFit) {
  GameFit fit;
  // One word more at a time, so the series passes through every size.
  const QStringList words =
      QString(
          u"Сколько всего букв в названиях всех столиц Европы, если считать и карликовые государства "_s.repeated(8))
          .split(u' ', Qt::SkipEmptyParts);
  const auto question = [&](int n) -> QString { return words.mid(0, n).join(u' ') + u"?"_s; };
  const auto smallQuestion = [&](const QString& t) { return fit.Size(el::QuestionFrame, t) < 9; };
  const auto q = FindBoundary(question, int(words.size()), smallQuestion);
  ASSERT_TRUE(q.has_value());
  ASSERT_EQ(fit.Size(el::QuestionFrame, q->lastGood), 9);

  // A single long word: the answers' boxes differ by a pixel or two, and a word
  // that answers B and D still hold at 8 points is shown smaller all the same when
  // A and C cannot hold it. Some word of these series lands in that pixel.
  std::optional<Boundary> a;
  for (const QString& base :
       {u"Электроэнцефалография"_s, u"Достопримечательность"_s, u"Человеконенавистничество"_s,
        u"Высокопревосходительство"_s, u"Рентгеноэлектрокардиография"_s, u"Частнопредпринимательский"_s,
        u"Одиннадцатиклассница"_s, u"Переосвидетельствование"_s, u"Субстанциональность"_s}) {
    const QString word = base.repeated(3);
    const auto answer = [&](int n) { return word.left(n); };
    const auto smallAnswer = [&](const QString& t) { return fit.SmallestAnswerSize(t) < 8; };
    a = FindBoundary(answer, int(word.size()), smallAnswer);
    if (a && fit.Size(el::AnswerB, a->firstBad) >= 8 && fit.Size(el::AnswerD, a->firstBad) >= 8) break;
    a.reset();
  }
  ASSERT_TRUE(a.has_value());
  ASSERT_EQ(fit.SmallestAnswerSize(a->lastGood), 8);

  QTemporaryDir dir;
  WriteFile(dir.filePath(u"fit.txt"_s),
            u"level: 3\n"_s +                                                          // 1
                Question(q->lastGood, {u"Да"_s, u"Нет"_s, u"Ну"_s, u"Ой"_s}) +         // 2 … 7
                Question(q->firstBad, {u"Ах"_s, u"Эх"_s, u"Ух"_s, u"Их"_s}) +          // 8 … 13
                Question(u"Ответ?"_s, {a->lastGood, a->firstBad, u"Ну"_s, u"Ой"_s}));  // 14 … 18
  const LintRun run = Lint({u"fit.txt"_s}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(
      Lines(run.findings),
      Lines(
          {u"fit.txt:8: вопрос помещается в рамку только размером %1 пт (нужно не меньше 9)"_s.arg(
               fit.Size(el::QuestionFrame, q->firstBad)),
           u"fit.txt:16: ответ помещается только размером %1 пт (нужно не меньше 8), а этим размером показываются все четыре ответа"_s
               .arg(fit.SmallestAnswerSize(a->firstBad))}))
      << run.err.toStdString();
}

// Two questions that a player would take for one, in either file order: the
// finding stands at the later one and names the earlier. The near misses are the
// shapes the shipped questions are full of and that must stay quiet.
TEST(ToolLint, RepeatedAnswerSetsAndFacts) {
  struct Q {
    QString text;
    QStringList answers;
  };
  struct Case {
    const char* name;
    Q first, second;
    QString reason;         ///< empty: nothing to say
    QString reasonSwapped;  ///< with the files' roles swapped, when it reads otherwise
  };
  const Case cases[] = {
      {"three of the same names",
       {u"Кто написал «Муму»?"_s, {u"Иван Тургенев"_s, u"Лев Толстой"_s, u"Антон Чехов"_s, u"Николай Гоголь"_s}},
       {u"Кто написал роман «Обломов»?"_s,
        {u"Иван Гончаров"_s, u"Иван Тургенев"_s, u"Лев Толстой"_s, u"антон  чехов."_s}},
       u"одни и те же ответы (3): «Иван Тургенев», «Лев Толстой», «антон  чехов.»"_s,
       u"одни и те же ответы (3): «Иван Тургенев», «Лев Толстой», «Антон Чехов»"_s},
      {"counts and years repeat by nature",
       {u"Сколько лап у кошки?"_s, {u"Четыре"_s, u"Три"_s, u"Пять"_s, u"Шесть"_s}},
       {u"Сколько ног у стула?"_s, {u"Четыре"_s, u"Три"_s, u"Пять"_s, u"1 или 2"_s}},
       {},
       {}},
      {"one's answer offered by the other on the same subject",
       {u"Какое озеро — самое глубокое в мире?"_s, {u"Байкал"_s, u"Танганьика"_s, u"Виктория"_s, u"Онежское"_s}},
       {u"Какое озеро — самое глубокое в Африке?"_s, {u"Танганьика"_s, u"Ньяса"_s, u"Чад"_s, u"Киву"_s}},
       u"спрашивает о том же: «Танганьика» — ответ одного и вариант другого"_s,
       {}},
      {"the right answer of one is what the other asks about",
       {u"Какая звезда находится ближе всех к Земле?"_s, {u"Солнце"_s, u"Сириус"_s, u"Вега"_s, u"Альтаир"_s}},
       {u"Какая звезда, не считая Солнца, ближе всех к Земле?"_s,
        {u"Проксима Центавра"_s, u"Бетельгейзе"_s, u"Ригель"_s, u"Полярная"_s}},
       u"спрашивает о том же: «Солнце», ответ одного, назван в тексте другого"_s,
       {}},
      {"a wrong answer of one is what the other asks about",
       {u"Кто архитектор Исаакиевского собора?"_s,
        {u"Огюст Монферран"_s, u"Андрей Воронихин"_s, u"Карло Росси"_s, u"Василий Баженов"_s}},
       {u"Какой собор построил Андрей Воронихин?"_s,
        {u"Казанский"_s, u"Исаакиевский"_s, u"Смольный"_s, u"Никольский"_s}},
       u"спрашивает о том же: «Андрей Воронихин», вариант одного, — то, о чём спрашивает другой"_s,
       u"спрашивает о том же: «Исаакиевский», вариант одного, — то, о чём спрашивает другой"_s},
      {"each offers the other's answer, whatever the subjects",
       {u"Кто написал оперу «Евгений Онегин»?"_s,
        {u"Пётр Чайковский"_s, u"Михаил Глинка"_s, u"Модест Мусоргский"_s, u"Сергей Рахманинов"_s}},
       {u"Кто сочинил «Камаринскую»?"_s,
        {u"Михаил Глинка"_s, u"Пётр Чайковский"_s, u"Александр Бородин"_s, u"Александр Даргомыжский"_s}},
       u"спрашивает о том же: каждый предлагает ответ другого: «Пётр Чайковский» и «Михаил Глинка»"_s,
       u"спрашивает о том же: каждый предлагает ответ другого: «Михаил Глинка» и «Пётр Чайковский»"_s},
      {"one way only and on another subject is no mirror",
       {u"Какая планета ближе всех к Солнцу?"_s, {u"Меркурий"_s, u"Венера"_s, u"Марс"_s, u"Сатурн"_s}},
       {u"Какую планету называют «Красной»?"_s, {u"Марс"_s, u"Плутон"_s, u"Уран"_s, u"Нептун"_s}},
       {},
       {}},
      {"the same answer on the same subject",
       {u"Кто первым из людей полетел в космос?"_s,
        {u"Юрий Гагарин"_s, u"Нил Армстронг"_s, u"Сергей Королёв"_s, u"Герман Титов"_s}},
       {u"Кто из людей первым полетел в космос на корабле «Восток»?"_s,
        {u"Юрий Гагарин"_s, u"Алексей Леонов"_s, u"Павел Попович"_s, u"Андриян Николаев"_s}},
       u"спрашивает о том же: один и тот же ответ «Юрий Гагарин» на ту же тему"_s,
       {}},
      {"the same answer to another subject",
       {u"Кто написал «Муму»?"_s, {u"Иван Тургенев"_s, u"Николай Лесков"_s, u"Антон Чехов"_s, u"Иван Бунин"_s}},
       {u"Кто написал роман «Отцы и дети»?"_s,
        {u"Иван Тургенев"_s, u"Иван Гончаров"_s, u"Лев Толстой"_s, u"Фёдор Достоевский"_s}},
       {},
       {}},
      {"«снял фильм» is a subject: one director offered for another's film",
       {u"Кто снял фильм «Солярис»?"_s,
        {u"Андрей Тарковский"_s, u"Сергей Бондарчук"_s, u"Григорий Козинцев"_s, u"Элем Климов"_s}},
       {u"Кто снял фильм «Летят журавли»?"_s,
        {u"Михаил Калатозов"_s, u"Андрей Тарковский"_s, u"Григорий Чухрай"_s, u"Марлен Хуциев"_s}},
       u"спрашивает о том же: «Андрей Тарковский» — ответ одного и вариант другого"_s,
       {}},
      {"«написал» is a subject: the same composer for two operas",
       {u"Кто написал оперу «Руслан и Людмила»?"_s,
        {u"Михаил Глинка"_s, u"Антон Рубинштейн"_s, u"Александр Бородин"_s, u"Александр Даргомыжский"_s}},
       {u"Какой композитор написал оперу «Иван Сусанин»?"_s,
        {u"Михаил Глинка"_s, u"Модест Мусоргский"_s, u"Николай Римский-Корсаков"_s, u"Сергей Танеев"_s}},
       u"спрашивает о том же: один и тот же ответ «Михаил Глинка» на ту же тему"_s,
       {}},
      {"three of the same answers in other cases, behind a preposition",
       {u"Какой из этих инструментов — смычковый?"_s, {u"Скрипка"_s, u"Гитара"_s, u"Барабан"_s, u"Флейта"_s}},
       {u"На каком инструменте играют, нажимая чёрные и белые клавиши?"_s,
        {u"На фортепиано"_s, u"На гитаре"_s, u"На скрипке"_s, u"На барабане"_s}},
       u"одни и те же ответы (3): «На гитаре», «На скрипке», «На барабане»"_s,
       u"одни и те же ответы (3): «Скрипка», «Гитара», «Барабан»"_s},
      {"the same answer in another case",
       {u"Какой праздник христиане отмечают в честь Воскресения Христа?"_s,
        {u"Пасху"_s, u"Рождество"_s, u"Троицу"_s, u"Крещение"_s}},
       {u"Какой праздник христиане встречают куличами и крашеными яйцами?"_s,
        {u"Пасха"_s, u"Масленица"_s, u"Покров"_s, u"Сретение"_s}},
       u"спрашивает о том же: один и тот же ответ «Пасха» на ту же тему"_s,
       u"спрашивает о том же: один и тот же ответ «Пасху» на ту же тему"_s},
      {"the right answer named in the other's question, by its surname in another word",
       {u"Кто написал поэму «Мёртвые души»?"_s,
        {u"Николай Гоголь"_s, u"Александр Пушкин"_s, u"Иван Тургенев"_s, u"Михаил Салтыков-Щедрин"_s}},
       {u"Кто из гоголевских героев скупал мёртвые души?"_s,
        {u"Чичиков"_s, u"Хлестаков"_s, u"Манилов"_s, u"Ноздрёв"_s}},
       u"спрашивает о том же: «Николай Гоголь», ответ одного, назван в тексте другого"_s,
       {}},
      {"a name in the other's text needs only one more stem in common",
       {u"Кто похитил Кая в сказке Андерсена?"_s,
        {u"Снежная королева"_s, u"Хозяйка Медной горы"_s, u"Баба-яга"_s, u"Злая фея"_s}},
       {u"Кто написал сказку «Гадкий утёнок»?"_s,
        {u"Ганс Христиан Андерсен"_s, u"Шарль Перро"_s, u"Братья Гримм"_s, u"Джанни Родари"_s}},
       u"спрашивает о том же: «Ганс Христиан Андерсен», ответ одного, назван в тексте другого"_s,
       {}},
      {"a common word in the other's text needs two",
       {u"Какой цвет получится, если смешать синюю и жёлтую краску?"_s,
        {u"Зелёный"_s, u"Оранжевый"_s, u"Фиолетовый"_s, u"Коричневый"_s}},
       {u"Какое вещество придаёт листьям растений зелёный цвет?"_s,
        {u"Хлорофилл"_s, u"Крахмал"_s, u"Гемоглобин"_s, u"Сахар"_s}},
       {},
       {}},
      {"a name written in another case of its own",
       {u"Какой киевский князь получил прозвище «Мудрый»?"_s,
        {u"Ярослав"_s, u"Святополк"_s, u"Изяслав"_s, u"Мстислав"_s}},
       {u"Королевой какой страны стала Анна, дочь Ярослава Мудрого?"_s,
        {u"Франции"_s, u"Англии"_s, u"Венгрии"_s, u"Норвегии"_s}},
       u"спрашивает о том же: «Ярослав», ответ одного, назван в тексте другого"_s,
       {}},
      {"a shorter name that begins the same is another name",
       {u"Какой актёр сыграл Доцента в фильме «Джентльмены удачи»?"_s,
        {u"Евгений Леонов"_s, u"Георгий Вицин"_s, u"Савелий Крамаров"_s, u"Юрий Никулин"_s}},
       {u"Кто сыграл Остапа Бендера в фильме Леонида Гайдая «12 стульев»?"_s,
        {u"Арчил Гомиашвили"_s, u"Андрей Миронов"_s, u"Сергей Юрский"_s, u"Олег Меньшиков"_s}},
       {},
       {}},
      {"so is a longer one",
       {u"Какую раскольницу, увозимую в санях, написал Василий Суриков?"_s,
        {u"Боярыню Морозову"_s, u"Княжну Тараканову"_s, u"Царевну Софью"_s, u"Марфу Посадницу"_s}},
       {u"Как зовут внучку Деда Мороза?"_s, {u"Снегурочка"_s, u"Алёнушка"_s, u"Василиса"_s, u"Настенька"_s}},
       {},
       {}},
      {"a proverb's ending compares as written",
       {u"Закончите пословицу: «Мал золотник, да…»"_s, {u"дорог"_s, u"удал"_s, u"весом"_s, u"блестит"_s}},
       {u"Закончите пословицу: «Друзья познаются в…»"_s, {u"беде"_s, u"игре"_s, u"школе"_s, u"дороге"_s}},
       {},
       {}},
      {"each names the other's answer",
       {u"Как называли воина в латах на коне в средневековой Европе?"_s,
        {u"Рыцарем"_s, u"Ковбоем"_s, u"Казаком"_s, u"Гладиатором"_s}},
       {u"На каких животных сражались рыцари?"_s, {u"На конях"_s, u"На слонах"_s, u"На верблюдах"_s, u"На оленях"_s}},
       u"спрашивает о том же: каждый называет ответ другого: «Рыцарем» и «На конях»"_s,
       u"спрашивает о том же: каждый называет ответ другого: «На конях» и «Рыцарем»"_s},
      {"Николай Первый is not Николай Второй",
       {u"Какого императора прозвали «Палкиным»?"_s,
        {u"Николая Первого"_s, u"Павла Первого"_s, u"Александра Третьего"_s, u"Петра Третьего"_s}},
       {u"Как звали жену императора Николая Второго?"_s,
        {u"Александра Фёдоровна"_s, u"Мария Фёдоровна"_s, u"Елизавета Алексеевна"_s, u"Мария Александровна"_s}},
       {},
       {}},
  };
  for (const Case& c : cases) {
    for (const bool swapped : {false, true}) {
      const Q& earlier = swapped ? c.second : c.first;
      const Q& later = swapped ? c.first : c.second;
      QTemporaryDir dir;
      WriteFile(dir.filePath(u"a.txt"_s), u"level: 1\n"_s + Question(earlier.text, earlier.answers));
      WriteFile(dir.filePath(u"b.txt"_s), u"level: 2\n\n"_s + Question(later.text, later.answers));
      const LintRun run = Lint({u"a.txt"_s, u"b.txt"_s}, dir.path());
      SCOPED_TRACE(std::string(c.name) + (swapped ? " (swapped)" : ""));
      const QString reason = swapped && !c.reasonSwapped.isEmpty() ? c.reasonSwapped : c.reason;
      const QString expected = reason.isEmpty() ? QString() : u"b.txt:3: повторяет a.txt:2: "_s + reason;
      EXPECT_EQ(run.exitCode, reason.isEmpty() ? 0 : 1) << run.err.toStdString();
      EXPECT_EQ(Lines(run.findings), expected.toStdString()) << run.err.toStdString();
    }
  }
}

// The warm-up level is never played: it repeats nothing, though its texts are
// still no one else's.
TEST(ToolLint, WarmUpTakesNoPartInRepeats) {
  const QStringList answers = {u"Иван Тургенев"_s, u"Лев Толстой"_s, u"Антон Чехов"_s, u"Николай Гоголь"_s};
  QTemporaryDir dir;
  WriteFile(dir.filePath(u"l0.txt"_s), u"level: 0\n"_s + Question(u"Кто написал «Муму»?"_s, answers));
  WriteFile(dir.filePath(u"l1.txt"_s), u"level: 1\n"_s + Question(u"Кто написал «Отцы и дети»?"_s, answers));
  LintRun run = Lint({u"l0.txt"_s, u"l1.txt"_s}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(Lines(run.findings), "") << run.err.toStdString();

  WriteFile(dir.filePath(u"l1.txt"_s), u"level: 1\n"_s + Question(u"Кто написал «Муму»?"_s, answers));
  run = Lint({u"l0.txt"_s, u"l1.txt"_s}, dir.path());
  EXPECT_EQ(Lines(run.findings), "l1.txt:2: повтор вопроса из l0.txt:2") << run.err.toStdString();
}

// A right answer a player can pick without knowing it, by its form among the
// other three or from the question's own words. The near misses are shapes the
// shipped questions hold by right: names, titles and prepositions that differ
// only in spelling, small counts, a stem the wrong answers share too.
TEST(ToolLint, RightAnswerGivenAwayWithinTheQuestion) {
  struct Case {
    const char* name;
    int level;
    QString text;
    QStringList answers;
    QString reason;  ///< empty: nothing to say
  };
  const Case cases[] = {
      {"the three wrong answers start alike",
       3,
       u"На чём, по сказкам, летает Баба-яга?"_s,
       {u"В ступе"_s, u"На ковре-самолёте"_s, u"На Сивке-Бурке"_s, u"На облаке"_s},
       u"три неверных ответа начинаются с «на», а верный нет"_s},
      {"«во» is «в»",
       3,
       u"В каком городе находится галерея Уффици?"_s,
       {u"Во Флоренции"_s, u"В Риме"_s, u"В Милане"_s, u"В Венеции"_s},
       {}},
      {"a phrase among single words",
       6,
       u"Что такое ристалище?"_s,
       {u"Место состязаний"_s, u"Кладбище"_s, u"Рынок"_s, u"Пастбище"_s},
       u"только верный ответ из нескольких слов: «Место состязаний» среди однословных"_s},
      {"a name is as long as it is",
       3,
       u"Какой город стоит при впадении Оки в Волгу?"_s,
       {u"Нижний Новгород"_s, u"Ярославль"_s, u"Кострома"_s, u"Казань"_s},
       {}},
      {"so is a title",
       6,
       u"Какой фильм 2002 года снят одним непрерывным кадром?"_s,
       {u"«Русский ковчег»"_s, u"«Молох»"_s, u"«Фауст»"_s, u"«Телец»"_s},
       {}},
      {"a hyphen joins one word",
       3,
       u"Какой город принял летние Олимпийские игры 2016 года?"_s,
       {u"Рио-де-Жанейро"_s, u"Лондон"_s, u"Токио"_s, u"Сидней"_s},
       {}},
      {"an exact number among round ones",
       6,
       u"Чему примерно равнялась старинная русская верста?"_s,
       {u"1,07 км"_s, u"2 км"_s, u"500 м"_s, u"1,5 км"_s},
       u"только верный ответ дан с точностью до 3 значащих цифр"_s},
      {"small counts differ in digits by nature",
       4,
       u"Сколько рёбер у куба?"_s,
       {u"12"_s, u"6"_s, u"8"_s, u"10"_s},
       {}},
      {"the question's own words",
       2,
       u"В какой игре шашка, дошедшая до последнего ряда, становится дамкой?"_s,
       {u"В шашках"_s, u"В шахматах"_s, u"В нардах"_s, u"В домино"_s},
       u"слова самого вопроса подсказывают верный ответ («шашк»)"_s},
      {"a word's family, not only its forms",
       4,
       u"Из какого гриба в старину делали трут для разжигания огня?"_s,
       {u"Из трутовика"_s, u"Из опёнка"_s, u"Из вёшенки"_s, u"Из дождевика"_s},
       u"слова самого вопроса подсказывают верный ответ («трутовик»)"_s},
      {"a question for a child may hint",
       1,
       u"В какой игре шашка, дошедшая до последнего ряда, становится дамкой?"_s,
       {u"В шашках"_s, u"В шахматах"_s, u"В нардах"_s, u"В домино"_s},
       {}},
      {"a wrong answer shares the word too",
       6,
       u"Кора какого дерева — природный источник хинина?"_s,
       {u"Хинного дерева"_s, u"Эвкалипта"_s, u"Коричного дерева"_s, u"Белой ивы"_s},
       {}},
      {"question words say nothing",
       2,
       u"Кто из русских правителей первым принял титул императора?"_s,
       {u"Пётр Первый"_s, u"Иван Грозный"_s, u"Алексей Михайлович"_s, u"Василий Шуйский"_s},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    WriteFile(dir.filePath(u"q.txt"_s), u"level: %1\n"_s.arg(c.level) + Question(c.text, c.answers));
    const LintRun run = Lint({u"q.txt"_s}, dir.path());
    const QString expected = c.reason.isEmpty() ? QString() : u"q.txt:2: "_s + c.reason;
    EXPECT_EQ(run.exitCode, c.reason.isEmpty() ? 0 : 1) << run.err.toStdString();
    EXPECT_EQ(Lines(run.findings), expected.toStdString()) << run.err.toStdString();
  }
}

// What an author gets for a wrong call: usage (2) for no source or an option, a
// finding (1) for a file that cannot be read.
TEST(ToolLint, ExitStatus) {
  QTemporaryDir dir;
  WriteFile(dir.filePath(u"ok.txt"_s),
            u"level: 0\n"_s + Question(u"Разминка?"_s, {u"Да"_s, u"Нет"_s, u"Может"_s, u"Потом"_s}));
  struct Case {
    QStringList args;
    int exitCode;
    QString findings;
  };
  const Case cases[] = {
      {{}, 2, {}},
      {{u"-q"_s, u"ok.txt"_s}, 2, {}},
      {{u"ok.txt"_s}, 0, {}},
      {{u"ok.txt"_s, u"missing.txt"_s}, 1, u"missing.txt: не прочесть: это не файл"_s},
      {{u"ok.txt"_s, u"."_s}, 1, u".: не прочесть: это не файл"_s},
  };
  for (const Case& c : cases) {
    const LintRun run = Lint(c.args, dir.path());
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(u' ').toStdString() << '\n' << run.err.toStdString();
    EXPECT_EQ(Lines(run.findings), c.findings.toStdString()) << c.args.join(u' ').toStdString();
  }
}

// A new source that repeats a shipped question fails the lint, pointing at the
// shipped one; the shipped sources themselves have nothing to say.
TEST(ToolLint, RepeatingAShippedQuestionFails) {
  const QDir questions(QStringLiteral(FARTOVIK_SOURCE_DIR "/questions"));
  QStringList shipped;
  for (const QString& name : questions.entryList({u"*.txt"_s}, QDir::Files, QDir::Name))
    shipped.append(questions.filePath(name));
  ASSERT_FALSE(shipped.isEmpty());

  // The first question of the first source, as its author wrote it.
  QFile first(shipped.first());
  ASSERT_TRUE(first.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(first.readAll()).split(u'\n');
  int line = 0;
  while (line < lines.size() && !lines[line].trimmed().startsWith(u'?')) ++line;
  ASSERT_LT(line, lines.size());
  const QString text = lines[line].trimmed().mid(1).trimmed();

  QTemporaryDir dir;
  const QString added = dir.filePath(u"added.txt"_s);
  WriteFile(added, u"level: 6\n"_s + Question(text.toUpper(), {u"Один"_s, u"Два"_s, u"Три"_s, u"Четыре"_s}));
  const LintRun run = Lint(shipped + QStringList{added});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Lines(run.findings), Lines({u"%1:2: повтор вопроса из %2:%3"_s.arg(added, shipped.first()).arg(line + 1)}))
      << run.err.toStdString();
}
