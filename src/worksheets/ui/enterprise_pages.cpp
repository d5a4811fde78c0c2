// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/enterprise_registry.h"
#include "model/farm_data_sets.h"

#include "worksheets/ui/enterprise_pages.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ledgers/ui/data_grid.h"
#include "shell/header_panel.h"
#include "shell/lazy_page.h"
#include "shell/page_control.h"
#include "worksheets/ui/crop_calculator.h"
#include "worksheets/ui/feeder_notes.h"

namespace rb::ui {

namespace {

const KindStyle kKindStyles[kKindCount] = {
    {"TabCowCalf", "Cow Calf", "CowCalf", 0x0000FF, 0xFFFFFF, 20000},
    {"TabFeeders", "Feeders", "Feeders", 0x800080, 0xFFFFFF, 30000},
    {"TabForage", "Forage", "Forage", 0x008080, 0xFFFFFF, 40000},
    {"TabPasture", "Pasture", "Pasture", 0x008000, 0xFFFFFF, 50000},
    {"TabGrain", "Grain", "Grain", 0x808000, 0xFFFFFF, 60000},
    {"TabStraw", "Straw", "Straw", 0xFFFF00, 0x000000, 70000},
    {"TabAftermath", "Aftermath", "Aftermath", 0x008000, 0xFFFFFF, 80000},
    {"TabOther", "Other", "Other", 0x00FFFF, 0x000000, 90000},
};

// The calculator's control names on the three crop pages.
CropCalculator* calculatorFor(int kind, QWidget* parent) {
  switch (kind) {
    case kForage: return new CropCalculator(QStringLiteral("2"), QStringLiteral("btnCalc2"), parent);
    case kGrain: return new CropCalculator(QString(), QStringLiteral("btncalc"), parent);
    case kStraw: return new CropCalculator(QStringLiteral("3"), QStringLiteral("btncalc3"), parent);
    default: return nullptr;
  }
}

// The page's contents: its header (showing the tab's caption, which is the
// enterprise's label once the farm is loaded), its grid, and on a feeder page
// the notes box.
void buildWorksheetPage(QWidget& page, const QTabWidget& pages, int kind, int index, Farm& farm, FarmRules* rules,
                        QVector<DataGrid*>& grids) {
  const KindStyle& style = kindStyle(kind);
  const QString id = QString::fromStdString(enterpriseId(kind, index));
  auto* layout = new QVBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(makeHeaderPanel(QStringLiteral("pnl") + id, pages.tabText(pages.indexOf(&page)),
                                    QColor(style.colour), QColor(style.text), &page));
  MemTable* sheet = farm.findTable(("mem" + id).toStdString());
  if (!sheet) return;
  auto* grid = new DataGrid(worksheetGridName(kind, index), farm, *sheet, rules, &page);
  grids.push_back(grid);
  layout->addWidget(grid, 1);
  if (kind == kFeeders) layout->addWidget(new FeederNotes(index, *sheet, rules, &page));
}

}  // namespace

const KindStyle& kindStyle(int kind) { return kKindStyles[qBound(1, kind, kKindCount) - 1]; }

QString worksheetGridName(int kind, int index) {
  switch (kind) {
    case kCowCalf: return QStringLiteral("grdcowcalf%1").arg(index);
    case kFeeders: return QStringLiteral("grdfeeders%1").arg(index);
    case kForage: return index <= 2 ? QStringLiteral("grdforage%1").arg(index) : QStringLiteral("grdForage%1").arg(index);
    case kPasture: return index == 1 ? QStringLiteral("grdpasture1") : QStringLiteral("grdPasture%1").arg(index);
    case kGrain: return QStringLiteral("grdGrain%1").arg(index);
    case kStraw: return QStringLiteral("grdStraw%1").arg(index);
    case kAftermath: return QStringLiteral("grdAftermath1");
    case kOther: return QStringLiteral("grdOther%1").arg(index);
    default: return {};
  }
}

EnterpriseArea buildEnterpriseArea(int kind, Farm& farm, FarmRules* rules, QVector<DataGrid*>& grids, QWidget* parent) {
  const KindStyle& style = kindStyle(kind);
  EnterpriseArea area;
  area.content = new QWidget(parent);
  area.content->setObjectName(QString::fromLatin1(style.pageName));
  setHelpTopic(area.content, style.topic);
  auto* layout = new QHBoxLayout(area.content);
  layout->setContentsMargins(0, 0, 0, 0);
  area.pages = new PageControl(QStringLiteral("pge") + QString::fromLatin1(kindName(kind)), area.content);
  for (int index = 1; index <= maxEnterprisesOfKind(kind); ++index) {
    PageControl* pages = area.pages;
    const QString name = QStringLiteral("tab") + QString::fromStdString(enterpriseId(kind, index));
    auto* page = new LazyPage(name, [pages, kind, index, &farm, rules, &grids](QWidget& page) {
      buildWorksheetPage(page, *pages, kind, index, farm, rules, grids);
    });
    area.pages->addPage(page, QString::fromLatin1(style.defaultHeader), QColor(style.colour), QColor(style.text));
    // Only a registered enterprise's page is shown; the farm's load shows them.
    if (kind != kAftermath) area.pages->setTabVisible(area.pages->count() - 1, false);
  }
  layout->addWidget(area.pages, 1);
  if (isCropKindCode(kind)) {
    layout->addWidget(new LazyPage(QStringLiteral("pnlCalculator") + QString::fromLatin1(kindName(kind)), [kind](QWidget& page) {
      auto* column = new QVBoxLayout(&page);
      column->setContentsMargins(0, 0, 0, 0);
      column->addWidget(calculatorFor(kind, &page));
    }));
  }
  return area;
}

}  // namespace rb::ui
