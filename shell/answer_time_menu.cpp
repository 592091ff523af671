#include "shell/answer_time_menu.h"

#include <QActionGroup>
#include <QSettings>

#include <utility>

#include "engine/game.h"
#include "shell/player_settings.h"

using namespace Qt::StringLiterals;

AnswerTimeMenu::AnswerTimeMenu(QMenu& menu, Game& game, QSettings& settings) : QMenu(u"Время на ответ"_s, &menu) {
  const AnswerTime kept = StoredAnswerTime(settings);
  game.SetAnswerTime(kept);
  auto* group = new QActionGroup(this);
  const std::pair<AnswerTime, QString> choices[] = {
      {AnswerTime::Normal, u"обычное"_s},
      {AnswerTime::Doubled, u"вдвое больше"_s},
      {AnswerTime::Unlimited, u"без ограничения"_s},
  };
  for (const auto& choice : choices) {
    const AnswerTime time = choice.first;
    QAction* action = addAction(choice.second);
    action->setCheckable(true);
    action->setChecked(time == kept);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [&game, &settings, time] {
      game.SetAnswerTime(time);
      StoreAnswerTime(settings, time);
    });
  }
}
