#include "setup/rollover.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "setup/allocation_columns.h"
#include "setup/table_surgery.h"

namespace rb {

namespace {

// Rows of a crop worksheet: block k (1-based) starts at 6(k-1); a separator
// row precedes every block but the first.
constexpr int kCropBlockStride = 6;
constexpr int kCropBlockRows = 5;
int cropBlockStart(int k) { return kCropBlockStride * (k - 1); }
int cropEndingRow(int k) { return cropBlockStart(k) + kCropBlockRows - 1; }

const char* const kCowCalfHeadColumns[] = {"bullsteercalves", "Heifercalves", "yearlingbulls",
                                           "yearlingheifers", "bulls",        "cowsbredheifers"};
const char* const kCropQuantityColumns[] = {"NumUnits",     "Units",       "LbsPerUnit",
                                            "PricePerUnit", "TotalTonnes", "TotalValue"};

// The worksheet rows that carry over: Ending Inv. and Ending Price become the
// first two rows; columns 2 to `lastColumn` (1-based) are the figures.
struct LivestockSheet {
  int endingRow;
  int endingPriceRow;
  int lastColumn;
};
constexpr LivestockSheet kCowCalfSheet{8, 9, 9};
constexpr LivestockSheet kFeederSheet{7, 8, 4};

// A number in a cell, 0 when the column or row is missing or holds no number.
double numberAt(const MemTable& table, int row, std::string_view column) {
  const int index = table.FieldIndex(column);
  if (index < 0 || row < 0 || row >= table.RecordCount()) return 0;
  const Value& value = table.ValueAt(row, index);
  if (auto* d = std::get_if<double>(&value)) return *d;
  if (auto* i = std::get_if<std::int32_t>(&value)) return *i;
  if (auto* s = std::get_if<std::string>(&value)) return parseFloat(*s).value_or(0);
  return 0;
}

// Edits one row: `change` assigns through the row's fields.
template <typename Change>
void editRow(MemTable& table, int row, Change change) {
  if (row < 0 || row >= table.RecordCount()) return;
  table.First();
  table.MoveBy(row);
  table.Edit();
  change(table);
  table.Post();
}

void clearColumnsFrom(MemTable& table, int firstColumn) {
  for (int row = 0; row < table.RecordCount(); ++row)
    editRow(table, row, [&](MemTable& t) {
      for (int column = firstColumn; column < t.FieldCount(); ++column) t.FieldAt(column).Clear();
    });
}

// One row of the choice list, read into plain values.
struct Choice {
  std::string id;
  std::string label;
  int kind = 0;
  int cropNumber = 0;
  std::string cropName;
  int currentIndex = 0;
  int newIndex = 0;
  bool locked = false;
  bool deleteEnterprise = false;
  bool deleteCrop = false;
  bool isCrop() const { return cropNumber > 0; }
  bool kept() const { return !deleteEnterprise && !deleteCrop; }
};

std::vector<Choice> readChoices(const MemTable& list) {
  std::vector<Choice> choices;
  const auto column = [&](const char* name) { return list.FieldIndex(name); };
  const auto integer = [&](int row, const char* name) {
    const int c = column(name);
    return c < 0 ? 0 : static_cast<int>(list.FloatAt(row, c));
  };
  const auto boolean = [&](int row, const char* name) {
    const int c = column(name);
    return c >= 0 && std::holds_alternative<bool>(list.ValueAt(row, c)) && std::get<bool>(list.ValueAt(row, c));
  };
  for (int row = 0; row < list.RecordCount(); ++row) {
    Choice choice;
    choice.id = trimmed(list.StringAt(row, column("enterprise")));
    choice.label = list.StringAt(row, column("enterpriselabel"));
    choice.kind = integer(row, "EnterpriseType");
    choice.cropNumber = integer(row, "cropnumber");
    choice.cropName = list.StringAt(row, column("cropname"));
    choice.currentIndex = integer(row, "currentIndex");
    choice.newIndex = integer(row, "NewIndex");
    choice.locked = boolean(row, "isLocked");
    choice.deleteEnterprise = boolean(row, "deleteenterprise");
    choice.deleteCrop = boolean(row, "deletecrop");
    choices.push_back(std::move(choice));
  }
  return choices;
}

int registryRowOf(const MemTable& master, std::string_view id) {
  const int column = master.FieldIndex("enterprise");
  for (int row = 0; column >= 0 && row < master.RecordCount(); ++row)
    if (equalsNoCase(trimmed(master.StringAt(row, column)), id)) return row;
  return -1;
}

int registeredOfKind(const Farm& farm, int kind) {
  int count = 0;
  for (const EnterpriseRow& row : farm.enterprises())
    if (row.kind == kind) ++count;
  return count;
}

// --- the steps of rolloverFarm ----------------------------------------------

// Steps 2 and 3: ledgers whose allocations are not kept lose them; balances
// start the year where the last one ended.
void clearLedgerAllocations(Farm& farm, const RolloverKeeps& keeps) {
  const std::pair<const char*, bool> ledgers[] = {{"memRevenue", keeps.revenues},
                                                  {"memExpenses", keeps.expenses},
                                                  {"memMachinery", keeps.machinery},
                                                  {"memBuildings", keeps.buildings}};
  for (const auto& [name, keep] : ledgers) {
    MemTable& ledger = farm.table(name);
    if (!keep) clearColumnsFrom(ledger, firstAllocationColumn(ledger));
  }
}

// The balance ledgers' Change: receivables and payables grow with the ending
// balance, inventories shrink with it.
double balanceChange(std::string_view ledger, double beginning, double ending) {
  const bool endingMinusBeginning = equalsNoCase(ledger, "memAcRec") || equalsNoCase(ledger, "memAcPay");
  return RoundTo2(endingMinusBeginning ? ending - beginning : beginning - ending);
}

void carryBalancesForward(Farm& farm) {
  for (const char* name : {"memAcRec", "memAcPay", "memSupplyInv", "memPurchFeedInv"}) {
    MemTable& ledger = farm.table(name);
    const int firstAllocation = firstAllocationColumn(ledger);
    const int beginning = ledger.FieldIndex("Beginning");
    const int ending = ledger.FieldIndex("Ending");
    const int change = ledger.FieldIndex("Change");
    for (int row = 0; row < ledger.RecordCount(); ++row) {
      const Value carried = ending >= 0 ? ledger.ValueAt(row, ending) : Value{};
      const double carriedAmount = numberAt(ledger, row, "Ending");
      editRow(ledger, row, [&](MemTable& t) {
        for (int column = firstAllocation; column < t.FieldCount(); ++column) t.FieldAt(column).Clear();
        if (beginning >= 0) t.FieldAt(beginning).SetValue(carried);
        if (ending >= 0) t.FieldAt(ending).Clear();
        if (change >= 0) t.FieldAt(change).SetAsFloat(balanceChange(name, carriedAmount, 0));
      });
    }
  }
}

// Step 5 for a herd or feeder group: its figures are emptied; a locked one
// starts the year with last year's ending inventory and price.
void carryLivestockForward(MemTable& sheet, const LivestockSheet& layout, bool locked) {
  const int lastColumn = std::min(layout.lastColumn, sheet.FieldCount());
  std::vector<Value> ending, endingPrice;
  for (int column = 1; column < lastColumn; ++column) {
    const bool present = sheet.RecordCount() > layout.endingPriceRow;
    ending.push_back(present ? sheet.ValueAt(layout.endingRow, column) : Value{});
    endingPrice.push_back(present ? sheet.ValueAt(layout.endingPriceRow, column) : Value{});
  }
  for (int row = 0; row < sheet.RecordCount(); ++row)
    editRow(sheet, row, [&](MemTable& t) {
      for (int column = 1; column < lastColumn; ++column) {
        Field& field = t.FieldAt(column);
        const std::size_t at = static_cast<std::size_t>(column - 1);
        if (locked && row == 0)
          field.SetValue(ending[at]);
        else if (locked && row == 1)
          field.SetValue(endingPrice[at]);
        else
          field.Clear();
      }
    });
}

void carryCropForward(MemTable& sheet, int k, bool locked) {
  std::vector<int> columns;
  for (const char* name : kCropQuantityColumns)
    if (const int c = sheet.FieldIndex(name); c >= 0) columns.push_back(c);
  const int endingRow = cropEndingRow(k);
  std::vector<Value> ending;
  for (int column : columns)
    ending.push_back(endingRow < sheet.RecordCount() ? sheet.ValueAt(endingRow, column) : Value{});
  for (int row = cropBlockStart(k); row <= endingRow; ++row)
    editRow(sheet, row, [&](MemTable& t) {
      for (std::size_t i = 0; i < columns.size(); ++i) {
        if (locked && row == cropBlockStart(k))
          t.FieldAt(columns[i]).SetValue(ending[i]);
        else
          t.FieldAt(columns[i]).Clear();
      }
    });
}

void carryWorksheetsForward(Farm& farm, const std::vector<Choice>& choices) {
  for (const Choice& choice : choices) {
    if (!choice.kept() || !farm.isRegistered(choice.id)) continue;
    MemTable& sheet = farm.enterpriseTable(choice.id);
    switch (choice.kind) {
      case kCowCalf: carryLivestockForward(sheet, kCowCalfSheet, choice.locked); break;
      case kFeeders: carryLivestockForward(sheet, kFeederSheet, choice.locked); break;
      case kForage:
      case kGrain:
      case kStraw:
        if (choice.isCrop()) carryCropForward(sheet, choice.cropNumber, choice.locked);
        break;
      case kPasture:
      case kOther: emptyRows(sheet); break;
      default: break;
    }
  }
}

// Step 6: each removed crop's block goes with one separator, from the last
// crop to the first, then the registry's crop names close up.
void removeCrops(Farm& farm, const std::vector<Choice>& choices) {
  for (auto it = choices.rbegin(); it != choices.rend(); ++it) {
    if (!it->deleteCrop || !farm.isRegistered(it->id)) continue;
    MemTable& sheet = farm.enterpriseTable(it->id);
    const int k = it->cropNumber;
    if (k == 1)
      deleteRows(sheet, 0, kCropBlockStride - 1);
    else
      deleteRows(sheet, cropBlockStart(k) - 1, cropEndingRow(k));
  }

  MemTable& master = farm.master();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const Choice& enterprise = choices[i];
    if (enterprise.isCrop()) continue;
    std::vector<const Choice*> crops;
    bool anyRemoved = false;
    for (std::size_t j = i + 1; j < choices.size() && choices[j].isCrop(); ++j) {
      if (choices[j].deleteCrop)
        anyRemoved = true;
      else
        crops.push_back(&choices[j]);
    }
    const int row = registryRowOf(master, enterprise.id);
    if (!anyRemoved || row < 0) continue;
    editRow(master, row, [&](MemTable& t) {
      for (int n = 1; n <= kMaxCrops; ++n)
        if (Field* crop = t.FindField("Crop" + std::to_string(n))) crop->Clear();
      for (const Choice* crop : crops)
        if (Field* name = t.FindField("Crop" + std::to_string(crop->newIndex))) name->SetAsString(crop->cropName);
      t.FieldByName("cropcount").SetAsInteger(static_cast<int>(crops.size()));
    });
  }
}

// The tables whose allocation column of a vanished enterprise is dropped. The
// grazing worksheets are among them: they were emptied, and a column without
// an enterprise would only show up as a stray title.
std::vector<MemTable*> tablesWithAllocationColumns(Farm& farm) {
  std::vector<MemTable*> tables;
  for (const LedgerInfo& ledger : ledgerTables()) tables.push_back(&farm.table(ledger.table));
  tables.push_back(&farm.table("memCropAlloc"));
  for (int index = 1; index <= kMaxPerKind; ++index) tables.push_back(&farm.enterpriseTable(enterpriseId(kPasture, index)));
  tables.push_back(&farm.table("memaftermath1"));
  return tables;
}

void moveAllocations(Farm& farm, const std::string& from, const std::string& to) {
  for (const char* name : {"memRevenue", "memExpenses", "memMachinery", "memBuildings"}) {
    MemTable& ledger = farm.table(name);
    const int source = ledger.FieldIndex(from);
    const int target = ledger.FieldIndex(to);
    if (target < 0) continue;
    for (int row = 0; row < ledger.RecordCount(); ++row) {
      const Value value = source >= 0 ? ledger.ValueAt(row, source) : Value{};
      editRow(ledger, row, [&](MemTable& t) { t.FieldAt(target).SetValue(value); });
    }
  }
}

void moveRegistryEntry(Farm& farm, const std::string& from, const std::string& to) {
  MemTable& master = farm.master();
  const int source = registryRowOf(master, from);
  const int target = registryRowOf(master, to);
  if (source < 0 || target < 0) return;
  std::vector<std::pair<int, Value>> carried;
  for (int column = 0; column < master.FieldCount(); ++column) {
    const std::string& name = master.FieldAt(column).FieldName();
    if (equalsNoCase(name, "enterpriseLabel") || equalsNoCase(name, "cropcount") || startsWithNoCase(name, "Crop"))
      carried.emplace_back(column, master.ValueAt(source, column));
  }
  editRow(master, target, [&](MemTable& t) {
    for (const auto& [column, value] : carried) t.FieldAt(column).SetValue(value);
  });
}

// Step 7: a removed enterprise's later siblings each move down one place;
// the last place's registry row, label and columns go.
void removeEnterprise(Farm& farm, const Choice& removed) {
  const int kind = removed.kind;
  const int count = registeredOfKind(farm, kind);
  emptyRows(farm.enterpriseTable(enterpriseId(kind, removed.currentIndex)));
  for (int j = removed.currentIndex; j < count; ++j) {
    const std::string to = enterpriseId(kind, j);
    const std::string from = enterpriseId(kind, j + 1);
    moveAllocations(farm, from, to);
    moveRegistryEntry(farm, from, to);
    CopyTable(farm.enterpriseTable(from), farm.enterpriseTable(to));
    farm.labels().set(kind, j, farm.labels().at(kind, j + 1));
  }
  const std::string last = enterpriseId(kind, count);
  farm.labels().set(kind, count, "");
  MemTable& master = farm.master();
  if (const int row = registryRowOf(master, last); row >= 0) deleteRows(master, row, row);
  for (MemTable* table : tablesWithAllocationColumns(farm)) removeAllocationColumn(farm, *table, last);
}

// Step 9: only the ending inventory lines of feeder groups with animals on
// hand stay, as beginning inventories, under the group's id in the new year.
void carryFeederInventory(Farm& farm, const std::vector<Choice>& choices) {
  MemTable& inventory = farm.table("memInventory");
  const int type = inventory.FieldIndex("TransferType");
  const int enterprise = inventory.FieldIndex("Enterprise");
  if (type < 0 || enterprise < 0) return;
  constexpr int kEndingInventory = 4;
  constexpr int kBeginningInventory = 1;
  for (int row = inventory.RecordCount() - 1; row >= 0; --row)
    if (numberAt(inventory, row, "TransferType") != kEndingInventory) deleteRows(inventory, row, row);
  for (int row = 0; row < inventory.RecordCount(); ++row) {
    const std::string owner = trimmed(inventory.StringAt(row, enterprise));
    for (const Choice& choice : choices) {
      if (choice.isCrop() || choice.kind != kFeeders || !choice.locked || !equalsNoCase(choice.id, owner)) continue;
      const std::string newId = enterpriseId(kFeeders, choice.newIndex > 0 ? choice.newIndex : choice.currentIndex);
      editRow(inventory, row, [&](MemTable& t) {
        t.FieldAt(type).SetAsInteger(kBeginningInventory);
        if (!equalsNoCase(owner, newId)) t.FieldAt(enterprise).SetAsString(newId);
      });
      break;
    }
  }
  for (int row = inventory.RecordCount() - 1; row >= 0; --row)
    if (numberAt(inventory, row, "TransferType") != kBeginningInventory) deleteRows(inventory, row, row);
}

void clearDollars(Farm& farm) {
  for (const char* name : {"memExpenses", "memRevenue"}) {
    MemTable& ledger = farm.table(name);
    const int dollars = ledger.FieldIndex("Dollars");
    if (dollars < 0) continue;
    for (int row = 0; row < ledger.RecordCount(); ++row) clearCell(ledger, row, dollars);
  }
}

}  // namespace

