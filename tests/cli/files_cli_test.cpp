// dump, save and new, run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_run.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

using testing::CliRun;

CliRun runCli(const std::string& arguments) { return testing::runCliLine(arguments); }

std::string q(const std::string& path) { return "'" + path + "'"; }

const std::string kConfiguration = R"({
  "info": {"business": "Willow Creek", "fiscalyearend": "31-12-2026"},
  "cowcalf": ["Home Herd", "", "H", "Heifers"],
  "forage": [{"name": "Hay", "crops": ["Alfalfa", "Timothy"]}],
  "pasture": ["Home Quarter"]
})";

class FilesCli : public ::testing::Test {
 protected:
  void SetUp() override {
    config = testing::temporaryPath("config.json");
    testing::writeFile(config, kConfiguration);
    farm = testing::temporaryPath("farm.rbd");
    ASSERT_EQ(runCli("new " + q(farm) + " --config " + q(config)).exitCode, 0);
  }
  std::string config;
  std::string farm;
};

TEST_F(FilesCli, NewMakesTheFarmTheConfigurationDescribes) {
  const CliRun dump = runCli("dump " + q(farm));
  ASSERT_EQ(dump.exitCode, 0) << dump.err;
  const nlohmann::json json = nlohmann::json::parse(dump.out);
  const auto& master = json["tables"]["memMaster"];
  ASSERT_EQ(master["rows"].size(), 5u);
  std::vector<std::string> ids;
  for (const auto& row : master["rows"]) ids.push_back(row[3].get<std::string>());
  EXPECT_EQ(ids, (std::vector<std::string>{"cowcalf1", "cowcalf2", "forage1", "pasture1", "aftermath1"}));
  EXPECT_EQ(master["rows"][1][4], "Heifers") << "empty and one-letter entries are skipped";
  EXPECT_EQ(json["tables"]["memInfo"]["rows"][0][5], "Willow Creek");
  EXPECT_EQ(json["order"][0], "memInfo");
  EXPECT_EQ(json["tables"]["memcowcalf1"]["dataset"], "Home Herd");
  EXPECT_EQ(json["tables"]["memRevenue"]["columns"][3]["title"], " Home~ Herd");
  EXPECT_TRUE(json["tables"]["memRevenue"]["rows"].empty());
}

TEST_F(FilesCli, SaveIsByteIdenticalAndDumpCanWriteAFile) {
  const std::string copy = testing::temporaryPath("copy.rbd");
  ASSERT_EQ(runCli("save " + q(farm) + " " + q(copy)).exitCode, 0);
  EXPECT_EQ(testing::readFile(copy), testing::readFile(farm));

  const std::string json = testing::temporaryPath("dump.json");
  const CliRun dump = runCli("dump " + q(farm) + " --out " + q(json));
  EXPECT_EQ(dump.exitCode, 0);
  EXPECT_TRUE(dump.out.empty());
  EXPECT_TRUE(nlohmann::json::accept(testing::readFile(json)));
}

TEST_F(FilesCli, ExitCodesAndMessages) {
  const std::string broken = testing::temporaryPath("broken.rbd");
  testing::writeFile(broken, "this is no farm");
  const std::string tooMany = testing::temporaryPath("too-many.json");
  testing::writeFile(tooMany, R"({"other": ["a1", "b1", "c1", "d1", "e1", "f1"]})");
  const std::string missing = testing::temporaryPath("missing.rbd");
  struct Case {
    std::string arguments;
    int exitCode;
    std::string message;
  };
  for (const Case& c : std::vector<Case>{
           {"", 1, "usage"},
           {"frobnicate", 1, "unknown command"},
           {"dump", 1, "usage"},
           {"save " + q(farm), 1, "usage"},
           {"new " + q(missing) + " --config " + q(tooMany), 1, "other"},
           {"dump " + q(missing), 2, missing},
           {"dump " + q(broken), 2, broken},
           {"save " + q(farm) + " " + q(testing::temporaryPath("no-folder/out.rbd")), 2, "no-folder"},
       }) {
    const CliRun run = runCli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(missing)) << "a refused configuration writes nothing";
}

}  // namespace
}  // namespace rb
