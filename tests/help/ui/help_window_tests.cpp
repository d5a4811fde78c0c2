// The help window and the pages shipped with it: topics open on their page,
// one window serves a main window, and the pages form a closed set where every
// link lands on a page (and anchor) that exists.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QWidget>

#include "help/ui/help_window.h"

namespace {

// Every topic number the program asks for: the main window, the dialogs, the
// error log, the nine ledgers and the eight enterprise kinds.
const QList<int> kTopics = {1,     100,   200,   300,   400,   1000,  10000, 11000,
                            12000, 13000, 14000, 15000, 16000, 17000, 18000, 20000,
                            30000, 40000, 50000, 60000, 70000, 80000, 90000};

QString pageText(const QString& fileName) {
  QFile file(QStringLiteral(":/help/") + fileName);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QStringList helpPages() {
  return QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
}

QStringList linksOf(const QString& html) {
  static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
  QStringList links;
  for (auto it = href.globalMatch(html); it.hasNext();) links << it.next().captured(1);
  return links;
}

bool isExternal(const QString& link) {
  return link.startsWith(QLatin1String("http:")) || link.startsWith(QLatin1String("https:")) ||
         link.startsWith(QLatin1String("mailto:"));
}

rb::ui::HelpWindow* helpWindowOf(QWidget& owner) {
  const auto windows = owner.findChildren<rb::ui::HelpWindow*>();
  return windows.size() == 1 ? windows.front() : nullptr;
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rb::ui::loadHelpPages(); }
  void opensTheTopicsPage_data();
  void opensTheTopicsPage();
  void oneWindowPerMainWindowWithHistory();
  void contentsAndMissingTopic();
  void everyTopicHasAPageLinkingBackToTheContents();
  void everyInternalLinkResolves();
  void everyPageIsReachableFromTheContents();
  void bundledPagesMatchTheHelpFolder();
};

void HelpWindowTest::opensTheTopicsPage_data() {
  QTest::addColumn<int>("topic");
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("title");
  QTest::newRow("main window") << 1 << "1.htm" << "The Ranchbook window";
  QTest::newRow("getting started") << 100 << "100.htm" << "Getting started";
  QTest::newRow("buildings ledger") << 13000 << "13000.htm" << "Buildings and facilities depreciation";
  QTest::newRow("other enterprises") << 90000 << "90000.htm" << "Other enterprises";
  QTest::newRow("no topic of its own") << 0 << "1.htm" << "The Ranchbook window";
  QTest::newRow("negative topic") << -7 << "1.htm" << "The Ranchbook window";
}

void HelpWindowTest::opensTheTopicsPage() {
  QFETCH(int, topic);
  QFETCH(QString, page);
  QFETCH(QString, title);

  QWidget owner;
  auto* child = new QWidget(&owner);
  rb::ui::openHelpTopic(child, topic);

  rb::ui::HelpWindow* window = helpWindowOf(owner);
  QVERIFY(window != nullptr);
  QVERIFY(window->isVisible());
  QCOMPARE(window->objectName(), QStringLiteral("frmHelp"));
  QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("qrc:/help/") + page));
  QCOMPARE(window->browser()->documentTitle(), title);
  QCOMPARE(window->windowTitle(), QStringLiteral("Ranchbook Help - ") + title);
  QVERIFY(!window->browser()->toPlainText().trimmed().isEmpty());
}

void HelpWindowTest::oneWindowPerMainWindowWithHistory() {
  QWidget owner;
  rb::ui::openHelpTopic(&owner, 20000);
  rb::ui::openHelpTopic(&owner, 30000);

  rb::ui::HelpWindow* window = helpWindowOf(owner);
  QVERIFY2(window != nullptr, "a second request reuses the open help window");
  QCOMPARE(window->browser()->source().fileName(), QStringLiteral("30000.htm"));

  auto* contents = window->findChild<QToolButton*>(QStringLiteral("btnHelpContents"));
  auto* back = window->findChild<QToolButton*>(QStringLiteral("btnHelpBack"));
  auto* forward = window->findChild<QToolButton*>(QStringLiteral("btnHelpForward"));
  QVERIFY(contents && back && forward);

  QVERIFY(back->isEnabled());
  QVERIFY(!forward->isEnabled());
  contents->click();
  QCOMPARE(window->browser()->source(), rb::ui::helpContentsUrl());
  QCOMPARE(window->windowTitle(), QStringLiteral("Ranchbook Help - Contents"));
  back->click();
  QCOMPARE(window->browser()->source().fileName(), QStringLiteral("30000.htm"));
  back->click();
  QCOMPARE(window->browser()->source().fileName(), QStringLiteral("20000.htm"));
  QVERIFY(!back->isEnabled());
  QVERIFY(forward->isEnabled());
  forward->click();
  QCOMPARE(window->browser()->source().fileName(), QStringLiteral("30000.htm"));
}

