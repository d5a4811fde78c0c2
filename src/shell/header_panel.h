#pragma once
// The coloured header bar at the top of a page: bold 10 point caption on the
// page's colour.
#include <QColor>
#include <QLabel>

namespace rb::ui {

QLabel* makeHeaderPanel(const QString& name, const QString& caption, QColor fill, QColor text,
                        QWidget* parent = nullptr);

// Marks a widget with its help topic; F1 looks for the nearest one.
void setHelpTopic(QWidget* widget, int topic);
// The help topic of a widget or its nearest ancestor that has one; 0 when none.
int helpTopicOf(const QWidget* widget);

}  // namespace rb::ui
