#include "export/rtf_document.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "files/atomic_file.h"
#include "model/text_util.h"

namespace rb::report {
namespace {

int twips(double mm) { return static_cast<int>(std::lround(mm * 1440.0 / 25.4)); }

// ASCII as is with the control characters escaped, anything else as \uN?.
std::string rtfEscaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if (lead == '\\' || lead == '{' || lead == '}') out += '\\';
      if (lead >= 0x20) out += static_cast<char>(lead);
      ++i;
      continue;
    }
    std::uint32_t code = 0xFFFD;
    std::size_t length = 1;
    if (lead >= 0xF0) code = lead & 0x07, length = 4;
    else if (lead >= 0xE0) code = lead & 0x0F, length = 3;
    else if (lead >= 0xC0) code = lead & 0x1F, length = 2;
    if (i + length > text.size()) length = 1;
    for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    if (code > 0xFFFF) code = 0xFFFD;
    out += format("\\u%d?", static_cast<int>(static_cast<std::int16_t>(code)));
    i += length;
  }
  return out;
}

}  // namespace

std::string rtfText(const Document& document) {
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n";
  out += format("\\paperw%d\\paperh%d\\margl0\\margr0\\margt0\\margb0\n", twips(document.pageWidth),
                twips(document.pageHeight));
  for (std::size_t page = 0; page < document.pages.size(); ++page) {
    if (page > 0) out += "\\pard\\plain\\page\n";
    for (const LineItem& line : document.pages[page].lines) {
      const int x = twips(std::min(line.x1, line.x2)), y = twips(std::min(line.y1, line.y2));
      const int width = twips(std::abs(line.x2 - line.x1)), height = twips(std::abs(line.y2 - line.y1));
      out += format("{\\*\\do\\dobxpage\\dobypage\\dpline\\dpptx0\\dppty0\\dpptx%d\\dppty%d\\dpx%d\\dpy%d"
                    "\\dpxsize%d\\dpysize%d\\dplinew%d\\dplinecor0\\dplinecog0\\dplinecob0\\dplinesolid}\n",
                    width, height, x, y, width, height, twips(line.weight));
    }
    for (const TextItem& item : document.pages[page].texts) {
      if (item.text.empty()) continue;
      const char* align = item.align == Align::Right ? "\\qr" : item.align == Align::Center ? "\\qc" : "\\ql";
      out += format("{\\pard\\plain\\pvpg\\phpg\\posx%d\\posy%d\\absw%d\\absh-%d%s\\f0\\fs%d%s%s ", twips(item.x),
                    twips(item.y), twips(item.width), twips(item.height), align,
                    static_cast<int>(std::lround(item.font.size * 2)), item.font.bold ? "\\b" : "",
                    item.font.italic ? "\\i" : "");
      out += rtfEscaped(item.text) + "\\par}\n";
    }
  }
  out += "}\n";
  return out;
}

void writeRtfDocument(const Document& document, const std::string& path) {
  writeFileAtomically(path, rtfText(document));
}

}  // namespace rb::report