void HelpWindowTest::contentsAndMissingTopic() {
  QWidget owner;
  rb::ui::openHelpContents(&owner);
  rb::ui::HelpWindow* window = helpWindowOf(owner);
  QVERIFY(window != nullptr);
  QCOMPARE(window->browser()->documentTitle(), QStringLiteral("Contents"));

  // A topic without a page: the window says so itself and offers the contents.
  rb::ui::openHelpTopic(&owner, 12345);
  QCOMPARE(window->browser()->source().fileName(), QStringLiteral("12345.htm"));
  QCOMPARE(window->browser()->documentTitle(), QStringLiteral("Page not available"));
  QVERIFY(window->browser()->toHtml().contains(QStringLiteral("contents.htm")));
}

void HelpWindowTest::everyTopicHasAPageLinkingBackToTheContents() {
  for (int topic : kTopics) {
    const QString page = rb::ui::helpTopicUrl(topic).fileName();
    const QString html = pageText(page);
    QVERIFY2(!html.isEmpty(), qPrintable(page + " is not bundled"));
    QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page + " has no title"));
    QVERIFY2(html.contains(QStringLiteral("href=\"style.css\"")), qPrintable(page + " lacks the shared style"));
    QVERIFY2(linksOf(html).contains(QStringLiteral("contents.htm")), qPrintable(page + " has no link to the contents"));
  }
}

void HelpWindowTest::everyInternalLinkResolves() {
  const QStringList pages = helpPages();
  QVERIFY(pages.size() > kTopics.size());
  for (const QString& page : pages) {
    for (const QString& link : linksOf(pageText(page))) {
      if (isExternal(link)) continue;
      const QString where = page + " -> " + link;
      const QString target = link.section(QLatin1Char('#'), 0, 0);
      const QString anchor = link.section(QLatin1Char('#'), 1);
      const QString targetPage = target.isEmpty() ? page : target;
      QVERIFY2(QFile::exists(QStringLiteral(":/help/") + targetPage), qPrintable(where + ": no such page"));
      if (!anchor.isEmpty()) {
        QVERIFY2(pageText(targetPage).contains(QStringLiteral("id=\"%1\"").arg(anchor)),
                 qPrintable(where + ": no such anchor"));
      }
    }
  }
}

void HelpWindowTest::everyPageIsReachableFromTheContents() {
  QSet<QString> reached{QStringLiteral("contents.htm")};
  QStringList queue{QStringLiteral("contents.htm")};
  while (!queue.isEmpty()) {
    const QString page = queue.takeFirst();
    for (const QString& link : linksOf(pageText(page))) {
      const QString target = link.section(QLatin1Char('#'), 0, 0);
      if (isExternal(link) || !target.endsWith(QLatin1String(".htm")) || reached.contains(target)) continue;
      reached.insert(target);
      queue << target;
    }
  }
  for (const QString& page : helpPages()) {
    QVERIFY2(reached.contains(page), qPrintable(page + " cannot be reached from the contents"));
  }
}

void HelpWindowTest::bundledPagesMatchTheHelpFolder() {
  const QStringList onDisk =
      QDir(QStringLiteral(RB_SOURCE_DIR "/help")).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
  const QStringList bundled = QDir(QStringLiteral(":/help")).entryList(QDir::Files, QDir::Name);
  QCOMPARE(bundled, onDisk);
}

QTEST_MAIN(HelpWindowTest)
#include "help_window_tests.moc"
