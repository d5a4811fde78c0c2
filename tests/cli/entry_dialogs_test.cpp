#include <gtest/gtest.h>

#include <filesystem>

#include "cli/entry_cli_support.h"

namespace rb {
namespace {

using namespace rb::testing;

TEST(CliInventory, LinesAndTotals) {
  const std::string in = farmFile(entryFarm(), "inv-in.rbd");
  const std::string mid = temporaryPath("inv-mid.rbd");
  const std::string out = temporaryPath("inv-out.rbd");
  CliResult result = runCli({"inventory", in, mid, "feeders1", "beginning", "Steers|10|500|1000", "Heifers|10|500||2.203"});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  result = runCli({"inventory", mid, out, "feeders1", "purchases", "Steers|100|550", "Heifers|50|600"});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const LoadedFarm farm(out);
  EXPECT_DOUBLE_EQ(farm.number("memfeeders1", 2, "Feeders"), 150);
  EXPECT_DOUBLE_EQ(farm.number("memfeeders1", 2, "Lbsperhead"), 567);
  EXPECT_DOUBLE_EQ(farm.number("memfeeders1", 2, "LbsTotal"), 85000);
  ASSERT_EQ(farm.rows("memInventory"), 4);
  // A price per head alone gives the price per lb and the other way round.
  EXPECT_DOUBLE_EQ(farm.number("memInventory", 0, "PricePerLB"), 2);
  EXPECT_DOUBLE_EQ(farm.number("memInventory", 1, "PricePerHead"), 1101.5);
  EXPECT_DOUBLE_EQ(farm.number("memfeeders1", 1, "Feeders"), 1051);  // 1,050.75

  const std::string cleared = temporaryPath("inv-cleared.rbd");
  ASSERT_EQ(runCli({"inventory", out, cleared, "feeders1", "beginning"}).exitCode, 0);
  const LoadedFarm after(cleared);
  EXPECT_EQ(after.rows("memInventory"), 2);
  EXPECT_DOUBLE_EQ(after.number("memfeeders1", 0, "Feeders"), 0);
  EXPECT_DOUBLE_EQ(after.number("memfeeders1", 1, "Feeders"), 0);
}

TEST(CliInventory, Refusals) {
  const std::string in = farmFile(entryFarm(), "invbad-in.rbd");
  const std::string out = temporaryPath("invbad-out.rbd");
  struct Case {
    std::vector<std::string> words;
    int exitCode;
  };
  const Case cases[] = {
      {{"feeders1", "sales", "Steers|10|500|1000"}, 2},
      {{"cowcalf1", "sales"}, 2},
      {{"feeders3", "sales"}, 2},
      {{"feeders1", "sales", "Steers|ten"}, 2},
      {{"feeders1", "weaned"}, 1},
      {{"feeders1", "sales", "a|1|2|3|4|5"}, 1},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words = {"inventory", in, out};
    words.insert(words.end(), c.words.begin(), c.words.end());
    const CliResult result = runCli(words);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

TEST(CliTransfer, LinesReachBothSheets) {
  const std::string in = farmFile(entryFarm(), "tr-in.rbd");
  const std::string mid = temporaryPath("tr-mid.rbd");
  const std::string out = temporaryPath("tr-out.rbd");
  ASSERT_EQ(runCli({"set", in, mid, "memcowcalf1:1:Heifercalves=40"}).exitCode, 0);
  const CliResult result =
      runCli({"transfer", mid, out, "cowcalf1", "2", "cowcalf1|4||10|600||1.5", "feeders2|0|To finish|5|550|990"});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const LoadedFarm farm(out);
  EXPECT_DOUBLE_EQ(farm.number("memcowcalf1", 7, "Heifercalves"), 15);
  EXPECT_DOUBLE_EQ(farm.number("memcowcalf1", 8, "Heifercalves"), 25);
  EXPECT_DOUBLE_EQ(farm.number("memcowcalf1", 6, "yearlingheifers"), 10);
  EXPECT_DOUBLE_EQ(farm.number("memfeeders2", 5, "Feeders"), 5);
  ASSERT_EQ(farm.rows("memTransfer"), 2);
  EXPECT_EQ(farm.text("memTransfer", 0, "Description"), "Home Herd  [Yearling Heifers]");
  EXPECT_DOUBLE_EQ(farm.number("memTransfer", 0, "PricePerHead"), 900);
  EXPECT_EQ(farm.text("memTransfer", 1, "Description"), "To finish");
  EXPECT_DOUBLE_EQ(farm.number("memTransfer", 1, "PricePerLB"), 1.8);
}

TEST(CliTransfer, NoLinesStoresTheOfferedOnesEmpty) {
  const std::string in = farmFile(entryFarm(), "offer-in.rbd");
  const std::string out = temporaryPath("offer-out.rbd");
  ASSERT_EQ(runCli({"transfer", in, out, "feeders1", "0"}).exitCode, 0);
  const LoadedFarm farm(out);
  ASSERT_EQ(farm.rows("memTransfer"), 9);
  EXPECT_EQ(farm.text("memTransfer", 0, "Description"), "Home Herd  [Yearling Bulls]");
  EXPECT_EQ(farm.text("memTransfer", 8, "Description"), "Finishers  [Feeders]");
  EXPECT_DOUBLE_EQ(farm.number("memfeeders1", 6, "Feeders"), 0);

  const std::string bad = temporaryPath("offer-bad.rbd");
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"cowcalf2", "5", "cowcalf2|5||3"}, {"feeders1", "0", "feeders1|0||3"},
        {"forage1", "0"}, {"cowcalf1", "7"}}) {
    std::vector<std::string> all = {"transfer", in, bad};
    all.insert(all.end(), words.begin(), words.end());
    const CliResult result = runCli(all);
    EXPECT_EQ(result.exitCode, 2) << result.output;
    EXPECT_FALSE(std::filesystem::exists(bad));
  }
}

TEST(CliAllocateCrop, TheTransferRowAndTheAllocationLine) {
  const std::string in = farmFile(entryFarm(), "crop-in.rbd");
  const std::string mid = temporaryPath("crop-mid.rbd");
  const std::string out = temporaryPath("crop-out.rbd");
  ASSERT_EQ(runCli({"set", in, mid, "memstraw1:1:NumUnits=100", "memstraw1:1:LbsPerUnit=1000",
                    "memstraw1:1:PricePerUnit=20"})
                .exitCode,
            0);
  const CliResult result = runCli({"allocate-crop", mid, out, "straw1", "1", "--units", "40", "--unit", "tonnes",
                                   "--feed", "1", "--bedding", "3", "cowcalf1=2", "feeders1=0.5"});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const LoadedFarm farm(out);
  EXPECT_EQ(farm.text("memstraw1", 3, "Units"), "tonnes");
  EXPECT_DOUBLE_EQ(farm.number("memstraw1", 3, "LbsPerUnit"), 2204.62);
  EXPECT_DOUBLE_EQ(farm.number("memstraw1", 3, "TotalTonnes"), 40);
  EXPECT_DOUBLE_EQ(farm.number("memstraw1", 3, "TotalValue"), 800);
  ASSERT_EQ(farm.rows("memCropAlloc"), 1);
  EXPECT_EQ(farm.text("memCropAlloc", 0, "Enterprise"), "straw1");
  EXPECT_DOUBLE_EQ(farm.number("memCropAlloc", 0, "Alloc"), 2.5);
  EXPECT_DOUBLE_EQ(farm.number("memCropAlloc", 0, "Dollars"), 800);
  EXPECT_DOUBLE_EQ(farm.number("memCropAlloc", 0, "Bedding"), 3);

  const std::string bad = temporaryPath("crop-bad.rbd");
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"forage1", "1", "--feed", "1"}, {"forage1", "3"}, {"forage1", "1", "grain1=1"},
        {"forage1", "1", "--unit", "bushels"}, {"cowcalf1", "1"}, {"forage1", "1", "--units", "many"}}) {
    std::vector<std::string> all = {"allocate-crop", mid, bad};
    all.insert(all.end(), words.begin(), words.end());
    const CliResult refused = runCli(all);
    EXPECT_EQ(refused.exitCode, 2) << refused.output;
    EXPECT_FALSE(std::filesystem::exists(bad));
  }
}

}  // namespace
}  // namespace rb
