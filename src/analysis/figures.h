#pragma once
// The cost-of-production figures: small readers that compute one figure for
// one enterprise from the farm's ledgers, worksheets, transfers, inventory
// lines and crop allocations. They read the tables as they stand and never
// write to them. The id "farm" stands for the whole farm.
#include <string>
#include <string_view>

#include "model/farm_data_sets.h"

namespace rb {

// Head, pounds and dollars of a group of animals.
struct HeadFigures {
  double head = 0;
  double pounds = 0;
  double dollars = 0;
};

struct GrazingTotals {
  double aums = 0;
  double dollars = 0;
};

// Kind tests on an enterprise id by the text it contains.
bool isCowCalfId(std::string_view id);   // contains "cow"
bool isFeederId(std::string_view id);    // contains "fee"
bool isLivestockId(std::string_view id); // cow-calf or feeder
bool isCropId(std::string_view id);      // contains "for", "str" or "gra" (any case)
bool isGrazingId(std::string_view id);   // contains "aft" or "pas" (any case)
bool isOtherId(std::string_view id);     // contains "oth"
bool beginsAsCrop(std::string_view id);  // begins with "str", "gra" or "for"

class Figures {
 public:
  explicit Figures(const Farm& farm) : farm_(farm) {}

  // --- shares of the ledgers ----------------------------------------------
  // An empty (or one-character) category takes every line.
  double allocatedRevenue(std::string_view id, std::string_view category = "") const;
  double allocatedExpense(std::string_view id, std::string_view category = "") const;
  double allocatedDepreciation(std::string_view id) const;
  double allocatedMachineryInvestment(std::string_view id) const;
  double allocatedBuildingsInvestment(std::string_view id) const;
  double allocatedReceivableChange(std::string_view id) const;
  double allocatedPayableChange(std::string_view id) const;
  double allocatedSupplyChange(std::string_view id) const;
  double allocatedFeedInventoryChange(std::string_view id) const;
  double allocatedUnpaidLabour(std::string_view id) const;

  // --- worksheets and transfers -------------------------------------------
  int cowsWintered(std::string_view id) const;
  double poundsOfCalfProduced(std::string_view id) const;
  HeadFigures weanedCalfSales(std::string_view id) const;  // dollars unused
  double poundsGained(std::string_view id) const;
  // Head, average pounds per head (the total when head is 0.1 or less), dollars.
  HeadFigures feederSales(std::string_view id) const;
  double tonnesProduced(std::string_view id) const;
  GrazingTotals pastureTotals(std::string_view id) const;

  double cowCalfInventoryChange(std::string_view id) const;
  double feederInventoryChange(std::string_view id) const;
  double cropInventoryChange(std::string_view id) const;
  double otherInventoryChange(std::string_view id) const;
  // The change of the enterprise's kind (cow, then fee, oth, crop); 0 for grazing.
  double productInventoryChange(std::string_view id) const;
  double wholeFarmInventoryChange() const;

  HeadFigures transfersOut(std::string_view id) const;
  HeadFigures transfersIn(std::string_view id) const;
  double transferValue(std::string_view fromId, std::string_view toId) const;
  double cropTransfersOutValue(std::string_view id) const;

  // --- farm-grown feed, bedding and grazing --------------------------------
  double cropValueAllocated(std::string_view id) const;
  double cropValueAllocatedTo(std::string_view id, std::string_view toId) const;
  double feedFromCrops(std::string_view id) const;
  // With an id shorter than 3 characters: the farm's whole bedding value.
  double beddingFromCrops(std::string_view id) const;
  double pastureValueAllocatedTo(std::string_view id, std::string_view toId) const;
  double pastureCostFor(std::string_view id) const;

  // --- investment ---------------------------------------------------------
  double breedingStockValue(std::string_view id) const;
  double wholeFarmBreedingStockValue() const;

  // The memMaster label of the id (exact match), or the id itself.
  std::string enterpriseLabelOf(std::string_view id) const;

 private:
  const MemTable* worksheet(std::string_view id) const;
  const Farm& farm_;
};

}  // namespace rb
