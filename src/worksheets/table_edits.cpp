#include "worksheets/table_edits.h"

#include "model/mem_table.h"

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

}  // namespace rb
