#pragma once
// Running the built ranchbook-cli on farm files made by the test fixtures.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "model/farm_data_sets.h"
#include "support/farm_fixtures.h"

namespace rb::testing {

struct CliResult {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

inline std::string shellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline CliResult runCli(const std::vector<std::string>& words) {
  std::string command = shellQuoted(RB_CLI_PATH);
  for (const std::string& word : words) command += " " + shellQuoted(word);
  command += " 2>&1";
  CliResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, read);
  const int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A farm file made from a FarmSpec fixture, saved by the program's writer.
inline std::string farmFile(const FarmSpec& farmSpec, const std::string& name) {
  Farm farm;
  makeFarm(farm, farmSpec);
  const std::string path = temporaryPath(name);
  SaveFarmFile(farm, path);
  return path;
}

inline FarmSpec entryFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.feeders = {"Growers", "Finishers"};
  farmSpec.forage = {{"Hay", {"Alfalfa", "Timothy"}}};
  farmSpec.straw = {{"Straw", {"Barley Straw"}}};
  farmSpec.pasture = {"Home Quarter"};
  return farmSpec;
}

// Reads an output farm file back.
struct LoadedFarm {
  Farm farm;
  explicit LoadedFarm(const std::string& path) { LoadFarmFile(farm, path); }
  double number(const std::string& table, int row, const std::string& column) const {
    const MemTable& t = farm.table(table);
    return t.FloatAt(row, t.FieldIndex(column));
  }
  std::string text(const std::string& table, int row, const std::string& column) const {
    const MemTable& t = farm.table(table);
    return t.StringAt(row, t.FieldIndex(column));
  }
  int rows(const std::string& table) const { return farm.table(table).RecordCount(); }
};

}  // namespace rb::testing
