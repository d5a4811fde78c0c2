// set, inventory, transfer and allocate-crop: data entry through the same
// rules as the window's grids and dialogs.
#include <algorithm>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "files/farm_file_writer.h"
#include "ledgers/grid_rules.h"
#include "model/text_util.h"
#include "worksheets/crop_allocation.h"
#include "worksheets/farm_rules.h"
#include "worksheets/inventory_lines.h"
#include "worksheets/table_edits.h"
#include "worksheets/transfer_lines.h"
#include "worksheets/worksheet_layout.h"

namespace rb::cli {

namespace {

// A farm loaded from FILE with its rules attached.
struct RuledFarm {
  Farm farm;
  std::unique_ptr<FarmRules> rules;
  explicit RuledFarm(const std::string& path) {
    loadFarm(farm, path);
    rules = std::make_unique<FarmRules>(farm);
  }
};

// Runs the edits, then writes OUT; a refused edit writes nothing and names
// the input file.
template <typename Edits>
int editAndSave(const std::string& file, const std::string& out, Edits edits) {
  RuledFarm ruled(file);
  try {
    edits(ruled);
  } catch (const UsageError&) {
    throw;
  } catch (const std::exception& error) {
    throw Error(file + ": " + error.what());
  }
  SaveFarmFile(ruled.farm, out);
  return 0;
}

std::vector<std::string> splitFields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

int integerField(const std::string& text, const char* field) {
  if (auto value = parseInteger(text)) return *value;
  throw Error(format("'%s' is not a valid integer value for field '%s'", text.c_str(), field));
}

double floatField(const std::string& text, const char* field) {
  if (auto value = parseFloat(text)) return *value;
  throw Error(format("'%s' is not a valid floating point value for field '%s'", text.c_str(), field));
}

EnterpriseRow registeredEnterprise(const std::vector<EnterpriseRow>& rows, const std::string& id) {
  for (const EnterpriseRow& row : rows)
    if (equalsNoCase(row.id, id)) return row;
  throw Error(format("%s is not an enterprise of this farm", id.c_str()));
}

// ---------------------------------------------------------------------------
// set
// ---------------------------------------------------------------------------

struct CellEdit {
  std::string word, table, row, column, value;
};

CellEdit parseCell(const std::string& word) {
  const std::size_t first = word.find(':');
  const std::size_t second = first == std::string::npos ? first : word.find(':', first + 1);
  const std::size_t equals = second == std::string::npos ? second : word.find('=', second + 1);
  if (equals == std::string::npos) throw UsageError("CELL \"" + word + "\" is not TABLE:ROW:COLUMN=VALUE");
  return {word, word.substr(0, first), word.substr(first + 1, second - first - 1),
          word.substr(second + 1, equals - second - 1), word.substr(equals + 1)};
}

void applyCell(Farm& farm, const CellEdit& cell) {
  MemTable* table = farm.findTable(cell.table);
  if (!table || !isGridTable(farm, *table))
    throw Error(format("Cell %s: %s is not a table edited in a grid", cell.word.c_str(), cell.table.c_str()));
  int row = 0;
  if (cell.row == "+") {
    if (!allowsLineInsertAndDelete(*table))
      throw Error(format("Cell %s: %s has fixed rows; no row can be added", cell.word.c_str(), table->Name().c_str()));
    table->Append();
    table->Post();
    row = table->RecordCount() - 1;
  } else {
    const auto number = parseInteger(cell.row);
    if (!number || *number < 1 || *number > table->RecordCount())
      throw Error(format("Cell %s: row %s is not a row of %s (1 to %d)", cell.word.c_str(), cell.row.c_str(),
                         table->Name().c_str(), table->RecordCount()));
    row = *number - 1;
  }
  const int column = table->FieldIndex(cell.column);
  if (column < 0)
    throw Error(format("Cell %s: %s has no column %s", cell.word.c_str(), table->Name().c_str(), cell.column.c_str()));
  typeIntoCell(farm, *table, row, column, cell.value);
}

}  // namespace

int runSet(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 2, static_cast<std::size_t>(-1));
  std::vector<CellEdit> cells;
  for (std::size_t i = 2; i < args.positional.size(); ++i) cells.push_back(parseCell(args.positional[i]));
  return editAndSave(args.positional[0], args.positional[1], [&](RuledFarm& ruled) {
    for (const CellEdit& cell : cells) applyCell(ruled.farm, cell);
  });
}

