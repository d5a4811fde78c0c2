#include "analysis/statements.h"

#include <cmath>
#include <optional>
#include <utility>

#include "analysis/figures.h"
#include "analysis/table_reading.h"

namespace rb {

const std::vector<StatementLine>& valueOfProductionLines() {
  static const std::vector<StatementLine> lines = {
      {"Weaned Calf Sales", "Calves"},
      {"Feeder/Slaughter Cattle Sales", "Feeder/Slaughter Cattle"},
      {"Breeding herd Sales", "Breeding herd"},
      {"Grain crop Sales", "Grain crop"},
      {"Forage crop Sales", "Forage crop"},
      {"Grazing/Aftermath/Straw Sales", "Grazing/Aftermath/Straw"},
      {"Miscellaneous Revenue", "Miscellaneous"},
      {"Less: Cattle Purchases", "Cattle Purchases"},
      {"Adjustments:", nullptr},
      {"     Product Inventory", nullptr},
      {"     Accounts Receivable", nullptr},
      {"     Transfers out", nullptr},
      {"     Less: Livestock Transfers in", nullptr},
  };
  return lines;
}

const std::vector<StatementLine>& variableCostLines() {
  static const std::vector<StatementLine> lines = {
      {"Winter feed", "Winter feed"},
      {"Bedding", "Bedding"},
      {"Pasture", "Pasture"},
      {"Veterninary & medicine", "Veterninary & medicine"},
      {"Breeding fees / Bull rental", "Breeding fees / Bull rental"},
      {"Seed", "Seed"},
      {"Fertilizer", "Fertilizer"},
      {"Chemicals", "Chemicals"},
      {"Hail/Crop insurance premiums", "Hail/Crop insurance premiums"},
      {"Trucking & Marketing", "Trucking & Marketing"},
      {"Fuel", "Fuel"},
      {"Irrigation Fuel & Electricity", "Irrigation Fuel & Electricity"},
      {"Repairs - Machinery", "Repairs - Machinery"},
      {"Repairs - Buildings /Corrals", "Repairs - Buildings /Corrals"},
      {"Utilities & Miscellaneous", "Utilities & Miscellaneous"},
      {"Custom work & Spec. labour", "Custom work & Spec. labour"},
      {"Operating interest paid", "Operating interest paid"},
      {"Paid labour & benefits", "Paid labour & benefits"},
      {"Unpaid Labour", nullptr},
      {"Adjustments:", nullptr},
      {"     Supply Inventory", nullptr},
      {"     Accounts Payable", nullptr},
  };
  return lines;
}

namespace {

using Cell = std::optional<double>;

double valueOf(const Cell& cell) { return cell.value_or(0); }

// One statement row being filled; empty cells stay empty in the table.
struct Line {
  const StatementLine* text = nullptr;
  Cell number, weight, total, dollarCow, dollarLb;
};

// The enterprise being reported: its id, label and headline figures.
struct Reported {
  std::string id;
  std::string label;
  Cell numCows, lbsProduced;
  double cows() const { return valueOf(numCows); }
  double output() const { return valueOf(lbsProduced); }
};

std::vector<Reported> reportedEnterprises(const Farm& farm) {
  const MemTable& table = farm.table("memEnterprises");
  const int id = table.FieldIndex("enterprise"), label = table.FieldIndex("externalname"),
            cows = table.FieldIndex("numCows"), output = table.FieldIndex("lbsProduced");
  std::vector<Reported> list;
  for (int row = 0; row < table.RecordCount(); ++row) {
    Reported entry{textAt(table, row, id), textAt(table, row, label), {}, {}};
    if (!isNull(table.ValueAt(row, cows))) entry.numCows = cellAt(table, row, cows);
    if (!isNull(table.ValueAt(row, output))) entry.lbsProduced = cellAt(table, row, output);
    list.push_back(std::move(entry));
  }
  return list;
}

void setCell(MemTable& table, const char* column, const Cell& value) {
  if (!value) return;
  Field& field = table.FieldByName(column);
  if (field.DataType() == FieldType::Integer)
    field.SetAsInteger(toInteger32(*value));
  else
    field.SetAsFloat(*value);
}

// --- capital costs -------------------------------------------------------------

struct CapitalRow {
  std::vector<std::pair<const char*, Cell>> cells;
  void set(const char* column, double value) { cells.emplace_back(column, value); }
};

CapitalRow capitalRowOf(const Figures& figures, const Reported& e, StatementKind kind) {
  const std::string& id = e.id;
  const double taxes = figures.allocatedExpense(id, "Taxes Water Rates & Insurance");
  const double rent = figures.allocatedExpense(id, "Cattle Share / Lease") + figures.allocatedExpense(id, "Crop Share / Rent");
  const double interest = figures.allocatedExpense(id, "Capital Interest");
  const double lease = figures.allocatedExpense(id, "Machinery Lease");
  const double depreciation = figures.allocatedDepreciation(id);
  const double machinery = figures.allocatedMachineryInvestment(id);
  const double buildings = figures.allocatedBuildingsInvestment(id);

  CapitalRow row;
  row.set("rent", rent);
  row.set("taxes", taxes);
  row.set("depreciation", depreciation);
  row.set("lease", lease);
  row.set("interest", interest);
  row.set("invMachinery", machinery);
  row.set("invBuildings", buildings);

  // Per-cow (or per tonne, per AUM) base c and per-pound base p.
  double c = 0, p = 0;
  if (isCropId(id) || isGrazingId(id)) {
    c = e.output();
  } else if (isFeederId(id)) {
    p = e.output();
  } else if (isCowCalfId(id) && e.cows() > 0.9) {
    c = e.cows();
    p = e.output();
    const double breeding = figures.breedingStockValue(id);
    row.set("invBreeding", breeding);
    row.set("invBreedingpercow", breeding / e.cows());
  }
  if (kind.kind == ReportKind::WholeFarm) row.set("invBreeding", figures.wholeFarmBreedingStockValue());
  if (std::fabs(c) > 0.1) {
    row.set("invMachinerypercow", machinery / c);
    row.set("invBuildingspercow", buildings / c);
    row.set("taxespercow", taxes / c);
    row.set("rentpercow", rent / c);
    row.set("interestpercow", interest / c);
    row.set("leasepercow", lease / c);
    row.set("depreciationpercow", depreciation / c);
  }
  if (std::fabs(p) > 0.2) {
    row.set("taxesperlb", taxes / p);
    row.set("rentperlb", rent / p);
    row.set("interestperlb", interest / p);
    row.set("leaseperlb", lease / p);
    row.set("depreciationperlb", depreciation / p);
  }
  return row;
}

// --- per-unit columns ------------------------------------------------------------

// Applied while a revenue or variable-cost category row is filled.
void firstPassPerUnit(Line& line, const Reported& e) {
  const double t = valueOf(line.total);
  if (isCowCalfId(e.id) && e.cows() > 0) {
    line.dollarCow = t / e.cows();
  } else if (e.output() > 0.001) {
    if (isCropId(e.id))
      line.dollarCow = t / e.output();
    else
      line.dollarLb = t / e.output();
  }
}

// Over every row of an enterprise with output, once its statement is built.
void secondPassPerUnit(std::vector<Line>& lines, bool variableCosts, const Reported& e, StatementKind kind) {
  const double n = e.cows(), l = e.output();
  for (Line& line : lines) {
    const double t = valueOf(line.total);
    if (isCowCalfId(e.id)) line.dollarCow = t / n;
    if (isLivestockId(e.id) && l > 0.9) line.dollarLb = t / l;
    if ((isCropId(e.id) || kind.kind == ReportKind::PastureAftermath) && l > 0.9) {
      line.dollarCow = t / l;
      if (variableCosts) line.dollarLb.reset();
    }
  }
}

bool hasOutput(const Reported& e) { return isCowCalfId(e.id) ? e.cows() >= 1 : e.output() >= 1; }

// --- value of production ----------------------------------------------------------

// Head count and pounds per head of a transfer row: per head only for
// livestock moved in whole animals.
void setTransferRow(Line& line, const HeadFigures& moved, bool livestock, double sign) {
  const double head = roundHalfEven(moved.head);
  line.number = head;
  line.weight = (livestock && head > 0) ? moved.pounds / head : moved.pounds;
  line.total = sign * moved.dollars;
}

std::vector<Line> valueOfProduction(const Figures& figures, const Reported& e, StatementKind kind) {
  const std::string& id = e.id;
  const bool wholeFarm = kind.kind == ReportKind::WholeFarm;
  const auto& texts = valueOfProductionLines();
  std::vector<Line> lines(wholeFarm ? 11 : 13);
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i].text = &texts[i];

