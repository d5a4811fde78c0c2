// The document life cycle of the main window: start-up, Open, Save, Save as
// Startup, Save to Backup, Restore from Backup, the autosave timer, the
// question on closing and the Program Defaults dialog.
// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "model/farm_data_sets.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "ledgers/ui/data_grid.h"
#include "shell/farm_preload.h"
#include "shell/main_window.h"
#include "shell/program_defaults_dialog.h"
#include "shell/user_prompts.h"

namespace rb::ui {

namespace {

const QString kFarmFilter = QStringLiteral("Ranchbook File (*.rbd)");
const QString kBackupFilter = QStringLiteral("Ranchbook Backup (*.rbk)");

// A dialog's answer counts as a chosen path only when it is longer than one
// character.
bool isChosen(const QString& path) { return path.size() > 1; }

QString messageOf(const std::exception& error) { return QString::fromUtf8(error.what()); }

// Runs one step of a file command; a failure is shown to the user (the core
// has left the farm and the files as they were) and reported as false.
template <typename Step>
bool succeeds(QWidget* window, Step&& step) {
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    showError(window, messageOf(error));
    return false;
  }
}

// The data folder, with any missing parents, before a file dialog opens in
// it; an empty setting names no folder to make.
void makeFolder(const QString& folder) {
  if (!folder.isEmpty()) QDir().mkpath(folder);
}

}  // namespace

// ---------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------

void TfrmMain::chooseStartupFile(const QStringList& arguments) {
  settings_ = readSettings(settingsPath_, programFolder_);
  // The first argument names the farm for this run only; it reaches the
  // settings file when the settings are next written.
  if (!arguments.isEmpty()) settings_.startupFile = QFileInfo(arguments.first()).absoluteFilePath();
}

void TfrmMain::startUp(FarmPreload& startupFarm) {
  applyAutosaveTimer();
  makeFolder(settings_.dataFolder);

  try {
    applyFarmFile(*farm_, startupFarm.take());
    currentFile_ = settings_.startupFile;
  } catch (const std::exception&) {
    showError(this, QStringLiteral("Could not load designated startup file: \"") + settings_.startupFile +
                        QStringLiteral("\", reverting to Ranchbook$ default"));
    currentFile_ = fallbackStartupFile(programFolder_);
    try {
      loadFarmFile(currentFile_);
    } catch (const std::exception& error) {
      // Neither farm could be read: the window opens as it is, without the
      // titles and the status of a farm.
      showError(this, messageOf(error));
      return;
    }
  }

  refreshStatusBar();
  farm_->applyCapitalTitles();
  for (int index = 1; index <= kMaxPerKind; ++index)
    if (MemTable* forage = farm_->findTable("memforage" + std::to_string(index))) applyTitles(*forage, cropTitles());
  farm_->applyCropTitles();
  farm_->applyOtherTitles();
  farm_->applyGrazingTitles();
  refreshGridTitles();
  resetActivePages();
}

void TfrmMain::loadFarmFile(const QString& path) { LoadFarmFile(*farm_, path.toStdString()); }

void TfrmMain::afterLoadTitles() {
  refreshStatusBar();
  resetActivePages();
  farm_->applyCropTitles();
  farm_->applyGrazingTitles();
  farm_->applyOtherTitles();
  refreshGridTitles();
}

void TfrmMain::applyAutosaveTimer() {
  if (settings_.autosaveMinutes <= 0) {
    autosaveTimer_->stop();
    return;
  }
  autosaveTimer_->start(settings_.autosaveMinutes * 60000);
}

// ---------------------------------------------------------------------------
// Dialog steps
// ---------------------------------------------------------------------------

QString TfrmMain::askOpenFileName(bool backup) {
  makeFolder(settings_.dataFolder);
  const QString path = prompts().askOpenFileName(this, settings_.dataFolder, backup ? kBackupFilter : kFarmFilter,
                                                 backup ? QStringLiteral("rbk") : QStringLiteral("rbd"));
  return isChosen(path) ? path : QString();
}

QString TfrmMain::askSaveFileName() {
  makeFolder(settings_.dataFolder);
  const QString path = prompts().askSaveFileName(this, settings_.dataFolder, QFileInfo(currentFile_).fileName(),
                                                 kFarmFilter, QStringLiteral("rbd"));
  return isChosen(path) ? path : QString();
}

bool TfrmMain::askToSaveFirst() {
  return prompts().askYesNo(this, MessageIcon::Information,
                            QStringLiteral("Do wish to save your current file before continuing?"));
}

void TfrmMain::saveTo(const QString& path) {
  commitGridEdits();
  SaveFarmFile(*farm_, path.toStdString());
}

// ---------------------------------------------------------------------------
// File commands
// ---------------------------------------------------------------------------

void TfrmMain::openDocument() {
  if (askToSaveFirst()) saveDocument();
  const QString path = askOpenFileName(false);
  // A failed load changed nothing: the open farm and its file name stay.
  if (path.isEmpty() || !succeeds(this, [&] { loadFarmFile(path); })) return;
  currentFile_ = path;
  afterLoadTitles();
}

void TfrmMain::saveDocument() {
  const QString path = askSaveFileName();
  if (path.isEmpty() || !succeeds(this, [&] { saveTo(path); })) return;
  currentFile_ = path;
  refreshStatusBar();
}

void TfrmMain::saveAsStartup() {
  const QString path = askSaveFileName();
  if (path.isEmpty()) return;
  succeeds(this, [&] {
    saveTo(path);
    settings_.startupFile = path;
    writeSettings(settingsPath_, settings_);
  });
}

void TfrmMain::saveToBackup() { succeeds(this, [&] { saveTo(backupPath(currentFile_)); }); }

void TfrmMain::restoreFromBackup() {
  const QString path = askOpenFileName(true);
  if (path.isEmpty() || !succeeds(this, [&] { loadFarmFile(path); })) return;
  currentFile_ = documentPathOfBackup(path);
  afterLoadTitles();
}

void TfrmMain::autosaveTick() {
  // Never in the middle of a load, a recalculation or another autosave.
  if (farm_->inProgramUpdate) return;
  QString failure;
  {
    ProgramUpdate busy(*farm_);
    try {
      SaveFarmFile(*farm_, backupPath(currentFile_).toStdString());
    } catch (const std::exception& error) {
      failure = messageOf(error);
    }
    applyAutosaveTimer();
  }
  if (!failure.isEmpty()) showError(this, failure);
}

void TfrmMain::editProgramDefaults() {
  ProgramDefaultsDialog dialog(settings_, programFolder_, this);
  if (dialog.exec() == QDialog::Accepted) {
    settings_ = dialog.settings();
    applyAutosaveTimer();
    succeeds(this, [&] { writeSettings(settingsPath_, settings_); });
  }
  refreshStatusBar();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (prompts().askYesNo(this, MessageIcon::Confirmation,
                         QStringLiteral("Do you want to save file: \"") + currentFile_ +
                             QStringLiteral("\" before closing?"))) {
    // Closing after a failed save would lose the farm's changes: the window
    // stays open so that it can be saved elsewhere.
    if (!succeeds(this, [&] { saveTo(currentFile_); })) {
      event->ignore();
      return;
    }
  }
  autosaveTimer_->stop();
  event->accept();
}

}  // namespace rb::ui
