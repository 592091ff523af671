// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: the least a Qt Widgets program does to
// put a frameless 640 × 480 window on the screen, built with the same Qt and flags
// as the game.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(640, 480);
  window.show();
  return app.exec();
}
