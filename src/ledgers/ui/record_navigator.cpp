#include "ledgers/ui/record_navigator.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "ledgers/ui/data_grid.h"

namespace rb::ui {

namespace {

QToolButton* navButton(QWidget* parent, const QString& name, const QString& glyph, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(glyph);
  button->setToolTip(hint);
  button->setAutoRaise(false);
  button->setFixedSize(30, 24);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

RecordNavigator::RecordNavigator(const QString& name, DataGrid& grid, bool withRefresh, QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(1);
  DataGrid* target = &grid;
  struct Entry {
    const char* name;
    QString glyph;
    const char* hint;
    void (DataGrid::*command)();
  };
  const Entry entries[] = {
      {"btnFirst", QStringLiteral("\u23EE"), "First record", &DataGrid::goFirst},
      {"btnPrior", QStringLiteral("\u25C0"), "Prior record", &DataGrid::goPrior},
      {"btnNext", QStringLiteral("\u25B6"), "Next record", &DataGrid::goNext},
      {"btnLast", QStringLiteral("\u23ED"), "Last record", &DataGrid::goLast},
      {"btnInsert", QStringLiteral("+"), "Insert record", &DataGrid::insertLine},
      {"btnDelete", QStringLiteral("\u2212"), "Delete record", &DataGrid::deleteLine},
  };
  for (const Entry& entry : entries) {
    QToolButton* button = navButton(this, QString::fromLatin1(entry.name), entry.glyph, QString::fromLatin1(entry.hint));
    connect(button, &QToolButton::clicked, target, [target, command = entry.command] { (target->*command)(); });
    layout->addWidget(button);
  }
  if (withRefresh) {
    QToolButton* refresh =
        navButton(this, QStringLiteral("btnRefresh"), QStringLiteral("\u21BB"), QStringLiteral("Refresh the contents of the dataset"));
    connect(refresh, &QToolButton::clicked, target, &DataGrid::restoreEntryOrder);
    layout->addWidget(refresh);
  }
  layout->addStretch(1);
}

}  // namespace rb::ui
