#include <gtest/gtest.h>

#include "analysis/engine_fixture.h"
#include "analysis/report_data.h"

namespace rb {
namespace {

using testing::addLine;
using testing::setRow;
using testing::text;

TEST(ReportData, FormatsTheYearEndWhicheverWayTheDateIsWritten) {
  const std::pair<const char*, const char*> cases[] = {
      {"31-12-2026", "Dec 31, 2026"}, {"12/31/2026", "Dec 31, 2026"}, {"31/12/2026", "Dec 31, 2026"},
      {"03/04/2026", "Apr 3, 2026"},  {"1-1-26", "Jan 1, 0026"},      {"31-2-2026", "31-2-2026"},
      {"31-x-2026", "31-x-2026"},     {"2026", "2026"},               {"", ""},
      {"30-02-2026-1", "30-02-2026-1"}, {"257-12-2026", "257-12-2026"}, {"12-257-2026", "12-257-2026"}};
  for (const auto& [stored, printed] : cases) EXPECT_EQ(formatYearEnd(stored), printed) << stored;
}

TEST(ReportData, StampsTheStartLineWithShortMonthAndTwoDigitFields) {
  std::tm time{};
  time.tm_year = 126;
  time.tm_mon = 11;
  time.tm_mday = 9;
  time.tm_hour = 6;
  time.tm_min = 5;
  time.tm_sec = 39;
  EXPECT_EQ(logTimeStamp(time), "Dec,09,2026 - 06:05:39");

  Farm farm;
  testing::makeFarm(farm, testing::mixedFarm());
  farm.addLogLine("old line");
  ReportRequest request;
  request.kind = ReportKind::Crop;
  request.enterprises = chooserEnterprises(farm, ReportKind::Crop);
  request.startTime = time;
  ASSERT_TRUE(runReportData(farm, request));
  ASSERT_EQ(farm.errorLog().size(), 1u);
  EXPECT_EQ(farm.errorLog()[0], "Starting logger for crop report(s)..Dec,09,2026 - 06:05:39");
}

TEST(ReportData, ChoosersOfferTheirKindsInRegistryOrderWithAftermathFirst) {
  Farm farm;
  testing::makeFarm(farm, testing::mixedFarm());
  using Ids = std::vector<std::string>;
  EXPECT_EQ(chooserEnterprises(farm, ReportKind::Livestock), (Ids{"cowcalf1", "cowcalf2", "feeders1"}));
  EXPECT_EQ(chooserEnterprises(farm, ReportKind::Crop), (Ids{"forage1", "grain1", "straw1"}));
  EXPECT_EQ(chooserEnterprises(farm, ReportKind::PastureAftermath), (Ids{"aftermath1", "pasture1"}));
  EXPECT_EQ(chooserEnterprises(farm, ReportKind::Other), (Ids{"other1"}));
  EXPECT_EQ(chooserEnterprises(farm, ReportKind::WholeFarm), Ids{});
  EXPECT_EQ(herdPlannerEnterprises(farm), (Ids{"cowcalf1", "cowcalf2"}));
}

TEST(ReportData, NothingChosenStopsBeforeTheLog) {
  Farm farm;
  testing::makeFarm(farm, testing::FarmSpec{});
  farm.addLogLine("previous report");
  ReportRequest request;
  request.kind = ReportKind::Other;
  EXPECT_FALSE(runReportData(farm, request));
  EXPECT_EQ(farm.errorLog(), std::vector<std::string>{"previous report"});
  EXPECT_TRUE(farm.table("memEnterprises").IsEmpty());
}

TEST(ReportData, TheHerdPlannerExportWritesNoLogAndRunsNoValidation) {
  Farm farm;
  testing::makeFarm(farm, testing::mixedFarm());
  addLine(farm, "memRevenue", {{"Description", text("Steers")}, {"Dollars", 500.0}});
  farm.addLogLine("previous report");
  ReportRequest request;
  request.enterprises = {"cowcalf2"};
  request.herdPlannerExport = true;
  ASSERT_TRUE(runReportData(farm, request));
  EXPECT_EQ(farm.errorLog(), std::vector<std::string>{"previous report"});
  EXPECT_EQ(farm.table("memEnterpriseRep1").RecordCount(), 13);
}

class CrossReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::makeFarm(farm, testing::mixedFarm());
    addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 1},
                                  {"ToEnterprise", text("feeders1")}, {"NumHead", 10}, {"LbsPerHead", 500.0},
                                  {"PricePerHead", 800.0}});
    addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 2},
                                  {"ToEnterprise", text("cowcalf1")}, {"NumHead", 5}, {"LbsPerHead", 500.0},
                                  {"PricePerHead", 900.0}});
    addLine(farm, "memCropAlloc", {{"Enterprise", text("straw1")}, {"Crop", 1.0}, {"Alloc", 2.0},
                                   {"Dollars", 1000.0}, {"Feed", 50.0}, {"Bedding", 50.0}, {"cowcalf1", 1.0},
                                   {"cowcalf2", 1.0}});
    addLine(farm, "mempasture1", {{"Description", text("Summer")}, {"TotalAums", 40.0}, {"Total", 900.0},
                                  {"cowcalf1", 2.0}, {"other1", 1.0}});
  }

  double transferCell(const std::string& row, const std::string& column) {
    const MemTable& t = farm.table("memTransfers");
    for (int r = 0; r < t.RecordCount(); ++r)
      if (t.StringAt(r, 0) == row && t.StringAt(r, 1) == column) return t.FloatAt(r, 2);
    return -1;  // not in the table
  }
  Farm farm;
};

