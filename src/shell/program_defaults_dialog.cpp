#include "shell/program_defaults_dialog.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/header_panel.h"
#include "shell/help_hook.h"
#include "shell/user_prompts.h"

namespace rb::ui {

namespace {

QLabel* note(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(false);
  return label;
}

}  // namespace

ProgramDefaultsDialog::ProgramDefaultsDialog(const ProgramSettings& settings, const QString& programFolder,
                                             QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      programFolder_(programFolder),
      minutes_(new QSpinBox(this)),
      folder_(new QLineEdit(this)),
      startupFile_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("frmDefaults"));
  setWindowTitle(QStringLiteral("Program Defaults"));
  setHelpTopic(this, 200);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] { showHelpTopic(this, 200); });

  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("Program Default Settings"), this);
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  headingFont.setPointSize(headingFont.pointSize() + 3);
  heading->setFont(headingFont);
  heading->setAlignment(Qt::AlignCenter);
  layout->addWidget(heading);

  auto* timer = new QGroupBox(QStringLiteral("Auto-Save Timer"), this);
  auto* timerLayout = new QHBoxLayout(timer);
  minutes_->setObjectName(QStringLiteral("spnMinutes"));
  minutes_->setRange(0, 60);
  minutes_->setSingleStep(5);
  minutes_->setValue(qBound(0, settings.autosaveMinutes, 60));
  timerLayout->addWidget(minutes_);
  timerLayout->addWidget(
      note(QStringLiteral("Set a time in minutes to\n autosave your data.\n(if set to 0,  autosave is OFF)"), timer), 1);
  layout->addWidget(timer);

  auto* folderGroup = new QGroupBox(QStringLiteral("Default File Folder"), this);
  auto* folderLayout = new QGridLayout(folderGroup);
  folder_->setObjectName(QStringLiteral("edtFolder"));
  folder_->setText(settings.dataFolder);
  auto* browse = new QPushButton(QStringLiteral("..."), folderGroup);
  browse->setObjectName(QStringLiteral("btnBrowse"));
  browse->setToolTip(QStringLiteral("Browse for a folder"));
  folderLayout->addWidget(folder_, 0, 0);
  folderLayout->addWidget(browse, 0, 1);
  folderLayout->addWidget(note(QStringLiteral("Choose a file folder\nto use for Ranchbook$ files."), folderGroup), 1, 0, 1, 2);
  layout->addWidget(folderGroup);

  auto* startupGroup = new QGroupBox(QStringLiteral("Choose / Change Startup File"), this);
  auto* startupLayout = new QHBoxLayout(startupGroup);
  startupFile_->setObjectName(QStringLiteral("edtStartup"));
  startupFile_->setReadOnly(true);
  startupFile_->setText(settings.startupFile);
  auto* select = new QPushButton(QStringLiteral("Select"), startupGroup);
  select->setObjectName(QStringLiteral("btnSelect"));
  startupLayout->addWidget(startupFile_, 1);
  startupLayout->addWidget(select);
  layout->addWidget(startupGroup);

  auto* resetGroup = new QGroupBox(QStringLiteral("Reset Default Settings to Ranchbook Initial Settings"), this);
  auto* resetLayout = new QHBoxLayout(resetGroup);
  auto* reset = new QPushButton(QStringLiteral("RESET"), resetGroup);
  reset->setObjectName(QStringLiteral("btnReset"));
  resetLayout->addWidget(reset);
  resetLayout->addStretch(1);
  layout->addWidget(resetGroup);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(note(QStringLiteral("NOTE:\nUse the \"Save Defaults\" button to keep the settings above.\n"
                                        "If you click on \"CANCEL\" all changes to the defaults will be discarded."),
                         this),
                    1);
  auto* save = new QPushButton(QStringLiteral("Save Defaults"), this);
  save->setObjectName(QStringLiteral("btnSave"));
  save->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("CANCEL"), this);
  cancel->setObjectName(QStringLiteral("btncancel"));
  bottom->addWidget(save);
  bottom->addWidget(cancel);
  layout->addLayout(bottom);

  connect(browse, &QPushButton::clicked, this, &ProgramDefaultsDialog::browseFolder);
  connect(select, &QPushButton::clicked, this, &ProgramDefaultsDialog::selectStartupFile);
  connect(reset, &QPushButton::clicked, this, &ProgramDefaultsDialog::resetToInitialSettings);
  connect(save, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

ProgramSettings ProgramDefaultsDialog::settings() const {
  ProgramSettings result = settings_;
  result.autosaveMinutes = minutes_->value();
  result.dataFolder = folder_->text();
  result.startupFile = startupFile_->text();
  return result;
}

void ProgramDefaultsDialog::browseFolder() {
  const QString chosen = prompts().askFolder(this, folder_->text());
  if (chosen.size() > 1) folder_->setText(chosen);
}

void ProgramDefaultsDialog::selectStartupFile() {
  const QString chosen = prompts().askOpenFileName(this, settings_.dataFolder, QStringLiteral("Ranchbook File (*.rbd)"),
                                                   QStringLiteral("rbd"));
  if (chosen.size() > 1) startupFile_->setText(chosen);
}

void ProgramDefaultsDialog::resetToInitialSettings() {
  minutes_->setValue(10);
  const QString initialFolder = defaultDataFolder();
  if (QDir(initialFolder).exists())
    folder_->setText(initialFolder);
  else
    showError(this, QStringLiteral("Default directory: \"") + initialFolder +
                        QStringLiteral("\" does not exist, cannot set directory."));
  startupFile_->setText(defaultStartupFile(programFolder_));
}

}  // namespace rb::ui
