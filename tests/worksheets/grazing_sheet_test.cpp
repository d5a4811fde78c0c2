#include <gtest/gtest.h>

#include "worksheets/rules_fixture.h"

namespace rb {
namespace {

using testing::FarmSpec;
using testing::RuledFarm;

FarmSpec grazingFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd"};
  farmSpec.pasture = {"Home Quarter"};
  farmSpec.other = {"Hay Sales"};
  return farmSpec;
}

TEST(GrazingSheet, AumsAndValuesRoundHalfToEven) {
  struct Case {
    const char *animals, *aue, *days, *dollars;
    double aums, total;
  };
  const Case cases[] = {
      {"100", "1.2", "150", "25", 600, 15000}, {"10", "1.0", "45", "", 15, 0}, {"10", "1.0", "44", "", 15, 0},
      {"3", "1.0", "25", "", 2, 0},            {"45", "1", "30", "10.50", 45, 472}, {"45", "1", "30", "11.50", 45, 518},
  };
  for (const char* sheet : {"mempasture1", "memaftermath1"}) {
    RuledFarm f(grazingFarm());
    for (const Case& c : cases) {
      const int row = f.appendLine(sheet);
      f.type(sheet, row, "NumAnimals", c.animals);
      f.type(sheet, row, "AUE", c.aue);
      f.type(sheet, row, "NumDays", c.days);
      if (*c.dollars) f.type(sheet, row, "Dollars", c.dollars);
      EXPECT_DOUBLE_EQ(f.number(sheet, row, "TotalAums"), c.aums) << sheet << " " << c.animals << " " << c.days;
      EXPECT_DOUBLE_EQ(f.number(sheet, row, "Total"), c.total) << sheet << " " << c.dollars;
    }
    f.type(sheet, 0, "cowcalf1", "1");
    EXPECT_DOUBLE_EQ(f.number(sheet, 0, "Total"), 15000);
    EXPECT_THROW(f.type(sheet, 0, "TotalAums", "5"), Error);
    EXPECT_THROW(f.type(sheet, 0, "Total", "5"), Error);
  }
}

TEST(OtherSheet, ChangeInValue) {
  RuledFarm f(grazingFarm());
  const int row = f.appendLine("memother1");
  f.type("memother1", row, "BegQuantity", "20");
  f.type("memother1", row, "BegPrice", "50");
  f.type("memother1", row, "EndQuantity", "25");
  f.type("memother1", row, "EndPrice", "48");
  EXPECT_DOUBLE_EQ(f.number("memother1", row, "Change"), 200);
  EXPECT_THROW(f.type("memother1", row, "Change", "1"), Error);
  EXPECT_DOUBLE_EQ(f.number("memother1", row, "Change"), 200);
}

}  // namespace
}  // namespace rb
