#pragma once

#include "data/info_box.h"

class QWidget;

/// The game's message box: a modal QMessageBox titled "О, фартовик!" with the icon
/// and buttons the message's kind asks for.
class QtInfoBox : public InfoBox {
 public:
  explicit QtInfoBox(QWidget* parent = nullptr) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }
  Answer Show(const Message& message) override;

 private:
  QWidget* m_parent;
};
