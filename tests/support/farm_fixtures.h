#pragma once
// Small farms for tests, made the way a user makes them: a configuration
// written by the configuration writer and loaded as the new farm.
#include <initializer_list>
#include <string>
#include <vector>

#include "model/farm_data_sets.h"

namespace rb::testing {

struct CropEnterprise {
  std::string name;
  std::vector<std::string> crops;
};

struct FarmSpec {
  std::vector<std::string> cowcalf, feeders, pasture, other;
  std::vector<CropEnterprise> forage, grain, straw;
  std::string name = "Test Farm";
  std::string business;  // left empty unless a test names one
  std::string yearEnd = "31-12-2026";
};

// The configuration file's text for the farmSpec.
std::string configurationText(const FarmSpec& farmSpec);
// Loads that configuration into the farm, as File > New does.
void makeFarm(Farm& farm, const FarmSpec& farmSpec);

// A file in a fresh temporary folder, removed with the folder at exit.
std::string temporaryPath(const std::string& name);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace rb::testing
