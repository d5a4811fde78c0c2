#include "analysis/report_data.h"

#include <array>
#include <cstdio>
#include <set>

#include "analysis/figures.h"
#include "analysis/table_reading.h"
#include "analysis/validation.h"
#include "model/fiscal_date.h"
#include "model/text_util.h"

namespace rb {
namespace {

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::vector<std::string> idsContaining(const Farm& farm, std::initializer_list<std::string_view> parts) {
  std::vector<std::string> ids;
  for (const EnterpriseRow& row : farm.enterprises()) {
    const std::string lower = lowerCase(row.id);
    for (std::string_view part : parts) {
      if (containsText(lower, part)) {
        ids.push_back(row.id);
        break;
      }
    }
  }
  return ids;
}

void emptyTable(MemTable& table) {
  PostIfEditing(table);
  while (!table.IsEmpty()) {
    table.First();
    table.Delete();
  }
}

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm time{};
  localtime_r(&now, &time);
  return time;
}

void startLog(Farm& farm, ReportKind kind, const std::optional<std::tm>& time) {
  farm.clearErrorLog();
  farm.addLogLine(std::string(startLineText(kind)) + logTimeStamp(time ? *time : localNow()));
}

}  // namespace

std::vector<std::string> chooserEnterprises(const Farm& farm, ReportKind kind) {
  switch (kind) {
    case ReportKind::Livestock: return idsContaining(farm, {"cowcalf", "feeders"});
    case ReportKind::Crop: return idsContaining(farm, {"for", "gr", "str"});
    case ReportKind::PastureAftermath: {
      std::vector<std::string> ids = idsContaining(farm, {"aft"});
      for (std::string& id : idsContaining(farm, {"pas"})) ids.push_back(std::move(id));
      return ids;
    }
    case ReportKind::Other: return idsContaining(farm, {"other"});
    default: return {};
  }
}

std::vector<std::string> herdPlannerEnterprises(const Farm& farm) { return idsContaining(farm, {"cowcalf"}); }

std::string_view startLineText(ReportKind kind) {
  switch (kind) {
    case ReportKind::Livestock: return "Starting logger for livestock report(s)..";
    case ReportKind::Crop: return "Starting logger for crop report(s)..";
    case ReportKind::PastureAftermath: return "Starting logger for pasture/aftermath report(s)..";
    case ReportKind::Other: return "Starting logger for Other Enterprise report(s)..";
    case ReportKind::WholeFarm: return "Starting logger for Whole Farm report..";
    case ReportKind::Winners: return "Starting logger for Winners & Losers report..";
    case ReportKind::Transfers: return "Starting logger for Transfer report..";
  }
  return "";
}

std::string logTimeStamp(const std::tm& time) {
  const int month = time.tm_mon >= 0 && time.tm_mon < 12 ? time.tm_mon : 0;
  return format("%s,%02d,%04d - %02d:%02d:%02d", kMonths[static_cast<std::size_t>(month)], time.tm_mday,
                time.tm_year + 1900, time.tm_hour, time.tm_min, time.tm_sec);
}

void selectEnterprises(Farm& farm, ReportKind kind, const std::vector<std::string>& ids) {
  const Figures figures(farm);
  MemTable& table = farm.table("memEnterprises");
  ControlsDisabled quiet(table);
  emptyTable(table);
  for (const std::string& id : ids) {
    table.Append();
    table.FieldByName("enterprise").SetAsString(id);
    table.FieldByName("externalname").SetAsString(figures.enterpriseLabelOf(id));
    if (containsText(id, "cow")) {
      table.FieldByName("numCows").SetAsInteger(figures.cowsWintered(id));
      table.FieldByName("lbsProduced").SetAsFloat(figures.poundsOfCalfProduced(id));
    } else if (containsText(id, "fee")) {
      table.FieldByName("lbsProduced").SetAsFloat(figures.poundsGained(id));
    }
    // The crop and grazing reports measure output in tonnes and AUMs.
    if (kind == ReportKind::Crop) table.FieldByName("lbsProduced").SetAsFloat(figures.tonnesProduced(id));
    if (kind == ReportKind::PastureAftermath)
      table.FieldByName("lbsProduced").SetAsFloat(figures.pastureTotals(id).aums);
    table.Post();
  }
  table.First();
}

