// Print Visible: the screen area the main window covers, printed landscape
// at the top left of the page.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include "shell/main_window.h"
#include "shell/user_prompts.h"

namespace rb::ui {

namespace {

// The window's outer rectangle, frame included, as the screen shows it now,
// at 8 bits per pixel.
QImage windowImage(QWidget& window) {
  QScreen* screen = window.screen();
  const QRect frame = window.frameGeometry();
  QPixmap shot = screen ? screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()) : QPixmap();
  if (shot.isNull()) shot = window.grab();  // platforms without screen capture
  return shot.toImage().convertToFormat(QImage::Format_Indexed8);
}

}  // namespace

void TfrmMain::printVisibleWindow() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  // Let the dialog vanish and the window repaint before the capture.
  for (int i = 0; i < 5; ++i) {
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 200) QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  const QImage image = windowImage(*this);
  QPainter painter;
  if (!painter.begin(&printer)) {
    showError(this, QStringLiteral("The printer could not be started."));
    return;
  }
  painter.drawImage(QRect(0, 0, image.width() * 6, image.height() * 6), image);
  painter.end();
}

}  // namespace rb::ui
