// Loading and saving a large farm: every kind at its limit (36 enterprises)
// and 2,000 lines in each of the nine money ledgers.
#include <benchmark/benchmark.h>

#include <string>

#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "model/farm_data_sets.h"
#include "support/farm_fixtures.h"

namespace {

rb::testing::FarmSpec largestFarm() {
  rb::testing::FarmSpec farmSpec;
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    farmSpec.cowcalf.push_back("Herd " + n);
    farmSpec.feeders.push_back("Feeders " + n);
    farmSpec.pasture.push_back("Pasture " + n);
    farmSpec.other.push_back("Other " + n);
    farmSpec.forage.push_back({"Hay " + n, {"Alfalfa", "Timothy", "Brome"}});
    farmSpec.grain.push_back({"Grain " + n, {"Barley", "Oats"}});
    farmSpec.straw.push_back({"Straw " + n, {"Barley Straw"}});
  }
  return farmSpec;
}

// The file text of the largest farm with full ledgers.
const std::string& largeFarmText() {
  static const std::string text = [] {
    rb::Farm farm;
    rb::testing::makeFarm(farm, largestFarm());
    for (const rb::LedgerInfo& ledger : rb::ledgerTables()) {
      rb::MemTable& table = farm.table(ledger.table);
      for (int line = 0; line < 2000; ++line) {
        table.Append();
        table.FieldAt(0).SetAsString("Line " + std::to_string(line));
        table.FieldAt(ledger.valueColumn).SetAsFloat(100.25 + line);
        for (int column = ledger.firstAllocation; column < table.FieldCount(); column += 3)
          table.FieldAt(column).SetAsFloat(0.25);
        table.Post();
      }
    }
    return rb::farmFileText(farm);
  }();
  return text;
}

void BM_LoadLargeFarm(benchmark::State& state) {
  const std::string& text = largeFarmText();
  for (auto _ : state) {
    rb::Farm farm;
    rb::loadFarmText(farm, text, "large.rbd");
    benchmark::DoNotOptimize(farm.master().RecordCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadLargeFarm)->Unit(benchmark::kMillisecond);

void BM_LoadAndSaveLargeFarm(benchmark::State& state) {
  const std::string& text = largeFarmText();
  const std::string path = rb::testing::temporaryPath("large.rbd");
  for (auto _ : state) {
    rb::Farm farm;
    rb::loadFarmText(farm, text, path);
    rb::SaveFarmFile(farm, path);
  }
}
BENCHMARK(BM_LoadAndSaveLargeFarm)->Unit(benchmark::kMillisecond);

}  // namespace
