#include "model/mem_table.h"

#include <algorithm>

#include "model/text_util.h"

namespace rb {

namespace {
const Value kNullValue{};
}  // namespace

// ===========================================================================
// Field
// ===========================================================================

Field::Field(MemTable& table, const FieldDef& def, int index)
    : table_(table),
      def_(def),
      index_(index),
      displayLabel_(def.name),
      displayWidth_(def.type == FieldType::String ? def.size : 10) {}

const Value& Field::AsValue() const {
  const auto* row = table_.activeRow();
  return row ? row->cells[static_cast<std::size_t>(index_)] : kNullValue;
}

bool Field::IsNull() const { return rb::isNull(AsValue()); }

std::string Field::AsString() const {
  const Value& v = AsValue();
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (auto* i = std::get_if<std::int32_t>(&v)) return integerToText(*i);
  if (auto* d = std::get_if<double>(&v)) return floatToText(*d);
  if (auto* b = std::get_if<bool>(&v)) return booleanToText(*b);
  return "";
}

double Field::AsFloat() const {
  const Value& v = AsValue();
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* i = std::get_if<std::int32_t>(&v)) return *i;
  if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto parsed = parseFloat(*s)) return *parsed;
    throw Error(format("'%s' is not a valid floating point value", s->c_str()));
  }
  return 0;
}

std::int32_t Field::AsInteger() const {
  const Value& v = AsValue();
  if (auto* i = std::get_if<std::int32_t>(&v)) return *i;
  if (auto* d = std::get_if<double>(&v)) return toInteger32(*d);
  if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto parsed = parseInteger(*s)) return *parsed;
    throw Error(format("'%s' is not a valid integer value", s->c_str()));
  }
  return 0;
}

bool Field::AsBoolean() const {
  const Value& v = AsValue();
  if (auto* b = std::get_if<bool>(&v)) return *b;
  if (auto* i = std::get_if<std::int32_t>(&v)) return *i != 0;
  if (auto* d = std::get_if<double>(&v)) return *d != 0;
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto parsed = parseBoolean(*s)) return *parsed;
    throw Error(format("'%s' is not a valid boolean value", s->c_str()));
  }
  return false;
}

void Field::SetAsString(std::string_view text) {
  switch (def_.type) {
    case FieldType::String:
      table_.assignCell(*this, def_.size > 0 ? firstCharacters(text, static_cast<std::size_t>(def_.size))
                                             : std::string(text));
      return;
    case FieldType::Date:
      table_.assignCell(*this, text.empty() ? Value{} : Value{std::string(text)});
      return;
    case FieldType::Integer: {
      if (text.empty()) return table_.assignCell(*this, Value{});
      auto parsed = parseInteger(text);
      if (!parsed)
        throw Error(format("'%s' is not a valid integer value for field '%s'", std::string(text).c_str(),
                           displayLabel_.c_str()));
      return table_.assignCell(*this, *parsed);
    }
    case FieldType::Float: {
      if (text.empty()) return table_.assignCell(*this, Value{});
      auto parsed = parseFloat(text);
      if (!parsed)
        throw Error(format("'%s' is not a valid floating point value for field '%s'", std::string(text).c_str(),
                           displayLabel_.c_str()));
      return table_.assignCell(*this, *parsed);
    }
    case FieldType::Boolean: {
      if (text.empty()) return table_.assignCell(*this, Value{});
      auto parsed = parseBoolean(text);
      if (!parsed)
        throw Error(format("'%s' is not a valid boolean value for field '%s'", std::string(text).c_str(),
                           displayLabel_.c_str()));
      return table_.assignCell(*this, *parsed);
    }
    case FieldType::Unknown: break;
  }
  throw Error(format("Field '%s' is of an unknown type", def_.name.c_str()));
}

void Field::SetAsFloat(double value) {
  switch (def_.type) {
    case FieldType::Float: return table_.assignCell(*this, value);
    case FieldType::Integer: return table_.assignCell(*this, toInteger32(value));
    case FieldType::Boolean: return table_.assignCell(*this, value != 0);
    default: return SetAsString(floatToText(value));
  }
}

