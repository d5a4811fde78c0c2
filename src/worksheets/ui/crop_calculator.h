#pragma once
// The price calculator of a crop page: dollars per tonne and a unit's weight
// in pounds give the price of one unit.
#include <QGroupBox>

class QLineEdit;

namespace rb::ui {

// ($ per tonne x unit size in lbs) / 2204.6 as "%.2f", or "ERROR" when
// either input is not a number. The calculator has always divided by 2204.6,
// and ranchers compare its answers with their own; it is kept.
QString cropUnitPrice(const QString& dollarsPerTonne, const QString& unitSizeLbs);

class CropCalculator : public QGroupBox {
  Q_OBJECT
 public:
  // `suffix` names the controls: "" for grain, "2" for forage, "3" for straw;
  // `buttonName` is the page's own name for its CALC button.
  CropCalculator(const QString& suffix, const QString& buttonName, QWidget* parent = nullptr);

 private:
  QLineEdit* tonne_;
  QLineEdit* units_;
  QLineEdit* result_;
};

}  // namespace rb::ui
