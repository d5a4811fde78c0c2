#include "worksheets/transfer_lines.h"

#include <array>
#include <map>

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "worksheets/table_edits.h"
#include "worksheets/worksheet_layout.h"

namespace rb {

const char* animalClassName(int animalClass) {
  static const char* names[] = {"",      "Bull / Steer Calves", "Heifer Calves",    "Yearling Bulls",
                                "Yearling Heifers", "Bulls",    "Cows/Bred Heifers"};
  return animalClass >= 1 && animalClass <= 6 ? names[animalClass] : "";
}

int classGrownInto(int animalClass) {
  static const int grown[] = {0, 3, 4, 5, 6, 5, 6};
  return animalClass >= 1 && animalClass <= 6 ? grown[animalClass] : 0;
}

namespace {

// The label of an id in the registry (exact comparison), else the id itself.
std::string displayLabel(const Farm& farm, std::string_view id) {
  for (const EnterpriseRow& row : farm.enterprises())
    if (row.id == id) return row.label;
  return std::string(id);
}

const EnterpriseRow* findRegistered(const std::vector<EnterpriseRow>& rows, std::string_view id) {
  for (const EnterpriseRow& row : rows)
    if (equalsNoCase(row.id, id)) return &row;
  return nullptr;
}

struct TransferColumns {
  int from, fromCategory, to, toCategory, description, numHead, lbs, pricePerHead, pricePerLb;
  explicit TransferColumns(const MemTable& t)
      : from(t.FieldIndex("FromEnterprise")),
        fromCategory(t.FieldIndex("FromCategory")),
        to(t.FieldIndex("ToEnterprise")),
        toCategory(t.FieldIndex("ToCategory")),
        description(t.FieldIndex("Description")),
        numHead(t.FieldIndex("NumHead")),
        lbs(t.FieldIndex("LbsPerHead")),
        pricePerHead(t.FieldIndex("PricePerHead")),
        pricePerLb(t.FieldIndex("PricePerLB")) {}
};

template <typename T>
std::optional<T> cellAt(const MemTable& table, int row, int column) {
  if (isNull(table.ValueAt(row, column))) return std::nullopt;
  return static_cast<T>(table.FloatAt(row, column));
}

int intAt(const MemTable& table, int row, int column) { return static_cast<int>(table.FloatAt(row, column)); }

TransferLine lineAt(const MemTable& t, const TransferColumns& c, int row) {
  TransferLine line;
  line.fromEnterprise = t.StringAt(row, c.from);
  line.fromCategory = intAt(t, row, c.fromCategory);
  line.toEnterprise = t.StringAt(row, c.to);
  line.toCategory = intAt(t, row, c.toCategory);
  line.description = t.StringAt(row, c.description);
  line.numHead = cellAt<int>(t, row, c.numHead);
  line.lbsPerHead = cellAt<double>(t, row, c.lbs);
  line.pricePerHead = cellAt<double>(t, row, c.pricePerHead);
  line.pricePerLb = cellAt<double>(t, row, c.pricePerLb);
  return line;
}

bool isFromSource(const MemTable& t, const TransferColumns& c, int row, std::string_view sourceId, int category) {
  return equalsNoCase(t.StringAt(row, c.from), sourceId) && intAt(t, row, c.fromCategory) == category;
}

template <typename T>
void setCell(Field& field, const std::optional<T>& value) {
  if (value)
    field.SetAsFloat(static_cast<double>(*value));
  else
    field.Clear();
}

// The source must be a registered feeder group (class 0) or a registered
// cow-calf herd with a class from 1 to 6.
const EnterpriseRow& requireSource(const std::vector<EnterpriseRow>& rows, std::string_view sourceId, int category) {
  const EnterpriseRow* source = findRegistered(rows, sourceId);
  if (!source || (source->kind != kFeeders && source->kind != kCowCalf))
    throw Error(format("%s is not a livestock enterprise of this farm", std::string(sourceId).c_str()));
  if (source->kind == kFeeders && category != 0)
    throw Error(format("A feeder group transfers out with category 0, not %d", category));
  if (source->kind == kCowCalf && (category < 1 || category > 6))
    throw Error(format("A cow-calf class is 1 to 6, not %d", category));
  return *source;
}

}  // namespace

std::string transferDialogTitle(const Farm& farm, std::string_view sourceId, int category) {
  if (KindOf(sourceId) == kFeeders) return "Feeders from " + displayLabel(farm, sourceId);
  return std::string(animalClassName(category)) + " from " + displayLabel(farm, sourceId);
}

std::vector<TransferLine> loadTransferLines(const Farm& farm, std::string_view sourceId, int category) {
  const MemTable& transfers = farm.table("memTransfer");
  const TransferColumns columns(transfers);
  std::vector<TransferLine> lines;
  for (int row = 0; row < transfers.RecordCount(); ++row)
    if (isFromSource(transfers, columns, row, sourceId, category)) lines.push_back(lineAt(transfers, columns, row));
  return lines;
}

std::vector<TransferLine> offeredTransferLines(const Farm& farm, std::string_view sourceId, int category) {
  std::vector<TransferLine> lines;
  const bool fromFeeders = KindOf(sourceId) == kFeeders;
  auto offer = [&](const EnterpriseRow& to, int toCategory, const std::string& description) {
    TransferLine line;
    line.fromEnterprise = std::string(sourceId);
    line.fromCategory = fromFeeders ? 0 : category;
    line.toEnterprise = to.id;
    line.toCategory = toCategory;
    line.description = description;
    lines.push_back(std::move(line));
  };
  for (const EnterpriseRow& to : farm.enterprises()) {
    const bool self = equalsNoCase(to.id, sourceId);
    if (fromFeeders) {
      if (to.kind == kFeeders && !self) offer(to, 0, to.label + "  [Feeders]");
      if (to.kind == kCowCalf) {
        offer(to, 3, to.label + "  [Yearling Bulls]");
        offer(to, 4, to.label + "  [Yearling Heifers]");
        offer(to, 5, to.label + "  [Bulls]");
        offer(to, 6, to.label + "  [Cows / Bred Heifers]");
      }
    } else {
      if (to.kind == kFeeders) offer(to, 0, to.label + " [Feeders]");
      // Calves and yearlings may stay in their own herd a class up; bulls and
      // cows can only change herds.
      if (to.kind == kCowCalf && !(self && category >= 5)) {
        const int grown = classGrownInto(category);
        offer(to, grown, to.label + "  [" + animalClassName(grown) + "]");
      }
    }
  }
  return lines;
}

std::vector<TransferLine> openTransferLines(const Farm& farm, std::string_view sourceId, int category) {
  std::vector<TransferLine> lines = loadTransferLines(farm, sourceId, category);
  return lines.empty() ? offeredTransferLines(farm, sourceId, category) : lines;
}

void transferLineChanged(TransferLine& line, TransferColumn changed) {
  const double lbs = line.lbsPerHead.value_or(0);
  // A weight typed after a price per head prices the lb from it, rather than
  // overwriting the typed price with weight times an empty price per lb.
  if (changed == TransferColumn::LbsPerHead && !line.pricePerLb && line.pricePerHead)
    changed = TransferColumn::PricePerHead;
  if (changed == TransferColumn::PricePerHead) {
    if (lbs > 0.01) line.pricePerLb = RoundTo2(line.pricePerHead.value_or(0) / lbs);
  } else if (changed == TransferColumn::PricePerLb || changed == TransferColumn::LbsPerHead) {
    line.pricePerHead = lbs * line.pricePerLb.value_or(0);
  }
}

long long updateTransfers(Farm& farm, std::string_view sourceId, int category, const std::vector<TransferLine>& lines) {
  const std::vector<EnterpriseRow> registry = farm.enterprises();
  const EnterpriseRow& source = requireSource(registry, sourceId, category);
  MemTable& sheet = farm.enterpriseTable(source.id);
  const int sheetRow = source.kind == kFeeders ? feeders::kTransfersOut : cowcalf::kTransfersOut;
  const int column = source.kind == kFeeders ? feeders::kFeedersColumn : cowcalf::columnOfClass(category);
  if (sheet.RecordCount() <= sheetRow || sheet.FieldCount() <= column)
    throw Error(format("The worksheet of %s has no \"Transfers out\" row", source.id.c_str()));
  long long total = 0;
  for (const TransferLine& line : lines) {
    total += line.numHead.value_or(0);
    requireFinite(line.lbsPerHead.value_or(0), "A weight per head");
    requireFinite(line.pricePerHead.value_or(0), "A price per head");
    requireFinite(line.pricePerLb.value_or(0), "A price per lb");
  }
  toInteger32(static_cast<double>(total));

  MemTable& transfers = farm.table("memTransfer");
  const TransferColumns columns(transfers);
  {
    ProgramUpdate busy(farm);
    deleteRowsWhere(transfers, [&](int row) { return isFromSource(transfers, columns, row, source.id, category); });
    for (const TransferLine& line : lines) {
      transfers.Append();
      transfers.FieldAt(columns.from).SetAsString(source.id);
      transfers.FieldAt(columns.fromCategory).SetAsInteger(category);
      transfers.FieldAt(columns.to).SetAsString(line.toEnterprise);
      transfers.FieldAt(columns.toCategory).SetAsInteger(line.toCategory);
      transfers.FieldAt(columns.description).SetAsString(line.description);
      setCell(transfers.FieldAt(columns.numHead), line.numHead);
      setCell(transfers.FieldAt(columns.lbs), line.lbsPerHead);
      setCell(transfers.FieldAt(columns.pricePerHead), line.pricePerHead);
      setCell(transfers.FieldAt(columns.pricePerLb), line.pricePerLb);
      transfers.Post();
    }
  }

  // Not under the busy flag: the sheet's rules recompute its ending inventory.
  moveToRow(sheet, sheetRow);
  sheet.Edit();
  sheet.FieldAt(column).SetAsFloat(static_cast<double>(total));
  PostIfEditing(sheet);
  rebuildTransfersIn(farm);
  return total;
}

void rebuildTransfersIn(Farm& farm) {
  // Head received per herd or group (index 1 to 5) and class (0 for feeders).
  std::array<std::array<long long, 7>, kMaxPerKind + 1> herds{};
  std::array<long long, kMaxPerKind + 1> groups{};
  const MemTable& transfers = farm.table("memTransfer");
  const TransferColumns columns(transfers);
  for (int row = 0; row < transfers.RecordCount(); ++row) {
    const long long head = static_cast<long long>(transfers.FloatAt(row, columns.numHead));
    if (head <= 0) continue;
    const std::string to = transfers.StringAt(row, columns.to);
    const int index = indexOfId(to);
    if (index < 1 || index > kMaxPerKind) continue;
    if (containsText(lowerCase(to), "cowcalf")) {
      const int toCategory = intAt(transfers, row, columns.toCategory);
      if (toCategory >= 1 && toCategory <= 6) herds[index][toCategory] += head;
    } else if (KindOf(to) == kFeeders) {
      groups[index] += head;
    }
  }

  for (int index = 1; index <= kMaxPerKind; ++index) {
    MemTable& sheet = farm.enterpriseTable(enterpriseId(kFeeders, index));
    if (sheet.RecordCount() <= feeders::kTransfersIn) continue;
    moveToRow(sheet, feeders::kTransfersIn);
    sheet.Edit();
    sheet.FieldAt(feeders::kFeedersColumn).SetAsFloat(static_cast<double>(groups[index]));
    PostIfEditing(sheet);
  }
  for (int index = 1; index <= kMaxPerKind; ++index) {
    MemTable& sheet = farm.enterpriseTable(enterpriseId(kCowCalf, index));
    if (sheet.RecordCount() <= cowcalf::kTransfersIn) continue;
    // A herd receives only yearlings and breeding stock; its two calf cells
    // of "Transfers in" are never written, so calves sent into a herd (only
    // possible in an edited file) are counted nowhere.
    for (int animalClass = 3; animalClass <= 6; ++animalClass) {
      const int column = cowcalf::columnOfClass(animalClass);
      const double head = static_cast<double>(herds[index][animalClass]);
      moveToRow(sheet, cowcalf::kTransfersIn);
      sheet.Edit();
      sheet.FieldAt(column).SetAsFloat(head);
      PostIfEditing(sheet);
    }
  }
}

TransfersInNarrative transfersInNarrative(const Farm& farm, std::string_view enterpriseId, int category) {
  TransfersInNarrative narrative;
  narrative.caption =
      "Transfers into Feeder Enterprise: " + displayLabel(farm, enterpriseId) + " " + animalClassName(category);
  const MemTable& transfers = farm.table("memTransfer");
  const TransferColumns columns(transfers);
  for (int row = 0; row < transfers.RecordCount(); ++row) {
    const TransferLine line = lineAt(transfers, columns, row);
    if (!equalsNoCase(line.toEnterprise, enterpriseId) || line.numHead.value_or(0) <= 0 ||
        line.toCategory != category)
      continue;
    const std::string head = std::to_string(*line.numHead);
    narrative.lines.push_back("... ");
    if (equalsNoCase(line.fromEnterprise, enterpriseId))
      narrative.lines.push_back("Within Enterprise Transfer of " + head +
                                " animals from: " + animalClassName(line.fromCategory));
    else
      narrative.lines.push_back("Transfer of  " + head + " animals from: " + displayLabel(farm, line.fromEnterprise) +
                                "  " + animalClassName(line.fromCategory));
    narrative.lines.push_back(format("Weight: %.0f | Price Per Lb: %.2f | Price Per Head : %.2f",
                                     line.lbsPerHead.value_or(0), line.pricePerLb.value_or(0),
                                     line.pricePerHead.value_or(0)));
  }
  if (narrative.lines.empty()) narrative.lines.push_back("No Transfers found...");
  return narrative;
}

}  // namespace rb
