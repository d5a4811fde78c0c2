#pragma once
// The inventory-line dialog of a feeder group, without its window: the
// working lines it shows, the price recomputation while they are edited, and
// the closing step that stores them and writes their totals into the sheet.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb {

class Farm;

// Inventory line types.
enum InventoryType { kBeginningInventory = 1, kPurchases = 2, kSales = 3, kEndingInventory = 4 };
// "Beginning Inventory", "Purchases", "Sales", "Ending Inventory"; "" otherwise.
const char* inventoryTypeName(int type);
// The dialog's title: "Purchases for " and the feeder group's label.
std::string inventoryDialogTitle(const Farm& farm, std::string_view feederId, int type);
// Purchases and sales carry no prices: those cells are locked in the dialog.
bool inventoryPricesLocked(int type);

// One working line; an empty cell is nullopt.
struct InventoryLine {
  std::string description;
  std::optional<int> numHead;
  std::optional<double> lbsPerHead;
  std::optional<double> pricePerHead;
  std::optional<double> pricePerLb;
  bool operator==(const InventoryLine&) const = default;
};
enum class InventoryColumn { Description, NumHead, LbsPerHead, PricePerHead, PricePerLb };

// The stored lines of one feeder group and type, in table order.
std::vector<InventoryLine> loadInventoryLines(const Farm& farm, std::string_view feederId, int type);

// After a working line's cell changed: a weight or price per lb gives the
// price per head; a price per head gives the price per lb when the weight is
// above 0.1 lbs. Both rounded to cents.
void inventoryLineChanged(InventoryLine& line, InventoryColumn changed);

// What the closing step wrote into the sheet.
struct InventoryTotals {
  long long head = 0;
  double lbs = 0;
  double dollars = 0;
  double averageLbs = 0;    // unrounded
  double averagePrice = 0;  // unrounded
};

// The dialog's DONE: replaces the group's lines of this type with `lines`,
// then writes head, average weight (half to even) and total weight into the
// sheet row of the type, and for beginning and ending inventory the average
// price (half to even) into the price row below it. Throws rb::Error for an
// unknown feeder group or type, with nothing changed.
InventoryTotals applyInventoryLines(Farm& farm, std::string_view feederId, int type,
                                    const std::vector<InventoryLine>& lines);

}  // namespace rb
