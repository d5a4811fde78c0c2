#include "setup/add_enterprise.h"

#include <algorithm>

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "setup/allocation_columns.h"
#include "setup/table_surgery.h"

namespace rb {

namespace {

// The order in which the add wizard lists the kinds.
constexpr int kOfferedKinds[] = {kCowCalf, kFeeders, kForage, kPasture, kGrain, kStraw, kOther};

// The ledgers in the order a new enterprise's column goes into them.
constexpr const char* kLedgersForNewColumn[] = {"memRevenue",   "memExpenses", "memMachinery",
                                                "memBuildings", "memPurchFeedInv", "memSupplyInv",
                                                "memAcRec",     "memAcPay",    "memUnpaid"};

// What a wizard edit holds of a typed name: at most twelve characters.
std::string editText(std::string_view typed) { return firstCharacters(typed, kMaxNameLength); }
bool longEnough(std::string_view text) { return characterCount(text) >= kMinNameLength; }

int masterRowOf(const MemTable& master, std::string_view id) {
  const int column = master.FieldIndex("enterprise");
  for (int row = 0; column >= 0 && row < master.RecordCount(); ++row)
    if (equalsNoCase(trimmed(master.StringAt(row, column)), trimmed(id))) return row;
  return -1;
}

const EnterpriseRow* findEnterprise(const std::vector<EnterpriseRow>& rows, std::string_view id) {
  for (const EnterpriseRow& row : rows)
    if (equalsNoCase(row.id, id)) return &row;
  return nullptr;
}

bool offered(const std::vector<SetupChoice>& choices, std::string_view value) {
  return std::any_of(choices.begin(), choices.end(), [&](const SetupChoice& c) { return equalsNoCase(c.value, value); });
}

void insertRegistryRow(Farm& farm, int kind, const RegistryPosition& position, std::string_view label) {
  MemTable& master = farm.master();
  const int identityColumn = master.FieldIndex("identity");
  const int identity =
      master.IsEmpty() || identityColumn < 0 ? 1 : static_cast<int>(master.FloatAt(master.RecordCount() - 1, identityColumn)) + 1;
  ControlsDisabled quiet(master);
  PostIfEditing(master);
  if (position.insertBefore < 0) {
    master.Append();
  } else {
    master.First();
    master.MoveBy(position.insertBefore);
    master.Insert();
  }
  master.FieldByName("identity").SetAsInteger(identity);
  master.FieldByName("EnterpriseType").SetAsInteger(kind);
  master.FieldByName("enterpriseIndex").SetAsInteger(position.index);
  master.FieldByName("enterprise").SetAsString(position.id);
  master.FieldByName("enterpriseLabel").SetAsString(label);
  master.Post();
  farm.labels().set(kind, position.index, std::string(label));
}

// The new worksheet starts from its kind's layout with no rows, whatever an
// earlier enterprise of that id left in it.
void resetWorksheet(Farm& farm, MemTable& worksheet) {
  ProgramUpdate busy(farm);
  ControlsDisabled quiet(worksheet);
  defineBuiltInColumns(worksheet);
}

}  // namespace

std::vector<SetupChoice> kindsOfferedForNewEnterprise(const Farm& farm) {
  std::vector<SetupChoice> choices;
  for (int kind : kOfferedKinds)
    if (CountOfKind(farm.master(), kindName(kind)) < kMaxPerKind) choices.push_back({kindName(kind), kindName(kind)});
  return choices;
}

std::vector<SetupChoice> enterprisesOfferedForCrops(const Farm& farm) {
  std::vector<SetupChoice> choices;
  for (const EnterpriseRow& row : farm.enterprises())
    if (IsCropKind(row.id) && static_cast<int>(row.crops.size()) < kMaxCrops) choices.push_back({row.label, row.id});
  return choices;
}

void setCropName(Farm& farm, std::string_view id, int n, std::string_view cropName) {
  MemTable& master = farm.master();
  const int row = masterRowOf(master, id);
  if (row < 0) throw Error(format("\"%s\" is not an enterprise of this farm", std::string(id).c_str()));
  if (n < 1 || n > kMaxCrops) throw Error(format("An enterprise has at most %d crops", kMaxCrops));
  ProgramUpdate busy(farm);
  ControlsDisabled quiet(master);
  PostIfEditing(master);
  master.First();
  master.MoveBy(row);
  master.Edit();
  master.FieldByName("cropcount").SetAsInteger(n);
  master.FieldByName("Crop" + std::to_string(n)).SetAsString(cropName);
  master.Post();
}

void appendCropRows(Farm& farm, MemTable& cropTable, std::string_view cropName, bool withSeparator) {
  ProgramUpdate busy(farm);
  ControlsDisabled quiet(cropTable);
  PostIfEditing(cropTable);
  if (withSeparator) {
    cropTable.Append();
    cropTable.Post();
  }
  for (const char* text : {"Beginning Inv.", "Production", "Sales", "Transfers Out", "Ending Inv."}) {
    cropTable.Append();
    cropTable.FieldByName("crop").SetAsString(cropName);
    cropTable.FieldByName("Description").SetAsString(text);
    cropTable.Post();
  }
}

std::string addEnterprise(Farm& farm, std::string_view kindName, std::string_view label) {
  const int kind = KindOf(kindName);
  if (kind == 0) throw Error(format("\"%s\" is not a kind of enterprise", std::string(kindName).c_str()));
  const RegistryPosition position = positionOfNewEnterprise(farm.master(), kind);
  if (position.index > maxEnterprisesOfKind(kind))
    throw Error(format("The farm already has %d %s enterprises", maxEnterprisesOfKind(kind), rb::kindName(kind)));
  if (farm.isRegistered(position.id))
    throw Error(format("The enterprise list already names %s out of order; no %s enterprise can be added",
                       position.id.c_str(), rb::kindName(kind)));

  ProgramUpdate busy(farm);
  insertRegistryRow(farm, kind, position, label);
  const std::string& id = position.id;
  MemTable& worksheet = farm.enterpriseTable(id);
  resetWorksheet(farm, worksheet);
  if (kind == kPasture) addLivestockColumns(farm, worksheet);
  if (kind == kCowCalf || kind == kFeeders) writeFixedRows(farm, worksheet, kind);
  if (FarmView* view = farm.view()) {
    EnterpriseRow shown{0, kind, position.index, id, std::string(label), {}};
    view->showEnterprisePage(shown);
  }

  for (const char* ledger : kLedgersForNewColumn) addAllocationColumn(farm, farm.table(ledger), id, label);
  if (allocatesGrazingAndCrops(kind)) {
    addAllocationColumn(farm, farm.table("memCropAlloc"), id, label);
    addAllocationColumn(farm, farm.table("memaftermath1"), id, label);
    for (const EnterpriseRow& row : farm.enterprises())
      if (row.kind == kPasture) addAllocationColumn(farm, farm.enterpriseTable(row.id), id, label);
  }

  farm.applyGrazingTitles();
  switch (kind) {
    case kCowCalf: applyTitles(worksheet, cowCalfTitles()); break;
    case kFeeders: applyTitles(worksheet, feederTitles()); break;
    case kForage:
    case kGrain:
    case kStraw: applyTitles(worksheet, cropTitles()); break;
    case kPasture: farm.applyGrazingTitles(worksheet); break;
    case kOther: farm.applyOtherTitles(); break;
    default: break;
  }
  farm.attachColumnEditors();
  return id;
}

std::string saveNewEnterprise(Farm& farm, std::string_view kindName, std::string_view label,
                              const std::vector<std::string>& cropEdits) {
  if (!offered(kindsOfferedForNewEnterprise(farm), kindName)) throw Error(kMustSelectEnterprise);
  const std::string name = editText(label);
  if (!longEnough(name)) throw Error(kEnterpriseNameTooShort);
  const bool cropKind = isCropKindCode(KindOf(kindName));
  if (cropKind && (cropEdits.empty() || !longEnough(editText(cropEdits.front())))) throw Error(kFirstCropTooShort);
  if (cropKind && cropEdits.size() > static_cast<std::size_t>(kMaxCrops))
    throw Error(format("An enterprise has at most %d crops", kMaxCrops));

  const std::string id = addEnterprise(farm, lowerCase(kindName), name);
  if (cropKind) {
    int accepted = 0;
    for (const std::string& edit : cropEdits) {
      const std::string crop = editText(edit);
      if (!longEnough(crop)) continue;
      ++accepted;
      appendCropRows(farm, farm.enterpriseTable(id), crop, accepted > 1);
      setCropName(farm, id, accepted, crop);
    }
  }
  // What the window does once the wizard has closed.
  farm.refillLabelTable();
  farm.applyLedgerTitles();
  return id;
}

int saveAddedCrops(Farm& farm, std::string_view id, const std::vector<std::string>& cropEdits) {
  if (!offered(enterprisesOfferedForCrops(farm), id)) throw Error(kMustSelectEnterprise);
  const std::vector<EnterpriseRow> rows = farm.enterprises();
  const EnterpriseRow& enterprise = *findEnterprise(rows, id);
  const int existing = static_cast<int>(enterprise.crops.size());
  if (cropEdits.size() > static_cast<std::size_t>(kMaxCrops - existing))
    throw Error(format("%s (%s) has %d crops and can take at most %d more", enterprise.label.c_str(),
                       enterprise.id.c_str(), existing, kMaxCrops - existing));
  int n = existing;
  for (const std::string& edit : cropEdits) {
    const std::string crop = editText(edit);
    if (!longEnough(crop)) continue;
    ++n;
    setCropName(farm, enterprise.id, n, crop);
    // A block follows the one before it after a separator; an enterprise
    // without crops starts its sheet with the block itself.
    MemTable& sheet = farm.enterpriseTable(enterprise.id);
    appendCropRows(farm, sheet, crop, sheet.RecordCount() > 0);
  }
  return n - existing;
}

// ===========================================================================
// The wizard
// ===========================================================================

AddEnterpriseWizard::AddEnterpriseWizard(const Farm& farm, Mode mode) : farm_(farm), mode_(mode) {
  choices_ = mode == Mode::AddEnterprise ? kindsOfferedForNewEnterprise(farm) : enterprisesOfferedForCrops(farm);
}

std::string AddEnterpriseWizard::caption() const {
  return mode_ == Mode::AddEnterprise ? "Add a New Enterprise" : "Add Crop(s) to an Existing Enterprise";
}

std::string AddEnterpriseWizard::stepText() const {
  if (mode_ == Mode::AddEnterprise)
    return step_ == 1 ? "Step 1: Choose the type of enterprise you wish to add"
                      : "Step 2: Name your enterprise and crops (if applicable)";
  return step_ == 1 ? "Step 1: Choose the enterprise you wish to change" : "Step 2: Add the crop names";
}

void AddEnterpriseWizard::next(int selected) {
  // The list shows labels, which may be as short as two characters: what
  // counts is that a listed entry was chosen.
  if (selected < 0 || selected >= static_cast<int>(choices_.size())) throw Error(kMustSelectEnterprise);
  chosen_ = choices_[static_cast<std::size_t>(selected)];
  step_ = 2;
  cropEdits_ = {};
  if (mode_ == Mode::AddCrops) {
    std::vector<std::string> crops;
    for (const EnterpriseRow& row : farm_.enterprises())
      if (equalsNoCase(row.id, chosen_.value)) crops = row.crops;
    for (std::size_t k = 0; k < cropEdits_.size(); ++k) {
      cropEdits_[k].enabled = k >= crops.size();
      if (k < crops.size()) cropEdits_[k].text = crops[k];
    }
  }
}

std::string AddEnterpriseWizard::prompt() const {
  if (step_ != 2) return "";
  if (mode_ == Mode::AddEnterprise) return "Choose a name for your enterprise ( " + chosen_.value + ")";
  return "Add additional crops to enterprise: " + chosen_.text;
}

bool AddEnterpriseWizard::cropNoticeVisible() const {
  return step_ == 2 && mode_ == Mode::AddEnterprise && isCropKindCode(KindOf(chosen_.value));
}

bool AddEnterpriseWizard::cropPanelVisible() const {
  return step_ == 2 && (mode_ == Mode::AddCrops || isCropKindCode(KindOf(chosen_.value)));
}

std::string AddEnterpriseWizard::save(Farm& farm, std::string_view enterpriseName,
                                      const std::vector<std::string>& cropTexts) {
  if (step_ != 2) throw Error(kMustSelectEnterprise);
  if (mode_ == Mode::AddEnterprise) {
    const std::vector<std::string> crops = cropPanelVisible() ? cropTexts : std::vector<std::string>{};
    return saveNewEnterprise(farm, chosen_.value, enterpriseName, crops);
  }
  std::vector<std::string> added;
  for (std::size_t k = 0; k < cropEdits_.size() && k < cropTexts.size(); ++k)
    if (cropEdits_[k].enabled) added.push_back(cropTexts[k]);
  saveAddedCrops(farm, chosen_.value, added);
  return chosen_.value;
}

}  // namespace rb
