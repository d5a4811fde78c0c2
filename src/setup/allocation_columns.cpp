#include "setup/allocation_columns.h"

#include <algorithm>

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "setup/table_surgery.h"

namespace rb {

namespace {

constexpr int kCropAllocFixedColumns = 6;
constexpr int kGrazingFixedColumns = 7;

bool isGrazingTable(std::string_view tableName) {
  const std::string name = lowerCase(tableName);
  return name == "memaftermath1" ||
         (name.size() == 11 && name.starts_with("mempasture") && name[10] >= '1' && name[10] <= '5');
}

}  // namespace

bool hasAllocationColumns(std::string_view tableName) {
  return findLedger(tableName) != nullptr || equalsNoCase(tableName, "memCropAlloc") || isGrazingTable(tableName);
}

int firstAllocationColumn(const MemTable& table) {
  int fixed = table.FieldCount();
  if (const LedgerInfo* ledger = findLedger(table.Name()))
    fixed = ledger->firstAllocation;
  else if (equalsNoCase(table.Name(), "memCropAlloc"))
    fixed = kCropAllocFixedColumns;
  else if (isGrazingTable(table.Name()))
    fixed = kGrazingFixedColumns;
  return std::min(fixed, table.FieldCount());
}

int allocationOrder(std::string_view name) { return KindOf(name) * 10 + indexOfId(name); }

bool allocatesGrazingAndCrops(int kind) { return kind == kCowCalf || kind == kFeeders || kind == kOther; }

void addAllocationColumn(Farm& farm, MemTable& table, std::string_view id, std::string_view label) {
  const int fixed = firstAllocationColumn(table);
  std::vector<ColumnPlan> plan = currentColumns(table);
  ColumnPlan column;
  column.def.name = std::string(id);
  column.def.type = FieldType::Float;
  column.title = std::string(label);
  const auto existing = std::find_if(plan.begin() + fixed, plan.end(),
                                     [&](const ColumnPlan& c) { return equalsNoCase(c.def.name, id); });
  if (existing != plan.end()) {
    column.def = existing->def;
    column.width = existing->width;
    plan.erase(existing);
  }
  // Before the first allocation column of a later kind: with the columns in
  // registry order, the new enterprise is the last of its kind.
  const int kind = KindOf(id);
  const auto later = std::find_if(plan.begin() + fixed, plan.end(),
                                  [&](const ColumnPlan& c) { return KindOf(c.def.name) > kind; });
  plan.insert(later, column);
  rebuildColumns(farm, table, plan);
}

void removeAllocationColumn(Farm& farm, MemTable& table, std::string_view id) {
  const int fixed = firstAllocationColumn(table);
  std::vector<ColumnPlan> plan = currentColumns(table);
  const auto found = std::find_if(plan.begin() + fixed, plan.end(),
                                  [&](const ColumnPlan& c) { return equalsNoCase(c.def.name, id); });
  if (found == plan.end()) return;
  plan.erase(found);
  rebuildColumns(farm, table, plan);
}

void addLivestockColumns(Farm& farm, MemTable& pastureTable) {
  for (const EnterpriseRow& row : farm.enterprises())
    if (allocatesGrazingAndCrops(row.kind)) addAllocationColumn(farm, pastureTable, row.id, row.label);
}

}  // namespace rb
