#pragma once
// "About": a picture of the prairie with the program's name and version.
#include <QDialog>

namespace rb::ui {

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// "Contact Information": the publisher's addresses, links clickable.
class TfrmContact : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmContact(QWidget* parent = nullptr);
};

}  // namespace rb::ui
