// repEnterprises: the cost-of-production statement of each reported
// enterprise, preceded by the error log when the validation found gaps.
#include <cmath>
#include <cstdio>

#include "model/text_util.h"
#include "reports/report_format.h"
#include "reports/report_layouts.h"
#include "reports/report_parts.h"

namespace rb::report {
namespace {

constexpr double kRow = 4.0;         // one statement line
constexpr double kHeadingRow = 5.0;  // a heading line with its rule
constexpr double kSectionGap = 4.5;
const Font kBody{10, false, false};
const Font kBold{10, true, false};
const Font kSmall{8, false, false};
const Font kMemo{9, false, false};

// The right edges of the figure columns, shared by the three sections so that
// their figures line up; the left edges are each section's own.
constexpr double kNumberRight = 103.1;
constexpr double kWeightRight = 123.5;
constexpr double kTotalRight = 144.1;
constexpr double kPerCowRight = 166.3;
constexpr double kPerPoundRight = 187.7;

bool idHas(const std::string& id, const char* part) { return containsText(lowerCase(id), part); }
bool isCowCalf(const std::string& id) { return idHas(id, "cow"); }
bool isFeeder(const std::string& id) { return idHas(id, "fee"); }
bool isCrop(const std::string& id) { return idHas(id, "str") || idHas(id, "gra") || idHas(id, "for"); }
bool isGrazingId(const std::string& id) { return idHas(id, "aft") || idHas(id, "pas"); }

// The statement totals of one enterprise with their per-cow and per-pound forms.
struct Total {
  double amount = 0, perCow = 0, perPound = 0;
};
struct StatementTotals {
  Total capital, cash, production, grossMargin, returnToEquity;
};

struct Enterprise {
  std::string id, label;
  double numCows = 0, lbsProduced = 0, noncashexp = 0, totalexp = 0, valueofproduction = 0;
};

StatementTotals statementTotals(StatementKind kind, const Enterprise& e, const RowReader& capital,
                                double valueOfProduction, double unpaidLabour) {
  const double rent = capital.amount("rent"), taxes = capital.amount("taxes");
  const double depreciation = capital.amount("depreciation"), lease = capital.amount("lease");
  const double interest = capital.amount("interest");
  const double perCowBase = isCowCalf(e.id) ? e.numCows : (isCrop(e.id) || isGrazingId(e.id)) ? e.lbsProduced : 0;
  const double perPoundBase = (isCowCalf(e.id) || isFeeder(e.id)) ? e.lbsProduced : 0;
  auto total = [&](double amount) {
    Total t;
    t.amount = amount;
    if (std::abs(perCowBase) > 0.1) t.perCow = amount / perCowBase;
    if (std::abs(perPoundBase) > 0.1) t.perPound = amount / perPoundBase;
    return t;
  };
  StatementTotals totals;
  const double capitalCosts = rent + taxes + depreciation + lease + interest;
  totals.capital = total(capitalCosts);
  totals.cash = total(e.totalexp - e.noncashexp + rent + taxes + lease + interest);
  totals.production = total(e.totalexp + capitalCosts);
  const double addedBack = depreciation + (kind == StatementKind::WholeFarm ? 0 : unpaidLabour);
  totals.grossMargin = total(valueOfProduction - totals.production.amount + addedBack);
  totals.returnToEquity = total(e.valueofproduction - e.totalexp - capitalCosts);
  return totals;
}

class EnterpriseReport {
 public:
  EnterpriseReport(const Farm& farm, StatementKind kind, const ReportSettings& settings, Document& document)
      : farm_(farm), kind_(kind), settings_(settings),
        flow_(document, PageFrame{6.35, 6.35, 6.35, 5.08, 7},
              [this](PageFlow& flow, int) { return decorate(flow); }) {}

  void build() {
    const auto& log = farm_.errorLog();
    if (kind_ != StatementKind::HerdPlannerExport && log.size() > 1) errorLogSection(log);
    const MemTable& enterprises = farm_.table("memEnterprises");
    for (int row = 0; row < enterprises.RecordCount(); ++row) {
      const RowReader reader(enterprises, row);
      current_ = Enterprise{reader.text("enterprise"),      reader.text("externalname"),
                            reader.amount("numCows"),       reader.amount("lbsProduced"),
                            reader.amount("noncashexp"),    reader.amount("totalexp"),
                            reader.amount("valueofproduction")};
      showEnterprise_ = true;
      flow_.newPage();
      group();
    }
    if (flow_.pageNumber() == 0) flow_.newPage();  // nothing chosen: still one page with its header
  }

