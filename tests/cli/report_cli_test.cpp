// check and report, run as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "analysis/engine_fixture.h"
#include "cli/cli_run.h"
#include "files/farm_file_writer.h"

namespace rb {
namespace {

using Json = nlohmann::ordered_json;
using testing::addLine;
using testing::setRow;
using testing::text;

using testing::CliRun;

CliRun runCli(const std::string& arguments) { return testing::runCliLine(arguments); }

std::vector<std::string> keysOf(const Json& object) {
  std::vector<std::string> keys;
  for (const auto& item : object.items()) keys.push_back(item.key());
  return keys;
}

class ReportCli : public ::testing::Test {
 protected:
  void SetUp() override {
    Farm farm;
    testing::makeFarm(farm, testing::mixedFarm());
    setRow(farm, "memInfo", 1, {{"business", text("Willow Creek")}});
    setRow(farm, "memcowcalf1", 1, {{"cowsbredheifers", 3}});
    setRow(farm, "memfeeders1", 8, {{"LbsTotal", 5000.0}});
    addLine(farm, "memRevenue", {{"Description", text("Calves")}, {"Dollars", 1000.0}, {"Category", text("Calves")},
                                 {"cowcalf1", 1.0}, {"cowcalf2", 2.0}});
    addLine(farm, "memExpenses", {{"Description", text("Fuel")}, {"Dollars", 50.0}, {"Category", text("Fuel")}});
    addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 1},
                                  {"ToEnterprise", text("feeders1")}, {"NumHead", 10}, {"LbsPerHead", 500.0},
                                  {"PricePerHead", 800.0}});
    path = testing::temporaryPath("report-farm.rbd");
    SaveFarmFile(farm, path);
  }

  Json report(const std::string& arguments) {
    const CliRun run = runCli("report " + arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return Json::parse(run.out);
  }
  std::string path;
};

TEST_F(ReportCli, EnterpriseReportsGiveTheStatementTablesUnrounded) {
  const Json doc = report("livestock '" + path + "' --enterprise cowcalf1");
  EXPECT_EQ(keysOf(doc), (std::vector<std::string>{"report", "reportKind", "business", "yearEnd", "errorLog",
                                                   "enterprises"}));
  EXPECT_EQ(doc["report"], "livestock");
  EXPECT_EQ(doc["reportKind"], "Livestock");
  EXPECT_EQ(doc["business"], "Willow Creek");
  EXPECT_EQ(doc["yearEnd"], "Dec 31, 2026");
  // Only the validation's findings, without the start line.
  EXPECT_EQ(doc["errorLog"], Json::array({"Allocation missing in Expenses, line item: Fuel,  $50.00      ",
                                          "Price Per Head missing in enterprise Home Herd category Cows/Bred Heifers"}));
  ASSERT_EQ(doc["enterprises"].size(), 1u);
  const Json& herd = doc["enterprises"][0];
  EXPECT_EQ(keysOf(herd), (std::vector<std::string>{"enterprise", "label", "numCows", "lbsProduced",
                                                    "valueofproduction", "totalexp", "noncashexp",
                                                    "valueOfProduction", "variableCosts", "capital", "totals"}));
  EXPECT_EQ(herd["numCows"], 3);
  ASSERT_EQ(herd["valueOfProduction"].size(), 13u);
  ASSERT_EQ(herd["variableCosts"].size(), 22u);
  const Json& calves = herd["valueOfProduction"][0];
  EXPECT_EQ(keysOf(calves), (std::vector<std::string>{"categoryLabel", "category", "number", "weight",
                                                      "totalDollars", "dollarCow", "dollarLb"}));
  EXPECT_DOUBLE_EQ(calves["totalDollars"].get<double>(), 1000.0 / 3);
  EXPECT_DOUBLE_EQ(calves["dollarCow"].get<double>(), 1000.0 / 9);
  EXPECT_TRUE(herd["valueOfProduction"][8]["category"].is_null());
  EXPECT_EQ(herd["valueOfProduction"][11]["totalDollars"], 8000.0);
  EXPECT_EQ(keysOf(herd["capital"]).size(), 21u);
  EXPECT_EQ(keysOf(herd["capital"]).front(), "rent");
  EXPECT_TRUE(herd["capital"]["invBreeding"].is_number());
  EXPECT_EQ(keysOf(herd["totals"]), (std::vector<std::string>{"totalCapitalCosts", "cashCosts",
                                                              "totalProductionCosts", "grossMargin",
                                                              "returnToEquity"}));
  EXPECT_DOUBLE_EQ(herd["totals"]["returnToEquity"]["perCow"].get<double>(), (1000.0 / 3 + 8000) / 3);
}

