#pragma once
// The notes box and warning picture of a feeder page: what the inventory
// reconciliation found, refreshed after each change of the sheet.
#include <QGroupBox>
#include <string>

#include <cstddef>

class QLabel;
class QPlainTextEdit;

namespace rb {
class FarmRules;
class MemTable;
class Field;
}  // namespace rb

namespace rb::ui {

class FeederNotes : public QGroupBox {
  Q_OBJECT
 public:
  FeederNotes(int index, MemTable& sheet, FarmRules* rules, QWidget* parent = nullptr);
  ~FeederNotes() override;

  // Runs the reconciliation (the page is being shown) and shows its result.
  void reconcile();
  // Shows the reconciliation's present notes.
  void refresh();

 private:
  MemTable& sheet_;
  FarmRules* rules_;
  std::string id_;
  QPlainTextEdit* memo_;
  QLabel* picture_;
  std::size_t connection_ = 0;  // our subscription to the table's changes
};

}  // namespace rb::ui
