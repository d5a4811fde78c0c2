#pragma once
// What every ranchbook-cli command shares: its failures and exit codes,
// argument handling, loading the farm file and writing output.
#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/farm_data_sets.h"

namespace rb::cli {

using Json = nlohmann::ordered_json;

// Wrong usage: exit 1, the message and the usage text on stderr.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Arguments {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;  // "--out", "PATH"

  // The single value of an option, or "" when it was not given.
  std::string option(const std::string& name) const;
  std::vector<std::string> optionAll(const std::string& name) const;
  bool has(const std::string& name) const;
};

// Splits the words after the command name; `valued` options take the next
// word as their value. Unknown options are usage errors.
Arguments parseArguments(const std::vector<std::string>& words, const std::vector<std::string>& valued);
void requirePositional(const Arguments& args, std::size_t minimum, std::size_t maximum);

// A fresh document with FILE loaded into it, titled as after start-up.
void loadFarm(Farm& farm, const std::string& path);

// Writes JSON to --out (atomically) or to stdout.
void writeJson(const Json& document, const std::string& outPath);

// The JSON form of one table cell: null, a string, a number or a boolean.
Json cellJson(const Value& value);

}  // namespace rb::cli
