#include "model/fiscal_date.h"

#include <chrono>

#include "model/text_util.h"
#include "model/values.h"

namespace rb {

bool isValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  return date.ok();
}

CalendarDate today() {
  const auto now = std::chrono::system_clock::now();
  const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(now)};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

namespace {

int partAsNumber(const std::string& part) {
  if (auto value = parseInteger(part)) return *value;
  throw Error(format("'%s' is not a valid integer value", part.c_str()));
}

}  // namespace

CalendarDate ParseFiscalDate(std::string_view text) {
  if (text.size() <= 5) return today();

  const char separator = text.find('-') != std::string_view::npos ? '-' : '/';
  const std::size_t firstEnd = text.find(separator);
  const std::string first(text.substr(0, firstEnd));
  std::string_view rest = firstEnd == std::string_view::npos ? std::string_view{} : text.substr(firstEnd + 1);
  const std::size_t secondEnd = rest.find(separator);
  const std::string second(rest.substr(0, secondEnd));
  const std::string third(secondEnd == std::string_view::npos ? std::string_view{} : rest.substr(secondEnd + 1));

  int day = partAsNumber(first);
  int month = partAsNumber(second);
  const int year = partAsNumber(third);
  if (month > 12) std::swap(day, month);

  if (isValidDate(year, month, day)) return {year, month, day};
  if (isValidDate(year, day, month)) return {year, day, month};
  throw Error(format("'%s' is not a valid date", std::string(text).c_str()));
}

std::string formatFiscalDate(const CalendarDate& date) {
  return format("%02d-%02d-%04d", date.day, date.month, date.year);
}

}  // namespace rb
