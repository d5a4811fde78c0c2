// The core headers come before Qt's, whose "emit" macro would otherwise
// rewrite the farm tables' signal code.
#include "model/values.h"
#include "reports/report_output.h"
#include "reports/ui/report_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QPen>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace rb::report {
namespace {

QFont qtFont(const Font& font) {
  QFont qfont(QStringLiteral("Arial"));
  qfont.setStyleHint(QFont::SansSerif);
  qfont.setPointSizeF(font.size);
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  return qfont;
}

Qt::Alignment qtAlignment(Align align) {
  switch (align) {
    case Align::Right: return Qt::AlignRight;
    case Align::Center: return Qt::AlignHCenter;
    case Align::Left: break;
  }
  return Qt::AlignLeft;
}

// Fonts and painters need the application object; the command line has none.
// Drawing into files needs no display, so the offscreen platform is used
// unless the user chose another: a missing or unreachable display must not
// stop a PDF from being written.
void ensureApplication() {
  if (QGuiApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // A command run from a script or a service has no session folder; Qt's
  // remark about it is no concern of someone asking for a PDF.
  static const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
        if (previous) {
          previous(type, context, message);
        } else {
          std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        }
      });
  static int argc = 1;
  static char name[] = "ranchbook";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
  // Qt takes the user's locale for the C library; figures keep a decimal point.
  std::setlocale(LC_NUMERIC, "C");
}

// Writes through a temporary file beside the target, renamed over it once
// complete, so a failure never leaves half a file.
template <typename Write>
void writeReplacing(const std::string& path, Write write) {
  const std::string temporary = path + ".tmp";
  std::error_code ignored;
  if (!write(QString::fromStdString(temporary))) {
    std::filesystem::remove(temporary, ignored);
    throw Error("Could not write \"" + path + "\".");
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, path, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, ignored);
    throw Error("Could not write \"" + path + "\": " + renamed.message() + ".");
  }
}

std::vector<std::string> paintedWriter(const Document& document, ReportFormat format, const std::string& path) {
  if (format == ReportFormat::Pdf) {
    writePdf(document, path);
    return {path};
  }
  return writePngPages(document, path);
}

}  // namespace

void paintPage(QPainter& painter, const Page& page, double pixelsPerMm) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (const LineItem& line : page.lines) {
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, line.weight * pixelsPerMm));
    painter.setPen(pen);
    painter.drawLine(QPointF(line.x1 * pixelsPerMm, line.y1 * pixelsPerMm),
                     QPointF(line.x2 * pixelsPerMm, line.y2 * pixelsPerMm));
  }
  painter.setPen(Qt::black);
  for (const TextItem& item : page.texts) {
    if (item.text.empty()) continue;
    painter.setFont(qtFont(item.font));
    const QRectF box(item.x * pixelsPerMm, item.y * pixelsPerMm, item.width * pixelsPerMm,
                     item.height * pixelsPerMm);
    painter.drawText(box, static_cast<int>(qtAlignment(item.align) | Qt::AlignVCenter) | Qt::TextDontClip |
                              Qt::TextSingleLine,
                     QString::fromStdString(item.text));
  }
  painter.restore();
}

QImage renderPage(const Document& document, std::size_t page, int dpi) {
  ensureApplication();
  const double pixelsPerMm = dpi / 25.4;
  QImage image(static_cast<int>(document.pageWidth * pixelsPerMm + 0.5),
               static_cast<int>(document.pageHeight * pixelsPerMm + 0.5), QImage::Format_RGB32);
  const int dotsPerMeter = static_cast<int>(pixelsPerMm * 1000 + 0.5);
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintPage(painter, document.pages.at(page), pixelsPerMm);
  painter.end();
  return image;
}

void printDocument(const Document& document, QPrinter& printer) {
  ensureApplication();
  printer.setFullPage(true);
  printer.setPageSize(QPageSize(QPageSize::Letter));
  QPainter painter;
  if (!painter.begin(&printer)) throw Error("The printer could not be started.");
  const double pixelsPerMm = printer.resolution() / 25.4;
  for (std::size_t page = 0; page < document.pages.size(); ++page) {
    if (page > 0) printer.newPage();
    paintPage(painter, document.pages[page], pixelsPerMm);
  }
  painter.end();
}

void writePdf(const Document& document, const std::string& path) {
  ensureApplication();
  writeReplacing(path, [&document](const QString& file) {
    QPdfWriter writer(file);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(QString::fromStdString(document.title));
    writer.setCreator(QStringLiteral("Ranchbook"));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const double pixelsPerMm = writer.resolution() / 25.4;
    for (std::size_t page = 0; page < document.pages.size(); ++page) {
      if (page > 0) writer.newPage();
      paintPage(painter, document.pages[page], pixelsPerMm);
    }
    return painter.end();
  });
}

std::vector<std::string> writePngPages(const Document& document, const std::string& stem, int dpi) {
  std::vector<std::string> paths;
  for (std::size_t page = 0; page < document.pages.size(); ++page) {
    const std::string path = stem + "-" + std::to_string(page + 1) + ".png";
    const QImage image = renderPage(document, page, dpi).convertToFormat(QImage::Format_Grayscale8);
    writeReplacing(path, [&image](const QString& file) { return image.save(file, "PNG"); });
    paths.push_back(path);
  }
  return paths;
}

double QtTextMeasurer::widthMm(std::string_view text, const Font& font) const {
  ensureApplication();
  // Measured at 720 dpi, where a point is ten pixels, then brought back to mm.
  QImage device(1, 1, QImage::Format_RGB32);
  const int dotsPerMeter = static_cast<int>(720 / 0.0254 + 0.5);
  device.setDotsPerMeterX(dotsPerMeter);
  device.setDotsPerMeterY(dotsPerMeter);
  const QFontMetricsF metrics(qtFont(font), &device);
  return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<int>(text.size()))) * 25.4 / 720;
}

void installQtReportWriter() { installPaintedReportWriter(paintedWriter); }

}  // namespace rb::report
