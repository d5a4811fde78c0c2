#include "export/spreadsheet_grid.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "model/values.h"

namespace rb::report {
namespace {

// Texts whose tops lie this close together stand on one line.
constexpr double kSameLineMm = 1.2;

}  // namespace

std::vector<SpreadsheetCell> spreadsheetCells(const Document& document) {
  std::vector<SpreadsheetCell> cells;
  int nextRow = 0;
  for (const Page& page : document.pages) {
    std::vector<const TextItem*> items;
    for (const TextItem& item : page.texts)
      if (!item.text.empty()) items.push_back(&item);
    std::stable_sort(items.begin(), items.end(), [](const TextItem* a, const TextItem* b) {
      return a->y < b->y || (a->y == b->y && a->x < b->x);
    });
    double lineTop = -1e9;
    int row = nextRow - 1;
    std::set<int> taken;
    for (const TextItem* item : items) {
      if (item->y - lineTop > kSameLineMm) {
        lineTop = item->y;
        ++row;
        taken.clear();
      }
      int column = std::clamp(static_cast<int>(std::floor(item->x / kSpreadsheetColumnMm)), 0,
                              kSpreadsheetMaxColumns - 1);
      while (taken.count(column) && column < kSpreadsheetMaxColumns - 1) ++column;
      if (taken.count(column)) continue;  // a full row of 256 texts: nothing sensible is left to do
      taken.insert(column);
      cells.push_back({row, column, item->text, item->number, item->numberFormat, item->font, item->align});
    }
    nextRow = row + 2;  // an empty row between pages
  }
  if (nextRow - 1 > kSpreadsheetMaxRows)
    throw Error("The report is too long for a spreadsheet: it needs " + std::to_string(nextRow - 1) + " rows.");
  std::stable_sort(cells.begin(), cells.end(), [](const SpreadsheetCell& a, const SpreadsheetCell& b) {
    return a.row < b.row || (a.row == b.row && a.column < b.column);
  });
  return cells;
}

}  // namespace rb::report
