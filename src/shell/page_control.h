#pragma once
// A page control that draws its own tabs: the selected tab filled with the
// page's own colour and bold text, every other tab #DDDDDD with black text.
#include <QColor>
#include <QHash>
#include <QSize>
#include <QTabBar>
#include <QTabWidget>
#include <QVector>

namespace rb::ui {

class OwnerDrawnTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit OwnerDrawnTabBar(QWidget* parent = nullptr);
  void setFixedTabSize(QSize size) { fixedTabSize_ = size; }
  void setTabColours(int index, QColor fill, QColor text);
  QColor selectedFill(int index) const;
  QColor selectedText(int index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Colours {
    QColor fill = Qt::white;
    QColor text = Qt::black;
  };
  QVector<Colours> colours_;
  QSize fixedTabSize_;
  bool shownBefore_ = false;
  // The tab bar asks for every tab's size again whenever a tab is added;
  // measuring bold text each time made building the pages slow.
  mutable QHash<QString, QSize> sizeOfText_;
};

class PageControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit PageControl(const QString& name, QWidget* parent = nullptr);
  // Tabs of one fixed size (the main pages: 80 x 25).
  void setFixedTabSize(QSize size);
  int addPage(QWidget* page, const QString& caption, QColor selectedFill, QColor selectedText);
  OwnerDrawnTabBar* ownerDrawnTabBar() const { return bar_; }
  // Selects the first page whose tab is shown.
  void selectFirstShownPage();

 private:
  OwnerDrawnTabBar* bar_;
};

}  // namespace rb::ui
