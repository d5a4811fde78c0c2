#include "setup/configuration_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/farm_file_reader.h"
#include "model/farm_data_sets.h"
#include "model/values.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

// Types `text` into row `row` (1-based) of the entry table's column.
void typeEntry(MemTable& entries, int row, const std::string& column, const std::string& text) {
  entries.First();
  entries.MoveBy(row - 1);
  entries.Edit();
  entries.FieldByName(column).SetAsString(text);
  entries.Post();
}

std::vector<std::string> registryIds(const Farm& farm) {
  std::vector<std::string> ids;
  for (const EnterpriseRow& row : farm.enterprises()) ids.push_back(row.id + "#" + std::to_string(row.identity));
  return ids;
}

std::string dataSetLine(const std::string& text, const std::string& name) {
  const std::size_t start = text.find("<DATASET NAME=\"" + name + "\"");
  return start == std::string::npos ? "" : text.substr(start, text.find('\r', start) - start);
}

class ConfigurationWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { writer.prepare(); }

  // Writes the configuration and loads it as File > New does.
  std::string writeAndLoad() {
    writer.buildRegistry();
    const std::string text = writer.configurationText(farm);
    loadFarmText(loaded, text, "new.rbd");
    return text;
  }

  Farm farm;
  Farm loaded;
  ConfigurationWriter writer;
};

TEST_F(ConfigurationWriterTest, HerdsAndAHayEnterprise) {
  typeEntry(writer.entryTable(kCowCalf), 1, "Enterprise", "Home Herd");
  typeEntry(writer.entryTable(kCowCalf), 2, "Enterprise", "Heifers");
  typeEntry(writer.entryTable(kForage), 1, "Enterprise", "Hay");
  typeEntry(writer.entryTable(kForage), 1, "Crop1", "Alfalfa");
  typeEntry(writer.entryTable(kForage), 1, "Crop2", "Timothy");
  const std::string text = writeAndLoad();

  EXPECT_EQ(registryIds(loaded), (std::vector<std::string>{"cowcalf1#1", "cowcalf2#2", "forage1#3", "aftermath1#4"}));
  EXPECT_EQ(dataSetLine(text, "Revenue"), "<DATASET NAME=\"Revenue\" attributes=none ROWCOUNT=\"0\" COLCOUNT=\"7\">");
  EXPECT_EQ(dataSetLine(text, "Crop Allocations"),
            "<DATASET NAME=\"Crop Allocations\" attributes=none ROWCOUNT=\"0\" COLCOUNT=\"8\">");
  const MemTable& revenue = loaded.table("memRevenue");
  std::vector<std::string> revenueColumns;
  for (int i = 3; i < revenue.FieldCount(); ++i) revenueColumns.push_back(revenue.FieldAt(i).FieldName());
  EXPECT_EQ(revenueColumns, (std::vector<std::string>{"cowcalf1", "cowcalf2", "forage1", "aftermath1"}));
  const MemTable& allocations = loaded.table("memCropAlloc");
  EXPECT_EQ(allocations.FieldAt(allocations.FieldCount() - 2).FieldName(), "cowcalf1");
  EXPECT_EQ(allocations.FieldAt(allocations.FieldCount() - 1).FieldName(), "cowcalf2");

  // Fixed rows of the worksheets; every other table starts empty.
  EXPECT_EQ(loaded.table("memforage1").RecordCount(), 11);
  EXPECT_EQ(loaded.table("memforage1").StringAt(6, 0), "Timothy");
  EXPECT_EQ(loaded.table("memcowcalf1").RecordCount(), 10);
  EXPECT_EQ(loaded.table("memInfo").RecordCount(), 1);
  for (const char* empty : {"memRevenue", "memExpenses", "memCropAlloc", "memaftermath1", "memInventory"})
    EXPECT_EQ(loaded.table(empty).RecordCount(), 0) << empty;
}

TEST_F(ConfigurationWriterTest, EntriesArePackedAndShortNamesIgnored) {
  typeEntry(writer.entryTable(kCowCalf), 3, "Enterprise", "Main Herd");
  typeEntry(writer.entryTable(kCowCalf), 4, "Enterprise", " X ");
  typeEntry(writer.entryTable(kGrain), 2, "Enterprise", "Cereals");
  typeEntry(writer.entryTable(kGrain), 2, "Crop2", "Barley");
  typeEntry(writer.entryTable(kGrain), 2, "Crop5", "Oats");
  typeEntry(writer.entryTable(kStraw), 1, "Enterprise", "Straw");
  writeAndLoad();

  const std::vector<EnterpriseRow> rows = loaded.enterprises();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].id, "cowcalf1");
  EXPECT_EQ(rows[0].label, "Main Herd");
  EXPECT_EQ(rows[1].id, "grain1");
  EXPECT_EQ(rows[1].crops, (std::vector<std::string>{"Barley", "Oats"}));
  EXPECT_EQ(rows[2].id, "straw1");
  EXPECT_EQ(rows[2].crops, (std::vector<std::string>{"crop1"})) << "a crop enterprise always has a crop";
  EXPECT_EQ(loaded.table("memgrain1").RecordCount(), 11);
}

TEST_F(ConfigurationWriterTest, AnUnwritablePathIsNamedAndNothingIsLeft) {
  const std::string path = testing::temporaryPath("missing-folder/farm.rbd");
  try {
    writer.save(farm, path);
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("Could not create ranchbook$ file \"" + path + "\""), std::string::npos)
        << error.what();
  }
}

}  // namespace
}  // namespace rb
