#include "reports/report_output.h"

#include <array>
#include <filesystem>

#include "export/html_pages.h"
#include "export/rtf_document.h"
#include "export/xls_workbook.h"
#include "export/xlsx_workbook.h"

namespace rb {
namespace {

struct FormatWord {
  ReportFormat format;
  std::string_view word;
};
constexpr std::array<FormatWord, 7> kFormats{{{ReportFormat::Pdf, "pdf"},
                                              {ReportFormat::Png, "png"},
                                              {ReportFormat::Html, "html"},
                                              {ReportFormat::Xhtml, "xhtml"},
                                              {ReportFormat::Rtf, "rtf"},
                                              {ReportFormat::Xlsx, "xlsx"},
                                              {ReportFormat::Xls, "xls"}}};

PaintedReportWriter& paintedWriter() {
  static PaintedReportWriter writer = nullptr;
  return writer;
}

report::StatementKind statementKindOf(ReportKind kind) {
  switch (kind) {
    case ReportKind::Livestock: return report::StatementKind::Livestock;
    case ReportKind::Crop: return report::StatementKind::Crop;
    case ReportKind::PastureAftermath: return report::StatementKind::PastureAftermath;
    case ReportKind::Other: return report::StatementKind::Other;
    default: return report::StatementKind::WholeFarm;
  }
}

}  // namespace

std::string_view reportFormatWord(ReportFormat format) {
  for (const FormatWord& entry : kFormats)
    if (entry.format == format) return entry.word;
  return "";
}

std::optional<ReportFormat> reportFormatOfWord(std::string_view word) {
  for (const FormatWord& entry : kFormats)
    if (entry.word == word) return entry.format;
  return std::nullopt;
}

bool writesFilePerPage(ReportFormat format) {
  return format == ReportFormat::Png || format == ReportFormat::Html || format == ReportFormat::Xhtml;
}

report::Document buildReportDocument(const Farm& farm, ReportKind kind, const report::ReportSettings& settings) {
  switch (kind) {
    case ReportKind::Winners: return report::layoutWinnersReport(farm, settings);
    case ReportKind::Transfers: return report::layoutTransferReport(farm, settings);
    default: return report::layoutEnterpriseReport(farm, statementKindOf(kind), settings);
  }
}

void installPaintedReportWriter(PaintedReportWriter writer) { paintedWriter() = writer; }

std::vector<std::string> writeReportDocument(const report::Document& document, ReportFormat format,
                                             const std::string& path) {
  switch (format) {
    case ReportFormat::Html: return report::writeHtmlPages(document, path, report::HtmlFlavour::Html);
    case ReportFormat::Xhtml: return report::writeHtmlPages(document, path, report::HtmlFlavour::Xhtml);
    case ReportFormat::Rtf: report::writeRtfDocument(document, path); return {path};
    case ReportFormat::Xlsx: report::writeXlsxWorkbook(document, path); return {path};
    case ReportFormat::Xls: report::writeXlsWorkbook(document, path); return {path};
    case ReportFormat::Pdf:
    case ReportFormat::Png: break;
  }
  if (!paintedWriter())
    throw Error("Cannot write \"" + path + "\": " + std::string(reportFormatWord(format)) +
                " output needs the report painter, which this program does not include.");
  return paintedWriter()(document, format, path);
}

std::string writeHerdPlannerWorkbook(const Farm& farm, const std::string& outDir,
                                     const report::ReportSettings& settings) {
  report::Document document =
      report::layoutEnterpriseReport(farm, report::StatementKind::HerdPlannerExport, settings);
  const std::string path = (std::filesystem::path(outDir) / "inputbudg.xls").string();
  report::writeXlsWorkbook(document, path);
  return path;
}

}  // namespace rb
