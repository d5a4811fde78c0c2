#pragma once
// How figures and dates read on a printed report.
#include <string>
#include <string_view>

#include "model/fiscal_date.h"

namespace rb {

// "#,0": whole number with thousands separators (1,234; -56). Halves round
// away from zero; a figure that rounds to zero prints "0", never "-0".
std::string formatThousands(double value);
// "0.00" and "0": fixed decimals without separators, halves away from zero.
std::string formatFixed(double value, int decimals);

// "mmm d, yyyy": the printed date of a report footer.
std::string formatReportDate(const CalendarDate& date);

}  // namespace rb
