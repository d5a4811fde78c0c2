#include "analysis/figures.h"

#include <array>
#include <cmath>

#include "analysis/table_reading.h"
#include "model/text_util.h"

namespace rb {

bool isCowCalfId(std::string_view id) { return containsText(id, "cow"); }
bool isFeederId(std::string_view id) { return containsText(id, "fee"); }
bool isLivestockId(std::string_view id) { return isCowCalfId(id) || isFeederId(id); }
bool isCropId(std::string_view id) {
  const std::string lower = lowerCase(id);
  return containsText(lower, "for") || containsText(lower, "str") || containsText(lower, "gra");
}
bool isGrazingId(std::string_view id) {
  const std::string lower = lowerCase(id);
  return containsText(lower, "aft") || containsText(lower, "pas");
}
bool isOtherId(std::string_view id) { return containsText(id, "oth"); }
bool beginsAsCrop(std::string_view id) {
  return id.starts_with("str") || id.starts_with("gra") || id.starts_with("for");
}

namespace {

// When a ledger line counts for an enterprise, by its weight w for it. The
// ledgers differ: revenue-like ledgers round the weight to a whole number
// first, so a weight of 0.3 takes a share of an expense but not of a revenue.
enum class LineTest { WholeAboveZero, AboveZero, AboveOneCent };

bool lineCounts(LineTest test, double w) {
  switch (test) {
    case LineTest::WholeAboveZero: return roundHalfEven(w) > 0;
    case LineTest::AboveZero: return w > 0;
    case LineTest::AboveOneCent: return w > 0.01;
  }
  return false;
}

struct LedgerShare {
  const char* table;
  LineTest test;
};

// The share of `amount(row)` over a ledger that belongs to the enterprise:
// amount × its weight ÷ the sum of all weights of the line. The whole farm
// takes every line in full. A category longer than one character filters the
// lines by their Category.
template <typename Amount>
double allocatedAmount(const MemTable& ledger, std::string_view id, std::string_view category, LineTest test,
                       Amount amount) {
  const LedgerInfo* info = findLedger(ledger.Name());
  const bool wholeFarm = id == "farm";
  const int weightColumn = wholeFarm ? -1 : ledger.FieldIndex(id);
  if (!wholeFarm && weightColumn < 0) return 0;
  const bool filtered = category.size() > 1;
  const int categoryColumn = filtered ? ledger.FieldIndex("Category") : -1;
  double total = 0;
  for (int row = 0; row < ledger.RecordCount(); ++row) {
    double w = 0;
    if (!wholeFarm) {
      w = cellAt(ledger, row, weightColumn);
      if (!lineCounts(test, w)) continue;
    }
    if (filtered && textAt(ledger, row, categoryColumn) != category) continue;
    if (wholeFarm) {
      total += amount(row);
      continue;
    }
    const double sum = sumFrom(ledger, row, info->firstAllocation);
    // Only negative weights can make the sum 0 while the line counts; such a
    // line has no share to give.
    if (sum != 0) total += amount(row) * w / sum;
  }
  return total;
}

double allocatedColumn(const Farm& farm, const char* table, const char* column, std::string_view id,
                       std::string_view category, LineTest test) {
  const MemTable& ledger = farm.table(table);
  const int amountColumn = ledger.FieldIndex(column);
  return allocatedAmount(ledger, id, category, test, [&](int row) { return cellAt(ledger, row, amountColumn); });
}

double investmentShare(const Farm& farm, const char* table, std::string_view id) {
  const MemTable& ledger = farm.table(table);
  const int current = ledger.FieldIndex("CurrentValue");
  const int depreciation = ledger.FieldIndex("DeprYear");
  return allocatedAmount(ledger, id, "", LineTest::AboveZero, [&](int row) {
    return cellAt(ledger, row, current) - cellAt(ledger, row, depreciation);
  });
}

double calfWeight(const MemTable& sheet, int row) {
  if (row >= sheet.RecordCount()) return 0;
  return cellAt(sheet, row, sheet.FieldIndex("bullsteercalves")) * cellAt(sheet, row, sheet.FieldIndex("bsweights")) +
         cellAt(sheet, row, sheet.FieldIndex("Heifercalves")) * cellAt(sheet, row, sheet.FieldIndex("hcweights"));
}

double cellOfRow(const MemTable& sheet, int row, const char* column) {
  if (row < 0 || row >= sheet.RecordCount()) return 0;
  return cellAt(sheet, row, sheet.FieldIndex(column));
}

// The crop worksheet's rows by their place in a crop block (row number modulo 6).
double cropRowsSum(const MemTable& sheet, int place, const char* column) {
  const int index = sheet.FieldIndex(column);
  double total = 0;
  for (int row = 0; row < sheet.RecordCount(); ++row)
    if ((row + 1) % 6 == place) total += cellAt(sheet, row, index);
  return total;
}

double columnSum(const MemTable& table, const char* column) {
  const int index = table.FieldIndex(column);
  double total = 0;
  for (int row = 0; row < table.RecordCount(); ++row) total += cellAt(table, row, index);
  return total;
}

constexpr std::array<const char*, 6> kHeadColumns = {"bullsteercalves", "Heifercalves", "yearlingbulls",
                                                     "yearlingheifers", "bulls",        "cowsbredheifers"};

double herdValue(const MemTable& sheet, int countRow, int priceRow) {
  if (countRow < 0 || priceRow >= sheet.RecordCount()) return 0;
  double value = 0;
  for (const char* column : kHeadColumns) value += cellOfRow(sheet, countRow, column) * cellOfRow(sheet, priceRow, column);
  return value;
}

struct TransferColumns {
  int from, fromCategory, to, head, pounds, price;
  explicit TransferColumns(const MemTable& t)
      : from(t.FieldIndex("FromEnterprise")),
        fromCategory(t.FieldIndex("FromCategory")),
        to(t.FieldIndex("ToEnterprise")),
        head(t.FieldIndex("NumHead")),
        pounds(t.FieldIndex("LbsPerHead")),
        price(t.FieldIndex("PricePerHead")) {}
};

}  // namespace

const MemTable* Figures::worksheet(std::string_view id) const { return farm_.findTable("mem" + std::string(id)); }

// --- shares of the ledgers ---------------------------------------------------

double Figures::allocatedRevenue(std::string_view id, std::string_view category) const {
  return allocatedColumn(farm_, "memRevenue", "Dollars", id, category, LineTest::WholeAboveZero);
}

double Figures::allocatedExpense(std::string_view id, std::string_view category) const {
  return allocatedColumn(farm_, "memExpenses", "Dollars", id, category, LineTest::AboveZero);
}

double Figures::allocatedDepreciation(std::string_view id) const {
  return allocatedColumn(farm_, "memMachinery", "DeprYear", id, "", LineTest::AboveZero) +
         allocatedColumn(farm_, "memBuildings", "DeprYear", id, "", LineTest::AboveZero);
}

double Figures::allocatedMachineryInvestment(std::string_view id) const {
  return investmentShare(farm_, "memMachinery", id);
}

double Figures::allocatedBuildingsInvestment(std::string_view id) const {
  return investmentShare(farm_, "memBuildings", id);
}

double Figures::allocatedReceivableChange(std::string_view id) const {
  return allocatedColumn(farm_, "memAcRec", "Change", id, "", LineTest::WholeAboveZero);
}

double Figures::allocatedPayableChange(std::string_view id) const {
  return allocatedColumn(farm_, "memAcPay", "Change", id, "", LineTest::AboveOneCent);
}

double Figures::allocatedSupplyChange(std::string_view id) const {
  return allocatedColumn(farm_, "memSupplyInv", "Change", id, "", LineTest::AboveOneCent);
}

double Figures::allocatedFeedInventoryChange(std::string_view id) const {
  return allocatedColumn(farm_, "memPurchFeedInv", "Change", id, "", LineTest::WholeAboveZero);
}

double Figures::allocatedUnpaidLabour(std::string_view id) const {
  return allocatedColumn(farm_, "memUnpaid", "TotDollars", id, "", LineTest::AboveZero);
}

// --- worksheets ---------------------------------------------------------------

int Figures::cowsWintered(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet) return 0;
  const int row = rowWithDescription(*sheet, "Beginning Inv.");
  if (row < 0) return 0;
  return toInteger32(cellAt(*sheet, row, sheet->FieldIndex("cowsbredheifers")));
}

