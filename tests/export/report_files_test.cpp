// The file devices of the reports: XLSX packages, HTML and XHTML pages that
// link to each other, RTF documents, and the dispatch by format.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <regex>

#include "export/html_pages.h"
#include "export/rtf_document.h"
#include "export/xlsx_workbook.h"
#include "reports/report_fixtures.h"
#include "reports/report_output.h"
#include "support/farm_fixtures.h"

namespace rb::report {
namespace {

Document threePageDocument() {
  Document document;
  document.title = "Enterprise Analysis Report";
  for (int page = 1; page <= 3; ++page) {
    Page content;
    content.texts.push_back({20, 20, 60, 4, "Page <" + std::to_string(page) + "> & \"more\"", Font{12, true, false},
                             Align::Left, std::nullopt, ""});
    content.texts.push_back({100, 30, 20, 4, "1,234", Font{}, Align::Right, 1234.25, "#,##0"});
    content.texts.push_back({30, 30, 40, 4, "     Transfers out", Font{10, false, true}, Align::Left, std::nullopt, ""});
    content.lines.push_back({20, 35, 120, 35, 0.25});
    document.pages.push_back(content);
  }
  return document;
}

std::uint32_t le32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}
std::uint16_t le16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// The names in a zip package's central directory, after checking that the
// end record, the directory entries and the local headers agree.
std::vector<std::string> zipEntries(const std::string& bytes) {
  const std::size_t end = bytes.rfind(std::string("PK\x05\x06", 4));
  EXPECT_NE(end, std::string::npos);
  if (end == std::string::npos) return {};
  const std::uint16_t count = le16(bytes, end + 10);
  std::size_t at = le32(bytes, end + 16);
  std::vector<std::string> names;
  for (std::uint16_t i = 0; i < count; ++i) {
    EXPECT_EQ(bytes.compare(at, 4, std::string("PK\x01\x02", 4)), 0);
    const std::uint16_t nameLength = le16(bytes, at + 28), extra = le16(bytes, at + 30), comment = le16(bytes, at + 32);
    const std::uint32_t local = le32(bytes, at + 42);
    EXPECT_EQ(bytes.compare(local, 4, std::string("PK\x03\x04", 4)), 0);
    names.push_back(bytes.substr(at + 46, nameLength));
    at += 46u + nameLength + extra + comment;
  }
  EXPECT_EQ(at, end);
  return names;
}

TEST(XlsxWorkbook, IsAZipPackageWithTheWorkbookParts) {
  const std::string path = testing::temporaryPath("report.xlsx");
  EXPECT_EQ(writeReportDocument(threePageDocument(), ReportFormat::Xlsx, path), std::vector<std::string>{path});
  const std::vector<std::string> names = zipEntries(testing::readFile(path));
  for (const char* part : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                           "xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/sharedStrings.xml"})
    EXPECT_NE(std::find(names.begin(), names.end(), part), names.end()) << part;
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

  const std::string missing = testing::temporaryPath("no-folder/report.xlsx");
  try {
    writeXlsxWorkbook(threePageDocument(), missing);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
  }
}

