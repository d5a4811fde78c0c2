#include "analysis/validation.h"

#include <array>
#include <cmath>

#include "analysis/figures.h"
#include "analysis/table_reading.h"
#include "model/text_util.h"

namespace rb {
namespace {

// The registry's display label of an id; an id without one stands for itself.
std::string labelFor(const Farm& farm, std::string_view id) {
  std::string label = farm.LabelOf(id);
  return label.empty() ? std::string(id) : label;
}

// Which enterprises of a kind have their page tab shown: the registered ones,
// in page order.
std::vector<std::string> shownIds(const Farm& farm, int kind) {
  std::vector<std::string> ids;
  for (int index = 1; index <= maxEnterprisesOfKind(kind); ++index) {
    const std::string id = enterpriseId(kind, index);
    if (farm.isRegistered(id)) ids.push_back(id);
  }
  return ids;
}

constexpr std::array<const char*, 9> kLedgerCaptions = {
    "Revenue",       "Expenses",    "Machinery",        "Buildings",    "Accounts Rec.",
    "Accounts Pay.", "Supply Inv.", "Purch. Feed Inv.", "Unpaid Labour"};

void logMissingAllocation(Farm& farm, std::string_view caption, const std::string& description, double value) {
  farm.addLogLine(format("Allocation missing in %s, line item: %s,  $%-11.2f", std::string(caption).c_str(),
                         description.c_str(), value));
}

void checkLedgers(Farm& farm) {
  const auto& ledgers = ledgerTables();
  for (std::size_t page = 0; page < ledgers.size(); ++page) {
    const LedgerInfo& ledger = ledgers[page];
    const std::string caption = kLedgerCaptions[page];
    const MemTable& table = farm.table(ledger.table);
    const int description = table.FieldIndex("Description");
    const int hours = table.FieldIndex("Hours");
    for (int row = 0; row < table.RecordCount(); ++row) {
      const double value = cellAt(table, row, ledger.valueColumn);
      if (std::fabs(value) <= 0.01) {
        if (containsText(caption, "Unpaid Labour") && cellAt(table, row, hours) > 0.001)
          farm.addLogLine(
              format("Unpaid Labour must have a value, line item: %s ", textAt(table, row, description).c_str()));
        continue;
      }
      if (sumFrom(table, row, ledger.firstAllocation) < 0.01)
        logMissingAllocation(farm, caption, textAt(table, row, description), value);
    }
  }
}

// The six head-count classes of a cow-calf sheet, with the category names the
// messages use and how many head count as "some".
struct HeadClass {
  const char* column;
  const char* name;
  double present;
};
constexpr std::array<HeadClass, 6> kHeadClasses = {{
    {"bullsteercalves", "Bull/Steer Calves", 0.1},
    {"Heifercalves", "Heifer Calves", 0.1},
    {"yearlingbulls", "Yearling Bulls", 0.1},
    {"yearlingheifers", "Yearling Breeding Heifers", 0.1},
    {"bulls", "Bulls", 0.001},
    {"cowsbredheifers", "Cows/Bred Heifers", 0.001},
}};

void checkCalfWeights(Farm& farm, const MemTable& sheet, int row, const std::string& label) {
  const auto check = [&](const char* count, const char* weight, const char* name) {
    if (cellAt(sheet, row, sheet.FieldIndex(count)) > 0.001 && cellAt(sheet, row, sheet.FieldIndex(weight)) < 0.001)
      farm.addLogLine(format("Weight per head missing in enterprise %s category %s", label.c_str(), name));
  };
  check("bullsteercalves", "bsweights", "Bull/Steer Calves");
  check("Heifercalves", "hcweights", "Heifer Calves");
}

void checkCowCalfSheet(Farm& farm, const std::string& id) {
  const MemTable& sheet = farm.table("mem" + id);
  const std::string label = labelFor(farm, id);
  if (const int ending = rowWithDescription(sheet, "Ending Inv."); ending >= 0) {
    for (const HeadClass& head : kHeadClasses) {
      const int column = sheet.FieldIndex(head.column);
      if (column >= 0 && cellAt(sheet, ending, column) < -0.001)
        farm.addLogLine(format("Negative inventory in enterprise %s, column %s", label.c_str(),
                               sheet.FieldAt(column).DisplayLabel().c_str()));
    }
  }
  const struct {
    const char* priceRow;
    const char* countRow;
    const char* name;
  } pairs[] = {{"Price per Head", "Beginning Inv.", "Price Per Head"}, {"Ending Price", "Ending Inv.", "Ending Price"}};
  for (const auto& pair : pairs) {
    const int priceRow = rowWithDescription(sheet, pair.priceRow);
    const int countRow = rowWithDescription(sheet, pair.countRow);
    if (countRow < 0) continue;
    for (const HeadClass& head : kHeadClasses) {
      const int column = sheet.FieldIndex(head.column);
      const double price = priceRow < 0 ? 0 : cellAt(sheet, priceRow, column);
      if (cellAt(sheet, countRow, column) > head.present && price < 0.001)
        farm.addLogLine(format("%s missing in enterprise %s category %s", pair.name, label.c_str(), head.name));
    }
    checkCalfWeights(farm, sheet, countRow, label);
  }
  for (const char* rowText : {"Purchases", "Sales"})
    if (const int row = rowWithDescription(sheet, rowText); row >= 0) checkCalfWeights(farm, sheet, row, label);
}

// The head-count flow of the first seven feeder rows, which the entered
// ending inventory should equal.
constexpr std::array<int, 7> kFeederFlowSigns = {1, 0, 1, -1, -1, 1, -1};

void checkFeederSheet(Farm& farm, const Figures& figures, const std::string& id) {
  const MemTable& sheet = farm.table("mem" + id);
  const std::string label = labelFor(farm, id);
  const int feeders = sheet.FieldIndex("Feeders"), perHead = sheet.FieldIndex("Lbsperhead");
  for (const char* rowText : {"Beginning Inv.", "Purchases", "Sales", "Ending Inv."}) {
    const int row = rowWithDescription(sheet, rowText);
    if (row >= 0 && cellAt(sheet, row, feeders) > 0.1 && cellAt(sheet, row, perHead) < 0.001)
      farm.addLogLine(format("Data incomplete in enterprise %s, item %s", label.c_str(),
                             textAt(sheet, row, sheet.FieldIndex("Description")).c_str()));
  }
  double calculated = 0;
  for (int row = 0; row < 7 && row < sheet.RecordCount(); ++row)
    calculated += wholeCellAt(sheet, row, feeders) * kFeederFlowSigns[static_cast<std::size_t>(row)];
  const int ending = rowWithDescription(sheet, "Ending Inv.");
  const double entered = ending < 0 ? 0 : cellAt(sheet, ending, feeders);
  if (std::fabs(calculated - entered) > 0.9)
    farm.addLogLine(
        format("Entered and Calculated Ending Inventories do not agree in enterprise %s", label.c_str()));
  if (figures.poundsGained(id) < 0)
    farm.addLogLine(format("Pounds produced is negative in enterprise %s", label.c_str()));
}

void checkLivestockSheets(Farm& farm, const Figures& figures) {
  for (const EnterpriseRow& row : farm.enterprises()) {
    if (containsText(row.id, "cow")) checkCowCalfSheet(farm, row.id);
    if (containsText(row.id, "fee")) checkFeederSheet(farm, figures, row.id);
  }
}

void checkTransfers(Farm& farm) {
  const MemTable& lines = farm.table("memTransfer");
  const int from = lines.FieldIndex("FromEnterprise"), to = lines.FieldIndex("ToEnterprise"),
            description = lines.FieldIndex("Description"), head = lines.FieldIndex("NumHead"),
            pounds = lines.FieldIndex("LbsPerHead"), price = lines.FieldIndex("PricePerHead");
  for (int row = 0; row < lines.RecordCount(); ++row) {
    if (cellAt(lines, row, head) <= 0.1) continue;
    if (cellAt(lines, row, pounds) < 0.001 || cellAt(lines, row, price) < 0.001)
      farm.addLogLine(format("Missing weight or price data for transfer from %s to %s, description: %s",
                             labelFor(farm, textAt(lines, row, from)).c_str(),
                             labelFor(farm, textAt(lines, row, to)).c_str(), textAt(lines, row, description).c_str()));
  }
}

const char* inventoryTypeName(double type) {
  if (type == 1) return "Beginning Inventory";
  if (type == 2) return "Purchases";
  if (type == 3) return "Sales";
  if (type == 4) return "Ending Inventory";
  return "";
}

void checkInventoryLines(Farm& farm) {
  const MemTable& lines = farm.table("memInventory");
  const int enterprise = lines.FieldIndex("Enterprise"), type = lines.FieldIndex("TransferType"),
            description = lines.FieldIndex("Description"), head = lines.FieldIndex("NumHead"),
            pounds = lines.FieldIndex("LbsPerHead"), pricePerLb = lines.FieldIndex("PricePerLB");
  for (int row = 0; row < lines.RecordCount(); ++row) {
    if (cellAt(lines, row, head) <= 0.1) continue;
    const double lineType = cellAt(lines, row, type);
    const bool valued = lineType == 1 || lineType == 4;
    if (cellAt(lines, row, pounds) < 0.001 || (valued && cellAt(lines, row, pricePerLb) < 0.01))
      farm.addLogLine(format("Missing weight or price data for %s , category: %s, description: %s",
                             labelFor(farm, textAt(lines, row, enterprise)).c_str(), inventoryTypeName(lineType),
                             textAt(lines, row, description).c_str()));
  }
}

void checkCropSheet(Farm& farm, const std::string& id) {
  const MemTable& sheet = farm.table("mem" + id);
  const std::string label = labelFor(farm, id);
  const int crop = sheet.FieldIndex("crop"), description = sheet.FieldIndex("Description"),
            units = sheet.FieldIndex("NumUnits"), tonnes = sheet.FieldIndex("TotalTonnes"),
            value = sheet.FieldIndex("TotalValue");
  for (int row = 0; row < sheet.RecordCount(); ++row) {
    const std::string text = textAt(sheet, row, description);
    const bool unvalued = cellAt(sheet, row, value) < 0.009 || cellAt(sheet, row, tonnes) < 0.009;
    const auto logUnvalued = [&] {
      farm.addLogLine(format("%s has not been valued in enterprise %s, for crop %s", text.c_str(), label.c_str(),
                             textAt(sheet, row, crop).c_str()));
    };
    // Only the capitalised "Transfers Out" of crops added to a farm is checked.
    if (text == "Beginning Inv." || text == "Transfers Out") {
      if (cellAt(sheet, row, units) > 0 && unvalued) logUnvalued();
    } else if (text == "Ending Inv.") {
      if (cellAt(sheet, row, tonnes) < -0.009)
        farm.addLogLine(format("Negative inventory in enterprise %s, crop %s", label.c_str(),
                               textAt(sheet, row, crop).c_str()));
      else if (cellAt(sheet, row, units) >= 1 && unvalued)
        logUnvalued();
    }
  }
}

void checkCropSheets(Farm& farm) {
  for (const int kind : {kForage, kGrain, kStraw})
    for (const std::string& id : shownIds(farm, kind)) checkCropSheet(farm, id);
}

void checkCropAllocations(Farm& farm) {
  const MemTable& lines = farm.table("memCropAlloc");
  const int enterprise = lines.FieldIndex("Enterprise"), crop = lines.FieldIndex("Crop"),
            dollars = lines.FieldIndex("Dollars"), feed = lines.FieldIndex("Feed"),
            bedding = lines.FieldIndex("Bedding");
  for (int row = 0; row < lines.RecordCount(); ++row) {
    const std::string id = textAt(lines, row, enterprise);
    const bool straw = containsText(id, "str");
    const double allocated = sumFrom(lines, row, 6);
    const double feedAndBedding = cellAt(lines, row, feed) + cellAt(lines, row, bedding);
    if (cellAt(lines, row, dollars) > 0.009 && (allocated < 0.001 || (straw && feedAndBedding < 0.001)))
      farm.addLogLine(format("Missing amount and/or allocations for transfer out from %s, for crop %s",
                             labelFor(farm, id).c_str(), cropNameOf(farm, id, cellAt(lines, row, crop)).c_str()));
  }
}

void checkGrazingSheet(Farm& farm, const std::string& id, const std::string& caption) {
  const MemTable& sheet = farm.table("mem" + id);
  const int description = sheet.FieldIndex("Description"), animals = sheet.FieldIndex("NumAnimals"),
            total = sheet.FieldIndex("Total");
  for (int row = 0; row < sheet.RecordCount(); ++row) {
    const double value = cellAt(sheet, row, total);
    if (cellAt(sheet, row, animals) > 0 && value < 0.001)
      farm.addLogLine(format("Missing valuation in %s, line item: %s", caption.c_str(),
                             textAt(sheet, row, description).c_str()));
    if (std::fabs(value) > 0.01 && sumFrom(sheet, row, 7) < 0.01)
      logMissingAllocation(farm, caption, textAt(sheet, row, description), value);
  }
}

void checkGrazingSheets(Farm& farm) {
  // The aftermath page's one tab is always shown.
  const std::string aftermathLabel = farm.LabelOf("aftermath1");
  checkGrazingSheet(farm, "aftermath1", aftermathLabel.empty() ? "Aftermath" : aftermathLabel);
  for (const std::string& id : shownIds(farm, kPasture)) checkGrazingSheet(farm, id, labelFor(farm, id));
}

void checkOtherSheets(Farm& farm) {
  for (const EnterpriseRow& enterprise : farm.enterprises()) {
    if (!containsText(enterprise.id, "oth")) continue;
    const MemTable& sheet = farm.table("mem" + enterprise.id);
    const std::string label = labelFor(farm, enterprise.id);
    const int description = sheet.FieldIndex("Description");
    for (int row = 0; row < sheet.RecordCount(); ++row) {
      const std::string text = textAt(sheet, row, description);
      const auto check = [&](const char* quantity, const char* price) {
        if (cellAt(sheet, row, sheet.FieldIndex(quantity)) > 0.1 && cellAt(sheet, row, sheet.FieldIndex(price)) < 0.001)
          farm.addLogLine(format("Other Enterprise: %s, missing valuation for line item: %s", label.c_str(),
                                 text.c_str()));
      };
      check("BegQuantity", "BegPrice");
      check("EndQuantity", "EndPrice");
    }
  }
}

}  // namespace

std::string cropNameOf(const Farm& farm, std::string_view enterprise, double number) {
  const MemTable& master = farm.master();
  const int idColumn = master.FieldIndex("enterprise");
  if (!(number >= 0 && number < 100)) return "";
  const int cropColumn = master.FieldIndex("crop" + std::to_string(static_cast<int>(number)));
  if (cropColumn < 0) return "";
  for (int row = 0; row < master.RecordCount(); ++row)
    if (equalsNoCase(textAt(master, row, idColumn), enterprise)) return textAt(master, row, cropColumn);
  return "";
}

void runValidation(Farm& farm) {
  const Figures figures(farm);
  checkLedgers(farm);
  checkLivestockSheets(farm, figures);
  checkTransfers(farm);
  checkInventoryLines(farm);
  checkCropSheets(farm);
  checkCropAllocations(farm);
  checkGrazingSheets(farm);
  checkOtherSheets(farm);
}

}  // namespace rb