double Figures::poundsOfCalfProduced(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet) return 0;
  // Beginning inventory and purchases in, sales and ending inventory out.
  double pounds = -calfWeight(*sheet, 0) - calfWeight(*sheet, 3) + calfWeight(*sheet, 5) + calfWeight(*sheet, 8);
  // Calves moved anywhere, within the herd too, were produced by it.
  const MemTable& transfers = farm_.table("memTransfer");
  const TransferColumns c(transfers);
  for (int row = 0; row < transfers.RecordCount(); ++row) {
    if (textAt(transfers, row, c.from) != id) continue;
    const double category = cellAt(transfers, row, c.fromCategory);
    if (category == 1 || category == 2)
      pounds += cellAt(transfers, row, c.head) * cellAt(transfers, row, c.pounds);
  }
  return pounds;
}

HeadFigures Figures::weanedCalfSales(std::string_view id) const {
  HeadFigures sales;
  const MemTable* sheet = worksheet(id);
  if (!sheet || sheet->RecordCount() < 6) return sales;
  const double steers = cellOfRow(*sheet, 5, "bullsteercalves");
  const double heifers = cellOfRow(*sheet, 5, "Heifercalves");
  sales.head = steers + heifers;
  sales.pounds = roundHalfEven(cellOfRow(*sheet, 5, "bsweights")) * steers +
                 roundHalfEven(cellOfRow(*sheet, 5, "hcweights")) * heifers;
  return sales;
}