  for (std::size_t i = 0; i < 7; ++i) {
    Line& line = lines[i];
    line.total = figures.allocatedRevenue(id, texts[i].category);
    if (i == 1 && isFeederId(id)) {
      const HeadFigures sales = figures.feederSales(id);
      line.number = sales.head;
      line.weight = sales.pounds;
    }
    if (i == 0 && isCowCalfId(id)) {
      const HeadFigures sales = figures.weanedCalfSales(id);
      line.number = sales.head;
      if (sales.head > 0) line.weight = sales.pounds / sales.head;
    }
    firstPassPerUnit(line, e);
  }
  lines[7].total = -figures.allocatedExpense(id, "Cattle Purchases");

  Line& inventory = lines[9];
  if (isCowCalfId(id))
    inventory.total = figures.cowCalfInventoryChange(id);
  else if (isFeederId(id))
    inventory.total = figures.feederInventoryChange(id);
  else if (beginsAsCrop(id))
    inventory.total = figures.cropInventoryChange(id);
  else if (wholeFarm)
    inventory.total = figures.wholeFarmInventoryChange();
  else if (kind.kind == ReportKind::Other)
    inventory.total = figures.otherInventoryChange(id);

  lines[10].total = figures.allocatedReceivableChange(id);

  if (!wholeFarm) {
    HeadFigures out;
    if (isLivestockId(id))
      out = figures.transfersOut(id);
    else if (beginsAsCrop(id))
      out.dollars = figures.cropTransfersOutValue(id);
    else if (kind.kind == ReportKind::PastureAftermath)
      out.dollars = figures.pastureTotals(id).dollars;
    setTransferRow(lines[11], out, isLivestockId(id), 1);
    setTransferRow(lines[12], figures.transfersIn(id), isLivestockId(id), -1);
  }
  return lines;
}

// --- variable costs ------------------------------------------------------------------

std::vector<Line> variableCosts(const Figures& figures, const Reported& e, StatementKind kind) {
  const std::string& id = e.id;
  const ReportKind k = kind.kind;
  const bool wholeFarm = k == ReportKind::WholeFarm;
  const bool livestockOrOtherRun = (k == ReportKind::Livestock && !kind.herdPlannerExport) || k == ReportKind::Other;
  const auto& texts = variableCostLines();

  std::vector<Line> lines;
  for (std::size_t i = 0; i < 18; ++i) {
    Line line{&texts[i], {}, {}, {}, {}, {}};
    const double base = figures.allocatedExpense(id, texts[i].category);
    line.total = base;
    if (i == 0) {  // Winter feed: farm-grown feed and the change in purchased feed are non-cash
      const double cropFeed = wholeFarm ? 0 : figures.feedFromCrops(id);
      const double feedInventory = livestockOrOtherRun ? figures.allocatedFeedInventoryChange(id) : 0;
      line.total = base + cropFeed + feedInventory;
      line.weight = cropFeed + feedInventory;
    } else if (i == 1) {  // Bedding, all of it non-cash
      const bool counted = (k == ReportKind::Livestock && !kind.herdPlannerExport) || k == ReportKind::Other || wholeFarm;
      const double bedding =
          counted ? figures.beddingFromCrops(wholeFarm ? "" : id) + figures.allocatedExpense(id, "Bedding") : 0;
      line.total = bedding;
      line.weight = bedding;
    } else if (i == 2 && id != "farm") {  // Pasture: the grazing used is non-cash
      const double grazing = (isLivestockId(id) || isOtherId(id)) ? figures.pastureCostFor(id) : 0;
      line.total = base + grazing;
      line.weight = grazing;
    }
    firstPassPerUnit(line, e);
    lines.push_back(line);
  }
  if (!wholeFarm) {
    const double unpaid = figures.allocatedUnpaidLabour(id);
    lines.push_back({&texts[18], {}, unpaid, unpaid, {}, {}});
  }
  lines.push_back({&texts[19], {}, {}, {}, {}, {}});
  const double supply = figures.allocatedSupplyChange(id);
  lines.push_back({&texts[20], {}, supply, supply, {}, {}});
  const double payable = figures.allocatedPayableChange(id);
  lines.push_back({&texts[21], {}, payable, payable, {}, {}});
  return lines;
}

void appendLines(MemTable& table, const Reported& e, const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    table.Append();
    table.FieldByName("enterprise").SetAsString(e.id);
    table.FieldByName("enterpriseLabel").SetAsString(e.label);
    if (line.text->category) table.FieldByName("category").SetAsString(line.text->category);
    table.FieldByName("categoryLabel").SetAsString(line.text->label);
    setCell(table, "Number", line.number);
    setCell(table, "Weight", line.weight);
    setCell(table, "TotalDollars", line.total);
    setCell(table, "DollarCow", line.dollarCow);
    setCell(table, "DollarLb", line.dollarLb);
    table.Post();
  }
}

