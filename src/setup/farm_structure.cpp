#include "setup/farm_structure.h"

#include <set>

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "setup/allocation_columns.h"

namespace rb {

namespace {

using Problems = std::vector<std::string>;

void checkRegistry(const Farm& farm, const std::vector<EnterpriseRow>& rows, Problems& problems) {
  int previousKind = 0;
  int expectedIndex = 1;
  for (const EnterpriseRow& row : rows) {
    if (row.kind < previousKind)
      problems.push_back(format("memMaster: %s comes after an enterprise of a later kind", row.id.c_str()));
    expectedIndex = row.kind == previousKind ? expectedIndex + 1 : 1;
    previousKind = row.kind;
    if (row.index != expectedIndex || !equalsNoCase(row.id, enterpriseId(row.kind, expectedIndex)))
      problems.push_back(format("memMaster: %s (kind %d, index %d) should be %s", row.id.c_str(), row.kind,
                                row.index, enterpriseId(row.kind, expectedIndex).c_str()));
    if (expectedIndex > maxEnterprisesOfKind(row.kind))
      problems.push_back(format("memMaster: too many enterprises of kind %d", row.kind));
    if (farm.labels().at(row.kind, row.index) != row.label)
      problems.push_back(format("label table: %s is \"%s\", the registry says \"%s\"", row.id.c_str(),
                                farm.labels().at(row.kind, row.index).c_str(), row.label.c_str()));
    if (!isCropKindCode(row.kind) && !row.crops.empty())
      problems.push_back(format("memMaster: %s is not a crop enterprise but has crops", row.id.c_str()));
    for (std::size_t k = 0; k < row.crops.size(); ++k)
      if (row.crops[k].empty()) problems.push_back(format("memMaster: %s has no name for crop %zu", row.id.c_str(), k + 1));
  }
}

void checkWorksheet(const Farm& farm, const EnterpriseRow& row, Problems& problems) {
  const MemTable* sheet = farm.findTable("mem" + row.id);
  if (!sheet) {
    problems.push_back(format("%s has no worksheet", row.id.c_str()));
    return;
  }
  MemTable layout("mem" + row.id);
  defineBuiltInColumns(layout);
  const int fixed = hasAllocationColumns(sheet->Name()) ? firstAllocationColumn(*sheet) : sheet->FieldCount();
  if (fixed != layout.FieldCount())
    problems.push_back(format("%s has %d fixed columns, its kind has %d", sheet->Name().c_str(), fixed,
                              layout.FieldCount()));
  for (int i = 0; i < layout.FieldCount() && i < sheet->FieldCount(); ++i)
    if (!equalsNoCase(sheet->FieldAt(i).FieldName(), layout.FieldAt(i).FieldName()))
      problems.push_back(format("%s column %d is %s, not %s", sheet->Name().c_str(), i + 1,
                                sheet->FieldAt(i).FieldName().c_str(), layout.FieldAt(i).FieldName().c_str()));

  const int rowsExpected = row.kind == kCowCalf   ? 10
                           : row.kind == kFeeders ? 9
                           : isCropKindCode(row.kind) && !row.crops.empty()
                               ? 6 * static_cast<int>(row.crops.size()) - 1
                               : -1;
  if (rowsExpected >= 0 && sheet->RecordCount() != rowsExpected)
    problems.push_back(format("%s has %d rows, its enterprise needs %d", sheet->Name().c_str(), sheet->RecordCount(),
                              rowsExpected));
}

// `required` enterprises must have a column, `allowed` ones may; all in
// registry order, none twice, nothing else.
void checkAllocationColumns(const MemTable& table, const std::vector<EnterpriseRow>& rows, bool onlyGrazingKinds,
                            Problems& problems) {
  std::set<std::string> seen;
  for (int i = 0; i < table.FieldCount(); ++i)
    if (!seen.insert(lowerCase(table.FieldAt(i).FieldName())).second)
      problems.push_back(format("%s has two columns named %s", table.Name().c_str(), table.FieldAt(i).FieldName().c_str()));

  const bool purchasedFeed = equalsNoCase(table.Name(), "memPurchFeedInv");
  int previousOrder = -1;
  for (int i = firstAllocationColumn(table); i < table.FieldCount(); ++i) {
    const std::string& name = table.FieldAt(i).FieldName();
    bool registered = false;
    for (const EnterpriseRow& row : rows) registered = registered || equalsNoCase(row.id, name);
    if (!registered || (onlyGrazingKinds && !allocatesGrazingAndCrops(KindOf(name))))
      problems.push_back(format("%s has a column %s for no enterprise it allocates to", table.Name().c_str(), name.c_str()));
    if (allocationOrder(name) <= previousOrder)
      problems.push_back(format("%s: column %s is out of registry order", table.Name().c_str(), name.c_str()));
    previousOrder = allocationOrder(name);
  }
  for (const EnterpriseRow& row : rows) {
    const bool required = onlyGrazingKinds || purchasedFeed ? allocatesGrazingAndCrops(row.kind) : true;
    if (required && table.FieldIndex(row.id) < firstAllocationColumn(table))
      problems.push_back(format("%s has no column for %s", table.Name().c_str(), row.id.c_str()));
  }
}

}  // namespace

std::vector<std::string> structuralProblems(const Farm& farm) {
  Problems problems;
  const std::vector<EnterpriseRow> rows = farm.enterprises();
  checkRegistry(farm, rows, problems);
  for (const EnterpriseRow& row : rows) checkWorksheet(farm, row, problems);
  for (const LedgerInfo& ledger : ledgerTables()) checkAllocationColumns(farm.table(ledger.table), rows, false, problems);
  checkAllocationColumns(farm.table("memCropAlloc"), rows, true, problems);
  for (const EnterpriseRow& row : rows)
    if (row.kind == kPasture || row.kind == kAftermath)
      checkAllocationColumns(farm.table("mem" + row.id), rows, true, problems);
  return problems;
}

}  // namespace rb
