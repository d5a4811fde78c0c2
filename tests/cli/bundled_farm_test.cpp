// The farm the program opens at start-up is rebuilt by a script from the
// program's own operations; the committed file must be what the script makes,
// and its reports must show only the two gaps left in it on purpose.
#include <gtest/gtest.h>

#include <string>

#include "cli/cli_run.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

const std::string kBundledFarm = std::string(RB_SOURCE_DIR) + "/data/ranchbook.rbd";

TEST(BundledFarm, TheScriptRebuildsTheCommittedFile) {
  const std::string rebuilt = testing::temporaryPath("bundled.rbd");
  const std::string script = std::string(RB_SOURCE_DIR) + "/scripts/make-bundled-farm.sh";
  const testing::CliRun run =
      testing::runShellLine("'" + script + "' '" + std::string(RB_CLI_PATH) + "' '" + rebuilt + "'");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(testing::readFile(rebuilt), testing::readFile(kBundledFarm))
      << "data/ranchbook.rbd is out of date: run scripts/make-bundled-farm.sh";
}

TEST(BundledFarm, EveryReportRunsAndOnlyTheDeliberateGapsAreFound) {
  const testing::CliRun check = testing::runCliLine("check '" + kBundledFarm + "'");
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.out,
            "Allocation missing in Revenue, line item: Program payment,  $6500.00    \n"
            "Allocation missing in Expenses, line item: Accounting fees,  $2800.00    \n");
  for (const char* kind : {"livestock", "crop", "pasture", "other", "farm", "winners", "transfers"}) {
    const testing::CliRun report = testing::runCliLine(std::string("report ") + kind + " '" + kBundledFarm + "'");
    EXPECT_EQ(report.exitCode, 0) << kind;
    const bool hasData = report.out.find("\"enterprises\": [\n    {") != std::string::npos ||
                         report.out.find("\"rows\": [\n    {") != std::string::npos;
    EXPECT_TRUE(hasData) << kind << " shows nothing:\n" << report.out;
  }
}

}  // namespace
}  // namespace rb
