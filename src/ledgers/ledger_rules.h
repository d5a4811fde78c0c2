#pragma once
// The whole-farm ledgers' own rules: their drop-down lists, the computed
// column of each capital and balance ledger and its formula, and the entry
// order that revenue and expense edits always return to.
#include <string>
#include <string_view>
#include <vector>

namespace rb {

class MemTable;

// Drop-down lists, in the order the grids offer them; stored as these texts.
const std::vector<std::string>& revenueCategories();
const std::vector<std::string>& expenseCategories();
const std::vector<std::string>& machineryDeprTypes();
const std::vector<std::string>& buildingDeprTypes();
const std::vector<std::string>& purchasedFeedTypes();

// The drop-down list of a ledger column, or nullptr when the column is free text.
const std::vector<std::string>* ledgerPickList(std::string_view table, std::string_view column);

// The computed column of a ledger ("DeprYear", "Change", "TotDollars"), or ""
// for revenue and expenses, which have none.
std::string ledgerComputedColumn(std::string_view table);

// Recomputes the derived cells of the table's current line (which must be in
// edit or insert state): the depreciation preset and amount, the balance
// change, the labour total. Does nothing for revenue and expenses.
void computeLedgerLine(MemTable& table);

// The rate a depreciation class imposes, or a negative number when the class
// leaves the typed rate.
double machineryPresetRate(std::string_view deprType);
double buildingPresetRate(std::string_view deprType);

// Title clicks: which ledgers sort, and in which direction per column.
bool ledgerSortsOnTitleClick(std::string_view table);
bool ledgerSortsDescending(std::string_view column);
// Back to the order in which the lines were created.
void restoreEntryOrder(MemTable& table);

}  // namespace rb
