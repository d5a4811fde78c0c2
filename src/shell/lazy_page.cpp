#include "shell/lazy_page.h"

namespace rb::ui {

LazyPage::LazyPage(const QString& name, Builder builder, QWidget* parent)
    : QWidget(parent), builder_(std::move(builder)) {
  setObjectName(name);
}

void LazyPage::ensureBuilt() {
  if (!builder_) return;
  const Builder build = std::move(builder_);
  builder_ = nullptr;
  build(*this);
  // Made while the page is on screen: show the new parts at once rather than
  // a frame later.
  if (isVisible())
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!child->testAttribute(Qt::WA_WState_ExplicitShowHide)) child->show();
}

void LazyPage::buildAllUnder(QWidget& root) {
  // A page's contents may hold lazy pages of their own: repeat until none is left.
  for (bool built = true; built;) {
    built = false;
    for (LazyPage* page : root.findChildren<LazyPage*>()) {
      if (!page->isBuilt()) {
        page->ensureBuilt();
        built = true;
      }
    }
  }
}

void LazyPage::showEvent(QShowEvent* event) {
  ensureBuilt();
  QWidget::showEvent(event);
}

}  // namespace rb::ui
