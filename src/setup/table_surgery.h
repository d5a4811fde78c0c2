#pragma once
// Row- and column-level rewrites of a farm table that the structural commands
// (adding enterprises, the rollover) share. Every rewrite keeps the rows'
// present order and their entry order, so that a sorted grid stays sorted and
// the revenue and expense ledgers are still saved in the order lines were made.
#include <string>
#include <vector>

#include "model/mem_table.h"

namespace rb {

class Farm;

// One column of a rebuilt table: its definition and title, and the column of
// the old layout its values come from (-1 for a new, empty column).
struct ColumnPlan {
  FieldDef def;
  std::string title;
  int width = 0;
  int source = -1;
};

// The table's present columns as a plan that copies every value.
std::vector<ColumnPlan> currentColumns(const MemTable& table);

// Gives the table the planned columns, copying each row's values through the
// scratch table `memtemp`.
void rebuildColumns(Farm& farm, MemTable& table, const std::vector<ColumnPlan>& plan);

// Removes every row; the columns stay.
void emptyRows(MemTable& table);

// Writes one cell (0-based row and column) and posts the row.
void setCell(MemTable& table, int row, int column, const Value& value);
void clearCell(MemTable& table, int row, int column);

// Deletes the rows first..last (0-based, inclusive) that exist.
void deleteRows(MemTable& table, int first, int last);

}  // namespace rb
