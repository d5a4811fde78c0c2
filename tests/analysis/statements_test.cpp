#include <gtest/gtest.h>

#include <optional>

#include "analysis/engine_fixture.h"
#include "analysis/report_data.h"
#include "analysis/statements.h"

namespace rb {
namespace {

using testing::addLine;
using testing::setRow;
using testing::text;

// A statement cell: empty cells are std::nullopt.
std::optional<double> cell(const Farm& farm, const char* table, const std::string& id, int line,
                           const char* column) {
  const MemTable& t = farm.table(table);
  int seen = 0;
  for (int row = 0; row < t.RecordCount(); ++row) {
    if (t.StringAt(row, t.FieldIndex("enterprise")) != id || ++seen != line) continue;
    const Value& value = t.ValueAt(row, t.FieldIndex(column));
    if (isNull(value)) return std::nullopt;
    return t.FloatAt(row, t.FieldIndex(column));
  }
  ADD_FAILURE() << "no line " << line << " for " << id << " in " << table;
  return std::nullopt;
}

int linesOf(const Farm& farm, const char* table, const std::string& id) {
  const MemTable& t = farm.table(table);
  int count = 0;
  for (int row = 0; row < t.RecordCount(); ++row) count += t.StringAt(row, t.FieldIndex("enterprise")) == id;
  return count;
}

void run(Farm& farm, ReportKind kind, std::vector<std::string> ids, bool herdPlanner = false) {
  ReportRequest request;
  request.kind = kind;
  request.enterprises = std::move(ids);
  request.herdPlannerExport = herdPlanner;
  ASSERT_TRUE(runReportData(farm, request));
}

class StatementsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::makeFarm(farm, testing::mixedFarm()); }

  void addExpense(const char* category, double dollars, const char* id) {
    addLine(farm, "memExpenses", {{"Description", text(category)}, {"Dollars", dollars}, {"Category", text(category)},
                                  {id, 1.0}});
  }
  Farm farm;
};

TEST_F(StatementsTest, AHerdWithoutCowsGetsPerPoundFiguresOnlyOnItsCategoryRows) {
  // No cows at the beginning; calves sold give pounds produced.
  setRow(farm, "memcowcalf1", 6, {{"bullsteercalves", 20}, {"bsweights", 500.0}});
  addLine(farm, "memRevenue", {{"Description", text("Calves")}, {"Dollars", 20000.0}, {"Category", text("Calves")},
                               {"cowcalf1", 1.0}});
  addExpense("Fuel", 1000, "cowcalf1");
  addExpense("Taxes Water Rates & Insurance", 500, "cowcalf1");
  addLine(farm, "memUnpaid", {{"Description", text("Me")}, {"TotDollars", 300.0}, {"cowcalf1", 1.0}});
  run(farm, ReportKind::Livestock, {"cowcalf1"});

  const char* rep1 = "memEnterpriseRep1";
  const char* rep2 = "memEnterpriseRep2";
  EXPECT_EQ(cell(farm, rep1, "cowcalf1", 1, "Number"), 20);
  EXPECT_EQ(cell(farm, rep1, "cowcalf1", 1, "Weight"), 500);
  EXPECT_EQ(cell(farm, rep1, "cowcalf1", 1, "DollarLb"), 2);
  EXPECT_EQ(cell(farm, rep2, "cowcalf1", 11, "DollarLb"), 0.1);  // Fuel
  for (int line = 1; line <= 13; ++line) EXPECT_FALSE(cell(farm, rep1, "cowcalf1", line, "DollarCow")) << line;
  for (int line = 8; line <= 13; ++line) EXPECT_FALSE(cell(farm, rep1, "cowcalf1", line, "DollarLb")) << line;
  for (int line = 19; line <= 22; ++line) EXPECT_FALSE(cell(farm, rep2, "cowcalf1", line, "DollarLb")) << line;
  // No per-unit capital figures and no breeding stock for fewer than one cow.
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "cowcalf1", 1, "taxes"), 500);
  EXPECT_FALSE(cell(farm, "memEnterpriseRep3", "cowcalf1", 1, "taxesperlb"));
  EXPECT_FALSE(cell(farm, "memEnterpriseRep3", "cowcalf1", 1, "invBreeding"));

  const StatementTotals totals = statementTotals(farm, ReportKind::Livestock, 0);
  EXPECT_DOUBLE_EQ(totals.totalCapitalCosts.total, 500);
  EXPECT_DOUBLE_EQ(totals.totalCapitalCosts.perLb, 0.05);
  EXPECT_DOUBLE_EQ(totals.totalCapitalCosts.perCow, 0);
  EXPECT_DOUBLE_EQ(totals.cashCosts.total, 1000 + 500);  // unpaid labour is non-cash
  EXPECT_DOUBLE_EQ(totals.totalProductionCosts.total, 1300 + 500);
  EXPECT_DOUBLE_EQ(totals.grossMargin.total, 20000 - 1800 + 300);
  EXPECT_DOUBLE_EQ(totals.returnToEquity.total, 20000 - 1300 - 500);
}

