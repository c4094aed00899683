#include <QTest>

#include "common/cp1252.h"

using namespace orvex;

class TestTextFile : public QObject {
  Q_OBJECT
 private slots:
  void cp1252RoundTripsEveryDefinedByte() {
    for (int b = 0; b < 256; ++b) {
      const QByteArray one(1, static_cast<char>(b));
      QCOMPARE(toCp1252(fromCp1252(one)), one);
    }
  }
  void cp1252MapsTheWindowsOnlyCharacters() {
    QCOMPARE(fromCp1252(QByteArray("\x80\x93\x94", 3)), QStringLiteral(u"€“”"));
    QCOMPARE(toCp1252(QStringLiteral(u"FRANÇAIS")), QByteArray("FRAN\xC7"
                                                               "AIS"));
    bool lossless = true;
    QCOMPARE(toCp1252(QStringLiteral(u"a\u4E2Db"), &lossless), QByteArray("a?b"));
    QVERIFY(!lossless);
  }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