// ===========================================================================
// Locks and the choice list
// ===========================================================================

bool enterpriseLocked(const Farm& farm, std::string_view id) {
  const MemTable* sheet = farm.findTable("mem" + std::string(id));
  if (!sheet || sheet->RecordCount() < 2) return false;
  const int endingRow = sheet->RecordCount() - 2;  // the "Ending Inv." row
  switch (KindOf(id)) {
    case kCowCalf: {
      double head = 0;
      for (const char* column : kCowCalfHeadColumns) head += numberAt(*sheet, endingRow, column);
      return head > 0.5;
    }
    case kFeeders: return numberAt(*sheet, endingRow, "Feeders") > 0.5;
    default: return false;
  }
}

bool cropLocked(const Farm& farm, std::string_view id, int cropNumber) {
  const MemTable* sheet = farm.findTable("mem" + std::string(id));
  return sheet && cropNumber > 0 && numberAt(*sheet, cropEndingRow(cropNumber), "TotalTonnes") > 0.5;
}

void buildRolloverList(const Farm& farm, MemTable& list) {
  list.Close();
  list.ClearFieldDefs();
  list.AddFieldDef("enterprise", FieldType::String, 20);
  list.AddFieldDef("enterpriselabel", FieldType::String, 40);
  list.AddFieldDef("EnterpriseType", FieldType::Integer);
  list.AddFieldDef("cropnumber", FieldType::Integer);
  list.AddFieldDef("cropname", FieldType::String, 20);
  list.AddFieldDef("currentIndex", FieldType::Integer);
  list.AddFieldDef("NewIndex", FieldType::Integer);
  list.AddFieldDef("isLocked", FieldType::Boolean);
  list.AddFieldDef("deleteenterprise", FieldType::Boolean);
  list.AddFieldDef("deletecrop", FieldType::Boolean);
  list.CreateColumns();
  list.Open();

  const auto append = [&](const EnterpriseRow& row, int crop, int index, bool locked) {
    list.Append();
    list.FieldByName("enterprise").SetAsString(row.id);
    list.FieldByName("enterpriselabel").SetAsString(row.label);
    list.FieldByName("EnterpriseType").SetAsInteger(row.kind);
    list.FieldByName("cropnumber").SetAsInteger(crop);
    if (crop > 0) list.FieldByName("cropname").SetAsString(row.crops[static_cast<std::size_t>(crop - 1)]);
    list.FieldByName("currentIndex").SetAsInteger(index);
    list.FieldByName("isLocked").SetAsBoolean(locked);
    list.FieldByName("deleteenterprise").SetAsBoolean(false);
    list.FieldByName("deletecrop").SetAsBoolean(false);
    list.Post();
  };
  for (const EnterpriseRow& row : farm.enterprises()) {
    if (equalsNoCase(row.id, "aftermath1")) continue;
    append(row, 0, indexOfId(row.id), enterpriseLocked(farm, row.id));
    for (int k = 1; k <= static_cast<int>(row.crops.size()); ++k) append(row, k, k, cropLocked(farm, row.id, k));
  }
  list.First();
}

