#pragma once
// The ranchbook-cli commands. Each takes the words after its name and returns
// the exit code; usage errors are thrown as UsageError, failures as rb::Error.
#include <string>
#include <vector>

namespace rb::cli {

using Words = std::vector<std::string>;

int runDump(const Words& words);
int runSave(const Words& words);
int runNew(const Words& words);
int runCheck(const Words& words);
int runReport(const Words& words);
int runAddEnterprise(const Words& words);
int runAddCrops(const Words& words);
int runRollover(const Words& words);
int runSet(const Words& words);
int runInventory(const Words& words);
int runTransfer(const Words& words);
int runAllocateCrop(const Words& words);
int runExportText(const Words& words);
int runHerdPlanner(const Words& words);

}  // namespace rb::cli
