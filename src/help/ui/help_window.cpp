#include "help/ui/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

// The pages live in a static library; its resource initialiser is only linked
// in when something refers to it, so the help code registers them itself.
static void registerHelpPages() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(help_pages);
    return true;
  }();
  (void)registered;
}

namespace rb::ui {
namespace {

const char* const kHelpFolder = "qrc:/help/";
const char* const kWindowName = "frmHelp";

// A browser that answers a missing page with a short page of its own, so a
// topic without a page still leaves the user one click from the contents.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    if (type == QTextDocument::HtmlResource && name.scheme() == QLatin1String("qrc") &&
        !QFile::exists(QLatin1Char(':') + name.path())) {
      return missingPageHtml(name);
    }
    return QTextBrowser::loadResource(type, name);
  }

 private:
  static QString missingPageHtml(const QUrl& name) {
    const QString page = name.fileName().toHtmlEscaped();
    return QStringLiteral(
               "<html><head><title>Page not available</title>"
               "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/></head><body>"
               "<h1>Page not available</h1>"
               "<p>This version of Ranchbook has no help page &ldquo;%1&rdquo;.</p>"
               "<p><a href=\"contents.htm\">Go to the help contents</a></p></body></html>")
        .arg(page);
  }
};

QToolButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setObjectName(name);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return button;
}

HelpWindow* helpWindowFor(QWidget* parent) {
  loadHelpPages();
  if (parent == nullptr) {
    // Without a window to belong to, one free-standing help window serves
    // every request and is freed when the user closes it.
    static QPointer<HelpWindow> standalone;
    if (standalone.isNull()) {
      standalone = new HelpWindow(nullptr);
      standalone->setAttribute(Qt::WA_DeleteOnClose);
    }
    return standalone;
  }
  QWidget* owner = parent->window();
  auto* window = owner->findChild<HelpWindow*>(QLatin1String(kWindowName), Qt::FindDirectChildrenOnly);
  if (window == nullptr) window = new HelpWindow(owner);
  return window;
}

void present(HelpWindow* window, const QUrl& url) {
  window->showPage(url);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

QUrl helpTopicUrl(int topic) {
  const int page = topic < 1 ? 1 : topic;
  return QUrl(QLatin1String(kHelpFolder) + QString::number(page) + QLatin1String(".htm"));
}

QUrl helpContentsUrl() { return QUrl(QLatin1String(kHelpFolder) + QLatin1String("contents.htm")); }

void loadHelpPages() { registerHelpPages(); }

void openHelpTopic(QWidget* parent, int topic) { present(helpWindowFor(parent), helpTopicUrl(topic)); }

void openHelpContents(QWidget* parent) { present(helpWindowFor(parent), helpContentsUrl()); }

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window),
      browser_(new HelpBrowser(this)),
      contentsButton_(makeButton(tr("Contents"), QStringLiteral("btnHelpContents"), this)),
      backButton_(makeButton(tr("Back"), QStringLiteral("btnHelpBack"), this)),
      forwardButton_(makeButton(tr("Forward"), QStringLiteral("btnHelpForward"), this)) {
  loadHelpPages();
  setObjectName(QLatin1String(kWindowName));
  setModal(false);
  resize(780, 580);

  browser_->setObjectName(QStringLiteral("brwHelp"));
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({QStringLiteral(":/help")});

  auto* bar = new QHBoxLayout;
  bar->addWidget(contentsButton_);
  bar->addWidget(backButton_);
  bar->addWidget(forwardButton_);
  bar->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);

  backButton_->setEnabled(false);
  forwardButton_->setEnabled(false);
  connect(contentsButton_, &QToolButton::clicked, this, [this] { showPage(helpContentsUrl()); });
  connect(backButton_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forwardButton_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] { updateTitle(); });
  updateTitle();
}

void HelpWindow::showPage(const QUrl& url) { browser_->setSource(url); }

void HelpWindow::updateTitle() {
  const QString page = browser_->documentTitle();
  setWindowTitle(page.isEmpty() ? tr("Ranchbook Help") : tr("Ranchbook Help - %1").arg(page));
}

}  // namespace rb::ui
