#include "setup/table_surgery.h"

#include <algorithm>
#include <numeric>

#include "model/farm_data_sets.h"

namespace rb {

std::vector<ColumnPlan> currentColumns(const MemTable& table) {
  std::vector<ColumnPlan> plan;
  for (int i = 0; i < table.FieldCount(); ++i) {
    const Field& field = table.FieldAt(i);
    plan.push_back({{field.FieldName(), field.DataType(), field.Size()}, field.DisplayLabel(), field.DisplayWidth(), i});
  }
  return plan;
}

namespace {

void moveTo(MemTable& table, int row) {
  table.First();
  table.MoveBy(row);
}

// The 0-based present positions of the table's rows, in entry order.
std::vector<int> rowsInEntryOrder(const MemTable& table) {
  std::vector<int> rows(static_cast<std::size_t>(table.RecordCount()));
  std::iota(rows.begin(), rows.end(), 0);
  std::sort(rows.begin(), rows.end(), [&](int a, int b) { return table.SequenceAt(a) < table.SequenceAt(b); });
  return rows;
}

}  // namespace

void rebuildColumns(Farm& farm, MemTable& table, const std::vector<ColumnPlan>& plan) {
  ProgramUpdate busy(farm);
  ControlsDisabled quiet(table);
  PostIfEditing(table);
  const std::string sortColumns = table.SortColumns();
  const bool sortDescending = table.SortDescending();

  MemTable& scratch = farm.table("memtemp");
  ControlsDisabled quietScratch(scratch);
  scratch.Close();
  scratch.ClearFieldDefs();
  for (const ColumnPlan& column : plan) scratch.AddFieldDef(column.def.name, column.def.type, column.def.size);
  scratch.CreateColumns();
  scratch.Open();
  for (std::size_t i = 0; i < plan.size(); ++i) {
    Field& field = scratch.FieldAt(static_cast<int>(i));
    field.SetDisplayLabel(plan[i].title);
    if (plan[i].width > 0) field.SetDisplayWidth(plan[i].width);
  }

  // Rows go in by entry order, each inserted at its place in the present
  // order, so the copy has both orders of the original.
  std::vector<int> placed;  // present positions of the rows copied so far, ascending
  for (int source : rowsInEntryOrder(table)) {
    const auto at = std::lower_bound(placed.begin(), placed.end(), source);
    const int position = static_cast<int>(at - placed.begin());
    placed.insert(at, source);
    if (position >= scratch.RecordCount()) {
      scratch.Append();
    } else {
      moveTo(scratch, position);
      scratch.Insert();
    }
    for (std::size_t i = 0; i < plan.size(); ++i) {
      if (plan[i].source < 0) continue;
      const Value& value = table.ValueAt(source, plan[i].source);
      if (!isNull(value)) scratch.FieldAt(static_cast<int>(i)).SetValue(value);
    }
    scratch.Post();
  }

  table.CopyContentFrom(scratch);
  if (!sortColumns.empty() || sortDescending) table.SortOnFields(sortColumns, true, sortDescending);
  table.First();
  scratch.Close();
}

void emptyRows(MemTable& table) {
  ControlsDisabled quiet(table);
  PostIfEditing(table);
  if (!table.Active()) return;
  table.Close();
  table.Open();
}

void setCell(MemTable& table, int row, int column, const Value& value) {
  if (row < 0 || row >= table.RecordCount() || column < 0 || column >= table.FieldCount()) return;
  moveTo(table, row);
  table.Edit();
  table.FieldAt(column).SetValue(value);
  table.Post();
}

void clearCell(MemTable& table, int row, int column) { setCell(table, row, column, Value{}); }

void deleteRows(MemTable& table, int first, int last) {
  last = std::min(last, table.RecordCount() - 1);
  for (int row = last; row >= std::max(first, 0); --row) {
    moveTo(table, row);
    table.Delete();
  }
}

}  // namespace rb
