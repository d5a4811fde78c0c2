#include "reports/report_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "model/values.h"

namespace rb {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Half away from zero at `decimals` places, decided on the figure's first 15
// significant digits, so 2.345 prints 2.35 although the nearest double lies a
// hair below it.
std::string fixedText(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));  // d.dddddddddddddde+XX
  std::string digits;
  for (const char* c = buffer; *c && *c != 'e'; ++c)
    if (*c != '.') digits += *c;
  const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  // The digits kept: those before the point and `decimals` after it.
  const int kept = exponent + 1 + decimals;
  std::string whole;  // the rounded magnitude times 10^decimals, as digits
  if (kept >= static_cast<int>(digits.size())) {
    whole = digits + std::string(static_cast<std::size_t>(kept) - digits.size(), '0');
  } else if (kept >= 0) {
    whole = digits.substr(0, static_cast<std::size_t>(kept));
    if (digits[static_cast<std::size_t>(kept)] >= '5') {
      int i = static_cast<int>(whole.size()) - 1;
      while (i >= 0 && whole[static_cast<std::size_t>(i)] == '9') whole[static_cast<std::size_t>(i--)] = '0';
      if (i >= 0) ++whole[static_cast<std::size_t>(i)];
      else whole.insert(whole.begin(), '1');
    }
  }
  if (whole.size() < static_cast<std::size_t>(decimals) + 1)
    whole.insert(0, static_cast<std::size_t>(decimals) + 1 - whole.size(), '0');
  const bool zero = whole.find_first_not_of('0') == std::string::npos;
  std::string text = whole.substr(0, whole.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) text += "." + whole.substr(whole.size() - static_cast<std::size_t>(decimals));
  return value < 0 && !zero ? "-" + text : text;
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

}  // namespace rb
