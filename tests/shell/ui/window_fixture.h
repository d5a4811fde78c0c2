#pragma once
// What the window tests share: small farms written the way the configuration
// window writes them, a temporary program folder, and scripted answers to
// every message box and file dialog.
// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "files/farm_file_reader.h"
#include "model/farm_data_sets.h"
#include "setup/configuration_writer.h"
#include "support/farm_fixtures.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "shell/user_prompts.h"

namespace rb::uitest {

using testing::CropEnterprise;

// The shared test farms, with a business name for the status bar.
struct FarmSpec : testing::FarmSpec {
  FarmSpec() { business = "Test Ranch"; }
};

// The farm file the configuration window would write for the farm.
inline std::string configurationText(const FarmSpec& farmSpec) { return testing::configurationText(farmSpec); }
inline void makeFarm(Farm& farm, const FarmSpec& farmSpec) { testing::makeFarm(farm, farmSpec); }

inline bool writeText(const QString& path, const std::string& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  return file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

// Puts the start-up farm in a program folder: the bundled farm, or the given
// farm while the repository has none. Returns false when it cannot be written.
inline bool placeStartupFarm(const QString& folder, const FarmSpec& fallback) {
  const QString bundled = QStringLiteral(RB_SOURCE_DIR "/data/ranchbook.rbd");
  const QString farm = QDir(folder).filePath(QStringLiteral("ranchbook.rbd"));
  if (QFile::exists(bundled)) return QFile::copy(bundled, farm);
  return writeText(farm, configurationText(fallback));
}

inline QByteArray readBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the window's questions from a script and records what it showed.
class ScriptedPrompts : public ui::UserPrompts {
 public:
  ScriptedPrompts() { ui::setPrompts(this); }
  ~ScriptedPrompts() override { ui::setPrompts(nullptr); }

  QStringList messages;   // every message and question, in order
  QList<bool> answers;    // Yes/No answers to give, in order; No when none is left
  QStringList openPaths;  // answers of the open dialogs; cancelled when none is left
  QStringList savePaths;  // answers of the save dialogs
  QStringList saveDialogFileNames;  // the file name each save dialog was opened with
  QStringList dialogFolders;        // the folder each file dialog was opened in

  void showMessage(QWidget*, ui::MessageIcon, const QString& text) override { messages << text; }
  bool askYesNo(QWidget*, ui::MessageIcon, const QString& text) override {
    messages << text;
    return answers.isEmpty() ? false : answers.takeFirst();
  }
  QString askOpenFileName(QWidget*, const QString& folder, const QString&, const QString&) override {
    dialogFolders << folder;
    return openPaths.isEmpty() ? QString() : openPaths.takeFirst();
  }
  QString askSaveFileName(QWidget*, const QString& folder, const QString& fileName, const QString&,
                          const QString&) override {
    dialogFolders << folder;
    saveDialogFileNames << fileName;
    return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
  }
  QString askFolder(QWidget*, const QString&) override { return {}; }
};

}  // namespace rb::uitest
