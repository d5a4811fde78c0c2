// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/farm_data_sets.h"
#include "model/mem_table.h"

#include "ledgers/ui/mem_table_model.h"

#include <QBrush>
#include <QColor>


namespace rb::ui {

namespace {

QColor toColor(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

bool isNumberColumn(const MemTable& table, int column) {
  const FieldType type = table.FieldAt(column).DataType();
  return type == FieldType::Integer || type == FieldType::Float;
}

}  // namespace

QString cellText(const MemTable& table, int row, int column) {
  const Value& value = table.ValueAt(row, column);
  if (const auto* text = std::get_if<std::string>(&value)) return QString::fromStdString(*text);
  if (const auto* number = std::get_if<std::int32_t>(&value)) return QString::number(*number);
  if (const auto* number = std::get_if<double>(&value)) return QString::fromStdString(floatToText(*number));
  if (const auto* flag = std::get_if<bool>(&value)) return QString::fromLatin1(booleanToText(*flag));
  return {};
}

QString columnTitle(const MemTable& table, int column) {
  const Field& field = table.FieldAt(column);
  QString title = QString::fromStdString(field.DisplayLabel().empty() ? field.FieldName() : field.DisplayLabel());
  title.replace(QLatin1Char('~'), QLatin1Char('\n'));
  return title.trimmed();
}

MemTableModel::MemTableModel(Farm& farm, MemTable& table, QObject* parent)
    : QAbstractTableModel(parent), farm_(farm), table_(table) {
  rows_ = table_.RecordCount();
  columns_ = table_.FieldCount();
  connection_ = table_.OnDataChange.connect([this](MemTable&, const Field*) { tableChanged(); });
}

MemTableModel::~MemTableModel() { table_.OnDataChange.disconnect(connection_); }

int MemTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int MemTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

bool MemTableModel::isShownTable() const {
  try {
    return isGridTable(farm_, table_);
  } catch (const Error&) {
    return false;
  }
}

CellRule MemTableModel::ruleAt(int row, int column) const {
  if (row < 0 || column < 0 || row >= rows_ || column >= columns_) return {};
  try {
    return gridCellRule(farm_, table_, row, column, row == currentRow_ && column == currentColumn_);
  } catch (const Error&) {
    return {};
  }
}

QVariant MemTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= table_.RecordCount() || index.column() >= table_.FieldCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return cellText(table_, index.row(), index.column());
    case Qt::TextAlignmentRole:
      return isNumberColumn(table_, index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                    : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole: {
      const CellRule rule = ruleAt(index.row(), index.column());
      return rule.background ? QVariant(QBrush(toColor(*rule.background))) : QVariant();
    }
    case Qt::ForegroundRole: {
      const CellRule rule = ruleAt(index.row(), index.column());
      return rule.text ? QVariant(QBrush(toColor(*rule.text))) : QVariant();
    }
    default:
      return {};
  }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Horizontal)
    return section < table_.FieldCount() ? columnTitle(table_, section) : QVariant();
  // The row indicator marks the current line.
  return section == currentRow_ ? QStringLiteral("\u25B6") : QString();
}

Qt::ItemFlags MemTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags result = QAbstractTableModel::flags(index);
  if (!index.isValid()) return result;
  const CellRule rule = ruleAt(index.row(), index.column());
  if (rule.typeable && !rule.keyOpensDialog && isShownTable()) result |= Qt::ItemIsEditable;
  return result;
}

bool MemTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const QString text = value.toString();
  const CellRule rule = ruleAt(index.row(), index.column());
  // An in-cell list takes only its own entries (or nothing).
  if (rule.pickList && !text.isEmpty()) {
    const std::string wanted = text.toStdString();
    bool listed = false;
    for (const std::string& entry : *rule.pickList) listed = listed || entry == wanted;
    if (!listed) return false;
  }
  if (cellText(table_, index.row(), index.column()) == text) return true;  // nothing typed: no change rules
  typing_ = true;
  bool stored = true;
  try {
    typeIntoCell(farm_, table_, index.row(), index.column(), text.toStdString());
  } catch (const Error& error) {
    stored = false;
    // A refused value leaves the line as it was, even where the refusal came
    // after the line was opened for editing.
    if (table_.State() == TableState::Edit || table_.State() == TableState::Insert) table_.Cancel();
    emit valueRefused(QString::fromUtf8(error.what()));
  }
  typing_ = false;
  // The editor is still closing: a changed shape is taken in after it.
  if (rows_ != table_.RecordCount() || columns_ != table_.FieldCount())
    QMetaObject::invokeMethod(this, &MemTableModel::reload, Qt::QueuedConnection);
  else
    tableChanged();
  return stored;
}

void MemTableModel::setCurrentCell(int row, int column) {
  if (row == currentRow_ && column == currentColumn_) return;
  const int previousRow = currentRow_;
  currentRow_ = row;
  currentColumn_ = column;
  if (rows_ == 0 || columns_ == 0) return;
  // The selected cell's colours and the row indicator follow the cursor.
  for (int r : {previousRow, row}) {
    if (r < 0 || r >= rows_) continue;
    emit dataChanged(index(r, 0), index(r, columns_ - 1), {Qt::BackgroundRole, Qt::ForegroundRole});
    emit headerDataChanged(Qt::Vertical, r, r);
  }
}

void MemTableModel::refreshTitles() {
  if (columns_ > 0) emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void MemTableModel::reload() {
  beginResetModel();
  rows_ = table_.RecordCount();
  columns_ = table_.FieldCount();
  endResetModel();
}

void MemTableModel::tableChanged() {
  if (typing_) return;
  if (rows_ != table_.RecordCount() || columns_ != table_.FieldCount()) {
    reload();
    return;
  }
  if (rows_ > 0 && columns_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
}

}  // namespace rb::ui
