#pragma once
// Farm-file text: the program works in UTF-8; files are read as UTF-8 when
// their bytes are valid UTF-8, else as Windows-1252 (files of older versions),
// and written as Windows-1252 when every character fits, else as UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace rb {

bool isValidUtf8(std::string_view bytes);
bool isAscii(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
// nullopt when a character has no Windows-1252 byte.
std::optional<std::string> utf8ToWindows1252(std::string_view text);

// The bytes of a file: decoded to the program's UTF-8 text.
std::string decodeFileText(std::string_view bytes);
// The text as the bytes a file stores. Windows-1252 is chosen only when its
// bytes could not be mistaken for UTF-8 on reading, so a file written and read
// back always yields the same text.
std::string encodeFileText(std::string_view text);

}  // namespace rb
