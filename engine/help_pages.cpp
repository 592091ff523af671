#include "engine/game.h"
#include "screen/game_version.h"
#include "screen/key_table.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace {

/// A sum as the player reads it everywhere, kept on one line.
QString Sum(qint32 value) { return u"<nobr>"_s + SumText(value) + u"</nobr>"_s; }

QString Key(const QString& name) { return u"<span class=\"key\">"_s + name + u"</span>"_s; }

enum Modifiers { AllKeys, WithoutAlt, AltOnly };

/// The keys of `command` as the key table spells them, one after another.
QString Keys(Command command, Modifiers which = AllKeys, KeyScope scope = KeyScope::Game) {
  QStringList keys;
  for (const QString& spelling : KeySpellings(command, scope)) {
    const bool alt = spelling.startsWith(u"Alt+"_s);
    if (which == AllKeys || (which == AltOnly) == alt) keys.append(spelling);
  }
  return keys.join(u", "_s);
}

QString Keys(std::initializer_list<Command> commands, KeyScope scope = KeyScope::Game) {
  QStringList keys;
  for (Command c : commands) keys.append(Keys(c, AllKeys, scope));
  return keys.join(u", "_s);
}

QString KeyList(const QStringList& keys) {
  QStringList spans;
  for (const QString& key : keys) spans.append(Key(key));
  return spans.join(u", "_s);
}

/// The keys' table on the page: per row the keys, then what they do.
QString KeyRows(const QList<std::pair<QString, QString>>& rows) {
  QString table = u"<table cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">"_s;
  for (qsizetype i = 0; i < rows.size(); ++i) {
    // Every other row a shade lighter, so that the eye keeps to its line.
    const QString shade = i % 2 == 0 ? u" bgcolor=\"#0c1d44\""_s : QString();
    table += u"<tr"_s + shade + u"><td width=\"150\">"_s + Key(rows[i].first) + u"</td><td>"_s + rows[i].second +
             u"</td></tr>"_s;
  }
  return table + u"</table>"_s;
}

