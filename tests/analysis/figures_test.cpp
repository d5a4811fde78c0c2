#include <gtest/gtest.h>

#include "analysis/engine_fixture.h"
#include "analysis/figures.h"

namespace rb {
namespace {

using testing::addLine;
using testing::mixedFarm;
using testing::setRow;
using testing::text;

class FiguresTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::makeFarm(farm, mixedFarm()); }
  Farm farm;
  Figures figures{farm};
};

// ---------------------------------------------------------------------------
// Ledger shares: each ledger has its own test of whether a weight counts
// ---------------------------------------------------------------------------

TEST_F(FiguresTest, LedgerWeightsShareALineByTheirLedgersOwnTest) {
  struct Case {
    double cowWeight, feederWeight;
    double revenueCow, revenueFeeder, expenseCow, expenseFeeder;
  };
  for (const Case& c : {Case{1, 3, 100, 300, 100, 300}, Case{0.4, 0.6, 0, 240, 160, 240},
                        Case{0.5, 1.5, 0, 300, 100, 300}, Case{0, 0, 0, 0, 0, 0}}) {
    Farm farm;
    testing::makeFarm(farm, mixedFarm());
    const Figures f(farm);
    addLine(farm, "memRevenue", {{"Description", text("Calves")}, {"Dollars", 400.0}, {"Category", text("Calves")},
                                 {"cowcalf1", c.cowWeight}, {"feeders1", c.feederWeight}});
    addLine(farm, "memExpenses", {{"Description", text("Vet")}, {"Dollars", 400.0},
                                  {"Category", text("Veterninary & medicine")},
                                  {"cowcalf1", c.cowWeight}, {"feeders1", c.feederWeight}});
    SCOPED_TRACE(c.cowWeight);
    EXPECT_DOUBLE_EQ(f.allocatedRevenue("cowcalf1"), c.revenueCow);
    EXPECT_DOUBLE_EQ(f.allocatedRevenue("feeders1"), c.revenueFeeder);
    EXPECT_DOUBLE_EQ(f.allocatedExpense("cowcalf1"), c.expenseCow);
    EXPECT_DOUBLE_EQ(f.allocatedExpense("feeders1"), c.expenseFeeder);
    // The whole farm takes every line in full, allocated or not.
    EXPECT_DOUBLE_EQ(f.allocatedRevenue("farm"), 400);
    EXPECT_DOUBLE_EQ(f.allocatedExpense("farm", "Veterninary & medicine"), 400);
    EXPECT_DOUBLE_EQ(f.allocatedExpense("farm", "Fuel"), 0);
  }
}

TEST_F(FiguresTest, BalanceLedgersCountWeightsAboveTheirThresholds) {
  addLine(farm, "memAcPay", {{"Description", text("Feed bill")}, {"Change", 100.0}, {"cowcalf1", 0.01},
                             {"feeders1", 0.99}});
  addLine(farm, "memSupplyInv", {{"Description", text("Twine")}, {"Change", 50.0}, {"cowcalf1", 0.02},
                                 {"feeders1", 0.98}});
  addLine(farm, "memAcRec", {{"Description", text("Cheque")}, {"Change", 80.0}, {"cowcalf1", 0.6},
                             {"feeders1", 0.2}});
  EXPECT_DOUBLE_EQ(figures.allocatedPayableChange("cowcalf1"), 0);  // exactly 0.01 is not enough
  EXPECT_DOUBLE_EQ(figures.allocatedPayableChange("feeders1"), 99);
  EXPECT_DOUBLE_EQ(figures.allocatedSupplyChange("cowcalf1"), 1);
  EXPECT_DOUBLE_EQ(figures.allocatedReceivableChange("cowcalf1"), 60);  // 0.6 rounds to 1
  EXPECT_DOUBLE_EQ(figures.allocatedReceivableChange("feeders1"), 0);   // 0.2 rounds to 0
}