double Figures::poundsGained(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet) return 0;
  return cellOfRow(*sheet, 4, "LbsTotal") + cellOfRow(*sheet, 7, "LbsTotal") + transfersOut(id).pounds -
         cellOfRow(*sheet, 0, "LbsTotal") - cellOfRow(*sheet, 2, "LbsTotal") - transfersIn(id).pounds;
}

HeadFigures Figures::feederSales(std::string_view id) const {
  HeadFigures sales;
  const MemTable& lines = farm_.table("memInventory");
  const int enterprise = lines.FieldIndex("Enterprise"), type = lines.FieldIndex("TransferType"),
            head = lines.FieldIndex("NumHead"), pounds = lines.FieldIndex("LbsPerHead"),
            price = lines.FieldIndex("PricePerHead");
  for (int row = 0; row < lines.RecordCount(); ++row) {
    if (textAt(lines, row, enterprise) != id || cellAt(lines, row, type) != 3) continue;
    const double n = cellAt(lines, row, head);
    sales.head += n;
    sales.pounds += n * cellAt(lines, row, pounds);
    sales.dollars += n * cellAt(lines, row, price);
  }
  if (sales.head > 0.1) sales.pounds /= sales.head;
  return sales;
}

double Figures::tonnesProduced(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  return sheet ? cropRowsSum(*sheet, 2, "TotalTonnes") : 0;
}

GrazingTotals Figures::pastureTotals(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet) return {};
  return {columnSum(*sheet, "TotalAums"), columnSum(*sheet, "Total")};
}

// --- product inventory ----------------------------------------------------------

double Figures::cowCalfInventoryChange(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet || sheet->RecordCount() == 0) return 0;
  const double beginning = herdValue(*sheet, 0, 1);
  const int endingRow = rowWithDescription(*sheet, "Ending Inv.");
  const double ending = endingRow < 0 ? 0 : herdValue(*sheet, endingRow, endingRow + 1);
  return ending - beginning;
}

double Figures::feederInventoryChange(std::string_view id) const {
  const MemTable& lines = farm_.table("memInventory");
  const int enterprise = lines.FieldIndex("Enterprise"), type = lines.FieldIndex("TransferType"),
            head = lines.FieldIndex("NumHead"), price = lines.FieldIndex("PricePerHead");
  double change = 0;
  for (int row = 0; row < lines.RecordCount(); ++row) {
    if (textAt(lines, row, enterprise) != id) continue;
    const double lineType = cellAt(lines, row, type);
    const double value = cellAt(lines, row, head) * cellAt(lines, row, price);
    if (lineType == 1) change -= value;
    if (lineType == 4) change += value;
  }
  return change;
}

double Figures::cropInventoryChange(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet) return 0;
  // One walk down the sheet, each crop's beginning value taken off and its
  // ending value added as its row comes, so the sum follows the sheet's order.
  const int value = sheet->FieldIndex("TotalValue");
  double change = 0;
  for (int row = 0; row < sheet->RecordCount(); ++row) {
    const int place = (row + 1) % 6;
    if (place == 1) change -= cellAt(*sheet, row, value);
    if (place == 5) change += cellAt(*sheet, row, value);
  }
  return change;
}

double Figures::otherInventoryChange(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  return sheet ? columnSum(*sheet, "Change") : 0;
}

