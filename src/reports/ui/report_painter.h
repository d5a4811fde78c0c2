#pragma once
// The Qt device of the reports: draws the pages of a report document with a
// QPainter for the preview, the printer, PDF files and PNG images.
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <string>
#include <vector>

#include "reports/report_document.h"

namespace rb::report {

// Draws one page with the painter's origin at the sheet's top-left corner and
// `pixelsPerMm` device pixels to the millimetre. Fonts are sized in points,
// so the painter's device must report its real resolution.
void paintPage(QPainter& painter, const Page& page, double pixelsPerMm);

// A page as an image on white at `dpi` (the preview, the PNG files).
QImage renderPage(const Document& document, std::size_t page, int dpi);

// Prints every page on the printer, edge to edge of the sheet.
void printDocument(const Document& document, QPrinter& printer);

// Files; each throws rb::Error naming the file that cannot be written.
void writePdf(const Document& document, const std::string& path);
// PATH-1.png, PATH-2.png, ... with 8-bit grey pixels; returns the paths.
std::vector<std::string> writePngPages(const Document& document, const std::string& stem, int dpi = 150);

// Text widths from the real font metrics of the platform.
class QtTextMeasurer final : public TextMeasurer {
 public:
  double widthMm(std::string_view text, const Font& font) const override;
};

// Makes writeReportDocument (reports/report_output.h) write PDF and PNG
// through this painter. Creates the Qt application object on the offscreen
// platform when the program has none (the command line).
void installQtReportWriter();

}  // namespace rb::report
