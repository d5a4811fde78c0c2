#include <gtest/gtest.h>

#include "worksheets/crop_allocation.h"
#include "worksheets/rules_fixture.h"
#include "worksheets/worksheet_layout.h"

namespace rb {
namespace {

using testing::FarmSpec;
using testing::RuledFarm;

FarmSpec cropFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd"};
  farmSpec.feeders = {"Growers"};
  farmSpec.forage = {{"Hay", {"Alfalfa", "Timothy"}}};
  farmSpec.grain = {{"Barley", {"Barley"}}};
  farmSpec.straw = {{"Straw", {"Barley Straw"}}};
  return farmSpec;
}

constexpr int kBeginning = 0, kProduction = 1, kSales = 2, kTransfersOut = 3, kEnding = 4;

TEST(CropSheet, TheHayBlock) {
  RuledFarm f(cropFarm());
  f.type("memforage1", kBeginning, "NumUnits", "1000");
  f.type("memforage1", kBeginning, "Units", "bales");
  f.type("memforage1", kBeginning, "LbsPerUnit", "1200");
  f.type("memforage1", kBeginning, "PricePerUnit", "60");
  f.type("memforage1", kProduction, "NumUnits", "2500");
  f.type("memforage1", kSales, "NumUnits", "500");
  f.rules->setCropAllocationOpen(true);
  MemTable& sheet = f.table("memforage1");
  sheet.First();
  sheet.MoveBy(kTransfersOut);
  sheet.Edit();
  sheet.FieldByName("NumUnits").SetAsInteger(1800);
  sheet.Post();
  f.rules->setCropAllocationOpen(false);

  struct Expected {
    int row;
    double tonnes;
  };
  for (Expected e : {Expected{kBeginning, 544.31}, Expected{kProduction, 1360.78}, Expected{kSales, 272.16},
                     Expected{kTransfersOut, 979.76}, Expected{kEnding, 653.17}}) {
    EXPECT_DOUBLE_EQ(f.number("memforage1", e.row, "TotalTonnes"), e.tonnes) << e.row;
    EXPECT_EQ(f.text("memforage1", e.row, "Units"), "bales") << e.row;
    EXPECT_DOUBLE_EQ(f.number("memforage1", e.row, "LbsPerUnit"), 1200) << e.row;
  }
  EXPECT_DOUBLE_EQ(f.number("memforage1", kBeginning, "TotalValue"), 60000);
  EXPECT_DOUBLE_EQ(f.number("memforage1", kEnding, "NumUnits"), 1200);
  EXPECT_DOUBLE_EQ(f.number("memforage1", kEnding, "PricePerUnit"), 60);
  EXPECT_DOUBLE_EQ(f.number("memforage1", kEnding, "TotalValue"), 72000);
  // The transfer takes the block price, and its value with it.
  EXPECT_DOUBLE_EQ(f.number("memforage1", kTransfersOut, "PricePerUnit"), 60);
  EXPECT_DOUBLE_EQ(f.number("memforage1", kTransfersOut, "TotalValue"), 108000);
  // The second crop's block is untouched.
  EXPECT_TRUE(f.isEmpty("memforage1", 6 + kEnding, "TotalTonnes"));
}

TEST(CropSheet, UnitPresetsAndAnEndingWithoutWeight) {
  RuledFarm f(cropFarm());
  const int second = 6;  // the Timothy block, after its separator row
  f.type("memforage1", second + kBeginning, "NumUnits", "10");
  f.type("memforage1", second + kBeginning, "Units", "tonnes");
  EXPECT_DOUBLE_EQ(f.number("memforage1", second + kBeginning, "LbsPerUnit"), 2204.62);
  EXPECT_DOUBLE_EQ(f.number("memforage1", second + kBeginning, "TotalTonnes"), 10.00);
  EXPECT_DOUBLE_EQ(f.number("memforage1", second + kEnding, "NumUnits"), 10);
  f.type("memforage1", second + kBeginning, "Units", "tons");
  EXPECT_DOUBLE_EQ(f.number("memforage1", second + kBeginning, "LbsPerUnit"), 2000);
  f.type("memforage1", second + kBeginning, "Units", "bales");
  EXPECT_DOUBLE_EQ(f.number("memforage1", second + kBeginning, "LbsPerUnit"), 2000);  // bales keep the weight
  f.type("memforage1", second + kEnding, "LbsPerUnit", "0");
  EXPECT_TRUE(f.isEmpty("memforage1", second + kEnding, "NumUnits"));
  EXPECT_TRUE(f.isEmpty("memforage1", kEnding, "TotalTonnes"));  // the first block is another crop
}

TEST(CropSheet, UnitsOfTransfersOutComeOnlyFromThePopUp) {
  RuledFarm f(cropFarm());
  EXPECT_THROW(f.type("memgrain1", kTransfersOut, "Units", "bushels"), Error);
  MemTable& sheet = f.table("memgrain1");
  auto pickUnit = [&] {
    sheet.First();
    sheet.MoveBy(kTransfersOut);
    sheet.Edit();
    sheet.FieldByName("Units").SetAsString("bushels");
    PostIfEditing(sheet);
  };
  pickUnit();
  EXPECT_TRUE(f.isEmpty("memgrain1", kTransfersOut, "Units"));
  f.rules->setCropAllocationOpen(true);
  pickUnit();
  EXPECT_EQ(f.text("memgrain1", kTransfersOut, "Units"), "bushels");
}

TEST(CropGrid, CellRules) {
  RuledFarm f(cropFarm());
  const MemTable& hay = f.table("memforage1");
  EXPECT_FALSE(gridCellRule(f.farm, hay, 5, 2, false).typeable);
  EXPECT_EQ(gridCellRule(f.farm, hay, 5, 2, false).background, (Rgb{0, 128, 128}));
  EXPECT_EQ(gridCellRule(f.farm, f.table("memstraw1"), kSales, 5, false).background, (Rgb{192, 192, 192}));
  const CellRule transfer = gridCellRule(f.farm, hay, 6 + kTransfersOut, 2, false);
  EXPECT_EQ(transfer.dialog, CellDialog::CropAllocation);
  EXPECT_EQ(transfer.dialogArgument, 2);
  EXPECT_TRUE(transfer.keyOpensDialog);
  EXPECT_FALSE(transfer.typeable);
  EXPECT_EQ(transfer.background, (Rgb{0, 0, 0}));
  EXPECT_TRUE(gridCellRule(f.farm, hay, kEnding, 5, false).typeable);
  EXPECT_FALSE(gridCellRule(f.farm, hay, kEnding, 2, false).typeable);
  EXPECT_FALSE(gridCellRule(f.farm, hay, kBeginning, 6, false).typeable);
  EXPECT_EQ(*gridCellRule(f.farm, f.table("memgrain1"), kBeginning, 3, false).pickList,
            (std::vector<std::string>{"bushels", "tons", "tonnes", "lbs"}));
  EXPECT_THROW(f.type("memforage1", kBeginning, "Units", "bushels"), Error);
  EXPECT_EQ(fixedColumnCount(hay), 2);
}

TEST(CropAllocation, FindRowAndTheClosingStep) {
  RuledFarm f(cropFarm());
  MemTable& alloc = f.table("memCropAlloc");
  findRow("straw1", 1, alloc);
  findRow("forage1", 2, alloc);
  findRow("straw1", 1, alloc);
  ASSERT_EQ(alloc.RecordCount(), 2);
  EXPECT_EQ(alloc.RecNo(), 1);
  EXPECT_DOUBLE_EQ(alloc.FloatAt(1, alloc.FieldIndex("Crop")), 2);

  f.type("memstraw1", kBeginning, "NumUnits", "100");
  f.type("memstraw1", kBeginning, "LbsPerUnit", "1000");
  f.type("memstraw1", kBeginning, "PricePerUnit", "20");
  MemTable& sheet = f.table("memstraw1");
  f.rules->setCropAllocationOpen(true);
  sheet.First();
  sheet.MoveBy(kTransfersOut);
  sheet.Edit();
  sheet.FieldByName("NumUnits").SetAsInteger(40);
  sheet.Post();
  alloc.First();
  alloc.Edit();
  alloc.FieldByName("Feed").SetAsFloat(1);
  alloc.FieldByName("Bedding").SetAsFloat(3);
  alloc.FieldByName("cowcalf1").SetAsFloat(2);
  alloc.FieldByName("feeders1").SetAsFloat(0.5);
  alloc.Post();
  closeCropAllocation(f.farm, "straw1");
  f.rules->setCropAllocationOpen(false);
  EXPECT_DOUBLE_EQ(alloc.FloatAt(0, alloc.FieldIndex("Alloc")), 2.5);
  EXPECT_DOUBLE_EQ(alloc.FloatAt(0, alloc.FieldIndex("Dollars")), 800);
  EXPECT_DOUBLE_EQ(alloc.FloatAt(0, alloc.FieldIndex("Feed")), 1);
  EXPECT_DOUBLE_EQ(alloc.FloatAt(0, alloc.FieldIndex("Bedding")), 3);
  EXPECT_EQ(cropAllocationTitle(sheet, kTransfersOut), "Allocate Barley Straw");
}

TEST(CropCalculator, DividesByTheCalculatorsOwnTonne) {
  EXPECT_EQ(cropUnitPrice("150", "1200"), "81.65");
  EXPECT_EQ(cropUnitPrice("abc", "1200"), "ERROR");
  EXPECT_EQ(cropUnitPrice("150", ""), "ERROR");
}

}  // namespace
}  // namespace rb