// ===========================================================================
// The tree
// ===========================================================================

RolloverTree::RolloverTree(const MemTable& list) {
  int enterprise = -1;
  for (const Choice& choice : readChoices(list)) {
    Node node;
    node.isCrop = choice.isCrop();
    node.text = node.isCrop ? choice.cropName : choice.label;
    node.state = choice.locked ? kLocked : node.isCrop ? kIncludeCrop : kIncludeEnterprise;
    if (node.isCrop && enterprise >= 0) {
      node.parent = enterprise;
      ++nodes_[static_cast<std::size_t>(enterprise)].childCount;
    }
    if (!node.isCrop) enterprise = static_cast<int>(nodes_.size());
    nodes_.push_back(std::move(node));
  }
}

bool RolloverTree::doubleClick(int index) {
  if (index < 0 || index >= static_cast<int>(nodes_.size())) return false;
  Node& node = nodes_[static_cast<std::size_t>(index)];
  // A crop enterprise goes only when all its crops go.
  if (node.state == kLocked || (!node.isCrop && node.childCount > 0)) return false;
  if (!node.isCrop) {
    node.state = node.state == kExclude ? kIncludeEnterprise : kExclude;
    return true;
  }
  node.state = node.state == kExclude ? kIncludeCrop : kExclude;
  if (node.parent >= 0) {
    Node& parent = nodes_[static_cast<std::size_t>(node.parent)];
    bool allExcluded = true;
    for (const Node& other : nodes_)
      if (&other != &parent && other.parent == node.parent && other.state != kExclude) allExcluded = false;
    if (parent.state != kLocked) parent.state = allExcluded ? kExclude : kIncludeEnterprise;
  }
  return true;
}

