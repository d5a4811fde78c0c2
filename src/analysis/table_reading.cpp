#include "analysis/table_reading.h"

#include "model/text_util.h"
#include "model/values.h"

namespace rb {

double cellAt(const MemTable& table, int row, int column) {
  if (column < 0) return 0;
  return table.FloatAt(row, column);
}

double wholeCellAt(const MemTable& table, int row, int column) { return roundHalfEven(cellAt(table, row, column)); }

std::string textAt(const MemTable& table, int row, int column) {
  if (column < 0) return "";
  return table.StringAt(row, column);
}

double sumFrom(const MemTable& table, int row, int first) {
  double sum = 0;
  for (int column = first; column < table.FieldCount(); ++column) sum += table.FloatAt(row, column);
  return sum;
}

int rowWithDescription(const MemTable& table, std::string_view description) {
  const int column = table.FieldIndex("Description");
  if (column < 0) return -1;
  for (int row = 0; row < table.RecordCount(); ++row)
    if (equalsNoCase(table.StringAt(row, column), description)) return row;
  return -1;
}

}  // namespace rb
