#include "worksheets/farm_rules.h"

#include "ledgers/ledger_rules.h"
#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "worksheets/sheet_rules.h"

namespace rb {

namespace {

// The tables whose changes a rule follows. Feeder sheets have none: their
// notes are worked out when asked for.
enum class Sheet { None, ComputedLedger, EntryOrderLedger, CowCalf, Crop, Grazing, Other };

Sheet sheetOf(const MemTable& table) {
  if (findLedger(table.Name()))
    return ledgerComputedColumn(table.Name()).empty() ? Sheet::EntryOrderLedger : Sheet::ComputedLedger;
  const std::string name = lowerCase(table.Name());
  if (!name.starts_with("mem") || !isKnownEnterpriseId(name.substr(3))) return Sheet::None;
  switch (KindOf(name.substr(3))) {
    case kCowCalf: return Sheet::CowCalf;
    case kForage:
    case kGrain:
    case kStraw: return Sheet::Crop;
    case kPasture:
    case kAftermath: return Sheet::Grazing;
    case kOther: return Sheet::Other;
    default: return Sheet::None;
  }
}

}  // namespace

struct FarmRules::State {
  Farm& farm;
  bool newRowPending = false;
  bool cropAllocationOpen = false;

  struct Subscription {
    MemTable* table;
    std::size_t change, beforeEdit, beforeInsert, newRecord;
  };
  std::vector<Subscription> subscriptions;

  explicit State(Farm& f) : farm(f) {}

  // The common frame of the line rules: store the line, edit it again,
  // compute, store it; the busy flag keeps the rule from reacting to its own
  // writes and is cleared also when a step fails.
  template <typename Compute>
  void recomputeLine(MemTable& table, Compute compute) {
    ProgramUpdate busy(farm);
    PostIfEditing(table);
    table.Edit();
    compute(table);
    table.Post();
  }

  void onChange(MemTable& table, const Field* field, Sheet sheet) {
    if (!field || farm.inProgramUpdate) return;
    switch (sheet) {
      case Sheet::ComputedLedger: return recomputeLine(table, computeLedgerLine);
      case Sheet::Grazing: return recomputeLine(table, computeGrazingLine);
      case Sheet::Other: return recomputeLine(table, computeOtherLine);
      case Sheet::CowCalf: {
        ProgramUpdate busy(farm);
        return recomputeCowCalfColumn(table, field->Index());
      }
      case Sheet::Crop: {
        ProgramUpdate busy(farm);
        return recalcCropBlock(table, field->Index(), cropAllocationOpen);
      }
      default: return;
    }
  }

  void attach(MemTable& table) {
    const Sheet sheet = sheetOf(table);
    if (sheet == Sheet::None) return;
    Subscription subscription{&table, 0, 0, 0, 0};
    subscription.change =
        table.OnDataChange.connect([this, sheet](MemTable& t, const Field* field) { onChange(t, field, sheet); });
    if (sheet == Sheet::EntryOrderLedger) {
      // Revenue and expense lines are always edited in entry order.
      auto unsort = [this](MemTable& t) {
        if (!farm.inProgramUpdate) restoreEntryOrder(t);
      };
      subscription.beforeEdit = table.BeforeEdit.connect(unsort);
      subscription.beforeInsert = table.BeforeInsert.connect(unsort);
    }
    if (sheet == Sheet::EntryOrderLedger || sheet == Sheet::ComputedLedger) {
      subscription.newRecord = table.OnNewRecord.connect([this](MemTable&) {
        if (!farm.inProgramUpdate) newRowPending = true;
      });
    }
    subscriptions.push_back(subscription);
  }

  ~State() {
    for (const Subscription& s : subscriptions) {
      s.table->OnDataChange.disconnect(s.change);
      if (s.beforeEdit) s.table->BeforeEdit.disconnect(s.beforeEdit);
      if (s.beforeInsert) s.table->BeforeInsert.disconnect(s.beforeInsert);
      if (s.newRecord) s.table->OnNewRecord.disconnect(s.newRecord);
    }
  }
};

FarmRules::FarmRules(Farm& farm) : state_(std::make_unique<State>(farm)) {
  for (const auto& table : farm.tables()) state_->attach(*table);
}

FarmRules::~FarmRules() = default;

FarmRules::FeederNotes FarmRules::feederNotes(std::string_view feederId) const {
  const MemTable* sheet = state_->farm.findTable("mem" + std::string(feederId));
  if (!sheet || KindOf(feederId) != kFeeders) return {};
  const FeederReconciliation result = reconcileFeederSheet(*sheet);
  return {result.lines, result.warning};
}

// The notes are worked out from the sheet whenever they are asked for, so
// they can never lag behind a dialog that wrote the sheet under the busy flag.
void FarmRules::reconcileFeederInventory(std::string_view) {}

bool FarmRules::takeNewRowPending() {
  const bool pending = state_->newRowPending;
  state_->newRowPending = false;
  return pending;
}

void FarmRules::setCropAllocationOpen(bool open) { state_->cropAllocationOpen = open; }
bool FarmRules::cropAllocationOpen() const { return state_->cropAllocationOpen; }

}  // namespace rb
