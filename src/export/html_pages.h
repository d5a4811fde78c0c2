#pragma once
// A report as web pages, one file per page: every text absolutely placed in
// millimetres, rules as thin boxes, and "<<" and ">>" links between pages.
#include <string>
#include <vector>

#include "reports/report_document.h"

namespace rb::report {

enum class HtmlFlavour { Html, Xhtml };

// The names of the page files: stem-1.html, stem-2.html, ... (".xhtml" for XHTML).
std::vector<std::string> htmlPagePaths(const std::string& stem, std::size_t pageCount, HtmlFlavour flavour);
// The text of one page (0-based), linking to its neighbours by file name.
std::string htmlPage(const Document& document, std::size_t page, const std::vector<std::string>& fileNames,
                     HtmlFlavour flavour);
// Writes every page; returns the paths written. Throws rb::Error naming the
// file that cannot be written.
std::vector<std::string> writeHtmlPages(const Document& document, const std::string& stem, HtmlFlavour flavour);

}  // namespace rb::report
