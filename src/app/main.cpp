// The desktop program: the main window over the farm named on the command
// line, or the start-up farm of the settings.
#include <QApplication>

#include "shell/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ranchbook"));
  QApplication::setOrganizationName(QStringLiteral("Ranchbook"));

  rb::ui::StartupOptions options;
  options.programFolder = QApplication::applicationDirPath();
  options.arguments = QApplication::arguments().mid(1);
  rb::ui::TfrmMain window(options);
  window.show();
  return QApplication::exec();
}
