// The program's own port, waiter and frame layer against the simulator's server on a real
// pseudo-terminal, in real time (each exchange takes milliseconds). Whole transfers over it
// are the end-to-end tests' part.
#include <QtTest>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include "../files/filesizelimit.h"
#include "link/eventloopwaiter.h"
#include "link/framelayer.h"
#include "link/qtserialport.h"
#include "sim/simserver.h"

using namespace orvex;
using namespace orvex::sim;

namespace {

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

class TestSimLink : public QObject {
  Q_OBJECT
 private slots:
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

QTEST_GUILESS_MAIN(TestSimLink)
#include "test_simlink.moc"
