#include "worksheets/worksheet_layout.h"

#include "model/enterprise_registry.h"
#include "model/text_util.h"
#include "model/values.h"

namespace rb {

namespace cowcalf {

int flowSign(int row) {
  switch (row) {
    case kBeginning:
    case kBirths:
    case kPurchases:
    case kTransfersIn: return 1;
    case kDeaths:
    case kSales:
    case kTransfersOut: return -1;
    default: return 0;
  }
}

bool isWeightColumn(int column) { return column == 2 || column == 4; }

bool isEditable(int row, int column) {
  // Columns 1 to 8: calves, calf weights, heifer calves, heifer weights,
  // yearling bulls, yearling heifers, bulls, cows.
  static const bool editable[kRowCount][8] = {
      {1, 1, 1, 1, 1, 1, 1, 1},  // Beginning Inv.
      {1, 0, 1, 0, 1, 1, 1, 1},  // Price per Head
      {1, 0, 1, 0, 0, 0, 0, 0},  // Live Births
      {1, 1, 1, 1, 1, 1, 1, 1},  // Purchases
      {1, 0, 1, 0, 1, 1, 1, 1},  // Deaths
      {1, 1, 1, 1, 1, 1, 1, 1},  // Sales
      {0, 0, 0, 0, 0, 0, 0, 0},  // Transfers in
      {0, 0, 0, 0, 0, 0, 0, 0},  // Transfers out
      {0, 1, 0, 1, 0, 0, 0, 0},  // Ending Inv.
      {1, 0, 1, 0, 1, 1, 1, 1},  // Ending Price
  };
  if (row < 0 || row >= kRowCount || column < 1 || column > 8) return false;
  return editable[row][column - 1];
}

int classOfColumn(int column) {
  switch (column) {
    case 1: return 1;
    case 3: return 2;
    case 5: return 3;
    case 6: return 4;
    case 7: return 5;
    case 8: return 6;
    default: return 0;
  }
}

int columnOfClass(int animalClass) {
  static const int columns[] = {0, 1, 3, 5, 6, 7, 8};
  return animalClass >= 1 && animalClass <= 6 ? columns[animalClass] : 0;
}

}  // namespace cowcalf

namespace feeders {

int flowSign(int row) {
  switch (row) {
    case kBeginning:
    case kPurchases:
    case kTransfersIn: return 1;
    case kDeaths:
    case kSales:
    case kTransfersOut: return -1;
    default: return 0;
  }
}

// Every other count comes from the inventory lines and the transfers.
bool isEditable(int row, int column) { return row == kDeaths && column == kFeedersColumn; }

int inventoryTypeOfRow(int row) {
  switch (row) {
    case kBeginning: return 1;
    case kPurchases: return 2;
    case kSales: return 3;
    case kEnding: return 4;
    default: return 0;
  }
}

int rowOfInventoryType(int type) {
  static const int rows[] = {-1, kBeginning, kPurchases, kSales, kEnding};
  return type >= 1 && type <= 4 ? rows[type] : -1;
}

}  // namespace feeders

namespace crops {

Place placeOfRow(int row) { return static_cast<Place>((row + 1) % 6); }
int cropOfRow(int row) { return row / 6 + 1; }
int rowOf(int crop, Place place) { return (crop - 1) * 6 + static_cast<int>(place) - 1; }
int cropCount(int rowCount) { return rowCount <= 0 ? 0 : (rowCount + 1) / 6; }

int flowSign(Place place) {
  switch (place) {
    case kBeginning:
    case kProduction: return 1;
    case kSales:
    case kTransfersOut: return -1;
    default: return 0;
  }
}

bool isEditable(int row, int column) {
  // NumUnits, Units, LbsPerUnit, PricePerUnit per place; "Transfers Out" is
  // edited through the allocation pop-up only.
  static const bool editable[6][4] = {
      {0, 0, 0, 0},  // separator
      {1, 1, 1, 1},  // Beginning Inv.
      {1, 1, 1, 0},  // Production
      {1, 1, 1, 0},  // Sales
      {0, 0, 0, 0},  // Transfers Out
      {0, 1, 1, 1},  // Ending Inv.
  };
  if (row < 0 || column < kNumUnits || column > kPricePerUnit) return false;
  return editable[placeOfRow(row)][column - kNumUnits];
}

double unitPresetLbs(std::string_view unit) {
  if (equalsNoCase(unit, "tonnes")) return kLbsPerTonne;
  if (equalsNoCase(unit, "tons")) return 2000.0;
  if (equalsNoCase(unit, "lbs")) return 1.0;
  return -1;
}

const std::vector<std::string>& unitNames(int kind) {
  static const std::vector<std::string> bales = {"bales", "tons", "tonnes", "lbs"};
  static const std::vector<std::string> bushels = {"bushels", "tons", "tonnes", "lbs"};
  return kind == kGrain ? bushels : bales;
}

}  // namespace crops

// The calculator has always divided by 2204.6, not the sheets' 2204.62.
std::string cropUnitPrice(std::string_view dollarsPerTonne, std::string_view unitSizeLbs) {
  const auto perTonne = parseFloat(dollarsPerTonne);
  const auto unitSize = parseFloat(unitSizeLbs);
  if (!perTonne || !unitSize) return "ERROR";
  return format("%.2f", *perTonne * *unitSize / 2204.6);
}

}  // namespace rb
