#pragma once
// "Program Defaults": the autosave interval, the default file folder and the
// start-up farm file. Nothing changes until "Save Defaults".
#include <QDialog>

#include "shell/program_settings.h"

class QLineEdit;
class QSpinBox;

namespace rb::ui {

class ProgramDefaultsDialog : public QDialog {
  Q_OBJECT
 public:
  ProgramDefaultsDialog(const ProgramSettings& settings, const QString& programFolder, QWidget* parent = nullptr);
  // The settings as the dialog holds them; meaningful after "Save Defaults".
  ProgramSettings settings() const;

 private:
  void browseFolder();
  void selectStartupFile();
  void resetToInitialSettings();

  ProgramSettings settings_;
  QString programFolder_;
  QSpinBox* minutes_;
  QLineEdit* folder_;
  QLineEdit* startupFile_;
};

}  // namespace rb::ui
