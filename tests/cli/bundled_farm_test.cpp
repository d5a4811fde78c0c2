// The farm the program opens at start-up is rebuilt by a script from the
// program's own operations; the committed file must be what the script makes,
// and its reports must show only the two gaps left in it on purpose.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "support/farm_fixtures.h"

namespace rb {
namespace {

struct Output {
  int exitCode = -1;
  std::string text;
};

Output runShell(const std::string& command) {
  Output output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return output;
  std::array<char, 4096> buffer{};
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.text.append(buffer.data(), count);
  const int status = ::pclose(pipe);
  output.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return output;
}

const std::string kBundledFarm = std::string(RB_SOURCE_DIR) + "/data/ranchbook.rbd";

TEST(BundledFarm, TheScriptRebuildsTheCommittedFile) {
  const std::string rebuilt = testing::temporaryPath("bundled.rbd");
  const Output run = runShell(std::string("'") + RB_SOURCE_DIR + "/scripts/make-bundled-farm.sh' '" + RB_CLI_PATH +
                              "' '" + rebuilt + "' 2>&1");
  ASSERT_EQ(run.exitCode, 0) << run.text;
  EXPECT_EQ(testing::readFile(rebuilt), testing::readFile(kBundledFarm))
      << "data/ranchbook.rbd is out of date: run scripts/make-bundled-farm.sh";
}

TEST(BundledFarm, EveryReportRunsAndOnlyTheDeliberateGapsAreFound) {
  const Output check = runShell(std::string("'") + RB_CLI_PATH + "' check '" + kBundledFarm + "'");
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.text,
            "Allocation missing in Revenue, line item: Program payment,  $6500.00    \n"
            "Allocation missing in Expenses, line item: Accounting fees,  $2800.00    \n");
  for (const char* kind : {"livestock", "crop", "pasture", "other", "farm", "winners", "transfers"}) {
    const Output report = runShell(std::string("'") + RB_CLI_PATH + "' report " + kind + " '" + kBundledFarm + "'");
    EXPECT_EQ(report.exitCode, 0) << kind;
    const bool hasData = report.text.find("\"enterprises\": [\n    {") != std::string::npos ||
                         report.text.find("\"rows\": [\n    {") != std::string::npos;
    EXPECT_TRUE(hasData) << kind << " shows nothing:\n" << report.text;
  }
}

}  // namespace
}  // namespace rb
