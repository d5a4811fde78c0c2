#pragma once
// The fixed shape of the enterprise worksheets: row positions, flow signs,
// the cells a user may type into, and how crop rows fall into blocks.
#include <string>
#include <string_view>
#include <vector>

namespace rb {

// Cow-calf sheet rows (0-based).
namespace cowcalf {
constexpr int kBeginning = 0, kPrice = 1, kBirths = 2, kPurchases = 3, kDeaths = 4, kSales = 5, kTransfersIn = 6,
              kTransfersOut = 7, kEnding = 8, kEndingPrice = 9, kRowCount = 10;
// +1, 0 or -1 for the rows from beginning to transfers out.
int flowSign(int row);
bool isEditable(int row, int column);
// The animal class (1 to 6) of a count column, 0 for Description and weights.
int classOfColumn(int column);
// The count column of a class (1 to 6).
int columnOfClass(int animalClass);
bool isWeightColumn(int column);
}  // namespace cowcalf

// Feeder sheet rows (0-based).
namespace feeders {
constexpr int kBeginning = 0, kPrice = 1, kPurchases = 2, kDeaths = 3, kSales = 4, kTransfersIn = 5,
              kTransfersOut = 6, kEnding = 7, kEndingPrice = 8, kRowCount = 9;
constexpr int kFeedersColumn = 1;
int flowSign(int row);
bool isEditable(int row, int column);
// Inventory line type (1 beginning, 2 purchases, 3 sales, 4 ending) of a
// sheet row, 0 for rows without inventory lines.
int inventoryTypeOfRow(int row);
int rowOfInventoryType(int type);
}  // namespace feeders

// Crop sheets: five rows per crop block, a separator row before every block
// but the first.
namespace crops {
enum Place { kSeparator = 0, kBeginning = 1, kProduction = 2, kSales = 3, kTransfersOut = 4, kEnding = 5 };
constexpr int kNumUnits = 2, kUnits = 3, kLbsPerUnit = 4, kPricePerUnit = 5, kTotalTonnes = 6, kTotalValue = 7;
constexpr double kLbsPerTonne = 2204.62;
// Place of a 0-based row in its block, and the block's 1-based crop number.
Place placeOfRow(int row);
int cropOfRow(int row);
// 0-based row of a place in a crop's block.
int rowOf(int crop, Place place);
int cropCount(int rowCount);
int flowSign(Place place);
bool isEditable(int row, int column);
// Weight of one unit a unit name imposes, or a negative number when it keeps
// the typed weight ("bales", "bushels").
double unitPresetLbs(std::string_view unit);
// The Units drop-down of a crop kind: "bushels" for grain, "bales" for
// forage and straw, then "tons", "tonnes", "lbs".
const std::vector<std::string>& unitNames(int kind);
}  // namespace crops

// Crop price calculator: dollars per unit from dollars per tonne and the unit
// size in lbs, as "%.2f", or "ERROR" when an input is not a number.
std::string cropUnitPrice(std::string_view dollarsPerTonne, std::string_view unitSizeLbs);

}  // namespace rb
