#include <gtest/gtest.h>

#include <functional>

#include "analysis/engine_fixture.h"
#include "analysis/validation.h"

namespace rb {
namespace {

using testing::addLine;
using testing::setRow;
using testing::text;

struct Case {
  const char* name;
  std::function<void(Farm&)> setUp;
  std::vector<std::string> expected;
};

std::vector<std::string> findings(const std::function<void(Farm&)>& setUp) {
  Farm farm;
  testing::makeFarm(farm, testing::mixedFarm());
  setUp(farm);
  farm.clearErrorLog();
  runValidation(farm);
  return farm.errorLog();
}

TEST(Validation, ACleanFarmHasNoFindings) { EXPECT_TRUE(findings([](Farm&) {}).empty()); }

TEST(Validation, WritesOneLinePerGapWithItsExactText) {
  const std::vector<Case> cases = {
      {"revenue without weights",
       [](Farm& f) {
         addLine(f, "memRevenue", {{"Description", text("Steers")}, {"Dollars", 500.0}, {"Category", text("Calves")}});
       },
       {"Allocation missing in Revenue, line item: Steers,  $500.00     "}},
      {"revenue of half a cent",
       [](Farm& f) { addLine(f, "memRevenue", {{"Description", text("Steers")}, {"Dollars", 0.005}}); },
       {}},
      {"unpaid hours without a rate",
       [](Farm& f) { addLine(f, "memUnpaid", {{"Description", text("Chores")}, {"Hours", 40.0}}); },
       {"Unpaid Labour must have a value, line item: Chores "}},
      {"unpaid labour without hours", [](Farm& f) { addLine(f, "memUnpaid", {{"Description", text("Chores")}}); },
       {}},
      {"unpaid labour without weights",
       [](Farm& f) {
         addLine(f, "memUnpaid", {{"Description", text("Chores")}, {"Hours", 40.0}, {"DPerHour", 15.0},
                                  {"TotDollars", 600.0}});
       },
       {"Allocation missing in Unpaid Labour, line item: Chores,  $600.00     "}},
      {"negative purchased feed change",
       [](Farm& f) { addLine(f, "memPurchFeedInv", {{"Description", text("Hay")}, {"Change", -1234.5}}); },
       {"Allocation missing in Purch. Feed Inv., line item: Hay,  $-1234.50   "}},
      {"cows and a bull without a price",
       [](Farm& f) { setRow(f, "memcowcalf1", 1, {{"cowsbredheifers", 120}, {"bulls", 1}}); },
       {"Price Per Head missing in enterprise Home Herd category Bulls",
        "Price Per Head missing in enterprise Home Herd category Cows/Bred Heifers"}},
      {"negative ending heifer calves",
       [](Farm& f) { setRow(f, "memcowcalf1", 9, {{"Heifercalves", -3}, {"hcweights", 400.0}}); },
       {"Negative inventory in enterprise Home Herd, column Heifer~Calves"}},
      {"calves without weights",
       [](Farm& f) {
         setRow(f, "memcowcalf2", 1, {{"bullsteercalves", 5}});
         setRow(f, "memcowcalf2", 2, {{"bullsteercalves", 600}});
         setRow(f, "memcowcalf2", 6, {{"Heifercalves", 7}});
       },
       {"Weight per head missing in enterprise Heifers category Bull/Steer Calves",
        "Weight per head missing in enterprise Heifers category Heifer Calves"}},
      {"feeder counts that agree",
       [](Farm& f) {
         setRow(f, "memfeeders1", 1, {{"Feeders", 100}, {"Lbsperhead", 500.0}});
         setRow(f, "memfeeders1", 4, {{"Feeders", 3}});
         setRow(f, "memfeeders1", 8, {{"Feeders", 97}, {"Lbsperhead", 800.0}, {"LbsTotal", 77600.0}});
         setRow(f, "memfeeders1", 1, {{"LbsTotal", 50000.0}});
       },
       {}},
      {"feeder ending inventory one short and without a weight",
       [](Farm& f) {
         setRow(f, "memfeeders1", 1, {{"Feeders", 100}, {"Lbsperhead", 500.0}, {"LbsTotal", 50000.0}});
         setRow(f, "memfeeders1", 4, {{"Feeders", 3}});
         setRow(f, "memfeeders1", 8, {{"Feeders", 96}});
       },
       {"Data incomplete in enterprise Backgrounder, item Ending Inv.",
        "Entered and Calculated Ending Inventories do not agree in enterprise Backgrounder",
        "Pounds produced is negative in enterprise Backgrounder"}},
      {"transfer without a price",
       [](Farm& f) {
         addLine(f, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"ToEnterprise", text("feeders1")},
                                    {"Description", text("Steers")}, {"NumHead", 10}, {"LbsPerHead", 500.0}});
         addLine(f, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"ToEnterprise", text("feeders1")},
                                    {"Description", text("None")}, {"NumHead", 0}});
       },
       // The ten head moved in also make the group's gain negative.
       {"Pounds produced is negative in enterprise Backgrounder",
        "Missing weight or price data for transfer from Home Herd to Backgrounder, description: Steers"}},
      {"inventory lines without a price per pound",
       [](Farm& f) {
         addLine(f, "memInventory", {{"Enterprise", text("feeders1")}, {"TransferType", 1},
                                     {"Description", text("Start")}, {"NumHead", 10}, {"LbsPerHead", 500.0},
                                     {"PricePerLB", 0.005}});
         addLine(f, "memInventory", {{"Enterprise", text("feeders1")}, {"TransferType", 2},
                                     {"Description", text("Bought")}, {"NumHead", 10}, {"LbsPerHead", 500.0}});
       },
       {"Missing weight or price data for Backgrounder , category: Beginning Inventory, description: Start"}},
      {"straw allocated without feed or bedding",
       [](Farm& f) {
         addLine(f, "memCropAlloc", {{"Enterprise", text("straw1")}, {"Crop", 1.0}, {"Dollars", 2000.0},
                                     {"cowcalf1", 1.0}, {"cowcalf2", 1.0}});
       },
       {"Missing amount and/or allocations for transfer out from Straw, for crop Barley Straw"}},
      {"unvalued crop rows",
       [](Farm& f) {
         setRow(f, "memforage1", 1, {{"NumUnits", 10}});
         setRow(f, "memforage1", 4, {{"NumUnits", 10}});  // "Transfers out" of a first crop: not checked
         setRow(f, "memforage1", 5, {{"NumUnits", 2}, {"TotalTonnes", -1.0}});
       },
       {"Beginning Inv. has not been valued in enterprise Hay, for crop Alfalfa",
        "Negative inventory in enterprise Hay, crop Alfalfa"}},
      {"grazing without a value or weights",
       [](Farm& f) {
         addLine(f, "memaftermath1", {{"Description", text("Fall")}, {"NumAnimals", 10}});
         addLine(f, "mempasture1", {{"Description", text("Summer")}, {"Total", 900.0}});
       },
       {"Missing valuation in Aftermath, line item: Fall",
        "Allocation missing in Home Quarter, line item: Summer,  $900.00     "}},
      {"other enterprise without prices",
       [](Farm& f) {
         addLine(f, "memother1", {{"Description", text("Bales")}, {"BegQuantity", 5.0}, {"EndQuantity", 3.0}});
       },
       {"Other Enterprise: Custom Work, missing valuation for line item: Bales",
        "Other Enterprise: Custom Work, missing valuation for line item: Bales"}},
  };
  for (const Case& c : cases) EXPECT_EQ(findings(c.setUp), c.expected) << c.name;
}

