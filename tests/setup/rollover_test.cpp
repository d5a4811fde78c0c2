#include <gtest/gtest.h>

#include "files/farm_file_writer.h"
#include "setup/rollover.h"
#include "setup/setup_checks.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

using testing::allocationColumns;
using testing::appendLine;
using testing::cell;
using testing::expectConsistentAfterReload;
using testing::FarmSpec;
using testing::makeFarm;
using testing::put;
using Strings = std::vector<std::string>;

// Worksheet rows (0-based) of a cow-calf and a feeder sheet.
constexpr int kCowEnding = 8, kCowEndingPrice = 9, kFeederEnding = 7;

FarmSpec ranch() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers", "Fall Herd"};
  farmSpec.feeders = {"Steers", "Heifer Feed", "Calves", "Yearlings"};
  farmSpec.forage = {{"Hay", {"Alfalfa", "Timothy"}}, {"Greenfeed", {"Oat Hay"}}};
  farmSpec.pasture = {"Home Quarter"};
  farmSpec.grain = {{"Cereals", {"Barley", "Oats", "Wheat"}}};
  farmSpec.other = {"Hay Sales"};
  farmSpec.yearEnd = "29-02-2024";
  return farmSpec;
}

Strings registryIds(const Farm& farm) {
  Strings ids;
  for (const EnterpriseRow& row : farm.enterprises()) ids.push_back(row.id + "=" + row.label);
  return ids;
}

const EnterpriseRow& enterprise(const std::vector<EnterpriseRow>& rows, const std::string& id) {
  for (const EnterpriseRow& row : rows)
    if (row.id == id) return row;
  throw Error("no " + id);
}

double number(const MemTable& table, int row, const std::string& column) {
  const Value value = cell(table, row, column);
  if (auto* i = std::get_if<std::int32_t>(&value)) return *i;
  return std::get<double>(value);
}

void expectEmptyFrom(const MemTable& table, int firstColumn, const std::vector<int>& rowsWithValues,
                     const std::string& what) {
  for (int row = 0; row < table.RecordCount(); ++row) {
    if (std::find(rowsWithValues.begin(), rowsWithValues.end(), row) != rowsWithValues.end()) continue;
    for (int column = firstColumn; column < table.FieldCount(); ++column)
      EXPECT_TRUE(isNull(table.ValueAt(row, column))) << what << " row " << row + 1 << " column " << column + 1;
  }
}

