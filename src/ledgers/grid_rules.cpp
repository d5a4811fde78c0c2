// PLACEHOLDER until the ledger and worksheet rules land: every cell typeable,
// no dialogs, no colours. Replaced by the real rules.
#include "ledgers/grid_rules.h"

#include "model/farm_data_sets.h"
#include "model/text_util.h"

namespace rb {

CellRule gridCellRule(const Farm&, const MemTable&, int, int, bool) { return {}; }

bool isGridTable(const Farm& farm, const MemTable& table) {
  if (findLedger(table.Name())) return true;
  for (const EnterpriseRow& row : farm.enterprises())
    if (equalsNoCase("mem" + row.id, table.Name())) return true;
  return false;
}

bool sortsOnTitleClick(const MemTable&) { return false; }
bool sortDescendingOnTitleClick(const MemTable&, int) { return false; }
bool allowsLineInsertAndDelete(const MemTable&) { return true; }
int fixedColumnCount(const MemTable&) { return 0; }

void typeIntoCell(Farm&, MemTable& table, int row, int column, std::string_view text) {
  table.First();
  table.MoveBy(row);
  table.Edit();
  if (text.empty()) {
    table.FieldAt(column).Clear();
  } else {
    table.FieldAt(column).SetAsString(text);
  }
  PostIfEditing(table);
}

}  // namespace rb
