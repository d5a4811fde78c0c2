#pragma once
// What the window and the command line call to show, print and export a
// report once the engine has filled the report tables: build the report's
// pages, write them in a format, and write the Herd Planner workbook.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_kind.h"
#include "model/farm_data_sets.h"
#include "reports/report_document.h"
#include "reports/report_layouts.h"

namespace rb {

enum class ReportFormat { Pdf, Png, Html, Xhtml, Rtf, Xlsx, Xls };

// "pdf", "png", "html", "xhtml", "rtf", "xlsx", "xls" and back.
std::string_view reportFormatWord(ReportFormat format);
std::optional<ReportFormat> reportFormatOfWord(std::string_view word);
// Whether a format writes one file per page (PATH-1.ext, PATH-2.ext, ...).
bool writesFilePerPage(ReportFormat format);

// The pages of a report from the farm's report tables as they stand:
// memEnterprises with memEnterpriseRep1 to 3 and the error log for the four
// enterprise reports and the whole farm, memWinners1 and 2 for Winners &
// Losers, memTransfers for the transfer report.
report::Document buildReportDocument(const Farm& farm, ReportKind kind,
                                     const report::ReportSettings& settings = {});

// Writes the document to `path` in the format. PDF, RTF, XLSX and XLS write
// one file at `path`; PNG, HTML and XHTML write `path`-1.ext, `path`-2.ext, ...
// Returns the paths written. Throws rb::Error naming the file that cannot be
// written; PDF and PNG need the Qt renderer (reports/ui/report_painter.h) to be
// installed and fail with a message otherwise.
std::vector<std::string> writeReportDocument(const report::Document& document, ReportFormat format,
                                             const std::string& path);

// Writes OUTDIR/inputbudg.xls for Herd Planner: the enterprise report of the
// one cow-calf enterprise in memEnterprises, built with the HerdPlannerExport
// statement, without the error-log section. Returns the path written.
std::string writeHerdPlannerWorkbook(const Farm& farm, const std::string& outDir,
                                     const report::ReportSettings& settings = {});

// The devices that draw pages with a toolkit's painter (PDF and PNG). The Qt
// side installs its renderer; the core has none of its own.
using PaintedReportWriter = std::vector<std::string> (*)(const report::Document& document, ReportFormat format,
                                                         const std::string& path);
void installPaintedReportWriter(PaintedReportWriter writer);

}  // namespace rb
