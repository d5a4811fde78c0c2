// Rendering every report of a 36-enterprise farm: the layouts alone, the
// .xls workbook of the longest report, and (with the Qt renderer) every
// report to PDF, as a user printing the year's reports to files would.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "export/xls_workbook.h"
#include "reports/report_fixtures.h"
#include "reports/report_output.h"
#ifdef RB_WITH_QT
#include "reports/ui/report_painter.h"
#endif

namespace {

using rb::ReportKind;
using rb::report::StatementKind;

struct FilledFarm {
  rb::Farm farm;
  FilledFarm() {
    rb::testing::makeSampleFarm(farm, 5);  // 5 of each kind and the aftermath: 36 enterprises
    farm.addLogLine("Starting logger for livestock report(s)..Dec,11,2026 - 09:30:00");
    for (int i = 1; i <= 40; ++i) farm.addLogLine("Finding " + std::to_string(i) + " in the farm's data");
    rb::testing::fillWinners(farm);
    rb::testing::fillTransfers(farm);
  }
};

FilledFarm& filledFarm() {
  static FilledFarm instance;
  return instance;
}

constexpr std::pair<ReportKind, StatementKind> kStatementReports[] = {
    {ReportKind::Livestock, StatementKind::Livestock},
    {ReportKind::Crop, StatementKind::Crop},
    {ReportKind::PastureAftermath, StatementKind::PastureAftermath},
    {ReportKind::Other, StatementKind::Other},
    {ReportKind::WholeFarm, StatementKind::WholeFarm},
};

// Builds every report in turn, each after its statement tables are filled,
// and hands each document to `use`.
template <typename Use>
void everyReport(Use use) {
  rb::Farm& farm = filledFarm().farm;
  for (const auto& [kind, statement] : kStatementReports) {
    rb::testing::fillStatements(farm, statement);
    use(rb::buildReportDocument(farm, kind), rb::reportWord(kind));
  }
  use(rb::buildReportDocument(farm, ReportKind::Winners), rb::reportWord(ReportKind::Winners));
  use(rb::buildReportDocument(farm, ReportKind::Transfers), rb::reportWord(ReportKind::Transfers));
}

void BM_LayoutEveryReport(benchmark::State& state) {
  for (auto _ : state) {
    int pages = 0;
    everyReport([&](const rb::report::Document& document, std::string_view) {
      pages += static_cast<int>(document.pages.size());
    });
    benchmark::DoNotOptimize(pages);
  }
}
BENCHMARK(BM_LayoutEveryReport)->Unit(benchmark::kMillisecond);

void BM_LivestockReportToXls(benchmark::State& state) {
  rb::Farm& farm = filledFarm().farm;
  rb::testing::fillStatements(farm, StatementKind::Livestock);
  const rb::report::Document document = rb::buildReportDocument(farm, ReportKind::Livestock);
  for (auto _ : state) benchmark::DoNotOptimize(rb::report::xlsWorkbookBytes(document, document.title));
}
BENCHMARK(BM_LivestockReportToXls)->Unit(benchmark::kMillisecond);

#ifdef RB_WITH_QT
// The figure that matters: every report of the farm built and written to PDF.
void BM_EveryReportToPdf(benchmark::State& state) {
  rb::report::installQtReportWriter();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ranchbook-report-bench";
  std::filesystem::create_directories(folder);
  int pages = 0;
  for (auto _ : state) {
    pages = 0;
    everyReport([&](const rb::report::Document& document, std::string_view word) {
      rb::writeReportDocument(document, rb::ReportFormat::Pdf, (folder / (std::string(word) + ".pdf")).string());
      pages += static_cast<int>(document.pages.size());
    });
  }
  state.counters["pages"] = pages;
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_EveryReportToPdf)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
