#include "files/text_codec.h"

#include <array>
#include <cstdint>

namespace rb {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned bytes map to the C1
// control characters of the same number, as the platform's converter does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when invalid.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

bool isAscii(std::string_view bytes) {
  for (char b : bytes)
    if (static_cast<unsigned char>(b) >= 0x80) return false;
  return true;
}

bool isValidUtf8(std::string_view bytes) {
  char32_t c = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = decodeUtf8(bytes, i, c);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte < 0x80) {
      out += b;
    } else if (byte < 0xA0) {
      appendUtf8(out, kHighControls[byte - 0x80]);
    } else {
      appendUtf8(out, byte);
    }
  }
  return out;
}

std::optional<std::string> utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = decodeUtf8(text, i, c);
    if (length == 0) return std::nullopt;
    i += length;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    bool found = false;
    for (std::size_t k = 0; k < kHighControls.size(); ++k) {
      if (kHighControls[k] == c) {
        out += static_cast<char>(0x80 + k);
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  return out;
}

std::string decodeFileText(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  return windows1252ToUtf8(bytes);
}

std::string encodeFileText(std::string_view text) {
  if (isAscii(text)) return std::string(text);
  if (auto narrow = utf8ToWindows1252(text); narrow && !isValidUtf8(*narrow)) return *narrow;
  return std::string(text);
}

}  // namespace rb
