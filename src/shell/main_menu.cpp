// The menu bar of the main window. Items whose commands come with later work
// are present in their place and disabled until they are connected.
#include <QAction>
#include <QMenuBar>

#include "shell/main_window.h"

namespace rb::ui {

QAction* TfrmMain::addMenuItem(QMenu* menu, const char* name, const QString& caption, void (TfrmMain::*handler)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  if (handler)
    connect(action, &QAction::triggered, this, handler);
  else
    action->setEnabled(false);
  return action;
}

void TfrmMain::buildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  bar->setNativeMenuBar(false);

  // Captions carry no accelerator of their own; "&&" shows a plain "&".
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  addMenuItem(file, "New1", QStringLiteral("New"));
  addMenuItem(file, "Open1", QStringLiteral("Open"), &TfrmMain::openDocument)->setShortcut(QKeySequence::Open);
  addMenuItem(file, "Save2", QStringLiteral("Save"), &TfrmMain::saveDocument)->setShortcut(QKeySequence::Save);
  addMenuItem(file, "SaveasStartup1", QStringLiteral("Save as Startup"), &TfrmMain::saveAsStartup);
  addMenuItem(file, "SetProgramDefaults1", QStringLiteral("Set Program Defaults"), &TfrmMain::editProgramDefaults);
  addMenuItem(file, "RenameEnteprisesCrops1", QStringLiteral("Rename Enteprises/Crops"));
  addMenuItem(file, "AddNewEnterpirse", QStringLiteral("Add New Enterpirise"));
  addMenuItem(file, "AddCroptoEnterprise1", QStringLiteral("Add Crop to Enterprise"));
  addMenuItem(file, "ModifyFarmDetails1", QStringLiteral("Modify Farm Details"));
  addMenuItem(file, "RolloverWizardforNextYear1", QStringLiteral("Rollover Wizard for Next Year"));
  addMenuItem(file, "SavetoBackup1", QStringLiteral("Save to &Backup"), &TfrmMain::saveToBackup)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  addMenuItem(file, "RestorefromBackup1", QStringLiteral("Restore from Backup"), &TfrmMain::restoreFromBackup);
  QAction* exit = addMenuItem(file, "Exit1", QStringLiteral("Exit"));
  exit->setEnabled(true);
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* reports = bar->addMenu(QStringLiteral("Reports"));
  reports->setObjectName(QStringLiteral("Reports1"));
  addMenuItem(reports, "LivestockReports1", QStringLiteral("Livestock Reports"));
  addMenuItem(reports, "CropReports1", QStringLiteral("Crop Reports"));
  addMenuItem(reports, "PastureAftermath1", QStringLiteral("Pasture/Aftermath"));
  addMenuItem(reports, "OtherEnterpriseReports1", QStringLiteral("Other Enterprise Reports"));
  addMenuItem(reports, "WholeFarmReport1", QStringLiteral("Whole Farm Report"));
  addMenuItem(reports, "WinnersLosers1", QStringLiteral("Winners && Losers"));
  addMenuItem(reports, "TransferReport1", QStringLiteral("Transfer Report"));
  addMenuItem(reports, "PrintVisible1", QStringLiteral("Print Visible"), &TfrmMain::printVisibleWindow);

  QMenu* exports = bar->addMenu(QStringLiteral("Export"));
  exports->setObjectName(QStringLiteral("Export1"));
  addMenuItem(exports, "TextFileallenterprises1", QStringLiteral("Text File (all enterprises)"), &TfrmMain::exportTextFile);
  addMenuItem(exports, "ToHerdPlanner1", QStringLiteral("To Herd Planner"));

  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("Help1"));
  addMenuItem(help, "HelpContents1", QStringLiteral("Help Contents"), &TfrmMain::helpContents);
  QAction* started = addMenuItem(help, "TestHelp1", QStringLiteral("Getting Started"));
  started->setEnabled(true);
  connect(started, &QAction::triggered, this, [this] { showHelpTopicFor(100); });
  addMenuItem(help, "ContactInformation1", QStringLiteral("Contact Information"), &TfrmMain::showContact);
  addMenuItem(help, "About1", QStringLiteral("About"), &TfrmMain::showAbout);

  // Six blank items only space the bar; the last one is a reminder.
  for (int i = 1; i <= 6; ++i) {
    QAction* spacer = bar->addAction(QStringLiteral(" "));
    spacer->setObjectName(QStringLiteral("N%1").arg(i));
  }
  QAction* reminder = bar->addAction(QStringLiteral("Press F1 for Help"));
  reminder->setObjectName(QStringLiteral("PressF1forHelp1"));
}

}  // namespace rb::ui
