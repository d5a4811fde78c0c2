#pragma once
// Cursor-level edits that the dialogs' closing steps share.
#include <functional>

namespace rb {

class MemTable;

// Puts the cursor on a 0-based row in the present order.
void moveToRow(MemTable& table, int row);
// Deletes every row for which `matches(row)` holds (0-based, present order).
void deleteRowsWhere(MemTable& table, const std::function<bool(int)>& matches);

// Refuses (rb::Error naming the cell) a table holding a number too large to
// be stored: an infinite result would make the farm file unreadable.
void requireFiniteCells(const MemTable& table);
// The same for one number about to be stored.
double requireFinite(double value, const char* what);

}  // namespace rb
