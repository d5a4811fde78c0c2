#pragma once
// MemTable: the one in-memory table behind every farm data set, report table
// and dialog table. Typed columns, ordered rows with creation sequence numbers,
// a current-row cursor with browse/edit/insert states, sorting whose ties fall
// back to creation order, and change notifications with a nesting lock.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/signal.h"
#include "model/values.h"

namespace rb {

class MemTable;

struct FieldDef {
  std::string name;
  FieldType type = FieldType::Unknown;
  int size = 0;
};

// A live column. Its value accessors read and write the table's current row.
class Field {
 public:
  Field(MemTable& table, const FieldDef& def, int index);

  const std::string& FieldName() const { return def_.name; }
  FieldType DataType() const { return def_.type; }
  int Size() const { return def_.size; }
  int Index() const { return index_; }
  const std::string& DisplayLabel() const { return displayLabel_; }
  void SetDisplayLabel(std::string label) { displayLabel_ = std::move(label); }
  int DisplayWidth() const { return displayWidth_; }
  void SetDisplayWidth(int width) { displayWidth_ = width; }

  bool IsNull() const;
  const Value& AsValue() const;
  std::string AsString() const;
  double AsFloat() const;
  std::int32_t AsInteger() const;
  bool AsBoolean() const;

  void SetAsString(std::string_view text);
  void SetAsFloat(double value);
  void SetAsInteger(std::int32_t value);
  void SetAsBoolean(bool value);
  void SetValue(const Value& value);  // a value of any type, converted to the column's
  void Clear();

 private:
  MemTable& table_;
  FieldDef def_;
  int index_;
  std::string displayLabel_;
  int displayWidth_;
};

enum class TableState { Closed, Browse, Edit, Insert };

class MemTable {
 public:
  explicit MemTable(std::string name);
  MemTable(const MemTable&) = delete;
  MemTable& operator=(const MemTable&) = delete;

  const std::string& Name() const { return name_; }

  // --- structure ---------------------------------------------------------
  void Open();
  void Close();
  bool Active() const { return state_ != TableState::Closed; }
  TableState State() const { return state_; }

  const std::vector<FieldDef>& FieldDefs() const { return fieldDefs_; }
  void ClearFieldDefs() { fieldDefs_.clear(); }
  void AddFieldDef(std::string name, FieldType type, int size = 0);
  // Rebuilds the live columns from the definitions (the table must be closed).
  void CreateColumns();
  void CopyStructure(const MemTable& source);

  // --- columns -----------------------------------------------------------
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  Field& FieldAt(int index) { return *fields_.at(static_cast<std::size_t>(index)); }
  const Field& FieldAt(int index) const { return *fields_.at(static_cast<std::size_t>(index)); }
  Field& FieldByName(std::string_view name);
  const Field& FieldByName(std::string_view name) const;
  Field* FindField(std::string_view name);
  const Field* FindField(std::string_view name) const;
  int FieldIndex(std::string_view name) const;  // -1 when missing

  // --- navigation --------------------------------------------------------
  void First();
  void Next();
  void Prior();
  void Last();
  void MoveBy(int distance);
  bool Eof() const { return eof_; }
  int RecNo() const;  // 1-based position of the current row, 0 when none
  int RecordCount() const { return static_cast<int>(rows_.size()); }
  bool IsEmpty() const { return rows_.empty(); }

  using Bookmark = std::uint64_t;
  Bookmark GetBookmark() const;
  void GotoBookmark(Bookmark bookmark);
  bool BookmarkValid(Bookmark bookmark) const;

  // --- editing -----------------------------------------------------------
  void Append();
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();

  // --- events and notifications ------------------------------------------
  Signal<MemTable&> BeforeInsert;
  Signal<MemTable&> BeforeEdit;
  Signal<MemTable&> OnNewRecord;
  // Change notification: the assigned column, or nullptr for everything else.
  Signal<MemTable&, const Field*> OnDataChange;

  void DisableControls() { ++disableCount_; }
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }

  // --- sorting -----------------------------------------------------------
  // Columns separated by ";"; ties (and an empty list) fall back to creation
  // order, reversed when descending.
  void SortOnFields(std::string_view columns, bool caseInsensitive, bool descending);
  const std::string& SortColumns() const { return sortColumns_; }
  bool SortDescending() const { return sortDescending_; }

  // --- direct row access for readers that walk whole tables --------------
  // Row indices are 0-based positions in the present order of stored rows.
  const Value& ValueAt(int row, int column) const;
  double FloatAt(int row, int column) const;
  std::string StringAt(int row, int column) const;
  std::uint64_t SequenceAt(int row) const { return rows_.at(static_cast<std::size_t>(row)).sequence; }
  int CurrentIndex() const { return current_; }  // -1 when none

  // Moves the whole content (columns, definitions, rows) of another table into
  // this one, keeping this object and its subscribers. Used to commit a load.
  void TakeContentFrom(MemTable& source);
  // Makes this table a copy of the source's definitions, columns (with their
  // titles) and rows, with its cursor on the first row.
  void CopyContentFrom(const MemTable& source);

 private:
  friend class Field;
  struct Row {
    std::uint64_t sequence = 0;
    std::vector<Value> cells;
  };

  Row* activeRow();
  const Row* activeRow() const;
  void assignCell(Field& field, Value value);
  void notify(const Field* field);
  void requireActive() const;
  void leaveEditState();
  void rebuildFieldIndex();
  void resetCursor();

  std::string name_;
  std::vector<FieldDef> fieldDefs_;
  std::vector<std::unique_ptr<Field>> fields_;
  std::unordered_map<std::string, int> fieldIndex_;  // lower-cased name -> position
  std::vector<Row> rows_;
  std::uint64_t nextSequence_ = 1;
  TableState state_ = TableState::Closed;
  int current_ = -1;
  bool eof_ = true;
  Row pending_;          // the row being inserted, stored only by Post
  int insertPosition_ = 0;
  Row editBackup_;       // the row as it was when Edit began, for Cancel
  bool modified_ = false; // a cell was assigned since Edit, Append or Insert
  int disableCount_ = 0;
  std::string sortColumns_;
  bool sortCaseInsensitive_ = false;
  bool sortDescending_ = false;
};

// Shared table helpers.
void PostIfEditing(MemTable& table);
void CopyTable(MemTable& source, MemTable& dest);

}  // namespace rb
