#include "reports/page_flow.h"

#include <utility>

namespace rb::report {

PageFlow::PageFlow(Document& document, PageFrame frame, Decorate decorate)
    : document_(document), frame_(frame), decorate_(std::move(decorate)) {}

void PageFlow::newPage() {
  document_.pages.emplace_back();
  y_ = decorate_(*this, pageNumber());
}

void PageFlow::need(double height) {
  if (document_.pages.empty() || y_ + height > bodyBottom()) newPage();
}

void PageFlow::text(double x, double y, double width, std::string text, Font font, Align align) {
  TextItem item;
  item.x = frame_.left + x;
  item.y = y;
  item.width = width;
  item.height = lineHeightMm(font.size);
  item.text = std::move(text);
  item.font = font;
  item.align = align;
  document_.pages.back().texts.push_back(std::move(item));
}

void PageFlow::figure(double x, double y, double width, std::string text, double number, std::string numberFormat,
                      Font font) {
  TextItem item;
  item.x = frame_.left + x;
  item.y = y;
  item.width = width;
  item.height = lineHeightMm(font.size);
  item.text = std::move(text);
  item.font = font;
  item.align = Align::Right;
  item.number = number;
  item.numberFormat = std::move(numberFormat);
  document_.pages.back().texts.push_back(std::move(item));
}

void PageFlow::rule(double x1, double x2, double y, double weight) {
  document_.pages.back().lines.push_back({frame_.left + x1, y, frame_.left + x2, y, weight});
}

}  // namespace rb::report
