#include "engine/record_book_pages.h"

#include <cmath>

#include "engine/game.h"
#include "screen/counted_words.h"
#include "screen/key_table.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"Статистика"_s;

QString Sum(qint64 value) { return u"<nobr>"_s + SumText(value) + u" у.е.</nobr>"_s; }

QString Games(qint64 n) { return Counted(n, u"игра"_s, u"игры"_s, u"игр"_s); }
QString Times(qint64 n) { return Counted(n, u"раз"_s, u"раза"_s, u"раз"_s); }

QString OutcomeWords(GameOutcome outcome) {
  switch (outcome) {
    case GameOutcome::Wrong: return u"неверный ответ"_s;
    case GameOutcome::TimeOut: return u"время вышло"_s;
    case GameOutcome::TookMoney: return u"взяли деньги"_s;
    case GameOutcome::Million: return u"миллион!"_s;
  }
  return QString();
}

/// "3 из 4 (75 %)"; a dash where nothing was counted.
QString Share(int part, int whole) {
  if (whole <= 0) return u"—"_s;
  return u"<nobr>%1 из %2 (%3&nbsp;%)</nobr>"_s.arg(part).arg(whole).arg(std::lround(100.0 * part / whole));
}

/// A table of the page: a header row in the heading's colour, then the rows, every
/// other one a shade lighter so that the eye keeps to its line. The first column is
/// `firstWidth` wide; the others share the rest.
QString Table(const QStringList& header, const QList<QStringList>& rows, int firstWidth) {
  QString table = u"<table cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">"_s;
  if (!header.isEmpty()) {
    table += u"<tr>"_s;
    for (qsizetype c = 0; c < header.size(); ++c)
      table += (c == 0 ? u"<td width=\"%1\">"_s.arg(firstWidth) : u"<td>"_s) + u"<span class=\"dim\">"_s + header[c] +
               u"</span></td>"_s;
    table += u"</tr>"_s;
  }
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const QString shade = i % 2 == 0 ? u" bgcolor=\"#0c1d44\""_s : QString();
    table += u"<tr"_s + shade + u">"_s;
    for (qsizetype c = 0; c < rows[i].size(); ++c)
      table +=
          (c == 0 && header.isEmpty() ? u"<td width=\"%1\">"_s.arg(firstWidth) : u"<td>"_s) + rows[i][c] + u"</td>"_s;
    table += u"</tr>"_s;
  }
  return table + u"</table>"_s;
}

/// A remark under a table, set off from it.
QString Note(const QString& text) { return u"<p class=\"dim\" style=\"margin-top: 6px;\">"_s + text + u"</p>"_s; }

QString Bold(const QString& text) { return u"<b>"_s + text + u"</b>"_s; }

QString GamesAndSums(const RecordBook& book) {
  const QList<QStringList> endings = {
      {u"Неверный ответ"_s, Bold(Games(book.EndedBy(GameOutcome::Wrong)))},
      {u"Время вышло"_s, Bold(Games(book.EndedBy(GameOutcome::TimeOut)))},
      {u"Взяли деньги"_s, Bold(Games(book.EndedBy(GameOutcome::TookMoney)))},
      {u"Ответили на все пятнадцать"_s, Bold(Games(book.EndedBy(GameOutcome::Million)))},
  };
  const QList<QStringList> sums = {
      {u"Лучший"_s, Bold(Sum(book.bestSum))},
      {u"Средний"_s, Bold(Sum(book.averageSum))},
      {u"Всего"_s, Bold(Sum(book.totalSum))},
  };
  return u"<p>Сыграно: <b>"_s + Games(book.games) + u"</b>.</p>"_s + u"<h3>Чем кончались игры</h3>"_s +
         Table({}, endings, 260) + u"<h3>Выигрыш</h3>"_s + Table({}, sums, 260) +
         u"<h3>Самая длинная серия</h3><p><b>"_s +
         Counted(book.longestRun, u"верный ответ"_s, u"верных ответа"_s, u"верных ответов"_s) +
         u"</b> подряд, из игры в игру.</p>"_s;
}

