// The .xls writer checked with an independent reader: libfreexl opens the
// compound file, walks the BIFF8 records and gives back every cell.
#include <freexl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "export/spreadsheet_grid.h"
#include "export/xls_workbook.h"
#include "reports/report_fixtures.h"
#include "reports/report_output.h"
#include "support/farm_fixtures.h"

namespace rb::report {
namespace {

class FreeXl {
 public:
  explicit FreeXl(const std::string& path) { status_ = freexl_open(path.c_str(), &handle_); }
  ~FreeXl() {
    if (handle_) freexl_close(handle_);
  }
  FreeXl(const FreeXl&) = delete;
  FreeXl& operator=(const FreeXl&) = delete;
  bool ok() const { return status_ == FREEXL_OK; }
  const void* handle() const { return handle_; }

 private:
  const void* handle_ = nullptr;
  int status_ = 0;
};

// Writes the document, reads it back with freexl and compares every cell the
// grid placed: figures as numbers, texts as texts; all other cells empty.
void expectReadBack(const Document& document, const std::string& name) {
  const std::string path = testing::temporaryPath(name);
  writeXlsWorkbook(document, path);
  FreeXl book(path);
  ASSERT_TRUE(book.ok()) << path;
  unsigned int info = 0;
  ASSERT_EQ(freexl_get_info(book.handle(), FREEXL_BIFF_VERSION, &info), FREEXL_OK);
  EXPECT_EQ(info, static_cast<unsigned>(FREEXL_BIFF_VER_8));
  ASSERT_EQ(freexl_get_info(book.handle(), FREEXL_BIFF_SHEET_COUNT, &info), FREEXL_OK);
  ASSERT_EQ(info, 1u);
  ASSERT_EQ(freexl_select_active_worksheet(book.handle(), 0), FREEXL_OK);
  unsigned int rows = 0;
  unsigned short columns = 0;
  ASSERT_EQ(freexl_worksheet_dimensions(book.handle(), &rows, &columns), FREEXL_OK);

  const std::vector<SpreadsheetCell> cells = spreadsheetCells(document);
  ASSERT_FALSE(cells.empty());
  std::set<std::pair<int, int>> placed;
  for (const SpreadsheetCell& cell : cells) {
    placed.insert({cell.row, cell.column});
    FreeXL_CellValue value;
    ASSERT_EQ(freexl_get_cell_value(book.handle(), static_cast<unsigned>(cell.row),
                                    static_cast<unsigned short>(cell.column), &value),
              FREEXL_OK);
    if (cell.number) {
      const double read = value.type == FREEXL_CELL_INT ? value.value.int_value : value.value.double_value;
      ASSERT_TRUE(value.type == FREEXL_CELL_DOUBLE || value.type == FREEXL_CELL_INT)
          << cell.text << " at " << cell.row << "," << cell.column;
      EXPECT_EQ(read, *cell.number) << cell.text;
    } else {
      ASSERT_TRUE(value.type == FREEXL_CELL_SST_TEXT || value.type == FREEXL_CELL_TEXT) << cell.text;
      EXPECT_EQ(std::string(value.value.text_value), cell.text);
    }
  }
  for (unsigned row = 0; row < rows; ++row)
    for (unsigned short column = 0; column < columns; ++column) {
      if (placed.count({static_cast<int>(row), column})) continue;
      FreeXL_CellValue value;
      ASSERT_EQ(freexl_get_cell_value(book.handle(), row, column, &value), FREEXL_OK);
      EXPECT_EQ(value.type, FREEXL_CELL_NULL) << row << "," << column;
    }
}

TEST(XlsWorkbook, EveryCellReadsBackFromASmallStatement) {
  Farm farm;
  testing::makeSampleFarm(farm, 1);
  testing::fillStatements(farm, StatementKind::HerdPlannerExport);
  const Document document = layoutEnterpriseReport(farm, StatementKind::HerdPlannerExport, {});
  expectReadBack(document, "small.xls");
}

TEST(XlsWorkbook, ManyPagesAndStringsSpillTheStringTableIntoContinueRecords) {
  Farm farm;
  testing::makeSampleFarm(farm, 5);
  farm.addLogLine("Starting logger");
  for (int i = 0; i < 400; ++i)
    farm.addLogLine("Finding number " + std::to_string(i) + ": Cow Herd " + std::to_string(i % 5 + 1) +
                    " has a line without weights — ünïcode kept");
  testing::fillStatements(farm, StatementKind::Livestock);
  const Document document = layoutEnterpriseReport(farm, StatementKind::Livestock, {});
  expectReadBack(document, "large.xls");
  EXPECT_GT(std::filesystem::file_size(testing::temporaryPath("large.xls")), 8224u * 3);
}

TEST(XlsWorkbook, HerdPlannerFileIsWrittenUnderItsFixedNameAndOverwritten) {
  Farm farm;
  testing::makeSampleFarm(farm, 2);
  const std::string folder = testing::temporaryPath("planner");
  std::filesystem::create_directories(folder);
  testing::fillStatements(farm, StatementKind::HerdPlannerExport);
  const std::string path = writeHerdPlannerWorkbook(farm, folder);
  EXPECT_EQ(path, folder + "/inputbudg.xls");
  FreeXl first(path);
  ASSERT_TRUE(first.ok());
  // A second export replaces the first.
  MemTable& enterprises = farm.table("memEnterprises");
  enterprises.First();
  enterprises.Edit();
  enterprises.FieldByName("externalname").SetAsString("Second Herd");
  enterprises.Post();
  writeHerdPlannerWorkbook(farm, folder);
  const std::string bytes = testing::readFile(path);
  EXPECT_NE(bytes.find(std::string("S\0e\0c\0o\0n\0d\0", 12)), std::string::npos);

  EXPECT_THROW(writeHerdPlannerWorkbook(farm, folder + "/no/such/folder"), Error);
}

}  // namespace
}  // namespace rb::report
