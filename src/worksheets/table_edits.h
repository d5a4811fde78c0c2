#pragma once
// Cursor-level edits that the dialogs' closing steps share.
#include <functional>

namespace rb {

class MemTable;

// Puts the cursor on a 0-based row in the present order.
void moveToRow(MemTable& table, int row);
// Deletes every row for which `matches(row)` holds (0-based, present order).
void deleteRowsWhere(MemTable& table, const std::function<bool(int)>& matches);

}  // namespace rb
