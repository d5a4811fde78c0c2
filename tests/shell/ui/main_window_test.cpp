// The main window driven as a user drives it: which pages a farm shows, the
// caption and status bar, the start-up fallback, the file commands and the
// files they write, the autosave, the close question, the menus and tabs.
#include "shell/ui/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "shell/about_window.h"
#include "shell/header_panel.h"
#include "shell/labelled_edit.h"
#include "shell/main_window.h"
#include "shell/page_control.h"
#include "shell/program_defaults_dialog.h"
#include "shell/program_settings.h"
#include "shell/status_panel.h"
#include "shell/version_text.h"

using namespace rb;
using uitest::FarmSpec;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<uitest::ScriptedPrompts> prompts_;

  QString path(const QString& name) const { return QDir(folder_->path()).filePath(name); }

  void writeFarm(const QString& name, const FarmSpec& farmSpec) {
    QVERIFY(uitest::writeText(path(name), uitest::configurationText(farmSpec)));
  }

  void writeSettingsFile(int minutes) {
    QVERIFY(uitest::writeText(path("Ranchbook.ini"), "[DEFAULTS]\r\nTIMER=" + std::to_string(minutes) +
                                                         "\r\nLOCATION=" + path("farms").toStdString() + "\r\n"));
  }

  std::unique_ptr<ui::TfrmMain> openWindow(const QStringList& arguments = {}) {
    ui::StartupOptions options;
    options.programFolder = folder_->path();
    options.settingsPath = path("Ranchbook.ini");
    options.arguments = arguments;
    auto window = std::make_unique<ui::TfrmMain>(options);
    window->ensurePagesBuilt();  // pages are otherwise made when first shown
    return window;
  }

  static QStringList shownTabs(const ui::TfrmMain& window, const QString& pageControl) {
    auto* pages = window.findChild<QTabWidget*>(pageControl);
    QStringList captions;
    for (int i = 0; pages && i < pages->count(); ++i)
      if (pages->isTabVisible(i)) captions << pages->tabText(i);
    return captions;
  }

  static QString panelText(const ui::TfrmMain& window, int panel) {
    auto* status = window.findChild<ui::StatusPanel*>(QStringLiteral("StatusPanel%1").arg(panel));
    return status ? status->fullText() : QStringLiteral("<no panel>");
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    prompts_ = std::make_unique<uitest::ScriptedPrompts>();
    writeSettingsFile(0);
  }

  void cleanup() {
    prompts_.reset();
    folder_.reset();
  }

  // --- pages ----------------------------------------------------------------

  void fiveOtherEnterprisesShowFiveLabelledPages() {
    FarmSpec farmSpec;
    farmSpec.cowcalf = {"Home Herd"};
    farmSpec.other = {"Custom Work", "Hay Sales", "Trucking", "Bees", "Horses"};
    writeFarm("ranchbook.rbd", farmSpec);
    auto window = openWindow();
    QCOMPARE(prompts_->messages, QStringList());
    QCOMPARE(shownTabs(*window, "pgeother"),
             QStringList({"Custom Work", "Hay Sales", "Trucking", "Bees", "Horses"}));
    auto* header = window->findChild<QLabel*>("pnlother4");
    QVERIFY(header);
    QCOMPARE(header->text(), QStringLiteral("Bees"));
    QVERIFY(window->findChild<QWidget*>("tabother4"));
    QVERIFY(window->findChild<QWidget*>("grdOther5"));
    QCOMPARE(shownTabs(*window, "pgecowcalf"), QStringList({"Home Herd"}));
    QCOMPARE(shownTabs(*window, "pgeaftermath").size(), 1);  // always shown
  }

  void farmWithoutFeedersShowsFeedersTabWithoutSubTabs() {
    FarmSpec farmSpec;
    farmSpec.cowcalf = {"Home Herd"};
    writeFarm("ranchbook.rbd", farmSpec);
    auto window = openWindow();
    const QStringList main = shownTabs(*window, "pgeMain");
    QCOMPARE(main, QStringList({"Financial", "Cow Calf", "Feeders", "Forage", "Pasture", "Grain", "Straw", "Aftermath",
                                "Other", "Error Log"}));
    QCOMPARE(shownTabs(*window, "pgefeeders"), QStringList());
    auto* pages = window->findChild<QTabWidget*>("pgeMain");
    pages->setCurrentIndex(2);  // showing the empty Feeders page is harmless
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabFeeders"));
  }

  void reopeningAFarmHidesPagesOfEnterprisesItLacks() {
    FarmSpec big;
    big.other = {"Custom Work", "Bees"};
    writeFarm("ranchbook.rbd", big);
    FarmSpec small;
    small.other = {"Horses"};
    writeFarm("small.rbd", small);
    auto window = openWindow();
    prompts_->openPaths = {path("small.rbd")};
    window->openDocument();
    QCOMPARE(shownTabs(*window, "pgeother"), QStringList({"Horses"}));
  }

  // --- caption, status bar, tabs ---------------------------------------------

  void versionTextDropsTheFourthComponent_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("shown");
    QTest::newRow("four parts") << "3.2.6.0" << "3.2.6";
    QTest::newRow("three parts") << "1.0.0" << "1.0.0";
    QTest::newRow("none") << "" << "";
  }

  void versionTextDropsTheFourthComponent() {
    QFETCH(QString, version);
    QFETCH(QString, shown);
    QCOMPARE(ui::versionText(version), shown);
  }

  void captionAndStatusBarShowTheFarm_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("autosave");
    QTest::addColumn<int>("interval");
    QTest::newRow("off") << 0 << "Autosave: OFF" << 0;
    QTest::newRow("ten minutes") << 10 << "Autosave: ON" << 600000;
  }

  void captionAndStatusBarShowTheFarm() {
    QFETCH(int, minutes);
    QFETCH(QString, autosave);
    QFETCH(int, interval);
    writeSettingsFile(minutes);
    FarmSpec farmSpec;
    farmSpec.name = "Dale Hoffman";
    farmSpec.business = "Willow Creek Ranch";
    farmSpec.yearEnd = "31-10-2026";
    writeFarm("ranchbook.rbd", farmSpec);
    auto window = openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Ranchbook$ ") + ui::programVersionText());
    QCOMPARE(panelText(*window, 0), QStringLiteral("FILE: ") + path("ranchbook.rbd"));
    QCOMPARE(panelText(*window, 1), QStringLiteral("Dale Hoffman"));
    QCOMPARE(panelText(*window, 2), QStringLiteral("Willow Creek Ranch"));
    QCOMPARE(panelText(*window, 3), QStringLiteral("31-10-2026"));
    QCOMPARE(panelText(*window, 4), autosave);
    auto* timer = window->findChild<QTimer*>("tmrAutosave");
    QVERIFY(timer);
    QCOMPARE(timer->isActive(), interval > 0);
    if (interval > 0) QCOMPARE(timer->interval(), interval);
  }

  void selectedMainTabIsDrawnInItsColour() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* main = window->findChild<ui::PageControl*>("pgeMain");
    main->setCurrentIndex(6);  // Straw
    QTabBar* bar = main->tabBar();
    const QImage image = bar->grab().toImage();
    const auto fillOf = [&](int tab) {
      const QPoint corner = bar->tabRect(tab).topLeft() + QPoint(3, 3);
      return QColor(image.pixel(corner * image.devicePixelRatio())).name();
    };
    QCOMPARE(fillOf(6), QStringLiteral("#ffff00"));
    QCOMPARE(fillOf(0), QStringLiteral("#dddddd"));
    QCOMPARE(fillOf(9), QStringLiteral("#dddddd"));
    QCOMPARE(bar->tabRect(0).size(), QSize(80, 25));
    window->hide();
  }

  void helpTopicComesFromTheNearestMarkedAncestor() {
    FarmSpec farmSpec;
    farmSpec.cowcalf = {"Home Herd"};
    writeFarm("ranchbook.rbd", farmSpec);
    auto window = openWindow();
    QCOMPARE(ui::helpTopicOf(window->findChild<QWidget*>("grdcowcalf1")), 20000);
    QCOMPARE(ui::helpTopicOf(window->findChild<QWidget*>("grdExpenses")), 11000);
    QCOMPARE(ui::helpTopicOf(window->findChild<QWidget*>("pgeFinancial")), 1);
    QCOMPARE(ui::helpTopicOf(window->findChild<QWidget*>("memoError")), 1000);
    QCOMPARE(ui::helpTopicOf(window->statusBar()), 1);
    QWidget orphan;
    QCOMPARE(ui::helpTopicOf(&orphan), 0);  // F1 then opens topic 1
  }

  void laterCommandsArePresentButDisabled() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    QStringList captions;
    for (QAction* menu : window->menuBar()->actions()) captions << menu->text();
    QCOMPARE(captions, QStringList({"File", "Reports", "Export", "Help", " ", " ", " ", " ", " ", " ",
                                    "Press F1 for Help"}));
    auto* file = window->findChild<QMenu*>("File1");
    QStringList items;
    for (QAction* item : file->actions()) items << item->text();
    QCOMPARE(items, QStringList({"New", "Open", "Save", "Save as Startup", "Set Program Defaults",
                                 "Rename Enteprises/Crops", "Add New Enterpirise", "Add Crop to Enterprise",
                                 "Modify Farm Details", "Rollover Wizard for Next Year", "Save to &Backup",
                                 "Restore from Backup", "Exit"}));
    for (const char* later : {"New1", "RenameEnteprisesCrops1", "AddNewEnterpirse", "AddCroptoEnterprise1",
                              "ModifyFarmDetails1", "RolloverWizardforNextYear1", "LivestockReports1", "CropReports1",
                              "PastureAftermath1", "OtherEnterpriseReports1", "WholeFarmReport1", "WinnersLosers1",
                              "TransferReport1", "ToHerdPlanner1"}) {
      auto* action = window->findChild<QAction*>(later);
      QVERIFY2(action, later);
      QVERIFY2(!action->isEnabled(), later);
    }
    for (const char* now : {"Open1", "Save2", "SaveasStartup1", "SetProgramDefaults1", "SavetoBackup1",
                            "RestorefromBackup1", "Exit1", "PrintVisible1", "TextFileallenterprises1",
                            "HelpContents1", "TestHelp1",
                            "ContactInformation1", "About1"}) {
      auto* action = window->findChild<QAction*>(now);
      QVERIFY2(action && action->isEnabled(), now);
    }
    // Ctrl+B for the backup, and the desktop's usual keys for Open, Save and Exit.
    const QHash<QString, QKeySequence> shortcuts = {{"SavetoBackup1", QKeySequence(Qt::CTRL | Qt::Key_B)},
                                                    {"Open1", QKeySequence::Open},
                                                    {"Save2", QKeySequence::Save},
                                                    {"Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (QAction* item : window->findChildren<QAction*>()) {
      if (item->objectName().isEmpty()) continue;
      QCOMPARE(item->shortcut(), shortcuts.value(item->objectName()));
    }
    QCOMPARE(window->findChild<QAction*>("WinnersLosers1")->text(), QStringLiteral("Winners && Losers"));
  }

  void cropCalculatorGivesThePriceOfOneUnit_data() {
    QTest::addColumn<QString>("perTonne");
    QTest::addColumn<QString>("unitSize");
    QTest::addColumn<QString>("result");
    QTest::newRow("hay bales") << "150" << "1200" << "81.65";
    QTest::newRow("blanks around numbers") << " 150 " << "1200" << "81.65";
    QTest::newRow("not a number") << "abc" << "1200" << "ERROR";
    QTest::newRow("empty size") << "150" << "" << "ERROR";
  }

  void cropCalculatorGivesThePriceOfOneUnit() {
    QFETCH(QString, perTonne);
    QFETCH(QString, unitSize);
    QFETCH(QString, result);
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    for (const char* suffix : {"", "2", "3"}) {
      const QString s = QString::fromLatin1(suffix);
      auto* tonne = window->findChild<QLineEdit*>("edtTonne" + s);
      auto* units = window->findChild<QLineEdit*>("edtUnits" + s);
      auto* price = window->findChild<QLineEdit*>("edtResult" + s);
      const QString button = s == "2" ? "btnCalc2" : s == "3" ? "btncalc3" : "btncalc";
      auto* calc = window->findChild<QPushButton*>(button);
      QVERIFY(tonne && units && price && calc);
      tonne->setText(perTonne);
      units->setText(unitSize);
      calc->click();
      QCOMPARE(price->text(), result);
    }
  }

  // --- start-up ---------------------------------------------------------------

  void missingStartupFileFallsBackWithTheMessage() {
    FarmSpec fallback;
    fallback.name = "Fallback Farm";
    writeFarm("Ranchbook.rbd", fallback);
    const QString missing = path("nowhere/missing.rbd");
    auto window = openWindow({missing});
    QCOMPARE(prompts_->messages,
             QStringList({"Could not load designated startup file: \"" + missing + "\", reverting to Ranchbook$ default"}));
    QCOMPARE(window->currentFile(), path("Ranchbook.rbd"));
    QCOMPARE(panelText(*window, 1), QStringLiteral("Fallback Farm"));
  }

  void unreadableStartupFileFallsBackToo() {
    QVERIFY(uitest::writeText(path("ranchbook.rbd"), "this is not a farm"));
    writeFarm("Ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    QCOMPARE(prompts_->messages.size(), 1);
    QVERIFY(prompts_->messages.first().startsWith("Could not load designated startup file: \"" + path("ranchbook.rbd")));
    QCOMPARE(window->currentFile(), path("Ranchbook.rbd"));
  }

  void failingFallbackShowsItsErrorAndStillOpens() {
    auto window = openWindow({path("missing.rbd")});
    QCOMPARE(prompts_->messages.size(), 2);
    QVERIFY(prompts_->messages.at(1).contains("Ranchbook.rbd"));
    QVERIFY(window->findChild<QWidget*>("pgeMain"));
    // The rest of the start-up does not run: the status bar stays as made.
    for (int panel = 0; panel < 5; ++panel) QCOMPARE(panelText(*window, panel), QString());
  }

  void commandLineFileLoadsWithoutChangingTheSettingsFile() {
    FarmSpec farmSpec;
    farmSpec.name = "Argument Farm";
    writeFarm("other.rbd", farmSpec);
    const QByteArray settingsBefore = uitest::readBytes(path("Ranchbook.ini"));
    auto window = openWindow({path("other.rbd")});
    QCOMPARE(prompts_->messages, QStringList());
    QCOMPARE(window->currentFile(), path("other.rbd"));
    QCOMPARE(panelText(*window, 1), QStringLiteral("Argument Farm"));
    QCOMPARE(uitest::readBytes(path("Ranchbook.ini")), settingsBefore);
  }

  // --- file commands ------------------------------------------------------------

  void saveWritesTheChosenFileAndMakesItCurrent() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    prompts_->savePaths = {path("farms/saved.rbd")};
    window->saveDocument();
    QCOMPARE(prompts_->saveDialogFileNames, QStringList({"ranchbook.rbd"}));
    QCOMPARE(prompts_->dialogFolders, QStringList({path("farms")}));
    QVERIFY(uitest::readBytes(path("farms/saved.rbd")).contains("COPDATASETS"));
    QCOMPARE(window->currentFile(), path("farms/saved.rbd"));
    QCOMPARE(panelText(*window, 0), QStringLiteral("FILE: ") + path("farms/saved.rbd"));
  }

  void cancelledOrFailedSaveKeepsTheCurrentFile() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    window->saveDocument();  // cancelled
    prompts_->savePaths = {path("no/such/folder/x.rbd")};
    QVERIFY(QFile(path("no")).open(QIODevice::WriteOnly));  // a file where the folder should be
    window->saveDocument();
    QCOMPARE(prompts_->messages.size(), 1);
    QCOMPARE(window->currentFile(), path("ranchbook.rbd"));
  }

  // The text export heads its file with the status bar's texts; a cancelled
  // dialog writes nothing and a file that cannot be made is named.
  void textExportWritesTheChosenFile() {
    FarmSpec farmSpec;
    farmSpec.cowcalf = {"Home Herd"};
    writeFarm("ranchbook.rbd", farmSpec);
    auto window = openWindow();
    window->exportTextFile();  // cancelled
    QVERIFY(QDir(path("farms")).entryList(QDir::Files).isEmpty());

    prompts_->savePaths = {path("farms/farm.txt")};
    window->findChild<QAction*>("TextFileallenterprises1")->trigger();
    QCOMPARE(prompts_->dialogFolders.last(), path("farms"));
    const QList<QByteArray> lines = uitest::readBytes(path("farms/farm.txt")).split('\n');
    QVERIFY(lines.size() > 4);
    QVERIFY(lines.at(0).startsWith("Export from RanchBook$ Produced "));
    QCOMPARE(lines.at(1), ("FILE: " + path("ranchbook.rbd") + " Test Farm Test Ranch 31-12-2026\r").toUtf8());
    QVERIFY(lines.at(3).startsWith("Cowcalf1 - Home Herd"));
    QCOMPARE(prompts_->messages, QStringList());

    prompts_->savePaths = {path("farms/missing/farm.txt")};
    window->exportTextFile();
    QCOMPARE(prompts_->messages, QStringList({"Could not open File \"" + path("farms/missing/farm.txt") +
                                              "\". Bad name, or in use by another application."}));
  }

  void saveToBackupWritesTheBackupBesideTheFarm() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    window->saveToBackup();
    QVERIFY(uitest::readBytes(path("ranchbook.rbk")).contains("COPDATASETS"));
    QCOMPARE(window->currentFile(), path("ranchbook.rbd"));
  }

  void backupNames_data() {
    QTest::addColumn<QString>("farm");
    QTest::addColumn<QString>("backup");
    QTest::newRow("lower case") << "/farms/a.rbd" << "/farms/a.rbk";
    QTest::newRow("upper case") << "/farms/A.RBD" << "/farms/A.rbk";
    QTest::newRow("first only") << "/farms/x.rbd.rbd" << "/farms/x.rbk.rbd";
    QTest::newRow("no extension") << "/farms/plain" << "/farms/plain";
  }

  void backupNames() {
    QFETCH(QString, farm);
    QFETCH(QString, backup);
    QCOMPARE(ui::backupPath(farm), backup);
    if (farm.contains(".rbd", Qt::CaseInsensitive) && !farm.endsWith(".rbd.rbd"))
      QCOMPARE(ui::documentPathOfBackup(backup).toLower(), farm.toLower());
  }

  void openLoadsTheChosenFarm() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    FarmSpec farmSpec;
    farmSpec.name = "Opened Farm";
    writeFarm("opened.rbd", farmSpec);
    auto window = openWindow();
    prompts_->answers = {false};
    prompts_->openPaths = {path("opened.rbd")};
    window->openDocument();
    QCOMPARE(prompts_->messages, QStringList({"Do wish to save your current file before continuing?"}));
    QCOMPARE(window->currentFile(), path("opened.rbd"));
    QCOMPARE(panelText(*window, 1), QStringLiteral("Opened Farm"));
  }

  void openingABadFileKeepsTheFarmAndItsName() {
    FarmSpec farmSpec;
    farmSpec.name = "Kept Farm";
    writeFarm("ranchbook.rbd", farmSpec);
    QVERIFY(uitest::writeText(path("bad.rbd"), "<COPDATASETS VERSION=\"v3.02\" TYPE=\"COPDATA\">garbage"));
    auto window = openWindow();
    prompts_->openPaths = {path("bad.rbd")};
    window->openDocument();
    QCOMPARE(prompts_->messages.size(), 2);
    QVERIFY(prompts_->messages.at(1).contains("bad.rbd"));
    QCOMPARE(window->currentFile(), path("ranchbook.rbd"));
    QCOMPARE(panelText(*window, 1), QStringLiteral("Kept Farm"));
  }

  void restoreFromBackupLoadsItUnderTheFarmName() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    FarmSpec farmSpec;
    farmSpec.name = "Backed Up";
    writeFarm("season.rbk", farmSpec);
    auto window = openWindow();
    prompts_->openPaths = {path("season.rbk")};
    window->restoreFromBackup();
    QCOMPARE(prompts_->messages, QStringList());  // no save question
    QCOMPARE(window->currentFile(), path("season.rbd"));
    QCOMPARE(panelText(*window, 1), QStringLiteral("Backed Up"));
  }

  void saveAsStartupRecordsTheFileInTheSettings() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    prompts_->savePaths = {path("farms/start.rbd")};
    window->saveAsStartup();
    QVERIFY(QFileInfo::exists(path("farms/start.rbd")));
    QCOMPARE(window->currentFile(), path("ranchbook.rbd"));
    const ui::ProgramSettings settings = ui::readSettings(path("Ranchbook.ini"), folder_->path());
    QCOMPARE(settings.startupFile, path("farms/start.rbd"));
    QCOMPARE(settings.dataFolder, path("farms"));
    QCOMPARE(panelText(*window, 0), QStringLiteral("FILE: ") + path("ranchbook.rbd"));
  }

  void autosaveWritesTheBackupButNeverDuringAnUpdate() {
    writeSettingsFile(5);
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    auto* timer = window->findChild<QTimer*>("tmrAutosave");
    QCOMPARE(timer->interval(), 300000);
    window->farm().inProgramUpdate = true;
    window->autosaveTick();
    QVERIFY(!QFileInfo::exists(path("ranchbook.rbk")));
    window->farm().inProgramUpdate = false;
    window->autosaveTick();
    QVERIFY(uitest::readBytes(path("ranchbook.rbk")).contains("COPDATASETS"));
    QVERIFY(!window->farm().inProgramUpdate);
    QVERIFY(timer->isActive());
  }

  void closingAsksAndSavesOnYes_data() {
    QTest::addColumn<bool>("save");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
  }

  void closingAsksAndSavesOnYes() {
    QFETCH(bool, save);
    writeFarm("ranchbook.rbd", FarmSpec{});
    const QByteArray before = uitest::readBytes(path("ranchbook.rbd"));
    auto window = openWindow();
    window->show();
    MemTable& info = window->farm().info();
    info.First();
    info.Edit();
    info.FieldByName("Name").SetAsString("Renamed In Window");
    info.Post();
    prompts_->answers = {save};
    QVERIFY(window->close());
    QCOMPARE(prompts_->messages,
             QStringList({"Do you want to save file: \"" + path("ranchbook.rbd") + "\" before closing?"}));
    const QByteArray after = uitest::readBytes(path("ranchbook.rbd"));
    QCOMPARE(after.contains("Renamed In Window"), save);
    if (!save) QCOMPARE(after, before);
  }

  void closingKeepsTheWindowWhenTheSaveFails() {
    writeFarm("ranchbook.rbd", FarmSpec{});
    auto window = openWindow();
    window->show();
    QVERIFY(QFile::remove(path("ranchbook.rbd")));
    QVERIFY(QDir().mkpath(path("ranchbook.rbd")));  // a folder where the file was
    prompts_->answers = {true};
    QVERIFY(!window->close());
    QCOMPARE(prompts_->messages.size(), 2);
    QVERIFY(window->isVisible());
    window->hide();
  }

  void aboutAndContactWindows() {
    ui::TfrmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.size(), QSize(600, 480));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!(about.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint)));
    auto* version = about.findChild<QLabel*>("lblVersion");
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("Version:  ") + ui::programVersionText());

    ui::TfrmContact contact;
    QCOMPARE(contact.windowTitle(), QStringLiteral("Contact Information"));
    auto* text = contact.findChild<QTextBrowser*>();
    QVERIFY(text && text->isReadOnly() && text->openExternalLinks());
    QVERIFY(text->toHtml().contains("href="));
  }

  void programDefaultsEditNothingUntilSaved() {
    const ui::ProgramSettings start{5, path("farms"), path("farms/start.rbd")};
    ui::ProgramDefaultsDialog dialog(start, folder_->path());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Program Defaults"));
    auto* minutes = dialog.findChild<QSpinBox*>();
    QVERIFY(minutes);
    QCOMPARE(minutes->minimum(), 0);
    QCOMPARE(minutes->maximum(), 60);
    QCOMPARE(minutes->singleStep(), 5);
    QCOMPARE(minutes->value(), 5);
    QCOMPARE(dialog.settings().startupFile, path("farms/start.rbd"));

    dialog.findChild<QPushButton*>("btnReset")->click();
    QCOMPARE(minutes->value(), 10);
    QCOMPARE(dialog.settings().startupFile, path("ranchbook.rbd"));
    if (QDir(ui::defaultDataFolder()).exists()) {
      QCOMPARE(dialog.settings().dataFolder, ui::defaultDataFolder());
    } else {
      QCOMPARE(prompts_->messages, QStringList({"Default directory: \"" + ui::defaultDataFolder() +
                                                "\" does not exist, cannot set directory."}));
      QCOMPARE(dialog.settings().dataFolder, path("farms"));
    }
    // Nothing is written until "Save Defaults".
    QVERIFY(!uitest::readBytes(path("Ranchbook.ini")).contains("TIMER=10"));
  }

  void labelledEditSitsUnderItsCaptionAndStoresItsColumn() {
    MemTable table("memTest");
    table.AddFieldDef("Dollars", FieldType::Float);
    table.CreateColumns();
    table.Open();
    table.Append();
    table.FieldByName("Dollars").SetAsFloat(12.5);
    table.Post();
    table.FieldByName("Dollars").SetDisplayLabel("Total~Dollars");

    QWidget form;
    auto* edit = new ui::LabelledEdit(&form);
    QCOMPARE(edit->label()->text(), QString());
    QCOMPARE(edit->labelFont(), edit->font());
    edit->bind(table, "Dollars");
    edit->setUseFieldCaption(true);
    edit->setGeometry(40, 60, 120, 24);
    form.show();
    QCOMPARE(edit->label()->text(), QStringLiteral("Total Dollars"));
    QCOMPARE(edit->label()->x(), 40);
    QCOMPARE(edit->label()->geometry().bottom() + 1, 60);
    QVERIFY(edit->label()->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("12.5"));

    edit->setText("20");
    emit edit->editingFinished();
    QCOMPARE(table.FloatAt(0, 0), 20.0);
    edit->setText("twenty");
    emit edit->editingFinished();
    QCOMPARE(prompts_->messages.size(), 1);
    QCOMPARE(table.FloatAt(0, 0), 20.0);
    QCOMPARE(edit->text(), QStringLiteral("20"));

    edit->setReplaceTilde(false);
    QCOMPARE(edit->label()->text(), QStringLiteral("Total~Dollars"));
    edit->setUseFieldCaption(false);
    QCOMPARE(edit->label()->text(), QString());
    edit->setCaption("Hours");
    edit->move(10, 100);
    QCOMPARE(edit->label()->pos(), QPoint(10, 100 - edit->label()->height()));
    edit->hide();
    QVERIFY(!edit->label()->isVisible());
  }

  // --- settings -----------------------------------------------------------------

  void settingsKeepOtherLinesAndReadBack() {
    QVERIFY(uitest::writeText(path("Ranchbook.ini"), "[WINDOW]\r\nLEFT=5\r\n[DEFAULTS]\r\nTIMER=3\r\nEXTRA=1\r\n"));
    ui::ProgramSettings settings{15, path("data"), path("data/start.rbd")};
    ui::writeSettings(path("Ranchbook.ini"), settings);
    const QByteArray text = uitest::readBytes(path("Ranchbook.ini"));
    QVERIFY(text.contains("[WINDOW]\r\nLEFT=5\r\n"));
    QVERIFY(text.contains("EXTRA=1"));
    QVERIFY(text.contains("TIMER=15\r\n"));
    QVERIFY(!text.contains("TIMER=3"));
    const ui::ProgramSettings read = ui::readSettings(path("Ranchbook.ini"), folder_->path());
    QCOMPARE(read.autosaveMinutes, 15);
    QCOMPARE(read.dataFolder, path("data"));
    QCOMPARE(read.startupFile, path("data/start.rbd"));
  }

  void missingSettingsTakeTheirDefaults() {
    const ui::ProgramSettings read = ui::readSettings(path("none.ini"), folder_->path());
    QCOMPARE(read.autosaveMinutes, 0);
    QCOMPARE(read.startupFile, path("ranchbook.rbd"));
    QVERIFY(read.dataFolder.endsWith("/farms"));
    QCOMPARE(ui::settingsFilePath(folder_->path()), path("Ranchbook.ini"));
  }

  // Only a missing key takes its default: a key written empty reads empty.
  void settingsReadAsWritten_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("dataFolder");  // "<default>": the default folder
    QTest::addColumn<QString>("startupFile");
    QTest::newRow("no keys") << "[DEFAULTS]\r\n" << 0 << "<default>" << "ranchbook.rbd";
    QTest::newRow("other section only") << "[WINDOW]\r\nTIMER=5\r\nSTARTUP=x.rbd\r\n" << 0 << "<default>"
                                        << "ranchbook.rbd";
    QTest::newRow("empty values") << "[DEFAULTS]\r\nTIMER=\r\nLOCATION=\r\nSTARTUP=\r\n" << 0 << "" << "";
    QTest::newRow("timer not a number") << "[DEFAULTS]\r\nTIMER=ten\r\n" << 0 << "<default>" << "ranchbook.rbd";
    QTest::newRow("blanks and any case") << "[defaults]\r\n timer = 5 \r\nLocation= /data \r\n" << 5 << "/data"
                                         << "ranchbook.rbd";
  }

  void settingsReadAsWritten() {
    QFETCH(QString, ini);
    QFETCH(int, minutes);
    QFETCH(QString, dataFolder);
    QFETCH(QString, startupFile);
    QVERIFY(uitest::writeText(path("test.ini"), ini.toStdString()));
    const ui::ProgramSettings read = ui::readSettings(path("test.ini"), folder_->path());
    QCOMPARE(read.autosaveMinutes, minutes);
    QCOMPARE(read.dataFolder, dataFolder == "<default>" ? ui::defaultDataFolder() : dataFolder);
    QCOMPARE(read.startupFile, startupFile.isEmpty() ? QString() : path(startupFile));
  }

  void emptyStartupSettingFallsBackWithTheMessage() {
    QVERIFY(uitest::writeText(path("Ranchbook.ini"), "[DEFAULTS]\r\nTIMER=0\r\nLOCATION=" +
                                                         path("farms").toStdString() + "\r\nSTARTUP=\r\n"));
    writeFarm("ranchbook.rbd", FarmSpec{});
    FarmSpec fallback;
    fallback.name = "Fallback Farm";
    writeFarm("Ranchbook.rbd", fallback);
    auto window = openWindow();
    QCOMPARE(prompts_->messages,
             QStringList({"Could not load designated startup file: \"\", reverting to Ranchbook$ default"}));
    QCOMPARE(panelText(*window, 1), QStringLiteral("Fallback Farm"));
  }

  void fallbackFindsTheBundledFarmUnderEitherSpelling() {
    QCOMPARE(ui::fallbackStartupFile(folder_->path()), path("Ranchbook.rbd"));
    writeFarm("ranchbook.rbd", FarmSpec{});
    QCOMPARE(ui::fallbackStartupFile(folder_->path()), path("ranchbook.rbd"));
    writeFarm("Ranchbook.rbd", FarmSpec{});
    QCOMPARE(ui::fallbackStartupFile(folder_->path()), path("Ranchbook.rbd"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
