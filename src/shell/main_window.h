#pragma once
// TfrmMain: the program's one top-level window. It owns the open farm and
// its change rules and shows them on two levels of pages: the financial
// ledgers, one page per enterprise kind and the error log.
#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <memory>

#include "shell/program_settings.h"

class QAction;
class QMenu;
class QLabel;
class QPlainTextEdit;
class QTimer;

// No core header here: moc compiles this header after Qt's, and the core's
// signals have an `emit` member that Qt's keyword macro would break.
namespace rb {
class Farm;
class FarmRules;
struct EnterpriseRow;
}

namespace rb::ui {

class DataGrid;
class FarmPreload;
class FeederNotes;
class PageControl;
class StatusPanel;

struct StartupOptions {
  QString programFolder;   // where the bundled farm and, when writable, the settings live
  QString settingsPath;    // empty: "Ranchbook.ini" as settingsFilePath() finds it
  QStringList arguments;   // the command-line arguments after the program name
};

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfrmMain(const StartupOptions& options, QWidget* parent = nullptr);
  ~TfrmMain() override;

  Farm& farm() { return *farm_; }
  FarmRules* rules() const { return rules_.get(); }
  const QString& currentFile() const { return currentFile_; }
  const ProgramSettings& settings() const { return settings_; }
  const QString& settingsPath() const { return settingsPath_; }

  // Operations other parts of the program call.
  void hideEnterpriseTabs();
  void showEnterprisePage(const EnterpriseRow& enterprise);
  void attachColumnEditors();
  void resetActivePages();
  void refreshStatusBar();
  void addLogLine(const QString& text);
  // Refills the error-log page from the farm's log.
  void showErrorLog();

  // Makes the contents of every page now; pages are otherwise made when
  // first shown.
  void ensurePagesBuilt();

  // File commands.
  void openDocument();
  void saveDocument();
  void saveAsStartup();
  void saveToBackup();
  void restoreFromBackup();
  void editProgramDefaults();
  void autosaveTick();

  // Export.
  void exportTextFile();

  // Help.
  void helpForFocus();
  void helpContents();
  void showHelpTopicFor(int topic);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildPages();
  void buildStatusBar();
  void buildMenu();
  QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, void (TfrmMain::*handler)() = nullptr);
  void chooseStartupFile(const QStringList& arguments);
  void startUp(FarmPreload& startupFarm);
  void loadFarmFile(const QString& path);
  void afterLoadTitles();
  void refreshGridTitles();
  void commitGridEdits();
  void applyAutosaveTimer();
  QString askOpenFileName(bool backup);
  QString askSaveFileName();
  bool askToSaveFirst();
  void saveTo(const QString& path);
  PageControl* pagesOfKind(int kind) const;
  void feederPageShown(int index);
  void showAbout();
  void showContact();
  void printVisibleWindow();

  // The farm outlives every widget that observes it: the widgets are deleted
  // first in the destructor.
  class View;
  std::unique_ptr<Farm> farm_;
  std::unique_ptr<FarmRules> rules_;
  std::unique_ptr<View> view_;
  QString programFolder_;
  QString settingsPath_;
  ProgramSettings settings_;
  QString currentFile_;
  QTimer* autosaveTimer_ = nullptr;

  PageControl* pgeMain_ = nullptr;
  PageControl* pgeFinancial_ = nullptr;
  std::array<PageControl*, 9> kindPages_{};  // indexed by kind code 1 to 8
  QVector<DataGrid*> grids_;
  QPlainTextEdit* memoError_ = nullptr;
  std::array<StatusPanel*, 5> statusPanels_{};
};

}  // namespace rb::ui
