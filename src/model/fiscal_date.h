#pragma once
// The fiscal year end is kept as the text "dd-mm-yyyy"; this reads it back as
// a date, forgiving older month-first and "/" forms.
#include <string>
#include <string_view>

namespace rb {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CalendarDate&) const = default;
};

bool isValidDate(int year, int month, int day);
CalendarDate today();

// Throws rb::Error when a part is not a number or no date can be made of it.
CalendarDate ParseFiscalDate(std::string_view text);

// "dd-mm-yyyy", the form the farm information stores.
std::string formatFiscalDate(const CalendarDate& date);

}  // namespace rb
