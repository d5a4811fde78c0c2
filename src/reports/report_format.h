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

// The fiscal year end as a report footer shows it ("Dec 31, 2026"), read from
// the stored text whether it is day-first or month-first, with "-" or "/".
// Text that cannot be read as a date is returned as it is.
std::string formatYearEnd(std::string_view text);

// "mmm d, yyyy": the printed date of a report footer.
std::string formatReportDate(const CalendarDate& date);

}  // namespace rb