void RolloverTree::finish(MemTable& list) const {
  const std::vector<Choice> choices = readChoices(list);
  std::array<int, kKindCount + 1> removedOfKind{};
  int removedCrops = 0;
  for (std::size_t i = 0; i < nodes_.size() && i < choices.size(); ++i) {
    const Choice& choice = choices[i];
    const bool excluded = nodes_[i].state == kExclude;
    const int kind = std::clamp(choice.kind, 0, kKindCount);
    editRow(list, static_cast<int>(i), [&](MemTable& t) {
      if (nodes_[i].isCrop) {
        t.FieldByName("deletecrop").SetAsBoolean(excluded);
        if (excluded)
          ++removedCrops;
        else
          t.FieldByName("NewIndex").SetAsInteger(choice.currentIndex - removedCrops);
      } else {
        removedCrops = 0;
        t.FieldByName("deleteenterprise").SetAsBoolean(excluded);
        if (excluded)
          ++removedOfKind[static_cast<std::size_t>(kind)];
        else
          t.FieldByName("NewIndex").SetAsInteger(choice.currentIndex - removedOfKind[static_cast<std::size_t>(kind)]);
      }
    });
  }
  list.First();
}

// ===========================================================================
// The year end and the wizard
// ===========================================================================

CalendarDate addTwelveMonths(const CalendarDate& date) {
  CalendarDate next{date.year + 1, date.month, date.day};
  while (next.day > 28 && !isValidDate(next.year, next.month, next.day)) --next.day;
  return next;
}

