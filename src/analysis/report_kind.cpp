#include "analysis/report_kind.h"

#include <array>
#include <utility>

namespace rb {
namespace {

struct KindNames {
  ReportKind kind;
  std::string_view word;
  std::string_view name;
};

constexpr std::array<KindNames, 7> kKinds{{
    {ReportKind::Livestock, "livestock", "Livestock"},
    {ReportKind::Crop, "crop", "Crop"},
    {ReportKind::PastureAftermath, "pasture", "PastureAftermath"},
    {ReportKind::Other, "other", "Other"},
    {ReportKind::WholeFarm, "farm", "WholeFarm"},
    {ReportKind::Winners, "winners", ""},
    {ReportKind::Transfers, "transfers", ""},
}};

}  // namespace

std::string_view reportWord(ReportKind kind) { return kKinds[static_cast<std::size_t>(kind)].word; }
std::string_view reportKindName(ReportKind kind) { return kKinds[static_cast<std::size_t>(kind)].name; }

std::optional<ReportKind> reportKindOfWord(std::string_view word) {
  for (const KindNames& entry : kKinds)
    if (entry.word == word) return entry.kind;
  return std::nullopt;
}

}  // namespace rb
