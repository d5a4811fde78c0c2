#pragma once
// The built-in help window: the topic pages shipped inside the program as Qt
// resources (":/help/<topic>.htm"), shown in a browser with a contents page,
// Back and Forward, and links between pages.

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;
class QToolButton;
class QWidget;

namespace rb::ui {

// The page address of a topic number. Topics below 1 stand for topic 1, the
// main window, so F1 on a control without a topic of its own still lands on
// a useful page.
QUrl helpTopicUrl(int topic);
QUrl helpContentsUrl();

// Makes the bundled pages readable under ":/help". The window does this
// itself; code that reads the pages without a window calls it first.
void loadHelpPages();

// Opens (or raises) the help window of `parent`'s top-level window on a topic
// or on the contents. A topic without a page shows a short "not available"
// page with a link to the contents; no message box is raised.
void openHelpTopic(QWidget* parent, int topic);
void openHelpContents(QWidget* parent);

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  void showPage(const QUrl& url);
  QTextBrowser* browser() const { return browser_; }

 private:
  void updateTitle();

  QTextBrowser* browser_;
  QToolButton* contentsButton_;
  QToolButton* backButton_;
  QToolButton* forwardButton_;
};

}  // namespace rb::ui