TEST_F(CrossReportsTest, TransferTableKeysSuppliersAndReceiversAndDropsWhatCannotFlow) {
  ReportRequest request;
  request.kind = ReportKind::Transfers;
  ASSERT_TRUE(runReportData(farm, request));
  EXPECT_EQ(transferKeys(farm).front(), "001cowcalf1");
  EXPECT_EQ(transferCell("001cowcalf1", "000Total"), 8000);
  EXPECT_EQ(transferCell("001cowcalf1", "003feeders1"), 8000);
  EXPECT_EQ(transferCell("001cowcalf1", "001cowcalf1"), 0);
  EXPECT_EQ(transferCell("007straw1", "000Total"), 1000);
  EXPECT_EQ(transferCell("007straw1", "001cowcalf1"), 500);
  EXPECT_EQ(transferCell("007straw1", "002cowcalf2"), 500);
  EXPECT_EQ(transferCell("005pasture1", "000Total"), 900);
  EXPECT_EQ(transferCell("005pasture1", "001cowcalf1"), 600);
  EXPECT_EQ(transferCell("005pasture1", "009other1"), 300);
  EXPECT_EQ(transferCell("009other1", "000Total"), -1);    // others supply nothing
  EXPECT_EQ(transferCell("001cowcalf1", "006grain1"), -1);  // crops receive nothing
  // Suppliers in registry order, each with the total first and the receivers after.
  const MemTable& t = farm.table("memTransfers");
  EXPECT_EQ(t.StringAt(0, 1), "000Total");
  EXPECT_EQ(t.StringAt(1, 1), "001cowcalf1");
  EXPECT_EQ(t.RecordCount(), 8 * 5);  // suppliers but other1, receivers total + livestock + other1

  EXPECT_EQ(transferCaption(farm, "000Total"), "Total");
  EXPECT_EQ(transferCaption(farm, "003feeders1"), "Backgrounder");
  EXPECT_EQ(transferCaption(farm, "row"), "From Enterprise");
  EXPECT_EQ(transferCaption(farm, "column"), "To Enterprise");
  EXPECT_EQ(transferCaption(farm, "Sum of value"), "Transfers");
}

TEST_F(CrossReportsTest, WinnersTakeCattlePurchasesOffBothSidesAndBeddingIntoTotalExpenses) {
  addLine(farm, "memRevenue", {{"Description", text("Calves")}, {"Dollars", 10000.0}, {"cowcalf1", 1.0}});
  addLine(farm, "memExpenses", {{"Description", text("Bulls")}, {"Dollars", 3000.0},
                                {"Category", text("Cattle Purchases")}, {"cowcalf1", 1.0}});
  addLine(farm, "memExpenses", {{"Description", text("Lease")}, {"Dollars", 700.0},
                                {"Category", text("Machinery Lease")}, {"cowcalf1", 1.0}});
  addLine(farm, "memExpenses", {{"Description", text("Fuel")}, {"Dollars", 300.0}, {"Category", text("Fuel")},
                                {"cowcalf1", 1.0}});
  ReportRequest request;
  request.kind = ReportKind::Winners;
  ASSERT_TRUE(runReportData(farm, request));
  const MemTable& w1 = farm.table("memWinners1");
  const MemTable& w2 = farm.table("memWinners2");
  ASSERT_EQ(w1.RecordCount(), 9);
  const auto at = [](const MemTable& t, int row, const char* column) { return t.FloatAt(row, t.FieldIndex(column)); };
  const double feed = 250, bedding = 250, grazing = 600, transfersOut = 8000;
  const double gross = 10000 + transfersOut;
  const double costs = 4000 + feed + grazing;
  EXPECT_DOUBLE_EQ(at(w1, 0, "CashRevenue"), 7000);
  EXPECT_DOUBLE_EQ(at(w1, 0, "CashExpenses"), 1000);
  EXPECT_DOUBLE_EQ(at(w1, 0, "TotalRevenue"), gross - 3000);
  EXPECT_DOUBLE_EQ(at(w1, 0, "TotalExpenses"), costs - 3000 + bedding);
  EXPECT_DOUBLE_EQ(at(w1, 0, "CashIncome"), 6000);
  EXPECT_DOUBLE_EQ(at(w1, 0, "ContribMargin"), gross - (300 + feed + grazing) - 3000);
  EXPECT_DOUBLE_EQ(at(w1, 0, "ReturnToEquity"), gross - costs);
  // A pasture earns the whole value of the grazing it provided; straw its allocated crops.
  EXPECT_DOUBLE_EQ(at(w1, 4, "TotalRevenue"), 900);
  EXPECT_DOUBLE_EQ(at(w1, 4, "CashRevenue"), 0);
  EXPECT_DOUBLE_EQ(at(w1, 6, "TotalRevenue"), 1000);
  EXPECT_EQ(w2.StringAt(2, w2.FieldIndex("EnterpriseLabel")), "Backgrounder");
  EXPECT_DOUBLE_EQ(at(w1, 2, "TotalRevenue"), -8000);
  EXPECT_FALSE(farm.errorLog().empty());
}

}  // namespace
}  // namespace rb
