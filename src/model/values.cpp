#include "model/values.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "model/text_util.h"

namespace rb {

const char* typeName(FieldType type) {
  switch (type) {
    case FieldType::String: return "STRING";
    case FieldType::Integer: return "INTEGER";
    case FieldType::Float: return "FLOAT";
    case FieldType::Boolean: return "BOOLEAN";
    default: return "DATE";
  }
}

std::string floatToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";

  // 15 significant digits, rounded once; then laid out by the general rules.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string_view text(buffer);
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t ePos = text.find('e');
  std::string digits;
  for (char c : text.substr(0, ePos))
    if (c != '.') digits += c;
  int exponent = 0;
  std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string result = negative ? "-" : "";
  const int digitsBeforePoint = exponent + 1;
  if (exponent < -5 || digitsBeforePoint > 15) {
    result += digits[0];
    if (digits.size() > 1) result += "." + digits.substr(1);
    result += "E" + std::to_string(exponent);
  } else if (exponent >= 0) {
    const auto before = static_cast<std::size_t>(digitsBeforePoint);
    if (digits.size() <= before) {
      result += digits + std::string(before - digits.size(), '0');
    } else {
      result += digits.substr(0, before) + "." + digits.substr(before);
    }
  } else {
    result += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  return result;
}

std::string integerToText(std::int32_t value) { return std::to_string(value); }

namespace {

std::string_view stripBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> parseFloat(std::string_view text, bool allowComma) {
  text = stripBlanks(text);
  // Shape check first: [sign] digits [point digits] [e [sign] digits], with at
  // least one digit in the mantissa; no hex, no "inf", no "nan".
  std::string canonical;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') canonical += '-';
    ++i;
  }
  std::size_t mantissaDigits = 0;
  while (i < text.size() && isDigit(text[i])) canonical += text[i++], ++mantissaDigits;
  if (i < text.size() && (text[i] == '.' || (allowComma && text[i] == ','))) {
    canonical += '.';
    ++i;
    while (i < text.size() && isDigit(text[i])) canonical += text[i++], ++mantissaDigits;
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    canonical += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) canonical += text[i++];
    std::size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) canonical += text[i++], ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0;
  const auto [end, error] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too small for a double reads as zero, as an extended-precision number
    // stored into a double does; too large stays refused.
    long double wide = 0;
    const auto [wideEnd, wideError] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), wide);
    if (wideError != std::errc() || wideEnd != canonical.data() + canonical.size() ||
        std::fabs(wide) > static_cast<long double>(std::numeric_limits<double>::max()))
      return std::nullopt;
    return static_cast<double>(wide);
  }
  if (error != std::errc() || end != canonical.data() + canonical.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
  text = stripBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> parseBoolean(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (startsWithNoCase("False", text)) return false;
  if (startsWithNoCase("True", text)) return true;
  return std::nullopt;
}

double roundHalfEven(double value) { return std::nearbyint(value); }

std::int32_t toInteger32(double value) {
  const double rounded = roundHalfEven(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
    throw Error(format("%s is not a valid integer value", floatToText(value).c_str()));
  return static_cast<std::int32_t>(rounded);
}

namespace {

// trunc toward zero of an extended-precision value, as the 64-bit integer the
// money helpers were defined with; values beyond its range are returned whole.
long double truncExtended(long double x) {
  if (std::fabs(x) >= 9.2e18L) return x;
  return static_cast<long double>(static_cast<long long>(x));
}

}  // namespace

double RoundTo2(double x) {
  const long double wide = x;
  const long double shifted = (wide > 0) ? (wide + 0.005L) * 100.0L : (wide - 0.005L) * 100.0L;
  return static_cast<double>(truncExtended(shifted) / 100.0L);
}

double RoundTo1(double x) {
  if (x < 0) return -RoundTo1(-x);
  const long double wide = x;
  return static_cast<double>(truncExtended(wide * 10.0L + 0.5L) / 10.0L);
}

}  // namespace rb
