#pragma once
// Binary Excel 97 workbooks (BIFF8 records in an OLE2 compound file): one
// worksheet holding a report's pages, figures as number cells.
#include <string>

#include "reports/report_document.h"

namespace rb::report {

// The bytes of the .xls file; `sheetName` is cut to the 31 characters a
// sheet name may have.
std::string xlsWorkbookBytes(const Document& document, const std::string& sheetName);
// Writes it atomically; throws rb::Error naming the file when it cannot.
void writeXlsWorkbook(const Document& document, const std::string& path);

}  // namespace rb::report
