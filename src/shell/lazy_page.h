#pragma once
// A page whose contents are made the first time it is shown (or asked for),
// so that the window opens without first building some forty grids the user
// may never look at in this session.
#include <QWidget>
#include <functional>

namespace rb::ui {

class LazyPage : public QWidget {
  Q_OBJECT
 public:
  using Builder = std::function<void(QWidget& page)>;
  LazyPage(const QString& name, Builder builder, QWidget* parent = nullptr);

  bool isBuilt() const { return !builder_; }
  void ensureBuilt();
  // Builds every lazy page under `root`.
  static void buildAllUnder(QWidget& root);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Builder builder_;
};

}  // namespace rb::ui
