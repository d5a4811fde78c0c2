#include "export/spreadsheet_grid.h"

#include <gtest/gtest.h>

namespace rb::report {
namespace {

TextItem text(double x, double y, std::string value, std::optional<double> number = std::nullopt) {
  TextItem item;
  item.x = x;
  item.y = y;
  item.width = 15;
  item.height = 4;
  item.text = std::move(value);
  item.number = number;
  item.numberFormat = number ? "#,##0" : "";
  return item;
}

TEST(SpreadsheetGrid, TextsLandInTheCellOfTheirPositionLineByLinePageAfterPage) {
  Document document;
  Page first;
  first.texts = {text(40.0, 30.4, "Total $"), text(10.0, 30.0, "Category"), text(130.45, 30.9, "108,721", 108721.2),
                 text(12.0, 30.2, "clash"),   // the cell of "Category": moves to the next free column
                 text(10.0, 34.5, "Weaned Calf Sales"), text(10.0, 60.0, ""),  // empty texts take no cell
                 text(300.0, 34.5, "far right")};
  Page second;
  second.texts = {text(10.0, 12.0, "Page two")};
  document.pages = {first, second};

  const std::vector<SpreadsheetCell> cells = spreadsheetCells(document);
  struct Expected {
    int row, column;
    const char* text;
    bool figure;
  };
  const Expected expected[] = {{0, 0, "Category", false}, {0, 1, "clash", false},           {0, 2, "Total $", false},
                               {0, 7, "108,721", true},   {1, 0, "Weaned Calf Sales", false}, {1, 17, "far right", false},
                               {3, 0, "Page two", false}};
  ASSERT_EQ(cells.size(), std::size(expected));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(cells[i].row, expected[i].row) << expected[i].text;
    EXPECT_EQ(cells[i].column, expected[i].column) << expected[i].text;
    EXPECT_EQ(cells[i].text, expected[i].text);
    EXPECT_EQ(cells[i].number.has_value(), expected[i].figure) << expected[i].text;
  }
  EXPECT_EQ(*cells[3].number, 108721.2);
  EXPECT_EQ(cells[3].numberFormat, "#,##0");
}

}  // namespace
}  // namespace rb::report
