#include <gtest/gtest.h>

#include "analysis/report_data.h"
#include "reports/report_format.h"

namespace rb {
namespace {

TEST(ReportFormat, YearEndReadsDayFirstAndMonthFirstDates) {
  const std::pair<const char*, const char*> cases[] = {
      {"31-12-2026", "Dec 31, 2026"}, {"12/31/2026", "Dec 31, 2026"}, {"31/12/2026", "Dec 31, 2026"},
      {"03/04/2026", "Apr 3, 2026"},  {"1-7-2027", "Jul 1, 2027"},    {"2026", "2026"},
      {"31-02-2026", "31-02-2026"},   {"ab-cd-2026", "ab-cd-2026"},   {"31-12", "31-12"},
      {"not a date", "not a date"},   {"", ""}};
  for (const auto& [stored, printed] : cases) EXPECT_EQ(formatYearEnd(stored), printed) << stored;
}

TEST(ReportFormat, FiguresRoundHalfAwayFromZeroWithoutANegativeZero) {
  const std::tuple<double, std::string, std::string> cases[] = {
      {0, "0", "0.00"},
      {1234.5, "1,235", "1234.50"},
      {-1234567.4, "-1,234,567", "-1234567.40"},
      {999.5, "1,000", "999.50"},
      {-0.3, "0", "-0.30"},
      {-0.004, "0", "0.00"},
      {2.345, "2", "2.35"},
      {100000, "100,000", "100000.00"}};
  for (const auto& [value, thousands, fixed] : cases) {
    EXPECT_EQ(formatThousands(value), thousands) << value;
    EXPECT_EQ(formatFixed(value, 2), fixed) << value;
  }
  EXPECT_EQ(formatReportDate({2027, 1, 5}), "Jan 5, 2027");
}

}  // namespace
}  // namespace rb
