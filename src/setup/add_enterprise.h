#pragma once
// Adding an enterprise or crops to a farm: the limits of the add wizard, its
// messages, and the table changes that keep the registry, the label table,
// every worksheet and every allocation column consistent.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/enterprise_registry.h"

namespace rb {

class Farm;
class MemTable;

inline constexpr const char* kMustSelectEnterprise = "You must select an enterprise";
inline constexpr const char* kEnterpriseNameTooShort = "Use at least 3 letters for an enterprise name (min 3 chars)";
inline constexpr const char* kFirstCropTooShort = "You must provide at least one crop name (min 3 chars).";
inline constexpr const char* kSaveFirstWarning = "You should save your current file before continuing...";
// Every name typed into the wizard is at most this long, and needs at least
// kMinNameLength characters to count.
inline constexpr std::size_t kMaxNameLength = 12;
inline constexpr std::size_t kMinNameLength = 3;

// One entry of the wizard's step-1 list: the text shown and the value kept.
struct SetupChoice {
  std::string text;
  std::string value;
};

// Kinds that may get another enterprise, in the order cowcalf, feeders,
// forage, pasture, grain, straw, other (aftermath is never offered).
std::vector<SetupChoice> kindsOfferedForNewEnterprise(const Farm& farm);
// Crop enterprises that can take another crop (at most eight so far), in
// registry order, shown by label.
std::vector<SetupChoice> enterprisesOfferedForCrops(const Farm& farm);

// The registry row gets `n` crops, the n-th named `cropName`.
void setCropName(Farm& farm, std::string_view id, int n, std::string_view cropName);
// Appends one crop block (a separator first when asked) to a crop worksheet.
void appendCropRows(Farm& farm, MemTable& cropTable, std::string_view cropName, bool withSeparator);

// Registers a new enterprise of the kind with the label and builds its
// worksheet and allocation columns; returns the new id. The caller checks the
// limits (see saveNewEnterprise).
std::string addEnterprise(Farm& farm, std::string_view kindName, std::string_view label);

// What the wizard's "Save Changes" does in add-enterprise mode: checks the
// name and the first crop (rb::Error with the wizard's message), adds the
// enterprise and its crops (names shorter than 3 characters skipped, the rest
// numbered without gaps). Throws kMustSelectEnterprise when the kind is not
// offered. Returns the new id.
std::string saveNewEnterprise(Farm& farm, std::string_view kindName, std::string_view label,
                              const std::vector<std::string>& cropEdits);
// "Save Changes" in add-crops mode: every name of at least 3 characters is
// added after the enterprise's existing crops, up to nine in all. Throws
// kMustSelectEnterprise when the enterprise is not offered. Returns the number
// of crops added.
int saveAddedCrops(Farm& farm, std::string_view id, const std::vector<std::string>& cropEdits);

// The wizard as the window shows it: two steps, the step-1 list, and the nine
// crop edits of step 2.
class AddEnterpriseWizard {
 public:
  enum class Mode { AddEnterprise, AddCrops };
  struct CropEdit {
    std::string text;
    bool enabled = true;
  };

  AddEnterpriseWizard(const Farm& farm, Mode mode);

  Mode mode() const { return mode_; }
  std::string caption() const;
  int helpTopic() const { return mode_ == Mode::AddEnterprise ? 300 : 400; }
  int step() const { return step_; }
  std::string stepText() const;
  const std::vector<SetupChoice>& choices() const { return choices_; }

  // Next from step 1 with the list's selected entry (-1 for none): throws
  // kMustSelectEnterprise when nothing listed is selected, else moves to
  // step 2. Labels need not be unique, so the entry counts, not its text.
  void next(int selected);
  void previous() { step_ = 1; }

  const SetupChoice& chosen() const { return chosen_; }
  std::string prompt() const;
  bool cropNoticeVisible() const;
  bool cropPanelVisible() const;
  const std::array<CropEdit, kMaxCrops>& cropEdits() const { return cropEdits_; }

  // "Save Changes": the typed enterprise name (add-enterprise mode) and the
  // nine crop edits' texts. Returns the new id, or the enterprise's id.
  std::string save(Farm& farm, std::string_view enterpriseName, const std::vector<std::string>& cropTexts);

 private:
  const Farm& farm_;
  Mode mode_;
  int step_ = 1;
  std::vector<SetupChoice> choices_;
  SetupChoice chosen_;
  std::array<CropEdit, kMaxCrops> cropEdits_{};
};

}  // namespace rb