TEST_F(StatementsTest, AHerdWithCowsGetsPerCowFiguresOnEveryRow) {
  setRow(farm, "memcowcalf1", 1, {{"cowsbredheifers", 100}});
  setRow(farm, "memcowcalf1", 6, {{"bullsteercalves", 90}, {"bsweights", 500.0}});
  setRow(farm, "memcowcalf1", 9, {{"cowsbredheifers", 100}});
  setRow(farm, "memcowcalf1", 10, {{"cowsbredheifers", 1500}});
  addExpense("Fuel", 1000, "cowcalf1");
  addExpense("Machinery Lease", 900, "cowcalf1");
  run(farm, ReportKind::Livestock, {"cowcalf1"});

  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 11, "DollarCow"), 10);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 11, "DollarLb"), 1000.0 / 45000);
  // The second pass also fills rows without dollars.
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "cowcalf1", 9, "DollarCow"), 0);
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "cowcalf1", 1, "leasepercow"), 9);
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "cowcalf1", 1, "leaseperlb"), 0.02);
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "cowcalf1", 1, "invBreeding"), 150000);
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "cowcalf1", 1, "invBreedingpercow"), 1500);
}

TEST_F(StatementsTest, AFeederGroupGainingHalfAPoundHasPerPoundFiguresOnlyFromTheFirstPass) {
  setRow(farm, "memfeeders1", 5, {{"LbsTotal", 0.5}});
  addExpense("Fuel", 100, "feeders1");
  run(farm, ReportKind::Livestock, {"feeders1"});
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "feeders1", 11, "DollarLb"), 200);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "feeders1", 1, "DollarLb"), 0);
  EXPECT_FALSE(cell(farm, "memEnterpriseRep1", "feeders1", 8, "DollarLb"));
  EXPECT_FALSE(cell(farm, "memEnterpriseRep2", "feeders1", 21, "DollarLb"));
  EXPECT_FALSE(cell(farm, "memEnterpriseRep2", "feeders1", 11, "DollarCow"));
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "feeders1", 2, "Number"), 0);  // no sales lines: head 0
  EXPECT_FALSE(cell(farm, "memEnterpriseRep1", "feeders1", 1, "Number"));
  EXPECT_DOUBLE_EQ(statementTotals(farm, ReportKind::Livestock, 0).totalProductionCosts.perLb, 200);
}

TEST_F(StatementsTest, BeddingIsNonCashInLivestockRunsAndZeroInCropGrazingAndExportRuns) {
  addExpense("Bedding", 400, "cowcalf1");
  addLine(farm, "memCropAlloc", {{"Enterprise", text("straw1")}, {"Crop", 1.0}, {"Alloc", 1.0}, {"Dollars", 1000.0},
                                 {"Feed", 50.0}, {"Bedding", 50.0}, {"cowcalf1", 1.0}});
  addLine(farm, "memPurchFeedInv", {{"Description", text("Hay")}, {"Change", 250.0}, {"cowcalf1", 1.0}});
  addExpense("Winter feed", 100, "cowcalf1");

  run(farm, ReportKind::Livestock, {"cowcalf1"});
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 1, "TotalDollars"), 100 + 500 + 250);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 1, "Weight"), 500 + 250);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 2, "TotalDollars"), 900);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 2, "Weight"), 900);

  run(farm, ReportKind::Livestock, {"cowcalf1"}, true);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 1, "TotalDollars"), 100 + 500);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 2, "TotalDollars"), 0);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "cowcalf1", 2, "Weight"), 0);

  addExpense("Bedding", 70, "grain1");
  run(farm, ReportKind::Crop, {"grain1"});
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "grain1", 2, "TotalDollars"), 0);
}

