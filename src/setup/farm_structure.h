#pragma once
// The structural invariants every setup command must leave behind: a registry
// grouped by kind with gapless indices, the label table in step with it, a
// worksheet of its kind's layout for every enterprise, and in every table that
// allocates to enterprises exactly the expected columns, in registry order.
#include <string>
#include <vector>

namespace rb {

class Farm;

// One line per broken invariant, naming the table, column or enterprise;
// empty when the farm is consistent.
std::vector<std::string> structuralProblems(const Farm& farm);

}  // namespace rb
