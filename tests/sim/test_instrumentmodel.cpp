// The simulator's instrument model and options; then the program's own port, waiter and frame
// layer against the simulator's server on a real pseudo-terminal, in real time.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include "../files/filesizelimit.h"
#include "link/checksum.h"
#include "link/eventloopwaiter.h"
#include "link/framelayer.h"
#include "link/qtserialport.h"
#include "sim/instrumentmodel.h"
#include "sim/simoptions.h"
#include "sim/simserver.h"

using namespace orvex;
using namespace orvex::sim;

namespace {

QByteArray frame(const char* hexWithoutCrc) { return withCrc(QByteArray::fromHex(hexWithoutCrc)); }

// The whole reply as sent, pieces joined.
QByteArray joined(const InstrumentModel::Reply& reply) {
  QByteArray all;
  for (const auto& chunk : reply) all += chunk.bytes;
  return all;
}

QByteArray answer(InstrumentModel& model, const char* request, qint64 nowUs = 0) {
  return joined(model.handleFrame(frame(request), nowUs));
}

struct Rig {
  QTemporaryDir dir;
  SimOptions options;
  InstrumentModel model;
  std::unique_ptr<SimServer> server;
  QString programDir = dir.path() + '/';
  QtSerialPort port{programDir};
  EventLoopWaiter waiter;
  FrameLayer layer{port, waiter};

  bool start(int burstMs = 0) {
    options.programDir = dir.path();
    options.port = 2;
    options.burstMs = burstMs;
    options.dumpFile = dir.filePath("dump.qvt");
    server = std::make_unique<SimServer>(options, model);
    QString error;
    if (!server->start(&error)) qWarning() << error;
    return port.setPortNumber(2, &error) && port.applySettings("9600,N,8,1", &error) &&
           port.open(&error);
  }
  LinkStatusCode exchange(const Request& request) {
    if (!layer.send(request)) return LinkStatusCode(-1);
    layer.receiveReply(request);
    return layer.reply().status;
  }
};

}  // namespace

class TestInstrumentModel : public QObject {
  Q_OBJECT
 private slots:
  // The replies a transfer never gets (the transfer tests run against this model).
  // clang-format off
  void exceptionReplies_data() {
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("reply");  // without CRC
    QTest::newRow("unknown function") << "371000010001" << "379001";
    QTest::newRow("read beyond registers") << "370300FF0002" << "378302";
  }
  // clang-format on
  void exceptionReplies() {
    QFETCH(QString, request);
    InstrumentModel model;
    const QByteArray got = answer(model, request.toLatin1().constData());
    QVERIFY(endsWithValidCrc(got));
    QTEST(QString::fromLatin1(got.chopped(2).toHex()), "reply");
  }

  void resetIsSilentThenAnswersAgain() {
    InstrumentModel model;
    model.faults().resetSilenceUs = 3'000'000;
    QVERIFY(answer(model, "37060063270F", 1'000'000).isEmpty() && model.resets() == 1);
    QVERIFY(answer(model, "3703002D0001", 3'999'999).isEmpty());
    QVERIFY(!answer(model, "3703002D0001", 4'000'000).isEmpty());
    QCOMPARE(model.reg(0x63), quint16(0));  // the command is no register write
  }

