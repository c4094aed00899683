// orvex-cli as a panel builder uses it, against several orvex-sim on pseudo-terminals in
// real time (about a minute: a read, a write with its reset and read-back, a comparison).
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

#include <csignal>

#include "../files/filesizelimit.h"
#include "files/qvtformat.h"
#include "simprocess.h"
#include "support/tempprogramdir.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct Bench {
  TempProgramDir dir;
  std::vector<std::unique_ptr<SimProcess>> sims;

  bool startSims(const QList<QStringList>& faults) {
    for (int i = 0; i < faults.size(); ++i) {
      sims.push_back(std::make_unique<SimProcess>(dir.path(), i + 1));
      if (!sims.back()->start(faults[i])) return false;
    }
    return true;
  }
  // orvex-cli run in the program directory: exit status, standard output and error.
  int cli(const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr) {
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(binaryPath("orvex-cli"), args);
    if (!process.waitForFinished(90'000)) return -1;
    if (out) *out = process.readAllStandardOutput();
    if (err) *err = process.readAllStandardError();
    return process.exitCode();
  }
  ParameterSet file(const QString& relative) {
    ParameterSet set;
    QString problem;
    readQvtFile(dir.file(relative), &set, &problem);
    return set;
  }
};

}  // namespace

class TestE2eCli : public QObject {
  Q_OBJECT
 private slots:
  void readsTwoControllersAtOnce() {
    Bench b;
    b.dir.write("other.QVT", formatQvt(ParameterSet{}).replace(" 0 \r\n", " 2 \r\n").toLatin1());
    QVERIFY(b.startSims({{}, {"--config", b.dir.file("other.QVT")}}));
    QCOMPARE(b.cli({"read", "--port", "COM1,COM2", "-o", "read/"}), 0);
    QCOMPARE(configuration(b.file("read/COM1.QVT")), configuration(b.file("CONFIG/FACTORY.QVT")));
    QCOMPARE(configuration(b.file("read/COM2.QVT")), configuration(b.file("other.QVT")));
  }
  // Each controller's configuration is kept before the write: the one in a fault mode fails
  // alone, the one whose copy cannot be read is not written at all, the history tells all
  // three, and the copy written back puts the first controller back as it was.
  void writesThreeKeepingCopies() {
    Bench b;
    ParameterSet other = b.file("CONFIG/FACTORY.QVT");
    other[1] = other[3] = 1;
    b.dir.write("other.QVT", formatQvt(other).toLatin1());
    QVERIFY(b.startSims(
        {{"--config", b.dir.file("other.QVT")}, {"--ack-without-identity"}, {"--refuse", "05"}}));
    QByteArray out;
    QCOMPARE(b.cli({"write", "CONFIG/FACTORY.QVT", "--port", "COM1,COM2,COM3", "--json"}, &out), 1);
    QStringList told;
    for (const QJsonValue c : QJsonDocument::fromJson(out).object()["controllers"].toArray())
      told << c["outcome"].toString() + ' ' + c["written"].toString() + ' ' +
                  QString::number(c["slot"].toInt()) + ' ' + c["before"].toString().left(8);
    QCOMPARE(told, (QStringList{"ok all 0 History/", "partial-write partial 1 History/",
                                "exception none 0 "}));
    QVERIFY(out.contains("--no-backup"));
    ParameterSet registers;
    QVERIFY(b.sims[2]->stopAndReadRegisters(&registers));
    QCOMPARE(configuration(registers), configuration(b.file("CONFIG/FACTORY.QVT")));

    QCOMPARE(b.cli({"history", "--json"}, &out), 0);
    QStringList history;
    for (const QJsonValue w : QJsonDocument::fromJson(out).object()["writes"].toArray())
      history << w["port"].toString() + ' ' + w["outcome"].toString();
    history.sort();
    QCOMPARE(history, (QStringList{"COM1 verified", "COM2 partial at slot 1",
                                   "COM3 failed before writing"}));
    const QString before = QDir(b.dir.file("History")).entryList({"*COM1-before.QVT"}).value(0);
    QCOMPARE(configuration(b.file("History/" + before)), configuration(other));
    QCOMPARE(b.cli({"write", "History/" + before, "--port", "COM1", "--no-backup"}), 0);
    QVERIFY(b.sims[0]->stopAndReadRegisters(&registers));
    QCOMPARE(configuration(registers), configuration(other));
  }
  // The settings where the controller differs from a file, each with its slot.
  void comparesAFileWithAController() {
    Bench b;
    ParameterSet other = b.file("CONFIG/FACTORY.QVT");
    other[1] = 1;  // 63 V
    other[3] = 1;  // +2 %
    b.dir.write("other.QVT", formatQvt(other).toLatin1());
    QVERIFY(b.startSims({{"--config", b.dir.file("other.QVT")}}));
    QByteArray out;
    QCOMPARE(b.cli({"compare", "CONFIG/FACTORY.QVT", "port:COM1", "--json", "--lang", "en"}, &out),
             1);
    QStringList found;
    for (const QJsonValue& d : QJsonDocument::fromJson(out).object()["differences"].toArray())
      found << QString::number(d["slot"].toInt()) + ":" + d["a"].toString() + ">" +
                   d["b"].toString() + "=" + QString::number(d["a_registers"][0].toInt()) + ">" +
                   QString::number(d["b_registers"][0].toInt());
    QCOMPARE(found, (QStringList{"1:230 V>63 V=7>1", "3:+10 %>+2 %=4>1"}));
    QCOMPARE(b.cli({"compare", "CONFIG/FACTORY.QVT", "other.QVT"}), 1);
    QCOMPARE(b.cli({"compare", "other.QVT", "other.QVT"}), 0);
  }
  // What a script meets: ports added by a repeated --port, the same device twice and an output
  // that cannot be written refused at once (nothing made), a controller that cannot be read
  // told apart from a difference, and always a document to parse.
  void answersAScriptBeforeAndAfter() {
    Bench b;
    QVERIFY(b.startSims({{}, {}}));
    QCOMPARE(b.cli({"read", "--port", "COM1", "-o", "both/", "--port", "COM2"}), 0);
    QVERIFY(QFile::exists(b.dir.file("both/COM1.QVT")) &&
            QFile::exists(b.dir.file("both/COM2.QVT")));
    const QString device = QFileInfo(b.dir.file("COM1")).symLinkTarget();
    QCOMPARE(b.cli({"read", "--port", "COM1," + device, "-o", "same/"}), 2);
    b.dir.write("blocker", "a file");
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(b.cli({"read", "--port", "COM1,COM2", "-o", "lost/", "--log", "blocker/frames.log",
                    "--json"},
                   &out),
             2);
    QVERIFY2(timer.elapsed() < 3000, "found before reading");
    QCOMPARE(QJsonDocument::fromJson(out).object()["exit"].toInt(), 2);
    QVERIFY(!QFileInfo::exists(b.dir.file("lost")) && !QFileInfo::exists(b.dir.file("same")));
    QCOMPARE(b.cli({"compare", "CONFIG/FACTORY.QVT", "port:/dev/orvex-none", "--json"}, &out), 2);
    const QJsonObject compared = QJsonDocument::fromJson(out).object();
    QCOMPARE(compared["controllers"][0]["outcome"].toString(), "port-busy");
    QCOMPARE(compared["b"]["port"].toString() + compared["a"]["file"].toString(),
             "/dev/orvex-noneCONFIG/FACTORY.QVT");
  }
  // A file the editor could not show is refused before any controller is touched.
  void refusesAFileTheEditorCannotShow() {
    Bench b;
    b.dir.write("bad.QVT", formatQvt(ParameterSet{}).replace(" 0 \r\n", " 99 \r\n").toLatin1());
    QCOMPARE(b.cli({"write", "bad.QVT", "--port", "COM1"}), 2);
  }
  void reportsInTwoLanguages() {
    Bench b;
    for (const auto& [language, title] : {std::pair{"es", u"INFORME DE CONFIGURACIÓN ORVEX"},
                                          std::pair{"de", u"ORVEX KONFIGURATIONSBERICHT"}}) {
      const QString folder = QStringLiteral("reports/") + language;  // made by the command
      QCOMPARE(b.cli({"report", "CONFIG/FACTORY.QVT", "--serial", "SN-5", "--lang", language, "-o",
                      folder}),
               0);
      QProcess text;
      text.start("pdftotext", {b.dir.file(folder + "/SN-5.pdf"), "-"});
      QVERIFY(text.waitForFinished(10'000));
      QVERIFY(
          QString::fromUtf8(text.readAllStandardOutput()).startsWith(QString::fromUtf16(title)));
      QVERIFY(QFile::exists(b.dir.file(folder + "/SN-5.txt")));
    }
    // A document the disk cuts short fails the command and leaves the earlier one whole.
    const QByteArray whole = b.dir.read("reports/de/SN-5.pdf");
    {
      FileSizeLimit diskFull(8 * 1024);  // room for the data file, not the document
      QCOMPARE(b.cli({"report", "CONFIG/FACTORY.QVT", "--serial", "SN-5", "-o", "reports/de"}), 1);
    }
    QCOMPARE(b.dir.read("reports/de/SN-5.pdf"), whole);
    // A damaged textos.sys is told as the windowed program tells it; the built-in texts serve.
    b.dir.write("textos.sys", "\"one item\"\r\n");
    QByteArray err;
    QCOMPARE(b.cli({"report", "CONFIG/FACTORY.QVT", "--serial", "SN-6", "-o", "out"}, nullptr,
                   &err),
             0);
    QVERIFY2(err.contains("textos.sys"), err.constData());
  }
  // Read and reported in one step: an archival document saying which model, read from which
  // port, for which customer, who is kept for the next report.
  void reportsWhatItReadsFromAController() {
    Bench b;
    QVERIFY(b.startSims({{}}));
    QCOMPARE(b.cli({"report", "--port", "COM1", "--serial", "SN-PORT", "--lang", "en", "-o", "doc",
                    "--customer", "ACME"}),
             0);
    QProcess text;
    text.start("pdftotext", {b.dir.file("doc/SN-PORT.pdf"), "-"});
    QVERIFY(text.waitForFinished(10'000));
    const QString shown = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(shown.contains("Model: ORVEX\n") &&
                 shown.contains("read from the controller on COM1") &&
                 shown.contains("Customer: ACME"),
             qPrintable(shown));
    QProcess info;
    info.start("pdfinfo", {"-meta", b.dir.file("doc/SN-PORT.pdf")});
    QVERIFY(info.waitForFinished(10'000));
    const QByteArray meta = info.readAllStandardOutput();
    QVERIFY2(meta.contains("pdfaid:part='1'") && meta.contains("<rdf:li>en</rdf:li>"), meta);
    QCOMPARE(b.dir.read("confrep.sys"), QByteArray("ACME\r\n\r\n"));
  }
  // Ctrl-C after the tenth register: the write goes on to its verified end on a port it keeps
  // (a read that opens just after the 20 s reset pause, when the read-back begins, finds it
  // busy), the log is written as it goes, and the status tells of the interruption.
  void ctrlCLetsAWriteFinish() {
    Bench b;
    QVERIFY(b.startSims({{}}));
    QProcess write;
    write.setWorkingDirectory(b.dir.path());
    QByteArray err;
    QByteArray logSoFar;
    int intruder = -1;
    bool interrupted = false;
    const auto intrude = [&] {  // it opens the port a second after it starts
      logSoFar = b.dir.read("write.log");
      intruder = b.cli({"read", "--port", "COM1", "-o", "intruder.QVT"});
    };
    QObject::connect(&write, &QProcess::readyReadStandardError, [&] {
      const bool restarting = err.contains("Restarting");
      err += write.readAllStandardError();
      if (!interrupted && err.contains("Writing parameter 10")) {
        interrupted = ::kill(pid_t(write.processId()), SIGINT) == 0;
      } else if (!restarting && err.contains("Restarting")) {
        QTimer::singleShot(19'500, intrude);
      }
    });
    write.start(binaryPath("orvex-cli"), {"write", "CONFIG/FACTORY.QVT", "--port", "COM1", "--lang",
                                          "en", "--log", "write.log"});
    QTRY_VERIFY_WITH_TIMEOUT(write.state() == QProcess::NotRunning, 90'000);  // timers run
    err += write.readAllStandardError();
    QVERIFY2(err.contains("finishing the write on COM1"), err.constData());
    QCOMPARE(write.exitCode(), 130);
    QCOMPARE(intruder, 1);  // port busy
    QVERIFY(logSoFar.contains("37 06 00 0A") && !logSoFar.contains("outcome: written"));
    QVERIFY(b.dir.read("write.log").endsWith("outcome: written and verified\n"));
  }
};

QTEST_GUILESS_MAIN(TestE2eCli)
#include "test_e2e_cli.moc"
