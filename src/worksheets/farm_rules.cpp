// PLACEHOLDER until the ledger and worksheet rules land: attaches nothing.
#include "worksheets/farm_rules.h"

#include "model/farm_data_sets.h"

namespace rb {

struct FarmRules::State {};

FarmRules::FarmRules(Farm&) : state_(std::make_unique<State>()) {}
FarmRules::~FarmRules() = default;
FarmRules::FeederNotes FarmRules::feederNotes(std::string_view) const { return {}; }
void FarmRules::reconcileFeederInventory(std::string_view) {}
bool FarmRules::takeNewRowPending() { return false; }

}  // namespace rb
