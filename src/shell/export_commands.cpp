// The Export menu's text file: the whole farm, tab-delimited, for a
// spreadsheet.
// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "export/text_export.h"

#include "shell/main_window.h"
#include "shell/user_prompts.h"

namespace rb::ui {

void TfrmMain::exportTextFile() {
  const QString path = prompts().askSaveFileName(this, settings_.dataFolder, QString(),
                                                 QStringLiteral("Tab Delimited (*.txt)"), QStringLiteral("txt"));
  if (path.isEmpty()) return;
  commitGridEdits();  // a value still being typed belongs in the export
  try {
    ExportTextFile(*farm_, TextExportHeading{currentFile_.toStdString()}, path.toStdString());
  } catch (const std::exception& error) {
    showError(this, QString::fromUtf8(error.what()));
  }
}

}  // namespace rb::ui
