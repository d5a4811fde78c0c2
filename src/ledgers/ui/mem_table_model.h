#pragma once
// A Qt table model over one MemTable of the farm: it observes the table's
// change notifications, shows two-line titles, paints cells with the colours
// the grid rules give, and sends every typed value through the same path as
// `ranchbook-cli set`, so that all change rules run.
#include <QAbstractTableModel>
#include <QString>

#include "ledgers/grid_rules.h"
#include <cstddef>

namespace rb {
class Farm;
class MemTable;
}  // namespace rb

namespace rb::ui {

class MemTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  MemTableModel(Farm& farm, MemTable& table, QObject* parent = nullptr);
  ~MemTableModel() override;

  Farm& farm() const { return farm_; }
  MemTable& table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The rule of a cell; the grid's current cell is painted as selected.
  CellRule ruleAt(int row, int column) const;
  void setCurrentCell(int row, int column);
  int currentRow() const { return currentRow_; }

  // The table's titles changed (a title step ran): repaint the header.
  void refreshTitles();
  // Re-reads the table whole (after the window rebuilt it).
  void reload();

 signals:
  // A typed value was refused; the text is the table's message.
  void valueRefused(const QString& message);

 private:
  void tableChanged();
  bool isShownTable() const;

  Farm& farm_;
  MemTable& table_;
  std::size_t connection_ = 0;  // our subscription to the table's changes
  int rows_ = 0;
  int columns_ = 0;
  int currentRow_ = -1;
  int currentColumn_ = -1;
  bool typing_ = false;  // a typed value is being stored: repaint once it is done
};

// Cell text as the grid shows it.
QString cellText(const MemTable& table, int row, int column);
// A column title as the grid shows it: "~" is the line break.
QString columnTitle(const MemTable& table, int column);

}  // namespace rb::ui
