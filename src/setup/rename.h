#pragma once
// Renaming enterprises and crops, and the farm details' fiscal year end.
// Enterprise ids never change here: only labels, crop names and the titles
// that show them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/fiscal_date.h"

namespace rb {

class Farm;
class MemTable;

// Defines and fills the working table `memRename`: one row per registry row
// but aftermath1, every registry column copied into the column of its name.
void buildRenameRows(const Farm& farm, MemTable& rename);

// Whether a cell of the rename grid takes typing (grid columns 1-based:
// 1 the id, 2 the label, 3 to 11 crop1 to crop9). Only the label and the
// names of the row's existing crops change; every other cell is grey.
bool renameCellEditable(int gridColumn, int cropCount);

// "Save Changes": every registry row but aftermath1 takes the label, crop
// count and crop names of its working row; then the labels are spread.
void applyRename(Farm& farm, const MemTable& rename);

// What the labels are spread to: column titles and enterprise pages.
struct LabelPropagation {
  struct Title {
    std::string table;
    std::string column;
    std::string title;
  };
  std::vector<Title> titles;
  struct Page {
    std::string id;
    std::string label;
  };
  std::vector<Page> pages;
};
LabelPropagation labelPropagation(const Farm& farm);
// Refills the label table, applies the propagation and the ledger titles.
void spreadLabels(Farm& farm);

// The date the details window's picker starts at: the stored year end when
// its text is longer than 6 characters (rb::Error when it cannot be read),
// nothing otherwise.
std::optional<CalendarDate> detailsPickerDate(std::string_view fiscalYearEnd);
// "Save": the picker's date goes into fiscalyearend as "dd-mm-yyyy".
void saveFarmDetails(Farm& farm, const CalendarDate& yearEnd);

}  // namespace rb
