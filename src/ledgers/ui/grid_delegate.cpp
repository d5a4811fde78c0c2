// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/mem_table.h"
#include "model/text_util.h"

#include "ledgers/ui/grid_delegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "ledgers/ui/mem_table_model.h"

namespace rb::ui {

namespace {

const MemTableModel* tableModelOf(const QModelIndex& index) {
  return qobject_cast<const MemTableModel*>(index.model());
}

}  // namespace

QString pickListName(const QString& table, const QString& column) {
  const QString t = table.toLower();
  const QString c = column.toLower();
  if (t == QLatin1String("memrevenue") && c == QLatin1String("category")) return QStringLiteral("cmbRevenues");
  if (t == QLatin1String("memexpenses") && c == QLatin1String("category")) return QStringLiteral("cmbExpenses");
  if (t == QLatin1String("memmachinery") && c == QLatin1String("deprtype")) return QStringLiteral("cmbMachinery");
  if (t == QLatin1String("membuildings") && c == QLatin1String("deprtype")) return QStringLiteral("cmbBuildings");
  if (t == QLatin1String("mempurchfeedinv") && c == QLatin1String("type")) return QStringLiteral("cmbPurchFeedInv");
  if (c == QLatin1String("units")) {
    if (t.startsWith(QLatin1String("memgrain"))) return QStringLiteral("cmbBushels");
    if (t.startsWith(QLatin1String("memforage")) || t.startsWith(QLatin1String("memstraw"))) return QStringLiteral("cmbBales");
  }
  return {};
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const MemTableModel* model = tableModelOf(index);
  const CellRule rule = model ? model->ruleAt(index.row(), index.column()) : CellRule{};
  if (!rule.pickList) {
    editor_ = QStyledItemDelegate::createEditor(parent, option, index);
    return editor_;
  }
  auto* combo = new QComboBox(parent);
  const MemTable& table = model->table();
  combo->setObjectName(pickListName(QString::fromStdString(table.Name()),
                                    QString::fromStdString(table.FieldAt(index.column()).FieldName())));
  combo->setEditable(false);  // the list's entries only
  for (const std::string& entry : *rule.pickList) combo->addItem(QString::fromStdString(entry));
  combo->setMaxVisibleItems(22);
  editor_ = combo;
  return combo;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (combo->currentIndex() >= 0) model->setData(index, combo->currentText(), Qt::EditRole);
    return;
  }
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    model->setData(index, line->text(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem cell(option);
  // A cell with colours of its own (computed, dialog, selected editable)
  // shows them rather than the selection highlight.
  if (index.data(Qt::BackgroundRole).isValid()) cell.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
  QStyledItemDelegate::paint(painter, cell, index);
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  if (editor && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace rb::ui