void Field::SetAsInteger(std::int32_t value) {
  switch (def_.type) {
    case FieldType::Float: return table_.assignCell(*this, static_cast<double>(value));
    case FieldType::Integer: return table_.assignCell(*this, value);
    case FieldType::Boolean: return table_.assignCell(*this, value != 0);
    default: return SetAsString(integerToText(value));
  }
}

void Field::SetAsBoolean(bool value) {
  switch (def_.type) {
    case FieldType::Float: return table_.assignCell(*this, value ? 1.0 : 0.0);
    case FieldType::Integer: return table_.assignCell(*this, std::int32_t{value ? 1 : 0});
    case FieldType::Boolean: return table_.assignCell(*this, value);
    default: return SetAsString(booleanToText(value));
  }
}

void Field::SetValue(const Value& value) {
  if (auto* s = std::get_if<std::string>(&value)) return SetAsString(*s);
  if (auto* i = std::get_if<std::int32_t>(&value)) return SetAsInteger(*i);
  if (auto* d = std::get_if<double>(&value)) return SetAsFloat(*d);
  if (auto* b = std::get_if<bool>(&value)) return SetAsBoolean(*b);
  Clear();
}

void Field::Clear() { table_.assignCell(*this, Value{}); }

// ===========================================================================
// MemTable: structure
// ===========================================================================

MemTable::MemTable(std::string name) : name_(std::move(name)) {}

void MemTable::requireActive() const {
  if (state_ == TableState::Closed) throw Error("Cannot perform this operation on a closed dataset");
}

void MemTable::Open() {
  if (state_ != TableState::Closed) return;
  state_ = TableState::Browse;
  rows_.clear();
  resetCursor();
  notify(nullptr);
}

void MemTable::Close() {
  rows_.clear();
  pending_ = Row{};
  sortColumns_.clear();
  sortCaseInsensitive_ = false;
  sortDescending_ = false;
  state_ = TableState::Closed;
  current_ = -1;
  eof_ = true;
  notify(nullptr);
}

void MemTable::AddFieldDef(std::string name, FieldType type, int size) {
  fieldDefs_.push_back({std::move(name), type, size});
}

void MemTable::CreateColumns() {
  if (state_ != TableState::Closed) throw Error("Cannot perform this operation on an open dataset");
  fields_.clear();
  fieldIndex_.clear();
  for (const FieldDef& def : fieldDefs_) {
    if (def.type == FieldType::Unknown) {
      fields_.clear();
      throw Error(format("Field '%s' is of an unknown type", def.name.c_str()));
    }
    if (def.type != FieldType::String && def.size != 0) {
      fields_.clear();
      throw Error("Invalid field size");
    }
    fields_.push_back(std::make_unique<Field>(*this, def, static_cast<int>(fields_.size())));
  }
  rebuildFieldIndex();
}

void MemTable::CopyStructure(const MemTable& source) {
  if (state_ != TableState::Closed) throw Error("Cannot perform this operation on an open dataset");
  fieldDefs_.clear();
  for (const auto& field : source.fields_)
    fieldDefs_.push_back({field->FieldName(), field->DataType(), field->Size()});
  CreateColumns();
}

void MemTable::rebuildFieldIndex() {
  fieldIndex_.clear();
  for (const auto& field : fields_) fieldIndex_.emplace(lowerCase(field->FieldName()), field->Index());
}

// ===========================================================================
// Columns
// ===========================================================================

int MemTable::FieldIndex(std::string_view name) const {
  const auto it = fieldIndex_.find(lowerCase(name));
  return it == fieldIndex_.end() ? -1 : it->second;
}

Field* MemTable::FindField(std::string_view name) {
  const int index = FieldIndex(name);
  return index < 0 ? nullptr : fields_[static_cast<std::size_t>(index)].get();
}

const Field* MemTable::FindField(std::string_view name) const {
  const int index = FieldIndex(name);
  return index < 0 ? nullptr : fields_[static_cast<std::size_t>(index)].get();
}

Field& MemTable::FieldByName(std::string_view name) {
  if (Field* field = FindField(name)) return *field;
  throw Error(format("Field '%s' not found", std::string(name).c_str()));
}

