#include "worksheets/crop_allocation.h"

#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "worksheets/worksheet_layout.h"

namespace rb {

void findRow(std::string_view enterpriseId, int crop, MemTable& cropAlloc) {
  PostIfEditing(cropAlloc);
  const int enterprise = cropAlloc.FieldIndex("Enterprise");
  const int cropColumn = cropAlloc.FieldIndex("Crop");
  for (int row = 0; row < cropAlloc.RecordCount(); ++row) {
    if (cropAlloc.StringAt(row, enterprise) == enterpriseId && !isNull(cropAlloc.ValueAt(row, cropColumn)) &&
        cropAlloc.FloatAt(row, cropColumn) == crop) {
      cropAlloc.First();
      cropAlloc.MoveBy(row);
      return;
    }
  }
  cropAlloc.Append();
  cropAlloc.FieldAt(enterprise).SetAsString(enterpriseId);
  cropAlloc.FieldAt(cropColumn).SetAsInteger(crop);
  cropAlloc.Post();
}

std::string cropAllocationTitle(const MemTable& sheet, int row) {
  return "Allocate " + sheet.StringAt(row, sheet.FieldIndex("crop"));
}

void closeCropAllocation(Farm& farm, std::string_view enterpriseId) {
  MemTable& sheet = farm.enterpriseTable(enterpriseId);
  PostIfEditing(sheet);
  const int row = sheet.RecNo() - 1;
  if (row < 0 || row >= sheet.RecordCount()) throw Error(format("%s has no crop row", std::string(enterpriseId).c_str()));
  MemTable& cropAlloc = farm.table("memCropAlloc");
  findRow(enterpriseId, crops::cropOfRow(row), cropAlloc);
  double weights = 0;
  const int line = cropAlloc.RecNo() - 1;
  for (int column = kFirstCropAllocationColumn; column < cropAlloc.FieldCount(); ++column)
    weights += cropAlloc.FloatAt(line, column);
  cropAlloc.Edit();
  cropAlloc.FieldByName("Alloc").SetAsFloat(weights);
  cropAlloc.FieldByName("Dollars").SetValue(sheet.ValueAt(row, crops::kTotalValue));
  PostIfEditing(cropAlloc);
}

}  // namespace rb
