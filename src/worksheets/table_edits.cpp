#include "worksheets/table_edits.h"

#include <cmath>

#include "model/mem_table.h"
#include "model/text_util.h"

namespace rb {

void moveToRow(MemTable& table, int row) {
  table.First();
  table.MoveBy(row);
}

void deleteRowsWhere(MemTable& table, const std::function<bool(int)>& matches) {
  PostIfEditing(table);
  // From the end, so the positions still to test do not move.
  for (int row = table.RecordCount() - 1; row >= 0; --row) {
    if (!matches(row)) continue;
    moveToRow(table, row);
    table.Delete();
  }
}

void requireFiniteCells(const MemTable& table) {
  for (int row = 0; row < table.RecordCount(); ++row)
    for (int column = 0; column < table.FieldCount(); ++column)
      if (const auto* number = std::get_if<double>(&table.ValueAt(row, column)); number && !std::isfinite(*number))
        throw Error(format("%s:%d:%s: the result is too large to store", table.Name().c_str(), row + 1,
                           table.FieldAt(column).FieldName().c_str()));
}

double requireFinite(double value, const char* what) {
  if (!std::isfinite(value)) throw Error(format("%s is too large to store", what));
  return value;
}

}  // namespace rb