bool runReportData(Farm& farm, const ReportRequest& request) {
  const ReportKind kind = request.kind;
  if (kind == ReportKind::Winners) {
    startLog(farm, kind, request.startTime);
    buildWinners(farm);
    runValidation(farm);
    return true;
  }
  if (kind == ReportKind::Transfers) {
    startLog(farm, kind, request.startTime);
    runValidation(farm);
    buildTransfers(farm);
    return true;
  }

  const StatementKind statement{kind, request.herdPlannerExport && kind == ReportKind::Livestock};
  if (kind == ReportKind::WholeFarm) {
    MemTable& table = farm.table("memEnterprises");
    emptyTable(table);
    table.Append();
    table.FieldByName("enterprise").SetAsString("farm");
    table.FieldByName("externalname").SetAsString("Whole Farm");
    table.Post();
  } else {
    const std::vector<std::string> offered =
        statement.herdPlannerExport ? herdPlannerEnterprises(farm) : chooserEnterprises(farm, kind);
    const std::set<std::string> chosen(request.enterprises.begin(), request.enterprises.end());
    std::vector<std::string> ids;
    for (const std::string& id : offered)
      if (chosen.contains(id)) ids.push_back(id);
    selectEnterprises(farm, kind, ids);
    if (ids.empty()) return false;
  }
  if (!statement.herdPlannerExport) {
    startLog(farm, kind, request.startTime);
    runValidation(farm);
  }
  buildCapitalCosts(farm, statement);
  buildEnterpriseStatements(farm, statement);
  return true;
}

// --- Winners & Losers ----------------------------------------------------------------

namespace {

bool beginsAsLivestock(std::string_view id) { return id.starts_with("cow") || id.starts_with("fee"); }
bool keepsFeedInventory(std::string_view id) {
  return containsText(id, "cow") || containsText(id, "fee") || containsText(id, "oth");
}

double allCostsOf(const Figures& f, const std::string& id) {
  double costs = f.allocatedExpense(id, "") + f.allocatedDepreciation(id) + f.allocatedUnpaidLabour(id) +
                 f.allocatedPayableChange(id) + f.feedFromCrops(id) + f.pastureCostFor(id) +
                 f.allocatedSupplyChange(id);
  if (keepsFeedInventory(id)) costs += f.allocatedFeedInventoryChange(id);
  return costs;
}

// Expense lines that are not capital costs or cattle purchases.
bool isVariableCategory(std::string_view category) {
  for (std::string_view prefix : {"Cattle Pur", "Crop Share", "Machinery", "Taxes", "Capital", "Cattle Share"})
    if (category.starts_with(prefix)) return false;
  return true;
}

double variableCostsOf(const Farm& farm, const Figures& f, const std::string& id) {
  const MemTable& expenses = farm.table("memExpenses");
  const int weightColumn = expenses.FieldIndex(id), category = expenses.FieldIndex("Category"),
            dollars = expenses.FieldIndex("Dollars");
  const int firstWeight = findLedger("memExpenses")->firstAllocation;
  double costs = 0;
  if (weightColumn >= 0) {
    for (int row = 0; row < expenses.RecordCount(); ++row) {
      const double w = cellAt(expenses, row, weightColumn);
      if (w <= 0 || !isVariableCategory(textAt(expenses, row, category))) continue;
      const double sum = sumFrom(expenses, row, firstWeight);
      if (sum != 0) costs += cellAt(expenses, row, dollars) * w / sum;
    }
  }
  const bool livestock = containsText(id, "cow") || containsText(id, "fee");
  if (livestock) costs += f.allocatedFeedInventoryChange(id);
  costs += f.allocatedUnpaidLabour(id) + f.allocatedPayableChange(id) + f.allocatedSupplyChange(id) +
           f.feedFromCrops(id);
  if (livestock) costs += f.pastureCostFor(id);
  return costs;
}

bool hasProductInventory(std::string_view id) { return keepsFeedInventory(id) || isCropId(id); }

}  // namespace

