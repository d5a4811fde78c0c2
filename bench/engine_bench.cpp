// How long every report of a large farm takes to build: 36 enterprises and
// 2,000 lines in each of the nine money ledgers, with transfers, inventory
// lines, crop allocations and grazing. One iteration runs the data step of
// all seven reports, validation included.
#include <benchmark/benchmark.h>

#include <string>

#include "analysis/report_data.h"
#include "files/farm_file_reader.h"
#include "setup/configuration_writer.h"

namespace {

using namespace rb;

void nameEntries(ConfigurationWriter& config, int kind, bool crops) {
  MemTable& table = config.entryTable(kind);
  table.First();
  for (int index = 1; index <= kMaxPerKind; ++index) {
    table.Edit();
    table.FieldByName("Enterprise").SetAsString(std::string(kindName(kind)) + " " + std::to_string(index));
    if (crops) {
      table.FieldByName("Crop1").SetAsString("Crop A");
      table.FieldByName("Crop2").SetAsString("Crop B");
    }
    table.Post();
    table.Next();
  }
}

// The allocation weights of a line: a few enterprises, varying by line.
void allocate(MemTable& table, int firstWeight, int line) {
  const int weights = table.FieldCount() - firstWeight;
  for (int k = 0; k < 3 && weights > 0; ++k)
    table.FieldAt(firstWeight + (line * 7 + k * 5) % weights).SetAsFloat(1 + (line + k) % 3);
}

void fillLedgers(Farm& farm) {
  static const char* revenue[] = {"Calves", "Feeder/Slaughter Cattle", "Breeding herd", "Grain crop",
                                  "Forage crop", "Grazing/Aftermath/Straw", "Miscellaneous"};
  static const char* expense[] = {"Cattle Purchases", "Winter feed", "Bedding", "Pasture", "Fuel", "Seed",
                                  "Fertilizer", "Machinery Lease", "Capital Interest", "Crop Share / Rent",
                                  "Taxes Water Rates & Insurance", "Paid labour & benefits"};
  for (const LedgerInfo& ledger : ledgerTables()) {
    MemTable& table = farm.table(ledger.table);
    for (int line = 0; line < 2000; ++line) {
      table.Append();
      table.FieldByName("Description").SetAsString("Line " + std::to_string(line));
      table.FieldAt(ledger.valueColumn).SetAsFloat(100 + line % 977);
      if (Field* category = table.FindField("Category"))
        category->SetAsString(std::string(ledger.table) == "memRevenue" ? revenue[line % 7] : expense[line % 12]);
      if (Field* current = table.FindField("CurrentValue")) current->SetAsFloat(5000 + line);
      if (Field* hours = table.FindField("Hours")) hours->SetAsFloat(10);
      if (line % 50 != 0) allocate(table, ledger.firstAllocation, line);  // a few lines nobody carries
      table.Post();
    }
  }
}

void fillWorksheetsAndFlows(Farm& farm) {
  MemTable& transfers = farm.table("memTransfer");
  MemTable& inventory = farm.table("memInventory");
  MemTable& crops = farm.table("memCropAlloc");
  for (const EnterpriseRow& row : farm.enterprises()) {
    MemTable& sheet = farm.enterpriseTable(row.id);
    if (row.kind == kCowCalf) {
      sheet.First();
      sheet.Edit();
      sheet.FieldByName("cowsbredheifers").SetAsInteger(150);
      sheet.FieldByName("bullsteercalves").SetAsInteger(20);
      sheet.FieldByName("bsweights").SetAsFloat(550);
      sheet.Post();
      for (int n = 0; n < 20; ++n) {
        transfers.Append();
        transfers.FieldByName("FromEnterprise").SetAsString(row.id);
        transfers.FieldByName("FromCategory").SetAsInteger(1 + n % 2);
        transfers.FieldByName("ToEnterprise").SetAsString("feeders" + std::to_string(1 + n % 5));
        transfers.FieldByName("NumHead").SetAsInteger(5 + n);
        transfers.FieldByName("LbsPerHead").SetAsFloat(520);
        transfers.FieldByName("PricePerHead").SetAsFloat(1100);
        transfers.Post();
      }
    } else if (row.kind == kFeeders) {
      for (int type = 1; type <= 4; ++type) {
        inventory.Append();
        inventory.FieldByName("Enterprise").SetAsString(row.id);
        inventory.FieldByName("TransferType").SetAsInteger(type);
        inventory.FieldByName("NumHead").SetAsInteger(100);
        inventory.FieldByName("LbsPerHead").SetAsFloat(700 + 100 * type);
        inventory.FieldByName("PricePerHead").SetAsFloat(1200);
        inventory.Post();
      }
    } else if (row.kind == kForage || row.kind == kGrain || row.kind == kStraw) {
      for (int crop = 1; crop <= 2; ++crop) {
        crops.Append();
        crops.FieldByName("Enterprise").SetAsString(row.id);
        crops.FieldByName("Crop").SetAsFloat(crop);
        crops.FieldByName("Alloc").SetAsFloat(3);
        crops.FieldByName("Dollars").SetAsFloat(12000);
        crops.FieldByName("Feed").SetAsFloat(60);
        crops.FieldByName("Bedding").SetAsFloat(40);
        allocate(crops, 6, crop + row.index);
        crops.Post();
      }
    } else if (row.kind == kPasture || row.kind == kAftermath) {
      for (int line = 0; line < 20; ++line) {
        sheet.Append();
        sheet.FieldByName("Description").SetAsString("Grazing " + std::to_string(line));
        sheet.FieldByName("NumAnimals").SetAsInteger(50);
        sheet.FieldByName("TotalAums").SetAsFloat(150);
        sheet.FieldByName("Total").SetAsFloat(3000);
        allocate(sheet, 7, line);
        sheet.Post();
      }
    }
  }
}

Farm& largeFarm() {
  static Farm farm;
  static const bool built = [] {
    Farm templates;
    ConfigurationWriter config;
    for (const int kind : {kCowCalf, kFeeders, kPasture, kOther}) nameEntries(config, kind, false);
    for (const int kind : {kForage, kGrain, kStraw}) nameEntries(config, kind, true);
    config.buildRegistry();
    loadFarmText(farm, config.configurationText(templates), "bench.rbd");
    ProgramUpdate update(farm);
    fillLedgers(farm);
    fillWorksheetsAndFlows(farm);
    return true;
  }();
  (void)built;
  return farm;
}

void AllReports(benchmark::State& state) {
  Farm& farm = largeFarm();
  if (farm.enterprises().size() != 36) state.SkipWithError("the farm should have 36 enterprises");
  for (auto _ : state) {
    for (const ReportKind kind : {ReportKind::Livestock, ReportKind::Crop, ReportKind::PastureAftermath,
                                  ReportKind::Other, ReportKind::WholeFarm, ReportKind::Winners,
                                  ReportKind::Transfers}) {
      ReportRequest request;
      request.kind = kind;
      request.enterprises = chooserEnterprises(farm, kind);
      runReportData(farm, request);
    }
    benchmark::DoNotOptimize(farm.errorLog().size());
  }
}
BENCHMARK(AllReports)->Unit(benchmark::kMillisecond);

}  // namespace
