#include <QDir>
#include <QFile>
#include <QTest>

#include "../files/filesizelimit.h"
#include "reportfixtures.h"
#include "reports/reportfile.h"
#include "support/tempprogramdir.h"

using namespace orvex;

namespace {

ReportInput spanishInput(const QString& serial) {
  ReportInput in = test::handWorkedInput(QStringLiteral("es"));
  in.texts[1] = QStringLiteral(u"Informe de Configuración");
  in.texts[46] = QStringLiteral(u"Sin alarma");
  in.serialNumber = serial;
  return in;
}

}  // namespace

class TestReportFile : public QObject {
  Q_OBJECT
 private slots:
  void writesWindows1252WithCrLf() {
    test::TempProgramDir dir;
    const ReportOutcome out = writeReportFile(dir.path(), spanishInput("SN 12 34"), nullptr);
    QVERIFY2(out.written, qPrintable(out.message));
    QCOMPARE(QDir::cleanPath(out.path), QDir::cleanPath(dir.file("Report/Txt/SN 12 34.txt")));
    const QByteArray bytes = dir.read("Report/Txt/SN 12 34.txt");
    QVERIFY(bytes.startsWith("TITULO\tL_PARAMETROS_RED\t") && bytes.endsWith("\tSN 12 34\r\n"));
    QVERIFY(bytes.contains("\tL_SE\xD1" "AL_ALR\t") && bytes.contains("Informe de Configuraci\xF3n\t"));
    QVERIFY(bytes.count("\r\n") == 2 && bytes.count('\n') == 2);
  }
  void fullDiskKeepsTheEarlierReport() {
    test::TempProgramDir dir;
    QVERIFY(writeReportFile(dir.path(), spanishInput("FULL"), nullptr).written);
    const QByteArray before = dir.read("Report/Txt/FULL.txt");
    ReportInput in = spanishInput("FULL");
    in.texts[1] = QStringLiteral("Changed");
    ReportOutcome out;
    {
      test::FileSizeLimit diskFull(100);
      out = writeReportFile(dir.path(), in, nullptr);
    }
    QVERIFY(!out.written && out.title == "File not written");
    QCOMPARE(dir.read("Report/Txt/FULL.txt"), before);
  }
};

QTEST_GUILESS_MAIN(TestReportFile)
#include "test_reportfile.moc"
