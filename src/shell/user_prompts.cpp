#include "shell/user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace rb::ui {

namespace {

QString titleOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return QStringLiteral("Error");
    case MessageIcon::Warning: return QStringLiteral("Warning");
    case MessageIcon::Information: return QStringLiteral("Information");
    case MessageIcon::Confirmation: return QStringLiteral("Confirm");
  }
  return {};
}

QMessageBox::Icon boxIconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Confirmation: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

class DialogPrompts : public UserPrompts {
 public:
  void showMessage(QWidget* parent, MessageIcon icon, const QString& text) override {
    QMessageBox box(boxIconOf(icon), titleOf(icon), text, QMessageBox::Ok, parent);
    box.exec();
  }

  bool askYesNo(QWidget* parent, MessageIcon icon, const QString& text) override {
    QMessageBox box(boxIconOf(icon), titleOf(icon), text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
  }

  QString askOpenFileName(QWidget* parent, const QString& folder, const QString& filter,
                          const QString& defaultSuffix) override {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  }

  QString askSaveFileName(QWidget* parent, const QString& folder, const QString& fileName, const QString& filter,
                          const QString& defaultSuffix) override {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(fileName);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  }

  QString askFolder(QWidget* parent, const QString& startFolder) override {
    return QFileDialog::getExistingDirectory(parent, QString(), startFolder);
  }
};

DialogPrompts& dialogPrompts() {
  static DialogPrompts instance;
  return instance;
}

UserPrompts* current = nullptr;

}  // namespace

UserPrompts& prompts() { return current ? *current : dialogPrompts(); }

void setPrompts(UserPrompts* replacement) { current = replacement; }

}  // namespace rb::ui
