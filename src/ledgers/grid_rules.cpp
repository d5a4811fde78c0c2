#include "ledgers/grid_rules.h"

#include "ledgers/ledger_rules.h"
#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "worksheets/table_edits.h"
#include "worksheets/worksheet_layout.h"

namespace rb {

namespace {

constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kTeal{0, 128, 128};
constexpr Rgb kOlive{128, 128, 0};
constexpr Rgb kYellow{255, 255, 0};

// The enterprise kind of a worksheet table ("memgrain2" is grain), 0 for the
// ledgers and every other table.
int worksheetKind(const MemTable& table) {
  const std::string name = lowerCase(table.Name());
  if (!name.starts_with("mem") || !isKnownEnterpriseId(name.substr(3))) return 0;
  return KindOf(name.substr(3));
}

CellRule closedCell() {
  CellRule rule;
  rule.typeable = false;
  return rule;
}

CellRule computedCell() {
  CellRule rule;
  rule.typeable = false;
  rule.background = kSilver;
  rule.text = kBlack;
  return rule;
}

CellRule dialogCell(CellRule rule, CellDialog dialog, int argument) {
  rule.dialog = dialog;
  rule.dialogArgument = argument;
  rule.background = kBlack;
  rule.text = kWhite;
  return rule;
}

// Livestock sheets: silver where nothing may be typed, white (blue while
// selected) where it may.
CellRule livestockCell(bool editable, bool selected) {
  if (!editable) return computedCell();
  CellRule rule;
  rule.background = selected ? kBlue : kWhite;
  rule.text = selected ? kWhite : kBlack;
  return rule;
}

CellRule ledgerRule(const MemTable& table, int column) {
  const std::string& name = table.FieldAt(column).FieldName();
  CellRule rule = equalsNoCase(name, ledgerComputedColumn(table.Name())) ? computedCell() : CellRule{};
  rule.dialog = CellDialog::AllocationPopup;
  rule.pickList = ledgerPickList(table.Name(), name);
  return rule;
}

CellRule cowCalfRule(int row, int column, bool selected) {
  if (column == 0) return closedCell();
  CellRule rule = livestockCell(cowcalf::isEditable(row, column), selected);
  const int animalClass = cowcalf::classOfColumn(column);
  if (animalClass == 0) return rule;
  if (row == cowcalf::kTransfersOut) return dialogCell(rule, CellDialog::CowCalfTransfersOut, animalClass);
  if (row == cowcalf::kTransfersIn) {
    rule.dialog = CellDialog::TransfersIn;
    rule.dialogArgument = animalClass;
  }
  return rule;
}

CellRule feederRule(int row, int column, bool selected) {
  if (column == 0) return closedCell();
  CellRule rule = livestockCell(feeders::isEditable(row, column), selected);
  if (column != feeders::kFeedersColumn) return rule;
  if (const int type = feeders::inventoryTypeOfRow(row)) return dialogCell(rule, CellDialog::InventoryLines, type);
  if (row == feeders::kTransfersOut) return dialogCell(rule, CellDialog::FeederTransfersOut, 0);
  if (row == feeders::kTransfersIn) rule.dialog = CellDialog::TransfersIn;
  return rule;
}

CellRule cropRule(int kind, int row, int column) {
  using namespace crops;
  const crops::Place place = placeOfRow(row);
  if (place == kSeparator) {
    CellRule rule = closedCell();
    rule.background = kind == kForage ? kTeal : kind == kGrain ? kOlive : kYellow;
    rule.text = kBlack;
    return rule;
  }
  if (place == kTransfersOut && column == kNumUnits) {
    CellRule rule = dialogCell(computedCell(), CellDialog::CropAllocation, cropOfRow(row));
    rule.keyOpensDialog = true;
    return rule;
  }
  if (!crops::isEditable(row, column)) return computedCell();
  CellRule rule;
  if (column == kUnits) rule.pickList = &unitNames(kind);
  return rule;
}

CellRule grazingRule(const MemTable& table, int column) {
  const std::string& name = table.FieldAt(column).FieldName();
  return equalsNoCase(name, "TotalAums") || equalsNoCase(name, "Total") ? computedCell() : CellRule{};
}

CellRule otherRule(const MemTable& table, int column) {
  return equalsNoCase(table.FieldAt(column).FieldName(), "Change") ? computedCell() : CellRule{};
}

std::string cellName(const MemTable& table, int row, int column) {
  const std::string columnName =
      column >= 0 && column < table.FieldCount() ? table.FieldAt(column).FieldName() : std::to_string(column + 1);
  return format("%s:%d:%s", table.Name().c_str(), row + 1, columnName.c_str());
}

}  // namespace

CellRule gridCellRule(const Farm&, const MemTable& table, int row, int column, bool selected) {
  if (column < 0 || column >= table.FieldCount() || row < 0) return closedCell();
  if (findLedger(table.Name())) return ledgerRule(table, column);
  switch (worksheetKind(table)) {
    case kCowCalf: return cowCalfRule(row, column, selected);
    case kFeeders: return feederRule(row, column, selected);
    case kForage:
    case kGrain:
    case kStraw: return cropRule(worksheetKind(table), row, column);
    case kPasture:
    case kAftermath: return grazingRule(table, column);
    case kOther: return otherRule(table, column);
    default: return closedCell();
  }
}

bool isGridTable(const Farm& farm, const MemTable& table) {
  if (findLedger(table.Name())) return true;
  for (const EnterpriseRow& row : farm.enterprises())
    if (equalsNoCase("mem" + row.id, table.Name())) return true;
  return false;
}

bool sortsOnTitleClick(const MemTable& table) { return ledgerSortsOnTitleClick(table.Name()); }

bool sortDescendingOnTitleClick(const MemTable& table, int column) {
  if (column < 0 || column >= table.FieldCount()) return false;
  return ledgerSortsDescending(table.FieldAt(column).FieldName());
}

bool allowsLineInsertAndDelete(const MemTable& table) {
  // Livestock and crop sheets have fixed rows; their shape is their meaning.
  switch (worksheetKind(table)) {
    case kCowCalf:
    case kFeeders:
    case kForage:
    case kGrain:
    case kStraw: return false;
    default: return true;
  }
}

int fixedColumnCount(const MemTable& table) {
  switch (worksheetKind(table)) {
    case kCowCalf:
    case kFeeders: return 1;
    case kForage:
    case kGrain:
    case kStraw: return 2;
    default: return 0;
  }
}

void sortOnTitleClick(MemTable& table, int column) {
  if (!sortsOnTitleClick(table) || column < 0 || column >= table.FieldCount()) return;
  PostIfEditing(table);
  table.SortOnFields(table.FieldAt(column).FieldName(), false, sortDescendingOnTitleClick(table, column));
}

std::string acceptedPickListText(const std::vector<std::string>& list, std::string_view text) {
  for (const std::string& entry : list)
    if (entry == text) return entry;
  return "";
}

void typeIntoCell(Farm& farm, MemTable& table, int row, int column, std::string_view text) {
  if (!isGridTable(farm, table)) throw Error(format("Table %s is not edited in a grid", table.Name().c_str()));
  PostIfEditing(table);  // a line being added counts as a row from here on
  if (column < 0 || column >= table.FieldCount())
    throw Error(format("Cell %s: no such column", cellName(table, row, column).c_str()));
  if (row < 0 || row >= table.RecordCount())
    throw Error(format("Cell %s: no such row (the table has %d)", cellName(table, row, column).c_str(),
                       table.RecordCount()));
  const CellRule rule = gridCellRule(farm, table, row, column, true);
  if (!rule.typeable) throw Error(format("Cell %s cannot be typed into", cellName(table, row, column).c_str()));
  std::string value(text);
  if (rule.pickList && !value.empty()) {
    value = acceptedPickListText(*rule.pickList, text);
    if (value.empty()) {
      std::string choices;
      for (const std::string& entry : *rule.pickList) choices += (choices.empty() ? "\"" : ", \"") + entry + "\"";
      throw Error(format("Cell %s: \"%s\" is not one of %s", cellName(table, row, column).c_str(),
                         std::string(text).c_str(), choices.c_str()));
    }
  }

  // The rules may write further rows; a failure puts the whole table back.
  MemTable before(table.Name());
  before.CopyContentFrom(table);
  const bool busy = farm.inProgramUpdate;
  try {
    table.First();
    table.MoveBy(row);
    table.Edit();
    if (value.empty())
      table.FieldAt(column).Clear();
    else
      table.FieldAt(column).SetAsString(value);
    PostIfEditing(table);
    requireFiniteCells(table);
  } catch (const std::exception& error) {
    farm.inProgramUpdate = true;
    if (table.State() != TableState::Browse) table.Cancel();
    table.TakeContentFrom(before);
    farm.inProgramUpdate = busy;
    throw Error(format("Cell %s: %s", cellName(table, row, column).c_str(), error.what()));
  }
}

}  // namespace rb
