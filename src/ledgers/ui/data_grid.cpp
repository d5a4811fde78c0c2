// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/farm_data_sets.h"
#include "model/mem_table.h"

#include "ledgers/ui/data_grid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPointer>
#include <QProxyStyle>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include "ledgers/ui/grid_delegate.h"
#include "ledgers/ui/mem_table_model.h"
#include "shell/user_prompts.h"
#include "worksheets/farm_rules.h"

namespace rb::ui {

namespace {

// Single grid lines in #808080, whatever the desktop style would choose.
class GridLineStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_Table_GridLineColor) return static_cast<int>(qRgb(0x80, 0x80, 0x80));
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

void setGridLineColour(QTableView& view) {
  static QPointer<GridLineStyle> style;
  if (!style) {
    style = new GridLineStyle;
    style->setParent(QCoreApplication::instance());
  }
  view.setStyle(style);
}

bool isTypedCharacter(const QKeyEvent* event) {
  const QString text = event->text();
  return !text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

DataGrid::DataGrid(const QString& name, Farm& farm, MemTable& table, FarmRules* rules, QWidget* parent)
    : QTableView(parent),
      farm_(farm),
      rules_(rules),
      model_(new MemTableModel(farm, table, this)),
      delegate_(new GridDelegate(this)) {
  setObjectName(name);
  setModel(model_);
  setItemDelegate(delegate_);
  setGridLineColour(*this);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked);
  setTabKeyNavigation(true);
  setWordWrap(true);
  setAlternatingRowColors(false);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setMinimumWidth(14);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
  // A reset forgets the cursor: the line comes back from the table, the
  // column from before the reset.
  connect(model_, &QAbstractItemModel::modelAboutToBeReset, this,
          [this] { columnBeforeReset_ = currentIndex().column(); });
  connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::tableReset);
  connect(model_, &MemTableModel::valueRefused, this, &DataGrid::showRefusal, Qt::QueuedConnection);
  tableReset();
}

MemTable& DataGrid::table() const { return model_->table(); }

void DataGrid::refreshTitles() {
  model_->refreshTitles();
  fitColumns();
}

// Storing a value may reorder the lines (a sorted ledger returns to entry
// order before it is edited): the cursor stays on the line typed into.
void DataGrid::commitData(QWidget* editor) {
  const QModelIndex index = currentIndex();
  MemTable& t = table();
  const bool known = index.isValid() && index.row() < t.RecordCount();
  const std::uint64_t line = known ? t.SequenceAt(index.row()) : 0;
  QTableView::commitData(editor);
  if (!known) return;
  for (int r = 0; r < t.RecordCount(); ++r) {
    if (t.SequenceAt(r) != line) continue;
    // After the editor has closed, not while it is being stored.
    if (r != index.row())
      QMetaObject::invokeMethod(
          this, [this, r, column = index.column()] { setCurrentIndex(model_->index(r, column)); }, Qt::QueuedConnection);
    return;
  }
}

