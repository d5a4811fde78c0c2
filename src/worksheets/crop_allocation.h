#pragma once
// The crop allocation pop-up without its window: the allocation line of a
// crop in memCropAlloc and the pop-up's closing step.
#include <string>
#include <string_view>

namespace rb {

class Farm;
class MemTable;

// Puts the cursor of `cropAlloc` on the line of this crop enterprise and crop
// number, appending and posting one with just those two cells when there is
// none.
void findRow(std::string_view enterpriseId, int crop, MemTable& cropAlloc);

// "Allocate " followed by the crop's name (the crop cell of the sheet row).
std::string cropAllocationTitle(const MemTable& sheet, int row);

// The column position where memCropAlloc's allocation weights begin.
constexpr int kFirstCropAllocationColumn = 6;

// The pop-up's closing step for the crop on the sheet's current ("Transfers
// Out") row: stores a pending edit of the sheet, then sets the crop's
// allocation line's Alloc to the sum of its weights and Dollars to the row's
// TotalValue.
void closeCropAllocation(Farm& farm, std::string_view enterpriseId);

}  // namespace rb
