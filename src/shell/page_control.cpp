#include "shell/page_control.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QShowEvent>

namespace rb::ui {

namespace {
const QColor kUnselectedFill(0xDD, 0xDD, 0xDD);
const QColor kTabEdge(0xA0, 0xA0, 0xA0);
}  // namespace

OwnerDrawnTabBar::OwnerDrawnTabBar(QWidget* parent) : QTabBar(parent) {
  setDrawBase(false);
  setExpanding(false);
  setElideMode(Qt::ElideNone);
  // Scroll buttons come with the first showing: until the bar has its width,
  // every added tab would lay the bar out as if it overflowed.
  setUsesScrollButtons(false);
}

void OwnerDrawnTabBar::showEvent(QShowEvent* event) {
  if (!shownBefore_) {
    shownBefore_ = true;
    setUsesScrollButtons(true);
  }
  QTabBar::showEvent(event);
}

void OwnerDrawnTabBar::setTabColours(int index, QColor fill, QColor text) {
  if (index >= colours_.size()) colours_.resize(index + 1);
  colours_[index] = {fill, text};
  update();
}

QColor OwnerDrawnTabBar::selectedFill(int index) const { return colours_.value(index).fill; }
QColor OwnerDrawnTabBar::selectedText(int index) const { return colours_.value(index).text; }

QSize OwnerDrawnTabBar::tabSizeHint(int index) const {
  if (fixedTabSize_.isValid()) return fixedTabSize_;
  const QString text = tabText(index);
  const auto cached = sizeOfText_.constFind(text);
  if (cached != sizeOfText_.constEnd()) return *cached;
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  const QSize size(metrics.horizontalAdvance(text) + 20, qMax(22, metrics.height() + 8));
  sizeOfText_.insert(text, size);
  return size;
}

void OwnerDrawnTabBar::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) sizeOfText_.clear();
  QTabBar::changeEvent(event);
}

void OwnerDrawnTabBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int i = 0; i < count(); ++i) {
    if (!isTabVisible(i)) continue;
    const QRect rect = tabRect(i);
    const bool selected = i == currentIndex();
    QFont font = this->font();
    font.setBold(selected);
    painter.setFont(font);
    painter.fillRect(rect, selected ? selectedFill(i) : kUnselectedFill);
    painter.setPen(kTabEdge);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    // The caption is centred with integer halves, as the tabs have always
    // been drawn.
    const QFontMetrics metrics(font);
    const QString caption = tabText(i);
    const int textWidth = metrics.horizontalAdvance(caption);
    const int textHeight = metrics.height();
    const int left = rect.left() + (rect.width() / 2 - textWidth / 2);
    const int top = rect.top() + (rect.height() / 2 - textHeight / 2);
    painter.setPen(selected ? selectedText(i) : QColor(Qt::black));
    painter.drawText(QRect(left, top, textWidth, textHeight), Qt::AlignLeft | Qt::AlignTop, caption);
  }
}

PageControl::PageControl(const QString& name, QWidget* parent) : QTabWidget(parent), bar_(new OwnerDrawnTabBar(this)) {
  setObjectName(name);
  setTabBar(bar_);
  setDocumentMode(false);
}

void PageControl::setFixedTabSize(QSize size) { bar_->setFixedTabSize(size); }

int PageControl::addPage(QWidget* page, const QString& caption, QColor selectedFill, QColor selectedText) {
  const int index = addTab(page, caption);
  bar_->setTabColours(index, selectedFill, selectedText);
  return index;
}

void PageControl::selectFirstShownPage() {
  for (int i = 0; i < count(); ++i) {
    if (isTabVisible(i)) {
      setCurrentIndex(i);
      return;
    }
  }
}

}  // namespace rb::ui
