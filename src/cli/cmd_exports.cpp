// export-text: the whole farm as a tab-delimited text file.
#include <algorithm>
#include <filesystem>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "analysis/report_data.h"
#include "export/text_export.h"
#include "reports/report_output.h"
#include "reports/ui/report_painter.h"

namespace rb::cli {
namespace {

// The command line draws PDF and PNG reports with the same painter as the
// window; installing it here, in the program itself, makes every command
// that writes a report able to use it.
const bool kPainterInstalled = (rb::report::installQtReportWriter(), true);

}  // namespace

int runExportText(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 2, 2);
  Farm farm;
  loadFarm(farm, args.positional[0]);
  ExportTextFile(farm, TextExportHeading{args.positional[0]}, args.positional[1]);
  return 0;
}

int runHerdPlanner(const Words& words) {
  const Arguments args = parseArguments(words, {});
  requirePositional(args, 3, 3);
  Farm farm;
  loadFarm(farm, args.positional[0]);
  const std::string& id = args.positional[1];
  const std::vector<std::string> herds = herdPlannerEnterprises(farm);
  if (std::find(herds.begin(), herds.end(), id) == herds.end())
    throw UsageError("'" + id + "' is not a cow-calf enterprise of " + args.positional[0]);

  ReportRequest request;
  request.kind = ReportKind::Livestock;
  request.enterprises = {id};
  request.herdPlannerExport = true;
  runReportData(farm, request);
  std::error_code error;
  std::filesystem::create_directories(args.positional[2], error);
  if (error) throw Error("Cannot create folder \"" + args.positional[2] + "\": " + error.message());
  writeHerdPlannerWorkbook(farm, args.positional[2]);
  return 0;
}

}  // namespace rb::cli