QList<InfoPage> RulesPages() {
  const QList<int> guaranteed = Game::GuaranteedQuestions();
  QStringList guaranteedQuestions, guaranteedSums;
  for (int n : guaranteed) {
    guaranteedQuestions.append(QString::number(n) + u"-й"_s);
    guaranteedSums.append(Sum(PrizeLadder[n - 1]));
  }
  const QString title = u"Правила игры"_s;

  const QString game =
      u"<h3>Игра</h3>"
      "<p>Вам зададут до пятнадцати вопросов, от простых к трудным. У каждого четыре ответа&nbsp;— "
      "<b>A</b>, <b>B</b>, <b>C</b> и <b>D</b>, и верен ровно один. Каждый верный ответ поднимает вас "
      "на ступень лестницы выигрышей слева: от %1 за первый вопрос до %2 за пятнадцатый.</p>"
      "<h3>Несгораемые суммы</h3>"
      "<p>Выигрыши за %3 вопросы — <b>%4</b> — несгораемые. Неверный ответ кончает игру: вы "
      "уносите последнюю несгораемую сумму, до которой дошли, а если не дошли ни до одной — ничего.</p>"
      "<h3>Время</h3>"
      "<p>Часы внизу отсчитывают время на ответ: %5 секунд на первый вопрос и больше на каждый "
      "следующий, до %6 секунд на пятнадцатый. Отсчёт идёт с той минуты, когда вопрос показан целиком. "
      "Время вышло — как неверный ответ: остаётся несгораемая сумма. Пока открыты эти страницы, "
      "часы стоят.</p>"_s
          .arg(Sum(PrizeLadder.front()), Sum(PrizeLadder.back()), guaranteedQuestions.join(u" и "_s),
               guaranteedSums.join(u" и "_s))
          .arg(Game::TimeLimitOf(1))
          .arg(Game::TimeLimitOf(15));

  const QString help =
      u"<h3>Три подсказки</h3>"
      "<p>Каждой можно воспользоваться один раз за игру, пока вопрос открыт.</p>"
      "<table cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
      "<tr><td width=\"92\">"_s +
      PictureOf(el::FiftyFifty) +
      u"</td>"
      "<td><b>«50/50»</b> убирает два неверных ответа.</td></tr>"
      "<tr><td>"_s +
      PictureOf(el::PhoneFriend) +
      u"</td>"
      "<td><b>«Звонок другу»</b>: друг скажет, что думает, а часы получат 30 секунд в придачу. "
      "Друзья тоже ошибаются, и чем дальше вопрос, тем чаще.</td></tr>"
      "<tr><td>"_s +
      PictureOf(el::AudiencePoll) +
      u"</td>"
      "<td><b>«Мнение зала»</b>: зрители голосуют, и полосы показывают, сколько из них выбрали "
      "каждый ответ.</td></tr></table>"
      "<h3>Взять деньги</h3>"
      "<table cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>"
      "<td width=\"92\" align=\"center\">"_s +
      PictureOf(el::TakeMoney) +
      u"</td>"
      "<td>Со второго вопроса можно остановиться: кнопка <b>«Взять деньги»</b> справа от часов "
      "кончает игру с суммой, выигранной к этой минуте, — без риска.</td></tr></table>"
      "<h3>Таблица лидеров</h3>"
      "<p>Выигрыш больше нуля попадает в таблицу лидеров из пятидесяти строк, если в ней есть "
      "свободная строка или он не меньше суммы на 50-м месте: впишите имя и нажмите "_s +
      KeySpellings(Command::Confirm).first() +
      u". "
      "Таблицу можно открыть из меню и очистить.</p>"_s;

  const QString keys =
      KeyRows({{Keys(Command::Rules), u"эти правила"_s},
               {Keys(Command::NewGame), u"новая игра, также прямо из таблицы лидеров"_s},
               {Keys({Command::ChooseA, Command::ChooseB, Command::ChooseC, Command::ChooseD}), u"выбрать ответ"_s},
               {Keys({Command::FiftyFifty, Command::PhoneFriend, Command::AudiencePoll}),
                u"подсказки: 50/50, звонок другу, мнение зала"_s},
               {Keys(Command::TakeMoney), u"взять деньги"_s},
               {Keys(Command::Confirm), u"закрыть панель итога, записать имя, скрыть таблицу лидеров"_s},
               // Alt's twins of the quitting keys would crowd the column.
               {Keys(Command::Exit, WithoutAlt),
                u"выйти из игры (она переспросит); также "_s + Keys(Command::Exit, AltOnly)}}) +
      u"<p class=\"dim\">Буквы работают и в русской раскладке: "_s + RussianLetters() +
      u".</p>"
      "<p class=\"dim\">Всё можно делать и мышью. Окно перетаскивается за заголовок; кнопка слева "
      "вверху открывает меню, справа — свернуть и выйти.</p>"_s;

  // The board, the window and these pages: a page of their own, the game's keys fill one.
  const QString moreKeys =
      KeyRows({{Keys(Command::RecordBook), u"статистика ваших игр"_s},
               {Keys(Command::ShowLeaderboard), u"показать таблицу лидеров"_s},
               {(KeyPairs(Command::ScrollBoardUp, Command::ScrollBoardDown) +
                 KeyPairs(Command::ScrollBoardPageUp, Command::ScrollBoardPageDown) +
                 KeyPairs(Command::ScrollBoardTop, Command::ScrollBoardBottom))
                    .join(u", "_s),
                u"листать таблицу лидеров; колесо мыши тоже"_s},
               {Keys(Command::ClearBoard), u"очистить таблицу лидеров, пока она открыта"_s},
               {Keys(Command::ToggleSound), u"звук: включить или выключить"_s},
               {KeyPairs(Command::PreviousControl, Command::NextControl).join(u", "_s),
                u"с программой чтения с экрана: перейти к ответу, подсказке или «Взять деньги»"_s},
               {Keys(Command::PressControl), u"нажать то, к чему перешли (и Enter, пока нет панели)"_s},
               {Keys(Command::RepeatQuestion), u"услышать вопрос и оставшиеся ответы ещё раз"_s},
               {Keys(Command::TellTime), u"услышать, сколько секунд осталось"_s},
               {Keys({Command::ZoomIn, Command::ZoomOut}, KeyScope::Window),
                u"окно крупнее или меньше, пока оно помещается на экране (также «Меню» → «Масштаб»)"_s},
               {Keys(Command::FullScreen, AllKeys, KeyScope::Window), u"во весь экран и обратно"_s}}) +
      u"<h3>На этих страницах</h3>"_s + u"<p>"_s +
      KeyList(KeyPairs(Command::PreviousPage, Command::NextPage, KeyScope::Pages)) + u" и колесо мыши листают; "_s +
      KeyList(KeySpellings(Command::ClosePage, KeyScope::Pages)) +
      u" или щелчок закрывают. Пока страница открыта, другие клавиши игру не трогают.</p>"_s;

  return {{title, game}, {title, help}, {u"Клавиши"_s, keys}, {u"Клавиши"_s, moreKeys}};
}