TEST(Rollover, LockedHerdCarriesItsEndingInventoryAndCannotBeDropped) {
  Farm farm;
  makeFarm(farm, ranch());
  MemTable& herd = farm.enterpriseTable("cowcalf1");
  put(herd, kCowEnding, "cowsbredheifers", std::int32_t{40});
  put(herd, kCowEndingPrice, "cowsbredheifers", std::int32_t{1450});
  put(herd, 2, "bullsteercalves", std::int32_t{18});  // live births
  put(herd, 5, "bsweights", 550.0);                   // sales

  RolloverWizard wizard(farm);
  EXPECT_EQ(wizard.tree().state(0), RolloverTree::kLocked);
  EXPECT_FALSE(wizard.tree().doubleClick(0));
  const std::string before = farmFileText(farm);  // compared whole below
  try {
    runRollover(farm, {{"cowcalf1"}, {}, {}, {}});
    ADD_FAILURE() << "a locked herd was dropped";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("cowcalf1 (Home Herd)"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(farmFileText(farm) == before) << "the refused rollover changed the farm";

  runRollover(farm, {});
  EXPECT_EQ(number(herd, 0, "cowsbredheifers"), 40);
  EXPECT_EQ(number(herd, 1, "cowsbredheifers"), 1450);
  expectEmptyFrom(herd, 1, {0, 1}, "herd");
  for (int column = 1; column < 8; ++column) EXPECT_TRUE(isNull(herd.ValueAt(0, column)));
  EXPECT_EQ(herd.StringAt(kCowEnding, 0), "Ending Inv.");
  expectConsistentAfterReload(farm);
}

TEST(Rollover, DroppingTheMiddleHerdMovesTheLastOneDown) {
  Farm farm;
  makeFarm(farm, ranch());
  appendLine(farm.table("memRevenue"), {{"Description", std::string("Calves")}, {"Dollars", 100.0},
                                        {"cowcalf1", 1.0}, {"cowcalf2", 2.0}, {"cowcalf3", 3.0}});
  appendLine(farm.table("memMachinery"), {{"Description", std::string("Tractor")}, {"cowcalf3", 5.0}});
  put(farm.enterpriseTable("cowcalf3"), kCowEnding, "bulls", std::int32_t{7});

  runRollover(farm, {{"cowcalf2"}, {}, {true, false, true, false}, {}});

  EXPECT_EQ(registryIds(farm)[1], "cowcalf2=Fall Herd");
  EXPECT_EQ(registryIds(farm)[2], "feeders1=Steers");
  EXPECT_EQ(farm.LabelOf("cowcalf2"), "Fall Herd");
  EXPECT_EQ(farm.labels().at(kCowCalf, 3), "");
  EXPECT_EQ(number(farm.table("memRevenue"), 0, "cowcalf2"), 3.0);
  EXPECT_EQ(number(farm.table("memMachinery"), 0, "cowcalf2"), 5.0);
  EXPECT_EQ(number(farm.enterpriseTable("cowcalf2"), 0, "bulls"), 7);
  for (const char* table : {"memRevenue", "memExpenses", "memMachinery", "memBuildings", "memAcRec", "memAcPay",
                            "memSupplyInv", "memPurchFeedInv", "memUnpaid", "memCropAlloc", "mempasture1",
                            "memaftermath1"})
    EXPECT_LT(farm.table(table).FieldIndex("cowcalf3"), 0) << table;
  expectConsistentAfterReload(farm);
}

TEST(Rollover, DroppingTwoFeederGroupsMovesTheFourthToSecondWithItsInventoryLines) {
  Farm farm;
  makeFarm(farm, ranch());
  put(farm.enterpriseTable("feeders4"), kFeederEnding, "Feeders", std::int32_t{60});
  put(farm.enterpriseTable("feeders4"), kFeederEnding, "Lbsperhead", 850.0);
  MemTable& inventory = farm.table("memInventory");
  appendLine(inventory, {{"Enterprise", std::string("feeders4")}, {"TransferType", std::int32_t{4}},
                         {"Description", std::string("Yearling steers")}, {"NumHead", std::int32_t{60}}});
  appendLine(inventory, {{"Enterprise", std::string("Feeders4")}, {"TransferType", std::int32_t{1}},
                         {"Description", std::string("Bought in")}, {"NumHead", std::int32_t{55}}});
  appendLine(inventory, {{"Enterprise", std::string("feeders1")}, {"TransferType", std::int32_t{4}},
                         {"Description", std::string("Unlocked group")}, {"NumHead", std::int32_t{3}}});

  runRollover(farm, {{"feeders2", "feeders3"}, {}, {}, {}});

  const Strings ids = registryIds(farm);
  EXPECT_EQ(Strings(ids.begin() + 3, ids.begin() + 6),
            (Strings{"feeders1=Steers", "feeders2=Yearlings", "forage1=Hay"}));
  EXPECT_EQ(number(farm.enterpriseTable("feeders2"), 0, "Feeders"), 60);
  ASSERT_EQ(inventory.RecordCount(), 1);
  EXPECT_EQ(inventory.StringAt(0, 0), "feeders2");
  EXPECT_EQ(number(inventory, 0, "TransferType"), 1);
  EXPECT_EQ(inventory.StringAt(0, 2), "Yearling steers");
  expectConsistentAfterReload(farm);
}

TEST(Rollover, DroppingACropClosesUpTheBlocksAndTheNames) {
  struct Case {
    std::vector<std::pair<std::string, int>> drops;
    Strings crops;
    Strings blockNames;  // crop name of each block's first row
  };
  const Case cases[] = {
      {{{"grain1", 2}}, {"Barley", "Wheat"}, {"Barley", "Wheat"}},
      {{{"grain1", 1}}, {"Oats", "Wheat"}, {"Oats", "Wheat"}},
      {{{"grain1", 3}, {"grain1", 1}}, {"Oats"}, {"Oats"}},
  };
  for (const Case& c : cases) {
    Farm farm;
    makeFarm(farm, ranch());
    MemTable& sheet = farm.enterpriseTable("grain1");
    put(sheet, 6 * 3 - 2, "TotalTonnes", 12.5);  // wheat on hand
    put(sheet, 6 * 3 - 2, "Units", std::string("bu"));
    put(sheet, 7, "TotalValue", 900.0);  // oats production
    const bool wheatKept = c.crops.back() == "Wheat";
    if (!wheatKept) put(sheet, 6 * 3 - 2, "TotalTonnes", Value{});

    runRollover(farm, {{}, c.drops, {}, {}});

    EXPECT_EQ(enterprise(farm.enterprises(), "grain1").crops, c.crops);
    ASSERT_EQ(sheet.RecordCount(), 6 * static_cast<int>(c.crops.size()) - 1);
    for (std::size_t k = 0; k < c.blockNames.size(); ++k) {
      EXPECT_EQ(sheet.StringAt(static_cast<int>(6 * k), 0), c.blockNames[k]);
      if (k > 0) {
        EXPECT_TRUE(isNull(sheet.ValueAt(static_cast<int>(6 * k - 1), 0)));
      }
    }
    EXPECT_EQ(farm.master().StringAt(farm.enterprises().size() - 3, farm.master().FieldIndex("Crop3")), "");
    if (wheatKept) {
      const int wheat = 6 * static_cast<int>(c.crops.size() - 1);
      EXPECT_EQ(number(sheet, wheat, "TotalTonnes"), 12.5);
      EXPECT_EQ(sheet.StringAt(wheat, 3), "bu");
      EXPECT_TRUE(isNull(cell(sheet, wheat + 4, "TotalTonnes")));
    }
    expectConsistentAfterReload(farm);
  }
}

TEST(Rollover, LockedCropCannotBeDropped) {
  Farm farm;
  makeFarm(farm, ranch());
  put(farm.enterpriseTable("grain1"), 6 * 2 - 2, "TotalTonnes", 3.0);
  EXPECT_THROW(runRollover(farm, {{}, {{"grain1", 2}}, {}, {}}), Error);
  EXPECT_THROW(runRollover(farm, {{"grain1"}, {}, {}, {}}), Error);
  EXPECT_THROW(runRollover(farm, {{}, {{"grain1", 4}}, {}, {}}), Error);
  EXPECT_THROW(runRollover(farm, {{"aftermath1"}, {}, {}, {}}), Error);
  EXPECT_THROW(runRollover(farm, {{"cowcalf5"}, {}, {}, {}}), Error);
  EXPECT_EQ(enterprise(farm.enterprises(), "grain1").crops.size(), 3u);
}

TEST(Rollover, DroppingEveryCropDropsTheEnterprise) {
  Farm farm;
  makeFarm(farm, ranch());
  RolloverWizard wizard(farm);
  RolloverTree& tree = wizard.tree();
  // Nodes: 3 herds, 4 feeder groups, then forage1 with its two crops.
  const int hay = 7;
  ASSERT_EQ(tree.nodes()[hay].text, "Hay");
  EXPECT_FALSE(tree.doubleClick(hay)) << "a crop enterprise goes only with its crops";
  EXPECT_TRUE(tree.doubleClick(hay + 1));
  EXPECT_EQ(tree.state(hay), RolloverTree::kIncludeEnterprise);
  EXPECT_TRUE(tree.doubleClick(hay + 2));
  EXPECT_EQ(tree.state(hay), RolloverTree::kExclude);
  EXPECT_TRUE(tree.doubleClick(hay + 2));
  EXPECT_EQ(tree.state(hay), RolloverTree::kIncludeEnterprise);
  EXPECT_EQ(tree.state(hay + 2), RolloverTree::kIncludeCrop);
  tree.doubleClick(hay + 2);
  wizard.finish(farm);
  rolloverFarm(farm, wizard.list(), wizard.keeps);

  const std::vector<EnterpriseRow> rows = farm.enterprises();
  EXPECT_EQ(enterprise(rows, "forage1").label, "Greenfeed");
  EXPECT_EQ(enterprise(rows, "forage1").crops, (Strings{"Oat Hay"}));
  EXPECT_THROW(enterprise(rows, "forage2"), Error);
  expectConsistentAfterReload(farm);
}

TEST(Rollover, FinishNumbersWhatIsKept) {
  Farm farm;
  makeFarm(farm, ranch());
  RolloverWizard wizard(farm);
  RolloverTree& tree = wizard.tree();
  tree.doubleClick(1);   // cowcalf2
  tree.doubleClick(4);   // feeders2
  tree.doubleClick(5);   // feeders3
  tree.doubleClick(15);  // grain1, crop 2
  wizard.finish(farm);

  const MemTable& list = wizard.list();
  std::vector<std::string> marks;
  for (int row = 0; row < list.RecordCount(); ++row) {
    const bool removed = std::get<bool>(cell(list, row, "deleteenterprise")) ||
                         std::get<bool>(cell(list, row, "deletecrop"));
    marks.push_back(list.StringAt(row, 0) + (list.StringAt(row, 4).empty() ? "" : "/" + list.StringAt(row, 4)) + ":" +
                    (removed ? "x" : list.StringAt(row, list.FieldIndex("NewIndex"))));
  }
  EXPECT_EQ(marks, (Strings{"cowcalf1:1", "cowcalf2:x", "cowcalf3:2", "feeders1:1", "feeders2:x", "feeders3:x",
                            "feeders4:2", "forage1:1", "forage1/Alfalfa:1", "forage1/Timothy:2", "forage2:2",
                            "forage2/Oat Hay:1", "pasture1:1", "grain1:1", "grain1/Barley:1", "grain1/Oats:x",
                            "grain1/Wheat:2", "other1:1"}));
}

TEST(Rollover, KeepBoxesDecideWhichAllocationsStay) {
  Farm farm;
  makeFarm(farm, ranch());
  for (const char* ledger : {"memRevenue", "memExpenses"})
    appendLine(farm.table(ledger), {{"Description", std::string("Line")}, {"Dollars", 250.0}, {"cowcalf1", 1.0}});
  appendLine(farm.table("memMachinery"),
             {{"Description", std::string("Baler")}, {"CurrentValue", 20000.0}, {"DeprYear", 1600.0}, {"other1", 1.0}});

  runRollover(farm, {{}, {}, {false, true, false, false}, {}});

  const MemTable& revenue = farm.table("memRevenue");
  const MemTable& expenses = farm.table("memExpenses");
  const MemTable& machinery = farm.table("memMachinery");
  EXPECT_TRUE(isNull(cell(revenue, 0, "cowcalf1")));
  EXPECT_EQ(number(expenses, 0, "cowcalf1"), 1.0);
  EXPECT_TRUE(isNull(cell(revenue, 0, "Dollars")));
  EXPECT_TRUE(isNull(cell(expenses, 0, "Dollars")));
  EXPECT_EQ(revenue.StringAt(0, 0), "Line");
  EXPECT_TRUE(isNull(cell(machinery, 0, "other1")));
  EXPECT_EQ(number(machinery, 0, "CurrentValue"), 20000.0);
  EXPECT_EQ(number(machinery, 0, "DeprYear"), 1600.0);
  expectConsistentAfterReload(farm);
}

TEST(Rollover, EndingBalancesBecomeBeginningBalances) {
  Farm farm;
  makeFarm(farm, ranch());
  appendLine(farm.table("memAcRec"), {{"Description", std::string("Calf sale")}, {"Beginning", 200.0},
                                      {"Ending", 500.0}, {"Change", 300.0}, {"cowcalf1", 1.0}});
  appendLine(farm.table("memSupplyInv"),
             {{"Description", std::string("Fuel")}, {"Beginning", 100.0}, {"Ending", 300.0}, {"Change", -200.0}});
  appendLine(farm.table("memUnpaid"), {{"Description", std::string("Owner")}, {"Hours", 100.0}});
  appendLine(farm.table("memTransfer"), {{"FromEnterprise", std::string("cowcalf1")}});
  appendLine(farm.table("memCropAlloc"), {{"Enterprise", std::string("forage1")}, {"cowcalf1", 1.0}});
  appendLine(farm.enterpriseTable("pasture1"), {{"Description", std::string("Summer")}, {"NumAnimals", std::int32_t{40}}});
  appendLine(farm.enterpriseTable("other1"), {{"Description", std::string("Bales")}, {"EndQuantity", 10.0}});

  runRollover(farm, {});

  const MemTable& receivable = farm.table("memAcRec");
  EXPECT_EQ(number(receivable, 0, "Beginning"), 500.0);
  EXPECT_TRUE(isNull(cell(receivable, 0, "Ending")));
  EXPECT_EQ(number(receivable, 0, "Change"), -500.0);
  EXPECT_TRUE(isNull(cell(receivable, 0, "cowcalf1")));
  EXPECT_EQ(number(farm.table("memSupplyInv"), 0, "Change"), 300.0);
  for (const char* table : {"memUnpaid", "memTransfer", "memCropAlloc", "mempasture1", "memother1"})
    EXPECT_EQ(farm.table(table).RecordCount(), 0) << table;
  EXPECT_EQ(farm.info().StringAt(0, farm.info().FieldIndex("fiscalyearend")), "28-02-2025");
  expectConsistentAfterReload(farm);
}

TEST(Rollover, ProposedYearEndIsTwelveMonthsLater) {
  const CalendarDate now = today();
  const struct {
    const char* stored;
    CalendarDate proposed;
  } cases[] = {
      {"29-02-2024", {2025, 2, 28}},
      {"31-03-2024", {2025, 3, 31}},
      {"12/31/2025", {2026, 12, 31}},
      {"", addTwelveMonths(now)},
      {"not-a-date", addTwelveMonths(now)},
  };
  for (const auto& c : cases) EXPECT_EQ(proposedYearEnd(c.stored), c.proposed) << c.stored;
}

TEST(Rollover, WizardStepsEnableTheirButtons) {
  Farm farm;
  makeFarm(farm, ranch());
  RolloverWizard wizard(farm);
  const auto buttons = [&] {
    return std::to_string(wizard.step()) + (wizard.previousEnabled() ? "P" : "-") + (wizard.nextEnabled() ? "N" : "-") +
           (wizard.finishEnabled() ? "F" : "-");
  };
  Strings seen = {buttons()};
  wizard.next();
  seen.push_back(buttons());
  wizard.next();
  seen.push_back(buttons());
  wizard.previous();
  seen.push_back(buttons());
  wizard.previous();
  seen.push_back(buttons());
  EXPECT_EQ(seen, (Strings{"1-N-", "2PN-", "3P-F", "2PN-", "1-NF"}));
  EXPECT_EQ(wizard.yearEnd, (CalendarDate{2025, 2, 28}));
}

TEST(Rollover, SavingStepRefusesThePresetName) {
  const struct {
    const char* path;
    bool accepted;
  } cases[] = {{"/farms/Smith 2025.rbd", true},
               {"/farms/Change This.rbd", false},
               {"", false},
               {"/Change This/Smith.rbd", true}};
  for (const auto& c : cases) EXPECT_EQ(isAcceptedRolloverPath(c.path), c.accepted) << c.path;
}

}  // namespace
}  // namespace rb
