#include <QTest>

#include <QTemporaryDir>

#include "cli/cliarguments.h"
#include "cli/controllers.h"
#include "files/filename.h"

using namespace orvex::cli;
using orvex::portFileName;

class TestCliArguments : public QObject {
  Q_OBJECT
 private slots:
  // Usage errors are caught before any controller is touched (exit status 2).
  // clang-format off
  void commandLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("outcome");  // "run", "help" or the start of the problem
    QTest::newRow("read one port") << "read --port COM1 -o a.QVT" << "run";
    QTest::newRow("read two ports into a folder") << "read --port=COM1,/dev/ttyUSB0 -o out/" << "run";
    QTest::newRow("read two ports into a file") << "read --port COM1,COM2 -o a.QVT" << "With several ports";
    QTest::newRow("read without -o") << "read --port COM1" << "read needs -o";
    QTest::newRow("port named twice") << "write a.QVT --port COM1,COM1" << "A port is named twice";
    QTest::newRow("write without port") << "write a.QVT" << "write needs --port";
    QTest::newRow("write two files") << "write a.QVT b.QVT --port COM1" << "write takes one";
    QTest::newRow("compare one side") << "compare a.QVT" << "compare takes two";
    QTest::newRow("report without serial") << "report a.QVT --lang de" << "report needs --serial";
    QTest::newRow("unknown language") << "report a.QVT --serial S --lang it" << "--lang takes";
    QTest::newRow("report of a controller") << "report --port COM1 --serial S --site W" << "run";
    QTest::newRow("report of a file and a port") << "report a.QVT --port COM1 --serial S" << "report takes one";
    QTest::newRow("report of two ports") << "report --port COM1,COM2 --serial S" << "report reads one";
    QTest::newRow("value missing") << "read -o x.QVT --port" << "The option --port needs";
    QTest::newRow("value empty") << "read --port COM1 --output=" << "The option --output needs";
    QTest::newRow("unknown option") << "read --port COM1 -o a.QVT --fast" << "Unknown option --fast";
    QTest::newRow("unknown command") << "flash a.QVT" << "Unknown command";
    QTest::newRow("help of a command") << "write --help" << "help";
    QTest::newRow("output given twice") << "read --port COM1 -o a/ --output b/" << "The option -o is given twice";
    QTest::newRow("json given twice") << "compare a b --json --json" << "The option --json is given twice";
    QTest::newRow("write without a copy") << "write a.QVT --port COM1 --no-backup" << "run without copy";
    QTest::newRow("no copy for a read") << "read --port COM1 -o a/ --no-backup" << "--no-backup is an option of write";
    QTest::newRow("history") << "history --json --dir d" << "run";
    QTest::newRow("history of a port") << "history --port COM1" << "history takes no file";
  }
  // clang-format on
  void commandLines() {
    QFETCH(QString, line);
    QFETCH(QString, outcome);
    const ParsedCommandLine parsed = parseCommandLine(line.split(' '));
    const QString run = parsed.arguments.noBackup ? "run without copy" : "run";
    const QString got = parsed.kind == ParsedCommandLine::Kind::Run    ? run
                        : parsed.kind == ParsedCommandLine::Kind::Help ? QStringLiteral("help")
                                                                       : parsed.text;
    QVERIFY2(got.startsWith(outcome), qPrintable(got));
  }
  void portsAndSides() {
    const Arguments a =
        parseCommandLine({"read", "--port", "COM12, /dev/ttyUSB0,\r", "-o", "d/"}).arguments;
    QCOMPARE(a.ports, (QStringList{"COM12", "/dev/ttyUSB0"}));
    QCOMPARE(QList<int>({comNumber(a.ports[0]), comNumber(a.ports[1]), comNumber("com3")}),
             QList<int>({12, 0, 3}));
    QCOMPARE(portFileName("/dev/ttyUSB0") + portFileName("COM1"), QString("ttyUSB0COM1"));
    QCOMPARE(portOfSide("port:COM2") + "|" + portOfSide("factory.QVT"), QString("COM2|"));
    // --port given again adds its ports.
    QCOMPARE(
        parseCommandLine({"read", "--port", "COM1", "-o", "d/", "--port", "COM2"}).arguments.ports,
        (QStringList{"COM1", "COM2"}));
  }
  // COMn and the device its link leads to are one device.
  void portsSharingOneDevice() {
    QTemporaryDir dir;
    QFile device(dir.filePath("ttyFAKE"));
    QVERIFY(device.open(QIODevice::WriteOnly));
    const QString programDir = dir.path() + '/';
#ifndef Q_OS_WIN  // there COMn is the system's own port, not a link in the program's folder
    QVERIFY(QFile::link(device.fileName(), dir.filePath("COM1")));
    QVERIFY(portsSharingADevice({"COM1", device.fileName()}, programDir).contains("same device"));
#endif
    QVERIFY(portsSharingADevice({"COM2", "com2"}, programDir).contains("same device"));
    QVERIFY(portsSharingADevice({"COM1", "COM2"}, programDir).isEmpty());
    QVERIFY(portsSharingAFileName({"/a/COM1", "/b/com1"}).contains("files of the same name"));
    QVERIFY(portsSharingAFileName({"/a/COM1", "/a/COM2"}).isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestCliArguments)
#include "test_cliarguments.moc"