TEST_F(FiguresTest, DepreciationAndInvestmentAddMachineryAndBuildings) {
  addLine(farm, "memMachinery", {{"Description", text("Tractor")}, {"CurrentValue", 50000.0}, {"DeprYear", 5000.0},
                                 {"cowcalf1", 1.0}, {"grain1", 1.0}});
  addLine(farm, "memBuildings", {{"Description", text("Barn")}, {"CurrentValue", 20000.0}, {"DeprYear", 1000.0},
                                 {"cowcalf1", 1.0}});
  EXPECT_DOUBLE_EQ(figures.allocatedDepreciation("cowcalf1"), 3500);
  EXPECT_DOUBLE_EQ(figures.allocatedMachineryInvestment("cowcalf1"), 22500);
  EXPECT_DOUBLE_EQ(figures.allocatedBuildingsInvestment("cowcalf1"), 19000);
  EXPECT_DOUBLE_EQ(figures.allocatedDepreciation("farm"), 6000);
}

// ---------------------------------------------------------------------------
// Livestock
// ---------------------------------------------------------------------------

TEST_F(FiguresTest, CalvesMovedWithinTheHerdCountAsProducedButNotAsTransfersOut) {
  setRow(farm, "memcowcalf1", 1, {{"bullsteercalves", 10}, {"bsweights", 300.0}, {"cowsbredheifers", 100}});
  setRow(farm, "memcowcalf1", 6, {{"bullsteercalves", 40}, {"bsweights", 550.4}, {"Heifercalves", 20},
                                  {"hcweights", 500.5}});
  addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 2},
                                {"ToEnterprise", text("cowcalf1")}, {"ToCategory", 4}, {"NumHead", 10},
                                {"LbsPerHead", 600.0}, {"PricePerHead", 900.0}});
  addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 1},
                                {"ToEnterprise", text("feeders1")}, {"ToCategory", 0}, {"NumHead", 5},
                                {"LbsPerHead", 500.0}, {"PricePerHead", 800.0}});
  EXPECT_EQ(figures.cowsWintered("cowcalf1"), 100);
  EXPECT_DOUBLE_EQ(figures.poundsOfCalfProduced("cowcalf1"),
                   -10 * 300.0 + 40 * 550.4 + 20 * 500.5 + 10 * 600.0 + 5 * 500.0);
  const HeadFigures out = figures.transfersOut("cowcalf1");
  EXPECT_DOUBLE_EQ(out.head, 5);
  EXPECT_DOUBLE_EQ(out.dollars, 4000);
  EXPECT_DOUBLE_EQ(figures.transfersIn("feeders1").pounds, 2500);
  EXPECT_DOUBLE_EQ(figures.transferValue("cowcalf1", "cowcalf1"), 9000);
  // Sale weights are rounded to whole pounds (half to even) before multiplying.
  const HeadFigures sales = figures.weanedCalfSales("cowcalf1");
  EXPECT_DOUBLE_EQ(sales.head, 60);
  EXPECT_DOUBLE_EQ(sales.pounds, 40 * 550.0 + 20 * 500.0);
}

TEST_F(FiguresTest, HerdValuesUseEachRowsPrices) {
  setRow(farm, "memcowcalf1", 1, {{"bullsteercalves", 10}, {"cowsbredheifers", 100}, {"bulls", 3}});
  setRow(farm, "memcowcalf1", 2, {{"bullsteercalves", 700}, {"cowsbredheifers", 1500}, {"bulls", 3000}});
  setRow(farm, "memcowcalf1", 9, {{"cowsbredheifers", 98}, {"bulls", 3}, {"yearlingheifers", 12}});
  setRow(farm, "memcowcalf1", 10, {{"cowsbredheifers", 1600}, {"bulls", 3200}, {"yearlingheifers", 1100}});
  EXPECT_DOUBLE_EQ(figures.cowCalfInventoryChange("cowcalf1"),
                   (98 * 1600 + 3 * 3200 + 12 * 1100) - (10 * 700 + 100 * 1500 + 3 * 3000));
  EXPECT_DOUBLE_EQ(figures.breedingStockValue("cowcalf1"), 98 * 1600 + 3 * 3200 + 12 * 1100);
  EXPECT_DOUBLE_EQ(figures.wholeFarmBreedingStockValue(), 98 * 1600 + 3 * 3200 + 12 * 1100);
}

