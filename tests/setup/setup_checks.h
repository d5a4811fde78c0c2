#pragma once
// What every setup test checks after a structural change: the farm is
// consistent, and it still is after being saved and loaded back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/farm_data_sets.h"

namespace rb::testing {

// Fails the test when the farm breaks an invariant, before or after a save
// and load.
void expectConsistentAfterReload(Farm& farm);

// The names of a table's columns, in order.
std::vector<std::string> columnNames(const MemTable& table);
// The allocation columns of a table (after its fixed columns).
std::vector<std::string> allocationColumns(const MemTable& table);

// Writes one cell by column name and posts it.
void put(MemTable& table, int row, const std::string& column, const Value& value);
Value cell(const MemTable& table, int row, const std::string& column);
// Appends a ledger line with the given cells.
void appendLine(MemTable& table, const std::vector<std::pair<std::string, Value>>& cells);

}  // namespace rb::testing
