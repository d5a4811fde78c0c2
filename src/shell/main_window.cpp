// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "files/farm_file_reader.h"
#include "model/farm_data_sets.h"

#include "shell/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ledgers/ui/data_grid.h"
#include "ledgers/ui/ledger_pages.h"
#include "shell/error_log_page.h"
#include "shell/farm_preload.h"
#include "shell/header_panel.h"
#include "shell/help_hook.h"
#include "shell/lazy_page.h"
#include "shell/page_control.h"
#include "shell/status_panel.h"
#include "shell/version_text.h"
#include "worksheets/farm_rules.h"
#include "worksheets/ui/enterprise_pages.h"
#include "worksheets/ui/feeder_notes.h"

namespace rb::ui {

namespace {

const QColor kFinancialFill(0x00, 0x00, 0x80);
const QColor kErrorLogFill(0xFF, 0x00, 0x00);

QString textOfInfo(const MemTable& info, const char* column) {
  const int index = info.FieldIndex(column);
  if (index < 0 || info.RecordCount() == 0) return {};
  return QString::fromStdString(info.StringAt(0, index));
}

// The page of a page control whose name matches, without regard to case.
int pageIndexByName(const QTabWidget* pages, const QString& name) {
  for (int i = 0; i < pages->count(); ++i)
    if (pages->widget(i)->objectName().compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

}  // namespace

// What a farm load tells the window about the pages to show.
class TfrmMain::View : public FarmView {
 public:
  explicit View(TfrmMain& window) : window_(window) {}
  void hideEnterpriseTabs() override { window_.hideEnterpriseTabs(); }
  void showEnterprisePage(const EnterpriseRow& enterprise) override { window_.showEnterprisePage(enterprise); }
  void attachColumnEditors() override { window_.attachColumnEditors(); }

 private:
  TfrmMain& window_;
};

TfrmMain::TfrmMain(const StartupOptions& options, QWidget* parent)
    : QMainWindow(parent),
      farm_(std::make_unique<Farm>()),
      rules_(std::make_unique<FarmRules>(*farm_)),
      view_(std::make_unique<View>(*this)),
      programFolder_(options.programFolder) {
  setObjectName(QStringLiteral("frmMain"));
  setHelpTopic(this, 1);
  setWindowTitle(mainWindowCaption());
  resize(1011, 656);
  settingsPath_ = options.settingsPath.isEmpty() ? settingsFilePath(programFolder_) : options.settingsPath;
  chooseStartupFile(options.arguments);
  // The start-up farm is read while the pages are built.
  FarmPreload startupFarm(settings_.startupFile);

  autosaveTimer_ = new QTimer(this);
  autosaveTimer_->setObjectName(QStringLiteral("tmrAutosave"));
  connect(autosaveTimer_, &QTimer::timeout, this, &TfrmMain::autosaveTick);

  buildPages();
  buildStatusBar();
  buildMenu();
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, &TfrmMain::helpForFocus);

  farm_->setView(view_.get());
  startUp(startupFarm);
}

TfrmMain::~TfrmMain() {
  autosaveTimer_->stop();
  farm_->setView(nullptr);
  // The grids and notes observe the farm's tables: they go before the farm.
  delete takeCentralWidget();
  grids_.clear();
}

void TfrmMain::buildPages() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(2, 2, 2, 0);
  pgeMain_ = new PageControl(QStringLiteral("pgeMain"), central);
  pgeMain_->setFixedTabSize(QSize(80, 25));
  QFont tabFont(QStringLiteral("Arial"), 9);
  pgeMain_->tabBar()->setFont(tabFont);

  auto* financial = new QWidget;
  financial->setObjectName(QStringLiteral("TabFinancial"));
  setHelpTopic(financial, 13000);
  auto* financialLayout = new QVBoxLayout(financial);
  financialLayout->setContentsMargins(0, 0, 0, 0);
  pgeFinancial_ = buildFinancialPages(*farm_, rules_.get(), grids_, financial);
  financialLayout->addWidget(pgeFinancial_);
  pgeMain_->addPage(financial, QStringLiteral("Financial"), kFinancialFill, Qt::white);

  for (int kind = kCowCalf; kind <= kOther; ++kind) {
    const EnterpriseArea area = buildEnterpriseArea(kind, *farm_, rules_.get(), grids_);
    kindPages_[static_cast<std::size_t>(kind)] = area.pages;
    const KindStyle& style = kindStyle(kind);
    pgeMain_->addPage(area.content, QString::fromLatin1(style.caption), QColor(style.colour), QColor(style.text));
  }
  auto* errorLog = new LazyPage(QStringLiteral("taberrorlog"), [this](QWidget& page) {
    buildErrorLogPage(page, memoError_);
    showErrorLog();
  });
  setHelpTopic(errorLog, 1000);
  pgeMain_->addPage(errorLog, QStringLiteral("Error Log"), kErrorLogFill, Qt::white);
  layout->addWidget(pgeMain_);
  setCentralWidget(central);

