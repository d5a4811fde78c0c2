#include "shell/application_setup.h"

#include <QApplication>
#include <QFont>

#include <clocale>

namespace rb::ui {

void prepareApplication() {
  // Qt takes the user's locale for the C library too; farm files, reports and
  // the text export write numbers with a decimal point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Ranchbook"));
  QApplication::setOrganizationName(QStringLiteral("Ranchbook"));
  // Captions, names and figures are Latin text, where shaping only kerns and
  // joins letters; leaving it out where a script does not need it draws the
  // grids' hundreds of cells markedly faster. Other scripts are still shaped.
  QFont font = QApplication::font();
  font.setStyleStrategy(QFont::PreferNoShaping);
  QApplication::setFont(font);
}

}  // namespace rb::ui
