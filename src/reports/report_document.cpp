#include "reports/report_document.h"

#include <array>

namespace rb::report {
namespace {

// Advance widths in thousandths of the em for the printable ASCII characters
// 32 to 126, regular and bold.
constexpr std::array<short, 95> kRegular = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ to O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P to _
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` to o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p to ~
constexpr std::array<short, 95> kBold = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
constexpr double kMmPerPoint = 25.4 / 72.0;

}  // namespace

double ArialMeasurer::widthMm(std::string_view text, const Font& font) const {
  const auto& widths = font.bold ? kBold : kRegular;
  double thousandths = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 32 && byte <= 126) {
      thousandths += widths[byte - 32];
    } else if (byte >= 0xC0 || byte < 0x80) {
      thousandths += 556;  // a character outside ASCII, counted once at its lead byte
    }
  }
  return thousandths / 1000.0 * font.size * kMmPerPoint;
}

const TextMeasurer& defaultMeasurer() {
  static const ArialMeasurer measurer;
  return measurer;
}

double lineHeightMm(double pointSize) { return pointSize * kMmPerPoint * 1.15; }

namespace {

void wrapParagraph(std::string_view text, double width, const Font& font, const TextMeasurer& measurer,
                   std::vector<std::string>& lines) {
  std::string line;
  std::size_t position = 0;
  while (position < text.size()) {
    // The next word with the blanks before it.
    std::size_t end = position;
    while (end < text.size() && text[end] == ' ') ++end;
    while (end < text.size() && text[end] != ' ') ++end;
    std::string_view piece = text.substr(position, end - position);
    if (measurer.widthMm(line + std::string(piece), font) <= width || line.empty()) {
      line += piece;
    } else {
      lines.push_back(line);
      const std::size_t wordStart = piece.find_first_not_of(' ');
      line = wordStart == std::string_view::npos ? "" : std::string(piece.substr(wordStart));
    }
    // A single word wider than the line is cut where it no longer fits.
    while (measurer.widthMm(line, font) > width && line.size() > 1) {
      std::size_t cut = line.size() - 1;
      while (cut > 1 && measurer.widthMm(line.substr(0, cut), font) > width) --cut;
      while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;  // keep characters whole
      lines.push_back(line.substr(0, cut));
      line.erase(0, cut);
    }
    position = end;
  }
  lines.push_back(line);
}

}  // namespace

std::vector<std::string> wrapText(std::string_view text, double width, const Font& font,
                                  const TextMeasurer& measurer) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find('\n', start);
    std::string_view paragraph = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    wrapParagraph(paragraph, width, font, measurer, lines);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace rb::report
