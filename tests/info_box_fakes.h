#pragma once

#include <QString>

#include <functional>

#include "data/info_box.h"

/// A message box that can act while it is shown, as the player and the timer would
/// behind a real one.
class ActingInfoBox : public RecordingInfoBox {
 public:
  int Show(const QString& text, int flags) override {
    if (whileShown) whileShown(text);
    return RecordingInfoBox::Show(text, flags);
  }
  std::function<void(const QString& text)> whileShown;
};

/// What the game asks before it closes.
inline const QString kExitQuestion = QStringLiteral("Вы уверены, что хотите выйти?");