 private:
  double decorate(PageFlow& flow) {
    const double top = flow.frame().top;
    flow.text(81.8, top, 100, "Enterprise Analysis Report", Font{12, true, false});
    flow.text(25.4, top + 6.5, 100, programLine(settings_), kBold);
    flow.text(25.4, top + 11.5, 70, businessName(farm_), kSmall);
    if (showEnterprise_) {
      flow.text(97.1, top + 11.5, 90, current_.label, kSmall);
      flow.text(61.6, top + 15.5, 95.3, productionLine(kind_, current_.id, current_.numCows, current_.lbsProduced),
                kSmall, Align::Center);
    }
    const double footer = flow.footerTop();
    flow.text(25.1, footer, 130, farmLine(farm_), kBody);
    flow.text(157.4, footer, 14, "printed:", kBody);
    flow.text(171.5, footer, 30, formatReportDate(settings_.printedOn), kBody);
    return top + 22;
  }

  void errorLogSection(const std::vector<std::string>& log) {
    showEnterprise_ = false;
    flow_.need(kHeadingRow);
    flow_.text(76, flow_.y(), 60, "Error Log", kBold, Align::Center);
    flow_.advance(kHeadingRow + 1);
    const double line = lineHeightMm(kMemo.size);
    for (const std::string& entry : log) {
      for (const std::string& text : wrapText(entry, 167, kMemo, settings_.textMeasurer())) {
        flow_.need(line);
        flow_.text(27.5, flow_.y(), 167, text, kMemo);
        flow_.advance(line);
      }
    }
    flow_.need(3 + 2 * line);
    flow_.advance(2);
    flow_.rule(27.5, 67.5, flow_.y());
    flow_.advance(1);
    flow_.text(27.5, flow_.y(), 167,
               "Use the next page (>) control to see the requested report(s)   or hit the CLOSE button to exit",
               kMemo);
    flow_.advance(line);
    flow_.text(27.5, flow_.y(), 167,
               "The messages displayed above are also available by selecting the Error Log tab, after exiting "
               "this report.",
               Font{9, false, true});
    flow_.advance(line);
  }

  // The rows of a statement table that belong to the current enterprise, in
  // the order they were built.
  std::vector<int> rowsOf(const MemTable& table) const {
    std::vector<int> rows;
    const int column = table.FieldIndex("enterprise");
    for (int row = 0; column >= 0 && row < table.RecordCount(); ++row)
      if (table.StringAt(row, column) == current_.id) rows.push_back(row);
    return rows;
  }

  void group() {
    const StatementHeadings headings = statementHeadings(kind_, current_.id);
    const MemTable& values = farm_.table("memEnterpriseRep1");
    const MemTable& costs = farm_.table("memEnterpriseRep2");
    const double valueOfProduction = valueOfProductionSection(values, headings);
    flow_.advance(kSectionGap);
    double unpaidLabour = 0;
    variableCostSection(costs, headings, unpaidLabour);
    flow_.advance(kSectionGap);
    capitalSection(valueOfProduction, unpaidLabour);
  }

  void headingRule(double left) {
    flow_.rule(left, kPerPoundRight, flow_.y() + kHeadingRow - 0.8);
    flow_.advance(kHeadingRow);
  }

  double valueOfProductionSection(const MemTable& table, const StatementHeadings& headings) {
    const std::vector<int> rows = rowsOf(table);
    flow_.need(kHeadingRow + 3 * kRow);
    const double y = flow_.y();
    flow_.text(26.2, y, 55, "Category", kBody);
    flow_.text(83.1, y, kNumberRight - 83.1, headings.number, kBody, Align::Right);
    flow_.text(103.5, y, kWeightRight - 103.5, headings.weight, kBody, Align::Right);
    flow_.text(124.1, y, kTotalRight - 124.1, "Total $", kBody, Align::Right);
    flow_.text(146.3, y, kPerCowRight - 146.3, headings.perCow, kBody, Align::Right);
    flow_.text(167.7, y, kPerPoundRight - 167.7, headings.perPound, kBody, Align::Right);
    headingRule(26.2);
    double total = 0, perCow = 0, perPound = 0;
    for (int row : rows) {
      flow_.need(kRow);
      const RowReader cells(table, row);
      const double line = flow_.y();
      flow_.text(26.2, line, 56, cells.text("categoryLabel"), kBody);
      placeWhole(flow_, 83.1, kNumberRight, line, cells.number("Number"), kBody);
      placeWhole(flow_, 103.5, kWeightRight, line, cells.number("Weight"), kBody);
      placeFigure(flow_, 124.1, kTotalRight, line, cells.number("TotalDollars"), 0, kBody);
      placeFigure(flow_, 146.3, kPerCowRight, line, cells.number("DollarCow"), 2, kBody);
      placeFigure(flow_, 167.7, kPerPoundRight, line, cells.number("DollarLb"), 2, kBody);
      total += cells.amount("TotalDollars");
      perCow += cells.amount("DollarCow");
      perPound += cells.amount("DollarLb");
      flow_.advance(kRow);
    }
    totalLine(26.2, "Value of Production", total, perCow, perPound);
    return total;
  }

