#include <QApplication>

#include "shell/frm_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("fartovik"));
  QApplication::setOrganizationName(QStringLiteral("fartovik"));

  FrmMain::Services services;
  services.programFolder = QApplication::applicationDirPath();
  FrmMain window(std::move(services));
  window.Form_Load();
  window.show();
  return app.exec();
}
