#include "shell/status_panel.h"

#include <QFontMetrics>

namespace rb::ui {

StatusPanel::StatusPanel(const QString& name, int width, Qt::Alignment alignment, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setFixedWidth(width);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAlignment(alignment | Qt::AlignVCenter);
  setTextFormat(Qt::PlainText);
}

void StatusPanel::setFullText(const QString& text) {
  fullText_ = text;
  setToolTip(fontMetrics().horizontalAdvance(text) > contentsRect().width() - 6 ? text : QString());
  showFitting();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  showFitting();
}

void StatusPanel::showFitting() {
  setText(fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width() - 6));
}

}  // namespace rb::ui
