#include <QTest>

#include "lang/languages.h"

using namespace orvex;

class TestLanguages : public QObject {
  Q_OBJECT
 private slots:
  void scansMarker_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("marker");
    QTest::newRow("marker and line end") << "$ENGLISH$\r\n" << true << "$ENGLISH$";
    QTest::newRow("leading text ignored") << "lang=$NORWEGIAN$ rest" << true << "$NORWEGIAN$";
    QTest::newRow("third dollar ignored") << "$A$B$" << true << "$A$";
    QTest::newRow("two dollars side by side") << "$$" << true << "$$";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("one dollar") << "$ENGLISH" << false << "";
    QTest::newRow("no dollar, long") << QString(80, 'x') << false << "";
    QTest::newRow("second dollar at 50")
        << QString(41, ' ') + "$ENGLISH$" + QString(10, ' ') << true << "$ENGLISH$";
    QTest::newRow("second dollar at 51")
        << QString(42, ' ') + "$ENGLISH$" + QString(10, ' ') << false << "";
    QTest::newRow("first dollar at 50, second beyond")
        << QString(49, ' ') + "$ENGLISH$" << false << "";
  }
  void scansMarker() {
    QFETCH(QString, content);
    QFETCH(bool, found);
    QFETCH(QString, marker);
    const std::optional<QString> scanned = scanLanguageMarker(content);
    QCOMPARE(scanned.has_value(), found);
    if (found) QCOMPARE(*scanned, marker);
  }
  void startupChoice_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("base");
    QTest::addColumn<bool>("matched");
    QTest::addColumn<bool>("message");
    QTest::addColumn<bool>("rewrite");
    // The start-up test runs the common choices through the whole start; these are the rest.
    QTest::newRow("english") << "$ENGLISH$\r\n" << "$ENGLISH$" << 300 << true << false << false;
    QTest::newRow("lower case is unknown") << "$english$" << "$ENGLISH$" << 300 << false << false << true;
    QTest::newRow("well formed, unknown") << "$KLINGON$" << "$ENGLISH$" << 300 << false << false << true;
    QTest::newRow("one dollar is damaged") << "ENGLISH$" << "$ENGLISH$" << 300 << false << true << true;
  }
  void startupChoice() {
    QFETCH(QString, content);
    const StartupLanguage choice = chooseStartupLanguage(true, content);
    QTEST(choice.marker, "marker");
    QTEST(choice.base, "base");
    QTEST(choice.matched, "matched");
    QTEST(choice.showMessage, "message");
    QTEST(choice.rewriteFile, "rewrite");
    QCOMPARE(choice.fileSound, !choice.showMessage);
  }
  void unreadableFileGivesEnglishWithMessage() {
    // Whatever was read before the failure does not count.
    const StartupLanguage choice = chooseStartupLanguage(false, "$CASTELLANO$");
    QCOMPARE(choice.marker, QString("$ENGLISH$"));
    QCOMPARE(choice.base, 300);
    QVERIFY(choice.showMessage);
    QVERIFY(choice.rewriteFile);
    QVERIFY(!choice.fileSound);
  }
  void everyLanguageFoundByMarkerAndBase() {
    QCOMPARE(languages().size(), size_t(5));
    for (const Language& language : languages()) {
      QCOMPARE(languageForMarker(QString::fromUtf16(language.marker)), &language);
      QCOMPARE(languageForBase(language.base), &language);
    }
    QVERIFY(!languageForBase(150));
    QCOMPARE(QString::fromUtf16(englishLanguage().marker), QString("$ENGLISH$"));
  }
};

QTEST_APPLESS_MAIN(TestLanguages)
#include "test_languages.moc"
