// The desktop program: the main window over the farm named on the command
// line, or the start-up farm of the settings.
#include <QApplication>

#include "shell/application_setup.h"
#include "shell/font_warm_up.h"
#include "shell/main_window.h"

int main(int argc, char* argv[]) {
  const rb::ui::FontWarmUp fonts;  // first: it reads while the toolkit starts
  QApplication app(argc, argv);
  rb::ui::prepareApplication();

  rb::ui::StartupOptions options;
  options.programFolder = QApplication::applicationDirPath();
  options.arguments = QApplication::arguments().mid(1);
  rb::ui::TfrmMain window(options);
  window.show();
  return QApplication::exec();
}
