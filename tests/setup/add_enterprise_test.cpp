#include <gtest/gtest.h>

#include "files/farm_file_writer.h"
#include "setup/add_enterprise.h"
#include "setup/allocation_columns.h"
#include "setup/setup_checks.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

using testing::allocationColumns;
using testing::cell;
using testing::columnNames;
using testing::expectConsistentAfterReload;
using testing::FarmSpec;
using testing::makeFarm;
using testing::put;
using Strings = std::vector<std::string>;

std::vector<std::string> registryIds(const Farm& farm) {
  Strings ids;
  for (const EnterpriseRow& row : farm.enterprises()) ids.push_back(row.id);
  return ids;
}

FarmSpec twoHerdFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.feeders = {"Backgrounders"};
  farmSpec.forage = {{"Hay", {"Alfalfa"}}};
  farmSpec.pasture = {"Home Quarter", "River Lease"};
  farmSpec.other = {"Hay Sales"};
  return farmSpec;
}

TEST(AddEnterprise, NewHerdGoesAfterTheLastHerdInEveryTable) {
  Farm farm;
  makeFarm(farm, twoHerdFarm());
  // Existing lines keep their values, long descriptions and entry order.
  MemTable& revenue = farm.table("memRevenue");
  testing::appendLine(revenue, {{"Description", std::string("Steer calves sold at fall auction")},
                                {"Dollars", 900.0}, {"cowcalf2", 1.0}, {"other1", 3.0}});
  testing::appendLine(revenue, {{"Description", std::string("Bred heifers")}, {"Dollars", 1500.0}, {"cowcalf1", 2.0}});
  revenue.SortOnFields("Dollars", true, true);

  const std::string id = saveNewEnterprise(farm, "cowcalf", "Spring Herd", {});

  EXPECT_EQ(id, "cowcalf3");
  EXPECT_EQ(registryIds(farm), (Strings{"cowcalf1", "cowcalf2", "cowcalf3", "feeders1", "forage1", "pasture1",
                                        "pasture2", "aftermath1", "other1"}));
  EXPECT_EQ(farm.LabelOf("cowcalf3"), "Spring Herd");
  EXPECT_EQ(farm.enterpriseTable("cowcalf3").RecordCount(), 10);
  EXPECT_EQ(farm.enterpriseTable("cowcalf3").StringAt(9, 0), "Ending Price");

  const Strings everyEnterprise = {"cowcalf1", "cowcalf2", "cowcalf3", "feeders1", "forage1",
                                   "pasture1", "pasture2", "aftermath1", "other1"};
  const Strings livestockAndOther = {"cowcalf1", "cowcalf2", "cowcalf3", "feeders1", "other1"};
  for (const char* ledger : {"memRevenue", "memExpenses", "memMachinery", "memBuildings", "memAcRec", "memAcPay",
                             "memSupplyInv", "memUnpaid"})
    EXPECT_EQ(allocationColumns(farm.table(ledger)), everyEnterprise) << ledger;
  for (const char* table : {"memPurchFeedInv", "memCropAlloc", "memaftermath1", "mempasture1", "mempasture2"})
    EXPECT_EQ(allocationColumns(farm.table(table)), livestockAndOther) << table;
  EXPECT_EQ(columnNames(farm.table("memCropAlloc")),
            (Strings{"Enterprise", "Crop", "Alloc", "Dollars", "Feed", "Bedding", "cowcalf1", "cowcalf2", "cowcalf3",
                     "feeders1", "other1"}));
  EXPECT_EQ(farm.table("mempasture1").FieldByName("cowcalf3").DisplayLabel(), "Spring Herd");
  EXPECT_EQ(farm.table("memRevenue").FieldByName("cowcalf3").DisplayLabel(), " Spring~ Herd");

  // Still sorted by dollars, values where they were, the new column empty.
  EXPECT_EQ(revenue.StringAt(0, 0), "Bred heifers");
  EXPECT_EQ(revenue.StringAt(1, 0), "Steer calves sold at fall");  // cut to the column's 25 characters
  EXPECT_EQ(std::get<double>(cell(revenue, 1, "cowcalf2")), 1.0);
  EXPECT_EQ(std::get<double>(cell(revenue, 1, "other1")), 3.0);
  EXPECT_TRUE(isNull(cell(revenue, 1, "cowcalf3")));
  revenue.SortOnFields("", true, false);
  EXPECT_EQ(revenue.StringAt(0, 0), "Steer calves sold at fall") << "entry order survives the rebuild";
  expectConsistentAfterReload(farm);
}

