#pragma once
// Allocation columns: one column per enterprise, named by its id, after a
// table's fixed columns, always in registry order (kind, then index).
#include <string>
#include <string_view>
#include <vector>

namespace rb {

class Farm;
class MemTable;

// The number of columns before a table's allocation columns: the ledgers'
// first allocation position, 6 for crop allocations, 7 for the pasture and
// aftermath worksheets; every column for a table without allocations.
int firstAllocationColumn(const MemTable& table);
bool hasAllocationColumns(std::string_view tableName);

// Where a column named `name` sorts among allocation columns.
int allocationOrder(std::string_view name);

// Rebuilds the table with a FLOAT column `id` titled `label`, placed before the
// first allocation column of a later kind (after the last column when there is
// none), so that it follows every column of its own kind. A column of that
// name already there is reused (moved into place, its cells emptied): a table
// never holds two columns of one name, and a new enterprise starts with no
// shares.
void addAllocationColumn(Farm& farm, MemTable& table, std::string_view id, std::string_view label);
// Rebuilds the table without the column named `id`; nothing happens when it
// has none.
void removeAllocationColumn(Farm& farm, MemTable& table, std::string_view id);
// A pasture worksheet gets a column for every cow-calf, feeder and other
// enterprise of the registry, in registry order.
void addLivestockColumns(Farm& farm, MemTable& pastureTable);

// Whether a kind's enterprises get columns in crop allocations and on the
// grazing worksheets (cow-calf, feeders and other).
bool allocatesGrazingAndCrops(int kind);

}  // namespace rb