double Figures::productInventoryChange(std::string_view id) const {
  if (isCowCalfId(id)) return cowCalfInventoryChange(id);
  if (isFeederId(id)) return feederInventoryChange(id);
  if (isOtherId(id)) return otherInventoryChange(id);
  if (isCropId(id)) return cropInventoryChange(id);
  return 0;
}

double Figures::wholeFarmInventoryChange() const {
  double change = 0;
  for (const EnterpriseRow& row : farm_.enterprises()) change += productInventoryChange(row.id);
  return change;
}

// --- transfers ------------------------------------------------------------------

namespace {

HeadFigures transferTotals(const MemTable& transfers, std::string_view id, bool out) {
  const TransferColumns c(transfers);
  HeadFigures totals;
  for (int row = 0; row < transfers.RecordCount(); ++row) {
    const std::string from = textAt(transfers, row, c.from);
    const std::string to = textAt(transfers, row, c.to);
    // Moves within one enterprise are neither in nor out.
    if (out ? (from != id || to == id) : (to != id || from == id)) continue;
    const double head = cellAt(transfers, row, c.head);
    totals.head += head;
    totals.pounds += head * cellAt(transfers, row, c.pounds);
    totals.dollars += head * cellAt(transfers, row, c.price);
  }
  return totals;
}

}  // namespace

HeadFigures Figures::transfersOut(std::string_view id) const {
  return transferTotals(farm_.table("memTransfer"), id, true);
}

HeadFigures Figures::transfersIn(std::string_view id) const {
  return transferTotals(farm_.table("memTransfer"), id, false);
}

double Figures::transferValue(std::string_view fromId, std::string_view toId) const {
  const MemTable& transfers = farm_.table("memTransfer");
  const TransferColumns c(transfers);
  double value = 0;
  for (int row = 0; row < transfers.RecordCount(); ++row)
    if (textAt(transfers, row, c.from) == fromId && textAt(transfers, row, c.to) == toId)
      value += cellAt(transfers, row, c.head) * cellAt(transfers, row, c.price);
  return value;
}

double Figures::cropTransfersOutValue(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  return sheet ? cropRowsSum(*sheet, 4, "TotalValue") : 0;
}

// --- farm-grown feed, bedding and grazing ------------------------------------------

namespace {

// The crop allocation line's weights start after its six fixed columns.
constexpr int kCropAllocFirstWeight = 6;
// The pasture and aftermath worksheets' weights start after seven.
constexpr int kGrazingFirstWeight = 7;

struct CropAllocColumns {
  int enterprise, alloc, dollars, feed, bedding;
  explicit CropAllocColumns(const MemTable& t)
      : enterprise(t.FieldIndex("Enterprise")),
        alloc(t.FieldIndex("Alloc")),
        dollars(t.FieldIndex("Dollars")),
        feed(t.FieldIndex("Feed")),
        bedding(t.FieldIndex("Bedding")) {}
};

}  // namespace

double Figures::cropValueAllocated(std::string_view id) const {
  const MemTable& lines = farm_.table("memCropAlloc");
  const CropAllocColumns c(lines);
  double value = 0;
  for (int row = 0; row < lines.RecordCount(); ++row)
    if (textAt(lines, row, c.enterprise) == id) value += cellAt(lines, row, c.dollars);
  return value;
}

double Figures::cropValueAllocatedTo(std::string_view id, std::string_view toId) const {
  const MemTable& lines = farm_.table("memCropAlloc");
  const CropAllocColumns c(lines);
  const int weightColumn = lines.FieldIndex(toId);
  if (weightColumn < 0) return 0;
  double value = 0;
  for (int row = 0; row < lines.RecordCount(); ++row) {
    if (textAt(lines, row, c.enterprise) != id) continue;
    const double weight = cellAt(lines, row, weightColumn);
    const double alloc = cellAt(lines, row, c.alloc);
    if (weight >= 1 && alloc != 0) value += cellAt(lines, row, c.dollars) * weight / alloc;
  }
  return value;
}