// ---------------------------------------------------------------------------
// inventory
// ---------------------------------------------------------------------------

namespace {

int inventoryTypeOf(const std::string& word) {
  const std::vector<std::string> names = {"beginning", "purchases", "sales", "ending"};
  for (std::size_t i = 0; i < names.size(); ++i)
    if (equalsNoCase(names[i], word)) return static_cast<int>(i) + 1;
  throw UsageError("TYPE must be beginning, purchases, sales or ending, not \"" + word + "\"");
}

// Types a LINE's non-empty fields into a working line, in order, with the
// dialog's price recomputation after each.
InventoryLine inventoryLineOf(const std::string& word, int type) {
  const std::vector<std::string> fields = splitFields(word, '|');
  if (fields.size() > 5)
    throw UsageError("LINE \"" + word + "\" is not DESCRIPTION|HEAD|LBS_PER_HEAD|PRICE_PER_HEAD|PRICE_PER_LB");
  static const InventoryColumn columns[] = {InventoryColumn::Description, InventoryColumn::NumHead,
                                            InventoryColumn::LbsPerHead, InventoryColumn::PricePerHead,
                                            InventoryColumn::PricePerLb};
  InventoryLine line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string& text = fields[i];
    if (text.empty()) continue;
    if (i >= 3 && inventoryPricesLocked(type))
      throw Error(format("line \"%s\": %s lines carry no prices", word.c_str(), inventoryTypeName(type)));
    switch (columns[i]) {
      case InventoryColumn::Description: line.description = firstCharacters(text, 20); break;
      case InventoryColumn::NumHead: line.numHead = integerField(text, "NumHead"); break;
      case InventoryColumn::LbsPerHead: line.lbsPerHead = floatField(text, "LbsPerHead"); break;
      case InventoryColumn::PricePerHead: line.pricePerHead = floatField(text, "PricePerHead"); break;
      case InventoryColumn::PricePerLb: line.pricePerLb = floatField(text, "PricePerLb"); break;
    }
    inventoryLineChanged(line, columns[i]);
  }
  return line;
}

}  // namespace

int runInventory(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 4, static_cast<std::size_t>(-1));
  const std::string& enterprise = args.positional[2];
  const int type = inventoryTypeOf(args.positional[3]);
  return editAndSave(args.positional[0], args.positional[1], [&](RuledFarm& ruled) {
    const EnterpriseRow feeder = registeredEnterprise(ruled.farm.enterprises(), enterprise);
    if (feeder.kind != kFeeders) throw Error(format("%s is not a feeder enterprise", enterprise.c_str()));
    std::vector<InventoryLine> lines;
    for (std::size_t i = 4; i < args.positional.size(); ++i)
      lines.push_back(inventoryLineOf(args.positional[i], type));
    applyInventoryLines(ruled.farm, feeder.id, type, lines);
    ruled.rules->reconcileFeederInventory(feeder.id);
  });
}

// ---------------------------------------------------------------------------
// transfer
// ---------------------------------------------------------------------------

