#pragma once
// The catalogue of a farm's data sets and the Farm object that owns them:
// every table by name, the registry's label table, the busy flag, the error
// log, the built-in column definitions, the title steps and the fixed rows
// that a new enterprise's worksheet starts with.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/enterprise_registry.h"
#include "model/mem_table.h"

namespace rb {

// The nine money ledgers, in the order of the Financial pages.
struct LedgerInfo {
  const char* table;
  const char* dataSet;
  int firstAllocation;  // 0-based position of the first allocation column
  int valueColumn;      // 0-based position of the line's money amount
};
const std::vector<LedgerInfo>& ledgerTables();
const LedgerInfo* findLedger(std::string_view table);

// The twelve whole-farm tables in the file's data-set order.
struct WholeFarmTable {
  const char* table;
  const char* dataSet;
};
const std::vector<WholeFarmTable>& wholeFarmTables();

// Fixed row texts of the worksheets.
const std::vector<std::string>& cowCalfRowTexts();
const std::vector<std::string>& feederRowTexts();
const std::vector<std::string>& cropRowTexts();  // with "Transfers out"

// Column titles ("~" is a line break in a grid title).
const std::vector<std::string>& cowCalfTitles();
const std::vector<std::string>& feederTitles();
const std::vector<std::string>& cropTitles();
const std::vector<std::string>& pastureTitles();
const std::vector<std::string>& otherTitles();
const std::vector<std::string>& capitalTitles();  // Machinery and Buildings
const std::vector<std::string>& unpaidTitles();
// Applies titles position by position; an empty entry leaves a title as it is.
void applyTitles(MemTable& table, const std::vector<std::string>& titles);

// One registry row, read into plain values.
struct EnterpriseRow {
  int identity = 0;
  int kind = 0;
  int index = 0;
  std::string id;
  std::string label;
  std::vector<std::string> crops;
};
std::vector<EnterpriseRow> registryRows(const MemTable& master);

// What the window shows of the registry; the core tells it when pages change.
class FarmView {
 public:
  virtual ~FarmView() = default;
  virtual void hideEnterpriseTabs() = 0;
  virtual void showEnterprisePage(const EnterpriseRow& enterprise) = 0;
  virtual void attachColumnEditors() = 0;
};

class Farm {
 public:
  Farm();
  Farm(const Farm&) = delete;
  Farm& operator=(const Farm&) = delete;

  // Case-insensitive lookup of a catalogue table.
  MemTable* findTable(std::string_view name);
  const MemTable* findTable(std::string_view name) const;
  MemTable& table(std::string_view name);
  const MemTable& table(std::string_view name) const;
  MemTable& enterpriseTable(std::string_view id) { return table("mem" + std::string(id)); }
  MemTable& info() { return table("memInfo"); }
  MemTable& master() { return table("memMaster"); }
  const MemTable& master() const { return table("memMaster"); }
  std::vector<EnterpriseRow> enterprises() const { return registryRows(master()); }
  bool isRegistered(std::string_view id) const;

  const LabelTable& labels() const { return labels_; }
  LabelTable& labels() { return labels_; }
  void refillLabelTable() { labels_.refill(master()); }
  std::string LabelOf(std::string_view name) const { return rb::LabelOf(labels_, name); }

  // The program-wide busy flag: set while the program itself rewrites tables,
  // so that the change rules do not react to its own writes.
  bool inProgramUpdate = false;

  const std::vector<std::string>& errorLog() const { return errorLog_; }
  void clearErrorLog() { errorLog_.clear(); }
  void addLogLine(std::string line) { errorLog_.push_back(std::move(line)); }

  void setView(FarmView* view) { view_ = view; }
  FarmView* view() const { return view_; }
  void hideEnterpriseTabs();
  // Shows the page of every enterprise of `master` and gives cow-calf and
  // feeder worksheets their titles.
  void showEnterpriseTabs(const MemTable& master);
  void attachColumnEditors();

  // The title steps 1 to 6, and all of them in order.
  void applyLedgerTitles();
  void applyCapitalTitles();
  void applyCropTitles();
  void applyGrazingTitles();
  void applyOtherTitles();
  void applyLivestockTitles();
  void applyAllTitleSteps();
  void applyGrazingTitles(MemTable& table);

  // Tables in catalogue order (fixed tables, enterprise tables, templates,
  // scratch and report tables).
  const std::vector<std::unique_ptr<MemTable>>& tables() const { return tables_; }

 private:
  MemTable& add(std::string name);
  std::vector<std::unique_ptr<MemTable>> tables_;
  LabelTable labels_;
  std::vector<std::string> errorLog_;
  FarmView* view_ = nullptr;
};

// Sets the busy flag for a bulk rewrite and puts it back when done, also when
// the rewrite fails.
class ProgramUpdate {
 public:
  explicit ProgramUpdate(Farm& farm) : farm_(farm), previous_(farm.inProgramUpdate) { farm.inProgramUpdate = true; }
  ~ProgramUpdate() { farm_.inProgramUpdate = previous_; }
  ProgramUpdate(const ProgramUpdate&) = delete;
  ProgramUpdate& operator=(const ProgramUpdate&) = delete;

 private:
  Farm& farm_;
  bool previous_;
};

// Suspends a table's notifications for a scope.
class ControlsDisabled {
 public:
  explicit ControlsDisabled(MemTable& table) : table_(table) { table.DisableControls(); }
  ~ControlsDisabled() { table_.EnableControls(); }
  ControlsDisabled(const ControlsDisabled&) = delete;
  ControlsDisabled& operator=(const ControlsDisabled&) = delete;

 private:
  MemTable& table_;
};

// Builds the column definitions of a catalogue table from its built-in layout
// (the fixed columns, without allocation columns) and opens it empty.
void defineBuiltInColumns(MemTable& table);
// The same with the layout of another catalogue table ("memInfo" for the
// configuration window's own farm-information table).
void defineBuiltInColumnsAs(MemTable& table, std::string_view layout);

// The fixed rows a new enterprise's worksheet starts with: the ten cow-calf
// rows, the nine feeder rows, or one block of five rows per crop (a separator
// row before every block but the table's first, "Transfers Out" capitalised).
void writeFixedRows(Farm& farm, MemTable& table, int kind, const std::vector<std::string>& crops = {});
void appendCropBlock(MemTable& table, const std::string& crop);

}  // namespace rb
