#include "reports/report_parts.h"

#include <cmath>

#include "model/text_util.h"
#include "analysis/report_data.h"
#include "reports/report_format.h"

namespace rb::report {

std::optional<double> RowReader::number(std::string_view column) const {
  const int index = table_.FieldIndex(column);
  if (index < 0 || row_ < 0 || row_ >= table_.RecordCount()) return std::nullopt;
  const Value& value = table_.ValueAt(row_, index);
  if (const auto* d = std::get_if<double>(&value)) return std::isfinite(*d) ? std::optional<double>(*d) : std::nullopt;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return static_cast<double>(*i);
  if (const auto* s = std::get_if<std::string>(&value)) return parseFloat(*s);
  return std::nullopt;
}

std::string RowReader::text(std::string_view column) const {
  const int index = table_.FieldIndex(column);
  if (index < 0 || row_ < 0 || row_ >= table_.RecordCount()) return "";
  return table_.StringAt(row_, index);
}

std::string programLine(const ReportSettings& settings) { return "Ranchbook$ " + settings.programVersion; }

std::string businessName(const Farm& farm) {
  const MemTable& info = farm.table("memInfo");
  return info.RecordCount() > 0 ? RowReader(info, 0).text("business") : "";
}

std::string farmLine(const Farm& farm) {
  const MemTable& info = farm.table("memInfo");
  const std::string yearEnd = info.RecordCount() > 0 ? RowReader(info, 0).text("fiscalyearend") : "";
  return businessName(farm) + "    Year Ending: " + formatYearEnd(yearEnd);
}

std::string enterpriseLabelOf(const Farm& farm, std::string_view id) {
  for (const EnterpriseRow& row : farm.enterprises())
    if (equalsNoCase(row.id, id)) return row.label;
  return std::string(id);
}

void placeFigure(PageFlow& flow, double left, double right, double y, std::optional<double> value, int decimals,
                 Font font, bool blankZero) {
  if (!value) return;
  const std::string text = decimals == 0 ? formatThousands(*value) : formatFixed(*value, decimals);
  if (blankZero && (text == "0" || text == "0.00")) return;
  flow.figure(left, y, right - left, text, *value, decimals == 0 ? kThousandsFormat : kTwoDecimalsFormat, font);
}

void placeWhole(PageFlow& flow, double left, double right, double y, std::optional<double> value, Font font) {
  if (!value) return;
  flow.figure(left, y, right - left, formatFixed(*value, 0), *value, kWholeFormat, font);
}

}  // namespace rb::report