namespace {

// A LINE goes to one of the destinations the dialog offers this source; its
// description defaults to the offered one.
TransferLine transferLineOf(const std::string& word, const std::vector<TransferLine>& offered) {
  const std::vector<std::string> fields = splitFields(word, '|');
  if (fields.size() < 2 || fields.size() > 7)
    throw UsageError("LINE \"" + word +
                     "\" is not TO_ENTERPRISE|TO_CATEGORY|DESCRIPTION|HEAD|LBS_PER_HEAD|PRICE_PER_HEAD|PRICE_PER_LB");
  const int toCategory = integerField(fields[1], "ToCategory");
  const auto destination = std::find_if(offered.begin(), offered.end(), [&](const TransferLine& l) {
    return equalsNoCase(l.toEnterprise, fields[0]) && l.toCategory == toCategory;
  });
  if (destination == offered.end()) {
    std::string choices;
    for (const TransferLine& l : offered) choices += " " + l.toEnterprise + "|" + std::to_string(l.toCategory);
    throw Error(format("line \"%s\": %s category %d is not a destination of this source (offered:%s)", word.c_str(),
                       fields[0].c_str(), toCategory, choices.empty() ? " none" : choices.c_str()));
  }
  TransferLine line = *destination;
  static const TransferColumn columns[] = {TransferColumn::Description, TransferColumn::NumHead,
                                           TransferColumn::LbsPerHead, TransferColumn::PricePerHead,
                                           TransferColumn::PricePerLb};
  for (std::size_t i = 2; i < fields.size(); ++i) {
    const std::string& text = fields[i];
    if (text.empty()) continue;
    switch (columns[i - 2]) {
      case TransferColumn::Description: line.description = firstCharacters(text, 40); break;
      case TransferColumn::NumHead: line.numHead = integerField(text, "NumHead"); break;
      case TransferColumn::LbsPerHead: line.lbsPerHead = floatField(text, "LbsPerHead"); break;
      case TransferColumn::PricePerHead: line.pricePerHead = floatField(text, "PricePerHead"); break;
      case TransferColumn::PricePerLb: line.pricePerLb = floatField(text, "PricePerLB"); break;
    }
    transferLineChanged(line, columns[i - 2]);
  }
  return line;
}

}  // namespace

int runTransfer(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 4, static_cast<std::size_t>(-1));
  const std::string& enterprise = args.positional[2];
  const auto category = parseInteger(args.positional[3]);
  if (!category) throw UsageError("CATEGORY must be a number (0 for feeders, 1 to 6 for a cow-calf class)");
  return editAndSave(args.positional[0], args.positional[1], [&](RuledFarm& ruled) {
    const EnterpriseRow source = registeredEnterprise(ruled.farm.enterprises(), enterprise);
    if (source.kind == kFeeders && *category != 0)
      throw Error(format("%s is a feeder group: its CATEGORY is 0, not %d", source.id.c_str(), *category));
    if (source.kind == kCowCalf && (*category < 1 || *category > 6))
      throw Error(format("%s is a cow-calf herd: its CATEGORY is 1 to 6, not %d", source.id.c_str(), *category));
    if (source.kind != kFeeders && source.kind != kCowCalf)
      throw Error(format("%s is not a cow-calf or feeder enterprise", source.id.c_str()));
    const std::vector<TransferLine> offered = offeredTransferLines(ruled.farm, source.id, *category);
    std::vector<TransferLine> lines;
    for (std::size_t i = 4; i < args.positional.size(); ++i)
      lines.push_back(transferLineOf(args.positional[i], offered));
    if (args.positional.size() == 4) lines = offered;
    updateTransfers(ruled.farm, source.id, *category, lines);
    for (const EnterpriseRow& row : ruled.farm.enterprises())
      if (row.kind == kFeeders) ruled.rules->reconcileFeederInventory(row.id);
  });
}

// ---------------------------------------------------------------------------
// allocate-crop
// ---------------------------------------------------------------------------

namespace {

// Types into the crop's "Transfers Out" row as the pop-up's editors do.
void typeIntoTransferRow(MemTable& sheet, int row, int column, const std::string& text) {
  sheet.First();
  sheet.MoveBy(row);
  sheet.Edit();
  if (text.empty())
    sheet.FieldAt(column).Clear();
  else
    sheet.FieldAt(column).SetAsString(text);
  PostIfEditing(sheet);
}

void setAllocationCell(MemTable& cropAlloc, const std::string& column, const std::string& text, int from) {
  const int index = cropAlloc.FieldIndex(column);
  if (index < from) throw Error(format("the crop allocation line has no column %s", column.c_str()));
  cropAlloc.Edit();
  if (text.empty())
    cropAlloc.FieldAt(index).Clear();
  else
    cropAlloc.FieldAt(index).SetAsString(text);
  PostIfEditing(cropAlloc);
}

}  // namespace

