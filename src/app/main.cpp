// The desktop program: the main window over the farm named on the command
// line, or the start-up farm of the settings.
#include <QApplication>

#include <clocale>

#include "shell/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Qt takes the user's locale for the C library too; farm files, reports and
  // the text export write numbers with a decimal point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Ranchbook"));
  QApplication::setOrganizationName(QStringLiteral("Ranchbook"));

  rb::ui::StartupOptions options;
  options.programFolder = QApplication::applicationDirPath();
  options.arguments = QApplication::arguments().mid(1);
  rb::ui::TfrmMain window(options);
  window.show();
  return QApplication::exec();
}
