#include "export/html_pages.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "files/atomic_file.h"
#include "model/text_util.h"

namespace rb::report {
namespace {

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string mm(double value) { return format("%.2fmm", value); }

const char* alignName(Align align) {
  return align == Align::Right ? "right" : align == Align::Center ? "center" : "left";
}

std::string pageLinks(std::size_t page, const std::vector<std::string>& fileNames) {
  std::string links = "<p class=\"nav\">";
  if (page > 0) links += "<a href=\"" + escaped(fileNames[page - 1]) + "\">&lt;&lt;</a> ";
  links += format("Page %zu of %zu", page + 1, fileNames.size());
  if (page + 1 < fileNames.size()) links += " <a href=\"" + escaped(fileNames[page + 1]) + "\">&gt;&gt;</a>";
  return links + "</p>\n";
}

}  // namespace

std::vector<std::string> htmlPagePaths(const std::string& stem, std::size_t pageCount, HtmlFlavour flavour) {
  const char* extension = flavour == HtmlFlavour::Xhtml ? ".xhtml" : ".html";
  std::vector<std::string> paths;
  for (std::size_t i = 1; i <= pageCount; ++i) paths.push_back(stem + "-" + std::to_string(i) + extension);
  return paths;
}

std::string htmlPage(const Document& document, std::size_t page, const std::vector<std::string>& fileNames,
                     HtmlFlavour flavour) {
  const bool xhtml = flavour == HtmlFlavour::Xhtml;
  std::string out;
  if (xhtml) {
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
           "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"application/xhtml+xml; charset=UTF-8\" />\n";
  } else {
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"UTF-8\">\n";
  }
  out += "<title>" + escaped(document.title) + format(" - page %zu", page + 1) + "</title>\n";
  out += "<style type=\"text/css\">\n"
         "body { background: #eee; font-family: Arial, 'Liberation Sans', Helvetica, sans-serif; }\n"
         ".nav { text-align: center; font-size: 10pt; }\n"
         ".page { position: relative; margin: 0 auto; background: #fff; width: " +
         mm(document.pageWidth) + "; height: " + mm(document.pageHeight) +
         "; }\n"
         ".page div { position: absolute; white-space: pre; overflow: visible; }\n"
         ".page div.rule { border-top: solid #000; height: 0; }\n"
         "</style>\n</head>\n<body>\n";
  out += pageLinks(page, fileNames);
  out += "<div class=\"page\">\n";
  const Page& content = document.pages.at(page);
  for (const LineItem& line : content.lines) {
    const double left = std::min(line.x1, line.x2), top = std::min(line.y1, line.y2);
    out += "<div class=\"rule\" style=\"left: " + mm(left) + "; top: " + mm(top) + "; width: " +
           mm(std::abs(line.x2 - line.x1)) + "; border-top-width: " + mm(line.weight) + ";\"></div>\n";
  }
  for (const TextItem& item : content.texts) {
    if (item.text.empty()) continue;
    std::string style = "left: " + mm(item.x) + "; top: " + mm(item.y) + "; width: " + mm(item.width) +
                        "; font-size: " + format("%.1fpt", item.font.size) + "; text-align: " + alignName(item.align) +
                        ";";
    if (item.font.bold) style += " font-weight: bold;";
    if (item.font.italic) style += " font-style: italic;";
    out += "<div style=\"" + style + "\">" + escaped(item.text) + "</div>\n";
  }
  out += "</div>\n";
  out += pageLinks(page, fileNames);
  out += "</body>\n</html>\n";
  return out;
}

std::vector<std::string> writeHtmlPages(const Document& document, const std::string& stem, HtmlFlavour flavour) {
  const std::vector<std::string> paths = htmlPagePaths(stem, document.pages.size(), flavour);
  std::vector<std::string> names;
  for (const std::string& path : paths) names.push_back(std::filesystem::path(path).filename().string());
  for (std::size_t page = 0; page < paths.size(); ++page)
    writeFileAtomically(paths[page], htmlPage(document, page, names, flavour));
  return paths;
}

}  // namespace rb::report
