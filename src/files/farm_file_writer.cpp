#include "files/farm_file_writer.h"

#include "files/atomic_file.h"
#include "files/text_codec.h"
#include "model/farm_data_sets.h"
#include "model/text_util.h"

namespace rb {

namespace {

// True when `rest`, the text after an "&", is "amp;" any number of times and
// then "lt;": the spellings the writer's escapes produce.
bool continuesAnEscape(std::string_view rest) {
  while (rest.starts_with("amp;")) rest.remove_prefix(4);
  return rest.starts_with("lt;");
}

}  // namespace

std::string escapeFileText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<') {
      out += "&lt;";
    } else if (text[i] == '&' && continuesAnEscape(text.substr(i + 1))) {
      out += "&amp;";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string unescapeFileText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("&lt;")) {
      out += '<';
      i += 4;
    } else if (rest.starts_with("&amp;") && continuesAnEscape(rest.substr(5))) {
      out += '&';
      i += 5;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string prologLine() { return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"; }

std::string rootStartLine(std::string_view type) {
  return format("<COPDATASETS TYPE=\"%s\" VERSION=\"%s\">\r\n", std::string(type).c_str(), kFarmFileVersion);
}

std::string rootEndLine() { return "</COPDATASETS>\r\n"; }

std::string dataSetLine(std::string_view name, std::string_view attributes, int rowCount, int columnCount) {
  return format("\t<DATASET NAME=\"%s\" %s ROWCOUNT=\"%d\" COLCOUNT=\"%d\">\r\n", escapeFileText(name).c_str(),
                std::string(attributes).c_str(), rowCount, columnCount);
}

std::string columnLine(std::string_view name, std::string_view type, int length) {
  return format("\t\t\t<COLDESC NAME=\"%s\" TYPE=\"%s\" LENGTH=\"%d\"/>\r\n", std::string(name).c_str(),
                std::string(type).c_str(), length);
}

namespace {

// A column's LENGTH: the text length, 0 for other types, but always 20 for a
// column whose name speaks of the fiscal year.
int lengthOf(const Field& field) {
  if (containsText(field.FieldName(), "fiscal")) return 20;
  return field.DataType() == FieldType::String ? field.Size() : 0;
}

}  // namespace

void WriteDataSet(MemTable& table, std::string_view name, std::string& out) {
  ControlsDisabled quiet(table);
  table.First();  // posts a pending edit, as leaving the row in a grid would
  const int rowCount = equalsNoCase(table.Name(), "memInfo") ? 1 : table.RecordCount();
  out += dataSetLine(name, "attributes", rowCount, table.FieldCount());
  out += "\t\t<HEADER>\r\n";
  for (int i = 0; i < table.FieldCount(); ++i) {
    const Field& field = table.FieldAt(i);
    out += columnLine(field.FieldName(), typeName(field.DataType()), lengthOf(field));
  }
  out += "\t\t</HEADER>\r\n";
  for (int row = 0; row < table.RecordCount(); ++row) {
    out += "\t\t<ROW>\r\n";
    for (int column = 0; column < table.FieldCount(); ++column) {
      out += "\t\t\t<COL>";
      out += escapeFileText(table.StringAt(row, column));
      out += "</COL>\r\n";
    }
    out += "\t\t</ROW>\r\n";
  }
  out += "\t</DATASET>\r\n";
  table.Last();
  table.Next();
}

std::string dataSetNameOf(Farm& farm, const MemTable& table) {
  for (const WholeFarmTable& entry : wholeFarmTables())
    if (equalsNoCase(entry.table, table.Name())) return entry.dataSet;
  if (equalsNoCase(table.Name(), "memInfo")) return "Information";
  if (equalsNoCase(table.Name(), "memMaster")) return "Master";
  for (const EnterpriseRow& row : farm.enterprises())
    if (equalsNoCase("mem" + row.id, table.Name())) return row.label;
  return table.Name();
}

std::string farmFileText(Farm& farm) {
  std::string out;
  out += prologLine();
  out += rootStartLine(kFarmFileType);
  WriteDataSet(farm.info(), "Information", out);
  WriteDataSet(farm.master(), "Master", out);
  // Revenue and expenses are stored in the order the lines were entered,
  // whatever column the user last sorted them by.
  for (const char* ledger : {"memRevenue", "memExpenses"}) {
    MemTable& table = farm.table(ledger);
    PostIfEditing(table);
    table.SortOnFields("", true, false);
  }
  for (const WholeFarmTable& entry : wholeFarmTables()) WriteDataSet(farm.table(entry.table), entry.dataSet, out);
  for (const EnterpriseRow& row : farm.enterprises()) WriteDataSet(farm.enterpriseTable(row.id), row.label, out);
  out += rootEndLine();
  return out;
}

void SaveFarmFile(Farm& farm, const std::string& path) {
  writeFileAtomically(path, encodeFileText(farmFileText(farm)));
}

}  // namespace rb
