#include "cli/cli_support.h"

#include <algorithm>
#include <iostream>

#include "files/atomic_file.h"
#include "files/farm_file_reader.h"
#include "model/text_util.h"

namespace rb::cli {

std::string Arguments::option(const std::string& name) const {
  for (const auto& [key, value] : options)
    if (key == name) return value;
  return "";
}

std::vector<std::string> Arguments::optionAll(const std::string& name) const {
  std::vector<std::string> values;
  for (const auto& [key, value] : options)
    if (key == name) values.push_back(value);
  return values;
}

bool Arguments::has(const std::string& name) const {
  for (const auto& entry : options)
    if (entry.first == name) return true;
  return false;
}

Arguments parseArguments(const std::vector<std::string>& words, const std::vector<std::string>& valued) {
  Arguments args;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() > 2 && word.starts_with("--")) {
      std::string name = word;
      std::string value;
      bool inlineValue = false;
      if (const auto equals = word.find('='); equals != std::string::npos) {
        name = word.substr(0, equals);
        value = word.substr(equals + 1);
        inlineValue = true;
      }
      if (std::find(valued.begin(), valued.end(), name) == valued.end())
        throw UsageError("unknown option " + name);
      if (!inlineValue) {
        if (i + 1 >= words.size()) throw UsageError("option " + name + " needs a value");
        value = words[++i];
      }
      args.options.emplace_back(name, value);
    } else {
      args.positional.push_back(word);
    }
  }
  return args;
}

void requirePositional(const Arguments& args, std::size_t minimum, std::size_t maximum) {
  if (args.positional.size() < minimum) throw UsageError("missing arguments");
  if (args.positional.size() > maximum) throw UsageError("too many arguments");
}

void loadFarm(Farm& farm, const std::string& path) {
  LoadFarmFile(farm, path);
  farm.applyAllTitleSteps();
}

void writeJson(const Json& document, const std::string& outPath) {
  const std::string text = document.dump(2) + "\n";
  if (outPath.empty()) {
    std::cout << text;
    std::cout.flush();
  } else {
    writeFileAtomically(outPath, text);
  }
}

Json cellJson(const Value& value) {
  if (auto* s = std::get_if<std::string>(&value)) return *s;
  if (auto* i = std::get_if<std::int32_t>(&value)) return *i;
  if (auto* d = std::get_if<double>(&value)) return *d;
  if (auto* b = std::get_if<bool>(&value)) return *b;
  return nullptr;
}

}  // namespace rb::cli