TEST_F(FiguresTest, FeederGainAndSalesComeFromSheetTransfersAndInventoryLines) {
  setRow(farm, "memfeeders1", 1, {{"LbsTotal", 50000.0}});
  setRow(farm, "memfeeders1", 3, {{"LbsTotal", 10000.0}});
  setRow(farm, "memfeeders1", 5, {{"LbsTotal", 80000.0}});
  setRow(farm, "memfeeders1", 8, {{"LbsTotal", 5000.0}});
  addLine(farm, "memTransfer", {{"FromEnterprise", text("cowcalf1")}, {"FromCategory", 1},
                                {"ToEnterprise", text("feeders1")}, {"NumHead", 10}, {"LbsPerHead", 500.0}});
  addLine(farm, "memInventory", {{"Enterprise", text("feeders1")}, {"TransferType", 3}, {"NumHead", 60},
                                 {"LbsPerHead", 1200.0}, {"PricePerHead", 1500.0}});
  addLine(farm, "memInventory", {{"Enterprise", text("feeders1")}, {"TransferType", 3}, {"NumHead", 40},
                                 {"LbsPerHead", 1300.0}, {"PricePerHead", 1600.0}});
  addLine(farm, "memInventory", {{"Enterprise", text("feeders1")}, {"TransferType", 1}, {"NumHead", 100},
                                 {"PricePerHead", 700.0}});
  addLine(farm, "memInventory", {{"Enterprise", text("feeders1")}, {"TransferType", 4}, {"NumHead", 4},
                                 {"PricePerHead", 1400.0}});
  EXPECT_DOUBLE_EQ(figures.poundsGained("feeders1"), 80000 + 5000 - 50000 - 10000 - 5000);
  const HeadFigures sales = figures.feederSales("feeders1");
  EXPECT_DOUBLE_EQ(sales.head, 100);
  EXPECT_DOUBLE_EQ(sales.pounds, 1240);
  EXPECT_DOUBLE_EQ(sales.dollars, 60 * 1500 + 40 * 1600);
  EXPECT_DOUBLE_EQ(figures.feederInventoryChange("feeders1"), 4 * 1400 - 100 * 700);
}

// ---------------------------------------------------------------------------
// Crops, feed, bedding and grazing
// ---------------------------------------------------------------------------

TEST_F(FiguresTest, StrawSplitsIntoFeedAndBeddingWhileOtherCropsAreAllFeed) {
  addLine(farm, "memCropAlloc", {{"Enterprise", text("straw1")}, {"Crop", 1.0}, {"Alloc", 2.0}, {"Dollars", 1000.0},
                                 {"Feed", 40.0}, {"Bedding", 60.0}, {"cowcalf1", 1.0}, {"feeders1", 1.0}});
  addLine(farm, "memCropAlloc", {{"Enterprise", text("grain1")}, {"Crop", 1.0}, {"Alloc", 4.0}, {"Dollars", 800.0},
                                 {"Feed", 40.0}, {"Bedding", 60.0}, {"cowcalf1", 3.0}, {"feeders1", 1.0}});
  EXPECT_DOUBLE_EQ(figures.feedFromCrops("cowcalf1"), 1000 * 0.4 / 2 + 800.0 * 3 / 4);
  EXPECT_DOUBLE_EQ(figures.beddingFromCrops("cowcalf1"), 600.0 / 2 + 3 * 480.0 / 4);
  EXPECT_DOUBLE_EQ(figures.feedFromCrops("pasture1"), 0);  // no column: nothing
  EXPECT_DOUBLE_EQ(figures.cropValueAllocated("straw1"), 1000);
  EXPECT_DOUBLE_EQ(figures.cropValueAllocatedTo("grain1", "cowcalf1"), 600);
  EXPECT_DOUBLE_EQ(figures.cropValueAllocatedTo("grain1", "cowcalf2"), 0);
}

