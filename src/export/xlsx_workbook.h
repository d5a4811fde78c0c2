#pragma once
// Excel 2007 workbooks through libxlsxwriter: one worksheet holding a
// report's pages, cells placed as in the .xls file.
#include <string>

#include "reports/report_document.h"

namespace rb::report {

// Writes the workbook to a temporary file beside `path` and renames it over
// the target; throws rb::Error naming the file when it cannot be written.
void writeXlsxWorkbook(const Document& document, const std::string& path);

}  // namespace rb::report