CalendarDate proposedYearEnd(std::string_view fiscalYearEnd) {
  CalendarDate stored = today();
  if (fiscalYearEnd.size() > 2) {
    try {
      stored = ParseFiscalDate(fiscalYearEnd);
    } catch (const Error&) {
      stored = today();
    }
  }
  return addTwelveMonths(stored);
}

namespace {

std::string storedYearEnd(const Farm& farm) {
  const MemTable& info = farm.table("memInfo");
  const int column = info.FieldIndex("fiscalyearend");
  return column >= 0 && info.RecordCount() > 0 ? info.StringAt(0, column) : "";
}

MemTable& builtList(const Farm& farm, MemTable& list) {
  buildRolloverList(farm, list);
  return list;
}

}  // namespace

RolloverWizard::RolloverWizard(const Farm& farm)
    : yearEnd(proposedYearEnd(storedYearEnd(farm))), tree_(builtList(farm, list_)) {}

void RolloverWizard::next() {
  if (step_ >= 3) return;
  ++step_;
  previousEnabled_ = true;
  nextEnabled_ = step_ < 3;
  finishEnabled_ = step_ == 3;
}

void RolloverWizard::previous() {
  if (step_ <= 1) return;
  --step_;
  nextEnabled_ = true;
  previousEnabled_ = step_ > 1;
  finishEnabled_ = step_ == 1;
}

