#include "model/farm_data_sets.h"

#include <algorithm>

#include "model/text_util.h"

namespace rb {

// ===========================================================================
// Catalogue lists
// ===========================================================================

const std::vector<LedgerInfo>& ledgerTables() {
  static const std::vector<LedgerInfo> list = {
      {"memRevenue", "Revenue", 3, 1},
      {"memExpenses", "Expenses", 3, 1},
      {"memMachinery", "Machinery", 5, 4},
      {"memBuildings", "Buildings", 5, 4},
      {"memAcRec", "Accounts Receivable", 4, 3},
      {"memAcPay", "Accounts Payable", 4, 3},
      {"memSupplyInv", "Supply Inventory", 4, 3},
      {"memPurchFeedInv", "Purchased Feed Inventory", 5, 4},
      {"memUnpaid", "Unpaid Labour", 4, 3},
  };
  return list;
}

const LedgerInfo* findLedger(std::string_view table) {
  for (const LedgerInfo& ledger : ledgerTables())
    if (equalsNoCase(ledger.table, table)) return &ledger;
  return nullptr;
}

const std::vector<WholeFarmTable>& wholeFarmTables() {
  static const std::vector<WholeFarmTable> list = {
      {"memRevenue", "Revenue"},
      {"memExpenses", "Expenses"},
      {"memMachinery", "Machinery"},
      {"memBuildings", "Buildings"},
      {"memAcRec", "Accounts Receivable"},
      {"memAcPay", "Accounts Payable"},
      {"memSupplyInv", "Supply Inventory"},
      {"memPurchFeedInv", "Purchased Feed Inventory"},
      {"memUnpaid", "Unpaid Labour"},
      {"memCropAlloc", "Crop Allocations"},
      {"memTransfer", "Transfers"},
      {"memInventory", "Inventory"},
  };
  return list;
}

const std::vector<std::string>& cowCalfRowTexts() {
  static const std::vector<std::string> rows = {"Beginning Inv.", "Price per Head", "Live Births", "Purchases",
                                                "Deaths",         "Sales",          "Transfers in", "Transfers out",
                                                "Ending Inv.",    "Ending Price"};
  return rows;
}

const std::vector<std::string>& feederRowTexts() {
  static const std::vector<std::string> rows = {"Beginning Inv.", "Price",         "Purchases",
                                                "Deaths",         "Sales",         "Transfers in",
                                                "Transfers out",  "Ending Inv.",   "Ending Price"};
  return rows;
}

const std::vector<std::string>& cropRowTexts() {
  static const std::vector<std::string> rows = {"Beginning Inv.", "Production", "Sales", "Transfers out",
                                                "Ending Inv."};
  return rows;
}

const std::vector<std::string>& cowCalfTitles() {
  static const std::vector<std::string> titles = {
      "Description",   "Bull/Steer~Calves", "Bull/Steer~Calf Weights", "Heifer~Calves",    "Heifer Calf~Weights",
      "Yearling~Bulls", "Yearling~Heifers", "Bulls",                   "Cows/Bred~Heifers"};
  return titles;
}

const std::vector<std::string>& feederTitles() {
  static const std::vector<std::string> titles = {"Description", "Feeders", "Lbs per~Head", "Lbs~Total"};
  return titles;
}

const std::vector<std::string>& cropTitles() {
  static const std::vector<std::string> titles = {"Crop",           "Description",    "Number of~Units",
                                                  "Units",          "Lbs~per Unit",   "Price~per Unit",
                                                  "Total~Tonnes",   "Total~Value"};
  return titles;
}

const std::vector<std::string>& pastureTitles() {
  static const std::vector<std::string> titles = {"Description",         "# of~Animals", "Animal Unit~Equivalent",
                                                  "# of~Days",           "Total AUMs~Provided", "$ per~AUM",
                                                  "Total~Value"};
  return titles;
}

const std::vector<std::string>& otherTitles() {
  static const std::vector<std::string> titles = {"Description",      "Beginning~Quantity", "Beginning~Unit Price",
                                                  "Ending~Quantity",  "Ending~Unit Price",  "Change"};
  return titles;
}

const std::vector<std::string>& capitalTitles() {
  static const std::vector<std::string> titles = {"Description", "Current~Value", "Depreciation~Type",
                                                  "Depr.~Rate (%)", "This Year's~Depreciation"};
  return titles;
}

const std::vector<std::string>& unpaidTitles() {
  static const std::vector<std::string> titles = {"Description", "Hours", "$ / Hour", "Total~Dollars"};
  return titles;
}

void applyTitles(MemTable& table, const std::vector<std::string>& titles) {
  const std::size_t count = std::min(titles.size(), static_cast<std::size_t>(table.FieldCount()));
  for (std::size_t i = 0; i < count; ++i)
    if (!titles[i].empty()) table.FieldAt(static_cast<int>(i)).SetDisplayLabel(titles[i]);
}

std::vector<EnterpriseRow> registryRows(const MemTable& master) {
  std::vector<EnterpriseRow> rows;
  const int identity = master.FieldIndex("identity");
  const int type = master.FieldIndex("EnterpriseType");
  const int index = master.FieldIndex("enterpriseIndex");
  const int id = master.FieldIndex("enterprise");
  const int label = master.FieldIndex("enterpriseLabel");
  const int cropCount = master.FieldIndex("cropcount");
  if (type < 0 || id < 0) return rows;
  for (int row = 0; row < master.RecordCount(); ++row) {
    EnterpriseRow entry;
    if (identity >= 0) entry.identity = static_cast<int>(master.FloatAt(row, identity));
    entry.kind = static_cast<int>(master.FloatAt(row, type));
    if (index >= 0) entry.index = static_cast<int>(master.FloatAt(row, index));
    entry.id = master.StringAt(row, id);
    if (label >= 0) entry.label = master.StringAt(row, label);
    const int crops = cropCount >= 0 ? std::clamp(static_cast<int>(master.FloatAt(row, cropCount)), 0, kMaxCrops) : 0;
    for (int k = 1; k <= crops; ++k) {
      const int column = master.FieldIndex("Crop" + std::to_string(k));
      if (column < 0) break;
      entry.crops.push_back(master.StringAt(row, column));
    }
    rows.push_back(std::move(entry));
  }
  return rows;
}

// ===========================================================================
// Built-in column definitions
// ===========================================================================

namespace {

struct ColumnSpec {
  const char* name;
  FieldType type;
  int size;
};
using S = FieldType;

const std::vector<ColumnSpec>& infoColumns() {
  static const std::vector<ColumnSpec> columns = {
      {"Name", S::String, 20},     {"Address1", S::String, 20},   {"Address2", S::String, 30},
      {"province", S::String, 20}, {"postalcode", S::String, 20}, {"business", S::String, 30},
      {"phone", S::String, 20},    {"fax", S::String, 20},        {"email", S::String, 40},
      {"fiscalyearend", S::Date, 0}, {"notes", S::String, 255}};
  return columns;
}

std::vector<ColumnSpec> masterColumns() {
  static const char* cropNames[] = {"Crop1", "Crop2", "Crop3", "Crop4", "Crop5",
                                    "Crop6", "Crop7", "Crop8", "Crop9"};
  std::vector<ColumnSpec> columns = {{"identity", S::Integer, 0},        {"EnterpriseType", S::Integer, 0},
                                     {"enterpriseIndex", S::Integer, 0}, {"enterprise", S::String, 25},
                                     {"enterpriseLabel", S::String, 12}, {"cropcount", S::Integer, 0}};
  for (const char* crop : cropNames) columns.push_back({crop, S::String, 12});
  return columns;
}

const std::vector<ColumnSpec> kMoneyColumns = {
    {"Description", S::String, 25}, {"Dollars", S::Float, 0}, {"Category", S::String, 30}};
const std::vector<ColumnSpec> kCapitalColumns = {{"Description", S::String, 25}, {"CurrentValue", S::Float, 0},
                                                 {"DeprType", S::String, 20},    {"DeprRate", S::Float, 0},
                                                 {"DeprYear", S::Float, 0}};
const std::vector<ColumnSpec> kBalanceColumns = {
    {"Description", S::String, 25}, {"Beginning", S::Float, 0}, {"Ending", S::Float, 0}, {"Change", S::Float, 0}};
const std::vector<ColumnSpec> kPurchFeedColumns = {{"Description", S::String, 25}, {"Type", S::String, 10},
                                                   {"Beginning", S::Float, 0},      {"Ending", S::Float, 0},
                                                   {"Change", S::Float, 0}};
const std::vector<ColumnSpec> kUnpaidColumns = {{"Description", S::String, 25}, {"Hours", S::Float, 0},
                                                {"DPerHour", S::Float, 0},      {"TotDollars", S::Float, 0}};
const std::vector<ColumnSpec> kCropAllocColumns = {{"Enterprise", S::String, 20}, {"Crop", S::Float, 0},
                                                   {"Alloc", S::Float, 0},        {"Dollars", S::Float, 0},
                                                   {"Feed", S::Float, 0},         {"Bedding", S::Float, 0}};
const std::vector<ColumnSpec> kTransferColumns = {
    {"FromEnterprise", S::String, 20}, {"FromCategory", S::Integer, 0}, {"ToEnterprise", S::String, 20},
    {"ToCategory", S::Integer, 0},     {"Description", S::String, 30},  {"NumHead", S::Integer, 0},
    {"LbsPerHead", S::Float, 0},       {"PricePerHead", S::Float, 0},   {"PricePerLB", S::Float, 0}};
const std::vector<ColumnSpec> kInventoryColumns = {
    {"Enterprise", S::String, 20},  {"TransferType", S::Integer, 0}, {"Description", S::String, 20},
    {"NumHead", S::Integer, 0},     {"LbsPerHead", S::Float, 0},     {"PricePerHead", S::Float, 0},
    {"PricePerLB", S::Float, 0}};
const std::vector<ColumnSpec> kCowCalfColumns = {
    {"Description", S::String, 20},    {"bullsteercalves", S::Integer, 0}, {"bsweights", S::Float, 0},
    {"Heifercalves", S::Integer, 0},   {"hcweights", S::Float, 0},         {"yearlingbulls", S::Integer, 0},
    {"yearlingheifers", S::Integer, 0}, {"bulls", S::Integer, 0},          {"cowsbredheifers", S::Integer, 0}};
const std::vector<ColumnSpec> kFeederColumns = {{"Description", S::String, 20}, {"Feeders", S::Integer, 0},
                                                {"Lbsperhead", S::Float, 0},    {"LbsTotal", S::Float, 0}};
const std::vector<ColumnSpec> kCropColumns = {
    {"crop", S::String, 15},       {"Description", S::String, 20}, {"NumUnits", S::Integer, 0},
    {"Units", S::String, 10},      {"LbsPerUnit", S::Float, 0},    {"PricePerUnit", S::Float, 0},
    {"TotalTonnes", S::Float, 0},  {"TotalValue", S::Float, 0}};
const std::vector<ColumnSpec> kPastureColumns = {
    {"Description", S::String, 20}, {"NumAnimals", S::Integer, 0}, {"AUE", S::Float, 0},
    {"NumDays", S::Integer, 0},     {"TotalAums", S::Float, 0},    {"Dollars", S::Float, 0},
    {"Total", S::Float, 0}};
const std::vector<ColumnSpec> kOtherColumns = {
    {"Description", S::String, 20}, {"BegQuantity", S::Float, 0}, {"BegPrice", S::Float, 0},
    {"EndQuantity", S::Float, 0},   {"EndPrice", S::Float, 0},    {"Change", S::Float, 0}};

// Report tables, rebuilt by every report run.
const std::vector<ColumnSpec> kReportEnterpriseColumns = {
    {"enterprise", S::String, 20},   {"internalname", S::String, 20}, {"externalname", S::String, 20},
    {"selected", S::Boolean, 0},     {"numCows", S::Integer, 0},      {"lbsProduced", S::Float, 0},
    {"noncashexp", S::Float, 0},     {"totalexp", S::Float, 0},       {"valueofproduction", S::Float, 0}};
const std::vector<ColumnSpec> kStatementColumns = {
    {"enterprise", S::String, 20}, {"enterpriseLabel", S::String, 20}, {"category", S::String, 40},
    {"categoryLabel", S::String, 40}, {"Number", S::Integer, 0},      {"Weight", S::Float, 0},
    {"TotalDollars", S::Float, 0}, {"DollarCow", S::Float, 0},         {"DollarLb", S::Float, 0}};

std::vector<ColumnSpec> capitalStatementColumns() {
  std::vector<ColumnSpec> columns = {{"enterprise", S::String, 20}};
  for (const char* name : {"rent", "taxes", "depreciation", "lease", "interest", "rentpercow", "taxespercow",
                           "depreciationpercow", "leasepercow", "interestpercow", "invBreeding", "invMachinery",
                           "invBuildings", "invBreedingpercow", "invMachinerypercow", "invBuildingspercow",
                           "rentperlb", "taxesperlb", "depreciationperlb", "interestperlb", "leaseperlb"})
    columns.push_back({name, S::Float, 0});
  return columns;
}

std::vector<ColumnSpec> winnersColumns(std::initializer_list<const char*> figures) {
  std::vector<ColumnSpec> columns = {{"Enterprise", S::String, 20}, {"EnterpriseLabel", S::String, 20}};
  for (const char* name : figures) columns.push_back({name, S::Float, 0});
  return columns;
}

const std::vector<ColumnSpec> kTransferReportColumns = {
    {"row", S::String, 20}, {"column", S::String, 15}, {"value", S::Float, 0}};

std::vector<ColumnSpec> builtInColumns(std::string_view tableName) {
  const std::string name = lowerCase(tableName);
  if (name == "meminfo") return infoColumns();
  if (name == "memmaster") return masterColumns();
  if (name == "memrevenue" || name == "memexpenses") return kMoneyColumns;
  if (name == "memmachinery" || name == "membuildings") return kCapitalColumns;
  if (name == "memacrec" || name == "memacpay" || name == "memsupplyinv") return kBalanceColumns;
  if (name == "mempurchfeedinv") return kPurchFeedColumns;
  if (name == "memunpaid") return kUnpaidColumns;
  if (name == "memcropalloc") return kCropAllocColumns;
  if (name == "memtransfer") return kTransferColumns;
  if (name == "meminventory") return kInventoryColumns;
  if (name == "memcowcalf") return kCowCalfColumns;
  if (name == "memfeeders") return kFeederColumns;
  if (name == "memcrops") return kCropColumns;
  if (name == "memother") return kOtherColumns;
  if (name == "mementerprises") return kReportEnterpriseColumns;
  if (name == "mementerpriserep1" || name == "mementerpriserep2") return kStatementColumns;
  if (name == "mementerpriserep3") return capitalStatementColumns();
  if (name == "memwinners1")
    return winnersColumns({"CashRevenue", "TotalRevenue", "CashExpenses", "TotalExpenses", "CashIncome",
                           "ContribMargin", "ReturnToEquity"});
  if (name == "memwinners2")
    return winnersColumns({"ProductInv", "AcRev", "AcPay", "SupplyInv", "PurchFeedInv", "Deprec", "UnpaidLabour"});
  if (name == "memtransfers") return kTransferReportColumns;
  if (name.starts_with("mem") && isKnownEnterpriseId(name.substr(3))) {
    switch (KindOf(name.substr(3))) {
      case kCowCalf: return kCowCalfColumns;
      case kFeeders: return kFeederColumns;
      case kForage:
      case kGrain:
      case kStraw: return kCropColumns;
      case kPasture:
      case kAftermath: return kPastureColumns;
      case kOther: return kOtherColumns;
      default: break;
    }
  }
  return {};
}

}  // namespace

void defineBuiltInColumns(MemTable& table) { defineBuiltInColumnsAs(table, table.Name()); }

void defineBuiltInColumnsAs(MemTable& table, std::string_view layout) {
  table.Close();
  table.ClearFieldDefs();
  for (const ColumnSpec& column : builtInColumns(layout)) table.AddFieldDef(column.name, column.type, column.size);
  table.CreateColumns();
  table.Open();
}

// ===========================================================================
// Farm
// ===========================================================================

Farm::Farm() {
  for (const char* name : {"memInfo", "memMaster"}) add(name);
  for (const WholeFarmTable& entry : wholeFarmTables()) add(entry.table);
  for (int kind = 1; kind <= kKindCount; ++kind)
    for (int index = 1; index <= maxEnterprisesOfKind(kind); ++index) add("mem" + enterpriseId(kind, index));
  for (const char* name : {"memCowcalf", "memFeeders", "memCrops", "memOther", "memtemp", "memTemp1", "memTemp2"})
    add(name);
  for (const char* name : {"memEnterprises", "memEnterpriseRep1", "memEnterpriseRep2", "memEnterpriseRep3",
                           "memWinners1", "memWinners2", "memTransfers"})
    add(name);
  for (const auto& table : tables_) defineBuiltInColumns(*table);
  applyTitles(table("memCowcalf"), cowCalfTitles());
  applyTitles(table("memFeeders"), feederTitles());
  applyTitles(table("memCrops"), cropTitles());
  applyTitles(table("memOther"), otherTitles());
  table("memTransfers").FieldByName("row").SetDisplayLabel("Enterprise");
}

MemTable& Farm::add(std::string name) {
  tables_.push_back(std::make_unique<MemTable>(std::move(name)));
  return *tables_.back();
}

MemTable* Farm::findTable(std::string_view name) {
  for (const auto& table : tables_)
    if (equalsNoCase(table->Name(), name)) return table.get();
  return nullptr;
}

const MemTable* Farm::findTable(std::string_view name) const {
  return const_cast<Farm*>(this)->findTable(name);
}

MemTable& Farm::table(std::string_view name) {
  if (MemTable* found = findTable(name)) return *found;
  throw Error(format("Table '%s' not found", std::string(name).c_str()));
}

const MemTable& Farm::table(std::string_view name) const { return const_cast<Farm*>(this)->table(name); }

bool Farm::isRegistered(std::string_view id) const {
  for (const EnterpriseRow& row : enterprises())
    if (equalsNoCase(row.id, id)) return true;
  return false;
}

void Farm::hideEnterpriseTabs() {
  if (view_) view_->hideEnterpriseTabs();
}

void Farm::showEnterpriseTabs(const MemTable& registry) {
  for (const EnterpriseRow& row : registryRows(registry)) {
    if (view_) view_->showEnterprisePage(row);
    MemTable* worksheet = findTable("mem" + row.id);
    if (!worksheet) continue;
    if (row.kind == kCowCalf) applyTitles(*worksheet, cowCalfTitles());
    if (row.kind == kFeeders) applyTitles(*worksheet, feederTitles());
  }
}

void Farm::attachColumnEditors() {
  if (view_) view_->attachColumnEditors();
}

// Step 1: the allocation columns of the nine money ledgers carry the wrapped
// enterprise label and a narrow width from their first allocation position on.
void Farm::applyLedgerTitles() {
  for (const LedgerInfo& ledger : ledgerTables()) {
    MemTable& ledgerTable = table(ledger.table);
    for (int i = ledger.firstAllocation; i < ledgerTable.FieldCount(); ++i) {
      Field& field = ledgerTable.FieldAt(i);
      field.SetDisplayLabel(LedgerTitleOf(labels_, field.FieldName()));
      field.SetDisplayWidth(3);
    }
  }
}

// Step 2: the capital and labour ledgers' fixed titles, the aftermath sheet's.
void Farm::applyCapitalTitles() {
  applyTitles(table("memMachinery"), capitalTitles());
  applyTitles(table("memBuildings"), capitalTitles());
  applyTitles(table("memUnpaid"), unpaidTitles());
  applyTitles(table("memaftermath1"), pastureTitles());
}

// Step 3.
void Farm::applyCropTitles() {
  for (const EnterpriseRow& row : enterprises())
    if (isCropKindCode(row.kind)) applyTitles(enterpriseTable(row.id), cropTitles());
}

void Farm::applyGrazingTitles(MemTable& grazing) {
  applyTitles(grazing, pastureTitles());
  for (int i = static_cast<int>(pastureTitles().size()); i < grazing.FieldCount(); ++i) {
    Field& field = grazing.FieldAt(i);
    field.SetDisplayLabel(LabelOf(field.FieldName()));
  }
}

// Step 4: every registered pasture and the aftermath sheet; their allocation
// columns are titled with the plain enterprise label.
void Farm::applyGrazingTitles() {
  for (const EnterpriseRow& row : enterprises())
    if (row.kind == kPasture) applyGrazingTitles(enterpriseTable(row.id));
  applyGrazingTitles(table("memaftermath1"));
}

// Step 5.
void Farm::applyOtherTitles() {
  for (const EnterpriseRow& row : enterprises())
    if (row.kind == kOther) applyTitles(enterpriseTable(row.id), otherTitles());
}

// Step 6.
void Farm::applyLivestockTitles() {
  for (const EnterpriseRow& row : enterprises()) {
    if (row.kind == kCowCalf) applyTitles(enterpriseTable(row.id), cowCalfTitles());
    if (row.kind == kFeeders) applyTitles(enterpriseTable(row.id), feederTitles());
  }
}

void Farm::applyAllTitleSteps() {
  applyLedgerTitles();
  applyCapitalTitles();
  applyCropTitles();
  applyGrazingTitles();
  applyOtherTitles();
  applyLivestockTitles();
}

// ===========================================================================
// Fixed rows of a new enterprise
// ===========================================================================

namespace {

void appendDescribedRow(MemTable& table, const std::string& description) {
  table.Append();
  table.FieldByName("Description").SetAsString(description);
  table.Post();
}

}  // namespace

void appendCropBlock(MemTable& table, const std::string& crop) {
  if (table.RecordCount() > 0) {
    table.Append();
    table.Post();
  }
  std::vector<std::string> rows = cropRowTexts();
  rows[3] = "Transfers Out";
  for (const std::string& text : rows) {
    table.Append();
    table.FieldByName("crop").SetAsString(crop);
    table.FieldByName("Description").SetAsString(text);
    table.Post();
  }
}

void writeFixedRows(Farm& farm, MemTable& table, int kind, const std::vector<std::string>& crops) {
  ControlsDisabled quiet(table);
  ProgramUpdate busy(farm);
  if (kind == kCowCalf)
    for (const std::string& text : cowCalfRowTexts()) appendDescribedRow(table, text);
  if (kind == kFeeders)
    for (const std::string& text : feederRowTexts()) appendDescribedRow(table, text);
  if (isCropKindCode(kind))
    for (const std::string& crop : crops) appendCropBlock(table, crop);
}

}  // namespace rb
