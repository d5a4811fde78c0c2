#pragma once
// The farm-file reader: a tolerant tag scanner, not an XML parser. Data sets
// are read strictly in the order the program expects and columns are matched
// by position. A load is a transaction: the file is read into copies of the
// tables, and the farm changes only when the whole file was read.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/mem_table.h"

namespace rb {

class Farm;

enum class TagKind { Declaration, Start, End, EmptyElement };

struct Tag {
  TagKind kind = TagKind::Start;
  std::string text;  // from "<" to ">" inclusive
  std::string name;  // upper-cased for comparison
};

class TagScanner {
 public:
  explicit TagScanner(std::string_view text) : text_(text) {}
  // The next tag, or nothing at the end of the text.
  std::optional<Tag> next();
  // The bytes after the current position up to the next "<", trimmed.
  std::string readValue();
  bool atEnd() const { return position_ >= text_.size(); }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

// The value of attribute `name` in a tag's text, as the attribute rules read
// it (quotes removed, no blanks or "/" in a value); nothing when missing.
std::optional<std::string> readAttribute(std::string_view tagText, std::string_view name);

struct RootInfo {
  std::string version;
  std::string type;
};
// Skips to the root start tag; nothing when the text has none.
std::optional<RootInfo> ReadRoot(TagScanner& scanner);

// Reads the next data set into the table; true when its end tag was reached.
// Throws rb::Error with the table's own message on a bad value or header.
bool ReadDataSet(TagScanner& scanner, MemTable& table);

// Loads a farm or configuration file into the farm's tables. On any failure
// the farm is exactly as before and the rb::Error names the file and the
// data set.
void LoadFarmFile(Farm& farm, const std::string& path);
// The same, from text already in memory (path is used in messages only).
void loadFarmText(Farm& farm, std::string_view bytes, const std::string& path);

// A load in two steps, so that the reading can run on another thread: the
// file is read into working copies of the tables it fills (copies of the
// `shape` farm's tables, which it only reads), and a farm changes only when
// the contents are applied to it. Applying replaces those tables with the
// copies: read against the farm itself, or against a fresh farm and applied
// to a fresh farm, the result is the farm a direct load gives.
struct FarmFileContents {
  std::vector<std::unique_ptr<MemTable>> tables;  // in the order read
};
FarmFileContents readFarmText(const Farm& shape, std::string_view bytes, const std::string& path);
FarmFileContents readFarmFile(const Farm& shape, const std::string& path);
void applyFarmFile(Farm& farm, FarmFileContents contents);

}  // namespace rb
