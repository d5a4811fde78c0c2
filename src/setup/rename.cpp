#include "setup/rename.h"

#include "model/farm_data_sets.h"
#include "model/text_util.h"

namespace rb {

namespace {

bool isAftermath(std::string_view id) { return equalsNoCase(trimmed(id), "aftermath1"); }

// Registry columns that renaming writes back: all from the fourth on, except
// the id itself, which never changes.
bool renamedColumn(const MemTable& master, int column) {
  return column >= 3 && !equalsNoCase(master.FieldAt(column).FieldName(), "enterprise");
}

}  // namespace

void buildRenameRows(const Farm& farm, MemTable& rename) {
  rename.Close();
  rename.ClearFieldDefs();
  rename.AddFieldDef("enterprise", FieldType::String, 25);
  rename.AddFieldDef("enterpriseLabel", FieldType::String, 12);
  for (int k = 1; k <= kMaxCrops; ++k) rename.AddFieldDef("crop" + std::to_string(k), FieldType::String, 12);
  for (const char* hidden : {"identity", "EnterpriseType", "enterpriseIndex", "cropcount"})
    rename.AddFieldDef(hidden, FieldType::Integer);
  rename.CreateColumns();
  rename.Open();

  const MemTable& master = farm.master();
  const int idColumn = master.FieldIndex("enterprise");
  for (int row = 0; row < master.RecordCount(); ++row) {
    if (idColumn >= 0 && isAftermath(master.StringAt(row, idColumn))) continue;
    rename.Append();
    for (int column = 0; column < master.FieldCount(); ++column)
      if (Field* field = rename.FindField(master.FieldAt(column).FieldName()))
        field->SetValue(master.ValueAt(row, column));
    rename.Post();
  }
  rename.First();
}

bool renameCellEditable(int gridColumn, int cropCount) {
  if (gridColumn == 2) return true;
  return gridColumn >= 3 && gridColumn <= 2 + kMaxCrops && gridColumn - 2 <= cropCount;
}

void applyRename(Farm& farm, const MemTable& rename) {
  MemTable& master = farm.master();
  const int idColumn = master.FieldIndex("enterprise");
  {
    ProgramUpdate busy(farm);
    ControlsDisabled quiet(master);
    PostIfEditing(master);
    int working = 0;
    for (int row = 0; row < master.RecordCount() && working < rename.RecordCount(); ++row) {
      if (idColumn >= 0 && isAftermath(master.StringAt(row, idColumn))) continue;
      master.First();
      master.MoveBy(row);
      master.Edit();
      for (int column = 0; column < master.FieldCount(); ++column) {
        if (!renamedColumn(master, column)) continue;
        Field& field = master.FieldAt(column);
        const int source = rename.FieldIndex(field.FieldName());
        if (source >= 0) field.SetValue(rename.ValueAt(working, source));
      }
      master.Post();
      ++working;
    }
  }
  spreadLabels(farm);
}

LabelPropagation labelPropagation(const Farm& farm) {
  LabelPropagation spread;
  const std::vector<EnterpriseRow> rows = farm.enterprises();
  for (const EnterpriseRow& row : rows) {
    for (const LedgerInfo& ledger : ledgerTables())
      if (farm.table(ledger.table).FieldIndex(row.id) >= 0) spread.titles.push_back({ledger.table, row.id, row.label});
    if (row.kind == kCowCalf || row.kind == kFeeders) {
      for (const EnterpriseRow& grazing : rows)
        if ((grazing.kind == kPasture || grazing.kind == kAftermath) &&
            farm.table("mem" + grazing.id).FieldIndex(row.id) >= 0)
          spread.titles.push_back({"mem" + grazing.id, row.id, row.label});
    }
    spread.pages.push_back({row.id, row.label});
  }
  return spread;
}

void spreadLabels(Farm& farm) {
  farm.refillLabelTable();
  const LabelPropagation spread = labelPropagation(farm);
  for (const LabelPropagation::Title& title : spread.titles)
    farm.table(title.table).FieldByName(title.column).SetDisplayLabel(title.title);
  if (FarmView* view = farm.view())
    for (const EnterpriseRow& row : farm.enterprises()) view->showEnterprisePage(row);
  // Other enterprises' columns on the grazing sheets carry labels too.
  farm.applyGrazingTitles();
  farm.applyLedgerTitles();
}

std::optional<CalendarDate> detailsPickerDate(std::string_view fiscalYearEnd) {
  if (fiscalYearEnd.size() <= 6) return std::nullopt;
  return ParseFiscalDate(fiscalYearEnd);
}

void saveFarmDetails(Farm& farm, const CalendarDate& yearEnd) {
  MemTable& info = farm.info();
  PostIfEditing(info);
  info.First();
  info.Edit();
  info.FieldByName("fiscalyearend").SetAsString(isValidDate(yearEnd.year, yearEnd.month, yearEnd.day)
                                                    ? formatFiscalDate(yearEnd)
                                                    : std::string());
  info.Post();
}

}  // namespace rb