const Field& MemTable::FieldByName(std::string_view name) const {
  if (const Field* field = FindField(name)) return *field;
  throw Error(format("Field '%s' not found", std::string(name).c_str()));
}

// ===========================================================================
// Navigation
// ===========================================================================

void MemTable::resetCursor() {
  current_ = rows_.empty() ? -1 : 0;
  eof_ = rows_.empty();
}

// A move away from a row being edited posts it; a new row that was never
// touched is abandoned, so stepping off an untouched blank line leaves nothing.
void MemTable::leaveEditState() {
  if (state_ == TableState::Insert && !modified_) {
    Cancel();
  } else {
    PostIfEditing(*this);
  }
}

void MemTable::First() {
  requireActive();
  leaveEditState();
  resetCursor();
  notify(nullptr);
}

void MemTable::Next() { MoveBy(1); }
void MemTable::Prior() { MoveBy(-1); }

void MemTable::Last() {
  requireActive();
  leaveEditState();
  current_ = static_cast<int>(rows_.size()) - 1;
  eof_ = rows_.empty();
  notify(nullptr);
}

void MemTable::MoveBy(int distance) {
  requireActive();
  leaveEditState();
  if (rows_.empty()) {
    current_ = -1;
    eof_ = true;
  } else if (distance > 0) {
    const int last = static_cast<int>(rows_.size()) - 1;
    if (current_ + distance > last) {
      current_ = last;
      eof_ = true;
    } else {
      current_ += distance;
      eof_ = false;
    }
  } else if (distance < 0) {
    current_ = std::max(0, current_ + distance);
    eof_ = false;
  }
  notify(nullptr);
}

int MemTable::RecNo() const {
  if (state_ == TableState::Insert) return insertPosition_ + 1;
  return current_ + 1;
}

MemTable::Bookmark MemTable::GetBookmark() const {
  if (state_ == TableState::Insert || current_ < 0) return 0;
  return rows_[static_cast<std::size_t>(current_)].sequence;
}

bool MemTable::BookmarkValid(Bookmark bookmark) const {
  return std::any_of(rows_.begin(), rows_.end(), [&](const Row& r) { return r.sequence == bookmark; });
}

void MemTable::GotoBookmark(Bookmark bookmark) {
  requireActive();
  leaveEditState();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].sequence == bookmark) {
      current_ = static_cast<int>(i);
      eof_ = false;
      notify(nullptr);
      return;
    }
  }
  throw Error("Record not found");
}

// ===========================================================================
// Editing
// ===========================================================================

MemTable::Row* MemTable::activeRow() {
  return const_cast<Row*>(static_cast<const MemTable*>(this)->activeRow());
}

const MemTable::Row* MemTable::activeRow() const {
  if (state_ == TableState::Insert) return &pending_;
  if (current_ < 0 || current_ >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<std::size_t>(current_)];
}

void MemTable::Append() {
  requireActive();
  PostIfEditing(*this);
  BeforeInsert.emit(*this);
  pending_ = Row{0, std::vector<Value>(fields_.size())};
  insertPosition_ = static_cast<int>(rows_.size());
  state_ = TableState::Insert;
  modified_ = false;
  eof_ = false;
  OnNewRecord.emit(*this);
  notify(nullptr);
}

void MemTable::Insert() {
  requireActive();
  PostIfEditing(*this);
  BeforeInsert.emit(*this);
  pending_ = Row{0, std::vector<Value>(fields_.size())};
  insertPosition_ = current_ < 0 ? 0 : current_;
  state_ = TableState::Insert;
  modified_ = false;
  eof_ = false;
  OnNewRecord.emit(*this);
  notify(nullptr);
}

void MemTable::Edit() {
  requireActive();
  if (state_ == TableState::Edit || state_ == TableState::Insert) return;
  if (rows_.empty()) return Insert();
  if (current_ < 0) current_ = 0;
  BeforeEdit.emit(*this);
  // A handler may have sorted the table; the cursor followed the row.
  editBackup_ = rows_[static_cast<std::size_t>(current_)];
  state_ = TableState::Edit;
  modified_ = false;
  notify(nullptr);
}