double sumOf(const std::vector<Line>& lines, Cell Line::*member) {
  double sum = 0;
  for (const Line& line : lines) sum += valueOf(line.*member);
  return sum;
}

void emptyTable(MemTable& table) {
  PostIfEditing(table);
  while (!table.IsEmpty()) {
    table.First();
    table.Delete();
  }
}

}  // namespace

void buildCapitalCosts(Farm& farm, StatementKind kind) {
  const Figures figures(farm);
  MemTable& table = farm.table("memEnterpriseRep3");
  ControlsDisabled quiet(table);
  emptyTable(table);
  for (const Reported& e : reportedEnterprises(farm)) {
    const CapitalRow row = capitalRowOf(figures, e, kind);
    table.Append();
    table.FieldByName("enterprise").SetAsString(e.id);
    for (const auto& [column, value] : row.cells) setCell(table, column, value);
    table.Post();
  }
  table.First();
}

void buildEnterpriseStatements(Farm& farm, StatementKind kind) {
  const Figures figures(farm);
  MemTable& enterprises = farm.table("memEnterprises");
  MemTable& production = farm.table("memEnterpriseRep1");
  MemTable& costs = farm.table("memEnterpriseRep2");
  ControlsDisabled quietEnterprises(enterprises), quietProduction(production), quietCosts(costs);
  emptyTable(production);
  emptyTable(costs);

  const std::vector<Reported> reported = reportedEnterprises(farm);
  for (std::size_t i = 0; i < reported.size(); ++i) {
    const Reported& e = reported[i];
    std::vector<Line> value = valueOfProduction(figures, e, kind);
    std::vector<Line> cost = variableCosts(figures, e, kind);

    enterprises.First();
    enterprises.MoveBy(static_cast<int>(i));
    enterprises.Edit();
    enterprises.FieldByName("noncashexp").SetAsFloat(sumOf(cost, &Line::weight));
    enterprises.FieldByName("totalexp").SetAsFloat(sumOf(cost, &Line::total));
    enterprises.FieldByName("valueofproduction").SetAsFloat(sumOf(value, &Line::total));
    enterprises.Post();

    if (hasOutput(e)) {
      secondPassPerUnit(value, false, e, kind);
      secondPassPerUnit(cost, true, e, kind);
    }
    appendLines(production, e, value);
    appendLines(costs, e, cost);
  }
  enterprises.First();
  production.First();
  costs.First();
}

