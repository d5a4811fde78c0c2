#pragma once
// The year-end rollover: the choice list of enterprises and crops with their
// locks, the wizard's tree and steps, and rolloverFarm, which turns the open
// farm into the start of the next fiscal year.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/fiscal_date.h"
#include "model/mem_table.h"

namespace rb {

class Farm;

inline constexpr const char* kRolloverSaveQuestion = "Do wish to save your current file before continuing?";
inline constexpr const char* kRolloverNotSaved =
    "File not saved! Invalid filename, use Save under file menu to save your enterprise!";
inline constexpr const char* kRolloverFileNamePreset = "Change This";

// Which ledgers keep their allocations into the new year.
struct RolloverKeeps {
  bool revenues = false;
  bool expenses = false;
  bool machinery = false;
  bool buildings = false;
};

// Locks: an enterprise or crop with something in its ending inventory cannot
// be dropped.
bool enterpriseLocked(const Farm& farm, std::string_view id);
bool cropLocked(const Farm& farm, std::string_view id, int cropNumber);

// Defines and fills the choice list `memEnterpriseList`: every registry row but
// aftermath1, each followed by one row per crop, with every lock computed.
void buildRolloverList(const Farm& farm, MemTable& list);

// The tree beside the list. Node i is row i of the list.
class RolloverTree {
 public:
  enum State { kIncludeEnterprise = 0, kIncludeCrop = 1, kExclude = 2, kLocked = 3 };
  struct Node {
    std::string text;
    bool isCrop = false;
    int parent = -1;  // the enterprise node of a crop node
    int childCount = 0;
    int state = kIncludeEnterprise;
  };

  explicit RolloverTree(const MemTable& list);
  const std::vector<Node>& nodes() const { return nodes_; }
  int state(int node) const { return nodes_.at(static_cast<std::size_t>(node)).state; }
  // The double-click rule; returns whether the node's state changed.
  bool doubleClick(int node);
  // Finish: marks the removals in the list and numbers what is kept.
  void finish(MemTable& list) const;

 private:
  std::vector<Node> nodes_;
};

// The proposed new year end: the stored one (the current date when it cannot
// be read or is not set) plus twelve months, cut back to the month's last day.
CalendarDate addTwelveMonths(const CalendarDate& date);
CalendarDate proposedYearEnd(std::string_view fiscalYearEnd);

// The wizard: three steps, its buttons, the choice list and tree, the year-end
// picker and the four keep boxes.
class RolloverWizard {
 public:
  explicit RolloverWizard(const Farm& farm);

  int step() const { return step_; }
  bool previousEnabled() const { return previousEnabled_; }
  bool nextEnabled() const { return nextEnabled_; }
  bool finishEnabled() const { return finishEnabled_; }
  void next();
  void previous();

  MemTable& list() { return list_; }
  RolloverTree& tree() { return tree_; }
  CalendarDate yearEnd;
  RolloverKeeps keeps;

  // Finish: marks the list from the tree and writes the year end into the
  // farm information as "dd-mm-yyyy".
  void finish(Farm& farm);

 private:
  MemTable list_{"memEnterpriseList"};
  RolloverTree tree_;
  int step_ = 1;
  bool previousEnabled_ = false;
  bool nextEnabled_ = true;
  bool finishEnabled_ = false;
};

// Applies the marked list to the farm, in the rollover's order of steps.
void rolloverFarm(Farm& farm, MemTable& list, const RolloverKeeps& keeps);

// The saving step's name rule: a path that is empty or whose file name still
// holds the preset "Change This" is no path.
bool isAcceptedRolloverPath(const std::string& path);

// The rollover without a window, as the command line runs it: the named
// enterprises and crops (id, crop number) are double-clicked out of the tree;
// a crop enterprise named as a whole loses all its crops. Throws rb::Error
// naming the enterprise or crop that is locked or does not exist, before the
// farm changes.
struct RolloverRequest {
  std::vector<std::string> dropEnterprises;
  std::vector<std::pair<std::string, int>> dropCrops;
  RolloverKeeps keeps;
  std::optional<CalendarDate> yearEnd;
};
void runRollover(Farm& farm, const RolloverRequest& request);

}  // namespace rb
