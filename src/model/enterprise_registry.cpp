#include "model/enterprise_registry.h"

#include "model/mem_table.h"
#include "model/text_util.h"

namespace rb {

namespace {
constexpr std::array<const char*, kKindCount> kKindNames = {"cowcalf", "feeders", "forage", "pasture",
                                                            "grain",   "straw",   "aftermath", "other"};
constexpr std::array<const char*, kKindCount> kKindPrefixes = {"cow", "fee", "for", "pas", "gra", "str", "aft", "oth"};

const std::string kEmpty;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

const char* kindName(int kind) {
  return (kind >= 1 && kind <= kKindCount) ? kKindNames[static_cast<std::size_t>(kind - 1)] : "";
}

int maxEnterprisesOfKind(int kind) { return kind == kAftermath ? 1 : kMaxPerKind; }

bool isCropKindCode(int kind) { return kind == kForage || kind == kGrain || kind == kStraw; }

std::string enterpriseId(int kind, int index) { return kindName(kind) + std::to_string(index); }

int KindOf(std::string_view name) {
  const std::string lower = lowerCase(name);
  for (int kind = 1; kind <= kKindCount; ++kind)
    if (lower.starts_with(kKindPrefixes[static_cast<std::size_t>(kind - 1)])) return kind;
  return 0;
}

int indexOfId(std::string_view id) {
  const std::string name = trimmed(id);
  return (!name.empty() && isDigit(name.back())) ? name.back() - '0' : 0;
}

bool isKnownEnterpriseId(std::string_view name) {
  const std::string lower = lowerCase(name);
  for (int kind = 1; kind <= kKindCount; ++kind)
    for (int index = 1; index <= maxEnterprisesOfKind(kind); ++index)
      if (lower == enterpriseId(kind, index)) return true;
  return false;
}

const std::string& LabelTable::at(int kind, int index) const {
  if (kind < 1 || kind > kKindCount || index < 1 || index > kMaxPerKind) return kEmpty;
  return labels_[static_cast<std::size_t>(kind - 1)][static_cast<std::size_t>(index - 1)];
}

void LabelTable::set(int kind, int index, std::string label) {
  if (kind < 1 || kind > kKindCount || index < 1 || index > kMaxPerKind) return;
  labels_[static_cast<std::size_t>(kind - 1)][static_cast<std::size_t>(index - 1)] = std::move(label);
}

void LabelTable::refill(const MemTable& master) {
  const int typeColumn = master.FieldIndex("EnterpriseType");
  const int indexColumn = master.FieldIndex("enterpriseIndex");
  const int labelColumn = master.FieldIndex("enterpriseLabel");
  if (typeColumn < 0 || indexColumn < 0 || labelColumn < 0) return;
  for (int row = 0; row < master.RecordCount(); ++row) {
    const double kind = master.FloatAt(row, typeColumn);
    const double index = master.FloatAt(row, indexColumn);
    set(static_cast<int>(kind), static_cast<int>(index), master.StringAt(row, labelColumn));
  }
}

std::string LabelOf(const LabelTable& labels, std::string_view name) {
  const std::string lower = lowerCase(trimmed(name));
  const int kind = KindOf(lower);
  if (kind > 0 && !lower.empty() && isDigit(lower.back())) return labels.at(kind, lower.back() - '0');
  return std::string(name);
}

std::string LedgerTitleOf(const LabelTable& labels, std::string_view name) {
  const std::string lower = lowerCase(trimmed(name));
  if (KindOf(lower) == 0 || lower.empty() || !isDigit(lower.back())) return std::string(name);
  std::string label = LabelOf(labels, name);
  const std::size_t blank = label.find(' ');
  if (blank != std::string::npos) label.replace(blank, 1, "~ ");
  return " " + label;
}

int CountOfKind(const MemTable& table, std::string_view text) {
  const int column = table.FieldIndex("enterprise");
  if (column < 0) return 0;
  int count = 0;
  for (int row = 0; row < table.RecordCount(); ++row)
    if (containsText(table.StringAt(row, column), text)) ++count;
  return count;
}

bool IsCropKind(std::string_view id) {
  return containsText(id, "gra") || containsText(id, "for") || containsText(id, "str");
}

bool IsLivestock(std::string_view id) { return containsText(id, "cow") || containsText(id, "fee"); }

bool IsGrazing(std::string_view id) {
  const std::string lower = lowerCase(id);
  return containsText(lower, "aft") || containsText(lower, "pas");
}

RegistryPosition positionOfNewEnterprise(const MemTable& master, int kind) {
  RegistryPosition position;
  const int typeColumn = master.FieldIndex("EnterpriseType");
  int count = 0;
  for (int row = 0; row < master.RecordCount(); ++row) {
    const int rowKind = static_cast<int>(master.FloatAt(row, typeColumn));
    if (rowKind > kind) {
      position.insertBefore = row;
      break;
    }
    if (rowKind == kind) ++count;
  }
  position.index = count + 1;
  position.id = enterpriseId(kind, position.index);
  return position;
}

}  // namespace rb
