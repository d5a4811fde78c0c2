#include "shell/header_panel.h"

#include <QVariant>

namespace rb::ui {

QLabel* makeHeaderPanel(const QString& name, const QString& caption, QColor fill, QColor text, QWidget* parent) {
  auto* panel = new QLabel(caption, parent);
  panel->setObjectName(name);
  panel->setFixedHeight(25);
  panel->setAlignment(Qt::AlignCenter);
  QFont font(QStringLiteral("Arial"), 10);
  font.setBold(true);
  panel->setFont(font);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, fill);
  palette.setColor(QPalette::WindowText, text);
  panel->setPalette(palette);
  return panel;
}

void setHelpTopic(QWidget* widget, int topic) { widget->setProperty("helpTopic", topic); }

int helpTopicOf(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    const int topic = w->property("helpTopic").toInt();
    if (topic > 0) return topic;
  }
  return 0;
}

}  // namespace rb::ui
