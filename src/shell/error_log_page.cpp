#include "shell/error_log_page.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/header_panel.h"

namespace rb::ui {

void buildErrorLogPage(QWidget& page, QPlainTextEdit*& memo) {
  auto* layout = new QVBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(makeHeaderPanel(QStringLiteral("pnlerrorlog"), QStringLiteral("Error Log"), QColor(0xFF, 0, 0),
                                    Qt::white, &page));
  memo = new QPlainTextEdit(&page);
  memo->setObjectName(QStringLiteral("memoError"));
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(memo, 1);
  auto* note = new QLabel(QStringLiteral("Note: The error log is generated when a report is requested.\n"
                                         "If errors are listed above, correct the errors and then rerun the reports."),
                          &page);
  note->setObjectName(QStringLiteral("lblErrorNote"));
  note->setAlignment(Qt::AlignCenter);
  QFont font(QStringLiteral("Arial"), 10);
  font.setBold(true);
  font.setItalic(true);
  note->setFont(font);
  note->setContentsMargins(0, 6, 0, 6);
  layout->addWidget(note);
}

}  // namespace rb::ui
