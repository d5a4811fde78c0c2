#include <gtest/gtest.h>

#include <functional>

#include "setup/allocation_columns.h"
#include "setup/farm_structure.h"
#include "setup/table_surgery.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

// The check the setup tests lean on must see the faults they guard against.
TEST(FarmStructure, FindsMissingStrayAndMisplacedColumns) {
  testing::FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.pasture = {"Home Quarter"};
  farmSpec.grain = {{"Cereals", {"Barley"}}};
  const struct {
    const char* fault;
    std::function<void(Farm&)> make;
    const char* reported;
  } cases[] = {
      {"none", [](Farm&) {}, ""},
      {"missing", [](Farm& f) { removeAllocationColumn(f, f.table("memExpenses"), "grain1"); },
       "memExpenses has no column for grain1"},
      {"stray", [](Farm& f) { addAllocationColumn(f, f.table("mempasture1"), "grain1", "Cereals"); },
       "mempasture1 has a column grain1 for no enterprise it allocates to"},
      {"misplaced",
       [](Farm& f) {
         MemTable& revenue = f.table("memRevenue");
         std::vector<ColumnPlan> plan = currentColumns(revenue);
         std::swap(plan[3], plan[4]);
         rebuildColumns(f, revenue, plan);
       },
       "memRevenue: column cowcalf1 is out of registry order"},
      {"label", [](Farm& f) { f.labels().set(kCowCalf, 2, "Old name"); }, "label table: cowcalf2"},
      {"crop rows", [](Farm& f) { appendCropBlock(f.enterpriseTable("grain1"), "Oats"); },
       "memgrain1 has 11 rows, its enterprise needs 5"},
  };
  for (const auto& c : cases) {
    Farm farm;
    testing::makeFarm(farm, farmSpec);
    c.make(farm);
    std::string found;
    for (const std::string& line : structuralProblems(farm)) found += line + "\n";
    if (std::string(c.reported).empty())
      EXPECT_EQ(found, "") << c.fault;
    else
      EXPECT_NE(found.find(c.reported), std::string::npos) << c.fault << ":\n" << found;
  }
}

}  // namespace
}  // namespace rb