  void variableCostSection(const MemTable& table, const StatementHeadings& headings, double& unpaidLabour) {
    const std::vector<int> rows = rowsOf(table);
    flow_.need(kHeadingRow + 3 * kRow);
    const double y = flow_.y();
    flow_.text(25.1, y, 55, "Category", kBody);
    flow_.text(103.5, y, kWeightRight - 103.5, "Non-cash", kBody, Align::Right);
    flow_.text(125.9, y, kTotalRight - 125.9, "Total $", kBody, Align::Right);
    flow_.text(146.3, y, kPerCowRight - 146.3, headings.perCow, kBody, Align::Right);
    flow_.text(168.3, y, kPerPoundRight - 168.3, headings.perPound, kBody, Align::Right);
    headingRule(25.1);
    double nonCash = 0, total = 0, perCow = 0, perPound = 0;
    for (int row : rows) {
      flow_.need(kRow);
      const RowReader cells(table, row);
      const double line = flow_.y();
      const std::string label = cells.text("categoryLabel");
      if (label == "Unpaid Labour") unpaidLabour = cells.amount("TotalDollars");
      flow_.text(25.1, line, 77, label, kBody);
      placeFigure(flow_, 103.5, kWeightRight, line, cells.number("Weight"), 0, kBody);
      placeFigure(flow_, 125.9, kTotalRight, line, cells.number("TotalDollars"), 0, kBody);
      placeFigure(flow_, 146.3, kPerCowRight, line, cells.number("DollarCow"), 2, kBody);
      placeFigure(flow_, 168.3, kPerPoundRight, line, cells.number("DollarLb"), 2, kBody);
      nonCash += cells.amount("Weight");
      total += cells.amount("TotalDollars");
      perCow += cells.amount("DollarCow");
      perPound += cells.amount("DollarLb");
      flow_.advance(kRow);
    }
    flow_.need(kRow + 1.5);
    flow_.rule(25.1, kPerPoundRight, flow_.y() + 0.5);
    flow_.advance(1.5);
    const double line = flow_.y();
    flow_.text(25.1, line, 77, "Variable Costs", kBold);
    placeFigure(flow_, 103.5, kWeightRight, line, nonCash, 0, kBold);
    placeFigure(flow_, 125.9, kTotalRight, line, total, 0, kBold);
    placeFigure(flow_, 146.3, kPerCowRight, line, perCow, 2, kBold, true);
    placeFigure(flow_, 168.3, kPerPoundRight, line, perPound, 2, kBold, true);
    flow_.advance(kRow);
  }

  void totalLine(double left, const char* caption, double total, double perCow, double perPound) {
    flow_.need(kRow + 1.5);
    flow_.rule(left, kPerPoundRight, flow_.y() + 0.5);
    flow_.advance(1.5);
    const double line = flow_.y();
    flow_.text(left, line, 77, caption, kBold);
    placeFigure(flow_, 124.1, kTotalRight, line, total, 0, kBold);
    placeFigure(flow_, 146.3, kPerCowRight, line, perCow, 2, kBold, true);
    placeFigure(flow_, 167.7, kPerPoundRight, line, perPound, 2, kBold, true);
    flow_.advance(kRow);
  }

  // A capital line: the amount and the per-unit columns of the table; a
  // per-unit cell prints 0.00 when zero and nothing when empty.
  void capitalLine(const RowReader& cells, const char* caption, const char* amount, const char* perCow,
                   const char* perPound, double indent = 0) {
    flow_.need(kRow);
    const double line = flow_.y();
    flow_.text(26.2 + indent, line, 95, caption, kBody);
    placeFigure(flow_, 125.9, kTotalRight, line, cells.number(amount), 0, kBody);
    if (perCow) placeFigure(flow_, 146.3, kPerCowRight, line, cells.number(perCow), 2, kBody);
    if (perPound) placeFigure(flow_, 167.7, kPerPoundRight, line, cells.number(perPound), 2, kBody);
    flow_.advance(kRow);
  }

