#pragma once
// Livestock transfers without their windows: the transfer-out dialog's
// working lines (the stored ones, or one offered line per possible
// destination), its price recomputation, its closing step `updateTransfers`,
// the rebuild of every "Transfers in" row, and the transfers-in narrative.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb {

class Farm;

// 1 "Bull / Steer Calves" ... 6 "Cows/Bred Heifers"; "" for 0 (a feeder group).
const char* animalClassName(int animalClass);
// The class a cow-calf class grows into when it changes herds: calves become
// yearlings, yearlings breeding stock.
int classGrownInto(int animalClass);

struct TransferLine {
  std::string fromEnterprise;
  int fromCategory = 0;
  std::string toEnterprise;
  int toCategory = 0;
  std::string description;
  std::optional<int> numHead;
  std::optional<double> lbsPerHead;
  std::optional<double> pricePerHead;
  std::optional<double> pricePerLb;
  bool operator==(const TransferLine&) const = default;
};
enum class TransferColumn { Description, NumHead, LbsPerHead, PricePerHead, PricePerLb };

// The dialog's title: "Feeders from " + label, or the class name + " from " + label.
std::string transferDialogTitle(const Farm& farm, std::string_view sourceId, int category);
// The stored transfers out of a source (category 0 for a feeder group).
std::vector<TransferLine> loadTransferLines(const Farm& farm, std::string_view sourceId, int category);
// One empty line per destination the source may send animals to, in
// registry order, with their descriptions.
std::vector<TransferLine> offeredTransferLines(const Farm& farm, std::string_view sourceId, int category);
// What the dialog opens with: the stored lines, or the offered ones when none.
std::vector<TransferLine> openTransferLines(const Farm& farm, std::string_view sourceId, int category);

// After a working line's cell changed: a price per head gives the price per
// lb (to cents) when the weight is above 0.01 lbs; a weight or price per lb
// gives the price per head, unrounded.
void transferLineChanged(TransferLine& line, TransferColumn changed);

// The dialog's DONE: replaces the source's transfer lines with `lines` (each
// stored with this source), writes their head total into the source's
// "Transfers out" cell (with the sheet's own rules running), then
// `rebuildTransfersIn`. Returns the total. Throws rb::Error for a source that
// is not a registered livestock enterprise or class, with nothing changed.
long long updateTransfers(Farm& farm, std::string_view sourceId, int category, const std::vector<TransferLine>& lines);

// Rewrites the "Transfers in" cells of every livestock sheet from the
// transfer lines with head. A line whose destination has no such cell (an
// unknown enterprise or class) is kept in the table and counted nowhere.
void rebuildTransfersIn(Farm& farm);

// The transfers-in narrative of one receiving cell.
struct TransfersInNarrative {
  std::string caption;
  std::vector<std::string> lines;
};
TransfersInNarrative transfersInNarrative(const Farm& farm, std::string_view enterpriseId, int category);

}  // namespace rb
