#pragma once
// What a grid must know about each cell of a ledger or worksheet: whether the
// user may type into it, which dialog a double-click (or a typed key) opens,
// its colours, its drop-down list; and the one path by which a typed value
// enters a table, shared by the window's grids and `ranchbook-cli set`.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb {

class Farm;
class MemTable;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

enum class CellDialog {
  None,
  AllocationPopup,      // ledgers: the allocation pop-up for the line
  InventoryLines,       // feeder sheet: inventory-line dialog (argument: type 1 to 4)
  FeederTransfersOut,   // feeder sheet: transfer-out dialog
  CowCalfTransfersOut,  // cow-calf sheet: transfer-out dialog (argument: class 1 to 6)
  TransfersIn,          // livestock sheets: transfers-in narrative (argument: class, 0 for feeders)
  CropAllocation,       // crop sheet: crop allocation pop-up (argument: crop block, 1-based)
};

struct CellRule {
  bool typeable = true;             // typed characters reach the cell
  CellDialog dialog = CellDialog::None;
  int dialogArgument = 0;
  bool keyOpensDialog = false;      // a typed character opens the dialog (and is discarded)
  std::optional<Rgb> background;    // nullopt: the grid's own colours
  std::optional<Rgb> text;
  const std::vector<std::string>* pickList = nullptr;  // in-cell drop-down; only its entries are accepted
};

// The rule for a cell of `table` (a ledger or a registered enterprise's
// worksheet) at a 0-based row and column; `selected` is true for the grid's
// current cell.
CellRule gridCellRule(const Farm& farm, const MemTable& table, int row, int column, bool selected);

// Whether the table is one the window shows in a grid (the nine ledgers and
// the worksheets of registered enterprises).
bool isGridTable(const Farm& farm, const MemTable& table);
// Title clicks sort these tables; `sortDescendingOnTitleClick` gives the
// direction for a column.
bool sortsOnTitleClick(const MemTable& table);
bool sortDescendingOnTitleClick(const MemTable& table, int column);
// Whether the grid lets the user insert and delete lines from the keyboard.
bool allowsLineInsertAndDelete(const MemTable& table);
// Number of columns kept fixed at the left of the grid.
int fixedColumnCount(const MemTable& table);

// A click on a column title: sorts the table by that column in the rule's
// direction (only tables that sort on title clicks).
void sortOnTitleClick(MemTable& table, int column);
// The entry of a drop-down list that a typed text selects, or "" when it
// selects none. The reports group lines by these exact texts, so only an
// exact entry is taken.
std::string acceptedPickListText(const std::vector<std::string>& list, std::string_view text);

// Types `text` into a cell exactly as a grid edit does: refuses (rb::Error
// naming the cell) what the grid would refuse, else moves the cursor to the
// row, assigns the text (an empty text empties the cell), lets the change
// rules run, and posts the row. The table and farm are unchanged on failure.
void typeIntoCell(Farm& farm, MemTable& table, int row, int column, std::string_view text);

}  // namespace rb