void DataGrid::commitEdit() {
  QWidget* editor = delegate_->openEditor();
  if (state() != QAbstractItemView::EditingState || !editor) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// ---------------------------------------------------------------------------
// Shape
// ---------------------------------------------------------------------------

void DataGrid::tableReset() {
  fitColumns();
  setupFixedColumns();
  const int row = table().CurrentIndex();
  const int column = qMax(0, columnBeforeReset_);
  if (row >= 0 && row < model_->rowCount() && model_->columnCount() > 0)
    selectionModel()->setCurrentIndex(model_->index(row, qMin(column, model_->columnCount() - 1)),
                                      QItemSelectionModel::ClearAndSelect);
}

// Columns are as wide as their title lines or their text length allows,
// whichever is wider, within sensible bounds.
void DataGrid::fitColumns() {
  const MemTable& t = table();
  const QFontMetrics body = fontMetrics();
  QFont bold = horizontalHeader()->font();
  const QFontMetrics title(bold);
  const int charWidth = body.averageCharWidth();
  for (int c = 0; c < model_->columnCount() && c < t.FieldCount(); ++c) {
    int width = 0;
    for (const QString& line : columnTitle(t, c).split(QLatin1Char('\n')))
      width = qMax(width, title.horizontalAdvance(line));
    const Field& field = t.FieldAt(c);
    const int characters = field.DataType() == FieldType::String ? qBound(6, field.Size(), 25) : 9;
    width = qMax(width, characters * charWidth);
    setColumnWidth(c, qMin(width + 16, 260));
  }
  const bool twoLines = [&] {
    for (int c = 0; c < t.FieldCount(); ++c)
      if (columnTitle(t, c).contains(QLatin1Char('\n'))) return true;
    return false;
  }();
  horizontalHeader()->setFixedHeight(title.height() * (twoLines ? 2 : 1) + 10);
  placeFixedColumns();
}

void DataGrid::setupFixedColumns() {
  int wanted = 0;
  try {
    wanted = fixedColumnCount(table());
  } catch (const Error&) {
    wanted = 0;
  }
  fixedColumns_ = qMin(wanted, model_->columnCount());
  if (fixedColumns_ <= 0) {
    if (fixed_) fixed_->hide();
    return;
  }
  if (!fixed_) {
    fixed_ = new QTableView(this);
    fixed_->setObjectName(objectName() + QStringLiteral("Fixed"));
    fixed_->setModel(model_);
    fixed_->setItemDelegate(delegate_);
    fixed_->setSelectionModel(selectionModel());
    fixed_->setFocusPolicy(Qt::NoFocus);
    setGridLineColour(*fixed_);
    fixed_->setFrameShape(QFrame::NoFrame);
    fixed_->horizontalHeader()->setMinimumSectionSize(horizontalHeader()->minimumSectionSize());
    fixed_->verticalHeader()->hide();
    fixed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    fixed_->horizontalHeader()->setHighlightSections(false);
    fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fixed_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    viewport()->stackUnder(fixed_);
    connect(fixed_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, fixed_->verticalScrollBar(), &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
      if (column < fixedColumns_) {
        fixed_->setColumnWidth(column, size);
        placeFixedColumns();
      }
    });
  }
  for (int c = 0; c < model_->columnCount(); ++c) fixed_->setColumnHidden(c, c >= fixedColumns_);
  fixed_->show();
  placeFixedColumns();
}

int DataGrid::fixedWidth() const {
  int width = 0;
  for (int c = 0; c < fixedColumns_; ++c) width += columnWidth(c);
  return width;
}

void DataGrid::placeFixedColumns() {
  if (!fixed_ || fixedColumns_ <= 0) return;
  for (int c = 0; c < fixedColumns_; ++c) fixed_->setColumnWidth(c, columnWidth(c));
  fixed_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
  fixed_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  fixed_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), fixedWidth() + 1,
                      viewport()->height() + horizontalHeader()->height());
}

void DataGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  placeFixedColumns();
}

void DataGrid::updateGeometries() {
  QTableView::updateGeometries();
  placeFixedColumns();
}

// Cells under the fixed columns are scrolled into the open part of the grid.
QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = QTableView::moveCursor(action, modifiers);
  if (fixed_ && fixedColumns_ > 0 && action == MoveLeft && current.column() >= fixedColumns_ &&
      visualRect(current).topLeft().x() < fixedWidth()) {
    const int newValue = horizontalScrollBar()->value() + visualRect(current).topLeft().x() - fixedWidth();
    horizontalScrollBar()->setValue(newValue);
  }
  return current;
}

void DataGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (index.column() >= fixedColumns_) QTableView::scrollTo(index, hint);
}

// ---------------------------------------------------------------------------
// Cursor, keys and clicks
// ---------------------------------------------------------------------------

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!current.isValid()) return;
  if (current.row() != previous.row()) {
    // Leaving a new line that was never typed into abandons it; the cursor
    // then lands on the line that was aimed at.
    if (dropUntouchedNewLine(current.row(), current.column())) return;
    moveToRow(current.row());
  }
  model_->setCurrentCell(current.row(), current.column());
  // A new line sends the cursor back to its first column on the first change
  // of column, whichever line the cursor lands on.
  if (previous.isValid() && current.column() != previous.column() && rules_ && findLedger(table().Name()) &&
      rules_->takeNewRowPending() && current.column() != 0) {
    // Tab or Enter in an editor open the next cell's editor after this
    // move: the cursor goes back once that editor is open, so that it
    // closes again rather than take typing away from the cursor's cell.
    if (closingEditor_)
      firstColumnPending_ = true;
    else
      setCurrentIndex(model_->index(current.row(), 0));
  }
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Tab or Enter from the last cell of the list go on to a new line.
  if (hint == QAbstractItemDelegate::EditNextItem && isLastCellOfLines(currentIndex())) {
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    appendLineFromLastCell();
    return;
  }
  closingEditor_ = true;
  QTableView::closeEditor(editor, hint);
  closingEditor_ = false;
  if (!firstColumnPending_) return;
  firstColumnPending_ = false;
  const QModelIndex index = currentIndex();
  if (index.isValid()) setCurrentIndex(model_->index(index.row(), 0));
}

