#include <QTest>

#include "lang/languages.h"

using namespace orvex;

class TestLanguages : public QObject {
  Q_OBJECT
 private slots:
  void scansMarker_data();
  void scansMarker();
  void startupChoice_data();
  void startupChoice();
  void unreadableFileGivesEnglishWithMessage();
  void languageTableMatchesBlocksAndButtons();
  void fileContentIsOneLine();
};

void TestLanguages::scansMarker_data() {
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

void TestLanguages::scansMarker() {
  QFETCH(QString, content);
  QFETCH(bool, found);
  QFETCH(QString, marker);
  const std::optional<QString> scanned = scanLanguageMarker(content);
  QCOMPARE(scanned.has_value(), found);
  if (found) QCOMPARE(*scanned, marker);
}

void TestLanguages::startupChoice_data() {
  QTest::addColumn<QString>("content");
  QTest::addColumn<QString>("marker");
  QTest::addColumn<int>("base");
  QTest::addColumn<bool>("matched");
  QTest::addColumn<bool>("message");
  QTest::addColumn<bool>("rewrite");
  QTest::newRow("castellano") << "$CASTELLANO$\r\n" << "$CASTELLANO$" << 0 << true << false << false;
  QTest::newRow("english") << "$ENGLISH$\r\n" << "$ENGLISH$" << 300 << true << false << false;
  QTest::newRow("français with the accent")
      << QString::fromUtf8("$FRANÇAIS$\r\n") << QString::fromUtf8("$FRANÇAIS$") << 600 << true
      << false << false;
  QTest::newRow("deutschland") << "$DEUTSCHLAND$" << "$DEUTSCHLAND$" << 900 << true << false << false;
  QTest::newRow("norwegian") << "$NORWEGIAN$\r\n" << "$NORWEGIAN$" << 1200 << true << false << false;
  QTest::newRow("francais without the accent is unknown")
      << "$FRANCAIS$\r\n" << "$ENGLISH$" << 300 << false << false << true;
  QTest::newRow("lower case is unknown") << "$english$" << "$ENGLISH$" << 300 << false << false << true;
  QTest::newRow("well formed, unknown") << "$KLINGON$" << "$ENGLISH$" << 300 << false << false << true;
  QTest::newRow("empty file is damaged") << "" << "$ENGLISH$" << 300 << false << true << true;
  QTest::newRow("one dollar is damaged") << "ENGLISH$" << "$ENGLISH$" << 300 << false << true << true;
}

void TestLanguages::startupChoice() {
  QFETCH(QString, content);
  const StartupLanguage choice = chooseStartupLanguage(true, content);
  QTEST(choice.marker, "marker");
  QTEST(choice.base, "base");
  QTEST(choice.matched, "matched");
  QTEST(choice.showMessage, "message");
  QTEST(choice.rewriteFile, "rewrite");
  QCOMPARE(choice.fileSound, !choice.showMessage);
}

void TestLanguages::unreadableFileGivesEnglishWithMessage() {
  // Whatever was read before the failure does not count.
  const StartupLanguage choice = chooseStartupLanguage(false, "$CASTELLANO$");
  QCOMPARE(choice.marker, QString("$ENGLISH$"));
  QCOMPARE(choice.base, 300);
  QVERIFY(choice.showMessage);
  QVERIFY(choice.rewriteFile);
  QVERIFY(!choice.fileSound);
}

void TestLanguages::languageTableMatchesBlocksAndButtons() {
  const QStringList order{"$CASTELLANO$", "$ENGLISH$", QString::fromUtf8("$FRANÇAIS$"),
                          "$DEUTSCHLAND$", "$NORWEGIAN$"};
  const QStringList buttons{"Command1", "Command3", "Command6", "Command4", "Command7"};
  for (int i = 0; i < 5; ++i) {
    const Language* language = languageForMarker(order[i]);
    QVERIFY(language);
    QCOMPARE(language->base, i * 300);
    QCOMPARE(QString(language->buttonName), buttons[i]);
    QCOMPARE(languageForBase(i * 300), language);
  }
  QVERIFY(!languageForBase(150));
  QCOMPARE(QString::fromUtf16(englishLanguage().marker), QString("$ENGLISH$"));
}

void TestLanguages::fileContentIsOneLine() {
  QCOMPARE(languageFileContent("$ENGLISH$"), QString("$ENGLISH$\r\n"));
}

QTEST_APPLESS_MAIN(TestLanguages)
#include "test_languages.moc"
