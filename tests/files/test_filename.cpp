#include <QTest>

#include "files/filename.h"

using namespace orvex;

class TestFileName : public QObject {
  Q_OBJECT
 private slots:
  void judgesNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("plain") << "FABRICA" << true;
    QTest::newRow("spaces kept") << "Planta 2 norte" << true;
    QTest::newRow("with extension") << "A.QVT" << true;
    QTest::newRow("accented") << QStringLiteral(u"Año ñ") << true;
    QTest::newRow("serial number") << "SN-0042/7" << false;
    QTest::newRow("device-like prefix") << "CONSOLA" << true;
    QTest::newRow("COM0 is not a device") << "COM0" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("parent") << ".." << false;
    QTest::newRow("parent inside") << "a..b" << false;
    QTest::newRow("drive") << "C:x" << false;
    for (const char c : QByteArray("*?\"<>|"))
      QTest::newRow(qPrintable(QStringLiteral("char %1").arg(QLatin1Char(c))))
          << QStringLiteral("a%1b").arg(QLatin1Char(c)) << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("newline") << "a\nb" << false;
    QTest::newRow("delete") << QStringLiteral(
                                   "a\x7F"
                                   "b")
                            << false;
    QTest::newRow("trailing dot") << "name." << false;
    QTest::newRow("trailing blank") << "name " << false;
    for (const char* device :
         {"CON", "prn", "Aux", "NUL", "COM1", "com9", "LPT1", "lpt9", "CON.txt", "nul.QVT",
          "COM3 .x", "COM\xB9", "lpt\xB2.txt", "LPT\xB3", "CONIN$", "conout$.x"})
      QTest::newRow(qPrintable(QString::fromLatin1(device)))
          << QString::fromLatin1(device) << false;
  }
  void judgesNames() {
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(isSafeFileName(name), safe);
  }
};

QTEST_GUILESS_MAIN(TestFileName)
#include "test_filename.moc"
