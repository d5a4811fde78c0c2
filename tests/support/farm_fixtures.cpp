#include "support/farm_fixtures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/farm_file_reader.h"
#include "setup/configuration_writer.h"

namespace rb::testing {

namespace {

void fillNames(ConfigurationWriter& config, int kind, const std::vector<std::string>& names) {
  MemTable& table = config.entryTable(kind);
  table.First();
  for (const std::string& name : names) {
    table.Edit();
    table.FieldByName("Enterprise").SetAsString(name);
    table.Post();
    table.Next();
  }
}

void fillCrops(ConfigurationWriter& config, int kind, const std::vector<CropEnterprise>& entries) {
  MemTable& table = config.entryTable(kind);
  table.First();
  for (const CropEnterprise& entry : entries) {
    table.Edit();
    table.FieldByName("Enterprise").SetAsString(entry.name);
    for (std::size_t k = 0; k < entry.crops.size(); ++k)
      table.FieldByName("Crop" + std::to_string(k + 1)).SetAsString(entry.crops[k]);
    table.Post();
    table.Next();
  }
}

}  // namespace

std::string configurationText(const FarmSpec& farmSpec) {
  Farm templates;
  ConfigurationWriter config;
  MemTable& info = config.infoTable();
  info.First();
  info.Edit();
  info.FieldByName("Name").SetAsString(farmSpec.name);
  if (!farmSpec.business.empty()) info.FieldByName("business").SetAsString(farmSpec.business);
  info.FieldByName("fiscalyearend").SetAsString(farmSpec.yearEnd);
  info.Post();
  fillNames(config, kCowCalf, farmSpec.cowcalf);
  fillNames(config, kFeeders, farmSpec.feeders);
  fillCrops(config, kForage, farmSpec.forage);
  fillNames(config, kPasture, farmSpec.pasture);
  fillCrops(config, kGrain, farmSpec.grain);
  fillCrops(config, kStraw, farmSpec.straw);
  fillNames(config, kOther, farmSpec.other);
  config.buildRegistry();
  return config.configurationText(templates);
}

void makeFarm(Farm& farm, const FarmSpec& farmSpec) { loadFarmText(farm, configurationText(farmSpec), "test.rbd"); }

std::string temporaryPath(const std::string& name) {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "ranchbook-test-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    std::filesystem::path path = made ? made : pattern;
    static struct Cleanup {
      std::filesystem::path path;
      ~Cleanup() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
      }
    } cleanup{path};
    return path;
  }();
  return (folder / name).string();
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

}  // namespace rb::testing
