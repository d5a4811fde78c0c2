// Reports written to files by the command line, and the Herd Planner workbook.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_run.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

int runCliStatus(const std::string& arguments) { return testing::runCliLine(arguments).exitCode; }

const std::string kFarm = std::string("'") + RB_SOURCE_DIR + "/data/ranchbook.rbd'";

TEST(ReportOutputCli, EveryFormatWritesItsKindOfFile) {
  struct Case {
    const char* format;
    const char* written;  // file name after the stem
    std::string magic;
  };
  for (const Case& c : {Case{"pdf", "", "%PDF"}, Case{"png", "-1.png", "\x89PNG"},
                        Case{"html", "-1.html", "<"}, Case{"xhtml", "-1.xhtml", "<"}, Case{"rtf", "", "{\\rtf"},
                        Case{"xlsx", "", "PK"}, Case{"xls", "", "\xD0\xCF\x11\xE0"}}) {
    const std::string stem = testing::temporaryPath(std::string("farm-report-") + c.format);
    ASSERT_EQ(runCliStatus(std::string("report farm ") + kFarm + " --format " + c.format + " --out '" + stem + "'"), 0)
        << c.format;
    const std::string bytes = testing::readFile(stem + c.written);
    EXPECT_TRUE(bytes.starts_with(c.magic)) << c.format;
  }
}

TEST(ReportOutputCli, HerdPlannerWritesTheWorkbookForACowCalfHerdOnly) {
  const std::string folder = testing::temporaryPath("herd-planner/new-folder");
  ASSERT_EQ(runCliStatus("herd-planner " + kFarm + " cowcalf1 '" + folder + "'"), 0);
  EXPECT_TRUE(testing::readFile(folder + "/inputbudg.xls").starts_with("\xD0\xCF\x11\xE0"));

  EXPECT_EQ(runCliStatus("herd-planner " + kFarm + " feeders1 '" + folder + "'"), 1);
  EXPECT_EQ(runCliStatus("herd-planner " + kFarm + " cowcalf4 '" + folder + "'"), 1);
  EXPECT_EQ(runCliStatus("report farm " + kFarm + " --format pdf"), 1) << "a file format needs --out";
  EXPECT_EQ(runCliStatus("report farm " + kFarm + " --format pdf --out /no-such-folder/farm.pdf"), 2);
}

}  // namespace
}  // namespace rb
