#pragma once
// The whole farm as one tab-delimited text file for a spreadsheet: three
// opening lines, then one section per ledger, farm-wide table and shown
// enterprise worksheet that holds rows. Lines end in CR LF.
#include <string>

#include "model/farm_data_sets.h"
#include "model/fiscal_date.h"

namespace rb {

struct TextExportHeading {
  std::string filePath;   // the farm file shown in the status bar ("FILE: " + path)
  CalendarDate producedOn = today();
};

// The text of the export, in the program's UTF-8.
std::string textExport(const Farm& farm, const TextExportHeading& heading);
// Writes it to `path` (Windows-1252 when every character fits, else UTF-8).
// Throws rb::Error "Could not open File "path". Bad name, or in use by
// another application." when the file cannot be written.
void ExportTextFile(const Farm& farm, const TextExportHeading& heading, const std::string& path);

}  // namespace rb