TEST_F(ReportCli, EveryKindReportsItsOwnShape) {
  const Json farmDoc = report("farm '" + path + "'");
  EXPECT_EQ(farmDoc["reportKind"], "WholeFarm");
  EXPECT_EQ(farmDoc["enterprises"][0]["label"], "Whole Farm");
  EXPECT_EQ(farmDoc["enterprises"][0]["valueOfProduction"].size(), 11u);
  EXPECT_EQ(farmDoc["enterprises"][0]["numCows"], nullptr);

  EXPECT_EQ(report("pasture '" + path + "'")["enterprises"][0]["enterprise"], "aftermath1");
  EXPECT_EQ(report("crop '" + path + "'")["enterprises"].size(), 3u);

  const Json winners = report("winners '" + path + "'");
  EXPECT_EQ(keysOf(winners), (std::vector<std::string>{"report", "errorLog", "enterprises", "wholeFarm"}));
  EXPECT_EQ(keysOf(winners["enterprises"][0]).size(), 16u);
  EXPECT_EQ(winners["enterprises"][0]["label"], "Home Herd");
  EXPECT_EQ(winners["wholeFarm"]["ProductInv"], 0.0);

  const Json transfers = report("transfers '" + path + "'");
  EXPECT_EQ(transfers["rows"][0], (Json{{"row", "001cowcalf1"}, {"column", "000Total"}, {"value", 8000.0}}));
  EXPECT_EQ(transfers["labels"].size(), 9u);
  EXPECT_EQ(transfers["labels"]["003feeders1"], "Backgrounder");
}

TEST_F(ReportCli, AReportWithNothingToChooseStopsBeforeTheValidation) {
  Farm farm;
  testing::makeFarm(farm, testing::FarmSpec{});
  addLine(farm, "memExpenses", {{"Description", text("Fuel")}, {"Dollars", 50.0}});
  const std::string bare = testing::temporaryPath("bare.rbd");
  SaveFarmFile(farm, bare);
  const Json doc = report("other '" + bare + "'");
  EXPECT_EQ(doc["errorLog"], Json::array());
  EXPECT_EQ(doc["enterprises"], Json::array());
}

TEST_F(ReportCli, CheckPrintsTheFindingsOnePerLine) {
  const CliRun run = runCli("check '" + path + "'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "Allocation missing in Expenses, line item: Fuel,  $50.00      \n"
            "Price Per Head missing in enterprise Home Herd category Cows/Bred Heifers\n");
}

TEST_F(ReportCli, WrongUsageAndUnreadableFilesAreRefused) {
  EXPECT_EQ(runCli("report cattle '" + path + "'").exitCode, 1);
  EXPECT_EQ(runCli("report crop '" + path + "' --enterprise cowcalf1").exitCode, 1);
  EXPECT_EQ(runCli("report farm '" + path + "' --enterprise cowcalf1").exitCode, 1);
  EXPECT_EQ(runCli("report crop '" + path + "' --format docx").exitCode, 1);
  EXPECT_EQ(runCli("check").exitCode, 1);
  // A file format without a place to write it is wrong usage, whatever the farm file.
  EXPECT_EQ(runCli("report crop '" + path + "' --format pdf").exitCode, 1);
  EXPECT_EQ(runCli("report crop '" + path + ".missing' --format pdf").exitCode, 1);
  const CliRun missing = runCli("report crop '" + path + ".missing'");
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find(".missing"), std::string::npos);
}

}  // namespace
}  // namespace rb
