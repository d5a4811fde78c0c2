#pragma once
// The Financial page control: one page per ledger, each with its coloured
// header, its record navigator and its grid.
#include <QVector>

class QWidget;

namespace rb {
class Farm;
class FarmRules;
}  // namespace rb

namespace rb::ui {

class DataGrid;
class PageControl;

PageControl* buildFinancialPages(Farm& farm, FarmRules* rules, QVector<DataGrid*>& grids, QWidget* parent = nullptr);

}  // namespace rb::ui
