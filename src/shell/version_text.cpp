#include "shell/version_text.h"

#include <QStringList>

namespace rb::ui {

QString versionText(const QString& fullVersion) {
  QStringList parts = fullVersion.trimmed().split(QLatin1Char('.'), Qt::SkipEmptyParts);
  if (parts.size() == 4) parts.removeLast();
  return parts.join(QLatin1Char('.'));
}

QString programVersionText() { return versionText(QStringLiteral(RB_VERSION)); }

QString mainWindowCaption() { return QStringLiteral("Ranchbook$ ") + programVersionText(); }

}  // namespace rb::ui
