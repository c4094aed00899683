// A real Modbus master (mbpoll) reads the simulator's model register.
#include <QtTest>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

class TestMbpoll : public QObject {
  Q_OBJECT
 private slots:
  void readsModelRegister() {
    const QString mbpoll = QStandardPaths::findExecutable("mbpoll");
    if (mbpoll.isEmpty()) QSKIP("mbpoll is not installed");
    QTemporaryDir dir;
    QProcess sim;
    sim.start(qEnvironmentVariable("ORVEX_BIN_DIR") + "/orvex-sim",
              {"--program-dir", dir.path(), "--port", "1"});
    QVERIFY(sim.waitForReadyRead(5000));  // it announces itself once the link is made
    QVERIFY(QFileInfo(dir.filePath("COM1")).isSymLink());

    QProcess master;
    // Slave 0x37 = 55, holding register 0x002D (0-based), once, 9600 8N1.
    master.start(mbpoll, {"-m", "rtu", "-a", "55", "-0", "-r", "45", "-c", "1", "-t", "4",
                          "-b", "9600", "-P", "none", "-1", dir.filePath("COM1")});
    QVERIFY(master.waitForFinished(10000));
    const QString out = QString::fromLocal8Bit(master.readAllStandardOutput());
    sim.terminate();
    sim.waitForFinished(3000);
    QCOMPARE(master.exitCode(), 0);  // mbpoll checks the CRC: a bad one is an error
    QVERIFY2(QRegularExpression(R"(\[45\]:\s+1\b)").match(out).hasMatch(), qPrintable(out));
    QVERIFY2(!QFileInfo(dir.filePath("COM1")).isSymLink(), "the link goes with the simulator");
  }
};

QTEST_GUILESS_MAIN(TestMbpoll)
#include "test_mbpoll.moc"