TEST(Validation, ChecksRunInTheirFixedOrder) {
  const auto lines = findings([](Farm& f) {
    addLine(f, "memother1", {{"Description", text("Bales")}, {"BegQuantity", 5.0}});
    addLine(f, "memTransfer", {{"FromEnterprise", text("x")}, {"ToEnterprise", text("y")}, {"NumHead", 1}});
    addLine(f, "memExpenses", {{"Description", text("Fuel")}, {"Dollars", 10.0}});
  });
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Allocation missing in Expenses, line item: Fuel,  $10.00      ");
  EXPECT_EQ(lines[1], "Missing weight or price data for transfer from x to y, description: ");
  EXPECT_EQ(lines[2], "Other Enterprise: Custom Work, missing valuation for line item: Bales");
}

TEST(Validation, CropNamesComeFromTheRegistryByNumber) {
  Farm farm;
  testing::makeFarm(farm, testing::mixedFarm());
  EXPECT_EQ(cropNameOf(farm, "FORAGE1", 2.7), "Timothy");
  EXPECT_EQ(cropNameOf(farm, "forage1", 0), "");
  EXPECT_EQ(cropNameOf(farm, "grain4", 1), "");
  EXPECT_EQ(cropNameOf(farm, "grain1", 1e300), "");
}

}  // namespace
}  // namespace rb
