#include "setup/setup_checks.h"

#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "setup/allocation_columns.h"
#include "setup/farm_structure.h"
#include "support/farm_fixtures.h"

namespace rb::testing {

namespace {
std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}
}  // namespace

void expectConsistentAfterReload(Farm& farm) {
  EXPECT_EQ(joined(structuralProblems(farm)), "") << "in memory";
  const std::string path = temporaryPath("reloaded.rbd");
  SaveFarmFile(farm, path);
  Farm reloaded;
  LoadFarmFile(reloaded, path);
  reloaded.applyAllTitleSteps();
  EXPECT_EQ(joined(structuralProblems(reloaded)), "") << "after a save and load";
  EXPECT_TRUE(farmFileText(reloaded) == farmFileText(farm)) << "the reloaded farm saves another file";
}

std::vector<std::string> columnNames(const MemTable& table) {
  std::vector<std::string> names;
  for (int i = 0; i < table.FieldCount(); ++i) names.push_back(table.FieldAt(i).FieldName());
  return names;
}

std::vector<std::string> allocationColumns(const MemTable& table) {
  std::vector<std::string> names = columnNames(table);
  names.erase(names.begin(), names.begin() + firstAllocationColumn(table));
  return names;
}

void put(MemTable& table, int row, const std::string& column, const Value& value) {
  table.First();
  table.MoveBy(row);
  table.Edit();
  table.FieldByName(column).SetValue(value);
  table.Post();
}

Value cell(const MemTable& table, int row, const std::string& column) {
  return table.ValueAt(row, table.FieldIndex(column));
}

void appendLine(MemTable& table, const std::vector<std::pair<std::string, Value>>& cells) {
  table.Append();
  for (const auto& [column, value] : cells) table.FieldByName(column).SetValue(value);
  table.Post();
}

}  // namespace rb::testing