double Figures::feedFromCrops(std::string_view id) const {
  const MemTable& lines = farm_.table("memCropAlloc");
  const int weightColumn = lines.FieldIndex(id);
  if (weightColumn < 0) return 0;
  const CropAllocColumns c(lines);
  double value = 0;
  for (int row = 0; row < lines.RecordCount(); ++row) {
    const double weight = cellAt(lines, row, weightColumn);
    if (weight < 0.001) continue;
    // Straw is split between feed and bedding; every other crop is all feed.
    double feedShare = 1;
    const double bedding = cellAt(lines, row, c.bedding);
    if (bedding > 0.1) {
      const double feed = cellAt(lines, row, c.feed);
      feedShare = feed <= 0.1 ? 0 : feed / (bedding + feed);
    }
    if (!containsText(textAt(lines, row, c.enterprise), "str")) feedShare = 1;
    if (feedShare < 0.001) continue;
    const double sum = sumFrom(lines, row, kCropAllocFirstWeight);
    if (sum > 0.001) value += cellAt(lines, row, c.dollars) * feedShare * weight / sum;
  }
  return value;
}

double Figures::beddingFromCrops(std::string_view id) const {
  const MemTable& lines = farm_.table("memCropAlloc");
  const CropAllocColumns c(lines);
  // The whole farm (an empty id) used all its farm-grown bedding, allocated or not.
  const bool wholeFarm = trimmed(id).size() < 3;
  const int weightColumn = wholeFarm ? -1 : lines.FieldIndex(id);
  if (!wholeFarm && weightColumn < 0) return 0;
  double value = 0;
  for (int row = 0; row < lines.RecordCount(); ++row) {
    const double weight = wholeFarm ? 1 : cellAt(lines, row, weightColumn);
    const double bedding = cellAt(lines, row, c.bedding);
    if (weight < 0.1 || bedding < 1) continue;
    const double feedAndBedding = bedding + cellAt(lines, row, c.feed);
    if (feedAndBedding == 0) continue;
    const double beddingValue = cellAt(lines, row, c.dollars) * bedding / feedAndBedding;
    if (wholeFarm) {
      value += beddingValue;
      continue;
    }
    const double sum = sumFrom(lines, row, kCropAllocFirstWeight);
    if (sum > 0.001) value += weight * beddingValue / sum;
  }
  return value;
}

double Figures::pastureValueAllocatedTo(std::string_view id, std::string_view toId) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet) return 0;
  const int weightColumn = sheet->FieldIndex(toId);
  if (weightColumn < 0) return 0;
  const int total = sheet->FieldIndex("Total");
  double value = 0;
  for (int row = 0; row < sheet->RecordCount(); ++row) {
    // Grazing weights are read as whole numbers.
    const double weight = wholeCellAt(*sheet, row, weightColumn);
    if (weight <= 0.1) continue;
    double sum = 0;
    for (int column = kGrazingFirstWeight; column < sheet->FieldCount(); ++column)
      sum += wholeCellAt(*sheet, row, column);
    if (sum > 0.1) value += cellAt(*sheet, row, total) * weight / sum;
  }
  return value;
}

double Figures::pastureCostFor(std::string_view id) const {
  double cost = pastureValueAllocatedTo("aftermath1", id);
  for (int n = 1; n <= kMaxPerKind; ++n) {
    const std::string pasture = "pasture" + std::to_string(n);
    if (farm_.isRegistered(pasture)) cost += pastureValueAllocatedTo(pasture, id);
  }
  return cost;
}

// --- investment ---------------------------------------------------------------------

double Figures::breedingStockValue(std::string_view id) const {
  const MemTable* sheet = worksheet(id);
  if (!sheet || sheet->RecordCount() < 2) return 0;
  // Prices from "Ending Price", counts from "Ending Inv." above it; calves are
  // not breeding stock.
  const int priceRow = sheet->RecordCount() - 1;
  const int countRow = priceRow - 1;
  double value = 0;
  for (const char* column : {"yearlingbulls", "yearlingheifers", "bulls", "cowsbredheifers"}) {
    const int index = sheet->FieldIndex(column);
    value += wholeCellAt(*sheet, countRow, index) * wholeCellAt(*sheet, priceRow, index);
  }
  return value;
}

double Figures::wholeFarmBreedingStockValue() const {
  double value = 0;
  for (int n = 1; n <= kMaxPerKind; ++n) {
    const std::string herd = "cowcalf" + std::to_string(n);
    if (farm_.isRegistered(herd)) value += breedingStockValue(herd);
  }
  return value;
}

std::string Figures::enterpriseLabelOf(std::string_view id) const {
  const MemTable& master = farm_.master();
  const int enterprise = master.FieldIndex("enterprise"), label = master.FieldIndex("enterpriseLabel");
  for (int row = 0; row < master.RecordCount(); ++row)
    if (textAt(master, row, enterprise) == id) return textAt(master, row, label);
  return std::string(id);
}

}  // namespace rb
