// Stand-in until the help window is built: says which page was asked for.
// Weak, so that the help window's own definition takes its place.
#include "shell/help_hook.h"

#include <QMessageBox>
#include <QString>

__attribute__((weak)) void showHelpTopic(QWidget* parent, int topic) {
  const QString page = topic <= 0 ? QStringLiteral("the contents") : QStringLiteral("topic %1").arg(topic);
  QMessageBox::information(parent, QStringLiteral("Help"), QStringLiteral("Help for %1 is not installed yet.").arg(page));
}
