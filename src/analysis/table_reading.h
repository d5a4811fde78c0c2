#pragma once
// Reading cells of whole tables by position, the way the engine and the
// validation pass walk them: an empty cell or a missing column reads as 0 or
// as the empty text.
#include <string>
#include <string_view>

#include "model/mem_table.h"

namespace rb {

// The cell as a number; 0 when it is empty or the column is missing (-1).
double cellAt(const MemTable& table, int row, int column);
// The cell read as a whole number (half to even), as an INTEGER field reads it.
double wholeCellAt(const MemTable& table, int row, int column);
std::string textAt(const MemTable& table, int row, int column);
// The sum of the row's cells from `first` to the last column.
double sumFrom(const MemTable& table, int row, int first);
// The first row whose Description equals the text, without regard to case; -1.
int rowWithDescription(const MemTable& table, std::string_view description);

}  // namespace rb
