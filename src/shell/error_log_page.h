#pragma once
// The error-log page: the lines the validation pass wrote before the last
// report, and a note on where they come from.
class QPlainTextEdit;
class QWidget;

namespace rb::ui {

// The page `taberrorlog`; `memo` receives the text box `memoError`.
QWidget* buildErrorLogPage(QPlainTextEdit*& memo, QWidget* parent = nullptr);

}  // namespace rb::ui
