#include "setup/configuration_writer.h"

#include "files/atomic_file.h"
#include "files/farm_file_writer.h"
#include "files/text_codec.h"
#include "model/farm_data_sets.h"
#include "model/text_util.h"

namespace rb {

namespace {

void defineEntryTable(MemTable& table, int kind) {
  const bool straw = kind == kStraw;
  table.AddFieldDef("Number", FieldType::Integer);
  table.AddFieldDef("Enterprise", FieldType::String, straw ? 30 : 12);
  if (isCropKindCode(kind))
    for (int k = 1; k <= kMaxCrops; ++k) table.AddFieldDef("Crop" + std::to_string(k), FieldType::String, straw ? 20 : 12);
  table.CreateColumns();
  table.Open();
}

void emptyTable(MemTable& table) {
  table.Close();
  table.Open();
}

}  // namespace

ConfigurationWriter::ConfigurationWriter() : info_("memConfigInfo"), master_("memConfigMaster") {
  defineBuiltInColumnsAs(info_, "memInfo");
  defineBuiltInColumnsAs(master_, "memMaster");
  for (int kind = 1; kind <= kKindCount; ++kind) {
    auto table = std::make_unique<MemTable>(std::string("memConfig") + kindName(kind));
    defineEntryTable(*table, kind);
    entries_[static_cast<std::size_t>(kind - 1)] = std::move(table);
  }
  prepare();
}

void ConfigurationWriter::prepare() {
  emptyTable(info_);
  info_.Append();
  info_.Post();
  MemTable& aftermath = entryTable(kAftermath);
  emptyTable(aftermath);
  aftermath.Append();
  aftermath.FieldByName("Enterprise").SetAsString("Aftermath");
  aftermath.Post();
  for (int kind = 1; kind <= kKindCount; ++kind) {
    if (kind == kAftermath) continue;
    MemTable& entries = entryTable(kind);
    emptyTable(entries);
    for (int number = 1; number <= kMaxPerKind; ++number) {
      entries.Append();
      entries.FieldByName("Number").SetAsInteger(number);
      entries.Post();
    }
  }
  entries_[0]->First();
}

void ConfigurationWriter::buildConfigMaster(MemTable& entries, int kind) {
  PostIfEditing(entries);
  const int nameColumn = entries.FieldIndex("Enterprise");
  for (int row = 0; row < entries.RecordCount(); ++row) {
    const std::string name = entries.StringAt(row, nameColumn);
    if (characterCount(trimmed(name)) < 2) continue;
    ++enterpriseCount_;
    const int index = ++kindCount_[static_cast<std::size_t>(kind - 1)];
    master_.Append();
    master_.FieldByName("identity").SetAsInteger(enterpriseCount_);
    master_.FieldByName("EnterpriseType").SetAsInteger(kind);
    master_.FieldByName("enterpriseIndex").SetAsInteger(index);
    master_.FieldByName("enterpriseLabel").SetAsString(name);
    master_.FieldByName("enterprise").SetAsString(enterpriseId(kind, index));
    int crops = 0;
    if (isCropKindCode(kind)) {
      for (int k = 1; k <= kMaxCrops; ++k) {
        const std::string crop = entries.StringAt(row, entries.FieldIndex("Crop" + std::to_string(k)));
        if (trimmed(crop).empty()) continue;
        ++crops;
        master_.FieldByName("Crop" + std::to_string(crops)).SetAsString(crop);
      }
      if (crops == 0) {
        master_.FieldByName("Crop1").SetAsString("crop1");
        crops = 1;
      }
    }
    master_.FieldByName("cropcount").SetAsInteger(crops);
    master_.Post();
  }
}

void ConfigurationWriter::buildRegistry() {
  emptyTable(master_);
  enterpriseCount_ = 0;
  kindCount_.fill(0);
  for (int kind = 1; kind <= kKindCount; ++kind) buildConfigMaster(entryTable(kind), kind);
}

// ===========================================================================
// The file
// ===========================================================================

void writeEnterpriseData(std::string& out, const std::string& name, int rowsPerBlock,
                         const std::vector<std::string>& rowTexts, const MemTable& templateColumns,
                         const std::vector<std::string>& crops) {
  const int cropCount = static_cast<int>(crops.size());
  const int rowCount = cropCount >= 2 ? cropCount * rowsPerBlock + cropCount - 1 : rowsPerBlock;
  const int columnCount = templateColumns.FieldCount();
  out += dataSetLine(name, "attributes=none", rowCount, columnCount);
  out += "\t\t<HEADER>\r\n";
  for (int i = 0; i < columnCount; ++i) {
    const Field& field = templateColumns.FieldAt(i);
    const bool text = field.DataType() == FieldType::String;
    out += columnLine(field.FieldName(), typeName(field.DataType()), text ? field.DisplayWidth() : 0);
  }
  out += "\t\t</HEADER>\r\n";

  auto emptyCells = [&](int count) {
    for (int i = 0; i < count; ++i) out += "\t\t\t<COL></COL>\r\n";
  };
  if (cropCount == 0) {
    for (int row = 0; row < rowsPerBlock; ++row) {
      out += "\t\t<ROW>\r\n\t\t\t<COL>" + escapeFileText(rowTexts.at(static_cast<std::size_t>(row))) + "</COL>\r\n";
      emptyCells(columnCount - 1);
      out += "\t\t</ROW>\r\n";
    }
  } else {
    // The reader ignores data-set start lines; this second one is part of the
    // layout older configuration files have.
    out += dataSetLine(name, "attributes=none", rowsPerBlock, columnCount);
    for (int k = 0; k < cropCount; ++k) {
      if (k > 0) {
        out += "\t\t<ROW>\r\n";
        emptyCells(columnCount);
        out += "\t\t</ROW>\r\n";
      }
      for (const std::string& text : cropRowTexts()) {
        out += "\t\t<ROW>\r\n";
        out += "\t\t\t<COL>" + escapeFileText(crops[static_cast<std::size_t>(k)]) + "</COL>\r\n";
        out += "\t\t\t<COL>" + escapeFileText(text) + "</COL>\r\n";
        emptyCells(columnCount - 2);
        out += "\t\t</ROW>\r\n";
      }
    }
  }
  out += "\t</DATASET>\r\n";
}

void writeEmptyDataSet(std::string& out, const std::string& name, const std::vector<std::string>& fixedColumnLines,
                       const std::vector<std::string>& allocationLines) {
  const int columnCount = static_cast<int>(fixedColumnLines.size() + allocationLines.size());
  out += dataSetLine(name, "attributes=none", 0, columnCount);
  out += "\t\t<HEADER>\r\n";
  for (const std::string& line : fixedColumnLines) out += line;
  for (const std::string& line : allocationLines) out += line;
  out += "\t\t</HEADER>\r\n";
  out += "\t</DATASET>\r\n";
}

namespace {

struct ColumnLine {
  const char* name;
  const char* type;
  int length;
};

std::vector<std::string> columnLines(const std::vector<ColumnLine>& columns) {
  std::vector<std::string> lines;
  for (const ColumnLine& column : columns) lines.push_back(columnLine(column.name, column.type, column.length));
  return lines;
}

const std::vector<ColumnLine> kMoney = {{"Description", "STRING", 25}, {"Dollars", "FLOAT", 0}, {"Category", "STRING", 30}};
const std::vector<ColumnLine> kCapital = {{"Description", "STRING", 25}, {"CurrentValue", "FLOAT", 0},
                                          {"DeprType", "STRING", 20},    {"DeprRate", "FLOAT", 0},
                                          {"DeprYear", "FLOAT", 0}};
const std::vector<ColumnLine> kBalance = {
    {"Description", "STRING", 25}, {"Beginning", "FLOAT", 0}, {"Ending", "FLOAT", 0}, {"Change", "FLOAT", 0}};
const std::vector<ColumnLine> kPurchFeed = {{"Description", "STRING", 25}, {"Type", "STRING", 10},
                                            {"Beginning", "FLOAT", 0},      {"Ending", "FLOAT", 0},
                                            {"Change", "FLOAT", 0}};
const std::vector<ColumnLine> kUnpaid = {
    {"Description", "STRING", 25}, {"Hours", "FLOAT", 0}, {"DPerHour", "FLOAT", 0}, {"TotDollars", "FLOAT", 0}};
const std::vector<ColumnLine> kCropAlloc = {{"Enterprise", "STRING", 20}, {"Crop", "INTEGER", 0},
                                            {"Alloc", "FLOAT", 0},        {"Dollars", "FLOAT", 0},
                                            {"Feed", "INTEGER", 0},       {"Bedding", "INTEGER", 0}};
const std::vector<ColumnLine> kTransfers = {
    {"FromEnterprise", "STRING", 20}, {"FromCategory", "INTEGER", 0}, {"ToEnterprise", "STRING", 20},
    {"ToCategory", "INTEGER", 0},     {"Description", "STRING", 30},  {"NumHead", "INTEGER", 0},
    {"LbsPerHead", "FLOAT", 0},       {"PricePerHead", "FLOAT", 0},   {"PricePerLB", "FLOAT", 0}};
const std::vector<ColumnLine> kInventory = {
    {"Enterprise", "STRING", 20}, {"TransferType", "INTEGER", 0}, {"Description", "STRING", 20},
    {"NumHead", "INTEGER", 0},    {"LbsPerHead", "FLOAT", 0},     {"PricePerHead", "FLOAT", 0},
    {"PricePerLB", "FLOAT", 0}};
const std::vector<ColumnLine> kPastureLines = {
    {"Description", "STRING", 20}, {"NumAnimals", "INTEGER", 0}, {"AUE", "FLOAT", 0}, {"NumDays", "INTEGER", 0},
    {"TotalAums", "FLOAT", 0},     {"Dollars", "FLOAT", 0},      {"Total", "FLOAT", 0}};

std::string enterpriseDataSetName(int kind, int index) {
  switch (kind) {
    case kPasture: return "Pasture" + std::to_string(index);
    case kGrain: return "Grain" + std::to_string(index);
    case kStraw: return "Straw" + std::to_string(index);
    default: return enterpriseId(kind, index);
  }
}

}  // namespace

std::string ConfigurationWriter::configurationText(Farm& farm) {
  const std::vector<EnterpriseRow> enterprises = registryRows(master_);
  std::vector<std::string> allLines;
  std::vector<std::string> livestockLines;
  for (const EnterpriseRow& row : enterprises) {
    const std::string line = columnLine(row.id, "INTEGER", 0);
    allLines.push_back(line);
    if (row.kind == kCowCalf || row.kind == kFeeders || row.kind == kOther) livestockLines.push_back(line);
  }

  std::string out = prologLine() + rootStartLine("COPCONFIG");
  WriteDataSet(info_, "Information", out);
  WriteDataSet(master_, "Master", out);
  writeEmptyDataSet(out, "Revenue", columnLines(kMoney), allLines);
  writeEmptyDataSet(out, "Expenses", columnLines(kMoney), allLines);
  writeEmptyDataSet(out, "Machinery", columnLines(kCapital), allLines);
  writeEmptyDataSet(out, "Buildings", columnLines(kCapital), allLines);
  writeEmptyDataSet(out, "Accounts Receivable", columnLines(kBalance), allLines);
  writeEmptyDataSet(out, "Accounts Payable", columnLines(kBalance), allLines);
  writeEmptyDataSet(out, "Supply Inventory", columnLines(kBalance), allLines);
  writeEmptyDataSet(out, "Purchased Feed Inventory", columnLines(kPurchFeed), livestockLines);
  writeEmptyDataSet(out, "Unpaid Labour", columnLines(kUnpaid), allLines);
  writeEmptyDataSet(out, "Crop Allocations", columnLines(kCropAlloc), livestockLines);
  writeEmptyDataSet(out, "Transfers", columnLines(kTransfers), {});
  writeEmptyDataSet(out, "Inventory", columnLines(kInventory), {});

  for (const EnterpriseRow& row : enterprises) {
    const std::string name = enterpriseDataSetName(row.kind, row.index);
    switch (row.kind) {
      case kCowCalf: writeEnterpriseData(out, name, 10, cowCalfRowTexts(), farm.table("memCowcalf"), {}); break;
      case kFeeders: writeEnterpriseData(out, name, 9, feederRowTexts(), farm.table("memFeeders"), {}); break;
      case kForage:
      case kGrain:
      case kStraw: writeEnterpriseData(out, name, 5, cropRowTexts(), farm.table("memCrops"), row.crops); break;
      case kPasture:
      case kAftermath: writeEmptyDataSet(out, name, columnLines(kPastureLines), livestockLines); break;
      case kOther: writeEnterpriseData(out, name, 0, {}, farm.table("memOther"), {}); break;
      default: break;
    }
  }
  out += rootEndLine();
  return out;
}

void ConfigurationWriter::save(Farm& farm, const std::string& path) {
  buildRegistry();
  const std::string text = configurationText(farm);
  try {
    writeFileAtomically(path, encodeFileText(text));
  } catch (const Error&) {
    throw Error("Could not create ranchbook$ file \"" + path + "\"");
  }
}

}  // namespace rb