void MemTable::Post() {
  if (state_ == TableState::Insert) {
    pending_.sequence = nextSequence_++;
    rows_.insert(rows_.begin() + insertPosition_, std::move(pending_));
    pending_ = Row{};
    current_ = insertPosition_;
    eof_ = false;
    state_ = TableState::Browse;
    notify(nullptr);
  } else if (state_ == TableState::Edit) {
    state_ = TableState::Browse;
    editBackup_ = Row{};
    notify(nullptr);
  }
}

void MemTable::Cancel() {
  if (state_ == TableState::Insert) {
    pending_ = Row{};
    state_ = TableState::Browse;
    current_ = std::min(insertPosition_, static_cast<int>(rows_.size()) - 1);
    eof_ = rows_.empty();
    notify(nullptr);
  } else if (state_ == TableState::Edit) {
    rows_[static_cast<std::size_t>(current_)] = std::move(editBackup_);
    editBackup_ = Row{};
    state_ = TableState::Browse;
    notify(nullptr);
  }
}

void MemTable::Delete() {
  requireActive();
  if (state_ == TableState::Insert) return Cancel();
  if (state_ == TableState::Edit) {
    rows_[static_cast<std::size_t>(current_)] = std::move(editBackup_);
    state_ = TableState::Browse;
  }
  if (rows_.empty()) throw Error("Cannot perform this operation on an empty dataset");
  if (current_ < 0) current_ = 0;
  rows_.erase(rows_.begin() + current_);
  if (current_ >= static_cast<int>(rows_.size())) current_ = static_cast<int>(rows_.size()) - 1;
  eof_ = rows_.empty();
  notify(nullptr);
}

void MemTable::assignCell(Field& field, Value value) {
  requireActive();
  if (state_ != TableState::Edit && state_ != TableState::Insert)
    throw Error("Dataset not in edit or insert mode");
  activeRow()->cells[static_cast<std::size_t>(field.Index())] = std::move(value);
  modified_ = true;
  notify(&field);
}

// ===========================================================================
// Notifications
// ===========================================================================

void MemTable::notify(const Field* field) {
  if (disableCount_ == 0) OnDataChange.emit(*this, field);
}

void MemTable::EnableControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ == 0) notify(nullptr);
}

// ===========================================================================
// Sorting
// ===========================================================================

namespace {

int compareValues(const Value& a, const Value& b, bool caseInsensitive) {
  const bool aNull = isNull(a);
  const bool bNull = isNull(b);
  if (aNull || bNull) return aNull == bNull ? 0 : (aNull ? -1 : 1);
  const auto* as = std::get_if<std::string>(&a);
  const auto* bs = std::get_if<std::string>(&b);
  if (as && bs) {
    const int c = caseInsensitive ? lowerCase(*as).compare(lowerCase(*bs)) : as->compare(*bs);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  auto number = [](const Value& v) -> double {
    if (auto* d = std::get_if<double>(&v)) return *d;
    if (auto* i = std::get_if<std::int32_t>(&v)) return *i;
    if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    return 0;
  };
  const double x = number(a);
  const double y = number(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace

void MemTable::SortOnFields(std::string_view columns, bool caseInsensitive, bool descending) {
  requireActive();
  PostIfEditing(*this);
  std::vector<int> keys;
  std::size_t start = 0;
  while (start <= columns.size()) {
    std::size_t end = columns.find(';', start);
    if (end == std::string_view::npos) end = columns.size();
    const std::string name = trimmed(columns.substr(start, end - start));
    if (!name.empty()) keys.push_back(FieldByName(name).Index());
    start = end + 1;
  }

  const std::uint64_t remembered = current_ >= 0 ? rows_[static_cast<std::size_t>(current_)].sequence : 0;
  std::sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
    for (int key : keys) {
      int c = compareValues(a.cells[static_cast<std::size_t>(key)], b.cells[static_cast<std::size_t>(key)],
                            caseInsensitive);
      if (c != 0) return descending ? c > 0 : c < 0;
    }
    return descending ? a.sequence > b.sequence : a.sequence < b.sequence;
  });
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].sequence == remembered) current_ = static_cast<int>(i);

  sortColumns_ = std::string(columns);
  sortCaseInsensitive_ = caseInsensitive;
  sortDescending_ = descending;
  notify(nullptr);
}

