#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "data/random_source.h"
#include "engine/sound_output.h"
#include "shell/main_window.h"
#include "tests/element_names.h"
#include "tests/game_test_access.h"
#include "tests/testing/info_box_fakes.h"
#include "tests/testing/random_fakes.h"

/// Copies the built data folder into `folder`, where the game looks for it beside
/// the program.
inline void CopyBuiltData(const QString& folder) {
  const QString from = QStringLiteral(FARTOVIK_BINARY_DIR "/Data");
  const QString to = folder + QStringLiteral("/Data");
  QDir().mkpath(to);
  for (const QString& name : QDir(from).entryList(QDir::Files)) QFile::copy(from + u'/' + name, to + u'/' + name);
}

/// Builds the window from the test's services, starts it and shows it with the
/// keyboard focus, as a player meets it. Use it under ASSERT_NO_FATAL_FAILURE where
/// the test cannot go on without the window on screen.
inline void OpenWindow(std::unique_ptr<MainWindow>& window, MainWindow::Services services) {
  window = std::make_unique<MainWindow>(std::move(services));
  window->Start();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  window->activateWindow();
  window->setFocus();
}

/// A real mouse event as the platform delivers it: `button` is the one that changed,
/// `buttons` those held after the event; a move changes none.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton,
                      Qt::MouseButtons buttons = Qt::NoButton) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

/// The menu's command with this text, or null.
inline QAction* MenuItem(QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions())
    if (action->text() == text) return action;
  return nullptr;
}

/// The real window run from a folder of the test's own holding the built data, with
/// the test's message box and draws, and a clock that moves only when the test ticks.
class ScriptedWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    CopyBuiltData(m_dir.path());
  }

  /// The services of a window the test drives: no timer, the caption's clock at
  /// noon, silence, and the settings in the test's folder, never in the shared
  /// config folder another test may have written. A fixture changes what it needs
  /// before opening the window.
  MainWindow::Services Services() {
    MainWindow::Services services;
    services.programFolder = m_dir.path();
    services.infoBox = &m_box;
    services.random = &m_random;
    services.steadyClock = [this] { return m_now; };
    services.timeAndDate = [] { return QStringLiteral("12:00"); };
    services.startTimer = false;
    services.sound = &m_silence;
    services.settingsFile = SettingsFile();
    return services;
  }
  QString SettingsFile() const { return m_dir.path() + QStringLiteral("/fartovik.ini"); }

  // Playing the window kept in m_window.
  Game& game() { return m_window->game(); }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      m_now += 0.1;
      m_window->Tick();
    }
  }
  /// Ticks until the question and its answers are fully shown.
  void WaitForAnswers() {
    for (int i = 0; i < 400 && !game().CurrentRound().answersOpen; ++i) Ticks(1);
    ASSERT_TRUE(game().CurrentRound().answersOpen);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(m_window.get(), key, modifiers);
  }
  void CtrlKey(Qt::Key key) {
    QTest::keyPress(m_window.get(), Qt::Key_Control);
    QTest::keyClick(m_window.get(), key, Qt::ControlModifier);
    QTest::keyRelease(m_window.get(), Qt::Key_Control);
  }

  QTemporaryDir m_dir;
  ActingInfoBox m_box;
  ScriptedRandomSource m_random{{}, 7};
  SilentSoundOutput m_silence;  ///< no music from tests on a machine with speakers
  double m_now = 12 * 3600;
  // Declared last, so that it is destroyed before everything it was given.
  std::unique_ptr<MainWindow> m_window;
};
