#pragma once

#include <QString>

/// The game's one message box. Every data-file warning and the exit question go
/// through it, so they all carry the title "О, фартовик!" and wait the same way.
class InfoBox {
 public:
  /// What a message is, which decides its icon and buttons.
  enum class Kind {
    Information,  ///< news the player only acknowledges: an information sign and OK
    Warning,      ///< something went wrong: a stop sign and OK
    Question,     ///< a question answered Yes or No
  };
  /// How a question was answered. A box that could not be shown gives no answer.
  enum class Answer { None, Yes, No };
  struct Message {
    QString text;  ///< CR LF breaks lines
    Kind kind = Kind::Information;
    Answer preset = Answer::None;  ///< for a question, the button Enter presses
    bool operator==(const Message&) const = default;
  };

  virtual ~InfoBox() = default;

  void Inform(const QString& text) { Show({text, Kind::Information}); }
  void Warn(const QString& text) { Show({text, Kind::Warning}); }
  /// Asks a question and waits for the answer. `preset` is the button Enter
  /// presses: No for questions whose Yes cannot be undone.
  Answer Confirm(const QString& text, Answer preset) { return Show({text, Kind::Question, preset}); }

  /// Shows the message modally; returns the answer to a question, None otherwise.
  virtual Answer Show(const Message& message) = 0;
};
