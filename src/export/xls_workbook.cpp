#include "export/xls_workbook.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <tuple>

#include "export/compound_file.h"
#include "export/spreadsheet_grid.h"
#include "files/atomic_file.h"

namespace rb::report {
namespace {

// Record numbers of the BIFF8 records written here.
enum Record : std::uint16_t {
  kBof = 0x0809,
  kEof = 0x000A,
  kCodePage = 0x0042,
  kWindow1 = 0x003D,
  kFont = 0x0031,
  kFormat = 0x041E,
  kXf = 0x00E0,
  kStyle = 0x0293,
  kBoundSheet = 0x0085,
  kSst = 0x00FC,
  kContinue = 0x003C,
  kDimensions = 0x0200,
  kWindow2 = 0x023E,
  kNumber = 0x0203,
  kLabelSst = 0x00FD,
};
constexpr std::size_t kMaxRecordData = 8224;

class Bytes {
 public:
  void u8(unsigned value) { data_ += static_cast<char>(value & 0xFF); }
  void u16(unsigned value) { u8(value); u8(value >> 8); }
  void u32(std::uint32_t value) { u16(value & 0xFFFF); u16(value >> 16); }
  void f64(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    u32(static_cast<std::uint32_t>(bits));
    u32(static_cast<std::uint32_t>(bits >> 32));
  }
  void raw(const std::string& bytes) { data_ += bytes; }
  const std::string& str() const { return data_; }
  std::size_t size() const { return data_.size(); }