StatementTotals statementTotals(const Farm& farm, ReportKind kind, int row) {
  const MemTable& enterprises = farm.table("memEnterprises");
  const MemTable& capital = farm.table("memEnterpriseRep3");
  const auto value = [](const MemTable& table, int at, const char* column) {
    return at < 0 ? 0 : cellAt(table, at, table.FieldIndex(column));
  };
  const std::string id = textAt(enterprises, row, enterprises.FieldIndex("enterprise"));
  int capitalRow = -1;
  for (int r = 0; r < capital.RecordCount() && capitalRow < 0; ++r)
    if (textAt(capital, r, capital.FieldIndex("enterprise")) == id) capitalRow = r;

  const double rent = value(capital, capitalRow, "rent"), taxes = value(capital, capitalRow, "taxes"),
               depreciation = value(capital, capitalRow, "depreciation"), lease = value(capital, capitalRow, "lease"),
               interest = value(capital, capitalRow, "interest");
  const double totalexp = value(enterprises, row, "totalexp"), noncash = value(enterprises, row, "noncashexp"),
               production = value(enterprises, row, "valueofproduction");
  const double cows = value(enterprises, row, "numCows"), output = value(enterprises, row, "lbsProduced");

  const double capitalCosts = rent + taxes + depreciation + lease + interest;
  const double productionCosts = totalexp + capitalCosts;
  double margin = production - productionCosts + depreciation;
  if (kind != ReportKind::WholeFarm) margin += Figures(farm).allocatedUnpaidLabour(id);

  const double perCowBase = isCowCalfId(id) ? cows : (isCropId(id) || isGrazingId(id)) ? output : 0;
  const double perLbBase = isLivestockId(id) ? output : 0;
  const auto unit = [&](double total) {
    UnitFigure figure{total, 0, 0};
    if (std::fabs(perCowBase) > 0.1) figure.perCow = total / perCowBase;
    if (std::fabs(perLbBase) > 0.1) figure.perLb = total / perLbBase;
    return figure;
  };
  StatementTotals totals;
  totals.totalCapitalCosts = unit(capitalCosts);
  totals.cashCosts = unit(totalexp - noncash + rent + taxes + lease + interest);
  totals.totalProductionCosts = unit(productionCosts);
  totals.grossMargin = unit(margin);
  totals.returnToEquity = unit(production - totalexp - capitalCosts);
  return totals;
}

}  // namespace rb
