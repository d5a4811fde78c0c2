#include "export/text_export.h"

#include <ctime>
#include <map>

#include "files/atomic_file.h"

#include "files/text_codec.h"
#include "model/text_util.h"

namespace rb {
namespace {

constexpr const char* kLineEnd = "\r\n";

// Bookkeeping columns a spreadsheet user has no use for.
bool isExcludedTitle(const std::string& title) {
  for (const char* excluded : {"row", "sortOrder", "itemOrder"})
    if (equalsNoCase(title, excluded)) return true;
  return false;
}

std::string cellText(const Value& value) {
  if (const auto* d = std::get_if<double>(&value)) return format("%.4f", *d);
  if (const auto* i = std::get_if<std::int32_t>(&value)) return integerToText(*i);
  if (const auto* b = std::get_if<bool>(&value)) return booleanToText(*b);
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  return "";
}

std::string joinedWithTabs(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  return line;
}

// ExportTable: a heading, the column titles and one line per row, in the
// table's present order; nothing for a table without rows.
void exportTable(std::string& out, const MemTable& table, const std::string& title) {
  if (table.RecordCount() == 0) return;
  std::vector<int> columns;
  std::vector<std::string> titles;
  for (int i = 0; i < table.FieldCount(); ++i) {
    const std::string& label = table.FieldAt(i).DisplayLabel();
    if (isExcludedTitle(label)) continue;
    columns.push_back(i);
    titles.push_back(label);
  }
  out += title + kLineEnd;
  out += joinedWithTabs(titles) + kLineEnd;
  for (int row = 0; row < table.RecordCount(); ++row) {
    std::vector<std::string> cells;
    for (int column : columns) cells.push_back(cellText(table.ValueAt(row, column)));
    out += joinedWithTabs(cells) + kLineEnd;
  }
  out += kLineEnd;
}

std::string infoText(const Farm& farm, const char* column) {
  const MemTable& info = farm.table("memInfo");
  const int index = info.FieldIndex(column);
  return info.RecordCount() > 0 && index >= 0 ? info.StringAt(0, index) : "";
}

// The platform's short date form; the C locale gives mm/dd/yy.
std::string shortDate(const CalendarDate& date) {
  std::tm parts{};
  parts.tm_year = date.year - 1900;
  parts.tm_mon = date.month - 1;
  parts.tm_mday = date.day;
  char buffer[64];
  const std::size_t length = std::strftime(buffer, sizeof buffer, "%x", &parts);
  return std::string(buffer, length);
}

const char* kindSectionName(int kind) {
  switch (kind) {
    case kCowCalf: return "Cowcalf";
    case kFeeders: return "Feeders";
    case kForage: return "Forage";
    case kPasture: return "Pasture";
    case kGrain: return "Grain";
    case kStraw: return "Straw";
    case kOther: return "Other";
    default: return "";
  }
}

}  // namespace

std::string textExport(const Farm& farm, const TextExportHeading& heading) {
  std::string out = "Export from RanchBook$ Produced " + shortDate(heading.producedOn) + kLineEnd;
  out += "FILE: " + heading.filePath + " " + infoText(farm, "Name") + " " + infoText(farm, "business") + " " +
         infoText(farm, "fiscalyearend") + kLineEnd;
  out += kLineEnd;

  static const std::pair<const char*, const char*> kFarmSections[] = {
      {"memRevenue", "Revenue"},
      {"memExpenses", "Expenses"},
      {"memMachinery", "Depreciation on Machinery"},
      {"memBuildings", "Depreciation on Buildings"},
      {"memAcRec", "Accounts Receivable"},
      {"memAcPay", "Accounts Payable"},
      {"memSupplyInv", "Supply Inventory"},
      {"memPurchFeedInv", "Purchased Feed Inventory"},
      {"memUnpaid", "Unpaid Labour"},
      {"memTransfer", "Transfers between and within enterprises"},
      {"memCropAlloc", "Crop Allocations"},
  };
  for (const auto& [table, title] : kFarmSections) exportTable(out, farm.table(table), title);

  // The worksheets in the order of the pages: each kind's five pages in turn,
  // each shown page captioned with its enterprise's label.
  std::map<std::string, std::string> captions;
  for (const EnterpriseRow& row : farm.enterprises()) captions.emplace(lowerCase(row.id), row.label);
  for (int kind = kCowCalf; kind <= kOther; ++kind) {
    for (int index = 1; index <= maxEnterprisesOfKind(kind); ++index) {
      const std::string id = enterpriseId(kind, index);
      const MemTable& table = farm.table("mem" + id);
      if (kind == kAftermath) {
        exportTable(out, table, "Aftermath Grazing");
      } else if (const auto caption = captions.find(id); caption != captions.end()) {
        exportTable(out, table, kindSectionName(kind) + std::to_string(index) + " - " + caption->second);
      }
    }
  }
  return out;
}

void ExportTextFile(const Farm& farm, const TextExportHeading& heading, const std::string& path) {
  const std::string bytes = encodeFileText(textExport(farm, heading));
  try {
    writeFileAtomically(path, bytes);
  } catch (const Error&) {
    throw Error("Could not open File \"" + path + "\". Bad name, or in use by another application.");
  }
}

}  // namespace rb
