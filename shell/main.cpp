#include <QApplication>
#include <QByteArray>
#include <QList>

#include <cstdio>

#include "data/data_paths.h"
#include "screen/game_version.h"
#include "shell/command_line.h"
#include "shell/main_window.h"

namespace {

void Write(FILE* stream, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments are read before the application object: --help, --version and a
  // mistyped option must work where there is no display.
  // As bytes: a folder named in another encoding must reach the file system as it is.
  QList<QByteArray> arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QByteArray(argv[i]));
  const CommandLine commandLine = ParseCommandLine(arguments);
  if (commandLine.action != CommandLine::Action::Play) {
    Write(commandLine.action == CommandLine::Action::Print ? stdout : stderr, commandLine.text);
    return commandLine.exitCode;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("fartovik"));
  QApplication::setApplicationVersion(GameVersion());
  // Ties the window to the installed desktop file and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(FARTOVIK_APP_ID));

  MainWindow::Services services;
  services.programFolder = QApplication::applicationDirPath();
  services.locations = DataLocations::ForProgram(services.programFolder, QStringLiteral(FARTOVIK_DATA_FROM_BINARY),
                                                 commandLine.dataFolder);
  MainWindow window(std::move(services));
  window.Start();
  window.show();
  return app.exec();
}