 private:
  std::string data_;
};

// UTF-8 to the UTF-16 code units a BIFF8 string stores.
std::u16string utf16Of(const std::string& text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::uint32_t code = lead;
    std::size_t length = 1;
    if (lead >= 0xF0) code = lead & 0x07, length = 4;
    else if (lead >= 0xE0) code = lead & 0x0F, length = 3;
    else if (lead >= 0xC0) code = lead & 0x1F, length = 2;
    if (i + length > text.size()) length = 1, code = 0xFFFD;
    for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

void record(Bytes& stream, std::uint16_t type, const Bytes& data) {
  stream.u16(type);
  stream.u16(static_cast<unsigned>(data.size()));
  stream.raw(data.str());
}

// A string of the shared-string table: 16-bit length, the UTF-16 flag, the
// characters (at most 255 are kept; a report text is never longer).
std::string sstString(const std::string& text) {
  std::u16string chars = utf16Of(text);
  if (chars.size() > 255) chars.resize(255);
  Bytes bytes;
  bytes.u16(static_cast<unsigned>(chars.size()));
  bytes.u8(1);
  for (char16_t c : chars) bytes.u16(c);
  return bytes.str();
}

// The shared strings, in SST and CONTINUE records of at most 8224 bytes; a
// string is never split: one that does not fit opens the next record.
void sharedStrings(Bytes& stream, const std::vector<std::string>& strings, std::uint32_t references) {
  Bytes current;
  current.u32(references);
  current.u32(static_cast<std::uint32_t>(strings.size()));
  std::uint16_t type = kSst;
  for (const std::string& text : strings) {
    const std::string encoded = sstString(text);
    if (current.size() + encoded.size() > kMaxRecordData) {
      record(stream, type, current);
      current = Bytes();
      type = kContinue;
    }
    current.raw(encoded);
  }
  record(stream, type, current);
}

struct CellStyle {
  int font = 0;
  int format = 0;
  int align = 0;  // 0 general, 1 left, 2 centre, 3 right
  bool operator<(const CellStyle& other) const {
    return std::tie(font, format, align) < std::tie(other.font, other.format, other.align);
  }
};

int alignCode(Align align) { return align == Align::Right ? 3 : align == Align::Center ? 2 : 1; }

// Built-in number formats need no FORMAT record: 1 is "0", 2 "0.00", 3 "#,##0".
int builtInFormat(const std::string& format) {
  if (format == "0") return 1;
  if (format == "0.00") return 2;
  if (format == "#,##0") return 3;
  return 0;
}

void fontRecord(Bytes& stream, const Font& font) {
  Bytes data;
  data.u16(static_cast<unsigned>(font.size * 20));
  data.u16(font.italic ? 0x0002 : 0);
  data.u16(0x7FFF);  // the window text colour
  data.u16(font.bold ? 700 : 400);
  data.u16(0);  // no super- or subscript
  data.u8(0);   // no underline
  data.u8(2);   // swiss family
  data.u8(0);   // ANSI character set
  data.u8(0);
  const std::string name = "Arial";
  data.u8(static_cast<unsigned>(name.size()));
  data.u8(0);  // one byte per character
  data.raw(name);
  record(stream, kFont, data);
}

void xfRecord(Bytes& stream, int font, int format, bool style, int align) {
  Bytes data;
  data.u16(static_cast<unsigned>(font));
  data.u16(static_cast<unsigned>(format));
  data.u16(style ? 0xFFF5 : 0x0001);  // locked; a style has no parent, a cell's parent is style 0
  data.u8(static_cast<unsigned>(align) | 0x20);  // vertically at the bottom
  data.u8(0);
  data.u8(0);
  data.u8(style ? 0 : 0xFC);  // a cell XF sets its own number format, font, alignment, border, pattern
  data.u32(0);  // no borders
  data.u32(0);
  data.u16(0x20C0);  // default pattern colours
  record(stream, kXf, data);
}

}  // namespace

std::string xlsWorkbookBytes(const Document& document, const std::string& sheetName) {
  const std::vector<SpreadsheetCell> cells = spreadsheetCells(document);

  // Fonts: four regular Arial 10 (index 4 does not exist in the format), then
  // one per size and style the cells use.
  std::vector<Font> fonts(4, Font{});
  auto fontIndex = [&fonts](const Font& font) {
    for (std::size_t i = 0; i < fonts.size(); ++i)
      if (fonts[i] == font) return static_cast<int>(i < 4 ? i : i + 1);
    fonts.push_back(font);
    return static_cast<int>(fonts.size());  // the index after the skipped 4
  };
  std::map<CellStyle, int> styles;
  std::vector<CellStyle> styleList;
  std::vector<int> cellXf;
  for (const SpreadsheetCell& cell : cells) {
    const CellStyle style{fontIndex(cell.font), cell.number ? builtInFormat(cell.numberFormat) : 0,
                          alignCode(cell.align)};
    auto [it, added] = styles.emplace(style, static_cast<int>(16 + styleList.size()));
    if (added) styleList.push_back(style);
    cellXf.push_back(it->second);
  }
  std::vector<std::string> strings;
  std::map<std::string, std::uint32_t> stringIndex;
  std::uint32_t references = 0;
  std::vector<std::uint32_t> cellString(cells.size(), 0);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].number) continue;
    auto [it, added] = stringIndex.emplace(cells[i].text, static_cast<std::uint32_t>(strings.size()));
    if (added) strings.push_back(cells[i].text);
    cellString[i] = it->second;
    ++references;
  }

  Bytes globals;
  auto bof = [](Bytes& stream, unsigned type) {
    Bytes data;
    data.u16(0x0600);  // BIFF8
    data.u16(type);
    data.u16(0x0DBB);
    data.u16(0x07CC);
    data.u32(0);
    data.u32(6);
    record(stream, kBof, data);
  };
  bof(globals, 0x0005);
  {
    Bytes data;
    data.u16(1200);  // strings are UTF-16
    record(globals, kCodePage, data);
  }
  {
    Bytes data;
    for (unsigned value : {0u, 0u, 0x3000u, 0x2000u, 0x0038u, 0u, 0u, 1u, 0x0258u}) data.u16(value);
    record(globals, kWindow1, data);
  }
  for (const Font& font : fonts) fontRecord(globals, font);
  for (int i = 0; i < 15; ++i) xfRecord(globals, 0, 0, true, 0);
  xfRecord(globals, 0, 0, false, 0);
  for (const CellStyle& style : styleList) xfRecord(globals, style.font, style.format, false, style.align);
  {
    Bytes data;
    data.u16(0x8000);  // built-in style "Normal" on XF 0
    data.u8(0);
    data.u8(0xFF);
    record(globals, kStyle, data);
  }
  const std::size_t boundSheetAt = globals.size();
  std::u16string name = utf16Of(sheetName.empty() ? std::string("Report") : sheetName);
  if (name.size() > 31) name.resize(31);
  {
    Bytes data;
    data.u32(0);  // the sheet's offset, filled in below
    data.u8(0);
    data.u8(0);
    data.u8(static_cast<unsigned>(name.size()));
    data.u8(1);
    for (char16_t c : name) data.u16(c);
    record(globals, kBoundSheet, data);
  }
  sharedStrings(globals, strings, references);
  record(globals, kEof, Bytes());

  Bytes sheet;
  bof(sheet, 0x0010);
  {
    int lastRow = -1, lastColumn = -1;
    for (const SpreadsheetCell& cell : cells) {
      lastRow = std::max(lastRow, cell.row);
      lastColumn = std::max(lastColumn, cell.column);
    }
    Bytes data;
    data.u32(0);
    data.u32(static_cast<std::uint32_t>(lastRow + 1));
    data.u16(0);
    data.u16(static_cast<unsigned>(lastColumn + 1));
    data.u16(0);
    record(sheet, kDimensions, data);
  }
  {
    Bytes data;
    data.u16(0x06B6);  // gridlines, headings, zeros, selected sheet
    data.u16(0);
    data.u16(0);
    data.u32(0x40);
    data.u16(0);
    data.u16(0);
    data.u32(0);
    record(sheet, kWindow2, data);
  }
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const SpreadsheetCell& cell = cells[i];
    Bytes data;
    data.u16(static_cast<unsigned>(cell.row));
    data.u16(static_cast<unsigned>(cell.column));
    data.u16(static_cast<unsigned>(cellXf[i]));
    if (cell.number) {
      data.f64(*cell.number);
      record(sheet, kNumber, data);
    } else {
      data.u32(cellString[i]);
      record(sheet, kLabelSst, data);
    }
  }
  record(sheet, kEof, Bytes());

  std::string stream = globals.str();
  const auto sheetOffset = static_cast<std::uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i)
    stream[boundSheetAt + 4 + static_cast<std::size_t>(i)] = static_cast<char>((sheetOffset >> (8 * i)) & 0xFF);
  stream += sheet.str();
  return compoundFileWithStream("Workbook", std::move(stream));
}

void writeXlsWorkbook(const Document& document, const std::string& path) {
  writeFileAtomically(path, xlsWorkbookBytes(document, document.title));
}

}  // namespace rb::report
