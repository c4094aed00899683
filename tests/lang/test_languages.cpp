#include <QTest>

#include "lang/languages.h"

using namespace orvex;

class TestLanguages : public QObject {
  Q_OBJECT
 private slots:
  // clang-format off
  void scansMarker_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("marker");  // "-": none found
    QTest::newRow("marker and line end") << "$ENGLISH$\r\n" << "$ENGLISH$";
    QTest::newRow("leading text ignored") << "lang=$NORWEGIAN$ rest" << "$NORWEGIAN$";
    QTest::newRow("third dollar ignored") << "$A$B$" << "$A$";
    QTest::newRow("two dollars side by side") << "$$" << "$$";
    QTest::newRow("empty") << "" << "-";
    QTest::newRow("one dollar") << "$ENGLISH" << "-";
    QTest::newRow("no dollar, long") << QString(80, 'x') << "-";
    QTest::newRow("second dollar at 50") << QString(41, ' ') + "$ENGLISH$" + QString(10, ' ') << "$ENGLISH$";
    QTest::newRow("second dollar at 51") << QString(42, ' ') + "$ENGLISH$" + QString(10, ' ') << "-";
    QTest::newRow("first dollar at 50, second beyond") << QString(49, ' ') + "$ENGLISH$" << "-";
  }
  // clang-format on
  void scansMarker() {
    QFETCH(QString, content);
    QTEST(scanLanguageMarker(content).value_or("-"), "marker");
  }
  // The start-up test runs the common choices through the whole start; these are the rest.
  // clang-format off
  void startupChoice_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("choice");  // marker, base, then matched, message, rewrite as bits
    QTest::newRow("english") << "$ENGLISH$\r\n" << "$ENGLISH$ 300 100";
    QTest::newRow("one dollar is damaged") << "ENGLISH$" << "$ENGLISH$ 300 011";
  }
  // clang-format on
  void startupChoice() {
    QFETCH(QString, content);
    const StartupLanguage c = chooseStartupLanguage(true, content);
    QTEST(QStringLiteral("%1 %2 %3%4%5")
              .arg(c.marker)
              .arg(c.base)
              .arg(int(c.matched))
              .arg(int(c.showMessage))
              .arg(int(c.rewriteFile)),
          "choice");
    QCOMPARE(c.fileSound, !c.showMessage);
  }
};

QTEST_APPLESS_MAIN(TestLanguages)
#include "test_languages.moc"
