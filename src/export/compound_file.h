#pragma once
// An OLE2 compound file (version 3, 512-byte sectors) holding one stream,
// the container an .xls workbook lives in.
#include <string>
#include <string_view>

namespace rb::report {

// The bytes of a compound file whose only stream is `name` with `content`.
// Streams shorter than 4096 bytes are padded with zeros to that size so that
// they live in ordinary sectors rather than the mini stream.
std::string compoundFileWithStream(std::string_view name, std::string content);

}  // namespace rb::report
