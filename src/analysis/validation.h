#pragma once
// The validation pass that runs before every report: it walks the whole farm
// and appends one line to the farm's error log for every gap it finds (a line
// no enterprise carries, an inventory without a price, a transfer without a
// weight, a feeder count that does not balance, ...). It changes no data.
#include <string>
#include <string_view>

#include "model/farm_data_sets.h"

namespace rb {

void runValidation(Farm& farm);

// The name of crop `number` (its whole part) of a crop enterprise, from the
// registry row whose id matches without regard to case; "" when none.
std::string cropNameOf(const Farm& farm, std::string_view enterprise, double number);

}  // namespace rb
