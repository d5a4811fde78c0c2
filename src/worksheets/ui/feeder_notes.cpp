// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/mem_table.h"

#include "worksheets/ui/feeder_notes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>

#include "worksheets/farm_rules.h"

namespace rb::ui {

FeederNotes::FeederNotes(int index, MemTable& sheet, FarmRules* rules, QWidget* parent)
    : QGroupBox(QStringLiteral("Notes"), parent),
      sheet_(sheet),
      rules_(rules),
      id_("feeders" + std::to_string(index)),
      memo_(new QPlainTextEdit(this)),
      picture_(new QLabel(this)) {
  setObjectName(QStringLiteral("grpNotesfeeders%1").arg(index));
  memo_->setObjectName(QStringLiteral("memofeeders%1").arg(index));
  memo_->setReadOnly(true);
  memo_->setMaximumHeight(80);
  picture_->setObjectName(QStringLiteral("imgfeeders%1").arg(index));
  picture_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
  picture_->setToolTip(QStringLiteral("The ending inventory does not match the head-count flow"));
  picture_->hide();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(memo_, 1);
  layout->addWidget(picture_);
  connection_ = sheet_.OnDataChange.connect([this](MemTable&, const Field* field) {
    if (field) refresh();
  });
}

FeederNotes::~FeederNotes() { sheet_.OnDataChange.disconnect(connection_); }

void FeederNotes::reconcile() {
  if (!rules_) return;
  try {
    rules_->reconcileFeederInventory(id_);
  } catch (const Error&) {
    // a sheet without its rows has nothing to reconcile
  }
  refresh();
}

void FeederNotes::refresh() {
  if (!rules_) return;
  FarmRules::FeederNotes notes;
  try {
    notes = rules_->feederNotes(id_);
  } catch (const Error&) {
    notes = {};
  }
  QStringList lines;
  for (const std::string& line : notes.lines) lines << QString::fromStdString(line);
  memo_->setPlainText(lines.join(QLatin1Char('\n')));
  picture_->setVisible(notes.warning);
}

}  // namespace rb::ui