TEST_F(StatementsTest, TheWholeFarmHasElevenAndTwentyOneRowsAndNoFarmGrownFeedOrGrazing) {
  setRow(farm, "memcowcalf1", 1, {{"cowsbredheifers", 10}});
  setRow(farm, "memcowcalf1", 2, {{"cowsbredheifers", 1000}});
  setRow(farm, "memcowcalf1", 9, {{"cowsbredheifers", 12}});
  setRow(farm, "memcowcalf1", 10, {{"cowsbredheifers", 1100}});
  setRow(farm, "memgrain1", 5, {{"TotalValue", 3000.0}});
  addExpense("Winter feed", 100, "cowcalf1");
  addExpense("Pasture", 40, "cowcalf1");
  addExpense("Cattle Share / Lease", 700, "cowcalf1");
  addLine(farm, "memCropAlloc", {{"Enterprise", text("grain1")}, {"Crop", 1.0}, {"Alloc", 1.0}, {"Dollars", 800.0},
                                 {"cowcalf1", 1.0}});
  addLine(farm, "memaftermath1", {{"Description", text("Fall")}, {"Total", 300.0}, {"cowcalf1", 1.0}});
  addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 1},
                                {"ToEnterprise", text("feeders1")}, {"NumHead", 10}, {"LbsPerHead", 500.0},
                                {"PricePerHead", 800.0}});
  addLine(farm, "memUnpaid", {{"Description", text("Me")}, {"TotDollars", 300.0}, {"cowcalf1", 1.0}});
  run(farm, ReportKind::WholeFarm, {});

  EXPECT_EQ(linesOf(farm, "memEnterpriseRep1", "farm"), 11);
  EXPECT_EQ(linesOf(farm, "memEnterpriseRep2", "farm"), 21);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "farm", 10, "TotalDollars"), 12 * 1100 - 10 * 1000 + 3000);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "farm", 1, "TotalDollars"), 100);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "farm", 1, "Weight"), 0);
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "farm", 3, "TotalDollars"), 40);
  EXPECT_FALSE(cell(farm, "memEnterpriseRep2", "farm", 3, "Weight"));
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "farm", 1, "rent"), 700);
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "farm", 1, "invBreeding"), 12 * 1100);
  for (int line = 1; line <= 21; ++line) EXPECT_FALSE(cell(farm, "memEnterpriseRep2", "farm", line, "DollarCow"));

  const MemTable& enterprises = farm.table("memEnterprises");
  ASSERT_EQ(enterprises.RecordCount(), 1);
  EXPECT_EQ(enterprises.StringAt(0, enterprises.FieldIndex("externalname")), "Whole Farm");
  EXPECT_DOUBLE_EQ(enterprises.FloatAt(0, enterprises.FieldIndex("totalexp")), 140);
  // Net income leaves unpaid labour out: the farm has no unpaid-labour row.
  const StatementTotals totals = statementTotals(farm, ReportKind::WholeFarm, 0);
  EXPECT_DOUBLE_EQ(totals.grossMargin.total, (12 * 1100 - 10 * 1000 + 3000) - 140 - 700);
  EXPECT_DOUBLE_EQ(totals.returnToEquity.total, (12 * 1100 - 10 * 1000 + 3000) - 140 - 700);
}

TEST_F(StatementsTest, TransfersOutAndInCarryHeadAndPoundsPerHead) {
  addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 1},
                                {"ToEnterprise", text("feeders1")}, {"NumHead", 10}, {"LbsPerHead", 500.0},
                                {"PricePerHead", 800.0}});
  run(farm, ReportKind::Livestock, {"feeders1", "cowcalf1"});
  // Chooser order, not the order asked for.
  EXPECT_EQ(farm.table("memEnterprises").StringAt(0, 0), "cowcalf1");
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "cowcalf1", 12, "Number"), 10);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "cowcalf1", 12, "Weight"), 500);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "cowcalf1", 12, "TotalDollars"), 8000);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "feeders1", 13, "TotalDollars"), -8000);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "feeders1", 12, "Number"), 0);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "feeders1", 12, "Weight"), 0);
}

TEST_F(StatementsTest, GrazingReportsCountProvidedGrazingAsTransfersOutPerAum) {
  addLine(farm, "mempasture1", {{"Description", text("Summer")}, {"NumAnimals", 100}, {"TotalAums", 400.0},
                                {"Total", 8000.0}, {"cowcalf1", 1.0}});
  addExpense("Fuel", 200, "pasture1");
  run(farm, ReportKind::PastureAftermath, {"pasture1", "aftermath1"});
  EXPECT_EQ(farm.table("memEnterprises").StringAt(0, 0), "aftermath1");
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "pasture1", 12, "TotalDollars"), 8000);
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "pasture1", 12, "DollarCow"), 20);
  EXPECT_FALSE(cell(farm, "memEnterpriseRep1", "pasture1", 10, "TotalDollars"));
  EXPECT_EQ(cell(farm, "memEnterpriseRep2", "pasture1", 11, "DollarCow"), 0.5);
  EXPECT_FALSE(cell(farm, "memEnterpriseRep2", "pasture1", 11, "DollarLb"));
  EXPECT_EQ(cell(farm, "memEnterpriseRep1", "pasture1", 1, "DollarLb"), 0);  // first pass keeps it
  EXPECT_EQ(cell(farm, "memEnterpriseRep3", "pasture1", 1, "depreciationpercow"), 0);
}

}  // namespace
}  // namespace rb
