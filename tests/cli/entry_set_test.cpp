#include <gtest/gtest.h>

#include <filesystem>

#include "cli/entry_cli_support.h"

namespace rb {
namespace {

using namespace rb::testing;

TEST(CliSet, TypedCellsRunTheRules) {
  const std::string in = farmFile(entryFarm(), "set-in.rbd");
  const std::string out = temporaryPath("set-out.rbd");
  const CliResult result = runCli({"set", in, out, "memMachinery:+:CurrentValue=10000",
                                   "memmachinery:1:deprtype=Power machinery", "memcowcalf1:1:Heifercalves=40",
                                   "memcowcalf1:4:Heifercalves=5", "memcowcalf1:5:Heifercalves=1",
                                   "memcowcalf1:6:Heifercalves=20", "mempasture1:+:NumAnimals=10",
                                   "mempasture1:1:AUE=1", "mempasture1:1:NumDays=44", "memforage1:1:NumUnits=1000",
                                   "memforage1:1:Units=bales", "memforage1:1:LbsPerUnit=1200",
                                   "memRevenue:+:Description=Calves: a=b"});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const LoadedFarm farm(out);
  EXPECT_DOUBLE_EQ(farm.number("memMachinery", 0, "DeprYear"), 800);
  EXPECT_DOUBLE_EQ(farm.number("memcowcalf1", 8, "Heifercalves"), 24);
  EXPECT_DOUBLE_EQ(farm.number("mempasture1", 0, "TotalAums"), 15);
  EXPECT_DOUBLE_EQ(farm.number("memforage1", 0, "TotalTonnes"), 544.31);
  EXPECT_DOUBLE_EQ(farm.number("memforage1", 4, "NumUnits"), 1000);
  EXPECT_EQ(farm.text("memRevenue", 0, "Description"), "Calves: a=b");
}

TEST(CliSet, RefusedCellsWriteNothing) {
  const std::string in = farmFile(entryFarm(), "refuse-in.rbd");
  const std::string out = temporaryPath("refuse-out.rbd");
  struct Case {
    const char* cell;
    int exitCode;
    const char* named;
  };
  const Case cases[] = {
      {"memAcPay:+:Change=5", 2, "memAcPay:1:Change"},
      {"memExpenses:+:Category=Groceries", 2, "memExpenses:1:Category"},
      {"memfeeders1:5:Feeders=3", 2, "memfeeders1:5:Feeders"},
      {"memforage1:6:NumUnits=3", 2, "memforage1:6:NumUnits"},
      {"memforage1:4:NumUnits=3", 2, "memforage1:4:NumUnits"},
      {"memcowcalf1:1:Description=x", 2, "memcowcalf1:1:Description"},
      {"memcowcalf1:11:bulls=1", 2, "memcowcalf1:11"},
      {"memcowcalf1:+:bulls=1", 2, "memcowcalf1"},
      {"memcowcalf1:1:nosuch=1", 2, "nosuch"},
      {"memcowcalf1:1:bulls=1.5", 2, "is not a valid integer value"},
      {"memcowcalf3:1:bulls=1", 2, "memcowcalf3"},
      {"memTransfer:+:NumHead=1", 2, "memTransfer"},
      {"memInfo:1:Name=x", 2, "memInfo"},
      {"memcowcalf1:1:bulls", 1, "TABLE:ROW:COLUMN=VALUE"},
  };
  for (const Case& c : cases) {
    const CliResult result = runCli({"set", in, out, "memcowcalf1:1:bulls=3", c.cell});
    EXPECT_EQ(result.exitCode, c.exitCode) << c.cell << "\n" << result.output;
    EXPECT_NE(result.output.find(c.named), std::string::npos) << c.cell << "\n" << result.output;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.cell;
  }
}

TEST(CliSet, AnEmptyValueEmptiesTheCell) {
  const std::string in = farmFile(entryFarm(), "empty-in.rbd");
  const std::string mid = temporaryPath("empty-mid.rbd");
  const std::string out = temporaryPath("empty-out.rbd");
  ASSERT_EQ(runCli({"set", in, mid, "memUnpaid:+:Hours=10", "memUnpaid:1:DPerHour=20"}).exitCode, 0);
  ASSERT_EQ(runCli({"set", mid, out, "memUnpaid:1:DPerHour="}).exitCode, 0);
  const LoadedFarm farm(out);
  EXPECT_TRUE(isNull(farm.farm.table("memUnpaid").ValueAt(0, 2)));
  EXPECT_DOUBLE_EQ(farm.number("memUnpaid", 0, "TotDollars"), 0);
}

}  // namespace
}  // namespace rb
