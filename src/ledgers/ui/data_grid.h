#pragma once
// The data-aware grid over one farm table: fixed columns at the left,
// two-line titles, per-cell colours and typing rules from the grid rules,
// in-cell drop-down lists, title-click sorting, Tab and Enter moving between
// cells, and line insertion and deletion from the keyboard where the table
// allows them.
#include <QTableView>
#include <cstdint>
#include <functional>

#include "ledgers/grid_rules.h"

namespace rb {
class Farm;
class FarmRules;
class MemTable;
}  // namespace rb

namespace rb::ui {

class MemTableModel;
class GridDelegate;

class DataGrid : public QTableView {
  Q_OBJECT
 public:
  // `rules` may be null (no new-line handling).
  DataGrid(const QString& name, Farm& farm, MemTable& table, FarmRules* rules, QWidget* parent = nullptr);

  MemTableModel* tableModel() const { return model_; }
  MemTable& table() const;
  // After a title step: repaint the titles and fit the columns again.
  void refreshTitles();
  // Stores a value still being typed (before the farm is saved).
  void commitEdit();

  // Commands of the keyboard and the record navigator.
  void goFirst();
  void goPrior();
  void goNext();
  void goLast();
  void insertLine();
  void appendLine();
  // Deletes the current line after the user confirms it.
  void deleteLine();
  // Returns the lines to the order in which they were entered.
  void restoreEntryOrder();

 signals:
  // A double-click, or a typed key where the rules say so, asks for a dialog.
  void dialogRequested(rb::CellDialog dialog, int argument, int row, int column);

 protected:
  void commitData(QWidget* editor) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void resizeEvent(QResizeEvent* event) override;
  void updateGeometries() override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  void titleClicked(int column);
  void tableReset();
  void fitColumns();
  void setupFixedColumns();
  void placeFixedColumns();
  void moveToRow(int row);
  bool isLastCellOfLines(const QModelIndex& index) const;
  void appendLineFromLastCell();
  void addLine(const std::function<void(MemTable&)>& start);
  bool isEmptyLine(int row) const;
  // The line just added, still without any value.
  bool isUntouchedNewLine(int row) const;
  bool dropUntouchedNewLine(int targetRow, int targetColumn);
  void requestDialog(const QModelIndex& index, bool byKey);
  void showRefusal(const QString& message);
  int fixedWidth() const;

  Farm& farm_;
  FarmRules* rules_;
  MemTableModel* model_;
  GridDelegate* delegate_;
  QTableView* fixed_ = nullptr;  // the fixed columns, drawn over the left of the grid
  int fixedColumns_ = 0;
  std::uint64_t newLine_ = 0;  // creation number of a line just added, while untouched
  int columnBeforeReset_ = 0;
  bool closingEditor_ = false;
  bool firstColumnPending_ = false;  // a new line's first change of column, met while an editor closed
};

}  // namespace rb::ui
