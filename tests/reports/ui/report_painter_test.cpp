// The QPainter device: PDF files with one page per report page, PNG pages at
// a readable resolution, and the painted writer installed behind
// writeReportDocument. Set RB_REPORT_RENDER_DIR to keep the rendered files.
// The farm tables come before Qt, whose "emit" macro would rewrite their
// signal code.
#include "reports/report_fixtures.h"
#include "reports/report_output.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

#include "reports/ui/report_painter.h"

using namespace rb;
using namespace rb::report;

namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Page objects of a PDF: "/Type /Page" not followed by "s".
int pdfPageCount(const std::string& bytes) {
  const std::regex page(R"(/Type\s*/Page(?![s\w]))");
  return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

struct SampleReport {
  const char* name;
  ReportKind kind;
  StatementKind statement;
};

const SampleReport kSamples[] = {
    {"livestock", ReportKind::Livestock, StatementKind::Livestock},
    {"crop", ReportKind::Crop, StatementKind::Crop},
    {"pasture", ReportKind::PastureAftermath, StatementKind::PastureAftermath},
    {"other", ReportKind::Other, StatementKind::Other},
    {"farm", ReportKind::WholeFarm, StatementKind::WholeFarm},
    {"winners", ReportKind::Winners, StatementKind::WholeFarm},
    {"transfers", ReportKind::Transfers, StatementKind::WholeFarm},
};

Document sampleDocument(Farm& farm, const SampleReport& sample) {
  if (sample.kind == ReportKind::Winners)
    testing::fillWinners(farm);
  else if (sample.kind == ReportKind::Transfers)
    testing::fillTransfers(farm);
  else
    testing::fillStatements(farm, sample.statement);
  ReportSettings settings;
  settings.printedOn = {2026, 12, 11};
  return buildReportDocument(farm, sample.kind, settings);
}

}  // namespace

class ReportPainterTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    installQtReportWriter();
    const char* keep = std::getenv("RB_REPORT_RENDER_DIR");
    outDir_ = keep ? keep : temporary_.path().toStdString();
    testing::makeSampleFarm(farm_, 2);
    farm_.addLogLine("Starting logger for livestock report(s)..Dec,11,2026 - 09:30:00");
    farm_.addLogLine("Cow/Calf Enterprise: Cow Herd 2 has no weaned calf weights.");
  }

  void pdfHasOnePagePerReportPage_data() {
    QTest::addColumn<int>("sample");
    for (int i = 0; i < static_cast<int>(std::size(kSamples)); ++i) QTest::newRow(kSamples[i].name) << i;
  }

  void pdfHasOnePagePerReportPage() {
    QFETCH(int, sample);
    const Document document = sampleDocument(farm_, kSamples[sample]);
    const std::string path = outDir_ + "/" + kSamples[sample].name + ".pdf";
    QCOMPARE(writeReportDocument(document, ReportFormat::Pdf, path), std::vector<std::string>{path});
    const std::string bytes = slurp(path);
    QVERIFY(bytes.starts_with("%PDF-"));
    QCOMPARE(pdfPageCount(bytes), static_cast<int>(document.pages.size()));
  }

  void pngPagesAreLetterSizeWithInkInsideTheMargins() {
    const Document document = sampleDocument(farm_, kSamples[0]);
    const std::vector<std::string> paths =
        writeReportDocument(document, ReportFormat::Png, outDir_ + "/livestock");
    QCOMPARE(paths.size(), document.pages.size());
    QCOMPARE(paths.back(), outDir_ + "/livestock-" + std::to_string(paths.size()) + ".png");
    for (const std::string& path : paths) {
      const QImage image(QString::fromStdString(path));
      QCOMPARE(image.size(), QSize(1275, 1650));  // 8.5 x 11 inches at 150 dpi
      QCOMPARE(image.format(), QImage::Format_Grayscale8);
      // Ink on the page, none in the margins.
      int inked = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          if (qGray(image.pixel(x, y)) < 128) {
            ++inked;
            QVERIFY2(x > 30 && x < image.width() - 30 && y > 30 && y < image.height() - 25, path.c_str());
          }
      QVERIFY(inked > 2000);
    }
  }

  void everySampleRendersForTheReadme() {
    // One PNG page of each report, for looking at.
    for (const SampleReport& sample : kSamples) {
      const Document document = sampleDocument(farm_, sample);
      QVERIFY(!writePngPages(document, outDir_ + "/page-" + sample.name).empty());
    }
  }

  void unwritablePdfFailsNamingTheFile() {
    const Document document = sampleDocument(farm_, kSamples[4]);
    const std::string path = outDir_ + "/missing-folder/farm.pdf";
    try {
      writeReportDocument(document, ReportFormat::Pdf, path);
      QFAIL("no error");
    } catch (const Error& error) {
      QVERIFY(std::string(error.what()).find(path) != std::string::npos);
    }
  }

  void qtMetricsAgreeWithTheBuiltInArialWidths() {
    const QtTextMeasurer qt;
    for (const Font& font : {Font{10, false, false}, Font{10, true, false}, Font{8, false, false}}) {
      const std::string text = "Feeder/Slaughter Cattle Sales 1,234,567 $/LB of gain";
      const double expected = defaultMeasurer().widthMm(text, font);
      QVERIFY2(std::abs(qt.widthMm(text, font) - expected) < expected * 0.03, text.c_str());
    }
  }

 private:
  QTemporaryDir temporary_;
  std::string outDir_;
  Farm farm_;
};

QTEST_MAIN(ReportPainterTest)
#include "report_painter_test.moc"
