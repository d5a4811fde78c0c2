// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "model/mem_table.h"

#include "shell/labelled_edit.h"

#include <QLabel>

#include "shell/user_prompts.h"

namespace rb::ui {

LabelledEdit::LabelledEdit(QWidget* parent) : QLineEdit(parent), label_(new QLabel(parent)) {
  label_->setFont(font());
  label_->hide();
  connect(this, &QLineEdit::editingFinished, this, &LabelledEdit::storeText);
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (useFieldCaption_) showCaption();
  });
}

LabelledEdit::~LabelledEdit() {
  if (table_) table_->OnDataChange.disconnect(connection_);
  delete label_;
}

QString LabelledEdit::caption() const { return caption_; }

void LabelledEdit::setCaption(const QString& caption) {
  caption_ = caption;
  showCaption();
}

QFont LabelledEdit::labelFont() const { return label_->font(); }

void LabelledEdit::setLabelFont(const QFont& font) {
  label_->setFont(font);
  placeLabel();
}

void LabelledEdit::setUseFieldCaption(bool use) {
  useFieldCaption_ = use;
  if (!use) caption_.clear();
  showCaption();
}

void LabelledEdit::setReplaceTilde(bool replace) {
  replaceTilde_ = replace;
  showCaption();
}

void LabelledEdit::bind(MemTable& table, const std::string& column) {
  if (table_) table_->OnDataChange.disconnect(connection_);
  table_ = &table;
  column_ = column;
  connection_ = table.OnDataChange.connect([this](MemTable&, const Field*) {
    if (!storing_ && !hasFocus()) showValue();
  });
  showValue();
  showCaption();
}

void LabelledEdit::showValue() {
  const Field* field = table_ ? table_->FindField(column_) : nullptr;
  const QString text = field && table_->CurrentIndex() >= 0 ? QString::fromStdString(field->AsString()) : QString();
  if (text != this->text()) setText(text);
}

void LabelledEdit::storeText() {
  Field* field = table_ ? table_->FindField(column_) : nullptr;
  if (!field || isReadOnly() || QString::fromStdString(field->AsString()) == text()) return;
  storing_ = true;
  try {
    table_->Edit();
    if (text().isEmpty())
      field->Clear();
    else
      field->SetAsString(text().toStdString());
  } catch (const Error& error) {
    storing_ = false;
    showError(this, QString::fromUtf8(error.what()));
    showValue();  // the column keeps its value
    return;
  }
  storing_ = false;
}

void LabelledEdit::showCaption() {
  QString text = caption_;
  if (useFieldCaption_ && table_) {
    if (const Field* field = table_->FindField(column_)) text = QString::fromStdString(field->DisplayLabel());
  }
  if (replaceTilde_) {
    const qsizetype tilde = text.indexOf(QLatin1Char('~'));
    if (tilde >= 0) text[tilde] = QLatin1Char(' ');
  }
  if (label_->text() != text) {
    label_->setText(text);
    label_->adjustSize();
  }
  placeLabel();
}

// The label's left is the edit's left and its bottom touches the edit's top.
void LabelledEdit::placeLabel() {
  if (!label_) return;
  if (label_->parentWidget() != parentWidget()) label_->setParent(parentWidget());
  label_->adjustSize();
  label_->move(x(), y() - label_->height());
  label_->setVisible(isVisible());
}

void LabelledEdit::moveEvent(QMoveEvent* event) {
  QLineEdit::moveEvent(event);
  placeLabel();
}

void LabelledEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  placeLabel();
}

void LabelledEdit::showEvent(QShowEvent* event) {
  QLineEdit::showEvent(event);
  placeLabel();
}

void LabelledEdit::hideEvent(QHideEvent* event) {
  QLineEdit::hideEvent(event);
  if (label_) label_->hide();
}

void LabelledEdit::paintEvent(QPaintEvent* event) {
  if (useFieldCaption_) showCaption();
  QLineEdit::paintEvent(event);
}

}  // namespace rb::ui
