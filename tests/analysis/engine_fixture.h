#pragma once
// Small farms for the engine's tests: a farm made from a configuration, then
// filled by writing cells straight into its tables (the engine reads tables as
// they stand, so no change rules are involved).
#include <initializer_list>
#include <string>
#include <utility>

#include "model/farm_data_sets.h"
#include "support/farm_fixtures.h"

namespace rb::testing {

inline Value text(const char* s) { return std::string(s); }

using Cells = std::initializer_list<std::pair<const char*, Value>>;

inline void assign(MemTable& table, Cells cells) {
  for (const auto& [column, value] : cells) table.FieldByName(column).SetValue(value);
}

// Appends one line to a table.
inline void addLine(Farm& farm, const std::string& table, Cells cells) {
  MemTable& t = farm.table(table);
  t.Append();
  assign(t, cells);
  t.Post();
}

// Sets cells of the 1-based row of a table.
inline void setRow(Farm& farm, const std::string& table, int row, Cells cells) {
  MemTable& t = farm.table(table);
  t.First();
  t.MoveBy(row - 1);
  t.Edit();
  assign(t, cells);
  t.Post();
}

// Two herds, a feeder group, forage, grain and straw, a pasture and an other
// enterprise (aftermath is always there): registry order cowcalf1, cowcalf2,
// feeders1, forage1, pasture1, grain1, straw1, aftermath1, other1.
inline FarmSpec mixedFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.feeders = {"Backgrounders"};
  farmSpec.forage = {{"Hay", {"Alfalfa", "Timothy"}}};
  farmSpec.pasture = {"Home Quarter"};
  farmSpec.grain = {{"Barley", {"Barley"}}};
  farmSpec.straw = {{"Straw", {"Barley Straw"}}};
  farmSpec.other = {"Custom Work"};
  return farmSpec;
}

}  // namespace rb::testing
