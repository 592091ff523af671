#pragma once

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "shell/main_window.h"

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
