// check and report: the validation pass and the report data as JSON.
#include <algorithm>
#include <iostream>

#include "analysis/report_data.h"
#include "analysis/statements.h"
#include "analysis/validation.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "reports/report_output.h"

namespace rb::cli {
namespace {

// The validation lines of the log, without the report's start line.
Json findingsJson(const Farm& farm) {
  Json lines = Json::array();
  const auto& log = farm.errorLog();
  for (std::size_t i = 1; i < log.size(); ++i) lines.push_back(log[i]);
  return lines;
}

Json cell(const MemTable& table, int row, const char* column) {
  const int index = table.FieldIndex(column);
  return index < 0 ? Json(nullptr) : cellJson(table.ValueAt(row, index));
}

Json statementRows(const MemTable& table, const std::string& id) {
  Json rows = Json::array();
  const int enterprise = table.FieldIndex("enterprise");
  for (int row = 0; row < table.RecordCount(); ++row) {
    if (table.StringAt(row, enterprise) != id) continue;
    Json line = Json::object();
    line["categoryLabel"] = cell(table, row, "categoryLabel");
    line["category"] = cell(table, row, "category");
    line["number"] = cell(table, row, "Number");
    line["weight"] = cell(table, row, "Weight");
    line["totalDollars"] = cell(table, row, "TotalDollars");
    line["dollarCow"] = cell(table, row, "DollarCow");
    line["dollarLb"] = cell(table, row, "DollarLb");
    rows.push_back(std::move(line));
  }
  return rows;
}

Json capitalJson(const MemTable& table, const std::string& id) {
  Json capital = Json::object();
  const int enterprise = table.FieldIndex("enterprise");
  for (int row = 0; row < table.RecordCount(); ++row) {
    if (table.StringAt(row, enterprise) != id) continue;
    for (const char* column :
         {"rent", "taxes", "depreciation", "lease", "interest", "rentpercow", "taxespercow", "depreciationpercow",
          "leasepercow", "interestpercow", "rentperlb", "taxesperlb", "depreciationperlb", "interestperlb",
          "leaseperlb", "invBreeding", "invMachinery", "invBuildings", "invBreedingpercow", "invMachinerypercow",
          "invBuildingspercow"})
      capital[column] = cell(table, row, column);
    break;
  }
  return capital;
}

Json unitJson(const UnitFigure& figure) {
  return Json{{"total", figure.total}, {"perCow", figure.perCow}, {"perLb", figure.perLb}};
}

Json statementJson(const Farm& farm, ReportKind kind) {
  const MemTable& enterprises = farm.table("memEnterprises");
  Json list = Json::array();
  for (int row = 0; row < enterprises.RecordCount(); ++row) {
    const std::string id = enterprises.StringAt(row, enterprises.FieldIndex("enterprise"));
    const StatementTotals totals = statementTotals(farm, kind, row);
    Json entry = Json::object();
    entry["enterprise"] = id;
    entry["label"] = cell(enterprises, row, "externalname");
    entry["numCows"] = cell(enterprises, row, "numCows");
    entry["lbsProduced"] = cell(enterprises, row, "lbsProduced");
    entry["valueofproduction"] = cell(enterprises, row, "valueofproduction");
    entry["totalexp"] = cell(enterprises, row, "totalexp");
    entry["noncashexp"] = cell(enterprises, row, "noncashexp");
    entry["valueOfProduction"] = statementRows(farm.table("memEnterpriseRep1"), id);
    entry["variableCosts"] = statementRows(farm.table("memEnterpriseRep2"), id);
    entry["capital"] = capitalJson(farm.table("memEnterpriseRep3"), id);
    entry["totals"] = Json{{"totalCapitalCosts", unitJson(totals.totalCapitalCosts)},
                           {"cashCosts", unitJson(totals.cashCosts)},
                           {"totalProductionCosts", unitJson(totals.totalProductionCosts)},
                           {"grossMargin", unitJson(totals.grossMargin)},
                           {"returnToEquity", unitJson(totals.returnToEquity)}};
    list.push_back(std::move(entry));
  }
  return list;
}

std::string infoText(Farm& farm, const char* column) {
  MemTable& info = farm.info();
  const int index = info.FieldIndex(column);
  return info.IsEmpty() || index < 0 ? "" : info.StringAt(0, index);
}

Json winnersJson(const Farm& farm) {
  const MemTable& income = farm.table("memWinners1");
  const MemTable& accruals = farm.table("memWinners2");
  static const char* kIncome[] = {"CashRevenue", "TotalRevenue", "CashExpenses", "TotalExpenses",
                                  "CashIncome",  "ContribMargin", "ReturnToEquity"};
  static const char* kAccruals[] = {"ProductInv", "AcRev", "AcPay", "SupplyInv", "PurchFeedInv", "Deprec",
                                    "UnpaidLabour"};
  Json list = Json::array();
  Json wholeFarm = Json::object();
  for (const char* column : kAccruals) wholeFarm[column] = 0.0;
  for (int row = 0; row < income.RecordCount(); ++row) {
    Json entry = Json::object();
    entry["enterprise"] = cell(income, row, "Enterprise");
    entry["label"] = cell(income, row, "EnterpriseLabel");
    for (const char* column : kIncome) entry[column] = cell(income, row, column);
    for (const char* column : kAccruals) {
      entry[column] = cell(accruals, row, column);
      wholeFarm[column] = wholeFarm[column].get<double>() + accruals.FloatAt(row, accruals.FieldIndex(column));
    }
    list.push_back(std::move(entry));
  }
  return Json{{"report", "winners"}, {"errorLog", findingsJson(farm)}, {"enterprises", std::move(list)},
              {"wholeFarm", std::move(wholeFarm)}};
}

Json transfersJson(const Farm& farm) {
  const MemTable& table = farm.table("memTransfers");
  Json rows = Json::array();
  for (int row = 0; row < table.RecordCount(); ++row)
    rows.push_back(Json{{"row", cell(table, row, "row")}, {"column", cell(table, row, "column")},
                        {"value", cell(table, row, "value")}});
  Json labels = Json::object();
  for (const std::string& key : transferKeys(farm)) labels[key] = transferCaption(farm, key);
  return Json{{"report", "transfers"}, {"errorLog", findingsJson(farm)}, {"rows", std::move(rows)},
              {"labels", std::move(labels)}};
}

const std::vector<std::string> kFormats = {"json", "pdf", "png", "html", "xhtml", "rtf", "xlsx", "xls"};

bool isEnterpriseReport(ReportKind kind) {
  return kind == ReportKind::Livestock || kind == ReportKind::Crop || kind == ReportKind::PastureAftermath ||
         kind == ReportKind::Other;
}

}  // namespace

int runCheck(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 1, 1);
  Farm farm;
  loadFarm(farm, args.positional[0]);
  runValidation(farm);
  for (const std::string& line : farm.errorLog()) std::cout << line << "\n";
  std::cout.flush();
  return 0;
}

