#pragma once
// The enterprise registry: kinds, ids and labels, and the lookups that every
// other part of the program keys on. The registry itself is the table
// memMaster; beside it the farm keeps an 8 x 5 label table.
#include <array>
#include <string>
#include <string_view>

namespace rb {

class MemTable;

enum Kind : int {
  kCowCalf = 1,
  kFeeders = 2,
  kForage = 3,
  kPasture = 4,
  kGrain = 5,
  kStraw = 6,
  kAftermath = 7,
  kOther = 8,
};
constexpr int kKindCount = 8;
constexpr int kMaxPerKind = 5;
constexpr int kMaxCrops = 9;

// "cowcalf", "feeders", "forage", "pasture", "grain", "straw", "aftermath",
// "other"; "" for codes outside 1 to 8.
const char* kindName(int kind);
// How many enterprises a kind may have: 5, but 1 for aftermath.
int maxEnterprisesOfKind(int kind);
bool isCropKindCode(int kind);
// kind name + index: "cowcalf1", "straw3".
std::string enterpriseId(int kind, int index);

// 1 to 8 when the lower-cased name begins with "cow", "fee", "for", "pas",
// "gra", "str", "aft" or "oth"; else 0.
int KindOf(std::string_view name);
// The index digit of an id ("cowcalf3" gives 3), 0 when it ends in no digit.
int indexOfId(std::string_view id);
// Whether name is a registry id the program has a worksheet for.
bool isKnownEnterpriseId(std::string_view name);

class LabelTable {
 public:
  const std::string& at(int kind, int index) const;
  void set(int kind, int index, std::string label);
  // Each registry row's label goes to its (kind, index); entries of
  // enterprises that no longer exist keep their old text.
  void refill(const MemTable& master);

 private:
  std::array<std::array<std::string, kMaxPerKind>, kKindCount> labels_{};
};

std::string LabelOf(const LabelTable& labels, std::string_view name);
std::string LedgerTitleOf(const LabelTable& labels, std::string_view name);
int CountOfKind(const MemTable& table, std::string_view text);
bool IsCropKind(std::string_view id);
bool IsLivestock(std::string_view id);
bool IsGrazing(std::string_view id);

// Where a new enterprise of a kind goes: before row `insertBefore` (0-based),
// or appended when it is -1; its index and id.
struct RegistryPosition {
  int insertBefore = -1;
  int index = 1;
  std::string id;
};
RegistryPosition positionOfNewEnterprise(const MemTable& master, int kind);

}  // namespace rb
