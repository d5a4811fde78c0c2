#pragma once
// The recomputations of the enterprise worksheets, each run by the sheet's
// change handler (FarmRules) on the line or column that changed.
#include <string>
#include <vector>

namespace rb {

class MemTable;

// Cow-calf: the ending inventory of a count column is the flow of the rows
// above it, and an empty ending price takes the price per head. Weight
// columns and the Description column are left alone.
void recomputeCowCalfColumn(MemTable& sheet, int column);

// Feeders: the entered ending inventory against the one the rows imply.
struct FeederReconciliation {
  long long calculated = 0;
  long long entered = 0;
  std::vector<std::string> lines;  // the notes shown beside the grid
  bool warning = false;            // the warning picture is shown
};
FeederReconciliation reconcileFeederSheet(const MemTable& sheet);

// Crops: the block of the current row after a change of `column`. While the
// crop allocation pop-up is closed, a unit chosen on a "Transfers Out" or
// separator row is emptied again.
void recalcCropBlock(MemTable& sheet, int column, bool allocationPopupOpen);

// Pasture and aftermath: AUMs and value of the current line; other
// enterprises: the change in value of the current line. The line must be in
// edit or insert state.
void computeGrazingLine(MemTable& sheet);
void computeOtherLine(MemTable& sheet);

}  // namespace rb
