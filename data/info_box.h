#pragma once

#include <QList>
#include <QString>

/// The game's one message box. Every data-file warning and the exit question go
/// through it, so they all carry the title "О, фартовик!" and wait the same way.
class InfoBox {
 public:
  /// Icon and button sets the game uses.
  enum Flags : int {
    StopOk = 16,
    QuestionYesNo = 36,
    InformationOk = 64,
    /// The second button (No) is the default, for questions whose Yes cannot be undone.
    SecondButtonDefault = 256,
    QuestionYesNoDefaultNo = QuestionYesNo | SecondButtonDefault,
  };
  /// Buttons as the box reports them; 0 means the box could not be shown.
  enum Result : int {
    NotShown = 0,
    Ok = 1,
    Yes = 6,
    No = 7,
  };

  virtual ~InfoBox() = default;
  /// Shows `text` (CR LF breaks lines) modally and returns the button pressed.
  virtual int Show(const QString& text, int flags) = 0;
};

/// Remembers every message and answers with whatever the test told it to.
class RecordingInfoBox : public InfoBox {
 public:
  struct Message {
    QString text;
    int flags = 0;
    bool operator==(const Message&) const = default;
  };

  int Show(const QString& text, int flags) override {
    messages.append({text, flags});
    if (!answers.isEmpty()) return answers.takeFirst();
    // As a player pressing Enter: the default button.
    if ((flags & 0x0F) == 4) return flags & SecondButtonDefault ? No : Yes;
    return Ok;
  }

  QList<Message> messages;
  QList<int> answers;  ///< consumed one per message; empty: the default button
};
