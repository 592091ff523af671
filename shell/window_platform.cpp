#include "shell/window_platform.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

#include "data/random_source.h"
#include "shell/game_menu.h"
#include "shell/qt_info_box.h"
#include "shell/qt_sound_output.h"
#include "shell/view_settings.h"

WindowPlatform::WindowPlatform(const Sources& sources, Window window)
    : m_window(std::move(window)), m_steadyClock(sources.steadyClock) {
  if (sources.infoBox) {
    m_infoBox = sources.infoBox;
  } else {
    m_ownInfoBox = std::make_unique<QtInfoBox>(&m_window.widget);
    m_infoBox = m_ownInfoBox.get();
  }
  if (sources.random) {
    m_random = sources.random;
  } else {
    m_ownRandom = std::make_unique<SystemRandomSource>();
    m_random = m_ownRandom.get();
  }
  if (sources.sound) {
    m_sound = sources.sound;
  } else {
    m_ownSound = std::make_unique<QtSoundOutput>();
    m_sound = m_ownSound.get();
  }
}

WindowPlatform::~WindowPlatform() = default;

InfoBox::Answer WindowPlatform::ModalBox::Show(const Message& message) {
  m_platform.m_window.letGoOfPointer();
  return m_platform.m_infoBox->Show(message);
}

double WindowPlatform::SteadySeconds() {
  if (m_steadyClock) return m_steadyClock();
  static const QElapsedTimer started = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return double(started.nsecsElapsed()) / 1e9;
}

void WindowPlatform::PopupMenu(int x, int y) {
  m_window.letGoOfPointer();
  m_window.catchUp();
  m_window.menu.menu()->exec(m_window.widget.mapToGlobal(m_window.view.ToWindow(QRect(x, y, 1, 1)).topLeft()));
}

void WindowPlatform::Minimise() { m_window.widget.showMinimized(); }

void WindowPlatform::RequestClose() { m_window.widget.close(); }

bool WindowPlatform::WindowNormal() {
  const QWidget& w = m_window.widget;
  return !w.isMinimized() && !w.isMaximized() && !w.isFullScreen() && !m_window.view.fullScreen();
}

void WindowPlatform::MoveWindowBy(qreal dx, qreal dy) {
  // The game measures the drag in its own units; the window moves in the desktop's.
  const qreal scale = m_window.view.Scale();
  m_window.widget.move(m_window.widget.pos() + QPoint(qRound(dx * scale), qRound(dy * scale)));
}

void WindowPlatform::FocusNameBox() {
  m_window.catchUp();
  m_window.nameBox.setFocus(Qt::OtherFocusReason);
}