void RolloverWizard::finish(Farm& farm) {
  tree_.finish(list_);
  MemTable& info = farm.info();
  ProgramUpdate busy(farm);
  PostIfEditing(info);
  info.First();
  info.Edit();
  std::string text;
  try {
    text = formatFiscalDate(yearEnd);
  } catch (const std::exception&) {
    text.clear();
  }
  info.FieldByName("fiscalyearend").SetAsString(text);
  info.Post();
}

// ===========================================================================
// rolloverFarm
// ===========================================================================

void rolloverFarm(Farm& farm, MemTable& list, const RolloverKeeps& keeps) {
  const std::vector<Choice> choices = readChoices(list);
  ProgramUpdate busy(farm);

  for (const char* name : {"memTransfer", "memCropAlloc", "memaftermath1"}) emptyRows(farm.table(name));
  for (const EnterpriseRow& row : farm.enterprises())
    if (row.kind == kPasture) emptyRows(farm.enterpriseTable(row.id));
  clearLedgerAllocations(farm, keeps);
  carryBalancesForward(farm);
  emptyRows(farm.table("memUnpaid"));
  carryWorksheetsForward(farm, choices);
  removeCrops(farm, choices);

  bool anyRemoved = false;
  for (auto it = choices.rbegin(); it != choices.rend(); ++it) {
    if (it->isCrop() || !it->deleteEnterprise || !farm.isRegistered(it->id)) continue;
    removeEnterprise(farm, *it);
    anyRemoved = true;
  }

  farm.applyAllTitleSteps();
  carryFeederInventory(farm, choices);
  clearDollars(farm);

  // The pages follow the registry: moved enterprises show their new places.
  if (anyRemoved) {
    farm.hideEnterpriseTabs();
    farm.showEnterpriseTabs(farm.master());
    farm.attachColumnEditors();
  }
}

