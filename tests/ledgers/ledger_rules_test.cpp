#include <gtest/gtest.h>

#include "ledgers/ledger_rules.h"
#include "worksheets/rules_fixture.h"

namespace rb {
namespace {

using testing::FarmSpec;
using testing::RuledFarm;

FarmSpec twoHerds() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  return farmSpec;
}

// ---------------------------------------------------------------------------
// Computed columns
// ---------------------------------------------------------------------------

struct DepreciationCase {
  const char* table;
  const char* type;
  const char* value;
  const char* rate;  // typed after the type, "" for none
  double expectedRate;
  double expectedYear;
};

TEST(LedgerRules, DepreciationFollowsTheClassOrTheTypedRate) {
  const DepreciationCase cases[] = {
      {"memMachinery", "Power machinery", "10000", "", 8, 800.00},
      {"memMachinery", "Non-power machinery", "10000", "", 11.5, 1150.00},
      {"memMachinery", "Power machinery", "10000", "20", 8, 800.00},
      {"memMachinery", "Other", "1234.56", "11.5", 11.5, 141.97},
      {"memMachinery", "Other", "1000", "-5", -5, 0},
      {"memMachinery", "Other", "1000", "150", 150, 1500},
      {"memBuildings", "Standard", "50000", "", 5, 2500.00},
      {"memBuildings", "Other", "50000", "4", 4, 2000.00},
  };
  for (const DepreciationCase& c : cases) {
    RuledFarm f(twoHerds());
    const int row = f.appendLine(c.table);
    f.type(c.table, row, "CurrentValue", c.value);
    f.type(c.table, row, "DeprType", c.type);
    if (*c.rate) f.type(c.table, row, "DeprRate", c.rate);
    SCOPED_TRACE(std::string(c.table) + " " + c.type + " " + c.value + " " + c.rate);
    EXPECT_DOUBLE_EQ(f.number(c.table, row, "DeprRate"), c.expectedRate);
    EXPECT_DOUBLE_EQ(f.number(c.table, row, "DeprYear"), c.expectedYear);
  }
}

TEST(LedgerRules, OtherKeepsTheLastPresetRateUntilOneIsTyped) {
  RuledFarm f(twoHerds());
  const int row = f.appendLine("memMachinery");
  f.type("memMachinery", row, "CurrentValue", "10000");
  f.type("memMachinery", row, "DeprType", "Power machinery");
  EXPECT_DOUBLE_EQ(f.number("memMachinery", row, "DeprYear"), 800);
  f.type("memMachinery", row, "DeprType", "Non-power machinery");
  EXPECT_DOUBLE_EQ(f.number("memMachinery", row, "DeprYear"), 1150);
  f.type("memMachinery", row, "DeprType", "Other");
  EXPECT_DOUBLE_EQ(f.number("memMachinery", row, "DeprRate"), 11.5);
  f.type("memMachinery", row, "DeprRate", "10");
  EXPECT_DOUBLE_EQ(f.number("memMachinery", row, "DeprYear"), 1000);
}

TEST(LedgerRules, BalanceChangesAndUnpaidLabour) {
  struct Case {
    const char* table;
    const char* first;
    const char* firstValue;
    const char* second;
    const char* secondValue;
    const char* result;
    double expected;
  };
  const Case cases[] = {
      {"memAcRec", "Beginning", "1000", "Ending", "1500", "Change", 500},
      {"memAcPay", "Beginning", "1000", "Ending", "1500", "Change", 500},
      {"memSupplyInv", "Beginning", "1000", "Ending", "1500", "Change", -500},
      {"memPurchFeedInv", "Beginning", "1000", "Ending", "1500", "Change", -500},
      {"memUnpaid", "Hours", "120", "DPerHour", "15.125", "TotDollars", 1815},
      {"memUnpaid", "Hours", "0.333", "DPerHour", "10", "TotDollars", 3.33},
  };
  for (const Case& c : cases) {
    RuledFarm f(twoHerds());
    const int row = f.appendLine(c.table);
    f.type(c.table, row, c.first, c.firstValue);
    f.type(c.table, row, c.second, c.secondValue);
    EXPECT_DOUBLE_EQ(f.number(c.table, row, c.result), c.expected) << c.table;
  }
}

TEST(LedgerRules, AnAllocationEditRecomputesFromUnchangedInputs) {
  RuledFarm f(twoHerds());
  const int row = f.appendLine("memAcRec");
  f.type("memAcRec", row, "Beginning", "100");
  f.type("memAcRec", row, "cowcalf1", "1");
  EXPECT_DOUBLE_EQ(f.number("memAcRec", row, "Change"), -100);
  EXPECT_FALSE(f.farm.inProgramUpdate);
}

TEST(LedgerRules, ProgramWritesDoNotRecompute) {
  RuledFarm f(twoHerds());
  MemTable& unpaid = f.table("memUnpaid");
  {
    ProgramUpdate busy(f.farm);
    unpaid.Append();
    unpaid.FieldByName("Hours").SetAsFloat(10);
    unpaid.FieldByName("DPerHour").SetAsFloat(20);
    unpaid.Post();
  }
  EXPECT_TRUE(f.isEmpty("memUnpaid", 0, "TotDollars"));
  EXPECT_FALSE(f.rules->takeNewRowPending());
}

// ---------------------------------------------------------------------------
// What the grid lets through
// ---------------------------------------------------------------------------

TEST(LedgerGrid, ComputedColumnsAreSilverAndRefuseTyping) {
  RuledFarm f(twoHerds());
  for (const char* ledger : {"memMachinery", "memAcPay", "memUnpaid", "memPurchFeedInv"}) {
    const int row = f.appendLine(ledger);
    MemTable& table = f.table(ledger);
    const int computed = table.FieldIndex(ledgerComputedColumn(ledger));
    const CellRule rule = gridCellRule(f.farm, table, row, computed, true);
    EXPECT_FALSE(rule.typeable) << ledger;
    EXPECT_EQ(rule.background, (Rgb{192, 192, 192}));
    EXPECT_EQ(rule.dialog, CellDialog::AllocationPopup);
    try {
      typeIntoCell(f.farm, table, row, computed, "5");
      ADD_FAILURE() << ledger << " took a typed computed value";
    } catch (const Error& error) {
      EXPECT_NE(std::string(error.what()).find(std::string(ledger) + ":1:"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(f.isEmpty(ledger, row, table.FieldAt(computed).FieldName()));
    EXPECT_TRUE(gridCellRule(f.farm, table, row, 1, false).typeable);
  }
}

TEST(LedgerGrid, DropDownCellsTakeOnlyTheirEntries) {
  RuledFarm f(twoHerds());
  const int row = f.appendLine("memExpenses");
  EXPECT_THROW(f.type("memExpenses", row, "Category", "Groceries"), Error);
  f.type("memExpenses", row, "Category", "Taxes Water Rates & Insurance");
  EXPECT_EQ(f.text("memExpenses", row, "Category"), "Taxes Water Rates & Insurance");
  EXPECT_THROW(f.type("memExpenses", row, "Category", "veterninary & MEDICINE"), Error);
  EXPECT_EQ(f.text("memExpenses", row, "Category"), "Taxes Water Rates & Insurance");
  f.type("memExpenses", row, "Category", "");
  EXPECT_TRUE(f.isEmpty("memExpenses", row, "Category"));
  EXPECT_EQ(expenseCategories().size(), 24u);
  EXPECT_EQ(revenueCategories().size(), 7u);

  const int feed = f.appendLine("memPurchFeedInv");
  EXPECT_THROW(f.type("memPurchFeedInv", feed, "Type", "Hay"), Error);
  f.type("memPurchFeedInv", feed, "Type", "Bedding");
  EXPECT_EQ(f.text("memPurchFeedInv", feed, "Type"), "Bedding");
}

TEST(LedgerGrid, ABadNumberLeavesTheCellAndSaysWhy) {
  RuledFarm f(twoHerds());
  const int row = f.appendLine("memRevenue");
  f.type("memRevenue", row, "Dollars", "12.5");
  try {
    f.type("memRevenue", row, "Dollars", "12,5x");
    ADD_FAILURE();
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("is not a valid floating point value"), std::string::npos);
  }
  EXPECT_DOUBLE_EQ(f.number("memRevenue", row, "Dollars"), 12.5);
  EXPECT_EQ(f.table("memRevenue").State(), TableState::Browse);
}

// An infinite total would be written as a text that no farm file can hold.
TEST(LedgerGrid, AResultTooLargeToStoreIsRefused) {
  RuledFarm f(twoHerds());
  const int row = f.appendLine("memUnpaid");
  f.type("memUnpaid", row, "Hours", "1e300");
  EXPECT_THROW(f.type("memUnpaid", row, "DPerHour", "1e300"), Error);
  EXPECT_TRUE(f.isEmpty("memUnpaid", row, "DPerHour"));
  EXPECT_DOUBLE_EQ(f.number("memUnpaid", row, "TotDollars"), 0);
}

TEST(LedgerGrid, OnlyGridTablesAndExistingCellsAreTyped) {
  RuledFarm f(twoHerds());
  EXPECT_THROW(typeIntoCell(f.farm, f.table("memTransfer"), 0, 0, "x"), Error);
  EXPECT_THROW(typeIntoCell(f.farm, f.table("memfeeders1"), 3, 1, "1"), Error);  // not registered
  EXPECT_THROW(f.type("memRevenue", 0, "Dollars", "1"), Error);                    // no line yet
  EXPECT_FALSE(isGridTable(f.farm, f.table("memInventory")));
  EXPECT_TRUE(isGridTable(f.farm, f.table("memcowcalf2")));
}

// ---------------------------------------------------------------------------
// Sorting and new lines
// ---------------------------------------------------------------------------

TEST(LedgerGrid, TitleClicksSortAndEditsReturnToEntryOrder) {
  RuledFarm f(twoHerds());
  const char* descriptions[] = {"a", "b", "c", "d"};
  const char* dollars[] = {"30", "10", "20", "40"};
  const char* weights[] = {"1", "2", "1", ""};
  for (int i = 0; i < 4; ++i) {
    const int row = f.appendLine("memRevenue");
    f.type("memRevenue", row, "Description", descriptions[i]);
    f.type("memRevenue", row, "Dollars", dollars[i]);
    if (*weights[i]) f.type("memRevenue", row, "cowcalf1", weights[i]);
  }
  MemTable& revenue = f.table("memRevenue");
  auto order = [&] {
    std::string text;
    for (int row = 0; row < revenue.RecordCount(); ++row) text += revenue.StringAt(row, 0);
    return text;
  };
  sortOnTitleClick(revenue, revenue.FieldIndex("Dollars"));
  EXPECT_EQ(order(), "bcad");
  sortOnTitleClick(revenue, revenue.FieldIndex("cowcalf1"));
  EXPECT_EQ(order(), "bcad");  // 2, then the two 1s in reversed entry order, then none
  EXPECT_TRUE(sortDescendingOnTitleClick(revenue, revenue.FieldIndex("cowcalf1")));
  EXPECT_FALSE(sortDescendingOnTitleClick(revenue, revenue.FieldIndex("Category")));

  // Row 3 of the sorted view is "a"; editing it restores entry order first.
  f.type("memRevenue", 2, "Dollars", "31");
  EXPECT_EQ(order(), "abcd");
  EXPECT_DOUBLE_EQ(f.number("memRevenue", 0, "Dollars"), 31);

  MemTable& machinery = f.table("memMachinery");
  for (const char* value : {"100", "300", "200"}) f.type("memMachinery", f.appendLine("memMachinery"), "CurrentValue", value);
  sortOnTitleClick(machinery, machinery.FieldIndex("CurrentValue"));
  f.type("memMachinery", 0, "DeprRate", "10");
  EXPECT_DOUBLE_EQ(f.number("memMachinery", 0, "CurrentValue"), 300);  // stays sorted while edited
  EXPECT_DOUBLE_EQ(f.number("memMachinery", 0, "DeprYear"), 30);
  EXPECT_FALSE(sortsOnTitleClick(f.table("memAcRec")));
}

TEST(LedgerGrid, ANewLineIsPendingOnce) {
  RuledFarm f(twoHerds());
  EXPECT_FALSE(f.rules->takeNewRowPending());
  f.table("memUnpaid").Append();
  EXPECT_TRUE(f.rules->takeNewRowPending());
  EXPECT_FALSE(f.rules->takeNewRowPending());
  // The line being added is a row for the next typed cell.
  f.type("memUnpaid", 0, "Hours", "2");
  f.type("memUnpaid", 0, "DPerHour", "3");
  EXPECT_DOUBLE_EQ(f.number("memUnpaid", 0, "TotDollars"), 6);
}

}  // namespace
}  // namespace rb
