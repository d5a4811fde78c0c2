#pragma once
// The record navigator above a ledger grid: first, prior, next, last, insert
// and delete, and on some pages a refresh button that restores entry order.
#include <QWidget>

namespace rb::ui {

class DataGrid;

class RecordNavigator : public QWidget {
  Q_OBJECT
 public:
  RecordNavigator(const QString& name, DataGrid& grid, bool withRefresh, QWidget* parent = nullptr);
};

}  // namespace rb::ui
