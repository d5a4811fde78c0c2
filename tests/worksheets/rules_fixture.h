#pragma once
// A farm with its rules attached, and typing into it as the grids do.
#include <memory>
#include <string>

#include "ledgers/grid_rules.h"
#include "model/farm_data_sets.h"
#include "support/farm_fixtures.h"
#include "worksheets/farm_rules.h"

namespace rb::testing {

struct RuledFarm {
  Farm farm;
  std::unique_ptr<FarmRules> rules;

  explicit RuledFarm(const FarmSpec& farmSpec) {
    makeFarm(farm, farmSpec);
    farm.applyAllTitleSteps();
    rules = std::make_unique<FarmRules>(farm);
  }

  MemTable& table(const std::string& name) { return farm.table(name); }

  // Types into a cell named by its column (row 0-based), as a grid edit.
  void type(const std::string& tableName, int row, const std::string& column, const std::string& text) {
    MemTable& t = farm.table(tableName);
    typeIntoCell(farm, t, row, t.FieldIndex(column), text);
  }

  // Appends an empty line to a ledger or line-list sheet; returns its row.
  int appendLine(const std::string& tableName) {
    MemTable& t = farm.table(tableName);
    t.Append();
    t.Post();
    return t.RecordCount() - 1;
  }

  double number(const std::string& tableName, int row, const std::string& column) {
    const MemTable& t = farm.table(tableName);
    return t.FloatAt(row, t.FieldIndex(column));
  }
  std::string text(const std::string& tableName, int row, const std::string& column) {
    const MemTable& t = farm.table(tableName);
    return t.StringAt(row, t.FieldIndex(column));
  }
  bool isEmpty(const std::string& tableName, int row, const std::string& column) {
    const MemTable& t = farm.table(tableName);
    return isNull(t.ValueAt(row, t.FieldIndex(column)));
  }
};

}  // namespace rb::testing
