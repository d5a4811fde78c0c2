#pragma once
// A single-line edit bound to a column of a table's current line, with its
// caption in a label placed directly above it. The label follows the edit
// when it moves or is resized and is shown or hidden with it. Used by the
// allocation pop-up and the setup windows.
#include <QLineEdit>
#include <QPointer>
#include <cstddef>
#include <string>

class QLabel;

namespace rb {
class MemTable;
}

namespace rb::ui {

class LabelledEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit LabelledEdit(QWidget* parent = nullptr);
  ~LabelledEdit() override;

  QString caption() const;
  void setCaption(const QString& caption);
  QFont labelFont() const;
  void setLabelFont(const QFont& font);
  // When set, the caption is the bound column's display label.
  bool useFieldCaption() const { return useFieldCaption_; }
  void setUseFieldCaption(bool use);
  // On by default: the first "~" of a caption is shown as a blank.
  bool replaceTilde() const { return replaceTilde_; }
  void setReplaceTilde(bool replace);

  // Shows and edits `column` of the table's current line; the edit stores
  // its text when editing finishes. The table must outlive the edit.
  void bind(MemTable& table, const std::string& column);
  QLabel* label() const { return label_; }

 protected:
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void placeLabel();
  void showCaption();
  void showValue();
  void storeText();

  QPointer<QLabel> label_;
  QString caption_;
  bool useFieldCaption_ = false;
  bool replaceTilde_ = true;
  MemTable* table_ = nullptr;
  std::string column_;
  std::size_t connection_ = 0;
  bool storing_ = false;
};

}  // namespace rb::ui
