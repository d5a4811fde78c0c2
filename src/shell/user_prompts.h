#pragma once
// Every question and message box the window puts to the user goes through
// one replaceable object, so that the same commands run under a test script.
#include <QString>

class QWidget;

namespace rb::ui {

enum class MessageIcon { Error, Warning, Information, Confirmation };

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // A message box with an OK button.
  virtual void showMessage(QWidget* parent, MessageIcon icon, const QString& text) = 0;
  // A message box with Yes and No; true for Yes.
  virtual bool askYesNo(QWidget* parent, MessageIcon icon, const QString& text) = 0;
  // File dialogs; an empty text when cancelled. `filter` is a Qt name filter.
  virtual QString askOpenFileName(QWidget* parent, const QString& folder, const QString& filter,
                                  const QString& defaultSuffix) = 0;
  // Asks before it overwrites an existing file.
  virtual QString askSaveFileName(QWidget* parent, const QString& folder, const QString& fileName,
                                  const QString& filter, const QString& defaultSuffix) = 0;
  // A folder browser that may create a folder; an empty text when cancelled.
  virtual QString askFolder(QWidget* parent, const QString& startFolder) = 0;
};

// The prompts in use: the real dialogs unless a test installed its own.
UserPrompts& prompts();
// Installs `replacement` (not owned); nullptr puts the real dialogs back.
void setPrompts(UserPrompts* replacement);

inline void showError(QWidget* parent, const QString& text) { prompts().showMessage(parent, MessageIcon::Error, text); }

}  // namespace rb::ui
