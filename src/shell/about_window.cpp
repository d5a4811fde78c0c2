#include "shell/about_window.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/main_window.h"
#include "shell/version_text.h"

namespace rb::ui {

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(600, 480);

  auto* version = new QLabel(QStringLiteral("Version:  ") + programVersionText(), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  QFont font(QStringLiteral("Arial"), 11);
  font.setBold(true);
  version->setFont(font);
  version->setStyleSheet(QStringLiteral("color: white;"));
  version->setGeometry(40, 190, 300, 24);

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("btnClose"));
  close->setGeometry(600 - 110, 480 - 44, 90, 28);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

// Evening sky over rolling grass, a line of fence posts and the name.
void TfrmAbout::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 330);
  sky.setColorAt(0.0, QColor(0x1B, 0x3B, 0x6F));
  sky.setColorAt(0.7, QColor(0xE0, 0x8E, 0x45));
  sky.setColorAt(1.0, QColor(0xF6, 0xD0, 0x8A));
  painter.fillRect(rect(), sky);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xFF, 0xE6, 0xA8));
  painter.drawEllipse(QPointF(470, 300), 46, 46);

  QPainterPath far;
  far.moveTo(0, 330);
  far.cubicTo(150, 280, 330, 350, 600, 300);
  far.lineTo(600, 480);
  far.lineTo(0, 480);
  painter.setBrush(QColor(0x5E, 0x7D, 0x3A));
  painter.drawPath(far);
  QPainterPath near;
  near.moveTo(0, 390);
  near.cubicTo(200, 350, 400, 420, 600, 370);
  near.lineTo(600, 480);
  near.lineTo(0, 480);
  painter.setBrush(QColor(0x3E, 0x5B, 0x24));
  painter.drawPath(near);

  painter.setPen(QPen(QColor(0x3A, 0x2A, 0x1A), 3));
  for (int x = 20; x < 600; x += 55) painter.drawLine(x, 392 - x / 30, x, 420 - x / 30);
  painter.drawLine(20, 400, 580, 382);

  painter.setPen(Qt::white);
  QFont title(QStringLiteral("Arial"), 34);
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRect(40, 90, 520, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ranchbook$"));
  QFont subtitle(QStringLiteral("Arial"), 12);
  painter.setFont(subtitle);
  painter.drawText(QRect(40, 148, 520, 30), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Cost of production for beef-cattle farms"));
}

TfrmContact::TfrmContact(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmContact"));
  setWindowTitle(QStringLiteral("Contact Information"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QTextBrowser(this);
  text->setObjectName(QStringLiteral("rtfContact"));
  text->setOpenExternalLinks(true);
  text->setHtml(QStringLiteral(
      "<h2>Ranchbook$</h2>"
      "<p>Ranchbook$ is published by the Ranchbook project for beef producers, their advisors "
      "and farm-business instructors.</p>"
      "<h3>Questions about the program</h3>"
      "<p>Web: <a href=\"https://ranchbook.example.org\">https://ranchbook.example.org</a><br>"
      "E-mail: <a href=\"mailto:help@ranchbook.example.org\">help@ranchbook.example.org</a></p>"
      "<h3>Reporting a problem</h3>"
      "<p>Please describe what you did, what you expected and what happened, and attach the farm "
      "file (.rbd) when you can. Issue tracker: "
      "<a href=\"https://ranchbook.example.org/issues\">https://ranchbook.example.org/issues</a></p>"
      "<h3>Cost-of-production workshops</h3>"
      "<p>Your provincial agriculture extension office can tell you about workshops that use "
      "Ranchbook$ to benchmark cow-calf and backgrounding enterprises.</p>"));
  layout->addWidget(text, 1);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("btnClose"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  setFixedSize(520, 400);
}

void TfrmMain::showAbout() {
  TfrmAbout about(this);
  // Centred on the screen rather than over the main window.
  if (const QScreen* screen = this->screen())
    about.move(screen->availableGeometry().center() - about.rect().center());
  about.exec();
}

void TfrmMain::showContact() {
  TfrmContact contact(this);
  contact.exec();
}

}  // namespace rb::ui
