#include "files/farm_file_reader.h"

#include <map>
#include <memory>
#include <set>

#include "files/atomic_file.h"
#include "files/farm_file_writer.h"
#include "files/text_codec.h"
#include "model/farm_data_sets.h"
#include "model/text_util.h"

namespace rb {

// ===========================================================================
// Tag scanner
// ===========================================================================

namespace {

TagKind classify(std::string_view tag) {
  if (containsText(tag, "?xml")) return TagKind::Declaration;
  if (containsText(tag, "/"))
    return (containsText(tag, "</") || containsText(tag, "< /")) ? TagKind::End : TagKind::EmptyElement;
  return TagKind::Start;
}

std::string tagName(std::string_view tag) {
  std::size_t i = 0;
  while (i < tag.size() && (tag[i] == '/' || tag[i] == '<' || tag[i] == ' ')) ++i;
  std::size_t end = i;
  while (end < tag.size() && tag[end] != '/' && tag[end] != '>' && tag[end] != ' ') ++end;
  std::string name(tag.substr(i, end - i));
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

}  // namespace

std::optional<Tag> TagScanner::next() {
  const std::size_t open = text_.find('<', position_);
  if (open == std::string_view::npos) {
    position_ = text_.size();
    return std::nullopt;
  }
  const std::size_t close = text_.find('>', open);
  if (close == std::string_view::npos) {
    position_ = text_.size();
    return std::nullopt;
  }
  position_ = close + 1;
  Tag tag;
  tag.text = std::string(text_.substr(open, close - open + 1));
  tag.kind = classify(tag.text);
  tag.name = tagName(tag.text);
  return tag;
}

std::string TagScanner::readValue() {
  std::size_t end = text_.find('<', position_);
  if (end == std::string_view::npos) end = text_.size();
  std::string value = trimmed(text_.substr(position_, end - position_));
  position_ = end;
  return value;
}

// ===========================================================================
// Attributes
// ===========================================================================

namespace {

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t at = 0;
  while (true) {
    const std::size_t found = text.find(from, at);
    if (found == std::string::npos) break;
    out.append(text, at, found - at);
    out += to;
    at = found + from.size();
  }
  out.append(text, at, std::string::npos);
  return out;
}

}  // namespace

std::optional<std::string> readAttribute(std::string_view tagText, std::string_view name) {
  const std::string text = replaceAll(replaceAll(std::string(tagText), "= ", "="), " =", "=");
  const std::size_t last = text.empty() ? 0 : text.size() - 1;
  for (std::size_t equals = text.find('='); equals != std::string::npos; equals = text.find('=', equals + 1)) {
    const std::size_t blank = text.rfind(' ', equals);
    const std::size_t start = blank == std::string::npos ? 0 : blank;
    std::size_t end = text.find_first_of(" /", equals + 1);
    if (end == std::string::npos || end > last) end = last;
    std::string entry;
    for (char c : std::string_view(text).substr(start, end - start))
      if (c != '"') entry += c;
    // Each entry is one character, the name, "=" and the value.
    if (entry.size() > name.size() + 1 && entry.compare(1, name.size(), name) == 0 && entry[name.size() + 1] == '=')
      return entry.substr(name.size() + 2);
  }
  return std::nullopt;
}

std::optional<RootInfo> ReadRoot(TagScanner& scanner) {
  while (auto tag = scanner.next()) {
    if (tag->kind == TagKind::Start && tag->name == "COPDATASETS")
      return RootInfo{readAttribute(tag->text, "VERSION").value_or(""), readAttribute(tag->text, "TYPE").value_or("")};
  }
  return std::nullopt;
}

// ===========================================================================
// One data set
// ===========================================================================

namespace {

FieldType typeFromFile(std::string_view text, FieldType previous) {
  if (text == "FLOAT") return FieldType::Float;
  if (text == "STRING") return FieldType::String;
  if (text == "INTEGER") return FieldType::Integer;
  if (text == "BOOLEAN") return FieldType::Boolean;
  return previous;
}

// Older files declare money and allocation columns INTEGER; the program has
// always read them as FLOAT so that fractional shares keep their digits.
FieldDef applyCompatibilityRules(const MemTable& table, FieldDef def) {
  const std::string tableName = lowerCase(table.Name());
  if (def.type == FieldType::Integer)
    for (const char* part : {"rev", "exp", "mach", "build", "acrec", "acpay", "supp", "purch", "unp"})
      if (containsText(tableName, part)) def.type = FieldType::Float;
  if (containsText(tableName, "alloc") && def.type == FieldType::Integer && !containsText(def.name, "crop"))
    def.type = FieldType::Float;
  if (equalsNoCase(def.name, "FEEDNAME")) def.size = 14;
  return def;
}

std::string requiredAttribute(const Tag& tag, std::string_view name) {
  if (auto value = readAttribute(tag.text, name)) return *value;
  throw Error(format("column description without %s: %s", std::string(name).c_str(), tag.text.c_str()));
}

void readColumnDescription(const Tag& tag, MemTable& table, FieldType& previousType) {
  FieldDef def;
  def.name = requiredAttribute(tag, "NAME");
  def.type = typeFromFile(requiredAttribute(tag, "TYPE"), previousType);
  const std::string length = requiredAttribute(tag, "LENGTH");
  const auto size = parseInteger(length);
  if (!size) throw Error(format("'%s' is not a valid integer value for the LENGTH of column %s", length.c_str(),
                                def.name.c_str()));
  def.size = *size;
  def = applyCompatibilityRules(table, def);
  previousType = def.type;
  table.AddFieldDef(def.name, def.type, def.size);
}

// A file value as the cell of its column's type.
Value cellValue(const Field& field, const std::string& text) {
  switch (field.DataType()) {
    case FieldType::String: return field.Size() > 0 ? firstCharacters(text, static_cast<std::size_t>(field.Size())) : text;
    case FieldType::Integer:
      if (auto value = parseInteger(text)) return *value;
      throw Error(format("'%s' is not a valid integer value for field '%s'", text.c_str(),
                         field.DisplayLabel().c_str()));
    case FieldType::Float:
      if (auto value = parseFloat(text, true)) return *value;
      throw Error(format("'%s' is not a valid floating point value for field '%s'", text.c_str(),
                         field.DisplayLabel().c_str()));
    case FieldType::Boolean:
      if (auto value = parseBoolean(text)) return *value;
      throw Error(format("'%s' is not a valid boolean value for field '%s'", text.c_str(),
                         field.DisplayLabel().c_str()));
    default: return text;
  }
}

}  // namespace

bool ReadDataSet(TagScanner& scanner, MemTable& table) {
  int position = 0;
  FieldType previousType = FieldType::Unknown;
  while (auto tag = scanner.next()) {
    if (tag->kind == TagKind::Declaration) continue;
    if (tag->kind == TagKind::Start) {
      if (tag->name == "HEADER") {
        table.ClearFieldDefs();
        previousType = FieldType::Unknown;
      } else if (tag->name == "ROW") {
        table.Append();
        table.Post();
        position = 0;
      } else if (tag->name == "COL") {
        const std::string value = scanner.readValue();
        if (!value.empty()) {
          if (position >= table.FieldCount())
            throw Error(format("a row has more values than its %d columns", table.FieldCount()));
          Field& field = table.FieldAt(position);
          table.Edit();
          field.SetValue(cellValue(field, unescapeFileText(value)));
          PostIfEditing(table);
        }
        ++position;
      }
    } else if (tag->kind == TagKind::EmptyElement) {
      if (tag->name == "COLDESC") readColumnDescription(*tag, table, previousType);
    } else if (tag->kind == TagKind::End) {
      if (tag->name == "HEADER") {
        table.Close();
        table.CreateColumns();
        table.Open();
      } else if (tag->name == "DATASET") {
        return true;
      }
    }
  }
  return false;
}

// ===========================================================================
// Whole file
// ===========================================================================

namespace {

// The tables a load has reached so far, each a working copy of the shape
// farm's table.
class LoadTransaction {
 public:
  explicit LoadTransaction(const Farm& shape) : shape_(shape) {}

