// export-text: the whole farm as a tab-delimited text file.
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "export/text_export.h"
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

}  // namespace rb::cli