  // Showing a feeder page runs its inventory reconciliation.
  PageControl* feeders = pagesOfKind(kFeeders);
  connect(feeders, &QTabWidget::currentChanged, this, &TfrmMain::feederPageShown);
  connect(pgeMain_, &QTabWidget::currentChanged, this, [this, feeders](int index) {
    if (pgeMain_->widget(index)->objectName() == QLatin1String("TabFeeders")) feederPageShown(feeders->currentIndex());
  });
}

void TfrmMain::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(true);
  // The panels keep their designed widths, widened where this desktop's font
  // needs more room for the year end and the autosave text.
  const QFontMetrics metrics(bar->font());
  const int widths[] = {300, 200, 200, qMax(80, metrics.horizontalAdvance(QStringLiteral("00-00-0000")) + 16),
                        qMax(80, metrics.horizontalAdvance(QStringLiteral("Autosave: OFF")) + 16)};
  for (int i = 0; i < 5; ++i) {
    auto* panel = new StatusPanel(QStringLiteral("StatusPanel%1").arg(i), widths[i],
                                  i == 0 ? Qt::AlignHCenter : Qt::AlignLeft, bar);
    bar->addWidget(panel);
    statusPanels_[static_cast<std::size_t>(i)] = panel;
  }
}

PageControl* TfrmMain::pagesOfKind(int kind) const { return kindPages_.at(static_cast<std::size_t>(kind)); }

void TfrmMain::ensurePagesBuilt() { LazyPage::buildAllUnder(*this); }

void TfrmMain::feederPageShown(int index) {
  PageControl* feeders = pagesOfKind(kFeeders);
  if (index < 0 || index >= feeders->count() || !feeders->isTabVisible(index)) return;
  if (auto* page = qobject_cast<LazyPage*>(feeders->widget(index))) page->ensureBuilt();
  if (auto* notes = feeders->widget(index)->findChild<FeederNotes*>()) notes->reconcile();
}

// ---------------------------------------------------------------------------
// Operations
// ---------------------------------------------------------------------------

void TfrmMain::hideEnterpriseTabs() {
  for (int kind = kCowCalf; kind <= kOther; ++kind) {
    if (kind == kAftermath) continue;  // its single page is always shown
    PageControl* pages = pagesOfKind(kind);
    // Each change of a tab lays the bar out again: change only what differs.
    for (int i = 0; i < pages->count(); ++i)
      if (pages->isTabVisible(i)) pages->setTabVisible(i, false);
  }
}

void TfrmMain::showEnterprisePage(const EnterpriseRow& enterprise) {
  if (enterprise.kind < kCowCalf || enterprise.kind > kOther) return;
  PageControl* pages = pagesOfKind(enterprise.kind);
  const QString id = QString::fromStdString(enterprise.id);
  const QString label = QString::fromStdString(enterprise.label);
  const int index = pageIndexByName(pages, QStringLiteral("tab") + id);
  if (index < 0) return;
  if (pages->tabText(index) != label) pages->setTabText(index, label);
  if (!pages->isTabVisible(index)) pages->setTabVisible(index, true);
  for (QLabel* panel : pages->widget(index)->findChildren<QLabel*>())
    if (panel->objectName().compare(QStringLiteral("pnl") + id, Qt::CaseInsensitive) == 0) panel->setText(label);
}

void TfrmMain::attachColumnEditors() {
  // The in-cell lists come from the grid rules of each cell; the grids only
  // need to show the reloaded tables.
  for (DataGrid* grid : grids_) grid->refreshTitles();
}

void TfrmMain::resetActivePages() {
  pgeMain_->setCurrentIndex(0);
  pgeFinancial_->setCurrentIndex(0);
  for (int kind = kCowCalf; kind <= kOther; ++kind) {
    PageControl* pages = pagesOfKind(kind);
    if (pages->count() > 0 && pages->isTabVisible(0))
      pages->setCurrentIndex(0);
    else
      pages->selectFirstShownPage();
  }
}

void TfrmMain::refreshStatusBar() {
  const MemTable& info = farm_->info();
  statusPanels_[0]->setFullText(QStringLiteral("FILE: ") + currentFile_);
  statusPanels_[1]->setFullText(textOfInfo(info, "Name"));
  statusPanels_[2]->setFullText(textOfInfo(info, "business"));
  statusPanels_[3]->setFullText(textOfInfo(info, "fiscalyearend"));
  statusPanels_[4]->setFullText(settings_.autosaveMinutes > 0 ? QStringLiteral("Autosave: ON")
                                                              : QStringLiteral("Autosave: OFF"));
}

void TfrmMain::addLogLine(const QString& text) {
  farm_->addLogLine(text.toStdString());
  if (memoError_) memoError_->appendPlainText(text);
}

void TfrmMain::showErrorLog() {
  if (!memoError_) return;  // the page shows the log when it is first made
  QStringList lines;
  for (const std::string& line : farm_->errorLog()) lines << QString::fromStdString(line);
  memoError_->setPlainText(lines.join(QLatin1Char('\n')));
}

void TfrmMain::refreshGridTitles() {
  for (DataGrid* grid : grids_) grid->refreshTitles();
}

void TfrmMain::commitGridEdits() {
  // An edit still open in a grid is stored before the farm is written.
  for (DataGrid* grid : grids_) grid->commitEdit();
}

// ---------------------------------------------------------------------------
// Help
// ---------------------------------------------------------------------------

void TfrmMain::helpForFocus() {
  if (farm_->inProgramUpdate) return;
  QWidget* focus = QApplication::focusWidget();
  const int topic = helpTopicOf(focus && isAncestorOf(focus) ? focus : this);
  showHelpTopic(this, topic < 1 ? 1 : topic);
}

void TfrmMain::showHelpTopicFor(int topic) { showHelpTopic(this, topic); }

void TfrmMain::helpContents() {
  ProgramUpdate busy(*farm_);
  showHelpTopic(this, 0);
}

}  // namespace rb::ui
