// repTransfers: the value each enterprise passed to the others, as a cross
// table of supplying rows and receiving columns with the total first.
#include <algorithm>
#include <map>

#include "model/text_util.h"
#include "reports/report_format.h"
#include "reports/report_layouts.h"
#include "reports/report_parts.h"

namespace rb::report {
namespace {

constexpr double kRow = 4.2;
constexpr double kLabelWidth = 38;
constexpr double kCellWidth = 23;
const Font kBody{10, false, false};
const Font kBold{10, true, false};
const Font kCaption{8, true, false};  // column captions: a 12-character label fits its column

// The caption a key shows: "000Total" as "Total", an enterprise key (its
// position in three digits and its id) as the enterprise's label.
std::string captionOf(const Farm& farm, const std::string& key) {
  if (key.empty() || key[0] != '0') return key;
  const std::string rest = key.size() > 3 ? key.substr(3) : "";
  return containsText(rest, "Total") ? rest : enterpriseLabelOf(farm, rest);
}

struct CrossTable {
  std::vector<std::string> rows, columns;                          // keys in ascending order
  std::map<std::pair<std::string, std::string>, double> cells;     // sum of value per pair
};

CrossTable crossTableOf(const MemTable& transfers) {
  CrossTable table;
  for (int row = 0; row < transfers.RecordCount(); ++row) {
    const RowReader cells(transfers, row);
    const std::string from = cells.text("row"), to = cells.text("column");
    table.rows.push_back(from);
    table.columns.push_back(to);
    table.cells[{from, to}] += cells.amount("value");
  }
  for (auto* keys : {&table.rows, &table.columns}) {
    std::sort(keys->begin(), keys->end());
    keys->erase(std::unique(keys->begin(), keys->end()), keys->end());
  }
  return table;
}

class TransferReport {
 public:
  TransferReport(const Farm& farm, const ReportSettings& settings, Document& document)
      : farm_(farm), settings_(settings),
        flow_(document, PageFrame{}, [this](PageFlow& flow, int page) { return decorate(flow, page); }) {}

  void build() {
    const CrossTable table = crossTableOf(farm_.table("memTransfers"));
    const int perPage = std::max(1, static_cast<int>((flow_.printableWidth() - kLabelWidth) / kCellWidth));
    const int columnCount = static_cast<int>(table.columns.size());
    // Down, then across: every row for the first columns, then the next columns.
    for (int first = 0; first < std::max(columnCount, 1); first += perPage) {
      const int last = std::min(columnCount, first + perPage);
      flow_.newPage();
      columnHeadings(table, first, last);
      std::vector<double> sums(static_cast<std::size_t>(columnCount), 0.0);
      for (const std::string& rowKey : table.rows) {
        if (flow_.y() + kRow > flow_.bodyBottom()) {
          flow_.newPage();
          columnHeadings(table, first, last);
        }
        const double y = flow_.y();
        flow_.text(0, y, kLabelWidth, captionOf(farm_, rowKey), kBold);
        for (int column = first; column < last; ++column) {
          const auto cell = table.cells.find({rowKey, table.columns[static_cast<std::size_t>(column)]});
          if (cell == table.cells.end()) continue;
          placeFigure(flow_, cellLeft(column - first), cellLeft(column - first) + kCellWidth, y, cell->second, 0,
                      kBody);
          sums[static_cast<std::size_t>(column)] += cell->second;
        }
        flow_.advance(kRow);
      }
      if (flow_.y() + kRow + 1.5 > flow_.bodyBottom()) {
        flow_.newPage();
        columnHeadings(table, first, last);
      }
      flow_.rule(0, cellLeft(last - first), flow_.y() + 0.5);
      flow_.advance(1.5);
      const double y = flow_.y();
      flow_.text(0, y, kLabelWidth, "Total", kBold);
      for (int column = first; column < last; ++column)
        placeFigure(flow_, cellLeft(column - first), cellLeft(column - first) + kCellWidth, y,
                    sums[static_cast<std::size_t>(column)], 0, kBold);
      flow_.advance(kRow);
    }
  }

 private:
  static double cellLeft(int position) { return kLabelWidth + position * kCellWidth; }

  double decorate(PageFlow& flow, int page) {
    const double top = flow.frame().top;
    flow.text(0, top, flow.printableWidth(), "Transfer Report", kBold, Align::Center);
    flow.text(0, top + 6, 90, programLine(settings_), kBold);
    flow.text(0, top + 10.5, 90, businessName(farm_), Font{9, true, false});
    const double footer = flow.footerTop();
    flow.text(0, footer, 120, farmLine(farm_), kBody);
    flow.text(125, footer, 14, "printed:", kBody);
    flow.text(139, footer, 30, formatReportDate(settings_.printedOn), kBody);
    flow.text(170, footer, flow.printableWidth() - 170, "Page: " + std::to_string(page), kBody, Align::Right);
    return top + 18;
  }

  // "To Enterprise" over the receiving columns, "From Enterprise" over the
  // supplying rows, the captions of the columns wrapped in their boxes and
  // "Transfers" naming the figures.
  void columnHeadings(const CrossTable& table, int first, int last) {
    const double line = lineHeightMm(kBold.size);
    const double captionLine = lineHeightMm(kCaption.size);
    std::vector<std::vector<std::string>> captions;
    std::size_t depth = 1;
    for (int column = first; column < last; ++column) {
      captions.push_back(wrapText(captionOf(farm_, table.columns[static_cast<std::size_t>(column)]),
                                  kCellWidth - 2, kCaption, settings_.textMeasurer()));
      depth = std::max(depth, captions.back().size());
    }
    const double right = cellLeft(last - first);
    double y = flow_.y();
    flow_.text(0, y, kLabelWidth, "Transfers", kBold);
    flow_.text(kLabelWidth, y, right - kLabelWidth, "To Enterprise", kBold, Align::Center);
    y += line + 1;
    const double captionTop = y;
    const double captionsHeight = static_cast<double>(depth) * captionLine;
    for (std::size_t i = 0; i < captions.size(); ++i) {
      double lineY = captionTop + static_cast<double>(depth - captions[i].size()) * captionLine;
      for (const std::string& text : captions[i]) {
        flow_.text(cellLeft(static_cast<int>(i)), lineY, kCellWidth, text, kCaption, Align::Right);
        lineY += captionLine;
      }
    }
    // "From Enterprise" stands on the captions' last line, over the row captions.
    flow_.text(0, captionTop + captionsHeight - line, kLabelWidth, "From Enterprise", kBold);
    flow_.advance(line + 1 + captionsHeight + 0.8);
    flow_.rule(0, right, flow_.y());
    flow_.advance(1);
  }

  const Farm& farm_;
  const ReportSettings& settings_;
  PageFlow flow_;
};

}  // namespace

Document layoutTransferReport(const Farm& farm, const ReportSettings& settings) {
  Document document;
  document.title = "Transfer Report";
  TransferReport(farm, settings, document).build();
  return document;
}

}  // namespace rb::report