TEST(AddEnterprise, CropNamesArePackedAndShortOnesSkipped) {
  Farm farm;
  makeFarm(farm, twoHerdFarm());
  const std::string id = saveNewEnterprise(farm, "grain", "Cereals", {"Barley", "", "Oats", "Wh"});

  EXPECT_EQ(id, "grain1");
  const std::vector<EnterpriseRow> rows = farm.enterprises();
  const auto grain = std::find_if(rows.begin(), rows.end(), [](const EnterpriseRow& r) { return r.id == "grain1"; });
  ASSERT_NE(grain, rows.end());
  EXPECT_EQ(grain->crops, (Strings{"Barley", "Oats"}));
  const MemTable& sheet = farm.enterpriseTable("grain1");
  ASSERT_EQ(sheet.RecordCount(), 11);
  EXPECT_EQ(sheet.StringAt(0, 0), "Barley");
  EXPECT_EQ(sheet.StringAt(3, 1), "Transfers Out");
  EXPECT_TRUE(isNull(sheet.ValueAt(5, 0)) && isNull(sheet.ValueAt(5, 1)));
  EXPECT_EQ(sheet.StringAt(6, 0), "Oats");
  // A grain enterprise gets a purchased-feed column but no grazing columns.
  EXPECT_GE(farm.table("memPurchFeedInv").FieldIndex("grain1"), 0);
  EXPECT_LT(farm.table("memCropAlloc").FieldIndex("grain1"), 0);
  expectConsistentAfterReload(farm);
}

TEST(AddEnterprise, NewPastureAllocatesToHerdsAndOtherEnterprises) {
  Farm farm;
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.other = {"Hay Sales"};
  makeFarm(farm, farmSpec);
  saveNewEnterprise(farm, "pasture", "North Lease", {});
  EXPECT_EQ(allocationColumns(farm.table("mempasture1")), (Strings{"cowcalf1", "cowcalf2", "other1"}));
  EXPECT_EQ(farm.table("mempasture1").FieldByName("NumAnimals").DisplayLabel(), "# of~Animals");
  expectConsistentAfterReload(farm);
}

TEST(AddEnterprise, ColumnAlreadyInATableIsReusedNotDoubled) {
  Farm farm;
  makeFarm(farm, twoHerdFarm());
  // A stray column left behind for an enterprise that no longer exists.
  addAllocationColumn(farm, farm.table("memaftermath1"), "cowcalf3", "Old Herd");
  MemTable& aftermath = farm.table("memaftermath1");
  testing::appendLine(aftermath, {{"Description", std::string("Stubble")}, {"cowcalf3", 4.0}});

  saveNewEnterprise(farm, "cowcalf", "Spring Herd", {});
  EXPECT_EQ(allocationColumns(aftermath), (Strings{"cowcalf1", "cowcalf2", "cowcalf3", "feeders1", "other1"}));
  EXPECT_TRUE(isNull(cell(aftermath, 0, "cowcalf3"))) << "a new enterprise starts without shares";
  EXPECT_EQ(aftermath.FieldByName("cowcalf3").DisplayLabel(), "Spring Herd");
  expectConsistentAfterReload(farm);
}

TEST(AddEnterprise, NewColumnGoesBeforeTheFirstColumnOfALaterKind) {
  Farm farm;
  makeFarm(farm, twoHerdFarm());
  // A stray column of the same kind with a higher number does not move the
  // new column ahead of it: only a later kind does.
  MemTable& aftermath = farm.table("memaftermath1");
  addAllocationColumn(farm, aftermath, "cowcalf4", "Gone");
  ASSERT_EQ(allocationColumns(aftermath), (Strings{"cowcalf1", "cowcalf2", "cowcalf4", "feeders1", "other1"}));
  addAllocationColumn(farm, aftermath, "cowcalf3", "Spring Herd");
  EXPECT_EQ(allocationColumns(aftermath), (Strings{"cowcalf1", "cowcalf2", "cowcalf4", "cowcalf3", "feeders1", "other1"}));
  addAllocationColumn(farm, aftermath, "other2", "Custom");
  EXPECT_EQ(allocationColumns(aftermath).back(), "other2");
}

TEST(AddEnterprise, KindsOfferedStopAtFive) {
  Farm farm;
  FarmSpec farmSpec;
  farmSpec.feeders = {"A1", "A2", "A3", "A4", "A5"};
  makeFarm(farm, farmSpec);
  Strings offered;
  for (const SetupChoice& choice : kindsOfferedForNewEnterprise(farm)) offered.push_back(choice.value);
  EXPECT_EQ(offered, (Strings{"cowcalf", "forage", "pasture", "grain", "straw", "other"}));
  EXPECT_THROW(saveNewEnterprise(farm, "feeders", "Sixth", {}), Error);
  EXPECT_THROW(saveNewEnterprise(farm, "aftermath", "Second", {}), Error);
}

