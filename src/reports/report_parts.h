#pragma once
// Pieces every report layout shares: reading the report tables by column
// name, the program and farm lines of headers and footers, and the figures
// as printed.
#include <optional>
#include <string>
#include <string_view>

#include "model/farm_data_sets.h"
#include "reports/page_flow.h"
#include "reports/report_layouts.h"

namespace rb::report {

// One row of a report table, read by column name. A missing column reads as
// an empty cell, so a layout never fails on a table the engine left short.
class RowReader {
 public:
  RowReader(const MemTable& table, int row) : table_(table), row_(row) {}
  std::optional<double> number(std::string_view column) const;
  double amount(std::string_view column) const { return number(column).value_or(0); }
  std::string text(std::string_view column) const;

 private:
  const MemTable& table_;
  int row_;
};

// "Ranchbook$ " and the program's version text.
std::string programLine(const ReportSettings& settings);
std::string businessName(const Farm& farm);
// The business name, four blanks, "Year Ending: " and the year end.
std::string farmLine(const Farm& farm);
// The display label of a registry id; an id that is not registered as is.
std::string enterpriseLabelOf(const Farm& farm, std::string_view id);

// Spreadsheet formats that match the printed ones.
inline constexpr const char* kThousandsFormat = "#,##0";
inline constexpr const char* kTwoDecimalsFormat = "0.00";
inline constexpr const char* kWholeFormat = "0";

// Places a figure right-aligned in its box, formatted "#,0" or "0.00"
// (decimals 0 or 2); an empty cell prints nothing. With blankZero, a figure
// that prints as zero is left out.
void placeFigure(PageFlow& flow, double left, double right, double y, std::optional<double> value, int decimals,
                 Font font, bool blankZero = false);
// Whole numbers without separators ("0").
void placeWhole(PageFlow& flow, double left, double right, double y, std::optional<double> value, Font font);

}  // namespace rb::report
