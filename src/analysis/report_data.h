#pragma once
// The data step of every report: which enterprises a report offers, the log's
// start line, the validation pass and the report tables the layouts print.
//
// A report run on a Farm, in the order the window's report commands take:
//   1. choose the enterprises (the enterprise reports only: the ids of
//      chooserEnterprises, or a subset of them);
//   2. clear the error log and write the start line ("Starting logger for ...
//      report(s)..Dec,09,2026 - 16:19:39");
//   3. run the validation pass (analysis/validation.h), which appends one log
//      line per gap;
//   4. fill the report tables:
//      - Livestock, Crop, PastureAftermath, Other, WholeFarm: memEnterprises
//        (one row per reported enterprise, or the one row "farm"),
//        memEnterpriseRep3 (capital costs), memEnterpriseRep1 (value of
//        production) and memEnterpriseRep2 (variable costs);
//      - Winners: memWinners1 and memWinners2, one row per registry row;
//      - Transfers: memTransfers, the cross table's (row, column, value) data.
// The error log then holds the start line followed by the validation lines.
// Nothing here writes to a ledger, worksheet or other farm table.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_kind.h"
#include "analysis/statements.h"
#include "model/farm_data_sets.h"

namespace rb {

// The ids the enterprise chooser offers for a report kind, in the order it
// lists them: Livestock cow-calf and feeder herds, Crop forage, grain and
// straw, PastureAftermath the aftermath then the pastures, Other the other
// enterprises. Empty for WholeFarm, Winners and Transfers (no chooser).
std::vector<std::string> chooserEnterprises(const Farm& farm, ReportKind kind);
// The cow-calf herds the Herd Planner export offers.
std::vector<std::string> herdPlannerEnterprises(const Farm& farm);

struct ReportRequest {
  ReportKind kind = ReportKind::Livestock;
  // Enterprise reports: the chosen ids; they are reported in chooser order and
  // ids the chooser does not offer are ignored. Unused by the other kinds.
  std::vector<std::string> enterprises;
  // The Herd Planner export of one cow-calf herd (kind Livestock): the
  // Livestock statement with Bedding 0 and no change in purchased feed
  // inventory; like the window's export it writes no start line and runs no
  // validation, so the error log is left as it was.
  bool herdPlannerExport = false;
  // The time of the start line; the current local time when not given.
  std::optional<std::tm> startTime;
};

// Runs the data step. Returns false, having only emptied memEnterprises, when
// an enterprise report has no enterprise to report (the window's command
// stops there without a message and leaves the error log as it was).
bool runReportData(Farm& farm, const ReportRequest& request);

// The start line's text before its time stamp, by report kind.
std::string_view startLineText(ReportKind kind);
// "mmm,dd,YYYY - hh:nn:ss" in English month names: "Dec,09,2026 - 16:19:39".
std::string logTimeStamp(const std::tm& time);

// Fills memEnterprises with the given ids and their headline figures (cows
// wintered and pounds of calf, pounds gained, tonnes or AUMs by kind).
void selectEnterprises(Farm& farm, ReportKind kind, const std::vector<std::string>& ids);

// The Winners & Losers and transfer tables, without log or validation.
void buildWinners(Farm& farm);
void buildTransfers(Farm& farm);
// The transfer report's enterprise keys: "001cowcalf1", ... in registry order.
std::vector<std::string> transferKeys(const Farm& farm);
// What the cross table shows for a caption: "row" "From Enterprise", "column"
// "To Enterprise", "Sum of value" "Transfers", "000Total" "Total", an
// enterprise key the enterprise's label.
std::string transferCaption(const Farm& farm, const std::string& caption);

// The fiscal year end for report footers: "Dec 31, 2026" from "31-12-2026",
// "12/31/2026" or "31/12/2026"; the text unchanged when it is no date.
std::string formatYearEnd(std::string_view text);

}  // namespace rb
