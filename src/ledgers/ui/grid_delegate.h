#pragma once
// Cell editors of the data-aware grid: an in-cell drop-down list that offers
// only its entries, a line edit elsewhere; Enter stores the value and moves
// to the next cell.
#include <QPointer>
#include <QStyledItemDelegate>

namespace rb::ui {

class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // The editor open in the grid, if any.
  QWidget* openEditor() const { return editor_; }

 protected:
  bool eventFilter(QObject* editor, QEvent* event) override;

 private:
  mutable QPointer<QWidget> editor_;
};

// The name of the drop-down list of a table's column ("cmbExpenses" for the
// expense categories), empty when the column has none of its own.
QString pickListName(const QString& table, const QString& column);

}  // namespace rb::ui
