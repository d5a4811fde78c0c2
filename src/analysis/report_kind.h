#pragma once
// The reports a farm can be shown as. The four enterprise reports and the
// whole-farm report share one statement layout; Winners & Losers and the
// transfer report have their own tables.
#include <optional>
#include <string_view>

namespace rb {

enum class ReportKind { Livestock, Crop, PastureAftermath, Other, WholeFarm, Winners, Transfers };

// The command-line word of a report ("livestock", "crop", "pasture", "other",
// "farm", "winners", "transfers") and back.
std::string_view reportWord(ReportKind kind);
std::optional<ReportKind> reportKindOfWord(std::string_view word);

// The statement kind name carried in the report data ("Livestock", "Crop",
// "PastureAftermath", "Other", "WholeFarm"; Winners and Transfers have none).
std::string_view reportKindName(ReportKind kind);

}  // namespace rb
