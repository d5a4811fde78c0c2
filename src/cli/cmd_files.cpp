// dump, save and new: the farm file in and out.
#include <algorithm>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "files/atomic_file.h"
#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "files/text_codec.h"
#include "model/fiscal_date.h"
#include "model/text_util.h"
#include "setup/configuration_writer.h"

namespace rb::cli {

namespace {

Json tableJson(Farm& farm, MemTable& table) {
  Json columns = Json::array();
  for (int i = 0; i < table.FieldCount(); ++i) {
    const Field& field = table.FieldAt(i);
    columns.push_back({{"name", field.FieldName()},
                       {"type", typeName(field.DataType())},
                       {"length", field.DataType() == FieldType::String ? field.Size() : 0},
                       {"title", field.DisplayLabel()}});
  }
  Json rows = Json::array();
  for (int row = 0; row < table.RecordCount(); ++row) {
    Json cells = Json::array();
    for (int column = 0; column < table.FieldCount(); ++column) cells.push_back(cellJson(table.ValueAt(row, column)));
    rows.push_back(std::move(cells));
  }
  return {{"dataset", dataSetNameOf(farm, table)}, {"columns", std::move(columns)}, {"rows", std::move(rows)}};
}

// The tables in the order the file writer stores them, with their JSON keys.
std::vector<std::pair<std::string, MemTable*>> tablesInFileOrder(Farm& farm) {
  std::vector<std::pair<std::string, MemTable*>> list = {{"memInfo", &farm.info()}, {"memMaster", &farm.master()}};
  for (const WholeFarmTable& entry : wholeFarmTables()) list.emplace_back(entry.table, &farm.table(entry.table));
  for (const EnterpriseRow& row : farm.enterprises())
    list.emplace_back("mem" + lowerCase(row.id), &farm.enterpriseTable(row.id));
  return list;
}

}  // namespace

int runDump(const Words& words) {
  const Arguments args = parseArguments(words, {"--out"});
  requirePositional(args, 1, 1);
  Farm farm;
  loadFarm(farm, args.positional[0]);
  // Revenue and expenses in entry order, as the writer would store them.
  for (const char* ledger : {"memRevenue", "memExpenses"}) farm.table(ledger).SortOnFields("", true, false);

  Json tables = Json::object();
  Json order = Json::array();
  for (auto& [key, table] : tablesInFileOrder(farm)) {
    tables[key] = tableJson(farm, *table);
    order.push_back(key);
  }
  writeJson({{"tables", std::move(tables)}, {"order", std::move(order)}}, args.option("--out"));
  return 0;
}

int runSave(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 2, 2);
  Farm farm;
  loadFarm(farm, args.positional[0]);
  SaveFarmFile(farm, args.positional[1]);
  return 0;
}

namespace {

const std::vector<std::string> kInfoKeys = {"Name",     "business", "Address1", "Address2",      "province", "postalcode",
                                            "phone",    "fax",      "email",    "fiscalyearend", "notes"};

std::string stringAt(const Json& value, const std::string& where) {
  if (!value.is_string()) throw UsageError(where + " must be a text");
  return value.get<std::string>();
}

void fillInfo(ConfigurationWriter& config, const Json& info) {
  if (!info.is_object()) throw UsageError("\"info\" must be an object");
  MemTable& table = config.infoTable();
  table.First();
  table.Edit();
  for (const auto& [key, value] : info.items()) {
    if (std::find(kInfoKeys.begin(), kInfoKeys.end(), key) == kInfoKeys.end())
      throw UsageError("unknown farm information field \"" + key + "\"");
    std::string text = stringAt(value, "info." + key);
    if (key == "fiscalyearend" && !text.empty()) {
      try {
        text = formatFiscalDate(ParseFiscalDate(text));
      } catch (const Error&) {
        throw UsageError("info.fiscalyearend \"" + text + "\" is not a date (dd-mm-yyyy)");
      }
    }
    table.FieldByName(key).SetAsString(text);
  }
  table.Post();
}

void fillEntries(ConfigurationWriter& config, int kind, const Json& list) {
  const std::string kindKey = kindName(kind);
  if (!list.is_array()) throw UsageError("\"" + kindKey + "\" must be a list");
  if (list.size() > kMaxPerKind) throw UsageError("\"" + kindKey + "\" has more than five entries");
  MemTable& table = config.entryTable(kind);
  table.First();
  for (std::size_t i = 0; i < list.size(); ++i, table.Next()) {
    const std::string where = kindKey + "[" + std::to_string(i) + "]";
    const Json& entry = list[i];
    table.Edit();
    if (!isCropKindCode(kind)) {
      table.FieldByName("Enterprise").SetAsString(stringAt(entry, where));
    } else {
      if (!entry.is_object()) throw UsageError(where + " must be an object with \"name\" and \"crops\"");
      for (const auto& [key, value] : entry.items())
        if (key != "name" && key != "crops") throw UsageError(where + " has an unknown key \"" + key + "\"");
      if (entry.contains("name")) table.FieldByName("Enterprise").SetAsString(stringAt(entry["name"], where + ".name"));
      if (entry.contains("crops")) {
        const Json& crops = entry["crops"];
        if (!crops.is_array()) throw UsageError(where + ".crops must be a list");
        if (crops.size() > kMaxCrops) throw UsageError(where + ".crops has more than nine entries");
        for (std::size_t k = 0; k < crops.size(); ++k)
          table.FieldByName("Crop" + std::to_string(k + 1))
              .SetAsString(stringAt(crops[k], where + ".crops[" + std::to_string(k) + "]"));
      }
    }
    table.Post();
  }
}

}  // namespace

int runNew(const Words& words) {
  const Arguments args = parseArguments(words, {"--config"});
  requirePositional(args, 1, 1);
  if (!args.has("--config")) throw UsageError("--config CONFIG.json is required");
  const std::string configPath = args.option("--config");

  Json document;
  try {
    document = Json::parse(readWholeFile(configPath));
  } catch (const Json::exception& error) {
    throw Error(configPath + ": not valid JSON: " + error.what());
  }
  if (!document.is_object()) throw UsageError(configPath + ": the configuration must be a JSON object");

  Farm farm;
  ConfigurationWriter config;
  for (const auto& [key, value] : document.items()) {
    if (key == "info") {
      fillInfo(config, value);
      continue;
    }
    const int kind = KindOf(key);
    if (kind == 0 || kind == kAftermath || key != kindName(kind))
      throw UsageError(configPath + ": unknown key \"" + key + "\"");
    fillEntries(config, kind, value);
  }

  // The configuration file is the new farm's first file: written, loaded, and
  // then saved as a farm file.
  config.buildRegistry();
  const std::string configText = encodeFileText(config.configurationText(farm));
  loadFarmText(farm, configText, configPath);
  farm.applyAllTitleSteps();
  SaveFarmFile(farm, args.positional[0]);
  return 0;
}

}  // namespace rb::cli
