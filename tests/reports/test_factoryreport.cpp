#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "files/qvtformat.h"
#include "lang/textsfile.h"
#include "reports/reportfile.h"
#include "support/tempprogramdir.h"

using namespace orvex;

// The delivered default configuration and text table, end to end into report files that a
// word processor's TAB-separated import (here Python's csv module) reads as 2 x 80.
class TestFactoryReport : public QObject {
  Q_OBJECT
 private slots:
  void factoryReportReadsAsTwoRowsOfEighty_data() {
    QTest::addColumn<int>("base");
    for (const int base : {0, 300, 600, 900, 1200}) QTest::addRow("base %d", base) << base;
  }
  void factoryReportReadsAsTwoRowsOfEighty() {
    QFETCH(int, base);
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QVERIFY2(!python.isEmpty(), "python3 is not installed (scripts/deps.sh installs it)");
    test::TempProgramDir dir;
    const ReportInput input = factoryInput(dir.path(), base);
    const ReportOutcome out = writeReportFile(dir.path(), input, nullptr);
    QVERIFY2(out.written, qPrintable(out.message));

    const QString script = QStringLiteral(
        "import csv,sys\n"
        "rows=list(csv.reader(open(sys.argv[1],encoding='cp1252',newline=''),delimiter='\\t'))\n"
        "assert len(rows)==2, len(rows)\n"
        "assert [len(r) for r in rows]==[80,80], [len(r) for r in rows]\n"
        "sys.stdout.buffer.write('\\n'.join(rows[1]).encode('utf-8'))\n");
    QProcess process;
    process.start(python, {QStringLiteral("-c"), script, out.path});
    QVERIFY(process.waitForFinished(20000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    // Python's fields are the fields we meant, text for text.
    const QStringList fields = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    QCOMPARE(fields, renderReportValues(input));
  }

 private:
  static ReportInput factoryInput(const QString& programDir, int base) {
    ReportInput in;
    QString problem;
    if (!loadDefaultConfiguration(programDir, &in.set, &problem)) qFatal("%s", qPrintable(problem));
    const TextBlock block = readTextBlock(programDir, base);
    if (block.status != TextBlock::Status::Ok) qFatal("textos.sys not readable");
    for (int n = 1; n <= 47; ++n) in.texts[static_cast<size_t>(n)] = block.items[210 + n - 1];
    // The number boxes show the byte pairs of slots 48..63, in this order.
    for (int i = 0; i < reportNumberBoxNames().size(); ++i) {
      const int high = 48 + 2 * i;
      in.numberBoxes.insert(reportNumberBoxNames()[i],
                            QString::number(bytePairValue(in.set[high], in.set[high + 1])));
    }
    in.serialNumber = QStringLiteral("FACTORY %1").arg(base);
    return in;
  }
};

QTEST_GUILESS_MAIN(TestFactoryReport)
#include "test_factoryreport.moc"