  // A statement total: bold, its per-unit forms blank when they print as 0.00.
  void totalsLine(const std::string& caption, const Total& total) {
    flow_.need(kRow);
    const double line = flow_.y();
    flow_.text(26.2, line, 95, caption, kBold);
    placeFigure(flow_, 125.9, kTotalRight, line, total.amount, 0, kBold);
    placeFigure(flow_, 146.3, kPerCowRight, line, total.perCow, 2, kBold, true);
    placeFigure(flow_, 167.7, kPerPoundRight, line, total.perPound, 2, kBold, true);
    flow_.advance(kRow);
  }

  void capitalSection(double valueOfProduction, double unpaidLabour) {
    const MemTable& table = farm_.table("memEnterpriseRep3");
    const std::vector<int> rows = rowsOf(table);
    const RowReader cells(table, rows.empty() ? -1 : rows.front());
    flow_.need(6 * kRow);
    capitalLine(cells, "Land Rent / Livestock Rent/Share Payments", "rent", "rentpercow", "rentperlb");
    capitalLine(cells, "Taxes, Water Rates, Lic. & Insurance", "taxes", "taxespercow", "taxesperlb");
    flow_.need(kRow);
    flow_.text(26.2, flow_.y(), 95, "Equipment and Building", kBody);
    flow_.advance(kRow);
    capitalLine(cells, "a) Depreciation", "depreciation", "depreciationpercow", "depreciationperlb", 5);
    capitalLine(cells, "b) Lease Payments", "lease", "leasepercow", "leaseperlb", 5);
    capitalLine(cells, "Capital Interest", "interest", "interestpercow", "interestperlb");
    flow_.need(1.5 + kRow);
    flow_.rule(26.2, kPerPoundRight, flow_.y() + 0.5);
    flow_.advance(1.5);

    const StatementTotals totals = statementTotals(kind_, current_, cells, valueOfProduction, unpaidLabour);
    totalsLine("Total Capital Costs", totals.capital);
    totalsLine("Cash Costs", totals.cash);
    totalsLine("Total Production Costs", totals.production);
    totalsLine("Gross Margin *", totals.grossMargin);
    totalsLine(kind_ == StatementKind::WholeFarm ? "Net Income" : "Return to Equity", totals.returnToEquity);
    flow_.need(1.5 + kRow);
    flow_.rule(26.2, kPerPoundRight, flow_.y() + 0.5);
    flow_.advance(1.5);

    flow_.need(4 * kRow);
    flow_.text(26.2, flow_.y(), 95, "Investment", kBold);
    flow_.advance(kRow);
    capitalLine(cells, "Buildings", "invBuildings", "invBuildingspercow", nullptr, 5);
    capitalLine(cells, "Machinery", "invMachinery", "invMachinerypercow", nullptr, 5);
    capitalLine(cells, "Breeding Stock", "invBreeding", "invBreedingpercow", nullptr, 5);
    flow_.need(kRow + 1);
    flow_.advance(1);
    flow_.text(26.2, flow_.y(), 160,
               "* Value of production - Total production costs (excluding depreciation and unpaid labour)",
               Font{8, false, true});
    flow_.advance(kRow);
  }

  const Farm& farm_;
  StatementKind kind_;
  const ReportSettings& settings_;
  PageFlow flow_;
  Enterprise current_;
  bool showEnterprise_ = false;
};

}  // namespace

StatementHeadings statementHeadings(StatementKind kind, const std::string& enterprise) {
  StatementHeadings headings;
  switch (kind) {
    case StatementKind::Livestock:
      headings.number = "Number";
      headings.weight = "WT";
      headings.perCow = isCowCalf(enterprise) ? "$/Cow" : "";
      headings.perPound = isCowCalf(enterprise) ? "$/LB" : "$/LB of gain";
      break;
    case StatementKind::Crop: headings.perCow = "$/tonne"; break;
    case StatementKind::PastureAftermath: headings.perCow = "$/AUM"; break;
    default: break;  // the other enterprises, the whole farm and the Herd Planner file
  }
  return headings;
}

std::string productionLine(StatementKind kind, const std::string& enterprise, double numCows, double lbsProduced) {
  if (isCowCalf(enterprise))
    return format("Cows Wintered: %.0f --- Pounds of calf produced: %.0f", numCows, lbsProduced);
  if (isFeeder(enterprise)) return format(" Lbs Gained: %.0f", lbsProduced);
  if (isCrop(enterprise)) return format("Total Tonnes Produced: %.1f", lbsProduced);
  if (kind == StatementKind::PastureAftermath) return format("Total AUMS Produced: %.1f", lbsProduced);
  return " ";
}

Document layoutEnterpriseReport(const Farm& farm, StatementKind kind, const ReportSettings& settings) {
  Document document;
  document.title = "Enterprise Analysis Report";
  EnterpriseReport(farm, kind, settings, document).build();
  return document;
}

}  // namespace rb::report
