// The game in words for a player who listens: texts shaped for a synthesiser, and
// what is said as a game goes on, each thing once.
#include "engine/speech_text.h"
#include "engine/spoken_news.h"
#include "engine/spoken_state.h"
#include "screen/counted_words.h"
#include "tests/engine_fakes.h"

using namespace Qt::StringLiterals;

namespace {

TEST(SpeechText, PunctuationAScreenReaderWouldReadAloudBecomesPauses) {
  struct Case {
    QString text, spoken;
  };
  for (const Case& c : {
           Case{u"Правильный ответ: «Волга»."_s, u"Правильный ответ, Волга."_s},
           Case{u"Правила игры — F1."_s, u"Правила игры, F1."_s},
           Case{u"Проигрыш... С таким количеством"_s, u"Проигрыш. С таким количеством"_s},
           Case{u"Кто написал «Муху-Цокотуху»?"_s, u"Кто написал Муху Цокотуху?"_s},
           Case{u"Выигрыши за 5-й и 10-й вопросы"_s, u"Выигрыши за 5 й и 10 й вопросы"_s},
           Case{u"50/50"_s, u"50 на 50"_s},
           Case{u"A: 30%"_s, u"A, 30 процентов"_s},
           Case{u"Первая строка\r\nвторая \"в кавычках\""_s, u"Первая строка вторая в кавычках"_s},
           Case{u"Ответ (A) - верный"_s, u"Ответ A, верный"_s},
           Case{u": — начало"_s, u"начало"_s},
       }) {
    EXPECT_EQ(speech::Plain(c.text), c.spoken) << c.text.toStdString();
  }
}

TEST(SpeechText, CountsTakeTheFormOfTheirNoun) {
  struct Case {
    int count;
    QString spoken;
  };
  for (const Case& c : {Case{0, u"0 процентов"_s}, Case{1, u"1 процент"_s}, Case{2, u"2 процента"_s},
                        Case{4, u"4 процента"_s}, Case{5, u"5 процентов"_s}, Case{11, u"11 процентов"_s},
                        Case{12, u"12 процентов"_s}, Case{14, u"14 процентов"_s}, Case{21, u"21 процент"_s},
                        Case{22, u"22 процента"_s}, Case{100, u"100 процентов"_s}, Case{111, u"111 процентов"_s}}) {
    EXPECT_EQ(Counted(c.count, u"процент"_s, u"процента"_s, u"процентов"_s), c.spoken) << c.count;
  }
}

class SpokenNewsTest : public EngineTest {
 protected:
  /// What a look now says, joined as the screen reader gets it.
  QString Heard() { return news.Look(g()).join(u' '); }
  /// Ticks with a look after each, as the window looks after every change.
  QString HeardOver(int ticks) {
    QStringList heard;
    for (int i = 0; i < ticks; ++i) {
      Tick();
      if (const QString h = Heard(); !h.isEmpty()) heard.append(h);
    }
    return heard.join(u' ');
  }
  SpokenNews news;
};

TEST_F(SpokenNewsTest, AGameIsToldStepByStepAndNothingTwice) {
  EXPECT_EQ(Heard(), u"Чтобы начать новую игру, нажмите F2. Правила игры, F1."_s);
  EXPECT_EQ(Heard(), QString());

  g().KeyPressed(Qt::Key_F2);
  Tick();
  EXPECT_EQ(Heard(), QString()) << "half a question is not read";
  RevealQuestion();
  const Question& q = g().CurrentQuestion();
  const QString question = Heard();
  EXPECT_TRUE(question.startsWith(u"Вопрос 1 на 100. "_s + speech::Plain(q.text))) << question.toStdString();
  for (int k = 1; k <= 4; ++k) {
    const QString answer = u"Ответ "_s + spoken::Letter(g().AnswerOrder(k)) + u", "_s + speech::Plain(q.answers[k - 1]);
    EXPECT_TRUE(question.contains(answer)) << answer.toStdString();
  }
  EXPECT_LT(question.indexOf(u"Ответ A"_s), question.indexOf(u"Ответ D"_s));
  Tick(5);
  EXPECT_EQ(Heard(), QString());

  g().KeyPressed(Qt::Key_1);
  const QString left = Heard();
  EXPECT_TRUE(left.startsWith(u"Остались ответы "_s)) << left.toStdString();
  const QString correct = spoken::Letter(g().AnswerOrder(1));
  EXPECT_TRUE(left.contains(correct + u", "_s + speech::Plain(q.answers[0]))) << left.toStdString();

  g().ClickElement(g().AnswerElement(1));
  Tick();
  EXPECT_EQ(Heard(), u"Ответ "_s + correct + u" принят."_s);
  // The verdict once the correct answer shows, then the next question once it has appeared.
  const QString verdict = HeardOver(Judging::TicksToVerdict() - 1);
  EXPECT_EQ(verdict, u"Верно! Вы выиграли 100."_s);
  const QString next = HeardOver(100);
  EXPECT_TRUE(next.startsWith(u"Вопрос 2 на 200. "_s)) << next.toStdString();
}

TEST_F(SpokenNewsTest, AWrongAnswerNamesTheCorrectOneAndTheSumThenThePanel) {
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  Heard();
  g().ClickElement(g().AnswerElement(2));
  const QString heard = HeardOver(Judging::TicksToVerdict());
  const QString correct = spoken::Letter(g().AnswerOrder(1));
  EXPECT_TRUE(heard.startsWith(u"Ответ "_s + spoken::Letter(g().AnswerOrder(2)) +
                               u" принят. Неверно. Правильный ответ "_s + correct + u", "_s))
      << heard.toStdString();
  EXPECT_TRUE(heard.contains(u"Ваш выигрыш 0. Проигрыш."_s)) << heard.toStdString();
}

TEST_F(SpokenNewsTest, TheClockWarnsAtTenAndFiveSecondsLeftOnce) {
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  Heard();
  QStringList warnings;
  // Twenty seconds, looked at every tick until one second is left.
  for (int i = 0; i < 185; ++i) {
    Tick();
    const QString heard = Heard();
    if (!heard.isEmpty()) warnings.append(heard);
  }
  EXPECT_EQ(warnings, (QStringList{u"Осталось 10 секунд."_s, u"Осталось 5 секунд."_s}));
}

TEST_F(SpokenNewsTest, AStaleWarningIsNotToldAfterALaterOne) {
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  Heard();
  Tick(170);  // nobody looked while the clock went past ten seconds left
  EXPECT_EQ(Heard(), u"Осталось 3 секунды."_s);
}

TEST_F(SpokenNewsTest, TheRecordPanelTellsTheSumAndThePlaceTheBoardThePlayersRow) {
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  AnswerRight();
  RevealQuestion();
  Heard();
  PressWith(Qt::ControlModifier, Qt::Key_M);
  EXPECT_EQ(Heard(),
            u"Вы забрали деньги. Ваш выигрыш 100. Ваше место в таблице лидеров 1. Введите имя и нажмите Enter."_s);
  g().TypeName(u"Слепой «игрок»"_s);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_EQ(
      Heard(),
      u"Таблица лидеров, 1 строка. Ваш результат, место 1, Слепой игрок, 100. Стрелки листают её, Enter закрывает."_s);
}

TEST_F(SpokenNewsTest, PagesAreReadOneAtATimeWithTheirPlaceAndTheSoundSwitchIsTold) {
  Heard();
  g().ShowRulesPage();
  const QString first = Heard();
  EXPECT_TRUE(first.startsWith(u"Правила игры. "_s)) << first.toStdString();
  const int pages = g().screen().pages().count();
  EXPECT_TRUE(first.endsWith(u" Страница 1 из "_s + QString::number(pages) + u'.')) << first.toStdString();
  g().Perform(Command::NextPage);
  EXPECT_TRUE(Heard().endsWith(u" Страница 2 из "_s + QString::number(pages) + u'.'));
  g().Perform(Command::ClosePage);
  EXPECT_TRUE(Heard().startsWith(u"Чтобы начать новую игру"_s));

  g().Perform(Command::ToggleSound);
  EXPECT_EQ(Heard(), u"Звук выключен."_s);
  g().Perform(Command::ToggleSound);
  EXPECT_EQ(Heard(), u"Звук включён."_s);
}

TEST_F(SpokenNewsTest, ThePollAndTheFriendAreToldOnceSettled) {
  g().KeyPressed(Qt::Key_F2);
  RevealQuestion();
  Heard();
  g().KeyPressed(Qt::Key_3);
  Tick();
  EXPECT_EQ(Heard(), QString()) << "the bars still grow";
  for (int i = 0; i < 200 && !spoken::PollSettled(g()); ++i) Tick();
  const QString poll = Heard();
  QString expected = u"Мнение зала."_s;
  for (int p = 1; p <= 4; ++p)
    expected += u' ' + spoken::Letter(p) + u", "_s +
                Counted(g().Poll().Share(p), u"процент"_s, u"процента"_s, u"процентов"_s) + u'.';
  EXPECT_EQ(poll, expected);

  g().KeyPressed(Qt::Key_2);
  for (int i = 0; i < 300 && !spoken::FriendFinished(g()); ++i) Tick();
  EXPECT_TRUE(Heard().startsWith(u"Друг говорит. "_s));
}

}  // namespace