int runReport(const Words& words) {
  const Arguments args = parseArguments(words, {"--enterprise", "--format", "--out"});
  requirePositional(args, 2, 2);
  const auto kind = reportKindOfWord(args.positional[0]);
  if (!kind) throw UsageError("unknown report kind '" + args.positional[0] + "'");
  const std::string format = args.has("--format") ? args.option("--format") : "json";
  if (std::find(kFormats.begin(), kFormats.end(), format) == kFormats.end())
    throw UsageError("unknown format '" + format + "'");
  const std::vector<std::string> named = args.optionAll("--enterprise");
  if (!named.empty() && !isEnterpriseReport(*kind))
    throw UsageError("--enterprise applies to the livestock, crop, pasture and other reports only");
  if (format != "json" && !args.has("--out")) throw UsageError("--format " + format + " needs --out PATH");

  Farm farm;
  loadFarm(farm, args.positional[1]);
  ReportRequest request;
  request.kind = *kind;
  if (isEnterpriseReport(*kind)) {
    const std::vector<std::string> offered = chooserEnterprises(farm, *kind);
    for (const std::string& id : named)
      if (std::find(offered.begin(), offered.end(), id) == offered.end())
        throw UsageError("the " + std::string(reportWord(*kind)) + " report does not offer enterprise '" + id + "'");
    request.enterprises = named.empty() ? offered : named;
  }
  const bool built = runReportData(farm, request);
  if (format != "json") {
    writeReportDocument(buildReportDocument(farm, *kind), *reportFormatOfWord(format), args.option("--out"));
    return 0;
  }

  Json document;
  if (*kind == ReportKind::Winners) {
    document = winnersJson(farm);
  } else if (*kind == ReportKind::Transfers) {
    document = transfersJson(farm);
  } else {
    document = Json::object();
    document["report"] = std::string(reportWord(*kind));
    document["reportKind"] = std::string(reportKindName(*kind));
    document["business"] = infoText(farm, "business");
    document["yearEnd"] = formatYearEnd(infoText(farm, "fiscalyearend"));
    document["errorLog"] = built ? findingsJson(farm) : Json::array();
    document["enterprises"] = built ? statementJson(farm, *kind) : Json::array();
  }
  writeJson(document, args.option("--out"));
  return 0;
}

}  // namespace rb::cli
