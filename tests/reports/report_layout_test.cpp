#include <gtest/gtest.h>

#include <algorithm>

#include "reports/report_fixtures.h"
#include "reports/report_format.h"
#include "reports/report_layouts.h"
#include "reports/report_output.h"

namespace rb::report {
namespace {

using testing::addStatement;
using testing::fillStatements;
using testing::fillTransfers;
using testing::fillWinners;
using testing::makeSampleFarm;
using testing::registerEnterprise;
using testing::setFarmInfo;

ReportSettings fixedSettings() {
  ReportSettings settings;
  settings.programVersion = "9.9.9";
  settings.printedOn = {2027, 1, 5};
  return settings;
}

std::vector<std::string> textsOf(const Page& page) {
  std::vector<std::string> texts;
  for (const TextItem& item : page.texts) texts.push_back(item.text);
  return texts;
}

bool has(const Page& page, const std::string& text) {
  const auto texts = textsOf(page);
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The texts on the line of the first (or last) item reading `caption`, left
// to right.
std::vector<std::string> lineOf(const Page& page, const std::string& caption, bool last = false) {
  const TextItem* found = nullptr;
  for (const TextItem& item : page.texts)
    if (item.text == caption && (!found || last)) found = &item;
  if (!found) return {};
  std::vector<const TextItem*> line;
  for (const TextItem& item : page.texts)
    if (std::abs(item.y - found->y) < 1.0) line.push_back(&item);
  std::sort(line.begin(), line.end(), [](const TextItem* a, const TextItem* b) { return a->x < b->x; });
  std::vector<std::string> texts;
  for (const TextItem* item : line) texts.push_back(item->text);
  return texts;
}

using Strings = std::vector<std::string>;

class EnterpriseReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setFarmInfo(farm, "Willow Creek Ranch", "12/31/2026");
    registerEnterprise(farm, kCowCalf, 1, "Home Herd");
    registerEnterprise(farm, kFeeders, 1, "Backgrounders");
    farm.addLogLine("Starting logger for livestock report(s)..Dec,09,2026 - 16:19:39");
  }
  Farm farm;
};

TEST_F(EnterpriseReportTest, EachEnterpriseStartsAPageWithItsHeaderProductionLineAndHeadings) {
  addStatement(farm, StatementKind::Livestock, "cowcalf1", "Home Herd", 120, 54120.4, 1);
  addStatement(farm, StatementKind::Livestock, "feeders1", "Backgrounders", 0, 61250.5, 2);
  const Document document = layoutEnterpriseReport(farm, StatementKind::Livestock, fixedSettings());

  ASSERT_EQ(document.pages.size(), 2u);  // a clean log: no error-log page
  const Page& herd = document.pages[0];
  for (const char* text : {"Enterprise Analysis Report", "Ranchbook$ 9.9.9", "Willow Creek Ranch", "Home Herd",
                           "Cows Wintered: 120 --- Pounds of calf produced: 54120", "printed:", "Jan 5, 2027",
                           "Willow Creek Ranch    Year Ending: Dec 31, 2026", "Value of Production", "Variable Costs",
                           "Return to Equity", "Investment"})
    EXPECT_TRUE(has(herd, text)) << text;
  EXPECT_EQ(lineOf(herd, "Category"), (Strings{"Category", "Number", "WT", "Total $", "$/Cow", "$/LB"}));

  const Page& feeders = document.pages[1];
  EXPECT_TRUE(has(feeders, "Backgrounders"));
  EXPECT_TRUE(has(feeders, " Lbs Gained: 61250"));
  EXPECT_FALSE(has(feeders, "Home Herd"));
  // No per-cow heading for feeders: the column keeps an empty heading.
  EXPECT_EQ(lineOf(feeders, "Category"), (Strings{"Category", "Number", "WT", "Total $", "", "$/LB of gain"}));
  EXPECT_EQ(lineOf(feeders, "Non-cash"), (Strings{"Category", "Non-cash", "Total $", "", "$/LB of gain"}));
}

TEST_F(EnterpriseReportTest, CapitalSectionShowsTheStatementTotalsWithBlankZeroPerUnitForms) {
  addStatement(farm, StatementKind::Livestock, "feeders1", "Backgrounders", 0, 50000, 2);
  MemTable& enterprises = farm.table("memEnterprises");
  enterprises.First();
  enterprises.Edit();
  enterprises.FieldByName("totalexp").SetAsFloat(10000);
  enterprises.FieldByName("noncashexp").SetAsFloat(2000);
  enterprises.FieldByName("valueofproduction").SetAsFloat(30000);
  enterprises.Post();
  MemTable& capital = farm.table("memEnterpriseRep3");
  capital.First();
  capital.Edit();
  const std::pair<const char*, double> items[] = {
      {"rent", 100}, {"taxes", 200}, {"depreciation", 300}, {"lease", 400}, {"interest", 500}};
  for (const auto& [column, value] : items) capital.FieldByName(column).SetAsFloat(value);
  capital.FieldByName("rentpercow").SetAsFloat(0);  // a zero per-unit cell prints 0.00 ...
  capital.FieldByName("rentperlb").Clear();         // ... an empty one nothing
  capital.Post();

  const Document document = layoutEnterpriseReport(farm, StatementKind::Livestock, fixedSettings());
  ASSERT_EQ(document.pages.size(), 1u);
  const Page& page = document.pages[0];
  EXPECT_EQ(lineOf(page, "Land Rent / Livestock Rent/Share Payments"),
            (Strings{"Land Rent / Livestock Rent/Share Payments", "100", "0.00"}));
  // Per pound of gain on 50,000 lbs; the per-cow forms of a feeder are 0 and
  // print blank.
  EXPECT_EQ(lineOf(page, "Total Capital Costs"), (Strings{"Total Capital Costs", "1,500", "0.03"}));
  EXPECT_EQ(lineOf(page, "Cash Costs"), (Strings{"Cash Costs", "9,200", "0.18"}));
  EXPECT_EQ(lineOf(page, "Total Production Costs"), (Strings{"Total Production Costs", "11,500", "0.23"}));
  EXPECT_EQ(lineOf(page, "Return to Equity"), (Strings{"Return to Equity", "18,500", "0.37"}));
  // The gross margin adds back depreciation and the unpaid labour row.
  double valueOfProduction = 0, unpaid = 0;
  const MemTable& values = farm.table("memEnterpriseRep1");
  for (int row = 0; row < values.RecordCount(); ++row) valueOfProduction += values.FloatAt(row, values.FieldIndex("TotalDollars"));
  const MemTable& costs = farm.table("memEnterpriseRep2");
  for (int row = 0; row < costs.RecordCount(); ++row)
    if (costs.StringAt(row, costs.FieldIndex("categoryLabel")) == "Unpaid Labour")
      unpaid = costs.FloatAt(row, costs.FieldIndex("TotalDollars"));
  const double margin = valueOfProduction - 11500 + 300 + unpaid;
  EXPECT_EQ(lineOf(page, "Gross Margin *")[1], rb::formatThousands(margin));
}

TEST_F(EnterpriseReportTest, ErrorLogComesFirstOnlyWithFindingsAndRunsOverPages) {
  addStatement(farm, StatementKind::Livestock, "cowcalf1", "Home Herd", 120, 54120, 1);
  for (int i = 1; i <= 150; ++i)
    farm.addLogLine("Cow/Calf Enterprise: Home Herd has no weaned calf weight entered for line " + std::to_string(i));
  const Document document = layoutEnterpriseReport(farm, StatementKind::Livestock, fixedSettings());

  ASSERT_EQ(document.pages.size(), 4u);  // three pages of log, then the herd
  EXPECT_TRUE(has(document.pages[0], "Error Log"));
  EXPECT_TRUE(has(document.pages[0], farm.errorLog().front()));
  EXPECT_FALSE(has(document.pages[0], "Home Herd"));  // no enterprise in the header yet
  EXPECT_TRUE(has(document.pages[2], farm.errorLog().back()));
  EXPECT_TRUE(has(document.pages[2],
                  "The messages displayed above are also available by selecting the Error Log tab, after exiting "
                  "this report."));
  EXPECT_TRUE(has(document.pages[3], "Home Herd"));
  for (const Page& page : document.pages) EXPECT_TRUE(has(page, "Enterprise Analysis Report"));

  // The Herd Planner file never carries the log, and its headings are blank.
  const Document exported = layoutEnterpriseReport(farm, StatementKind::HerdPlannerExport, fixedSettings());
  ASSERT_EQ(exported.pages.size(), 1u);
  EXPECT_EQ(lineOf(exported.pages[0], "Category")[1], "");
  EXPECT_EQ(lineOf(exported.pages[0], "Category").size(), 6u);
  EXPECT_FALSE(has(exported.pages[0], "$/Cow"));
}

TEST_F(EnterpriseReportTest, WholeFarmIsOneGroupWithNetIncomeAndBlankHeadings) {
  fillStatements(farm, StatementKind::WholeFarm);
  const Document document = buildReportDocument(farm, ReportKind::WholeFarm, fixedSettings());
  ASSERT_EQ(document.pages.size(), 1u);
  const Page& page = document.pages[0];
  EXPECT_TRUE(has(page, "Whole Farm"));
  EXPECT_TRUE(has(page, "Net Income"));
  EXPECT_FALSE(has(page, "Return to Equity"));
  EXPECT_FALSE(has(page, "     Transfers out"));
  EXPECT_FALSE(has(page, "Unpaid Labour"));
  EXPECT_EQ(lineOf(page, "Category"), (Strings{"Category", "", "", "Total $", "", ""}));
}

TEST(ReportHeadings, ByReportKindAndEnterprise) {
  struct Case {
    StatementKind kind;
    const char* id;
    double cows, output;
    StatementHeadings headings;
    const char* production;
  };
  const Case cases[] = {
      {StatementKind::Livestock, "cowcalf2", 80, 40000.5, {"Number", "WT", "$/Cow", "$/LB"},
       "Cows Wintered: 80 --- Pounds of calf produced: 40000"},
      {StatementKind::Livestock, "feeders1", 0, 1234.4, {"Number", "WT", "", "$/LB of gain"}, " Lbs Gained: 1234"},
      {StatementKind::Crop, "grain1", 0, 412.45, {"", "", "$/tonne", ""}, "Total Tonnes Produced: 412.4"},
      {StatementKind::PastureAftermath, "aftermath1", 0, 88.06, {"", "", "$/AUM", ""}, "Total AUMS Produced: 88.1"},
      {StatementKind::Other, "other1", 0, 0, {"", "", "", ""}, " "},
      {StatementKind::WholeFarm, "farm", 0, 0, {"", "", "", ""}, " "},
      {StatementKind::HerdPlannerExport, "cowcalf1", 50, 2, {"", "", "", ""},
       "Cows Wintered: 50 --- Pounds of calf produced: 2"},
  };
  for (const Case& c : cases) {
    const StatementHeadings headings = statementHeadings(c.kind, c.id);
    EXPECT_EQ(headings.number, c.headings.number) << c.id;
    EXPECT_EQ(headings.weight, c.headings.weight) << c.id;
    EXPECT_EQ(headings.perCow, c.headings.perCow) << c.id;
    EXPECT_EQ(headings.perPound, c.headings.perPound) << c.id;
    EXPECT_EQ(productionLine(c.kind, c.id, c.cows, c.output), c.production) << c.id;
  }
}

TEST(WinnersReport, ListsEveryEnterpriseAndTotalsTheAdjustmentsOnTheWholeFarmLine) {
  Farm farm;
  makeSampleFarm(farm, 5);  // 36 enterprises: the tables run over two pages
  fillWinners(farm);
  const Document document = buildReportDocument(farm, ReportKind::Winners, fixedSettings());
  ASSERT_GE(document.pages.size(), 2u);
  for (const Page& page : document.pages) {
    EXPECT_TRUE(has(page, "Enterprise Analysis - Winners & Losers"));
    EXPECT_TRUE(has(page, "Enterprise"));  // the headings of the table that runs on
  }
  const Page& last = document.pages.back();
  const std::vector<std::string> wholeFarm = lineOf(last, "Whole Farm");
  ASSERT_EQ(wholeFarm.size(), 8u);
  const MemTable& adjustments = farm.table("memWinners2");
  double deprec = 0;
  for (int row = 0; row < adjustments.RecordCount(); ++row)
    deprec += adjustments.FloatAt(row, adjustments.FieldIndex("Deprec"));
  EXPECT_EQ(wholeFarm[6], rb::formatThousands(deprec));

  int enterpriseLines = 0;
  for (const Page& page : document.pages)
    for (const TextItem& item : page.texts)
      if (item.text == "Cow Herd 3") ++enterpriseLines;
  EXPECT_EQ(enterpriseLines, 2);  // once in each table

  Farm empty;
  const Document none = buildReportDocument(empty, ReportKind::Winners, fixedSettings());
  ASSERT_EQ(none.pages.size(), 1u);
  EXPECT_EQ(lineOf(none.pages[0], "Whole Farm"), (Strings{"Whole Farm", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(TransferReport, CrossTableCaptionsValuesTotalsAndPageNumbers) {
  Farm farm;
  setFarmInfo(farm, "Willow Creek Ranch", "31-12-2026");
  registerEnterprise(farm, kCowCalf, 1, "Home Herd");
  registerEnterprise(farm, kFeeders, 1, "Yearlings");
  registerEnterprise(farm, kGrain, 1, "Barley");
  registerEnterprise(farm, kOther, 1, "Custom");
  using testing::appendRow;
  MemTable& transfers = farm.table("memTransfers");
  const std::tuple<const char*, const char*, double> rows[] = {
      {"001cowcalf1", "000Total", 8000},   {"001cowcalf1", "001cowcalf1", 0}, {"001cowcalf1", "002feeders1", 8000},
      {"001cowcalf1", "004other1", 0},     {"002feeders1", "000Total", 0},    {"002feeders1", "001cowcalf1", 0},
      {"002feeders1", "002feeders1", 0},   {"002feeders1", "004other1", 0},   {"003grain1", "000Total", 3000},
      {"003grain1", "001cowcalf1", 1500},  {"003grain1", "002feeders1", 500}, {"003grain1", "004other1", 1000}};
  for (const auto& [from, to, value] : rows)
    appendRow(transfers, {{"row", std::string(from)}, {"column", std::string(to)}, {"value", value}});

  const Document document = buildReportDocument(farm, ReportKind::Transfers, fixedSettings());
  ASSERT_EQ(document.pages.size(), 1u);
  const Page& page = document.pages[0];
  EXPECT_EQ(lineOf(page, "From Enterprise"),
            (Strings{"From Enterprise", "Total", "Home Herd", "Yearlings", "Custom"}));
  EXPECT_EQ(lineOf(page, "Home Herd", true), (Strings{"Home Herd", "8,000", "0", "8,000", "0"}));
  EXPECT_EQ(lineOf(page, "Barley"), (Strings{"Barley", "3,000", "1,500", "500", "1,000"}));
  EXPECT_EQ(lineOf(page, "Page: 1"), (Strings{"Willow Creek Ranch    Year Ending: Dec 31, 2026", "printed:",
                                              "Jan 5, 2027", "Page: 1"}));
  // The column totals close the table; the other enterprise is never a row.
  const auto texts = textsOf(page);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Custom"), 1);
  const auto total = std::find_if(page.texts.rbegin(), page.texts.rend(),
                                  [](const TextItem& item) { return item.text == "Total"; });
  ASSERT_NE(total, page.texts.rend());
  EXPECT_EQ(lineOf(page, "11,000"), (Strings{"Total", "11,000", "1,500", "8,500", "1,000"}));

  // A large farm spreads over pages down and across, numbered in order.
  Farm large;
  makeSampleFarm(large, 5);
  fillTransfers(large);
  const Document spread = buildReportDocument(large, ReportKind::Transfers, fixedSettings());
  ASSERT_GE(spread.pages.size(), 3u);
  for (std::size_t i = 0; i < spread.pages.size(); ++i)
    EXPECT_TRUE(has(spread.pages[i], "Page: " + std::to_string(i + 1)));
}

// Every text of every sample report stays inside the sheet's margins and
// above the footer, and no two texts on a page overlap.
TEST(ReportLayouts, NothingOverlapsOrLeavesThePrintableArea) {
  Farm farm;
  makeSampleFarm(farm, 5);
  farm.addLogLine("Starting logger for livestock report(s)..Dec,09,2026 - 16:19:39");
  farm.addLogLine(std::string(300, 'x') + " a finding long enough to wrap over several lines of the error memo");
  const TextMeasurer& measure = defaultMeasurer();
  std::vector<Document> documents;
  for (StatementKind kind : {StatementKind::Livestock, StatementKind::Crop, StatementKind::PastureAftermath,
                             StatementKind::Other, StatementKind::WholeFarm, StatementKind::HerdPlannerExport}) {
    fillStatements(farm, kind);
    documents.push_back(layoutEnterpriseReport(farm, kind, fixedSettings()));
  }
  fillWinners(farm);
  documents.push_back(layoutWinnersReport(farm, fixedSettings()));
  fillTransfers(farm);
  documents.push_back(layoutTransferReport(farm, fixedSettings()));

  for (const Document& document : documents) {
    for (std::size_t p = 0; p < document.pages.size(); ++p) {
      const Page& page = document.pages[p];
      struct Extent {
        double left, right, top, bottom;
        const std::string* text;
      };
      std::vector<Extent> extents;
      for (const TextItem& item : page.texts) {
        if (item.text.empty() || item.text == " ") continue;
        const double width = measure.widthMm(item.text, item.font);
        const double left = item.align == Align::Left    ? item.x
                            : item.align == Align::Right ? item.x + item.width - width
                                                         : item.x + (item.width - width) / 2;
        extents.push_back({left, left + width, item.y, item.y + item.height * 0.85, &item.text});
        EXPECT_GE(left, 6.3) << document.title << " page " << p + 1 << ": " << item.text;
        EXPECT_LE(left + width, document.pageWidth - 6.3) << document.title << ": " << item.text;
        EXPECT_GE(item.y, 6.3) << item.text;
        EXPECT_LE(item.y + item.height, document.pageHeight - 5.0) << item.text;
      }
      for (std::size_t i = 0; i < extents.size(); ++i)
        for (std::size_t j = i + 1; j < extents.size(); ++j) {
          const Extent& a = extents[i];
          const Extent& b = extents[j];
          const bool overlap = a.left < b.right - 0.3 && b.left < a.right - 0.3 && a.top < b.bottom - 0.3 &&
                               b.top < a.bottom - 0.3;
          EXPECT_FALSE(overlap) << document.title << " page " << p + 1 << ": \"" << *a.text << "\" and \""
                                << *b.text << "\"";
        }
    }
  }
}

}  // namespace
}  // namespace rb::report
