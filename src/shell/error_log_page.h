#pragma once
// The error-log page: the lines the validation pass wrote before the last
// report, and a note on where they come from.
class QPlainTextEdit;
class QWidget;

namespace rb::ui {

// Fills the page `taberrorlog`; `memo` receives the text box `memoError`.
void buildErrorLogPage(QWidget& page, QPlainTextEdit*& memo);

}  // namespace rb::ui