QString AnswersAndLifelines(const RecordBook& book) {
  QList<QStringList> levels;
  // The levels a game draws from; level 0 of a folder is never asked.
  for (int level = 1; level < kLevelCount; ++level) {
    const RecordBook::Answers& answers = book.answers[std::size_t(level)];
    const RecordBook::Met& met = book.met[std::size_t(level)];
    levels.append({QString::number(level), Share(answers.right, answers.answered),
                   u"<nobr>%1 из %2</nobr>"_s.arg(met.met).arg(met.available)});
  }
  const std::pair<LifelineKind, QString> kinds[] = {{LifelineKind::FiftyFifty, u"«50/50»"_s},
                                                    {LifelineKind::PhoneFriend, u"«Звонок другу»"_s},
                                                    {LifelineKind::AskAudience, u"«Мнение зала»"_s}};
  QList<QStringList> lifelines;
  for (const auto& [kind, name] : kinds) {
    const RecordBook::Lifeline& use = book.Used(kind);
    lifelines.append({name, Times(use.used), use.used > 0 ? Share(use.pointedRight, use.used) : u"—"_s});
  }
  return u"<h3>Ответы по уровням</h3>"_s +
         Table({u"Уровень"_s, u"Верных ответов"_s, u"Встречено вопросов"_s}, levels, 120) +
         Note(u"Встреченный вопрос, которого больше нет в базах, не считается."_s) + u"<h3>Подсказки</h3>"_s +
         Table({u"Подсказка"_s, u"Взята"_s, u"Указала на верный ответ"_s}, lifelines, 150) +
         Note(u"Для «50/50» верным считается ответ, данный после неё."_s);
}

QString LastGames(const RecordBook& book) {
  QList<QStringList> rows;
  for (const RecordBook::Recent& game : book.recent)
    rows.append(
        {game.endedAt.toLocalTime().toString(u"dd.MM.yyyy HH:mm"_s), Bold(Sum(game.sum)), OutcomeWords(game.outcome)});
  return Table({u"Когда"_s, u"Выигрыш"_s, u"Чем кончилась"_s}, rows, 170) +
         Note(u"Сбросить статистику: <span class=\"key\">"_s +
              KeySpellings(Command::ForgetRecords, KeyScope::Pages).join(u", "_s) +
              u"</span> на этих страницах или «Меню» → «Сбросить статистику». Игра переспросит."_s);
}

}  // namespace

QList<InfoPage> RecordBookPages(const RecordBook& book) {
  if (book.games == 0) {
    return {{kTitle,
             u"<p>Вы ещё не сыграли ни одной игры до конца.</p>"
             "<p>Здесь будет видно, чем кончались ваши игры, сколько вы выиграли, на какой доле "
             "вопросов каждого уровня ответили верно, как помогали подсказки и сколько вопросов "
             "из баз вы уже встретили.</p><p>Новая игра — <span class=\"key\">"_s +
                 KeySpellings(Command::NewGame).join(u", "_s) + u"</span>.</p>"_s}};
  }
  return {{kTitle, GamesAndSums(book)}, {kTitle, AnswersAndLifelines(book)}, {u"Последние игры"_s, LastGames(book)}};
}

void Game::ShowRecordBook() {
  // Pressed again over itself, the book stays on the page the player turned to.
  if (m_book == Book::RecordBook) return;
  OpenPages(RecordBookPages(SummariseGames(PlayedGames(), FingerprintsOf(m_questions))));
  m_book = Book::RecordBook;
}

void Game::ForgetRecordBook() {
  if (PlayedGames().empty()) {
    Inform(u"Статистика пуста: ещё не сыграно ни одной игры."_s);
    return;
  }
  const QString question =
      u"Сбросить статистику?\r\nВсе сыгранные игры будут забыты, и вопросы, которые вы уже "
      "встречали, снова смогут выпасть."_s;
  if (Confirm(question, InfoBox::Answer::No) != InfoBox::Answer::Yes) return;
  if (!ForgetPlayedGames()) return;
  if (m_book != Book::RecordBook) return;
  // The open book shows the games it was opened with: open it anew over itself.
  m_book = Book::None;
  ShowRecordBook();
}
