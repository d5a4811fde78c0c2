#include <gtest/gtest.h>

#include "worksheets/inventory_lines.h"
#include "worksheets/rules_fixture.h"
#include "worksheets/worksheet_layout.h"

namespace rb {
namespace {

using testing::FarmSpec;
using testing::RuledFarm;

FarmSpec livestockFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.feeders = {"Growers", "Finishers"};
  return farmSpec;
}

// ---------------------------------------------------------------------------
// Cow-calf
// ---------------------------------------------------------------------------

TEST(CowCalfSheet, EndingInventoryFollowsTheFlow) {
  RuledFarm f(livestockFarm());
  struct Entry {
    int row;
    const char* head;
  };
  for (Entry e : {Entry{cowcalf::kBeginning, "40"}, Entry{cowcalf::kBirths, "0"}, Entry{cowcalf::kPurchases, "5"},
                  Entry{cowcalf::kDeaths, "1"}, Entry{cowcalf::kSales, "20"}})
    f.type("memcowcalf1", e.row, "Heifercalves", e.head);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "Heifercalves"), 24);
  // Weights never move the head count.
  f.type("memcowcalf1", cowcalf::kPurchases, "hcweights", "450");
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "Heifercalves"), 24);
  EXPECT_TRUE(f.isEmpty("memcowcalf1", cowcalf::kEnding, "hcweights"));
  EXPECT_FALSE(f.farm.inProgramUpdate);
}

TEST(CowCalfSheet, EndingPriceDefaultsToThePricePerHead) {
  RuledFarm f(livestockFarm());
  f.type("memcowcalf1", cowcalf::kPrice, "bulls", "2500");
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEndingPrice, "bulls"), 2500);
  f.type("memcowcalf1", cowcalf::kEndingPrice, "bulls", "2600");
  f.type("memcowcalf1", cowcalf::kBeginning, "bulls", "4");
  f.type("memcowcalf1", cowcalf::kPrice, "bulls", "2400");
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEndingPrice, "bulls"), 2600);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "bulls"), 4);
}

TEST(CowCalfSheet, AFailingRecomputationLeavesTheSheetAsItWas) {
  RuledFarm f(livestockFarm());
  f.type("memcowcalf1", cowcalf::kBeginning, "cowsbredheifers", "2147483647");
  EXPECT_THROW(f.type("memcowcalf1", cowcalf::kPurchases, "cowsbredheifers", "1"), Error);
  EXPECT_TRUE(f.isEmpty("memcowcalf1", cowcalf::kPurchases, "cowsbredheifers"));
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "cowsbredheifers"), 2147483647);
  EXPECT_FALSE(f.farm.inProgramUpdate);
  f.type("memcowcalf1", cowcalf::kDeaths, "cowsbredheifers", "7");  // the rules still run
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "cowsbredheifers"), 2147483640);
}

