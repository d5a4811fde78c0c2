#pragma once
// A report laid out once for every output device: pages of positioned items
// measured in millimetres from the top-left corner of a letter-size sheet.
// Devices only draw what is here; none of them lays anything out again.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb::report {

inline constexpr double kLetterWidthMm = 215.9;
inline constexpr double kLetterHeightMm = 279.4;

enum class Align { Left, Center, Right };

// Every report is set in Arial; only size and style vary.
struct Font {
  double size = 10;  // points
  bool bold = false;
  bool italic = false;
  bool operator==(const Font&) const = default;
};

// A text in its box. Figures keep their number beside the formatted text, so
// a spreadsheet gets a cell a user can compute with.
struct TextItem {
  double x = 0, y = 0, width = 0, height = 0;
  std::string text;
  Font font;
  Align align = Align::Left;
  std::optional<double> number;
  std::string numberFormat;  // the spreadsheet format of the number: "#,##0", "0.00", "0"
};

struct LineItem {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double weight = 0.25;  // mm
};

struct Page {
  std::vector<TextItem> texts;
  std::vector<LineItem> lines;
};

struct Document {
  std::string title;
  double pageWidth = kLetterWidthMm;
  double pageHeight = kLetterHeightMm;
  std::vector<Page> pages;
};

// Width of a text as the output devices will draw it. The core measures with
// the font's own advance widths; the Qt side can pass real font metrics.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual double widthMm(std::string_view text, const Font& font) const = 0;
};

// Arial's advance widths (Liberation Sans shares them), so a layout made
// without a display matches what the painter draws.
class ArialMeasurer final : public TextMeasurer {
 public:
  double widthMm(std::string_view text, const Font& font) const override;
};
const TextMeasurer& defaultMeasurer();

// Height of one line of text of a font size, in mm.
double lineHeightMm(double pointSize);

// Breaks text into lines no wider than `width`, at blanks where it can and
// inside a word only when the word alone is too wide. Line breaks in the text
// are kept; an empty text gives one empty line.
std::vector<std::string> wrapText(std::string_view text, double width, const Font& font,
                                  const TextMeasurer& measurer);

}  // namespace rb::report
