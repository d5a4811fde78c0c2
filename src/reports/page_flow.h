#pragma once
// Bands flowing down the pages of a report: each page gets its header and
// footer when it is started, and a band that does not fit below the last one
// moves to a new page.
#include <functional>
#include <optional>
#include <string>

#include "reports/report_document.h"

namespace rb::report {

struct PageFrame {
  double top = 6.35;     // margins, mm
  double left = 6.35;
  double right = 6.35;
  double bottom = 6.35;
  double footerHeight = 7;  // kept free at the foot of every page
};

class PageFlow {
 public:
  // `decorate` draws the header and footer of a new page (its number counts
  // from 1) and returns where the body starts, in mm from the sheet's top.
  using Decorate = std::function<double(PageFlow& flow, int pageNumber)>;

  PageFlow(Document& document, PageFrame frame, Decorate decorate);

  // Starts a new page (header, footer) and puts the flow at its body top.
  void newPage();
  // Makes room for a band of `height` mm: a new page when none is started or
  // the band would run into the footer.
  void need(double height);
  void advance(double height) { y_ += height; }

  double y() const { return y_; }
  int pageNumber() const { return static_cast<int>(document_.pages.size()); }
  const PageFrame& frame() const { return frame_; }
  double bodyBottom() const { return document_.pageHeight - frame_.bottom - frame_.footerHeight; }
  double footerTop() const { return bodyBottom() + 1.5; }
  double printableWidth() const { return document_.pageWidth - frame_.left - frame_.right; }

  // Items placed on the current page; x is measured from the left margin and
  // y from the sheet's top.
  void text(double x, double y, double width, std::string text, Font font, Align align = Align::Left);
  void figure(double x, double y, double width, std::string text, double number, std::string numberFormat,
              Font font);
  void rule(double x1, double x2, double y, double weight = 0.25);

 private:
  Document& document_;
  PageFrame frame_;
  Decorate decorate_;
  double y_ = 0;
};

}  // namespace rb::report