TEST(LivestockGrid, EditableCellsAndDialogCells) {
  RuledFarm f(livestockFarm());
  const MemTable& herd = f.table("memcowcalf1");
  struct Case {
    int row, column;
    bool typeable;
    CellDialog dialog;
    int argument;
  };
  const Case cowCalf[] = {
      {cowcalf::kBeginning, 2, true, CellDialog::None, 0},
      {cowcalf::kPrice, 2, false, CellDialog::None, 0},
      {cowcalf::kBirths, 5, false, CellDialog::None, 0},
      {cowcalf::kEnding, 4, true, CellDialog::None, 0},
      {cowcalf::kEnding, 3, false, CellDialog::None, 0},
      {cowcalf::kTransfersOut, 3, false, CellDialog::CowCalfTransfersOut, 2},
      {cowcalf::kTransfersOut, 8, false, CellDialog::CowCalfTransfersOut, 6},
      {cowcalf::kTransfersOut, 2, false, CellDialog::None, 0},
      {cowcalf::kTransfersIn, 6, false, CellDialog::TransfersIn, 4},
      {cowcalf::kSales, 0, false, CellDialog::None, 0},
  };
  for (const Case& c : cowCalf) {
    const CellRule rule = gridCellRule(f.farm, herd, c.row, c.column, false);
    EXPECT_EQ(rule.typeable, c.typeable) << c.row << "," << c.column;
    EXPECT_EQ(rule.dialog, c.dialog) << c.row << "," << c.column;
    EXPECT_EQ(rule.dialogArgument, c.argument) << c.row << "," << c.column;
  }
  EXPECT_EQ(gridCellRule(f.farm, herd, cowcalf::kTransfersOut, 1, false).background, (Rgb{0, 0, 0}));
  EXPECT_EQ(gridCellRule(f.farm, herd, cowcalf::kTransfersOut, 2, false).background, (Rgb{192, 192, 192}));
  EXPECT_EQ(gridCellRule(f.farm, herd, cowcalf::kSales, 1, true).background, (Rgb{0, 0, 255}));
  EXPECT_EQ(gridCellRule(f.farm, herd, cowcalf::kSales, 1, false).background, (Rgb{255, 255, 255}));
  EXPECT_FALSE(gridCellRule(f.farm, herd, cowcalf::kSales, 0, false).background.has_value());

  const MemTable& group = f.table("memfeeders1");
  for (int row = 0; row < feeders::kRowCount; ++row)
    for (int column = 1; column < 4; ++column)
      EXPECT_EQ(gridCellRule(f.farm, group, row, column, false).typeable,
                row == feeders::kDeaths && column == feeders::kFeedersColumn);
  const CellRule sales = gridCellRule(f.farm, group, feeders::kSales, 1, false);
  EXPECT_EQ(sales.dialog, CellDialog::InventoryLines);
  EXPECT_EQ(sales.dialogArgument, 3);
  EXPECT_EQ(gridCellRule(f.farm, group, feeders::kTransfersOut, 1, false).dialog, CellDialog::FeederTransfersOut);
  EXPECT_EQ(gridCellRule(f.farm, group, feeders::kTransfersIn, 1, false).dialog, CellDialog::TransfersIn);
  EXPECT_EQ(gridCellRule(f.farm, group, feeders::kSales, 2, false).dialog, CellDialog::None);
  EXPECT_THROW(f.type("memfeeders1", feeders::kSales, "Feeders", "5"), Error);
  EXPECT_FALSE(allowsLineInsertAndDelete(group));
  EXPECT_EQ(fixedColumnCount(herd), 1);
}

// ---------------------------------------------------------------------------
// Feeders: inventory lines and reconciliation
// ---------------------------------------------------------------------------

InventoryLine line(int head, double lbs, std::optional<double> pricePerHead = std::nullopt) {
  InventoryLine l;
  l.description = "lot";
  l.numHead = head;
  l.lbsPerHead = lbs;
  l.pricePerHead = pricePerHead;
  return l;
}