bool DataGrid::isLastCellOfLines(const QModelIndex& index) const {
  return index.isValid() && index.row() == model_->rowCount() - 1 && index.column() == model_->columnCount() - 1 &&
         allowsLineInsertAndDelete(table());
}

// As the grids have always done: the next cell after the last is the first
// column of a new line (none while the last line is a new one still empty).
void DataGrid::appendLineFromLastCell() {
  appendLine();
  const QModelIndex index = currentIndex();
  if (index.isValid()) setCurrentIndex(model_->index(index.row(), 0));
}

void DataGrid::moveToRow(int row) {
  MemTable& t = table();
  if (row < 0 || row >= t.RecordCount() || t.CurrentIndex() == row) return;
  t.First();
  t.MoveBy(row);
}

bool DataGrid::isEmptyLine(int row) const {
  const MemTable& t = table();
  for (int c = 0; c < t.FieldCount(); ++c)
    if (!isNull(t.ValueAt(row, c))) return false;
  return true;
}

bool DataGrid::isUntouchedNewLine(int row) const {
  const MemTable& t = table();
  return newLine_ != 0 && row >= 0 && row < t.RecordCount() && t.SequenceAt(row) == newLine_ && isEmptyLine(row);
}

bool DataGrid::dropUntouchedNewLine(int targetRow, int targetColumn) {
  if (newLine_ == 0) return false;
  const std::uint64_t line = newLine_;
  newLine_ = 0;
  MemTable& t = table();
  for (int r = 0; r < t.RecordCount(); ++r) {
    if (t.SequenceAt(r) != line) continue;
    if (!isEmptyLine(r)) return false;
    if (r == targetRow) return false;
    t.First();
    t.MoveBy(r);
    t.Delete();
    const int row = targetRow > r ? targetRow - 1 : targetRow;
    if (row >= 0 && row < model_->rowCount()) setCurrentIndex(model_->index(row, qMax(0, targetColumn)));
    return true;
  }
  return false;
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  const QModelIndex index = currentIndex();
  const bool editing = state() == QAbstractItemView::EditingState;
  if (!editing) {
    if (index.isValid() && isTypedCharacter(event)) {
      const CellRule rule = model_->ruleAt(index.row(), index.column());
      if (rule.keyOpensDialog) requestDialog(index, true);
      // A character typed on a cell that takes none is dropped here, so it
      // neither edits the cell nor jumps to another line.
      if (rule.keyOpensDialog || !(model_->flags(index) & Qt::ItemIsEditable)) {
        event->accept();
        return;
      }
    }
    const bool linesAllowed = allowsLineInsertAndDelete(table());
    const bool nextCell = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                          (event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
    if (nextCell && isLastCellOfLines(index)) {
      appendLineFromLastCell();
      event->accept();
      return;
    }
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: {
        const QModelIndex next = moveCursor(MoveNext, Qt::NoModifier);
        if (next.isValid()) setCurrentIndex(next);
        event->accept();
        return;
      }
      case Qt::Key_Insert:
        if (linesAllowed) insertLine();
        event->accept();
        return;
      case Qt::Key_Delete:
        if (event->modifiers() & Qt::ControlModifier) {
          if (linesAllowed) deleteLine();
          event->accept();
          return;
        }
        break;
      default:
        break;
    }
  }
  // Down from the last line starts a new one, also from an open editor (the
  // value typed there is stored first).
  if (event->key() == Qt::Key_Down && allowsLineInsertAndDelete(table()) &&
      (!index.isValid() || index.row() == model_->rowCount() - 1)) {
    appendLine();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) {
    setCurrentIndex(index);
    requestDialog(index, false);
  }
  event->accept();
}

