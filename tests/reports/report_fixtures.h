#pragma once
// Farms whose report tables hold statements, filled directly as the engine
// would leave them, for the layout, device and benchmark tests. Header-only,
// so the Qt test programs and the benchmark can use it too.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "reports/report_layouts.h"

namespace rb::testing {

using Cell = std::pair<const char*, Value>;

inline void appendRow(MemTable& table, std::initializer_list<Cell> cells) {
  table.Append();
  for (const auto& [column, value] : cells) table.FieldByName(column).SetValue(value);
  table.Post();
}

inline void setFarmInfo(Farm& farm, const std::string& business, const std::string& yearEnd) {
  MemTable& info = farm.info();
  while (!info.IsEmpty()) {
    info.First();
    info.Delete();
  }
  appendRow(info, {{"Name", std::string("Dale Hoffman")}, {"business", business}, {"fiscalyearend", yearEnd}});
}

inline std::string registerEnterprise(Farm& farm, int kind, int index, const std::string& label) {
  const std::string id = enterpriseId(kind, index);
  appendRow(farm.master(), {{"identity", farm.master().RecordCount() + 1},
                            {"EnterpriseType", kind},
                            {"enterpriseIndex", index},
                            {"enterprise", id},
                            {"enterpriseLabel", label},
                            {"cropcount", 0}});
  return id;
}

// A small deterministic source of plausible amounts.
class Amounts {
 public:
  explicit Amounts(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  double next(double low, double high) {
    state_ = state_ * 1664525u + 1013904223u;
    return std::round(low + (high - low) * (state_ >> 8) / double(1u << 24));
  }

 private:
  std::uint32_t state_;
};

inline const std::vector<std::pair<std::string, std::string>>& valueRows() {
  static const std::vector<std::pair<std::string, std::string>> rows = {
      {"Weaned Calf Sales", "Calves"},
      {"Feeder/Slaughter Cattle Sales", "Feeder/Slaughter Cattle"},
      {"Breeding herd Sales", "Breeding herd"},
      {"Grain crop Sales", "Grain crop"},
      {"Forage crop Sales", "Forage crop"},
      {"Grazing/Aftermath/Straw Sales", "Grazing/Aftermath/Straw"},
      {"Miscellaneous Revenue", "Miscellaneous"},
      {"Less: Cattle Purchases", "Cattle Purchases"},
      {"Adjustments:", ""},
      {"     Product Inventory", ""},
      {"     Accounts Receivable", ""},
      {"     Transfers out", ""},
      {"     Less: Livestock Transfers in", ""}};
  return rows;
}

inline const std::vector<std::string>& costRows() {
  static const std::vector<std::string> rows = {
      "Winter feed", "Bedding", "Pasture", "Veterninary & medicine", "Breeding fees / Bull rental", "Seed",
      "Fertilizer", "Chemicals", "Hail/Crop insurance premiums", "Trucking & Marketing", "Fuel",
      "Irrigation Fuel & Electricity", "Repairs - Machinery", "Repairs - Buildings /Corrals",
      "Utilities & Miscellaneous", "Custom work & Spec. labour", "Operating interest paid", "Paid labour & benefits",
      "Unpaid Labour", "Adjustments:", "     Supply Inventory", "     Accounts Payable"};
  return rows;
}

// Appends one enterprise's statement to memEnterprises and the three
// statement tables, with per-unit columns as the engine computes them.
inline void addStatement(Farm& farm, report::StatementKind kind, const std::string& id, const std::string& label,
                         double numCows, double lbsProduced, std::uint32_t seed) {
  using report::StatementKind;
  Amounts amounts(seed);
  const std::string lower = lowerCase(id);
  const bool cowCalf = containsText(lower, "cow"), feeder = containsText(lower, "fee");
  const bool perOutput = containsText(lower, "str") || containsText(lower, "gra") || containsText(lower, "for") ||
                         kind == StatementKind::PastureAftermath;
  const bool wholeFarm = kind == StatementKind::WholeFarm;
  auto perUnit = [&](MemTable& table, double total) {
    if (cowCalf && numCows > 0) table.FieldByName("DollarCow").SetAsFloat(total / numCows);
    if ((cowCalf || feeder) && lbsProduced > 0.9) table.FieldByName("DollarLb").SetAsFloat(total / lbsProduced);
    if (perOutput && lbsProduced > 0.9) table.FieldByName("DollarCow").SetAsFloat(total / lbsProduced);
  };

  MemTable& values = farm.table("memEnterpriseRep1");
  double valueOfProduction = 0;
  const std::size_t valueCount = wholeFarm ? 11 : 13;
  for (std::size_t row = 0; row < valueCount; ++row) {
    values.Append();
    values.FieldByName("enterprise").SetAsString(id);
    values.FieldByName("enterpriseLabel").SetAsString(label);
    values.FieldByName("category").SetAsString(valueRows()[row].second);
    values.FieldByName("categoryLabel").SetAsString(valueRows()[row].first);
    double total = 0;
    bool filled = row != 8;
    if (row == 0 && cowCalf) {
      const double head = std::round(numCows * 0.82);
      values.FieldByName("Number").SetAsInteger(static_cast<std::int32_t>(head));
      values.FieldByName("Weight").SetAsFloat(amounts.next(480, 620));
      total = head * values.FieldByName("Weight").AsFloat() * 2.15;
    } else if (row == 1 && feeder) {
      values.FieldByName("Number").SetAsInteger(static_cast<std::int32_t>(amounts.next(80, 300)));
      values.FieldByName("Weight").SetAsFloat(amounts.next(800, 1300));
      total = values.FieldByName("Number").AsFloat() * values.FieldByName("Weight").AsFloat() * 1.7;
    } else if (row < 7) {
      total = amounts.next(0, 4) > 2 ? amounts.next(500, 30000) : 0;
    } else if (row == 7) {
      total = -(cowCalf || feeder ? amounts.next(0, 60000) : 0);
    } else if (row == 9 && kind == StatementKind::PastureAftermath) {
      filled = false;
    } else if (row > 8) {
      total = amounts.next(-8000, 12000);
    }
    if (filled) values.FieldByName("TotalDollars").SetAsFloat(total);
    if (filled && row < 7) perUnit(values, total);
    valueOfProduction += total;
    values.Post();
  }

  MemTable& costs = farm.table("memEnterpriseRep2");
  double nonCash = 0, totalCosts = 0;
  for (std::size_t row = 0; row < costRows().size(); ++row) {
    if (wholeFarm && row == 18) continue;
    costs.Append();
    costs.FieldByName("enterprise").SetAsString(id);
    costs.FieldByName("enterpriseLabel").SetAsString(label);
    if (row < 18) costs.FieldByName("category").SetAsString(costRows()[row]);
    costs.FieldByName("categoryLabel").SetAsString(costRows()[row]);
    if (row != 19) {
      const double total = amounts.next(0, 3) > 0 ? amounts.next(200, 25000) : 0;
      const double weight = row < 3 || row > 17 ? std::round(total * 0.6) : 0;
      costs.FieldByName("TotalDollars").SetAsFloat(total);
      if (row < 3 || row > 17) costs.FieldByName("Weight").SetAsFloat(weight);
      if (row < 18) perUnit(costs, total);
      nonCash += weight;
      totalCosts += total;
    }
    costs.Post();
  }

  MemTable& capital = farm.table("memEnterpriseRep3");
  capital.Append();
  capital.FieldByName("enterprise").SetAsString(id);
  const double perCowBase = cowCalf ? numCows : perOutput ? lbsProduced : 0;
  const double perPoundBase = cowCalf || feeder ? lbsProduced : 0;
  for (const char* item : {"rent", "taxes", "depreciation", "lease", "interest"}) {
    const double amount = amounts.next(0, 15000);
    capital.FieldByName(item).SetAsFloat(amount);
    if (perCowBase > 0.1) capital.FieldByName(std::string(item) + "percow").SetAsFloat(amount / perCowBase);
    if (perPoundBase > 0.2) capital.FieldByName(std::string(item) + "perlb").SetAsFloat(amount / perPoundBase);
  }
  for (const char* item : {"invMachinery", "invBuildings"}) {
    const double amount = amounts.next(20000, 400000);
    capital.FieldByName(item).SetAsFloat(amount);
    if (perCowBase > 0.1) capital.FieldByName(std::string(item) + "percow").SetAsFloat(amount / perCowBase);
  }
  if (cowCalf && numCows > 0.9) {
    capital.FieldByName("invBreeding").SetAsFloat(numCows * 1850);
    capital.FieldByName("invBreedingpercow").SetAsFloat(1850);
  }
  capital.Post();

  MemTable& enterprises = farm.table("memEnterprises");
  enterprises.Append();
  enterprises.FieldByName("enterprise").SetAsString(id);
  enterprises.FieldByName("externalname").SetAsString(label);
  if (cowCalf) enterprises.FieldByName("numCows").SetAsInteger(static_cast<std::int32_t>(numCows));
  if (lbsProduced != 0) enterprises.FieldByName("lbsProduced").SetAsFloat(lbsProduced);
  enterprises.FieldByName("noncashexp").SetAsFloat(nonCash);
  enterprises.FieldByName("totalexp").SetAsFloat(totalCosts);
  enterprises.FieldByName("valueofproduction").SetAsFloat(valueOfProduction);
  enterprises.Post();
}

inline void emptyTable(MemTable& table) {
  while (!table.IsEmpty()) {
    table.First();
    table.Delete();
  }
}

inline void clearReportTables(Farm& farm) {
  for (const char* name : {"memEnterprises", "memEnterpriseRep1", "memEnterpriseRep2", "memEnterpriseRep3",
                           "memWinners1", "memWinners2", "memTransfers"})
    emptyTable(farm.table(name));
}

// The labels a sample farm gives its enterprises, by kind.
inline std::string sampleLabel(int kind, int index) {
  static const char* names[] = {"", "Cow Herd", "Feeders", "Hay", "Pasture", "Barley", "Straw", "Aftermath",
                                "Custom"};
  return index == 1 && kind == kAftermath ? "Aftermath" : std::string(names[kind]) + " " + std::to_string(index);
}

// A farm with `perKind` enterprises of every kind (the aftermath at most one):
// 36 enterprises with perKind 5.
inline void makeSampleFarm(Farm& farm, int perKind) {
  setFarmInfo(farm, "Willow Creek Ranch", "31-12-2026");
  for (int kind = kCowCalf; kind <= kOther; ++kind)
    for (int index = 1; index <= std::min(perKind, maxEnterprisesOfKind(kind)); ++index)
      registerEnterprise(farm, kind, index, sampleLabel(kind, index));
}

// The enterprises a statement report of the kind shows, with their statements.
inline void fillStatements(Farm& farm, report::StatementKind kind) {
  using report::StatementKind;
  emptyTable(farm.table("memEnterprises"));
  for (const char* name : {"memEnterpriseRep1", "memEnterpriseRep2", "memEnterpriseRep3"}) emptyTable(farm.table(name));
  if (kind == StatementKind::WholeFarm) {
    addStatement(farm, kind, "farm", "Whole Farm", 0, 0, 99);
    return;
  }
  std::uint32_t seed = 1;
  for (const EnterpriseRow& row : farm.enterprises()) {
    const bool shown = (kind == StatementKind::Livestock && (row.kind == kCowCalf || row.kind == kFeeders)) ||
                       (kind == StatementKind::HerdPlannerExport && row.kind == kCowCalf && row.index == 1) ||
                       (kind == StatementKind::Crop && isCropKindCode(row.kind)) ||
                       (kind == StatementKind::PastureAftermath &&
                        (row.kind == kPasture || row.kind == kAftermath)) ||
                       (kind == StatementKind::Other && row.kind == kOther);
    if (!shown) continue;
    const double numCows = row.kind == kCowCalf ? 100 + 20 * row.index : 0;
    const double output = row.kind == kCowCalf   ? numCows * 0.82 * 550
                          : row.kind == kFeeders ? 61250.5
                          : isCropKindCode(row.kind) ? 412.5
                          : row.kind == kOther       ? 0
                                                     : 1320.4;
    addStatement(farm, kind, row.id, row.label, numCows, output, seed++);
  }
}

inline void fillWinners(Farm& farm) {
  emptyTable(farm.table("memWinners1"));
  emptyTable(farm.table("memWinners2"));
  Amounts amounts(7);
  for (const EnterpriseRow& row : farm.enterprises()) {
    MemTable& income = farm.table("memWinners1");
    income.Append();
    income.FieldByName("Enterprise").SetAsString(row.id);
    income.FieldByName("EnterpriseLabel").SetAsString(row.label);
    for (const char* column : {"CashRevenue", "TotalRevenue", "CashExpenses", "TotalExpenses", "CashIncome",
                               "ContribMargin", "ReturnToEquity"})
      income.FieldByName(column).SetAsFloat(amounts.next(-40000, 250000));
    income.Post();
    MemTable& adjustments = farm.table("memWinners2");
    adjustments.Append();
    adjustments.FieldByName("Enterprise").SetAsString(row.id);
    adjustments.FieldByName("EnterpriseLabel").SetAsString(row.label);
    for (const char* column : {"ProductInv", "AcRev", "AcPay", "SupplyInv", "PurchFeedInv", "Deprec", "UnpaidLabour"})
      adjustments.FieldByName(column).SetAsFloat(amounts.next(-9000, 20000));
    adjustments.Post();
  }
}

// memTransfers as the transfer command builds it: every supplier with every
// receiver, the total first, without other enterprises as suppliers and
// without crops and grazing as receivers.
inline void fillTransfers(Farm& farm) {
  MemTable& transfers = farm.table("memTransfers");
  emptyTable(transfers);
  std::vector<std::string> keys = {"000Total"};
  int position = 1;
  for (const EnterpriseRow& row : farm.enterprises()) keys.push_back(format("%.3d%s", position++, row.id.c_str()));
  Amounts amounts(3);
  for (std::size_t s = 1; s < keys.size(); ++s) {
    if (containsText(keys[s], "oth")) continue;
    double total = 0;
    std::vector<std::pair<std::string, double>> cells;
    for (std::size_t r = 1; r < keys.size(); ++r) {
      const std::string& to = keys[r];
      if (containsText(to, "pas") || containsText(to, "aft") || containsText(to, "gra") || containsText(to, "str") ||
          containsText(to, "for"))
        continue;
      const double value = r != s && amounts.next(0, 3) > 1 ? amounts.next(500, 24000) : 0;
      cells.emplace_back(to, value);
      total += value;
    }
    appendRow(transfers, {{"row", keys[s]}, {"column", std::string("000Total")}, {"value", total}});
    for (const auto& [to, value] : cells) appendRow(transfers, {{"row", keys[s]}, {"column", to}, {"value", value}});
  }
}

}  // namespace rb::testing
