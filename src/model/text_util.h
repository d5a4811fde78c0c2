#pragma once
// Small text helpers shared by the whole core: case-insensitive matching of
// table and column names, trimming, and UTF-8 aware truncation.
#include <string>
#include <string_view>

namespace rb {

char asciiLower(char c);
std::string lowerCase(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);
bool containsText(std::string_view text, std::string_view part);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

// Trims blanks and control characters (bytes up to 0x20) from both ends.
std::string trimmed(std::string_view text);

// Number of characters (UTF-8 code points) in text.
std::size_t characterCount(std::string_view text);
// The first `count` characters of text.
std::string firstCharacters(std::string_view text, std::size_t count);

// printf-style formatting into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace rb
