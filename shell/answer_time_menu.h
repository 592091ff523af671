#pragma once

#include <QMenu>

class Game;
class QSettings;

/// "Время на ответ" in the main menu: the game's own limits, twice those, or none.
/// It puts the player's last choice back into the game when it is made, and keeps
/// every new choice in the settings. The caller puts it into the menu.
class AnswerTimeMenu : public QMenu {
 public:
  AnswerTimeMenu(QMenu& menu, Game& game, QSettings& settings);
};