bool isAcceptedRolloverPath(const std::string& path) {
  if (trimmed(path).empty()) return false;
  const std::string name = std::filesystem::path(path).filename().string();
  return !name.empty() && name.find(kRolloverFileNamePreset) == std::string::npos;
}

// ===========================================================================
// Without a window
// ===========================================================================

namespace {

std::string describeEnterprise(const RolloverTree::Node& node, const std::string& id) {
  return format("%s (%s)", id.c_str(), node.text.c_str());
}

constexpr const char* kCannotExclude = "Enterprise or crop cannot be excluded due to non-zero ending inventory";

void excludeNode(RolloverTree& tree, int node, const std::string& what) {
  const int state = tree.state(node);
  if (state == RolloverTree::kLocked) throw Error(format("%s: %s", what.c_str(), kCannotExclude));
  if (state != RolloverTree::kExclude) tree.doubleClick(node);
}

}  // namespace

void runRollover(Farm& farm, const RolloverRequest& request) {
  RolloverWizard wizard(farm);
  const std::vector<Choice> choices = readChoices(wizard.list());
  RolloverTree& tree = wizard.tree();
  const auto enterpriseNode = [&](const std::string& id) {
    for (std::size_t i = 0; i < choices.size(); ++i)
      if (!choices[i].isCrop() && equalsNoCase(choices[i].id, trimmed(id))) return static_cast<int>(i);
    if (equalsNoCase(trimmed(id), "aftermath1") && farm.isRegistered("aftermath1"))
      throw Error("aftermath1 cannot be removed by the rollover");
    throw Error(format("The farm has no enterprise \"%s\"", id.c_str()));
  };
  const auto excludeCrop = [&](int enterprise, int k) {
    const RolloverTree::Node& owner = tree.nodes()[static_cast<std::size_t>(enterprise)];
    if (k < 1 || k > owner.childCount)
      throw Error(format("%s has no crop %d", describeEnterprise(owner, choices[static_cast<std::size_t>(enterprise)].id).c_str(), k));
    const int node = enterprise + k;
    excludeNode(tree, node,
                format("crop %d (%s) of %s", k, tree.nodes()[static_cast<std::size_t>(node)].text.c_str(),
                       describeEnterprise(owner, choices[static_cast<std::size_t>(enterprise)].id).c_str()));
  };

  for (const std::string& id : request.dropEnterprises) {
    const int node = enterpriseNode(id);
    const RolloverTree::Node& entry = tree.nodes()[static_cast<std::size_t>(node)];
    if (entry.childCount == 0) {
      excludeNode(tree, node, describeEnterprise(entry, choices[static_cast<std::size_t>(node)].id));
    } else {
      for (int k = 1; k <= entry.childCount; ++k) excludeCrop(node, k);
    }
  }
  for (const auto& [id, k] : request.dropCrops) excludeCrop(enterpriseNode(id), k);

  if (request.yearEnd) wizard.yearEnd = *request.yearEnd;
  wizard.keeps = request.keeps;
  wizard.finish(farm);
  rolloverFarm(farm, wizard.list(), wizard.keeps);
}

}  // namespace rb