TEST(AddEnterprise, RefusalsCarryTheWizardMessagesAndChangeNothing) {
  struct Case {
    const char* kind;
    const char* label;
    Strings crops;
    const char* message;
  };
  const Case cases[] = {
      {"cowcalf", "He", {}, "Use at least 3 letters for an enterprise name (min 3 chars)"},
      {"grain", "Cereals", {}, "You must provide at least one crop name (min 3 chars)."},
      {"grain", "Cereals", {"Ba", "Barley"}, "You must provide at least one crop name (min 3 chars)."},
      {"aftermath", "Stubble", {}, "You must select an enterprise"},
      {"", "Nothing", {}, "You must select an enterprise"},
  };
  for (const Case& c : cases) {
    Farm farm;
    makeFarm(farm, twoHerdFarm());
    const std::string before = farmFileText(farm);  // compared whole below
    try {
      saveNewEnterprise(farm, c.kind, c.label, c.crops);
      ADD_FAILURE() << c.kind << " " << c.label << " was accepted";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), c.message) << c.kind << " " << c.label;
    }
    EXPECT_TRUE(farmFileText(farm) == before) << "the refused " << c.kind << " changed the farm";
  }
}

TEST(AddEnterprise, LongNamesAreCutToTwelveCharacters) {
  Farm farm;
  makeFarm(farm, twoHerdFarm());
  const std::string id = saveNewEnterprise(farm, "straw", "Straw from the back forty", {"Barley straw bales"});
  EXPECT_EQ(farm.LabelOf(id), "Straw from t");
  EXPECT_EQ(farm.enterprises().at(6).crops, (Strings{"Barley straw"}));
  expectConsistentAfterReload(farm);
}

TEST(AddCrops, EightCropsTakeExactlyOneMoreAndNineAreNotOffered) {
  Farm farm;
  FarmSpec farmSpec;
  farmSpec.forage = {{"Hay", {"C1a", "C2a", "C3a", "C4a", "C5a", "C6a", "C7a", "C8a"}}};
  makeFarm(farm, farmSpec);
  ASSERT_EQ(enterprisesOfferedForCrops(farm).size(), 1u);
  EXPECT_THROW(saveAddedCrops(farm, "forage1", {"Clover", "Brome"}), Error);
  EXPECT_EQ(saveAddedCrops(farm, "forage1", {"Clover"}), 1);
  EXPECT_EQ(farm.enterprises().at(0).crops.back(), "Clover");
  EXPECT_EQ(farm.enterpriseTable("forage1").RecordCount(), 9 * 6 - 1);
  EXPECT_TRUE(enterprisesOfferedForCrops(farm).empty());
  EXPECT_THROW(saveAddedCrops(farm, "forage1", {"Rye"}), Error);
  expectConsistentAfterReload(farm);
}

TEST(AddCrops, ShortNamesAreIgnoredSilently) {
  Farm farm;
  makeFarm(farm, twoHerdFarm());
  EXPECT_EQ(saveAddedCrops(farm, "forage1", {"Ti", "", "Timothy"}), 1);
  EXPECT_EQ(farm.enterprises().at(3).crops, (Strings{"Alfalfa", "Timothy"}));
  EXPECT_THROW(saveAddedCrops(farm, "pasture1", {"Clover"}), Error);
  expectConsistentAfterReload(farm);
}

TEST(AddEnterpriseWizard, StepsAndCropEditsFollowTheMode) {
  Farm farm;
  FarmSpec farmSpec;
  farmSpec.grain = {{"Cereals", {"Barley", "Oats"}}};
  makeFarm(farm, farmSpec);

  AddEnterpriseWizard adding(farm, AddEnterpriseWizard::Mode::AddEnterprise);
  EXPECT_EQ(adding.caption(), "Add a New Enterprise");
  EXPECT_EQ(adding.stepText(), "Step 1: Choose the type of enterprise you wish to add");
  EXPECT_THROW(adding.next(-1), Error);
  EXPECT_THROW(adding.next(7), Error);
  ASSERT_EQ(adding.choices().at(4).value, "grain");
  adding.next(4);
  EXPECT_EQ(adding.prompt(), "Choose a name for your enterprise ( grain)");
  EXPECT_TRUE(adding.cropNoticeVisible());
  EXPECT_EQ(adding.save(farm, "Feed Grain", {"Wheat"}), "grain2");

  AddEnterpriseWizard crops(farm, AddEnterpriseWizard::Mode::AddCrops);
  EXPECT_EQ(crops.helpTopic(), 400);
  crops.next(0);
  EXPECT_EQ(crops.prompt(), "Add additional crops to enterprise: Cereals");
  EXPECT_FALSE(crops.cropNoticeVisible());
  EXPECT_EQ(crops.cropEdits()[1].text, "Oats");
  EXPECT_FALSE(crops.cropEdits()[1].enabled);
  EXPECT_TRUE(crops.cropEdits()[2].enabled);
  crops.save(farm, "", {"ignored", "ignored", "Rye"});
  EXPECT_EQ(farm.enterprises().at(0).crops, (Strings{"Barley", "Oats", "Rye"}));
  expectConsistentAfterReload(farm);
}

}  // namespace
}  // namespace rb
