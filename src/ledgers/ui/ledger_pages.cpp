// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/farm_data_sets.h"

#include "ledgers/ui/ledger_pages.h"

#include <QVBoxLayout>

#include "ledgers/ui/data_grid.h"
#include "ledgers/ui/record_navigator.h"
#include "shell/header_panel.h"
#include "shell/lazy_page.h"
#include "shell/page_control.h"

namespace rb::ui {

namespace {

struct LedgerPage {
  const char* tab;
  const char* header;
  QRgb colour;
  QRgb tabText;
  const char* grid;
  const char* table;
  int topic;
  bool refresh;  // the first four pages restore entry order from the navigator
};

const LedgerPage kLedgerPages[] = {
    {"Revenue", "Revenue", 0x008000, 0xFFFFFF, "grdRevenue", "memRevenue", 10000, true},
    {"Expenses", "Expenses", 0xFF0000, 0xFFFFFF, "grdExpenses", "memExpenses", 11000, true},
    {"Machinery", "Depreciation on Machinery", 0x800000, 0xFFFFFF, "grdMachinery", "memMachinery", 12000, true},
    {"Buildings", "Depreciation on Buildings and Facilities", 0x800000, 0xFFFFFF, "grdBuildings", "memBuildings", 13000, true},
    {"Accounts Rec.", "Accounts Receivable", 0x008000, 0xFFFFFF, "grdAcRec", "memAcRec", 14000, false},
    {"Accounts Pay.", "Accounts Payable", 0xFF0000, 0xFFFFFF, "grdAcPay", "memAcPay", 15000, false},
    {"Supply Inv.", "Supply Inventory", 0x808080, 0x000000, "grdSupplyInv", "memSupplyInv", 16000, false},
    {"Purch. Feed Inv.", "Purchased Feed Inventory", 0x808080, 0xFFFFFF, "grdPurchFeedInv", "memPurchFeedInv", 17000, false},
    {"Unpaid Labour", "Unpaid Labour", 0xFF00FF, 0x000000, "grdUnpaid", "memUnpaid", 18000, false},
};

}  // namespace

PageControl* buildFinancialPages(Farm& farm, FarmRules* rules, QVector<DataGrid*>& grids, QWidget* parent) {
  auto* pages = new PageControl(QStringLiteral("pgeFinancial"), parent);
  setHelpTopic(pages, 1);
  for (const LedgerPage& ledgerPage : kLedgerPages) {
    const QString tableName = QString::fromLatin1(ledgerPage.table);
    auto* page = new LazyPage(QStringLiteral("tab") + tableName.mid(3), [&farm, rules, &grids, &ledgerPage](QWidget& page) {
      const QString tableName = QString::fromLatin1(ledgerPage.table);
      auto* layout = new QVBoxLayout(&page);
      layout->setContentsMargins(0, 0, 0, 0);
      layout->setSpacing(0);
      // The header text is white on every ledger page; the tab text follows
      // the tab table.
      layout->addWidget(makeHeaderPanel(QStringLiteral("pnl") + tableName.mid(3), QString::fromLatin1(ledgerPage.header),
                                        QColor(ledgerPage.colour), Qt::white, &page));
      auto* grid = new DataGrid(QString::fromLatin1(ledgerPage.grid), farm, farm.table(ledgerPage.table), rules, &page);
      layout->addWidget(new RecordNavigator(QStringLiteral("nav") + tableName.mid(3), *grid, ledgerPage.refresh, &page));
      layout->addWidget(grid, 1);
      grids.push_back(grid);
    });
    setHelpTopic(page, ledgerPage.topic);
    pages->addPage(page, QString::fromLatin1(ledgerPage.tab), QColor(ledgerPage.colour), QColor(ledgerPage.tabText));
  }
  return pages;
}

}  // namespace rb::ui
