#include <gtest/gtest.h>

#include "setup/rename.h"
#include "setup/setup_checks.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

using testing::expectConsistentAfterReload;
using testing::FarmSpec;
using testing::makeFarm;
using testing::put;

FarmSpec sixEnterprises() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Cows"};
  farmSpec.feeders = {"Steers"};
  farmSpec.grain = {{"Cereals", {"Barley", "Oats"}}};
  farmSpec.pasture = {"Home Quarter"};
  farmSpec.other = {"Hay Sales"};
  return farmSpec;  // with the configuration's aftermath enterprise, six
}

TEST(Rename, WorkingRowsLeaveOutAftermathAndSaveBackEverythingElse) {
  Farm farm;
  makeFarm(farm, sixEnterprises());
  ASSERT_EQ(farm.enterprises().size(), 6u);
  MemTable rename("memRename");
  buildRenameRows(farm, rename);
  ASSERT_EQ(rename.RecordCount(), 5);
  EXPECT_EQ(rename.StringAt(3, 0), "grain1");
  EXPECT_EQ(rename.StringAt(3, rename.FieldIndex("crop2")), "Oats");

  put(rename, 0, "enterpriseLabel", std::string("Home Herd"));
  put(rename, 3, "crop2", std::string("Feed Oats"));
  put(rename, 4, "enterpriseLabel", std::string("Bale Sales"));
  applyRename(farm, rename);

  const std::vector<EnterpriseRow> rows = farm.enterprises();
  EXPECT_EQ(rows[0].label, "Home Herd");
  EXPECT_EQ(rows[3].crops, (std::vector<std::string>{"Barley", "Feed Oats"}));
  EXPECT_EQ(rows[4].id, "aftermath1");
  EXPECT_EQ(rows[4].label, "Aftermath");
  EXPECT_EQ(rows[5].label, "Bale Sales");
  // The worksheet keeps the crop text its rows were made with.
  EXPECT_EQ(farm.enterpriseTable("grain1").StringAt(6, 0), "Oats");

  EXPECT_EQ(farm.LabelOf("cowcalf1"), "Home Herd");
  EXPECT_EQ(farm.table("memRevenue").FieldByName("cowcalf1").DisplayLabel(), " Home~ Herd");
  EXPECT_EQ(farm.table("mempasture1").FieldByName("cowcalf1").DisplayLabel(), "Home Herd");
  EXPECT_EQ(farm.table("memaftermath1").FieldByName("cowcalf1").DisplayLabel(), "Home Herd");
  EXPECT_EQ(farm.table("mempasture1").FieldByName("other1").DisplayLabel(), "Bale Sales");
  const LabelPropagation spread = labelPropagation(farm);
  EXPECT_EQ(spread.pages.size(), 6u);
  EXPECT_EQ(spread.pages[0].label, "Home Herd");
  expectConsistentAfterReload(farm);
}

TEST(Rename, OnlyTheLabelAndExistingCropsTakeTyping) {
  const struct {
    int gridColumn;
    int cropCount;
    bool editable;
  } cases[] = {{1, 2, false}, {2, 0, true}, {3, 0, false}, {3, 2, true},
               {4, 2, true},  {5, 2, false}, {11, 9, true}, {12, 9, false}};
  for (const auto& c : cases)
    EXPECT_EQ(renameCellEditable(c.gridColumn, c.cropCount), c.editable)
        << "column " << c.gridColumn << " with " << c.cropCount << " crops";
}

TEST(FarmDetails, YearEndRoundTripsThroughThePicker) {
  Farm farm;
  FarmSpec farmSpec = sixEnterprises();
  farmSpec.yearEnd = "31-03-2024";
  makeFarm(farm, farmSpec);
  const int column = farm.info().FieldIndex("fiscalyearend");
  const std::optional<CalendarDate> picked = detailsPickerDate(farm.info().StringAt(0, column));
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(*picked, (CalendarDate{2024, 3, 31}));
  saveFarmDetails(farm, *picked);
  EXPECT_EQ(farm.info().StringAt(0, column), "31-03-2024");
  saveFarmDetails(farm, {2025, 1, 5});
  EXPECT_EQ(farm.info().StringAt(0, column), "05-01-2025");

  EXPECT_FALSE(detailsPickerDate("").has_value());
  EXPECT_FALSE(detailsPickerDate("3-2-24").has_value());
  EXPECT_THROW(detailsPickerDate("thirty-first"), Error);
}

}  // namespace
}  // namespace rb