int runAllocateCrop(const Words& words) {
  const Arguments args =
      parseArguments(words, {"--units", "--unit", "--lbs", "--price", "--feed", "--bedding"});
  requirePositional(args, 4, static_cast<std::size_t>(-1));
  const std::string& enterprise = args.positional[2];
  const auto crop = parseInteger(args.positional[3]);
  if (!crop) throw UsageError("CROP must be a crop number (1 for the sheet's first crop)");
  std::vector<std::pair<std::string, std::string>> weights;
  for (std::size_t i = 4; i < args.positional.size(); ++i) {
    const std::string& word = args.positional[i];
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos || equals == 0) throw UsageError("\"" + word + "\" is not ID=WEIGHT");
    weights.emplace_back(word.substr(0, equals), word.substr(equals + 1));
  }

  return editAndSave(args.positional[0], args.positional[1], [&](RuledFarm& ruled) {
    Farm& farm = ruled.farm;
    const EnterpriseRow cropEnterprise = registeredEnterprise(farm.enterprises(), enterprise);
    if (!isCropKindCode(cropEnterprise.kind))
      throw Error(format("%s is not a forage, grain or straw enterprise", enterprise.c_str()));
    MemTable& sheet = farm.enterpriseTable(cropEnterprise.id);
    const int crops = crops::cropCount(sheet.RecordCount());
    if (*crop < 1 || *crop > crops)
      throw Error(format("%s has no crop %d (it has %d)", cropEnterprise.id.c_str(), *crop, crops));
    const bool straw = cropEnterprise.kind == kStraw;
    if (!straw && (args.has("--feed") || args.has("--bedding")))
      throw Error(format("%s is not a straw enterprise: it has no feed and bedding split", cropEnterprise.id.c_str()));

    const int row = crops::rowOf(*crop, crops::kTransfersOut);
    ruled.rules->setCropAllocationOpen(true);
    if (args.has("--unit")) {
      std::string unit = args.option("--unit");
      if (!unit.empty()) {
        const CellRule rule = gridCellRule(farm, sheet, crops::rowOf(*crop, crops::kBeginning), crops::kUnits, false);
        unit = rule.pickList ? acceptedPickListText(*rule.pickList, unit) : unit;
        if (unit.empty())
          throw Error(format("\"%s\" is not a unit of %s", args.option("--unit").c_str(), cropEnterprise.id.c_str()));
      }
      typeIntoTransferRow(sheet, row, crops::kUnits, unit);
    }
    for (const auto& [option, column] : {std::pair{"--lbs", crops::kLbsPerUnit}, std::pair{"--units", crops::kNumUnits},
                                         std::pair{"--price", crops::kPricePerUnit}})
      if (args.has(option)) typeIntoTransferRow(sheet, row, column, args.option(option));

    MemTable& cropAlloc = farm.table("memCropAlloc");
    findRow(cropEnterprise.id, *crop, cropAlloc);
    if (args.has("--feed")) setAllocationCell(cropAlloc, "Feed", args.option("--feed"), 0);
    if (args.has("--bedding")) setAllocationCell(cropAlloc, "Bedding", args.option("--bedding"), 0);
    for (const auto& [id, weight] : weights) setAllocationCell(cropAlloc, id, weight, kFirstCropAllocationColumn);

    sheet.First();
    sheet.MoveBy(row);
    closeCropAllocation(farm, cropEnterprise.id);
    ruled.rules->setCropAllocationOpen(false);
    requireFiniteCells(sheet);
    requireFiniteCells(cropAlloc);
  });
}

}  // namespace rb::cli
