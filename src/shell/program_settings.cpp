// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "files/atomic_file.h"

#include "shell/program_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>


namespace rb::ui {

namespace {

const QString kSection = QStringLiteral("DEFAULTS");

QString sectionName(const QString& line) {
  const QString trimmedLine = line.trimmed();
  if (trimmedLine.startsWith(QLatin1Char('[')) && trimmedLine.endsWith(QLatin1Char(']')))
    return trimmedLine.mid(1, trimmedLine.size() - 2).trimmed();
  return {};
}

QStringList readLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString text = QString::fromUtf8(file.readAll());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// The keys of the settings section, as written.
QHash<QString, QString> readSection(const QString& path) {
  QHash<QString, QString> values;
  bool inSection = false;
  for (const QString& line : readLines(path)) {
    const QString section = sectionName(line);
    if (!section.isEmpty()) {
      inSection = section.compare(kSection, Qt::CaseInsensitive) == 0;
      continue;
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (inSection && equals > 0) values.insert(line.left(equals).trimmed().toUpper(), line.mid(equals + 1).trimmed());
  }
  return values;
}

QString replaceFirst(const QString& path, const QString& from, const QString& to) {
  const qsizetype at = path.indexOf(from, 0, Qt::CaseInsensitive);
  if (at < 0) return path;
  QString result = path;
  return result.replace(at, from.size(), to);
}

}  // namespace

QString defaultDataFolder() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  return QDir(documents).filePath(QStringLiteral("farms"));
}

QString defaultStartupFile(const QString& programFolder) {
  return QDir(programFolder).filePath(QStringLiteral("ranchbook.rbd"));
}

QString fallbackStartupFile(const QString& programFolder) {
  const QString named = QDir(programFolder).filePath(QStringLiteral("Ranchbook.rbd"));
  const QString lowerCase = defaultStartupFile(programFolder);
  return !QFileInfo::exists(named) && QFileInfo::exists(lowerCase) ? lowerCase : named;
}

QString settingsFilePath(const QString& programFolder) {
  const QString beside = QDir(programFolder).filePath(QStringLiteral("Ranchbook.ini"));
  const QFileInfo folder(programFolder);
  const bool writable = QFileInfo::exists(beside) ? QFileInfo(beside).isWritable() : folder.isDir() && folder.isWritable();
  if (writable) return beside;
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
  return QDir(config).filePath(QStringLiteral("ranchbook/Ranchbook.ini"));
}

ProgramSettings readSettings(const QString& iniPath, const QString& programFolder) {
  const QHash<QString, QString> values = readSection(iniPath);
  ProgramSettings settings;
  bool isNumber = false;
  const int minutes = values.value(QStringLiteral("TIMER")).toInt(&isNumber);
  settings.autosaveMinutes = isNumber ? minutes : 0;
  // A key written with an empty value reads as empty, as an INI file has
  // always read; only a missing key takes the default.
  settings.dataFolder = values.value(QStringLiteral("LOCATION"), defaultDataFolder());
  settings.startupFile = values.value(QStringLiteral("STARTUP"), defaultStartupFile(programFolder));
  return settings;
}

void writeSettings(const QString& iniPath, const ProgramSettings& settings) {
  const QList<QPair<QString, QString>> keys = {
      {QStringLiteral("TIMER"), QString::number(settings.autosaveMinutes)},
      {QStringLiteral("LOCATION"), settings.dataFolder},
      {QStringLiteral("STARTUP"), settings.startupFile},
  };
  // Other sections and unknown keys stay; our three keys are rewritten at the
  // top of the settings section.
  QStringList out;
  bool inSection = false;
  bool written = false;
  for (const QString& line : readLines(iniPath)) {
    const QString section = sectionName(line);
    if (!section.isEmpty()) {
      inSection = section.compare(kSection, Qt::CaseInsensitive) == 0;
      out << line;
      if (inSection && !written) {
        for (const auto& [key, value] : keys) out << key + QLatin1Char('=') + value;
        written = true;
      }
      continue;
    }
    const QString key = line.left(line.indexOf(QLatin1Char('='))).trimmed().toUpper();
    const bool ours = inSection && line.contains(QLatin1Char('=')) &&
                      (key == QLatin1String("TIMER") || key == QLatin1String("LOCATION") || key == QLatin1String("STARTUP"));
    if (!ours) out << line;
  }
  if (!written) {
    out << QLatin1Char('[') + kSection + QLatin1Char(']');
    for (const auto& [key, value] : keys) out << key + QLatin1Char('=') + value;
  }
  QDir().mkpath(QFileInfo(iniPath).absolutePath());
  const QByteArray bytes = (out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
  writeFileAtomically(iniPath.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString backupPath(const QString& path) { return replaceFirst(path, QStringLiteral(".rbd"), QStringLiteral(".rbk")); }

QString documentPathOfBackup(const QString& path) {
  return replaceFirst(path, QStringLiteral(".rbk"), QStringLiteral(".rbd"));
}

}  // namespace rb::ui