  MemTable& copyOf(const std::string& name) {
    auto& slot = copies_[lowerCase(name)];
    if (!slot) {
      const MemTable& original = shape_.table(name);
      auto copy = std::make_unique<MemTable>(original.Name());
      copy->CopyContentFrom(original);
      slot = copy.get();
      contents_.tables.push_back(std::move(copy));
    }
    return *slot;
  }

  FarmFileContents finish() { return std::move(contents_); }

 private:
  const Farm& shape_;
  std::map<std::string, MemTable*> copies_;
  FarmFileContents contents_;
};

void readInto(TagScanner& scanner, MemTable& table, const std::string& dataSet, const std::string& path) {
  bool complete = false;
  try {
    complete = ReadDataSet(scanner, table);
  } catch (const Error& error) {
    throw Error(format("%s: data set %s: %s", path.c_str(), dataSet.c_str(), error.what()));
  }
  if (!complete) throw Error(format("%s: the file ends inside data set %s", path.c_str(), dataSet.c_str()));
}

// Every registry row must name an enterprise the program has a worksheet for,
// once; otherwise its data set would have nowhere to go.
void checkRegistry(const std::vector<EnterpriseRow>& rows, const std::string& path) {
  std::set<std::string> seen;
  for (const EnterpriseRow& row : rows) {
    const std::string id = lowerCase(row.id);
    if (!isKnownEnterpriseId(id))
      throw Error(format("%s: the enterprise list names \"%s\", which is not an enterprise id", path.c_str(),
                         row.id.c_str()));
    if (!seen.insert(id).second)
      throw Error(format("%s: the enterprise list names \"%s\" twice", path.c_str(), row.id.c_str()));
  }
}

}  // namespace

FarmFileContents readFarmText(const Farm& shape, std::string_view bytes, const std::string& path) {
  const std::string text = decodeFileText(bytes);
  TagScanner scanner(text);
  if (!ReadRoot(scanner)) throw Error(format("%s: not a farm file (no COPDATASETS root element)", path.c_str()));

  LoadTransaction load(shape);
  readInto(scanner, load.copyOf("memInfo"), "Information", path);
  MemTable& master = load.copyOf("memMaster");
  readInto(scanner, master, "Master", path);
  const std::vector<EnterpriseRow> enterprises = registryRows(master);
  checkRegistry(enterprises, path);

  for (const WholeFarmTable& entry : wholeFarmTables()) readInto(scanner, load.copyOf(entry.table), entry.dataSet, path);
  for (const EnterpriseRow& row : enterprises)
    readInto(scanner, load.copyOf("mem" + lowerCase(row.id)), row.label.empty() ? row.id : row.label, path);
  return load.finish();
}

FarmFileContents readFarmFile(const Farm& shape, const std::string& path) {
  return readFarmText(shape, readWholeFile(path), path);
}

void applyFarmFile(Farm& farm, FarmFileContents contents) {
  // The whole file was read: only now does the farm change.
  ProgramUpdate busy(farm);
  farm.hideEnterpriseTabs();
  for (const auto& copy : contents.tables) farm.table(copy->Name()).TakeContentFrom(*copy);
  farm.refillLabelTable();
  farm.applyLedgerTitles();
  farm.showEnterpriseTabs(farm.master());
  farm.attachColumnEditors();
}

void loadFarmText(Farm& farm, std::string_view bytes, const std::string& path) {
  applyFarmFile(farm, readFarmText(farm, bytes, path));
}

void LoadFarmFile(Farm& farm, const std::string& path) { loadFarmText(farm, readWholeFile(path), path); }

}  // namespace rb
