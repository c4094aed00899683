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
  QString replyText;
  qint16 linkStatus = -1;
  FrameLayer layer{port, waiter, replyText, linkStatus};

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
  void exchange(const QString& request, int n) {
    QVERIFY(layer.sendFrame(request));
    layer.receiveReply(n);
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
    rig.exchange("37050001003FD98C", 63);
    QCOMPARE(rig.linkStatus, qint16(kReplySound));
    QCOMPARE(rig.replyText.size(), 262);
    QVERIFY2(elapsed.elapsed() < 2000, "the reply must end the wait, not the time limit");
    rig.port.close();  // the simulator keeps its own handle: no hang-up between attempts
    QString error;
    QVERIFY2(rig.port.open(&error), qPrintable(error));
    rig.exchange("3703002D00011195", 1);
    QCOMPARE(rig.linkStatus, qint16(kReplySound));
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
    rig.exchange("3703002D00011195", 1);
    QCOMPARE(rig.linkStatus, qint16(kReplyTimeout));
    QVERIFY2(elapsed.elapsed() < 2000, "a lost port must end the wait");
    QVERIFY(!rig.port.isOpen());
    QVERIFY(!reason.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestSimLink)
#include "test_simlink.moc"