QList<InfoPage> AboutPages() {
  const QString body =
      u"<p align=\"center\" style=\"font-size: 30px;\"><b><i><span style=\"color: #ffb040;\">«О, "
      u"фартовик!»</span></i></b></p>"
      "<p align=\"center\" style=\"font-size: 15px;\">Версия <b>%1</b></p>"
      "<p align=\"center\">Викторина на одного игрока: пятнадцать вопросов, лестница выигрышей "
      "и три подсказки.</p>"
      "<h3>Лицензия</h3>"
      "<p>Свободная программа: её можно изучать, менять и распространять на условиях "
      "GNU General Public License версии 3 или (по вашему выбору) любой более поздней — "
      "<b>GPL-3.0-or-later</b>. Гарантий нет. Полный текст лицензии приложен к игре (файл LICENSE).</p>"
      "<p>Звуки, графика и вопросы — собственные, сделаны для этой игры и распространяются "
      "на тех же условиях.</p>"
      "<h3>Шрифты</h3>"
      "<p><b>Liberation Sans</b> и <b>Liberation Serif</b> — © 2010 Google Corporation, "
      "© 2012 Red Hat, Inc.; лицензия SIL Open Font License 1.1.<br>"
      "<b>Comic Neue</b> — © 2014–2016 Craig Rozynski; лицензия SIL Open Font License 1.1.</p>"_s.arg(GameVersion());
  return {{u"О программе"_s, body}};
}

}  // namespace

void Game::ShowRulesPage() {
  if (m_book == Book::Rules) return;
  OpenPages(RulesPages());
  m_book = Book::Rules;
}

void Game::ShowAboutPage() {
  OpenPages(AboutPages());
  m_book = Book::About;
}

void Game::OpenPages(QList<InfoPage> pages) {
  const bool wasOpen = PageOpen();
  // The pointed look would stay behind the page with no pointer over it.
  DropHover();
  m_screen.ShowPages(std::move(pages));
  if (!wasOpen && PageOpen()) HoldClock();
}

void Game::ClosePage() {
  if (!PageOpen()) return;
  m_screen.HidePages();
  m_book = Book::None;
  ReleaseClock();
  // The name box gave up the keyboard when the page covered it.
  if (m_panel == Panel::Record) m_platform.FocusNameBox();
}

void Game::ClickPage(QPointF windowPoint) {
  switch (m_screen.pages().ControlAt(windowPoint)) {
    case PageView::Control::Previous: m_screen.TurnPage(-1); break;
    case PageView::Control::Next: m_screen.TurnPage(1); break;
    case PageView::Control::None: ClosePage(); break;
  }
}

void Game::WheelPage(int steps) {
  if (steps != 0) m_screen.TurnPage(steps > 0 ? -1 : 1);
}
