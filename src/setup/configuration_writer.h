#pragma once
// A new farm starts as a configuration file: the farm information, the
// registry built from the names typed into the configuration window, every
// whole-farm table with its allocation columns but no rows, and one data set
// per enterprise with its fixed rows. The window edits these tables; the CLI
// fills them from a JSON description.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/enterprise_registry.h"
#include "model/mem_table.h"

namespace rb {

class Farm;

class ConfigurationWriter {
 public:
  ConfigurationWriter();

  // Empties the tables: one empty information row, the aftermath row, and
  // five numbered rows in each kind's entry table.
  void prepare();

  MemTable& infoTable() { return info_; }
  // The entry table of a kind (1 to 8; 7 holds the single "Aftermath" row).
  MemTable& entryTable(int kind) { return *entries_.at(static_cast<std::size_t>(kind - 1)); }
  MemTable& masterTable() { return master_; }

  // Appends a registry row for every entry whose name has at least two
  // characters after trimming.
  void buildConfigMaster(MemTable& entryTable, int kind);
  // Builds the registry from every kind in code order.
  void buildRegistry();

  // The configuration file's text, using the farm's worksheet templates.
  std::string configurationText(Farm& farm);
  // Builds the registry and writes the file atomically; throws rb::Error with
  // "Could not create ranchbook$ file ..." when it cannot be created.
  void save(Farm& farm, const std::string& path);

 private:
  MemTable info_;
  std::array<std::unique_ptr<MemTable>, kKindCount> entries_;
  MemTable master_;
  int enterpriseCount_ = 0;
  std::array<int, kKindCount> kindCount_{};
};

// The writer's parts, each appending to `out`.
void writeEnterpriseData(std::string& out, const std::string& name, int rowsPerBlock,
                         const std::vector<std::string>& rowTexts, const MemTable& templateColumns,
                         const std::vector<std::string>& crops);
void writeEmptyDataSet(std::string& out, const std::string& name, const std::vector<std::string>& fixedColumnLines,
                       const std::vector<std::string>& allocationLines);

}  // namespace rb
