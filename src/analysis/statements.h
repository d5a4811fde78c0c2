#pragma once
// The cost-of-production statements: from the figures they build, for every
// enterprise listed in memEnterprises, its capital-cost row (memEnterpriseRep3),
// its value-of-production rows (memEnterpriseRep1) and its variable-cost rows
// (memEnterpriseRep2), and they define the statement totals. Nothing here
// writes to a ledger or worksheet.
#include <string>

#include "analysis/report_kind.h"
#include "model/farm_data_sets.h"

namespace rb {

// The statement a run builds: the report kind (Livestock, Crop,
// PastureAftermath, Other or WholeFarm) and, for a Livestock run, whether it is
// the Herd Planner export (Bedding 0, no change in purchased feed inventory).
struct StatementKind {
  ReportKind kind = ReportKind::Livestock;
  bool herdPlannerExport = false;
};

// memEnterprises must hold the enterprises to report, with enterprise,
// externalname, numCows and lbsProduced set. Run capital costs first.
void buildCapitalCosts(Farm& farm, StatementKind kind);
void buildEnterpriseStatements(Farm& farm, StatementKind kind);

struct UnitFigure {
  double total = 0;
  double perCow = 0;  // per cow wintered, per tonne or per AUM
  double perLb = 0;   // per pound of calf or of gain
};

struct StatementTotals {
  UnitFigure totalCapitalCosts;
  UnitFigure cashCosts;
  UnitFigure totalProductionCosts;
  UnitFigure grossMargin;
  UnitFigure returnToEquity;  // "Net Income" for the whole farm
};

// The totals of the enterprise on row `row` (0-based) of memEnterprises, with
// its memEnterpriseRep3 row (the one whose enterprise matches).
StatementTotals statementTotals(const Farm& farm, ReportKind kind, int row);

// The value-of-production and variable-cost category rows of a statement.
struct StatementLine {
  const char* label;
  const char* category;  // nullptr for rows without one
};
const std::vector<StatementLine>& valueOfProductionLines();  // 13 rows
const std::vector<StatementLine>& variableCostLines();       // 22 rows

}  // namespace rb
