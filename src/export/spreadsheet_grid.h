#pragma once
// A report's pages as spreadsheet cells: each text lands in the column its
// left edge falls in (columns 16.934 mm wide, a spreadsheet's default width)
// and in the row of its line. Lines of every page follow one another, an
// empty row between pages; rows keep their default height.
#include <optional>
#include <string>
#include <vector>

#include "reports/report_document.h"

namespace rb::report {

inline constexpr double kSpreadsheetColumnMm = 16.934;
inline constexpr int kSpreadsheetMaxRows = 65536;  // the .xls limit, kept for both formats
inline constexpr int kSpreadsheetMaxColumns = 256;

struct SpreadsheetCell {
  int row = 0;
  int column = 0;
  std::string text;              // the text as printed
  std::optional<double> number;  // a figure: the cell holds the number
  std::string numberFormat;
  Font font;
  Align align = Align::Left;
};

// The cells in row order, then column order. Two texts that would share a
// cell keep both: the later moves to the next free column of its row.
// Throws rb::Error when the report needs more rows than a sheet holds.
std::vector<SpreadsheetCell> spreadsheetCells(const Document& document);

}  // namespace rb::report
