#pragma once
// The program's settings ("Ranchbook.ini", section "DEFAULTS") and the file
// names the document commands derive from a farm file's path.
#include <QString>

namespace rb::ui {

struct ProgramSettings {
  int autosaveMinutes = 0;  // "TIMER": 0 or less means autosave off
  QString dataFolder;       // "LOCATION": folder offered by every file dialog
  QString startupFile;      // "STARTUP": farm file loaded at start-up
};

// "farms" in the user's documents folder.
QString defaultDataFolder();
// The bundled farm beside the program.
QString defaultStartupFile(const QString& programFolder);
// The farm loaded when the start-up file fails: "Ranchbook.rbd" beside the
// program, or "ranchbook.rbd" where only that spelling exists (the two names
// are one file on a case-insensitive system).
QString fallbackStartupFile(const QString& programFolder);
// "Ranchbook.ini" beside the program when that folder is writable, else in
// the user's configuration folder.
QString settingsFilePath(const QString& programFolder);

// Missing keys take their defaults (a key with an empty value is empty); a
// missing file gives all defaults.
ProgramSettings readSettings(const QString& iniPath, const QString& programFolder);
// Writes the three keys into the section, keeping the file's other lines.
// Throws rb::Error naming the file when it cannot be written.
void writeSettings(const QString& iniPath, const ProgramSettings& settings);

// The backup of a farm file: its first ".rbd" (any case) becomes ".rbk"; a
// path without ".rbd" is returned as it is.
QString backupPath(const QString& path);
// The farm file of a backup: its first ".rbk" (any case) becomes ".rbd".
QString documentPathOfBackup(const QString& path);

}  // namespace rb::ui
