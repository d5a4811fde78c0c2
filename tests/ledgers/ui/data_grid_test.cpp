// The data-aware grid driven from the keyboard: typed values go through the
// same path as `ranchbook-cli set`, a bad number leaves the cell as it was,
// computed and fixed cells take nothing, drop-down lists take only their
// entries, depreciation follows its type, lines are inserted and deleted
// where the table allows it, and titles sort.
#include "shell/ui/window_fixture.h"
#include "worksheets/farm_rules.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "ledgers/grid_rules.h"
#include "ledgers/ui/data_grid.h"
#include "ledgers/ui/mem_table_model.h"

using namespace rb;

namespace {

// The values of every cell, to show that nothing changed.
std::vector<Value> snapshot(const MemTable& table) {
  std::vector<Value> cells;
  for (int r = 0; r < table.RecordCount(); ++r)
    for (int c = 0; c < table.FieldCount(); ++c) cells.push_back(table.ValueAt(r, c));
  return cells;
}

// A line that was already in the farm (as if loaded), so it is no new line
// the user has just started.
void appendLine(Farm& farm, MemTable& table, const std::vector<std::pair<int, std::string>>& cells) {
  {
    ProgramUpdate loading(farm);
    table.Append();
    table.Post();
  }
  for (const auto& [column, text] : cells) typeIntoCell(farm, table, table.CurrentIndex(), column, text);
}

}  // namespace

class DataGridTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Farm> farm_;
  std::unique_ptr<FarmRules> rules_;
  std::unique_ptr<uitest::ScriptedPrompts> prompts_;
  std::unique_ptr<ui::DataGrid> grid_;

  ui::DataGrid& showGrid(const char* table, const char* name) {
    grid_ = std::make_unique<ui::DataGrid>(QString::fromLatin1(name), *farm_, farm_->table(table), rules_.get());
    grid_->resize(900, 400);
    grid_->show();
    QApplication::setActiveWindow(grid_.get());
    grid_->setFocus();
    if (!QTest::qWaitForWindowActive(grid_.get())) qWarning("grid window not active");
    return *grid_;
  }

  void select(int row, int column) {
    grid_->setCurrentIndex(grid_->tableModel()->index(row, column));
    grid_->setFocus();
  }

  // Keys go where the user's keys would: the open editor, else the grid.
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid_.get();
    QTest::keyClick(target, key, modifiers);
  }

  void type(const QString& text) {
    for (const QChar c : text) {
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid_.get();
      QTest::keyClick(target, c.toLatin1());
    }
  }

 private slots:
  void init() {
    farm_ = std::make_unique<Farm>();
    rules_ = std::make_unique<FarmRules>(*farm_);
    uitest::FarmSpec farmSpec;
    farmSpec.cowcalf = {"Home Herd", "Heifers"};
    farmSpec.pasture = {"Home Quarter"};
    farmSpec.forage = {{"Hay", {"Alfalfa"}}};
    uitest::makeFarm(*farm_, farmSpec);
    farm_->applyAllTitleSteps();
    prompts_ = std::make_unique<uitest::ScriptedPrompts>();
  }

  void cleanup() {
    grid_.reset();
    prompts_.reset();
    rules_.reset();
    farm_.reset();
  }

  void typedNumberGoesIntoTheLineAndEnterMovesOn() {
    MemTable& revenue = farm_->table("memRevenue");
    appendLine(*farm_, revenue, {{0, "Steer calves"}});
    showGrid("memRevenue", "grdRevenue");
    select(0, 1);
    type("1250.5");
    press(Qt::Key_Return);
    QCOMPARE(revenue.FloatAt(0, 1), 1250.5);
    QCOMPARE(revenue.StringAt(0, 0), std::string("Steer calves"));
    QCOMPARE(grid_->currentIndex().column(), 2);
    QCOMPARE(prompts_->messages, QStringList());
  }

  void tabStoresTheTextAndMovesToTheNextCell() {
    MemTable& revenue = farm_->table("memRevenue");
    appendLine(*farm_, revenue, {});
    showGrid("memRevenue", "grdRevenue");
    select(0, 0);
    type("Cull cows");
    press(Qt::Key_Tab);
    QCOMPARE(revenue.StringAt(0, 0), std::string("Cull cows"));
    QCOMPARE(grid_->currentIndex().column(), 1);
  }

  void badNumberShowsTheTableMessageAndKeepsTheValue() {
    MemTable& revenue = farm_->table("memRevenue");
    appendLine(*farm_, revenue, {{0, "Hay"}, {1, "100"}});
    showGrid("memRevenue", "grdRevenue");
    select(0, 1);
    type("12x5");
    press(Qt::Key_Return);
    QTRY_COMPARE(prompts_->messages.size(), 1);
    QVERIFY(!prompts_->messages.first().isEmpty());
    QCOMPARE(revenue.FloatAt(0, 1), 100.0);
    QCOMPARE(revenue.State(), TableState::Browse);
  }

  void gridFollowsTheTableAndShowsTwoLineTitles() {
    showGrid("memcowcalf1", "grdcowcalf1");
    ui::MemTableModel* model = grid_->tableModel();
    QCOMPARE(model->rowCount(), 10);
    QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Bull/Steer\nCalves"));
    MemTable& herd = farm_->table("memcowcalf1");
    typeIntoCell(*farm_, herd, 0, 8, "240");
    QCOMPARE(model->data(model->index(0, 8), Qt::DisplayRole).toString(), QStringLiteral("240"));
    MemTable& revenue = farm_->table("memRevenue");
    showGrid("memRevenue", "grdRevenue");
    appendLine(*farm_, revenue, {{0, "Line"}});
    QCOMPARE(grid_->tableModel()->rowCount(), 1);
  }

  void gridLinesAreSingleGreyLines() {
    MemTable& revenue = farm_->table("memRevenue");
    appendLine(*farm_, revenue, {{0, "Line"}});
    showGrid("memRevenue", "grdRevenue");
    select(0, 2);
    const QImage image = grid_->viewport()->grab().toImage();
    const int x = grid_->columnViewportPosition(1) + grid_->columnWidth(1) - 1;
    const int y = grid_->rowViewportPosition(0) + grid_->rowHeight(0) / 2;
    QCOMPARE(QColor(image.pixel(QPoint(x, y) * image.devicePixelRatio())).name(), QStringLiteral("#808080"));
  }

  void computedAndFixedCellsTakeNothing_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::newRow("accounts payable change") << "memAcPay" << 0 << "Change";
    QTest::newRow("unpaid labour total") << "memUnpaid" << 0 << "TotDollars";
    QTest::newRow("cow-calf transfers in") << "memcowcalf1" << 6 << "bulls";
    QTest::newRow("cow-calf row name") << "memcowcalf1" << 0 << "Description";
    QTest::newRow("pasture AUMs") << "mempasture1" << 0 << "TotalAums";
    QTest::newRow("crop tonnes") << "memforage1" << 0 << "TotalTonnes";
  }

  void computedAndFixedCellsTakeNothing() {
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, column);
    MemTable& sheet = farm_->table(table.toStdString());
    if (sheet.RecordCount() <= row) appendLine(*farm_, sheet, {{0, "Line"}, {1, "10"}});
    const int columnIndex = sheet.FieldIndex(column.toStdString());
    QVERIFY(columnIndex >= 0);
    showGrid(table.toLatin1().constData(), "grdUnderTest");
    const std::vector<Value> before = snapshot(sheet);
    select(row, columnIndex);
    type("7");
    press(Qt::Key_Delete);
    QCOMPARE(QApplication::focusWidget(), grid_.get());  // no editor was opened
    QVERIFY(snapshot(sheet) == before);
    QCOMPARE(grid_->currentIndex().row(), row);  // no jump to a line starting with the key
  }

  void depreciationTypeRecomputesTheLine() {
    MemTable& machinery = farm_->table("memMachinery");
    appendLine(*farm_, machinery, {{0, "Tractor"}, {1, "10000"}});
    showGrid("memMachinery", "grdMachinery");
    select(0, 2);
    press(Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      QCOMPARE(combo->objectName(), QStringLiteral("cmbMachinery"));
      combo->setCurrentIndex(combo->findText("Power machinery"));
    } else {
      type("Power machinery");
    }
    press(Qt::Key_Return);
    QCOMPARE(machinery.StringAt(0, 2), std::string("Power machinery"));
    QCOMPARE(machinery.FloatAt(0, 3), 8.0);
    QCOMPARE(machinery.FloatAt(0, 4), 800.0);

    select(0, 2);
    press(Qt::Key_F2);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY(combo);
    combo->setCurrentIndex(combo->findText("Non-power machinery"));
    press(Qt::Key_Return);
    QCOMPARE(machinery.FloatAt(0, 3), 11.5);
    QCOMPARE(machinery.FloatAt(0, 4), 1150.0);
  }

  void categoryCellRefusesTextOutsideItsList() {
    MemTable& expenses = farm_->table("memExpenses");
    appendLine(*farm_, expenses, {{0, "Diesel"}, {1, "900"}});
    showGrid("memExpenses", "grdExpenses");
    ui::MemTableModel* model = grid_->tableModel();
    const int category = expenses.FieldIndex("Category");
    QVERIFY(model->ruleAt(0, category).pickList);
    QVERIFY(!model->setData(model->index(0, category), QStringLiteral("Groceries")));
    QVERIFY(isNull(expenses.ValueAt(0, category)));

    select(0, category);
    press(Qt::Key_F2);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY(combo);
    QCOMPARE(combo->objectName(), QStringLiteral("cmbExpenses"));
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->count(), 24);
    combo->setCurrentIndex(combo->findText("Fuel"));
    press(Qt::Key_Return);
    QCOMPARE(expenses.StringAt(0, category), std::string("Fuel"));
  }

  void linesAreInsertedAndDeletedFromTheKeyboard() {
    MemTable& revenue = farm_->table("memRevenue");
    QVERIFY(allowsLineInsertAndDelete(revenue));
    appendLine(*farm_, revenue, {{0, "A"}});
    appendLine(*farm_, revenue, {{0, "B"}});
    showGrid("memRevenue", "grdRevenue");
    select(1, 0);
    press(Qt::Key_Insert);
    QCOMPARE(revenue.RecordCount(), 3);
    QCOMPARE(grid_->currentIndex().row(), 1);
    press(Qt::Key_Up);  // leaving the untouched new line abandons it
    QCOMPARE(revenue.RecordCount(), 2);
    QCOMPARE(revenue.StringAt(0, 0), std::string("A"));
    QCOMPARE(grid_->currentIndex().row(), 0);

    select(1, 0);
    press(Qt::Key_Down);  // below the last line: a new line
    QCOMPARE(revenue.RecordCount(), 3);
    type("C");
    press(Qt::Key_Return);
    press(Qt::Key_Up);
    QCOMPARE(revenue.RecordCount(), 3);
    QCOMPARE(revenue.StringAt(2, 0), std::string("C"));

    select(0, 0);
    prompts_->answers = {false, true};
    press(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(revenue.RecordCount(), 3);
    press(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(prompts_->messages, QStringList({"Delete record?", "Delete record?"}));
    QCOMPARE(revenue.RecordCount(), 2);
    QCOMPARE(revenue.StringAt(0, 0), std::string("B"));
  }

  // The first change of column after a line is started lands on its
  // Description, once, whether or not the cursor also changes line.
  void newLineSendsTheCursorToItsFirstColumnOnce() {
    MemTable& revenue = farm_->table("memRevenue");
    QVERIFY(allowsLineInsertAndDelete(revenue));
    appendLine(*farm_, revenue, {{0, "A"}});
    showGrid("memRevenue", "grdRevenue");
    const auto at = [&](int row, int column) { return grid_->tableModel()->index(row, column); };

    select(0, 0);
    press(Qt::Key_Down);  // a new line below the last
    QCOMPARE(grid_->currentIndex(), at(1, 0));
    type("B");
    press(Qt::Key_Tab);
    QCOMPARE(revenue.StringAt(1, 0), std::string("B"));
    QCOMPARE(grid_->currentIndex(), at(1, 0));
    press(Qt::Key_Tab);
    QCOMPARE(grid_->currentIndex(), at(1, 1));

    press(Qt::Key_Down);  // another new line, started in the Dollars column
    QCOMPARE(grid_->currentIndex(), at(2, 1));
    type("5");
    press(Qt::Key_Up);  // a change of line alone keeps the column
    QCOMPARE(revenue.FloatAt(2, 1), 5.0);
    QCOMPARE(grid_->currentIndex(), at(1, 1));
    select(0, 2);  // a change of line and column
    QCOMPARE(grid_->currentIndex(), at(0, 0));
    select(0, 2);
    QCOMPARE(grid_->currentIndex(), at(0, 2));
  }

  // Tab or Enter from the last cell of the last line start a new line in its
  // first column, with or without an open editor; not while that line is
  // still empty.
  void nextCellAfterTheLastIsANewLine() {
    MemTable& revenue = farm_->table("memRevenue");
    QVERIFY(allowsLineInsertAndDelete(revenue));
    appendLine(*farm_, revenue, {{0, "A"}});
    showGrid("memRevenue", "grdRevenue");
    const auto at = [&](int row, int column) { return grid_->tableModel()->index(row, column); };
    const int last = revenue.FieldCount() - 1;

    select(0, last);
    press(Qt::Key_Tab);
    QCOMPARE(revenue.RecordCount(), 2);
    QCOMPARE(grid_->currentIndex(), at(1, 0));
    select(1, last);
    press(Qt::Key_Tab);  // the new line is still empty
    QCOMPARE(revenue.RecordCount(), 2);
    QCOMPARE(grid_->currentIndex(), at(1, 0));

    select(1, last);
    type("2");
    press(Qt::Key_Return);  // from the editor
    QCOMPARE(revenue.FloatAt(1, last), 2.0);
    QCOMPARE(revenue.RecordCount(), 3);
    QCOMPARE(grid_->currentIndex(), at(2, 0));
    type("C");
    press(Qt::Key_Tab);  // not the last cell: the next one
    QCOMPARE(revenue.StringAt(2, 0), std::string("C"));
    QCOMPARE(revenue.RecordCount(), 3);
  }

  void worksheetGridsKeepTheirRows() {
    MemTable& herd = farm_->table("memcowcalf1");
    QVERIFY(!allowsLineInsertAndDelete(herd));
    showGrid("memcowcalf1", "grdcowcalf1");
    select(9, 1);
    press(Qt::Key_Insert);
    press(Qt::Key_Down);
    prompts_->answers = {true};
    press(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(herd.RecordCount(), 10);
    QCOMPARE(prompts_->messages, QStringList());
  }

  void titleClickSortsAndRefreshRestoresEntryOrder() {
    MemTable& revenue = farm_->table("memRevenue");
    QVERIFY(sortsOnTitleClick(revenue));
    appendLine(*farm_, revenue, {{0, "b"}, {1, "300"}});
    appendLine(*farm_, revenue, {{0, "c"}, {1, "100"}});
    appendLine(*farm_, revenue, {{0, "a"}, {1, "200"}});
    showGrid("memRevenue", "grdRevenue");
    QHeaderView* header = grid_->horizontalHeader();
    const auto clickTitle = [&](int column) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    const auto descriptions = [&] {
      std::string order;
      for (int r = 0; r < revenue.RecordCount(); ++r) order += revenue.StringAt(r, 0);
      return order;
    };
    clickTitle(1);
    QCOMPARE(descriptions(), std::string("cab"));
    QCOMPARE(grid_->tableModel()->data(grid_->tableModel()->index(0, 1), Qt::DisplayRole).toString(),
             QStringLiteral("100"));
    grid_->restoreEntryOrder();
    QCOMPARE(descriptions(), std::string("bca"));
  }

  void fixedColumnsStayAtTheLeft() {
    QVERIFY(fixedColumnCount(farm_->table("memcowcalf1")) > 0);
    showGrid("memcowcalf1", "grdcowcalf1");
    auto* fixed = grid_->findChild<QTableView*>("grdcowcalf1Fixed");
    QVERIFY(fixed);
    QVERIFY(fixed->isVisible());
    QVERIFY(!fixed->isColumnHidden(0));
    QVERIFY(fixed->isColumnHidden(1));
  }
};

QTEST_MAIN(DataGridTest)
#include "data_grid_test.moc"
