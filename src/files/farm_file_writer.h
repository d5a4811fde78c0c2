#pragma once
// The farm-file writer: a fixed template, line by line, CR LF line ends and
// TAB indentation, every data set of the farm in a fixed order.
#include <string>
#include <string_view>

namespace rb {

class Farm;
class MemTable;

inline constexpr const char* kFarmFileVersion = "v3.02";
inline constexpr const char* kFarmFileType = "COPDATA";
inline constexpr const char* kConfigFileType = "COPCONFIG";

// Texts are stored as they are, but "<" becomes "&lt;" so that no value or
// data-set name can end an element early; the reader turns it back. So that a
// typed "&lt;" is not read back as "<", an "&" that begins "&lt;" or
// "&amp;...lt;" is stored as "&amp;"; every other "&" is left alone.
std::string escapeFileText(std::string_view text);
std::string unescapeFileText(std::string_view text);

std::string prologLine();
std::string rootStartLine(std::string_view type);
std::string rootEndLine();
// `attributes` is the bare word of the data-set line: "attributes" in a farm
// file, "attributes=none" in a configuration file.
std::string dataSetLine(std::string_view name, std::string_view attributes, int rowCount, int columnCount);
std::string columnLine(std::string_view name, std::string_view type, int length);

// Appends one data set to `out`; the table's cursor is left at its end.
void WriteDataSet(MemTable& table, std::string_view name, std::string& out);

// The whole farm file as text (before encoding).
std::string farmFileText(Farm& farm);
// Writes the farm to path atomically; throws rb::Error naming the file.
void SaveFarmFile(Farm& farm, const std::string& path);

// The data-set name an enterprise table or a fixed table is stored under.
std::string dataSetNameOf(Farm& farm, const MemTable& table);

}  // namespace rb
