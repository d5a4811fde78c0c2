#include "reports/report_format.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "model/values.h"

namespace rb {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Half away from zero at `decimals` places, as printed figures round.
std::string fixedText(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (rounded == 0) rounded = 0;  // drops the sign of -0
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
  return buffer;
}

std::optional<int> wholeNumber(std::string_view text) {
  const std::optional<std::int32_t> number = parseInteger(text);
  if (!number) return std::nullopt;
  return static_cast<int>(*number);
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return "";
  return fixedText(value, decimals);
}

std::string formatThousands(double value) {
  if (!std::isfinite(value)) return "";
  std::string digits = fixedText(value, 0);
  const bool negative = !digits.empty() && digits[0] == '-';
  if (negative) digits.erase(0, 1);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return negative ? "-" + grouped : grouped;
}

std::string formatReportDate(const CalendarDate& date) {
  if (date.month < 1 || date.month > 12) return "";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s %d, %04d", kMonths[date.month - 1], date.day, date.year);
  return buffer;
}

std::string formatYearEnd(std::string_view text) {
  if (text.size() < 6) return std::string(text);
  const char separator = text.find('-') != std::string_view::npos ? '-' : '/';
  const std::size_t firstEnd = text.find(separator);
  if (firstEnd == std::string_view::npos) return std::string(text);
  const std::size_t secondEnd = text.find(separator, firstEnd + 1);
  if (secondEnd == std::string_view::npos) return std::string(text);
  std::optional<int> first = wholeNumber(text.substr(0, firstEnd));
  std::optional<int> second = wholeNumber(text.substr(firstEnd + 1, secondEnd - firstEnd - 1));
  const std::optional<int> year = wholeNumber(text.substr(secondEnd + 1));
  if (!first || !second || !year) return std::string(text);
  if (*second > 12) std::swap(first, second);
  CalendarDate date{*year, *second, *first};
  if (!isValidDate(date.year, date.month, date.day)) date = {*year, *first, *second};
  if (!isValidDate(date.year, date.month, date.day)) return std::string(text);
  return formatReportDate(date);
}

}  // namespace rb
