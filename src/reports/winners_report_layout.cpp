// repWinners: every enterprise side by side, then the accrual adjustments
// that separate its cash figures from the total ones.
#include <array>

#include "reports/report_format.h"
#include "reports/report_layouts.h"
#include "reports/report_parts.h"

namespace rb::report {
namespace {

constexpr double kRow = 4.2;
constexpr double kLabelWidth = 40;
constexpr double kFirstFigure = 42;
constexpr double kFigureWidth = 23;
const Font kBody{10, false, false};
const Font kBold{10, true, false};

struct TableSpec {
  const char* table;
  std::array<const char*, 8> headings;
  std::array<const char*, 7> columns;
};

const TableSpec kIncome{"memWinners1",
                        {"Enterprise", "Cash Revenue", "Total Revenue", "Cash Expenses", "Total Expenses",
                         "Cash Income", "Contrib. Margin", "Return to Equity"},
                        {"CashRevenue", "TotalRevenue", "CashExpenses", "TotalExpenses", "CashIncome",
                         "ContribMargin", "ReturnToEquity"}};
const TableSpec kAdjustments{"memWinners2",
                             {"Enterprise", "Changes in Product Inventory", "Changes in Accounts Receivable",
                              "Changes in Accounts Payable", "Change in Supply Inventory",
                              "Changes in Purch. Feed Inventory", "Deprec.", "Unpaid Labour"},
                             {"ProductInv", "AcRev", "AcPay", "SupplyInv", "PurchFeedInv", "Deprec",
                              "UnpaidLabour"}};

double figureLeft(int column) { return kFirstFigure + column * kFigureWidth; }

class WinnersReport {
 public:
  WinnersReport(const Farm& farm, const ReportSettings& settings, Document& document)
      : farm_(farm), settings_(settings),
        flow_(document, PageFrame{}, [this](PageFlow& flow, int) { return decorate(flow); }) {}

  void build() {
    flow_.newPage();
    table(kIncome, false);
    flow_.advance(6);
    flow_.need(kRow + 4 * kRow);
    flow_.text(0, flow_.y(), 120, "Summary of Accrual Adjustments", kBold);
    flow_.advance(kRow + 1);
    table(kAdjustments, true);
  }

 private:
  double decorate(PageFlow& flow) {
    const double top = flow.frame().top;
    flow.text(0, top, flow.printableWidth(), "Enterprise Analysis - Winners & Losers", Font{12, true, false},
              Align::Center);
    flow.text(0, top + 6.5, 90, programLine(settings_), kBold);
    flow.text(0, top + 11, 90, businessName(farm_), Font{9, false, false});
    const double footer = flow.footerTop();
    flow.text(0, footer, 150, farmLine(farm_), kBody);
    flow.text(157.4, footer, 14, "printed:", kBody);
    flow.text(171.5, footer, 30, formatReportDate(settings_.printedOn), kBody);
    return top + 19;
  }

  // The bold headings wrapped in their column boxes, with a rule under them.
  void headings(const TableSpec& tableLayout) {
    std::array<std::vector<std::string>, 8> lines;
    std::size_t depth = 1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const double width = i == 0 ? kLabelWidth : kFigureWidth - 2;
      lines[i] = wrapText(tableLayout.headings[i], width, kBold, settings_.textMeasurer());
      depth = std::max(depth, lines[i].size());
    }
    const double line = lineHeightMm(kBold.size);
    flow_.need(static_cast<double>(depth) * line + 1.5 + kRow);
    const double top = flow_.y();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      // Headings sit on the line above the figures, so shorter ones drop down.
      double y = top + static_cast<double>(depth - lines[i].size()) * line;
      for (const std::string& text : lines[i]) {
        if (i == 0)
          flow_.text(0, y, kLabelWidth, text, kBold);
        else
          flow_.text(figureLeft(static_cast<int>(i) - 1), y, kFigureWidth, text, kBold, Align::Right);
        y += line;
      }
    }
    flow_.advance(static_cast<double>(depth) * line + 0.5);
    flow_.rule(0, figureLeft(7), flow_.y());
    flow_.advance(1);
  }

  void table(const TableSpec& tableLayout, bool wholeFarmLine) {
    const MemTable& data = farm_.table(tableLayout.table);
    headings(tableLayout);
    std::array<double, 7> sums{};
    for (int row = 0; row < data.RecordCount(); ++row) {
      if (flow_.y() + kRow > flow_.bodyBottom()) {
        flow_.newPage();
        headings(tableLayout);  // a table that runs on shows its headings again
      }
      const RowReader cells(data, row);
      const double y = flow_.y();
      flow_.text(0, y, kLabelWidth, cells.text("EnterpriseLabel"), kBody);
      for (int column = 0; column < 7; ++column) {
        const auto value = cells.number(tableLayout.columns[static_cast<std::size_t>(column)]);
        placeFigure(flow_, figureLeft(column), figureLeft(column) + kFigureWidth, y, value, 0, kBody);
        sums[static_cast<std::size_t>(column)] += value.value_or(0);
      }
      flow_.advance(kRow);
    }
    flow_.need(1.5 + (wholeFarmLine ? kRow : 0));
    flow_.rule(0, figureLeft(7), flow_.y() + 0.5);
    flow_.advance(1.5);
    if (!wholeFarmLine) return;
    const double y = flow_.y();
    flow_.text(0, y, kLabelWidth, "Whole Farm", kBold);
    for (int column = 0; column < 7; ++column)
      placeFigure(flow_, figureLeft(column), figureLeft(column) + kFigureWidth, y,
                  sums[static_cast<std::size_t>(column)], 0, kBold);
    flow_.advance(kRow);
  }

  const Farm& farm_;
  const ReportSettings& settings_;
  PageFlow flow_;
};

}  // namespace

Document layoutWinnersReport(const Farm& farm, const ReportSettings& settings) {
  Document document;
  document.title = "Enterprise Analysis - Winners & Losers";
  WinnersReport(farm, settings, document).build();
  return document;
}

}  // namespace rb::report
