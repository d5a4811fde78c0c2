#pragma once
// The pages of one enterprise kind: a page control with one page per
// possible enterprise (header panel and worksheet grid), the feeder pages'
// notes and warning picture, and the crop pages' calculator.
#include <QString>
#include <QVector>

class QWidget;

namespace rb {
class Farm;
class FarmRules;
}  // namespace rb

namespace rb::ui {

class DataGrid;
class PageControl;

struct KindStyle {
  const char* pageName;      // "TabCowCalf"
  const char* caption;       // main tab caption
  const char* defaultHeader; // header text before a label is applied
  unsigned colour;           // header and selected-tab fill, 0xRRGGBB
  unsigned text;             // header and selected-tab text
  int topic;                 // help topic
};
// The look of a kind (1 to 8).
const KindStyle& kindStyle(int kind);

// The grid's name for an enterprise's worksheet ("grdForage3", "grdpasture1").
QString worksheetGridName(int kind, int index);

struct EnterpriseArea {
  QWidget* content = nullptr;      // what the main tab shows
  PageControl* pages = nullptr;    // pge + kind name
};

EnterpriseArea buildEnterpriseArea(int kind, Farm& farm, FarmRules* rules, QVector<DataGrid*>& grids,
                                   QWidget* parent = nullptr);

}  // namespace rb::ui