// ===========================================================================
// Direct access and whole-content moves
// ===========================================================================

const Value& MemTable::ValueAt(int row, int column) const {
  return rows_.at(static_cast<std::size_t>(row)).cells.at(static_cast<std::size_t>(column));
}

double MemTable::FloatAt(int row, int column) const {
  const Value& v = ValueAt(row, column);
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* i = std::get_if<std::int32_t>(&v)) return *i;
  if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  if (auto* s = std::get_if<std::string>(&v)) {
    if (auto parsed = parseFloat(*s)) return *parsed;
    throw Error(format("'%s' is not a valid floating point value", s->c_str()));
  }
  return 0;
}

std::string MemTable::StringAt(int row, int column) const {
  const Value& v = ValueAt(row, column);
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (auto* i = std::get_if<std::int32_t>(&v)) return integerToText(*i);
  if (auto* d = std::get_if<double>(&v)) return floatToText(*d);
  if (auto* b = std::get_if<bool>(&v)) return booleanToText(*b);
  return "";
}

void MemTable::TakeContentFrom(MemTable& source) {
  fieldDefs_ = std::move(source.fieldDefs_);
  fields_.clear();
  for (const auto& field : source.fields_) {
    auto copy = std::make_unique<Field>(*this, FieldDef{field->FieldName(), field->DataType(), field->Size()},
                                        field->Index());
    copy->SetDisplayLabel(field->DisplayLabel());
    copy->SetDisplayWidth(field->DisplayWidth());
    fields_.push_back(std::move(copy));
  }
  rebuildFieldIndex();
  rows_ = std::move(source.rows_);
  nextSequence_ = std::max(nextSequence_, source.nextSequence_);
  sortColumns_ = source.sortColumns_;
  sortCaseInsensitive_ = source.sortCaseInsensitive_;
  sortDescending_ = source.sortDescending_;
  pending_ = Row{};
  editBackup_ = Row{};
  state_ = source.state_ == TableState::Closed ? TableState::Closed : TableState::Browse;
  resetCursor();
  source.fields_.clear();
  source.fieldIndex_.clear();
  source.rows_.clear();
  source.state_ = TableState::Closed;
  notify(nullptr);
}

void MemTable::CopyContentFrom(const MemTable& source) {
  fieldDefs_ = source.fieldDefs_;
  fields_.clear();
  for (const auto& field : source.fields_) {
    auto copy = std::make_unique<Field>(*this, FieldDef{field->FieldName(), field->DataType(), field->Size()},
                                        field->Index());
    copy->SetDisplayLabel(field->DisplayLabel());
    copy->SetDisplayWidth(field->DisplayWidth());
    fields_.push_back(std::move(copy));
  }
  rebuildFieldIndex();
  rows_ = source.rows_;
  nextSequence_ = source.nextSequence_;
  sortColumns_ = source.sortColumns_;
  sortCaseInsensitive_ = source.sortCaseInsensitive_;
  sortDescending_ = source.sortDescending_;
  pending_ = Row{};
  editBackup_ = Row{};
  state_ = source.state_ == TableState::Closed ? TableState::Closed : TableState::Browse;
  resetCursor();
  notify(nullptr);
}

// ===========================================================================
// Helpers
// ===========================================================================

void PostIfEditing(MemTable& table) {
  if (table.State() == TableState::Edit || table.State() == TableState::Insert) table.Post();
}

void CopyTable(MemTable& source, MemTable& dest) {
  dest.DisableControls();
  source.DisableControls();
  struct Restore {
    MemTable& a;
    MemTable& b;
    ~Restore() {
      a.EnableControls();
      b.EnableControls();
    }
  } restore{dest, source};

  dest.Close();
  dest.CopyStructure(source);
  dest.Open();
  for (source.First(); !source.Eof(); source.Next()) {
    dest.Append();
    for (int i = 0; i < source.FieldCount(); ++i) {
      const Field& from = source.FieldAt(i);
      if (!from.IsNull()) dest.FieldAt(i).SetValue(from.AsValue());
    }
    dest.Post();
  }
}

}  // namespace rb