namespace {

TEST_F(SpokenNewsTest, AKeyThatDoesNothingNowSaysWhy) {
  struct Case {
    Command command;
    QString why;
  };
  const auto whyAll = [&](const QList<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(spoken::WhyNot(g(), c.command), c.why) << int(c.command);
  };
  whyAll({{Command::TakeMoney, QString()}, {Command::ChooseA, QString()}});  // no game: nothing to explain
  g().KeyPressed(Qt::Key_F2);
  Tick();
  whyAll({{Command::ChooseB, u"Подождите, вопрос ещё появляется."_s}});
  RevealQuestion();
  whyAll({{Command::TakeMoney, u"Взять деньги можно со второго вопроса."_s},
          {Command::FiftyFifty, QString()},
          {Command::ChooseC, QString()}});
  g().KeyPressed(Qt::Key_1);
  g().KeyPressed(Qt::Key_2);
  int removed = 0;
  for (int p = 1; p <= 4; ++p)
    if (!E(AnswerSlot(p)).enabled) removed = p;
  ASSERT_GT(removed, 0);
  whyAll({{Command::FiftyFifty, u"Подсказка 50 на 50 уже использована."_s},
          {Command::PhoneFriend, u"Звонок другу уже использован."_s},
          {Command::AudiencePoll, QString()},
          {ChooseAnswer(PositionOf(g().AnswerElement(1))), QString()},
          {ChooseAnswer(removed), u"Ответ "_s + spoken::Letter(removed) + u" убран подсказкой 50 на 50."_s}});
  AnswerRight();
  RevealQuestion();
  whyAll({{Command::TakeMoney, QString()}});
}

}  // namespace
