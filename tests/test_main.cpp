#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

// Every test runs inside one application object: captions are measured with real
// fonts and widget tests send real Qt events, all without a display.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Windows remember their view in the player's settings: never the real player's.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
