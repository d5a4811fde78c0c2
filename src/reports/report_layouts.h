#pragma once
// One layout function per report: each reads the report tables of a farm as
// the engine left them and lays the report out as pages.
#include <string>

#include "model/farm_data_sets.h"
#include "model/fiscal_date.h"
#include "reports/report_document.h"

namespace rb::report {

// The statement a run of the enterprise report shows. The Herd Planner
// export prints the cow-calf statement with blank column headings and no
// error-log section.
enum class StatementKind { Livestock, Crop, PastureAftermath, Other, WholeFarm, HerdPlannerExport };

struct ReportSettings {
  std::string programVersion = RB_VERSION;  // printed after "Ranchbook$ "
  CalendarDate printedOn = today();
  const TextMeasurer* measurer = nullptr;   // the built-in Arial widths when null
  const TextMeasurer& textMeasurer() const { return measurer ? *measurer : defaultMeasurer(); }
};

// repEnterprises: the error log (when it holds findings beyond its start
// line), then one group of pages per memEnterprises row with its
// value-of-production, variable-cost and capital sections.
Document layoutEnterpriseReport(const Farm& farm, StatementKind kind, const ReportSettings& settings);
// repWinners: memWinners1 and the accrual adjustments of memWinners2 with
// their "Whole Farm" line.
Document layoutWinnersReport(const Farm& farm, const ReportSettings& settings);
// repTransfers: memTransfers as a cross table of supplier rows and receiver
// columns, spread over as many pages as it needs.
Document layoutTransferReport(const Farm& farm, const ReportSettings& settings);

// The headings of a statement column set and the production line over it.
struct StatementHeadings {
  std::string number, weight, perCow, perPound;
};
StatementHeadings statementHeadings(StatementKind kind, const std::string& enterprise);
std::string productionLine(StatementKind kind, const std::string& enterprise, double numCows, double lbsProduced);

}  // namespace rb::report
