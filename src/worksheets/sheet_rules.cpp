#include "worksheets/sheet_rules.h"

#include <cstdlib>

#include "model/farm_data_sets.h"
#include "model/mem_table.h"
#include "worksheets/worksheet_layout.h"

namespace rb {

namespace {

void moveTo(MemTable& table, int row) {
  table.First();
  table.MoveBy(row);
}

void returnTo(MemTable& table, MemTable::Bookmark bookmark) {
  if (bookmark != 0 && table.BookmarkValid(bookmark)) table.GotoBookmark(bookmark);
}

// Puts the sheet's cursor back where the user left it when a recomputation
// ends, also when it fails; a failure to move back must not hide the first one.
struct CursorReturn {
  MemTable& sheet;
  MemTable::Bookmark bookmark;
  ~CursorReturn() {
    try {
      returnTo(sheet, bookmark);
    } catch (...) {
    }
  }
};

bool isEmptyCell(const Value& value) {
  if (isNull(value)) return true;
  if (auto* text = std::get_if<std::string>(&value)) return text->empty();
  return false;
}

}  // namespace

// ===========================================================================
// Cow-calf
// ===========================================================================

void recomputeCowCalfColumn(MemTable& sheet, int column) {
  if (column < 1 || column >= sheet.FieldCount() || cowcalf::isWeightColumn(column)) return;
  PostIfEditing(sheet);
  const MemTable::Bookmark remembered = sheet.GetBookmark();
  ControlsDisabled quiet(sheet);
  if (sheet.RecordCount() < cowcalf::kRowCount) return;

  const CursorReturn restore{sheet, remembered};

  double sum = 0;
  for (int row = cowcalf::kBeginning; row <= cowcalf::kTransfersOut; ++row)
    sum += sheet.FloatAt(row, column) * cowcalf::flowSign(row);
  const Value pricePerHead = sheet.ValueAt(cowcalf::kPrice, column);

  moveTo(sheet, cowcalf::kEnding);
  sheet.Edit();
  sheet.FieldAt(column).SetAsFloat(sum);
  sheet.Post();

  // The ending price defaults to the beginning price until one is typed.
  moveTo(sheet, cowcalf::kEndingPrice);
  if (sheet.FieldAt(column).AsFloat() < 0.001) {
    sheet.Edit();
    sheet.FieldAt(column).SetValue(pricePerHead);
    sheet.Post();
  }
}

// ===========================================================================
// Feeders
// ===========================================================================

FeederReconciliation reconcileFeederSheet(const MemTable& sheet) {
  FeederReconciliation result;
  const int column = feeders::kFeedersColumn;
  if (sheet.RecordCount() < feeders::kRowCount || sheet.FieldCount() <= column) return result;
  for (int row = feeders::kBeginning; row <= feeders::kTransfersOut; ++row)
    result.calculated += static_cast<long long>(sheet.FloatAt(row, column)) * feeders::flowSign(row);
  result.entered = static_cast<long long>(sheet.FloatAt(feeders::kEnding, column));

  const std::string calculated = std::to_string(result.calculated);
  if (result.entered > 0 && result.calculated != result.entered) {
    result.warning = true;
    result.lines = {"The ending inventory and the calculated ending inventory are NOT the same.  ",
                    "The calculated ending inventory is " + calculated + ".",
                    "A difference of " + std::to_string(std::llabs(result.calculated - result.entered)) +
                        " animals.  Re-check your figures"};
  } else if (result.entered > 0) {
    result.lines = {"The ending inventory and the calculated ending inventory are the same."};
  } else {
    result.lines = {"No ending inventory entered. Current calculated ending inventory is " + calculated};
  }
  return result;
}

// ===========================================================================
// Crops
// ===========================================================================

namespace {

struct BlockDefaults {
  std::string unit;     // "" when the beginning row has none
  double weight = 0;    // 0 when none
  double price = 0;
};

void fillFromBlock(MemTable& sheet, const BlockDefaults& block, bool fillPrice) {
  using namespace crops;
  if (isEmptyCell(sheet.FieldAt(kUnits).AsValue()) && !block.unit.empty())
    sheet.FieldAt(kUnits).SetAsString(block.unit);
  if (sheet.FieldAt(kLbsPerUnit).IsNull() && block.weight > 0) sheet.FieldAt(kLbsPerUnit).SetAsFloat(block.weight);
  if (fillPrice && sheet.FieldAt(kPricePerUnit).IsNull() && block.price > 0)
    sheet.FieldAt(kPricePerUnit).SetAsFloat(block.price);
}

void computeRowValue(MemTable& sheet) {
  using namespace crops;
  if (sheet.FieldAt(kPricePerUnit).IsNull())
    sheet.FieldAt(kTotalValue).Clear();
  else
    sheet.FieldAt(kTotalValue).SetAsFloat(sheet.FieldAt(kNumUnits).AsFloat() * sheet.FieldAt(kPricePerUnit).AsFloat());
}

}  // namespace

void recalcCropBlock(MemTable& sheet, int column, bool allocationPopupOpen) {
  using namespace crops;
  if (sheet.FieldCount() <= kTotalValue) return;
  const int current = sheet.RecNo() - 1;
  if (current < 0 || current >= sheet.RecordCount()) return;
  const Place place = placeOfRow(current);

  // Units of "Transfers Out" are chosen in the allocation pop-up only.
  if (column == kUnits && (place == kTransfersOut || place == kSeparator) && !allocationPopupOpen) {
    sheet.Edit();
    sheet.FieldAt(kUnits).Clear();
    sheet.Post();
    return;
  }
  if (place == kSeparator) return;

  sheet.Edit();
  const MemTable::Bookmark remembered = sheet.GetBookmark();
  ControlsDisabled quiet(sheet);
  const CursorReturn restore{sheet, remembered};

  if (column == kUnits) {
    const double preset = unitPresetLbs(sheet.FieldAt(kUnits).AsString());
    if (preset > 0) sheet.FieldAt(kLbsPerUnit).SetAsFloat(preset);
  }
  computeRowValue(sheet);
  sheet.Post();

  const int crop = cropOfRow(current);
  const int beginning = rowOf(crop, kBeginning);
  BlockDefaults block;
  block.unit = sheet.StringAt(beginning, kUnits);
  block.weight = sheet.FloatAt(beginning, kLbsPerUnit);
  block.price = sheet.FloatAt(beginning, kPricePerUnit);

  double tonnes = 0;
  for (Place step : {kBeginning, kProduction, kSales, kTransfersOut}) {
    const int row = rowOf(crop, step);
    if (row >= sheet.RecordCount()) return;
    moveTo(sheet, row);
    sheet.Edit();
    const bool priceWasEmpty = sheet.FieldAt(kPricePerUnit).IsNull();
    fillFromBlock(sheet, block, step == kTransfersOut);
    // The row being edited shows the value of the price it now carries.
    if (row == current && priceWasEmpty && !sheet.FieldAt(kPricePerUnit).IsNull()) computeRowValue(sheet);
    const double rowTonnes =
        RoundTo2(sheet.FieldAt(kLbsPerUnit).AsFloat() * sheet.FieldAt(kNumUnits).AsFloat() / kLbsPerTonne);
    sheet.FieldAt(kTotalTonnes).SetAsFloat(rowTonnes);
    sheet.Post();
    tonnes += rowTonnes * flowSign(step);
  }

  const int ending = rowOf(crop, kEnding);
  if (ending >= sheet.RecordCount()) return;
  moveTo(sheet, ending);
  sheet.Edit();
  fillFromBlock(sheet, block, true);
  const double endingTonnes = RoundTo2(tonnes);
  sheet.FieldAt(kTotalTonnes).SetAsFloat(endingTonnes);
  const double lbsPerUnit = sheet.FieldAt(kLbsPerUnit).AsFloat();
  if (lbsPerUnit <= 0.001)
    sheet.FieldAt(kNumUnits).Clear();
  else
    sheet.FieldAt(kNumUnits).SetAsFloat(RoundTo1(endingTonnes * kLbsPerTonne / lbsPerUnit));
  sheet.FieldAt(kTotalValue).SetAsFloat(sheet.FieldAt(kNumUnits).AsFloat() * sheet.FieldAt(kPricePerUnit).AsFloat());
  sheet.Post();
}

// ===========================================================================
// Pasture, aftermath and other enterprises
// ===========================================================================

void computeGrazingLine(MemTable& sheet) {
  const double aums = roundHalfEven(sheet.FieldByName("NumAnimals").AsFloat() * sheet.FieldByName("AUE").AsFloat() *
                                    sheet.FieldByName("NumDays").AsFloat() / 30.0);
  sheet.FieldByName("TotalAums").SetAsFloat(aums);
  sheet.FieldByName("Total").SetAsFloat(roundHalfEven(aums * sheet.FieldByName("Dollars").AsFloat()));
}

void computeOtherLine(MemTable& sheet) {
  const double ending = sheet.FieldByName("EndQuantity").AsFloat() * sheet.FieldByName("EndPrice").AsFloat();
  const double beginning = sheet.FieldByName("BegQuantity").AsFloat() * sheet.FieldByName("BegPrice").AsFloat();
  sheet.FieldByName("Change").SetAsFloat(RoundTo2(ending - beginning));
}

}  // namespace rb