TEST(HtmlPages, OneFilePerPageLinkedWithPreviousAndNext) {
  for (const auto flavour : {ReportFormat::Html, ReportFormat::Xhtml}) {
    const std::string extension = flavour == ReportFormat::Html ? ".html" : ".xhtml";
    const std::string stem = testing::temporaryPath("pages" + extension.substr(1));
    const std::vector<std::string> paths = writeReportDocument(threePageDocument(), flavour, stem);
    ASSERT_EQ(paths, (std::vector<std::string>{stem + "-1" + extension, stem + "-2" + extension,
                                               stem + "-3" + extension}));
    const std::string name = std::filesystem::path(stem).filename().string();
    const std::string first = testing::readFile(paths[0]);
    const std::string middle = testing::readFile(paths[1]);
    const std::string last = testing::readFile(paths[2]);
    const std::string next2 = "<a href=\"" + name + "-2" + extension + "\">&gt;&gt;</a>";
    const std::string back1 = "<a href=\"" + name + "-1" + extension + "\">&lt;&lt;</a>";
    const std::string next3 = "<a href=\"" + name + "-3" + extension + "\">&gt;&gt;</a>";
    const std::string back2 = "<a href=\"" + name + "-2" + extension + "\">&lt;&lt;</a>";
    EXPECT_NE(first.find(next2), std::string::npos);
    EXPECT_EQ(first.find("&lt;&lt;</a>"), std::string::npos);
    EXPECT_NE(middle.find(back1), std::string::npos);
    EXPECT_NE(middle.find(next3), std::string::npos);
    EXPECT_NE(last.find(back2), std::string::npos);
    EXPECT_EQ(last.find("&gt;&gt;</a>"), std::string::npos);
    // Texts escaped, blanks kept, figures and styles in place.
    EXPECT_NE(middle.find("Page &lt;2&gt; &amp; &quot;more&quot;"), std::string::npos);
    EXPECT_NE(middle.find(">     Transfers out</div>"), std::string::npos);
    EXPECT_NE(middle.find("text-align: right;\">1,234</div>"), std::string::npos);

    // Every element is closed in the order it was opened, as XHTML needs.
    for (const std::string& page : {first, middle, last}) {
      std::vector<std::string> open;
      const std::regex tag(R"(<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*?(/?)>)");
      for (auto it = std::sregex_iterator(page.begin(), page.end(), tag); it != std::sregex_iterator(); ++it) {
        const std::string tagName = (*it)[2];
        if ((*it)[3] == "/" || (flavour == ReportFormat::Html && tagName == "meta")) continue;
        if ((*it)[1] == "/") {
          ASSERT_FALSE(open.empty()) << tagName;
          EXPECT_EQ(open.back(), tagName);
          open.pop_back();
        } else {
          open.push_back(tagName);
        }
      }
      EXPECT_TRUE(open.empty());
    }
    if (flavour == ReportFormat::Xhtml) {
      EXPECT_TRUE(first.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
      EXPECT_NE(first.find("xmlns=\"http://www.w3.org/1999/xhtml\""), std::string::npos);
    }
  }
}

TEST(RtfDocument, PlacesEveryTextInAFrameWithPageBreaksBetweenPages) {
  const std::string path = testing::temporaryPath("report.rtf");
  writeReportDocument(threePageDocument(), ReportFormat::Rtf, path);
  const std::string text = testing::readFile(path);
  EXPECT_TRUE(text.starts_with("{\\rtf1\\ansi"));
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;  // an escaped brace does not count
      continue;
    }
    if (text[i] == '{') ++depth;
    if (text[i] == '}') --depth;
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);
  const std::regex pageBreak(R"(\\page\b)");
  EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), pageBreak), std::sregex_iterator()), 2);
  // 20 mm from the left and top of the sheet is 1134 twips.
  EXPECT_NE(text.find("\\posx1134\\posy1134"), std::string::npos);
  EXPECT_NE(rtfText(threePageDocument()).find("Page <1> & \"more\""), std::string::npos);

  Document braces;
  braces.pages.emplace_back();
  braces.pages[0].texts.push_back({10, 10, 50, 4, "a{b}c\\d é", Font{}, Align::Left, std::nullopt, ""});
  EXPECT_NE(rtfText(braces).find("a\\{b\\}c\\\\d \\u233?"), std::string::npos);
}

TEST(ReportOutput, FormatWordsAndPaintedFormatsWithoutAPainter) {
  for (const char* word : {"pdf", "png", "html", "xhtml", "rtf", "xlsx", "xls"}) {
    const auto format = reportFormatOfWord(word);
    ASSERT_TRUE(format) << word;
    EXPECT_EQ(reportFormatWord(*format), word);
  }
  EXPECT_FALSE(reportFormatOfWord("json"));
  EXPECT_FALSE(reportFormatOfWord("PDF"));
  EXPECT_TRUE(writesFilePerPage(ReportFormat::Png));
  EXPECT_FALSE(writesFilePerPage(ReportFormat::Pdf));
  // The core alone cannot paint: a clear failure, no file.
  const std::string path = testing::temporaryPath("nothing.pdf");
  EXPECT_THROW(writeReportDocument(threePageDocument(), ReportFormat::Pdf, path), Error);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace rb::report
