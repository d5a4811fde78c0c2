// ranchbook-cli export-text: the text export of a farm file, its exit codes
// and its messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "export/text_export.h"
#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "reports/report_fixtures.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

struct CliRun {
  int exitCode;
  std::string errors;
};

CliRun runCli(const std::string& arguments) {
  const std::string errors = testing::temporaryPath("stderr.txt");
  const std::string command = std::string(RB_CLI_PATH) + " " + arguments + " 2>" + errors + " >/dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::readFile(errors)};
}

std::string fromThirdLine(const std::string& text) {
  std::size_t at = 0;
  for (int line = 0; line < 2; ++line) at = text.find("\r\n", at) + 2;
  return text.substr(at);
}

TEST(ExportTextCommand, WritesTheSameExportAsTheWindow) {
  testing::FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.feeders = {"Yearlings"};
  farmSpec.grain = {{"Barley", {"Barley", "Oats"}}};
  Farm farm;
  testing::makeFarm(farm, farmSpec);
  testing::appendRow(farm.table("memExpenses"), {{"Description", std::string("Hay")},
                                                 {"Dollars", 1234.5678},
                                                 {"Category", std::string("Winter feed")},
                                                 {"cowcalf2", 2.0}});
  const std::string file = testing::temporaryPath("farm.rbd");
  SaveFarmFile(farm, file);
  const std::string out = testing::temporaryPath("farm.txt");

  const CliRun run = runCli("export-text " + file + " " + out);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  Farm loaded;
  LoadFarmFile(loaded, file);
  loaded.applyAllTitleSteps();
  const std::string written = testing::readFile(out);
  EXPECT_EQ(fromThirdLine(written), fromThirdLine(textExport(loaded, {file})));
  EXPECT_NE(written.find("FILE: " + file + " Test Farm"), std::string::npos);
  EXPECT_NE(written.find("Hay\t1234.5678\tWinter feed\t"), std::string::npos);
}

TEST(ExportTextCommand, UsageAndFailures) {
  EXPECT_EQ(runCli("export-text").exitCode, 1);
  EXPECT_EQ(runCli("export-text a b c").exitCode, 1);

  const CliRun missing = runCli("export-text " + testing::temporaryPath("none.rbd") + " " +
                             testing::temporaryPath("none.txt"));
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.errors.find("none.rbd"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(testing::temporaryPath("none.txt")));

  Farm farm;
  testing::makeFarm(farm, {});
  const std::string file = testing::temporaryPath("empty.rbd");
  SaveFarmFile(farm, file);
  const std::string unwritable = testing::temporaryPath("no-folder/out.txt");
  const CliRun failed = runCli("export-text " + file + " " + unwritable);
  EXPECT_EQ(failed.exitCode, 2);
  EXPECT_NE(failed.errors.find("Could not open File \"" + unwritable + "\". Bad name, or in use by another application."),
            std::string::npos);
}

}  // namespace
}  // namespace rb
