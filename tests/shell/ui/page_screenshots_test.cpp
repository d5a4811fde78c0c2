// Every main page of the window on the bundled farm draws with its header
// colours; given "--save-to DIR", the pages are also saved as PNG pictures
// (run under a real display to look at them).
#include "shell/ui/window_fixture.h"
#include "ledgers/grid_rules.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTabBar>
#include <QTest>

#include "shell/application_setup.h"
#include "shell/main_window.h"
#include "shell/page_control.h"
#include "shell/program_defaults_dialog.h"

using namespace rb;

namespace {

QString saveDirectory;

// The sample farm of the repository's configuration.
uitest::FarmSpec sampleFarm() {
  uitest::FarmSpec farmSpec;
  farmSpec.name = "Dale Hoffman";
  farmSpec.business = "Willow Creek Ranch";
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.feeders = {"Backgrounders"};
  farmSpec.forage = {{"Hay", {"Alfalfa", "Timothy"}}};
  farmSpec.pasture = {"Home Quarter", "Lease"};
  farmSpec.grain = {{"Barley", {"Barley"}}};
  farmSpec.straw = {{"Straw", {"Barley Straw"}}};
  farmSpec.other = {"Custom Work"};
  return farmSpec;
}

// A few lines typed as a rancher would, so that the saved pictures show a
// farm at work rather than empty grids.
void typeLine(Farm& farm, const char* tableName, const std::vector<std::string>& cells) {
  MemTable& table = farm.table(tableName);
  table.Append();
  table.Post();
  const int row = table.CurrentIndex();
  for (std::size_t column = 0; column < cells.size(); ++column)
    if (!cells[column].empty()) typeIntoCell(farm, table, row, static_cast<int>(column), cells[column]);
}

void typeSampleEntries(Farm& farm) {
  if (!farm.table("memRevenue").IsEmpty()) return;
  typeLine(farm, "memRevenue", {"Steer calves, fall run", "98500", "Calves", "1", "", "", "", "", "", "", ""});
  typeLine(farm, "memRevenue", {"Heifer calves", "61250.5", "Calves", "1"});
  typeLine(farm, "memRevenue", {"Cull cows", "14200", "Breeding herd", "3", "1"});
  typeLine(farm, "memRevenue", {"Backgrounded steers", "132400", "Feeder/Slaughter Cattle", "", "", "1"});
  typeLine(farm, "memRevenue", {"Surplus hay", "8400", "Forage crop", "", "", "", "1"});
  typeLine(farm, "memRevenue", {"Custom swathing", "3150", "Miscellaneous"});
  MemTable& herd = farm.table("memcowcalf1");
  const std::vector<std::vector<std::string>> counts = {
      {"", "4", "620", "3", "590", "2", "18", "6", "240"},
      {"", "1150", "", "1080", "", "3200", "1900", "3500", "1850"},
      {"", "118", "", "112", "", "", "", "", ""},
      {"", "", "", "", "", "", "", "1", "20"},
      {"", "3", "", "2", "", "", "", "", "4"},
      {"", "110", "585", "60", "560", "", "", "1", "22"},
  };
  for (std::size_t row = 0; row < counts.size(); ++row)
    for (std::size_t column = 1; column < counts[row].size(); ++column)
      if (!counts[row][column].empty())
        typeIntoCell(farm, herd, static_cast<int>(row), static_cast<int>(column), counts[row][column]);
}

}  // namespace

class PageScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    QVERIFY(uitest::placeStartupFarm(folder_.path(), sampleFarm()));
    ui::StartupOptions options;
    options.programFolder = folder_.path();
    options.settingsPath = QDir(folder_.path()).filePath(QStringLiteral("Ranchbook.ini"));
    QVERIFY(uitest::writeText(options.settingsPath, "[DEFAULTS]\r\nTIMER=10\r\nLOCATION=" +
                                                        folder_.path().toStdString() + "\r\n"));
    window_ = std::make_unique<ui::TfrmMain>(options);
    if (!saveDirectory.isEmpty()) typeSampleEntries(window_->farm());
    window_->resize(1011, 656);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QVERIFY(prompts_.messages.isEmpty());
  }

  void cleanupTestCase() {
    window_->hide();
    window_.reset();
  }

  void everyMainPageDraws() {
    auto* main = window_->findChild<ui::PageControl*>(QStringLiteral("pgeMain"));
    QVERIFY(main);
    QCOMPARE(main->count(), 10);
    for (int page = 0; page < main->count(); ++page) {
      main->setCurrentIndex(page);
      QTest::qWait(50);
      const QImage image = window_->grab().toImage();
      QVERIFY(!image.isNull());
      // The selected main tab is filled with its page's colour.
      const QRect tab = main->tabBar()->tabRect(page);
      const QPoint inside = main->tabBar()->mapTo(window_.get(), tab.topLeft() + QPoint(3, 3));
      QCOMPARE(QColor(image.pixel(inside * image.devicePixelRatio())).name(),
               main->ownerDrawnTabBar()->selectedFill(page).name());
      if (!saveDirectory.isEmpty()) {
        const QString name = main->tabText(page).toLower().remove(QLatin1Char(' '));
        QVERIFY(image.save(QDir(saveDirectory).filePath(QStringLiteral("page-%1-%2.png").arg(page).arg(name))));
      }
    }
  }

  // The Program Defaults dialog over the window's settings.
  void programDefaultsDialogDraws() {
    ui::ProgramDefaultsDialog dialog(window_->settings(), folder_.path(), window_.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage image = dialog.grab().toImage();
    QVERIFY(!image.isNull());
    if (!saveDirectory.isEmpty()) QVERIFY(image.save(QDir(saveDirectory).filePath(QStringLiteral("program-defaults.png"))));
    dialog.reject();
  }

 private:
  QTemporaryDir folder_;
  uitest::ScriptedPrompts prompts_;
  std::unique_ptr<ui::TfrmMain> window_;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ui::prepareApplication();  // the pictures show the program as it starts
  QStringList arguments = QApplication::arguments();
  const qsizetype at = arguments.indexOf(QStringLiteral("--save-to"));
  if (at > 0 && at + 1 < arguments.size()) {
    saveDirectory = arguments.at(at + 1);
    arguments.remove(at, 2);
    QDir().mkpath(saveDirectory);
  }
  PageScreenshotsTest test;
  return QTest::qExec(&test, arguments);
}

#include "page_screenshots_test.moc"
