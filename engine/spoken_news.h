#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Game;

/// What a player who listens instead of looking must be told as the game goes on:
/// each thing once, when it comes (the invitation, a question, the choice, the
/// verdict, a lifeline's result, a result panel, the board, a page, the clock's
/// warnings, the sound switched). Read-only towards the game.
class SpokenNews {
 public:
  /// What is new since the last look, in the order it is best heard. The first look
  /// tells what the screen shows then, as a player arriving would need it.
  QStringList Look(const Game& game);
  /// All that stands now, as a player asking what is going on would hear it.
  static QString Now(const Game& game);

 private:
  struct Moment {
    QString key;  ///< the same thing seen again keeps its key
    QString text;
  };
  static QList<Moment> MomentsOf(const Game& game);

  QStringList m_keys;  ///< the moments seen at the last look
  std::optional<bool> m_soundOn;
};
