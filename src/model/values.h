#pragma once
// Cell values of a memory table, their text forms and the rounding helpers
// that every money figure of the program goes through.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace rb {

// Every failure the core raises to its caller carries the user-facing text.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class FieldType { Unknown, String, Integer, Float, Boolean, Date };

// The file-format name of a type ("STRING", "INTEGER", "FLOAT", "BOOLEAN";
// anything else is written as "DATE").
const char* typeName(FieldType type);

// A cell: null, or a value of its column's type. DATE cells keep their text.
using Value = std::variant<std::monostate, std::string, std::int32_t, double, bool>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// FLOAT as text: general form with at most 15 significant digits, no
// thousands separator, exponent form below 0.00001 or beyond 15 digits.
std::string floatToText(double value);
std::string integerToText(std::int32_t value);
inline const char* booleanToText(bool value) { return value ? "True" : "False"; }

// Strict parsers for typed text; std::nullopt when the text is not a number.
// Blanks around the number are allowed. `allowComma` also takes "," as the
// decimal separator (old farm files written on machines that used it).
std::optional<double> parseFloat(std::string_view text, bool allowComma = false);
std::optional<std::int32_t> parseInteger(std::string_view text);
// Case-insensitive prefix of "False", then of "True"; nullopt otherwise.
std::optional<bool> parseBoolean(std::string_view text);

// Whole-number rounding used for INTEGER cells, AUMs and averages: a half goes
// to the even neighbour (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);
std::int32_t toInteger32(double value);

// Money rounding, half away from zero, computed in extended precision.
double RoundTo2(double x);
double RoundTo1(double x);

}  // namespace rb
