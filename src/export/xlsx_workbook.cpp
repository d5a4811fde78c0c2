#include "export/xlsx_workbook.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

#include "export/spreadsheet_grid.h"
#include "model/values.h"

namespace rb::report {
namespace {

struct FormatKey {
  double size;
  bool bold, italic;
  int align;
  std::string numberFormat;
  bool operator<(const FormatKey& other) const {
    return std::tie(size, bold, italic, align, numberFormat) <
           std::tie(other.size, other.bold, other.italic, other.align, other.numberFormat);
  }
};

struct WorkbookCloser {
  void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

std::string sheetNameOf(const std::string& title) {
  std::string name = title.empty() ? "Report" : title;
  for (char& c : name)
    if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos) c = ' ';
  return name.substr(0, 31);
}

}  // namespace

void writeXlsxWorkbook(const Document& document, const std::string& path) {
  const std::vector<SpreadsheetCell> cells = spreadsheetCells(document);
  const std::filesystem::path target(path);
  const std::string temporary = path + ".tmp";
  std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new(temporary.c_str()));
  if (!workbook) throw Error("Could not write \"" + path + "\".");
  lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), sheetNameOf(document.title).c_str());
  std::map<FormatKey, lxw_format*> formats;
  auto formatOf = [&](const SpreadsheetCell& cell) {
    const int align = cell.align == Align::Right ? LXW_ALIGN_RIGHT
                      : cell.align == Align::Center ? LXW_ALIGN_CENTER
                                                    : LXW_ALIGN_LEFT;
    const FormatKey key{cell.font.size, cell.font.bold, cell.font.italic, align,
                        cell.number ? cell.numberFormat : std::string()};
    auto found = formats.find(key);
    if (found != formats.end()) return found->second;
    lxw_format* format = workbook_add_format(workbook.get());
    format_set_font_name(format, "Arial");
    format_set_font_size(format, cell.font.size);
    if (cell.font.bold) format_set_bold(format);
    if (cell.font.italic) format_set_italic(format);
    format_set_align(format, static_cast<std::uint8_t>(align));
    if (!key.numberFormat.empty()) format_set_num_format(format, key.numberFormat.c_str());
    formats.emplace(key, format);
    return format;
  };
  for (const SpreadsheetCell& cell : cells) {
    const auto row = static_cast<lxw_row_t>(cell.row);
    const auto column = static_cast<lxw_col_t>(cell.column);
    if (cell.number)
      worksheet_write_number(sheet, row, column, *cell.number, formatOf(cell));
    else
      worksheet_write_string(sheet, row, column, cell.text.c_str(), formatOf(cell));
  }
  const lxw_error result = workbook_close(workbook.release());
  std::error_code ignored;
  if (result != LXW_NO_ERROR) {
    std::filesystem::remove(temporary, ignored);
    throw Error("Could not write \"" + path + "\": " + lxw_strerror(result) + ".");
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, target, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, ignored);
    throw Error("Could not write \"" + path + "\": " + renamed.message() + ".");
  }
}

}  // namespace rb::report
