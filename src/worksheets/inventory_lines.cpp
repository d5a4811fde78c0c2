#include "worksheets/inventory_lines.h"

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "worksheets/table_edits.h"
#include "worksheets/worksheet_layout.h"

namespace rb {

const char* inventoryTypeName(int type) {
  switch (type) {
    case kBeginningInventory: return "Beginning Inventory";
    case kPurchases: return "Purchases";
    case kSales: return "Sales";
    case kEndingInventory: return "Ending Inventory";
    default: return "";
  }
}

std::string inventoryDialogTitle(const Farm& farm, std::string_view feederId, int type) {
  return std::string(inventoryTypeName(type)) + " for " + farm.LabelOf(feederId);
}

bool inventoryPricesLocked(int type) { return type == kPurchases || type == kSales; }

namespace {

template <typename T>
std::optional<T> cellAt(const MemTable& table, int row, int column) {
  if (isNull(table.ValueAt(row, column))) return std::nullopt;
  return static_cast<T>(table.FloatAt(row, column));
}

template <typename T>
void setCell(Field& field, const std::optional<T>& value) {
  if (value)
    field.SetAsFloat(static_cast<double>(*value));
  else
    field.Clear();
}

bool isLineOf(const MemTable& inventory, int row, std::string_view feederId, int type) {
  return equalsNoCase(inventory.StringAt(row, inventory.FieldIndex("Enterprise")), feederId) &&
         !isNull(inventory.ValueAt(row, inventory.FieldIndex("TransferType"))) &&
         static_cast<int>(inventory.FloatAt(row, inventory.FieldIndex("TransferType"))) == type;
}

}  // namespace

std::vector<InventoryLine> loadInventoryLines(const Farm& farm, std::string_view feederId, int type) {
  const MemTable& inventory = farm.table("memInventory");
  std::vector<InventoryLine> lines;
  for (int row = 0; row < inventory.RecordCount(); ++row) {
    if (!isLineOf(inventory, row, feederId, type)) continue;
    InventoryLine line;
    line.description = inventory.StringAt(row, inventory.FieldIndex("Description"));
    line.numHead = cellAt<int>(inventory, row, inventory.FieldIndex("NumHead"));
    line.lbsPerHead = cellAt<double>(inventory, row, inventory.FieldIndex("LbsPerHead"));
    line.pricePerHead = cellAt<double>(inventory, row, inventory.FieldIndex("PricePerHead"));
    line.pricePerLb = cellAt<double>(inventory, row, inventory.FieldIndex("PricePerLB"));
    lines.push_back(std::move(line));
  }
  return lines;
}

void inventoryLineChanged(InventoryLine& line, InventoryColumn changed) {
  const double lbs = line.lbsPerHead.value_or(0);
  // A weight typed after a price per head prices the lb from it, rather than
  // overwriting the typed price with weight times an empty price per lb.
  if (changed == InventoryColumn::LbsPerHead && !line.pricePerLb && line.pricePerHead)
    changed = InventoryColumn::PricePerHead;
  if (changed == InventoryColumn::PricePerLb || changed == InventoryColumn::LbsPerHead) {
    line.pricePerHead = RoundTo2(lbs * line.pricePerLb.value_or(0));
  } else if (changed == InventoryColumn::PricePerHead && lbs > 0.1) {
    line.pricePerLb = RoundTo2(line.pricePerHead.value_or(0) / lbs);
  }
}

InventoryTotals applyInventoryLines(Farm& farm, std::string_view feederId, int type,
                                    const std::vector<InventoryLine>& lines) {
  const int sheetRow = feeders::rowOfInventoryType(type);
  if (sheetRow < 0) throw Error(format("Inventory line type %d is not one of 1 to 4", type));
  if (KindOf(feederId) != kFeeders || !isKnownEnterpriseId(feederId))
    throw Error(format("%s is not a feeder enterprise", std::string(feederId).c_str()));
  MemTable& sheet = farm.enterpriseTable(feederId);
  if (sheet.RecordCount() < feeders::kRowCount)
    throw Error(format("The worksheet of %s has no inventory rows", std::string(feederId).c_str()));
  const std::string id = lowerCase(feederId);

  InventoryTotals totals;
  for (const InventoryLine& line : lines) {
    const double head = line.numHead.value_or(0);
    totals.head += line.numHead.value_or(0);
    totals.lbs += head * line.lbsPerHead.value_or(0);
    totals.dollars += head * line.pricePerHead.value_or(0);
  }
  if (totals.head >= 1) {
    totals.averageLbs = totals.lbs / static_cast<double>(totals.head);
    totals.averagePrice = totals.dollars / static_cast<double>(totals.head);
  }
  for (const InventoryLine& line : lines) {
    requireFinite(line.lbsPerHead.value_or(0), "A weight per head");
    requireFinite(line.pricePerHead.value_or(0), "A price per head");
    requireFinite(line.pricePerLb.value_or(0), "A price per lb");
  }
  requireFinite(totals.lbs, "The total weight");
  requireFinite(totals.dollars, "The total value");
  // The sheet's count cells are whole numbers: refuse totals they cannot
  // hold before anything is changed.
  toInteger32(static_cast<double>(totals.head));
  toInteger32(roundHalfEven(totals.averagePrice));

  ProgramUpdate busy(farm);
  MemTable& inventory = farm.table("memInventory");
  deleteRowsWhere(inventory, [&](int row) { return isLineOf(inventory, row, feederId, type); });
  for (const InventoryLine& line : lines) {
    inventory.Append();
    inventory.FieldByName("Enterprise").SetAsString(id);
    inventory.FieldByName("TransferType").SetAsInteger(type);
    inventory.FieldByName("Description").SetAsString(line.description);
    setCell(inventory.FieldByName("NumHead"), line.numHead);
    setCell(inventory.FieldByName("LbsPerHead"), line.lbsPerHead);
    setCell(inventory.FieldByName("PricePerHead"), line.pricePerHead);
    setCell(inventory.FieldByName("PricePerLB"), line.pricePerLb);
    inventory.Post();
  }

  moveToRow(sheet, sheetRow);
  sheet.Edit();
  sheet.FieldByName("Feeders").SetAsFloat(static_cast<double>(totals.head));
  sheet.FieldByName("Lbsperhead").SetAsFloat(roundHalfEven(totals.averageLbs));
  sheet.FieldByName("LbsTotal").SetAsFloat(totals.lbs);
  sheet.Post();
  if (type == kBeginningInventory || type == kEndingInventory) {
    sheet.Next();
    sheet.Edit();
    sheet.FieldByName("Feeders").SetAsFloat(roundHalfEven(totals.averagePrice));
    sheet.Post();
  }
  return totals;
}

}  // namespace rb
