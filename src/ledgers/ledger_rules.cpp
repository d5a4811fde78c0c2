#include "ledgers/ledger_rules.h"

#include "model/farm_data_sets.h"
#include "model/mem_table.h"
#include "model/text_util.h"

namespace rb {

const std::vector<std::string>& revenueCategories() {
  static const std::vector<std::string> list = {"Calves",      "Feeder/Slaughter Cattle", "Breeding herd",
                                                "Grain crop",  "Forage crop",             "Grazing/Aftermath/Straw",
                                                "Miscellaneous"};
  return list;
}

const std::vector<std::string>& expenseCategories() {
  static const std::vector<std::string> list = {"Cattle Purchases",
                                                "Winter feed",
                                                "Bedding",
                                                "Pasture",
                                                "Veterninary & medicine",
                                                "Breeding fees / Bull rental",
                                                "Seed",
                                                "Fertilizer",
                                                "Chemicals",
                                                "Hail/Crop insurance premiums",
                                                "Trucking & Marketing",
                                                "Fuel",
                                                "Irrigation Fuel & Electricity",
                                                "Repairs - Machinery",
                                                "Repairs - Buildings /Corrals",
                                                "Utilities & Miscellaneous",
                                                "Custom work & Spec. labour",
                                                "Operating interest paid",
                                                "Paid labour & benefits",
                                                "Cattle Share / Lease",
                                                "Crop Share / Rent",
                                                "Machinery Lease",
                                                "Taxes Water Rates & Insurance",
                                                "Capital Interest"};
  return list;
}

const std::vector<std::string>& machineryDeprTypes() {
  static const std::vector<std::string> list = {"Power machinery", "Non-power machinery", "Other"};
  return list;
}

const std::vector<std::string>& buildingDeprTypes() {
  static const std::vector<std::string> list = {"Standard", "Other"};
  return list;
}

const std::vector<std::string>& purchasedFeedTypes() {
  static const std::vector<std::string> list = {"Feed", "Bedding"};
  return list;
}

const std::vector<std::string>* ledgerPickList(std::string_view table, std::string_view column) {
  if (equalsNoCase(table, "memRevenue") && equalsNoCase(column, "Category")) return &revenueCategories();
  if (equalsNoCase(table, "memExpenses") && equalsNoCase(column, "Category")) return &expenseCategories();
  if (equalsNoCase(table, "memMachinery") && equalsNoCase(column, "DeprType")) return &machineryDeprTypes();
  if (equalsNoCase(table, "memBuildings") && equalsNoCase(column, "DeprType")) return &buildingDeprTypes();
  if (equalsNoCase(table, "memPurchFeedInv") && equalsNoCase(column, "Type")) return &purchasedFeedTypes();
  return nullptr;
}

std::string ledgerComputedColumn(std::string_view table) {
  if (equalsNoCase(table, "memMachinery") || equalsNoCase(table, "memBuildings")) return "DeprYear";
  if (equalsNoCase(table, "memAcRec") || equalsNoCase(table, "memAcPay") || equalsNoCase(table, "memSupplyInv") ||
      equalsNoCase(table, "memPurchFeedInv"))
    return "Change";
  if (equalsNoCase(table, "memUnpaid")) return "TotDollars";
  return "";
}

// The class name decides the rate: "Non" is tested before "Power" (both
// case-sensitive), so a text naming both counts as non-power.
double machineryPresetRate(std::string_view deprType) {
  if (deprType.find("Non") != std::string_view::npos) return 11.5;
  if (deprType.find("Power") != std::string_view::npos) return 8.0;
  return -1;
}

double buildingPresetRate(std::string_view deprType) {
  return deprType.find("Standard") != std::string_view::npos ? 5.0 : -1;
}

namespace {

double number(const MemTable& table, const char* column) { return table.FieldByName(column).AsFloat(); }

// Depreciation at the class rate (or the typed one); the bound applies to the
// fraction, so only negative rates are cut.
void computeDepreciation(MemTable& table, double presetRate) {
  if (presetRate >= 0) table.FieldByName("DeprRate").SetAsFloat(presetRate);
  double fraction = number(table, "DeprRate") / 100.0;
  if (fraction < 0) fraction = 0;
  if (fraction > 100) fraction = 100;
  table.FieldByName("DeprYear").SetAsFloat(RoundTo2(number(table, "CurrentValue") * fraction));
}

}  // namespace

void computeLedgerLine(MemTable& table) {
  const std::string name = lowerCase(table.Name());
  if (name == "memmachinery") {
    computeDepreciation(table, machineryPresetRate(table.FieldByName("DeprType").AsString()));
  } else if (name == "membuildings") {
    computeDepreciation(table, buildingPresetRate(table.FieldByName("DeprType").AsString()));
  } else if (name == "memacrec" || name == "memacpay") {
    // Money owed to or by the farm: growth over the year is the change.
    table.FieldByName("Change").SetAsFloat(RoundTo2(number(table, "Ending") - number(table, "Beginning")));
  } else if (name == "memsupplyinv" || name == "mempurchfeedinv") {
    // Inventories: what was used up over the year is the change.
    table.FieldByName("Change").SetAsFloat(RoundTo2(number(table, "Beginning") - number(table, "Ending")));
  } else if (name == "memunpaid") {
    table.FieldByName("TotDollars").SetAsFloat(RoundTo2(number(table, "Hours") * number(table, "DPerHour")));
  }
}

bool ledgerSortsOnTitleClick(std::string_view table) {
  return equalsNoCase(table, "memRevenue") || equalsNoCase(table, "memExpenses") ||
         equalsNoCase(table, "memMachinery") || equalsNoCase(table, "memBuildings");
}

bool ledgerSortsDescending(std::string_view column) {
  for (const char* ascending : {"Description", "Category", "Dollars"})
    if (column.find(ascending) != std::string_view::npos) return false;
  return true;
}

void restoreEntryOrder(MemTable& table) {
  PostIfEditing(table);
  table.SortOnFields("", true, false);
}

}  // namespace rb
