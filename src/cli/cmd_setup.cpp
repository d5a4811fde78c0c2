// add-enterprise, add-crops and rollover: the farm's structural changes, run
// through the same core operations as the window's wizards.
#include <filesystem>
#include <regex>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "files/farm_file_writer.h"
#include "model/text_util.h"
#include "setup/add_enterprise.h"
#include "setup/rollover.h"

namespace rb::cli {

namespace {

const EnterpriseRow* findEnterprise(const std::vector<EnterpriseRow>& rows, const std::string& id) {
  for (const EnterpriseRow& row : rows)
    if (equalsNoCase(row.id, trimmed(id))) return &row;
  return nullptr;
}

// Why the wizard would not offer the kind, for the refusal message.
std::string kindRefusal(const Farm& farm, int kind) {
  if (kind == kAftermath) return "a farm has one aftermath enterprise and no other can be added";
  return format("the farm already has %d %s enterprises", CountOfKind(farm.master(), kindName(kind)), kindName(kind));
}

}  // namespace

int runAddEnterprise(const Words& words) {
  const Arguments args = parseArguments(words, {"--crop"});
  requirePositional(args, 4, 4);
  const std::string& file = args.positional[0];
  const std::string& out = args.positional[1];
  const std::string kind = lowerCase(args.positional[2]);
  const std::string& label = args.positional[3];
  const int code = KindOf(kind);
  if (code == 0 || kind != kindName(code))
    throw UsageError("unknown kind \"" + args.positional[2] +
                     "\" (cowcalf, feeders, forage, pasture, grain, straw or other)");
  const std::vector<std::string> crops = args.optionAll("--crop");
  if (!crops.empty() && !isCropKindCode(code)) throw UsageError("--crop is only for forage, grain and straw enterprises");
  if (crops.size() > static_cast<std::size_t>(kMaxCrops)) throw UsageError("at most nine --crop names");

  Farm farm;
  loadFarm(farm, file);
  try {
    bool offered = false;
    for (const SetupChoice& choice : kindsOfferedForNewEnterprise(farm)) offered = offered || choice.value == kind;
    if (!offered) throw Error(std::string(kMustSelectEnterprise) + " (" + kindRefusal(farm, code) + ")");
    saveNewEnterprise(farm, kind, label, crops);
  } catch (const Error& error) {
    throw Error(format("%s: cannot add the %s enterprise \"%s\": %s", file.c_str(), kind.c_str(), label.c_str(),
                       error.what()));
  }
  SaveFarmFile(farm, out);
  return 0;
}

int runAddCrops(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 4, 4 + kMaxCrops);
  const std::string& file = args.positional[0];
  const std::string& out = args.positional[1];
  const std::string& id = args.positional[2];
  const std::vector<std::string> names(args.positional.begin() + 3, args.positional.end());

  Farm farm;
  loadFarm(farm, file);
  const std::vector<EnterpriseRow> rows = farm.enterprises();
  const EnterpriseRow* enterprise = findEnterprise(rows, id);
  try {
    if (!enterprise) throw Error(format("the farm has no enterprise \"%s\"", id.c_str()));
    const std::string named = format("%s (%s)", enterprise->id.c_str(), enterprise->label.c_str());
    if (!IsCropKind(enterprise->id))
      throw Error(format("%s: %s is not a forage, grain or straw enterprise", kMustSelectEnterprise, named.c_str()));
    if (static_cast<int>(enterprise->crops.size()) >= kMaxCrops)
      throw Error(format("%s: %s already has nine crops", kMustSelectEnterprise, named.c_str()));
    saveAddedCrops(farm, enterprise->id, names);
  } catch (const Error& error) {
    throw Error(format("%s: cannot add crops to %s: %s", file.c_str(), id.c_str(), error.what()));
  }
  SaveFarmFile(farm, out);
  return 0;
}

namespace {

CalendarDate yearEndArgument(const std::string& text) {
  static const std::regex form(R"((\d{1,2})-(\d{1,2})-(\d{4}))");
  std::smatch parts;
  if (std::regex_match(text, parts, form)) {
    const CalendarDate date{std::stoi(parts[3]), std::stoi(parts[2]), std::stoi(parts[1])};
    if (isValidDate(date.year, date.month, date.day)) return date;
  }
  throw UsageError("--year-end \"" + text + "\" is not a date DD-MM-YYYY");
}

std::pair<std::string, int> cropArgument(const std::string& text) {
  const std::size_t colon = text.rfind(':');
  if (colon != std::string::npos && colon > 0) {
    if (auto k = parseInteger(text.substr(colon + 1)); k && *k >= 1) return {text.substr(0, colon), *k};
  }
  throw UsageError("--drop-crop \"" + text + "\" is not ID:K (K the crop's number, from 1)");
}

RolloverKeeps keepArgument(const std::string& list) {
  RolloverKeeps keeps;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    const std::string word = lowerCase(trimmed(list.substr(start, end - start)));
    if (word == "revenues")
      keeps.revenues = true;
    else if (word == "expenses")
      keeps.expenses = true;
    else if (word == "machinery")
      keeps.machinery = true;
    else if (word == "buildings")
      keeps.buildings = true;
    else if (!word.empty())
      throw UsageError("--keep takes revenues, expenses, machinery and buildings, not \"" + word + "\"");
    start = end + 1;
  }
  return keeps;
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  return std::filesystem::weakly_canonical(a, error) == std::filesystem::weakly_canonical(b, error);
}

}  // namespace

int runRollover(const Words& words) {
  const Arguments args = parseArguments(words, {"--year-end", "--drop", "--drop-crop", "--keep"});
  requirePositional(args, 2, 2);
  const std::string& file = args.positional[0];
  const std::string& out = args.positional[1];
  RolloverRequest request;
  if (args.has("--year-end")) request.yearEnd = yearEndArgument(args.option("--year-end"));
  request.dropEnterprises = args.optionAll("--drop");
  for (const std::string& crop : args.optionAll("--drop-crop")) request.dropCrops.push_back(cropArgument(crop));
  for (const std::string& keep : args.optionAll("--keep")) {
    const RolloverKeeps more = keepArgument(keep);
    request.keeps.revenues |= more.revenues;
    request.keeps.expenses |= more.expenses;
    request.keeps.machinery |= more.machinery;
    request.keeps.buildings |= more.buildings;
  }
  if (sameFile(file, out)) throw UsageError("OUT must be a new file: last year's farm file stays as it was");
  if (!isAcceptedRolloverPath(out)) throw Error(out + ": " + kRolloverNotSaved);

  Farm farm;
  loadFarm(farm, file);
  try {
    rb::runRollover(farm, request);
  } catch (const Error& error) {
    throw Error(format("%s: cannot roll the farm over: %s", file.c_str(), error.what()));
  }
  SaveFarmFile(farm, out);
  return 0;
}

}  // namespace rb::cli
