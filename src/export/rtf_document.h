#pragma once
// A report as one RTF document: each text in a frame placed on its page,
// rules as drawing objects, a page break between pages.
#include <string>

#include "reports/report_document.h"

namespace rb::report {

std::string rtfText(const Document& document);
// Throws rb::Error naming the file when it cannot be written.
void writeRtfDocument(const Document& document, const std::string& path);

}  // namespace rb::report