TEST(FeederSheet, InventoryLinesWriteTheirTotals) {
  RuledFarm f(livestockFarm());
  applyInventoryLines(f.farm, "feeders1", kPurchases, {line(100, 550), line(50, 600)});
  EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kPurchases, "Feeders"), 150);
  EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kPurchases, "Lbsperhead"), 567);
  EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kPurchases, "LbsTotal"), 85000);
  EXPECT_EQ(loadInventoryLines(f.farm, "feeders1", kPurchases).size(), 2u);

  struct PriceCase {
    double secondPrice;
    double expected;
  };
  for (PriceCase c : {PriceCase{1101, 1050}, PriceCase{1103, 1052}}) {
    applyInventoryLines(f.farm, "feeders1", kBeginningInventory, {line(10, 500, 1000), line(10, 500, c.secondPrice)});
    EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kPrice, "Feeders"), c.expected);
  }
  EXPECT_EQ(loadInventoryLines(f.farm, "feeders1", kBeginningInventory).size(), 2u);  // replaced, not added

  applyInventoryLines(f.farm, "feeders1", kBeginningInventory, {});
  for (const char* column : {"Feeders", "Lbsperhead", "LbsTotal"})
    EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kBeginning, column), 0);
  EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kPrice, "Feeders"), 0);
  EXPECT_TRUE(loadInventoryLines(f.farm, "feeders1", kBeginningInventory).empty());
  EXPECT_EQ(loadInventoryLines(f.farm, "feeders1", kPurchases).size(), 2u);
  EXPECT_EQ(inventoryDialogTitle(f.farm, "feeders1", kSales), "Sales for Growers");
  EXPECT_THROW(applyInventoryLines(f.farm, "cowcalf1", kSales, {}), Error);
  EXPECT_THROW(applyInventoryLines(f.farm, "feeders1", 5, {}), Error);
}

TEST(FeederSheet, DialogPricesFollowTheLastEditedCell) {
  InventoryLine l;
  l.lbsPerHead = 550;
  l.pricePerHead = 1250;
  inventoryLineChanged(l, InventoryColumn::PricePerHead);
  EXPECT_DOUBLE_EQ(*l.pricePerLb, 2.27);
  l.lbsPerHead = 600;
  inventoryLineChanged(l, InventoryColumn::LbsPerHead);
  EXPECT_DOUBLE_EQ(*l.pricePerHead, 1362.00);

  // A price per head typed before the weight survives the weight.
  InventoryLine priceFirst;
  priceFirst.pricePerHead = 1000;
  inventoryLineChanged(priceFirst, InventoryColumn::PricePerHead);
  priceFirst.lbsPerHead = 500;
  inventoryLineChanged(priceFirst, InventoryColumn::LbsPerHead);
  EXPECT_DOUBLE_EQ(*priceFirst.pricePerHead, 1000);
  EXPECT_DOUBLE_EQ(*priceFirst.pricePerLb, 2);

  InventoryLine light;
  light.lbsPerHead = 0.05;
  light.pricePerHead = 10;
  inventoryLineChanged(light, InventoryColumn::PricePerHead);
  EXPECT_FALSE(light.pricePerLb.has_value());
}

TEST(FeederSheet, ReconciliationNotes) {
  RuledFarm f(livestockFarm());
  applyInventoryLines(f.farm, "feeders1", kBeginningInventory, {line(200, 500, 900)});
  applyInventoryLines(f.farm, "feeders1", kPurchases, {line(50, 500)});
  applyInventoryLines(f.farm, "feeders1", kSales, {line(150, 900)});
  f.type("memfeeders1", feeders::kDeaths, "Feeders", "3");
  auto notes = f.rules->feederNotes("feeders1");
  EXPECT_EQ(notes.lines, std::vector<std::string>{
                             "No ending inventory entered. Current calculated ending inventory is 97"});
  EXPECT_FALSE(notes.warning);

  applyInventoryLines(f.farm, "feeders1", kEndingInventory, {line(97, 800, 1200)});
  f.rules->reconcileFeederInventory("feeders1");
  notes = f.rules->feederNotes("feeders1");
  EXPECT_EQ(notes.lines,
            std::vector<std::string>{"The ending inventory and the calculated ending inventory are the same."});

  applyInventoryLines(f.farm, "feeders1", kEndingInventory, {line(95, 800, 1200)});
  f.rules->reconcileFeederInventory("feeders1");
  notes = f.rules->feederNotes("feeders1");
  EXPECT_TRUE(notes.warning);
  EXPECT_EQ(notes.lines, (std::vector<std::string>{
                             "The ending inventory and the calculated ending inventory are NOT the same.  ",
                             "The calculated ending inventory is 97.", "A difference of 2 animals.  Re-check your figures"}));
}

}  // namespace
}  // namespace rb
