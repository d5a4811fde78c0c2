#pragma once
// One panel of the status bar. It keeps its whole text (the file's full
// path) and shows as much as fits, eliding the middle of a long path.
#include <QLabel>

namespace rb::ui {

class StatusPanel : public QLabel {
  Q_OBJECT
 public:
  StatusPanel(const QString& name, int width, Qt::Alignment alignment, QWidget* parent = nullptr);
  void setFullText(const QString& text);
  const QString& fullText() const { return fullText_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void showFitting();
  QString fullText_;
};

}  // namespace rb::ui
