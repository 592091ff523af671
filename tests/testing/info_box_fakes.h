#pragma once

#include <QList>
#include <QString>

#include <functional>

#include "data/info_box.h"

/// Remembers every message and answers with whatever the test told it to.
class RecordingInfoBox : public InfoBox {
 public:
  Answer Show(const Message& message) override {
    messages.append(message);
    if (!answers.isEmpty()) return answers.takeFirst();
    // As a player pressing Enter: the preset button.
    return message.kind == Kind::Question ? message.preset : Answer::None;
  }

  QList<Message> messages;
  QList<Answer> answers;  ///< consumed one per message; empty: the preset button
};

/// A message box that can act while it is shown, as the player and the timer would
/// behind a real one.
class ActingInfoBox : public RecordingInfoBox {
 public:
  Answer Show(const Message& message) override {
    if (whileShown) whileShown(message.text);
    return RecordingInfoBox::Show(message);
  }
  std::function<void(const QString& text)> whileShown;
};

/// What the game asks before it closes.
inline const QString kExitQuestion = QStringLiteral("Вы уверены, что хотите выйти?");
