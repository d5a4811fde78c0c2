#include "ledgers/ui/record_navigator.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "ledgers/ui/data_grid.h"

namespace rb::ui {

namespace {

enum class Glyph { First, Prior, Next, Last, Insert, Delete, Refresh };

// The navigator's pictures, drawn rather than taken from a font or an icon
// theme that a desktop may lack.
QIcon glyphIcon(Glyph glyph) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0x20, 0x40, 0x80);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  const auto triangle = [&](bool left, qreal x) {
    QPainterPath path;
    if (left) {
      path.moveTo(x + 12, 6);
      path.lineTo(x, 16);
      path.lineTo(x + 12, 26);
    } else {
      path.moveTo(x, 6);
      path.lineTo(x + 12, 16);
      path.lineTo(x, 26);
    }
    path.closeSubpath();
    painter.drawPath(path);
  };
  switch (glyph) {
    case Glyph::First:
      painter.drawRect(7, 6, 4, 20);
      triangle(true, 12);
      break;
    case Glyph::Prior: triangle(true, 10); break;
    case Glyph::Next: triangle(false, 10); break;
    case Glyph::Last:
      triangle(false, 8);
      painter.drawRect(21, 6, 4, 20);
      break;
    case Glyph::Insert:
      painter.setBrush(QColor(0x20, 0x80, 0x30));
      painter.drawRect(14, 6, 4, 20);
      painter.drawRect(6, 14, 20, 4);
      break;
    case Glyph::Delete:
      painter.setBrush(QColor(0xB0, 0x20, 0x20));
      painter.drawRect(6, 14, 20, 4);
      break;
    case Glyph::Refresh: {
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(ink, 3.5, Qt::SolidLine, Qt::FlatCap));
      painter.drawArc(QRectF(7, 7, 18, 18), 60 * 16, 280 * 16);
      painter.setPen(Qt::NoPen);
      painter.setBrush(ink);
      QPainterPath head;
      head.moveTo(17, 3);
      head.lineTo(25, 8);
      head.lineTo(17, 13);
      head.closeSubpath();
      painter.drawPath(head);
      break;
    }
  }
  return QIcon(pixmap);
}

QToolButton* navButton(QWidget* parent, const QString& name, Glyph glyph, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setIcon(glyphIcon(glyph));
  button->setIconSize(QSize(16, 16));
  button->setToolTip(hint);
  button->setAutoRaise(false);
  button->setFixedSize(30, 24);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

RecordNavigator::RecordNavigator(const QString& name, DataGrid& grid, bool withRefresh, QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(1);
  DataGrid* target = &grid;
  struct Entry {
    const char* name;
    Glyph glyph;
    const char* hint;
    void (DataGrid::*command)();
  };
  const Entry entries[] = {
      {"btnFirst", Glyph::First, "First record", &DataGrid::goFirst},
      {"btnPrior", Glyph::Prior, "Prior record", &DataGrid::goPrior},
      {"btnNext", Glyph::Next, "Next record", &DataGrid::goNext},
      {"btnLast", Glyph::Last, "Last record", &DataGrid::goLast},
      {"btnInsert", Glyph::Insert, "Insert record", &DataGrid::insertLine},
      {"btnDelete", Glyph::Delete, "Delete record", &DataGrid::deleteLine},
  };
  for (const Entry& entry : entries) {
    QToolButton* button = navButton(this, QString::fromLatin1(entry.name), entry.glyph, QString::fromLatin1(entry.hint));
    connect(button, &QToolButton::clicked, target, [target, command = entry.command] { (target->*command)(); });
    layout->addWidget(button);
  }
  if (withRefresh) {
    QToolButton* refresh =
        navButton(this, QStringLiteral("btnRefresh"), Glyph::Refresh, QStringLiteral("Refresh the contents of the dataset"));
    connect(refresh, &QToolButton::clicked, target, &DataGrid::restoreEntryOrder);
    layout->addWidget(refresh);
  }
  layout->addStretch(1);
}

}  // namespace rb::ui