void buildWinners(Farm& farm) {
  const Figures f(farm);
  MemTable& income = farm.table("memWinners1");
  MemTable& accruals = farm.table("memWinners2");
  ControlsDisabled quietIncome(income), quietAccruals(accruals);
  emptyTable(income);
  emptyTable(accruals);
  for (const EnterpriseRow& enterprise : farm.enterprises()) {
    const std::string& id = enterprise.id;
    const double r = f.allocatedRevenue(id, "");
    const double e = f.allocatedExpense(id, "");
    double transfersOut = 0, purchases = 0, bedding = 0;
    if (beginsAsLivestock(id)) {
      transfersOut = f.transfersOut(id).dollars;
      purchases = f.allocatedExpense(id, "Cattle Purchases");
      bedding = f.beddingFromCrops(id);
    } else if (beginsAsCrop(id)) {
      transfersOut = f.cropValueAllocated(id);
    }
    const double inventory = hasProductInventory(id) ? f.productInventoryChange(id) : 0;
    const double transfersIn = f.transfersIn(id).dollars;
    double gross = r + transfersOut + inventory - transfersIn + f.allocatedReceivableChange(id);
    // Grazing earns the value of all the grazing it provided.
    if (isGrazingId(id)) gross += f.pastureTotals(id).dollars;
    const double costs = allCostsOf(f, id);
    const double variable = variableCostsOf(farm, f, id);

    income.Append();
    income.FieldByName("Enterprise").SetAsString(id);
    income.FieldByName("EnterpriseLabel").SetAsString(enterprise.label);
    income.FieldByName("CashRevenue").SetAsFloat(r - purchases);
    income.FieldByName("TotalRevenue").SetAsFloat(gross - purchases);
    income.FieldByName("CashExpenses").SetAsFloat(e - purchases);
    income.FieldByName("TotalExpenses").SetAsFloat(costs - purchases + bedding);
    income.FieldByName("CashIncome").SetAsFloat(r - e);
    income.FieldByName("ContribMargin").SetAsFloat(gross - variable - purchases);
    income.FieldByName("ReturnToEquity").SetAsFloat(gross - costs);
    income.Post();

    const bool productInventory = keepsFeedInventory(id) || beginsAsCrop(id);
    accruals.Append();
    accruals.FieldByName("Enterprise").SetAsString(id);
    accruals.FieldByName("EnterpriseLabel").SetAsString(enterprise.label);
    accruals.FieldByName("ProductInv").SetAsFloat(productInventory ? f.productInventoryChange(id) : 0);
    accruals.FieldByName("AcRev").SetAsFloat(f.allocatedReceivableChange(id));
    accruals.FieldByName("AcPay").SetAsFloat(f.allocatedPayableChange(id));
    accruals.FieldByName("SupplyInv").SetAsFloat(f.allocatedSupplyChange(id));
    accruals.FieldByName("PurchFeedInv").SetAsFloat(keepsFeedInventory(id) ? f.allocatedFeedInventoryChange(id) : 0);
    accruals.FieldByName("Deprec").SetAsFloat(f.allocatedDepreciation(id));
    accruals.FieldByName("UnpaidLabour").SetAsFloat(f.allocatedUnpaidLabour(id));
    accruals.Post();
  }
  income.First();
  accruals.First();
}

// --- transfer report -------------------------------------------------------------------

