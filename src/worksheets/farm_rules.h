#pragma once
// The change rules of a farm's ledgers and worksheets, attached to its tables'
// change notifications. The window and the CLI each make one per Farm; while
// it lives, every typed change recomputes the dependent cells. It must not
// outlive its Farm: it disconnects from the farm's tables when destroyed.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rb {

class Farm;
class MemTable;

class FarmRules {
 public:
  explicit FarmRules(Farm& farm);
  ~FarmRules();
  FarmRules(const FarmRules&) = delete;
  FarmRules& operator=(const FarmRules&) = delete;

  // What a feeder page shows beside its grid: the reconciliation notes and
  // whether the warning picture is visible, for the sheet as it is now
  // (`reconcileFeederInventory` has nothing left to do; it stays for callers
  // that follow the page's refresh points).
  struct FeederNotes {
    std::vector<std::string> lines;
    bool warning = false;
  };
  FeederNotes feederNotes(std::string_view feederId) const;
  void reconcileFeederInventory(std::string_view feederId);

  // A new ledger line was started: the grid moves the cursor to the first
  // column on its next column change, once (`takeNewRowPending` clears it).
  bool takeNewRowPending();

  // While the crop allocation pop-up is open, the unit of a "Transfers Out"
  // row may be chosen; otherwise the crop rules empty it again.
  void setCropAllocationOpen(bool open);
  bool cropAllocationOpen() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace rb
