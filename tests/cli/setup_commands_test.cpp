// ranchbook-cli add-enterprise, add-crops and rollover, run as a user runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "setup/farm_structure.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

using testing::readFile;
using testing::temporaryPath;
using Words = std::vector<std::string>;

struct CliRun {
  int exitCode = -1;
  std::string errors;
};

std::string quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

CliRun runCli(const Words& words) {
  const std::string errorPath = temporaryPath("stderr.txt");
  std::string command = quoted(RB_CLI_PATH);
  for (const std::string& word : words) command += " " + quoted(word);
  command += " >/dev/null 2>" + quoted(errorPath);
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(errorPath)};
}

// A saved farm: two herds (the first with 40 cows on hand), a grain
// enterprise with two crops and a pasture.
std::string ranchFile(const std::string& name) {
  testing::FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.grain = {{"Cereals", {"Barley", "Oats"}}};
  farmSpec.pasture = {"Home Quarter"};
  Farm farm;
  testing::makeFarm(farm, farmSpec);
  MemTable& herd = farm.enterpriseTable("cowcalf1");
  herd.First();
  herd.MoveBy(8);
  herd.Edit();
  herd.FieldByName("cowsbredheifers").SetAsInteger(40);
  herd.Post();
  const std::string path = temporaryPath(name);
  SaveFarmFile(farm, path);
  return path;
}

// The written farm loads back and is consistent.
std::vector<EnterpriseRow> loadConsistent(const std::string& path) {
  Farm farm;
  LoadFarmFile(farm, path);
  EXPECT_TRUE(structuralProblems(farm).empty()) << structuralProblems(farm).front();
  return farm.enterprises();
}

TEST(SetupCommands, WriteAConsistentFarmAndLeaveTheInputAlone) {
  const std::string file = ranchFile("ranch.rbd");
  const std::string original = readFile(file);
  const std::string added = temporaryPath("added.rbd");
  const std::string cropped = temporaryPath("cropped.rbd");
  const std::string rolled = temporaryPath("rolled.rbd");

  EXPECT_EQ(runCli({"add-enterprise", file, added, "cowcalf", "Spring Herd"}).exitCode, 0);
  EXPECT_EQ(loadConsistent(added).at(2).id, "cowcalf3");
  EXPECT_EQ(runCli({"add-enterprise", added, added, "straw", "Straw", "--crop", "Oat Straw"}).exitCode, 0);
  EXPECT_EQ(runCli({"add-crops", added, cropped, "grain1", "Wheat", "Rye"}).exitCode, 0);
  EXPECT_EQ(loadConsistent(cropped).at(4).crops, (Words{"Barley", "Oats", "Wheat", "Rye"}));
  const CliRun rollover = runCli({"rollover", cropped, rolled, "--drop", "cowcalf2", "--drop-crop", "grain1:1",
                               "--keep", "revenues,machinery", "--year-end", "31-01-2027"});
  EXPECT_EQ(rollover.exitCode, 0) << rollover.errors;
  const std::vector<EnterpriseRow> rows = loadConsistent(rolled);
  EXPECT_EQ(rows.at(1).label, "Spring Herd");
  EXPECT_EQ(rows.at(3).id, "grain1");
  EXPECT_EQ(rows.at(3).crops, (Words{"Oats", "Wheat", "Rye"}));
  EXPECT_NE(readFile(rolled).find("<COL>31-01-2027</COL>"), std::string::npos);
  EXPECT_EQ(readFile(file), original);
}

TEST(SetupCommands, RefusalsNameTheirCauseAndWriteNothing) {
  const std::string file = ranchFile("refused.rbd");
  const std::string original = readFile(file);
  const struct {
    Words words;
    int exitCode;
    const char* says;
  } cases[] = {
      {{"add-enterprise", "cowcalf", "He"}, 2, "Use at least 3 letters for an enterprise name (min 3 chars)"},
      {{"add-enterprise", "grain", "Feed Grain", "--crop", "Ry"}, 2, "You must provide at least one crop name"},
      {{"add-enterprise", "aftermath", "Stubble"}, 2, "You must select an enterprise"},
      {{"add-enterprise", "horses", "Trail Rides"}, 1, "unknown kind \"horses\""},
      {{"add-enterprise", "cowcalf", "Spring Herd", "--crop", "Oats"}, 1, "--crop"},
      {{"add-crops", "pasture1", "Clover"}, 2, "pasture1 (Home Quarter)"},
      {{"add-crops", "grain7", "Clover"}, 2, "grain7"},
      {{"rollover", "--drop", "cowcalf1"}, 2, "cowcalf1 (Home Herd)"},
      {{"rollover", "--drop", "cowcalf9"}, 2, "cowcalf9"},
      {{"rollover", "--drop-crop", "grain1:3"}, 2, "grain1 (Cereals) has no crop 3"},
      {{"rollover", "--drop-crop", "grain1"}, 1, "--drop-crop"},
      {{"rollover", "--keep", "revenue"}, 1, "--keep"},
      {{"rollover", "--year-end", "31-02-2027"}, 1, "--year-end"},
  };
  for (const auto& c : cases) {
    const std::string out = temporaryPath("refused-out.rbd");
    Words words = {c.words[0], file, out};
    words.insert(words.end(), c.words.begin() + 1, c.words.end());
    const CliRun run = runCli(words);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.words[0] << " " << c.words[1] << ": " << run.errors;
    EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.words[0] << " " << c.words[1];
  }
  const CliRun preset = runCli({"rollover", file, temporaryPath("Change This.rbd")});
  EXPECT_EQ(preset.exitCode, 2);
  EXPECT_NE(preset.errors.find("File not saved! Invalid filename"), std::string::npos);
  EXPECT_EQ(runCli({"rollover", file, file}).exitCode, 1);
  EXPECT_EQ(readFile(file), original);
}

}  // namespace
}  // namespace rb
