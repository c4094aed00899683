#include <QFile>
#include <QTest>

#include "common/cp1252.h"
#include "common/textfile.h"
#include "support/tempprogramdir.h"

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
    QCOMPARE(toCp1252(QStringLiteral(u"FRANÇAIS")), QByteArray("FRAN\xC7" "AIS"));
    bool lossless = true;
    QCOMPARE(toCp1252(QStringLiteral(u"a\u4E2Db"), &lossless), QByteArray("a?b"));
    QVERIFY(!lossless);
  }
  void atomicWriteReplacesWholeFile() {
    test::TempProgramDir dir(false);
    const QString path = dir.file("conflang.sys");
    QString error;
    QVERIFY(writeTextFileAtomic(path, QStringLiteral(u"$FRANÇAIS$\r\n"), &error));
    QCOMPARE(dir.read("conflang.sys"), QByteArray("$FRAN\xC7" "AIS$\r\n"));
    QString back;
    QVERIFY(readTextFile(path, kSettingsFileLimit, &back));
    QCOMPARE(back, QStringLiteral(u"$FRANÇAIS$\r\n"));
  }
  void failedWriteSaysWhyAndLeavesNoFile() {
    test::TempProgramDir dir(false);
    QString error;
    QVERIFY(!writeTextFileAtomic(dir.file("Report/Txt/a.txt"), "new", &error));  // no folder
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(dir.file("Report/Txt/a.txt")));
  }
  void findsFilesWithoutRegardToCase() {
    test::TempProgramDir dir(false);
    dir.write("DEFAULT.FIL", "x\r\n");
    QCOMPARE(findFileNoCase(dir.path(), "Default.fil"), dir.file("DEFAULT.FIL"));
    QCOMPARE(findFileNoCase(dir.path(), "missing.qvt"), dir.file("missing.qvt"));
  }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
