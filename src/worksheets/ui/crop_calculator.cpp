// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/values.h"

#include "worksheets/ui/crop_calculator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>


namespace rb::ui {

QString cropUnitPrice(const QString& dollarsPerTonne, const QString& unitSizeLbs) {
  const auto perTonne = parseFloat(dollarsPerTonne.toStdString());
  const auto unitSize = parseFloat(unitSizeLbs.toStdString());
  if (!perTonne || !unitSize) return QStringLiteral("ERROR");
  return QString::asprintf("%.2f", *perTonne * *unitSize / 2204.6);
}

CropCalculator::CropCalculator(const QString& suffix, const QString& buttonName, QWidget* parent)
    : QGroupBox(QStringLiteral("Calculator"), parent),
      tonne_(new QLineEdit(this)),
      units_(new QLineEdit(this)),
      result_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("grpCalculator") + suffix);
  tonne_->setObjectName(QStringLiteral("edtTonne") + suffix);
  units_->setObjectName(QStringLiteral("edtUnits") + suffix);
  result_->setObjectName(QStringLiteral("edtResult") + suffix);
  auto* layout = new QVBoxLayout(this);
  const auto addField = [&](const QString& caption, QLineEdit* edit) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
  };
  addField(QStringLiteral("$ / tonne"), tonne_);
  addField(QStringLiteral("Unit Size (lbs)"), units_);
  auto* calc = new QPushButton(QStringLiteral("CALC"), this);
  calc->setObjectName(buttonName);
  layout->addWidget(calc);
  addField(QStringLiteral("$ / unit"), result_);
  layout->addStretch(1);
  setFixedWidth(150);
  connect(calc, &QPushButton::clicked, this, [this] { result_->setText(cropUnitPrice(tonne_->text(), units_->text())); });
}

}  // namespace rb::ui
