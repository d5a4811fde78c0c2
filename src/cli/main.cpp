// ranchbook-cli: the program's second front end. It runs the same core
// operations as the window on a farm file, without a display.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const rb::cli::Words&);
  const char* usage;
};

const std::vector<Command>& commands() {
  static const std::vector<Command> list = {
      {"dump", rb::cli::runDump, "dump FILE [--out PATH]              print every data set of FILE as JSON"},
      {"save", rb::cli::runSave, "save FILE OUT                       load FILE and write it to OUT"},
      {"new", rb::cli::runNew, "new OUT --config CONFIG.json        create a new farm from a configuration"},
      {"check", rb::cli::runCheck, "check FILE                          print the validation pass's findings"},
      {"report", rb::cli::runReport,
       "report KIND FILE [--enterprise ID]... [--format FORMAT] [--out PATH]\n"
       "                                      report data (livestock, crop, pasture, other, farm, winners,\n"
       "                                      transfers)"},
      {"add-enterprise", rb::cli::runAddEnterprise,
       "add-enterprise FILE OUT KIND LABEL [--crop NAME]...   add an enterprise as the add wizard does"},
      {"add-crops", rb::cli::runAddCrops, "add-crops FILE OUT ENTERPRISE NAME...   add crops to a forage, grain or straw enterprise"},
      {"rollover", rb::cli::runRollover,
       "rollover FILE OUT [--year-end DD-MM-YYYY] [--drop ID]... [--drop-crop ID:K]... [--keep LIST]   roll the farm into the next year"},
      {"set", rb::cli::runSet, "set FILE OUT CELL...                type TABLE:ROW:COLUMN=VALUE into grid cells"},
      {"inventory", rb::cli::runInventory,
       "inventory FILE OUT ENTERPRISE TYPE [LINE]...  replace a feeder group's inventory lines"},
      {"transfer", rb::cli::runTransfer,
       "transfer FILE OUT ENTERPRISE CATEGORY [LINE]...  replace the transfers out of a source"},
      {"allocate-crop", rb::cli::runAllocateCrop,
       "allocate-crop FILE OUT ENTERPRISE CROP [--units N] [--unit U] [--lbs L] [--price P] [--feed F] "
       "[--bedding B] [ID=WEIGHT]...  allocate a crop's transfer out"},
      {"export-text", rb::cli::runExportText, "export-text FILE OUT                write the tab-delimited text export of FILE"},
      {"herd-planner", rb::cli::runHerdPlanner,
       "herd-planner FILE ENTERPRISE OUTDIR  write OUTDIR/inputbudg.xls for a cow-calf enterprise"},
  };
  return list;
}

void printUsage(std::ostream& out) {
  out << "usage: ranchbook-cli COMMAND ARGUMENTS...\n\ncommands:\n";
  for (const Command& command : commands()) out << "  " << command.usage << "\n";
  out << "\nExit codes: 0 success, 1 wrong usage, 2 the command could not do its work.\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    printUsage(std::cerr);
    return 1;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    printUsage(std::cout);
    return 0;
  }
  for (const Command& command : commands()) {
    if (words[0] != command.name) continue;
    try {
      return command.run(rb::cli::Words(words.begin() + 1, words.end()));
    } catch (const rb::cli::UsageError& error) {
      std::cerr << "ranchbook-cli " << command.name << ": " << error.what() << "\nusage: ranchbook-cli "
                << command.usage << "\n";
      return 1;
    } catch (const std::exception& error) {
      std::cerr << "ranchbook-cli " << command.name << ": " << error.what() << "\n";
      return 2;
    }
  }
  std::cerr << "ranchbook-cli: unknown command '" << words[0] << "'\n";
  printUsage(std::cerr);
  return 1;
}