// The keyboard's line commands, also on the grid's context menu.
void DataGrid::contextMenuEvent(QContextMenuEvent* event) {
  if (!allowsLineInsertAndDelete(table())) return;
  const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
  if (index.isValid()) setCurrentIndex(index);
  QMenu menu(this);
  menu.addAction(QStringLiteral("Insert Line\tIns"), this, &DataGrid::insertLine);
  menu.addAction(QStringLiteral("Add Line at the End"), this, &DataGrid::appendLine);
  QAction* remove = menu.addAction(QStringLiteral("Delete Line\tCtrl+Del"), this, &DataGrid::deleteLine);
  remove->setEnabled(currentIndex().isValid());
  menu.exec(event->globalPos());
}

// An empty list says how its first line is made.
void DataGrid::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (model_->rowCount() > 0 || model_->columnCount() == 0 || !allowsLineInsertAndDelete(table())) return;
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
  painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("No lines yet: press Insert, or right-click, to add one."));
}

void DataGrid::requestDialog(const QModelIndex& index, bool byKey) {
  const CellRule rule = model_->ruleAt(index.row(), index.column());
  if (rule.dialog == CellDialog::None || (byKey && !rule.keyOpensDialog)) return;
  emit dialogRequested(rule.dialog, rule.dialogArgument, index.row(), index.column());
}

void DataGrid::titleClicked(int column) {
  commitEdit();
  MemTable& t = table();
  if (!sortsOnTitleClick(t) || column < 0 || column >= t.FieldCount()) return;
  PostIfEditing(t);
  t.SortOnFields(t.FieldAt(column).FieldName(), false, sortDescendingOnTitleClick(t, column));
}

void DataGrid::showRefusal(const QString& message) { showError(this, message); }

// ---------------------------------------------------------------------------
// Navigator commands
// ---------------------------------------------------------------------------

void DataGrid::goFirst() {
  if (model_->rowCount() > 0) setCurrentIndex(model_->index(0, qMax(0, currentIndex().column())));
}

void DataGrid::goPrior() {
  const QModelIndex index = currentIndex();
  if (index.isValid() && index.row() > 0) setCurrentIndex(model_->index(index.row() - 1, index.column()));
}

void DataGrid::goNext() {
  const QModelIndex index = currentIndex();
  if (index.isValid() && index.row() + 1 < model_->rowCount())
    setCurrentIndex(model_->index(index.row() + 1, index.column()));
  else if (!index.isValid())
    goFirst();
}

void DataGrid::goLast() {
  if (model_->rowCount() > 0)
    setCurrentIndex(model_->index(model_->rowCount() - 1, qMax(0, currentIndex().column())));
}

void DataGrid::insertLine() {
  commitEdit();
  addLine([this](MemTable& t) {
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (row < t.RecordCount()) moveToRow(row);
    t.Insert();
  });
}

void DataGrid::appendLine() {
  commitEdit();
  if (isUntouchedNewLine(currentIndex().row())) return;  // nothing to append after it
  addLine([](MemTable& t) { t.Append(); });
}

// Starts a line with `start`, stores it, and puts the cursor on it in the
// column it was in; a line the table refuses is reported and not added.
void DataGrid::addLine(const std::function<void(MemTable&)>& start) {
  MemTable& t = table();
  const int column = qMax(0, currentIndex().column());
  try {
    start(t);
    t.Post();
  } catch (const Error& error) {
    showError(this, QString::fromUtf8(error.what()));
    return;
  }
  newLine_ = t.CurrentIndex() >= 0 ? t.SequenceAt(t.CurrentIndex()) : 0;
  setCurrentIndex(model_->index(t.CurrentIndex(), qMin(column, model_->columnCount() - 1)));
  setFocus();
}

void DataGrid::deleteLine() {
  commitEdit();
  const QModelIndex index = currentIndex();
  MemTable& t = table();
  if (!index.isValid() || index.row() >= t.RecordCount()) return;
  if (!prompts().askYesNo(this, MessageIcon::Confirmation, QStringLiteral("Delete record?"))) return;
  const int column = index.column();
  moveToRow(index.row());
  if (newLine_ != 0 && t.SequenceAt(index.row()) == newLine_) newLine_ = 0;
  try {
    t.Delete();
  } catch (const Error& error) {
    showError(this, QString::fromUtf8(error.what()));
    return;
  }
  if (t.RecordCount() > 0) setCurrentIndex(model_->index(qMax(0, t.CurrentIndex()), column));
}

void DataGrid::restoreEntryOrder() {
  commitEdit();
  MemTable& t = table();
  PostIfEditing(t);
  t.SortOnFields("", true, false);
}

}  // namespace rb::ui