  void pauseDropsHalfFrame() {
    InstrumentModel model;
    const QByteArray request = frame("3703002D0001");
    QVERIFY(model.receive(request.left(4), 0).isEmpty());
    QVERIFY(model.receive(request.mid(4), 10'000).size() == 1);  // within the gap: joined
    QVERIFY(model.receive(request.left(4), 20'000).isEmpty());
    const qint64 afterGap = 20'000 + model.interFrameGapUs() + 1;
    QVERIFY(model.receive(request.mid(4), afterGap).isEmpty());  // not joined to the half before
    QVERIFY(model.receive(request, afterGap).size() == 1);
  }

  void configurationTextRoundTrip() {
    InstrumentModel model;
    model.setReg(5, 0xFFFF);
    model.setReg(63, 300);
    const QString text = model.configurationText();
    const QStringList lines = text.split("\r\n");  // 63 lines, each ended by CR LF
    QCOMPARE(lines.size(), 64);
    QCOMPARE(lines[4] + "|" + lines[62] + "|" + lines[63], "-1 | 300 |");
    InstrumentModel other;
    QString error;
    QVERIFY(other.loadConfigurationText(text, &error));
    for (int r = 1; r <= kConfigRegisters; ++r) QCOMPARE(other.reg(r), model.reg(r));
  }

  void damagedConfigurationTextChangesNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("too short") << QString(" 1 \r\n").repeated(62);
    QTest::newRow("not a number") << QString(" 1 \r\n").repeated(10) + "x\r\n" +
                                         QString(" 1 \r\n").repeated(52);
    QTest::newRow("beyond 16 bits") << QString(" 1 \r\n").repeated(62) + "70000\r\n";
  }
  void damagedConfigurationTextChangesNothing() {
    QFETCH(QString, text);
    InstrumentModel model;
    const QString before = model.configurationText();
    QString error;
    QVERIFY(!model.loadConfigurationText(text, &error) && !error.isEmpty());
    QCOMPARE(model.configurationText(), before);
  }

  // Plain, 'always'; then a negative count, a bad port and an unknown option, each told why.
  void options() {
    QList<bool> run;
    for (const QStringList& args :
         {QStringList{}, QStringList{"--crc-errors", "always"}, QStringList{"--crc-errors", "-2"},
          QStringList{"--port", "x"}, QStringList{"--frobnicate"}, QStringList{"--refuse", "86"}}) {
      SimOptions o;
      QString message;
      run << (parseSimOptions(QStringList{"orvex-sim"} + args, &o, &message) == ParseResult::Run);
      QVERIFY(run.last() || !message.isEmpty());
    }
    QCOMPARE(run, QList<bool>({true, true, false, false, false, false}));
  }
  void optionsReachFaults() {
    SimOptions o;
    QString message;
    const QStringList args = QStringLiteral(
                                 "orvex-sim --crc-errors always --wrong-identity 3 --model 2 "
                                 "--split-gap-ms 40 --stop-after 7 --reset-silence-ms 500 "
                                 "--ack-without-identity --no-answer --stray-bytes 2 --baud 19200 "
                                 "--burst-ms 16")
                                 .split(' ');
    QCOMPARE(parseSimOptions(args, &o, &message), ParseResult::Run);
    const InstrumentFaults& f = o.faults;
    QCOMPARE(QList<qint64>({f.crcErrors, f.wrongIdentity, f.modelCode, f.splitGapUs, f.stopAfter,
                            f.resetSilenceUs, f.writesWithoutIdentity, f.noAnswer, f.strayBytes,
                            o.baud, o.burstMs}),
             QList<qint64>({-1, 3, 2, 40'000, 7, 500'000, 1, 1, 2, 19200, 16}));
    QCOMPARE(parseSimOptions({"orvex-sim", "--help"}, &o, &message), ParseResult::Help);
    QVERIFY(message.contains("--ack-without-identity"));
  }
  void comLinkAndSafeDump() {
    Rig rig;
    QVERIFY(rig.start());
    QCOMPARE(comDevicePath(rig.programDir, 2), rig.server->terminalPath());
    QCOMPARE(comDevicePath(rig.programDir, 3), QString("/dev/ttyS2"));
    QString error;
    QVERIFY(!rig.port.setPortNumber(0, &error));
    QVERIFY(error.contains("0"));
    test::FileSizeLimit diskFull(16);  // a full disk: no dump at all, not a cut one
    QVERIFY(!rig.server->dump(&error) && !QFileInfo::exists(rig.options.dumpFile));
    rig.server.reset();  // the link goes with the simulator
    QVERIFY(!QFileInfo(rig.programDir + "COM2").isSymLink());
  }

  void blockReadInUsbBurstsAndReopen() {
    Rig rig;
    QVERIFY(rig.start(16));
    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(rig.exchange({0x05, 0x0001, 63}), kReplySound);
    QCOMPARE(rig.layer.reply().bytes.size(), 131);
    QVERIFY2(elapsed.elapsed() < 2000, "the reply must end the wait, not the time limit");
    rig.port.close();  // the simulator keeps its own handle: no hang-up between attempts
    QString error;
    QVERIFY2(rig.port.open(&error), qPrintable(error));
    QCOMPARE(rig.exchange({0x03, 0x002D, 1}), kReplySound);
  }

  void vanishingInstrumentEndsWaitAndClosesPort() {
    Rig rig;
    QVERIFY(rig.start());
    rig.model.faults().noAnswer = true;
    QString reason;
    QObject::connect(&rig.port, &SerialPort::failed, [&](const QString& r) { reason = r; });
    QTimer::singleShot(200, [&] { rig.server.reset(); });  // the far side goes away
    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(rig.exchange({0x03, 0x002D, 1}), kReplyTimeout);
    QVERIFY2(elapsed.elapsed() < 2000, "a lost port must end the wait");
    QVERIFY(!rig.port.isOpen());
    QVERIFY(!reason.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestInstrumentModel)
#include "test_instrumentmodel.moc"
