// The window as the game's platform: clock, message box, popup menu, window moves.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>

#include "shell/main_window.h"

InfoBox::Answer MainWindow::ModalBox::Show(const Message& message) {
  m_window.EndPointerCapture();
  return m_window.m_infoBox->Show(message);
}

double MainWindow::SteadySeconds() {
  if (m_services.steadyClock) return m_services.steadyClock();
  static const QElapsedTimer started = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return started.nsecsElapsed() / 1e9;
}


void MainWindow::PopupMenu(int x, int y) {
  EndPointerCapture();
  SyncView();
  m_menu->exec(mapToGlobal(ToWindow(QRect(x, y, 1, 1)).topLeft()));
}

void MainWindow::Minimise() { showMinimized(); }

void MainWindow::RequestClose() { close(); }

bool MainWindow::WindowNormal() { return !isMinimized() && !isMaximized() && !isFullScreen() && !m_fullScreen; }

void MainWindow::MoveWindowBy(qreal dx, qreal dy) {
  // The game measures the drag in its own units; the window moves in the desktop's.
  const qreal scale = ViewScaleFactor();
  move(pos() + QPoint(qRound(dx * scale), qRound(dy * scale)));
}

SoundOutput& MainWindow::Sound() { return *m_sound; }

void MainWindow::FocusNameBox() {
  SyncView();
  m_nameBox->setFocus(Qt::OtherFocusReason);
}