namespace {

constexpr const char* kTotalKey = "000Total";

double transferCell(const Figures& f, const std::string& s, const std::string& r) {
  if (r == kTotalKey) {
    if (isLivestockId(s)) return f.transfersOut(s).dollars;
    if (isCropId(s)) return f.cropValueAllocated(s);
    if (isGrazingId(s)) return f.pastureTotals(s).dollars;
    return 0;
  }
  if (s != r && isLivestockId(s) && isLivestockId(r)) return f.transferValue(s, r);
  if ((isLivestockId(r) || isOtherId(r)) && isCropId(s)) return f.cropValueAllocatedTo(s, r);
  if (isGrazingId(s)) return f.pastureValueAllocatedTo(s, r);
  return 0;
}

std::string idOfKey(const std::string& key) { return key == kTotalKey ? key : key.substr(3); }

}  // namespace

std::vector<std::string> transferKeys(const Farm& farm) {
  std::vector<std::string> keys;
  int position = 0;
  for (const EnterpriseRow& row : farm.enterprises()) keys.push_back(format("%.3d%s", ++position, row.id.c_str()));
  return keys;
}

void buildTransfers(Farm& farm) {
  const Figures f(farm);
  std::vector<std::string> receivers = {kTotalKey};
  const std::vector<std::string> suppliers = transferKeys(farm);
  receivers.insert(receivers.end(), suppliers.begin(), suppliers.end());

  MemTable& table = farm.table("memTransfers");
  ControlsDisabled quiet(table);
  emptyTable(table);
  for (const std::string& supplier : suppliers) {
    // Other enterprises supply nothing; crops and grazing receive nothing.
    if (containsText(supplier, "oth")) continue;
    for (const std::string& receiver : receivers) {
      bool receivesNothing = false;
      for (std::string_view part : {"pas", "aft", "gra", "str", "for"})
        receivesNothing = receivesNothing || containsText(receiver, part);
      if (receivesNothing) continue;
      table.Append();
      table.FieldByName("row").SetAsString(supplier);
      table.FieldByName("column").SetAsString(receiver);
      table.FieldByName("value").SetAsFloat(transferCell(f, idOfKey(supplier), idOfKey(receiver)));
      table.Post();
    }
  }
  table.First();
}

std::string transferCaption(const Farm& farm, const std::string& caption) {
  if (caption == "row") return "From Enterprise";
  if (caption == "column") return "To Enterprise";
  if (caption == "Sum of value") return "Transfers";
  if (!caption.starts_with("0")) return caption;
  const std::string rest = caption.size() > 3 ? caption.substr(3) : "";
  if (containsText(rest, "Total")) return rest;
  return Figures(farm).enterpriseLabelOf(rest);
}

// --- year end --------------------------------------------------------------------------

std::string formatYearEnd(std::string_view text) {
  const std::string original(text);
  if (text.size() < 6) return original;
  const char separator = text.find('-') != std::string_view::npos ? '-' : '/';
  std::vector<int> parts;
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = text.find(separator, begin);
    const auto number = parseInteger(text.substr(begin, end == std::string_view::npos ? end : end - begin));
    if (!number) return original;
    parts.push_back(*number);
    if (end == std::string_view::npos) break;
    begin = end + 1;
  }
  if (parts.size() != 3) return original;
  int first = parts[0], second = parts[1];
  const int year = parts[2];
  if (second > 12) std::swap(first, second);
  // A calendar day never passes 31; checked here because a larger day number
  // would otherwise wrap around inside the calendar check and pass.
  const auto isDate = [year](int m, int d) { return d <= 31 && isValidDate(year, m, d); };
  int month = second, day = first;
  if (!isDate(month, day)) {
    month = first;
    day = second;
    if (!isDate(month, day)) return original;
  }
  return format("%s %d, %04d", kMonths[static_cast<std::size_t>(month - 1)], day, year);
}

}  // namespace rb