TEST_F(FiguresTest, TheWholeFarmTakesEveryBeddingValueWhole) {
  addLine(farm, "memCropAlloc", {{"Enterprise", text("straw1")}, {"Crop", 1.0}, {"Alloc", 2.0}, {"Dollars", 1000.0},
                                 {"Feed", 40.0}, {"Bedding", 60.0}, {"cowcalf1", 1.0}, {"feeders1", 1.0}});
  // Not allocated to anyone, and a line whose bedding is below one.
  addLine(farm, "memCropAlloc", {{"Enterprise", text("straw1")}, {"Crop", 1.0}, {"Dollars", 500.0},
                                 {"Feed", 0.0}, {"Bedding", 10.0}});
  addLine(farm, "memCropAlloc", {{"Enterprise", text("straw1")}, {"Crop", 1.0}, {"Dollars", 500.0},
                                 {"Feed", 1.0}, {"Bedding", 0.5}, {"cowcalf1", 1.0}});
  EXPECT_DOUBLE_EQ(figures.beddingFromCrops(""), 600 + 500);
}

TEST_F(FiguresTest, GrazingIsSharedByWholeNumberWeightsOfShownPastures) {
  addLine(farm, "mempasture1", {{"Description", text("Summer")}, {"Total", 900.0}, {"cowcalf1", 2.0},
                                {"feeders1", 1.0}, {"cowcalf2", 0.4}});
  addLine(farm, "memaftermath1", {{"Description", text("Fall")}, {"Total", 300.0}, {"cowcalf1", 1.0}});
  // A pasture that is not registered is not grazed.
  addLine(farm, "mempasture2", {{"Description", text("Stray")}, {"Total", 999.0}});
  EXPECT_DOUBLE_EQ(figures.pastureValueAllocatedTo("pasture1", "cowcalf1"), 600);
  EXPECT_DOUBLE_EQ(figures.pastureValueAllocatedTo("pasture1", "cowcalf2"), 0);
  EXPECT_DOUBLE_EQ(figures.pastureCostFor("cowcalf1"), 900);
  EXPECT_DOUBLE_EQ(figures.pastureValueAllocatedTo("pasture1", "grain1"), 0);
}

TEST_F(FiguresTest, CropSheetsAreReadByTheirPlaceInEachBlock) {
  // Forage has two crops: rows 1 to 5, a separator, rows 7 to 11.
  for (const auto& [row, tonnes, value] : {std::tuple{1, 10.0, 1000.0}, {2, 100.0, 9000.0}, {4, 20.0, 2000.0},
                                           {5, 30.0, 3000.0}, {7, 5.0, 400.0}, {8, 50.0, 4000.0}, {11, 8.0, 700.0}})
    setRow(farm, "memforage1", row, {{"TotalTonnes", tonnes}, {"TotalValue", value}});
  EXPECT_DOUBLE_EQ(figures.tonnesProduced("forage1"), 150);
  EXPECT_DOUBLE_EQ(figures.cropTransfersOutValue("forage1"), 2000);
  EXPECT_DOUBLE_EQ(figures.cropInventoryChange("forage1"), 3000 + 700 - 1000 - 400);
  EXPECT_DOUBLE_EQ(figures.productInventoryChange("forage1"), 3000 + 700 - 1000 - 400);
  EXPECT_DOUBLE_EQ(figures.productInventoryChange("pasture1"), 0);
}

TEST_F(FiguresTest, CropInventoryChangeFollowsTheSheetDownward) {
  // Beginning values come off and ending values go on as each row is met, so
  // the floating-point sum is the sheet's own order, not ends minus beginnings.
  for (const auto& [row, value] : {std::pair{1, 0.1}, {5, 0.1}, {7, 0.1}, {11, 0.2}})
    setRow(farm, "memforage1", row, {{"TotalValue", value}});
  const double walked = ((-0.1 + 0.1) - 0.1) + 0.2;
  ASSERT_NE(walked, (0.1 + 0.2) - (0.1 + 0.1));  // the fixture tells the two orders apart
  EXPECT_EQ(figures.cropInventoryChange("forage1"), walked);
  EXPECT_EQ(figures.wholeFarmInventoryChange(), walked);
}

TEST_F(FiguresTest, LabelsComeFromTheRegistry) {
  EXPECT_EQ(figures.enterpriseLabelOf("cowcalf2"), "Heifers");
  EXPECT_EQ(figures.enterpriseLabelOf("cowcalf4"), "cowcalf4");
}

}  // namespace
}  // namespace rb
