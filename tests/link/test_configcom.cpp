#include <QtTest>

#include <QPointer>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "common/ui/appservices.h"
#include "lang/extratexts.h"
#include "link/configcom.h"
#include "link/register.h"
#include "link/serialdevices.h"
#include "portstate.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"
#include "testing/inmemoryserialport.h"

using namespace orvex;
using orvex::test::InMemorySerialPort;
using orvex::test::TempProgramDir;
using orvex::test::VirtualTimeWaiter;

namespace {

struct Rig : orvex::test::ProgramDirFixture {
  VirtualTimeWaiter clock;
  InMemorySerialPort port{clock};
  int closedSignals = 0;

  explicit Rig(const QString& settings = "COM1:9600,N,8,1")
      : ProgramDirFixture(false, &port, &clock) {
    context.serialSettings = settings;
    dir.write("confcom.sys", settings.toLatin1() + "\r\n");
    registerLinkWindows(services);
    QObject::connect(&events, &AppEvents::serialSettingsClosed, [this] { ++closedSignals; });
  }
  ~Rig() { windows.unloadAll({}); }  // before the port goes
  ConfigCOM* open() {
    auto* w = windows.get<ConfigCOM>("ConfigCOM");
    w->show();
    return w;
  }
  template <typename T = QRadioButton>
  T* control(const QString& name) {
    return windows.window("ConfigCOM")->findChild<T*>(name);
  }
  bool checked(const QString& name) { return control(name)->isChecked(); }
  void click(const QString& name) { control<QAbstractButton>(name)->click(); }
  QString state() const {
    return test::portState(port, context) + QStringLiteral(" closed %1").arg(closedSignals);
  }
};

// The devices of a PC with one USB adapter and a plain serial port.
struct FakeDevices : SerialDeviceSource {
  QList<SerialDevice> devices() const override {
    return {{"/dev/null", "FT232R USB UART", "FTDI", "A50285BI", true},
            {"/dev/zero", {}, {}, {}, false}};
  }
};

}  // namespace

class TestConfigCom : public QObject {
  Q_OBJECT
 private slots:
  void preselectsStoredSettings() {
    Rig rig("COM3:1920,O,7,2#000#");
    ConfigCOM* w = rig.open();
    QString on;
    for (const char* option : {"PuertoCom(1)", "PuertoCom(3)", "Baud96", "Baud192", "ParidadNo",
                               "ParidadImpar", "ParidadPar", "Bits7", "Bits8", "Stop1", "Stop2"})
      on += rig.checked(option) ? '1' : '0';
    QCOMPARE(on, QString("01010101001"));
    QCOMPARE(w->choice(), (SerialChoice{"COM3", "1920", "O", "7", "2"}));
  }

  // What each COM number leads to, present or not; COMn linked to a present adapter, never
  // over a file, the refusal told in the program's words.
  void portsOfThisPcAndTheirLinks() {
#ifdef Q_OS_WIN
    QSKIP("COMn links to devices are how the Linux program names its ports");
#endif
    Rig rig;
    rig.context.texts.extra[extra::PortLinkFailed] = "link %1 %2: %3";
    rig.context.texts.extra[extra::PortLinkNotALink] = "not a link COM%1";
    QVERIFY(QFile::link("/dev/null", rig.dir.file("COM1")));
    QVERIFY(QFile::link("/dev/orvex-unplugged", rig.dir.file("COM2")));
    rig.dir.write("COM4", "not a link");
    FakeDevices devices;
    ConfigCOM w(rig.services, &devices);
    w.show();
    const auto target = [&w](int n) {
      return w.findChild<QLabel*>(QStringLiteral("PortTarget(%1)").arg(n))->text();
    };
    QCOMPARE(target(1), QString::fromUtf8("/dev/null \u2014 FTDI FT232R USB UART, A50285BI"));
    QCOMPARE(target(2), QString::fromUtf8("/dev/orvex-unplugged \u2014 not present"));
    QCOMPARE(target(3), QString::fromUtf8("/dev/ttyS2 \u2014 not present"));
    for (const int n : {3, 4}) {
      w.findChild<QComboBox*>(QStringLiteral("PortDevice(%1)").arg(n))
          ->setCurrentIndex(2);  // /dev/zero
      w.findChild<QPushButton*>(QStringLiteral("PortLink(%1)").arg(n))->click();
    }
    QCOMPARE(QFileInfo(rig.dir.file("COM3")).symLinkTarget(), QString("/dev/zero"));
    QCOMPARE(target(3), QString("/dev/zero"));
    QCOMPARE(rig.dir.read("COM4"), QByteArray("not a link"));
    QCOMPARE(rig.messages.shown(), QStringList{"E link 4 /dev/zero: not a link COM4|Serial port"});
  }

  void unmatchedValueLeavesGroupEmptyAndSalvarOff() {
    Rig rig("COM1:300 ,N,8,1");
    ConfigCOM* w = rig.open();
    for (const char* b : {"Baud12", "Baud24", "Baud48", "Baud96", "Baud192"})
      QVERIFY2(!rig.checked(b), b);
    QVERIFY(w->choice().baud.isEmpty());
    QVERIFY(!rig.control<QPushButton>("Salvar")->isEnabled());
    QVERIFY(rig.control<QLabel>("SalvarHint")->isVisibleTo(w));  // and says why
    QVERIFY(!rig.control<QLabel>("SalvarHint")->text().isEmpty());
    rig.click("Baud48");
    QVERIFY(rig.control<QPushButton>("Salvar")->isEnabled());
    QVERIFY(!rig.control<QLabel>("SalvarHint")->isVisibleTo(w));
  }

  // Cancelar and the frame's close control: hidden, not destroyed; nothing stored or applied;
  // the choices stay for the next opening.
  void leavingWithoutSalvar_data() {
    QTest::addColumn<bool>("byCloseControl");
    QTest::newRow("Cancelar") << false;
    QTest::newRow("close control") << true;
  }
  void leavingWithoutSalvar() {
    QFETCH(bool, byCloseControl);
    Rig rig;
    QPointer<ConfigCOM> w = rig.open();
    rig.click("PuertoCom(2)");
    rig.click("Stop2");
    if (byCloseControl) QVERIFY(!w->close());
    else rig.click("Cancelar");
    QVERIFY(w && !w->isVisible());
    QCOMPARE(rig.dir.read("confcom.sys"), QByteArray("COM1:9600,N,8,1\r\n"));
    QCOMPARE(rig.state(), "COM1 9600,N,8,1 applied 0 as COM1:9600,N,8,1 closed 1");
    QCOMPARE(rig.open(), w.data());  // the same window, its load step not run again
    QVERIFY(rig.checked("PuertoCom(2)") && rig.checked("Stop2"));
  }

  void salvarStoresAndApplies() {
    Rig rig;
    ConfigCOM* w = rig.open();
    for (const char* option : {"PuertoCom(3)", "Baud192", "ParidadImpar", "Bits7", "Stop2"})
      rig.click(option);
    rig.click("Salvar");
    QCOMPARE(rig.dir.read("confcom.sys"), QByteArray("COM3:1920,O,7,2#000#\r\n"));
    QVERIFY(!w->isVisible());
    QCOMPARE(rig.state(), "COM3 19200,O,7,2 applied 1 as COM3:1920,O,7,2 closed 1");
    QCOMPARE(rig.messages.shown(), QStringList());
    const QStringList leftovers = QDir(rig.dir.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(leftovers, QStringList{"confcom.sys"});  // no temporary file left beside it
  }

  void failedSaveKeepsWindowAndSettings() {
    Rig rig;
    ConfigCOM* w = rig.open();
    rig.context.texts.extra[extra::WriteFailedTitle] = "File not written";
    rig.context.programDir = rig.dir.path() + "gone/";
    rig.click("PuertoCom(4)");
    rig.click("Salvar");
    QCOMPARE(rig.messages.shown().size(), 1);
    const QString failed = rig.messages.shown()[0];
    QVERIFY(failed.startsWith("E ") && failed.endsWith("|File not written"));
    QVERIFY(w->isVisible());
    QCOMPARE(rig.state(), "COM1 9600,N,8,1 applied 0 as COM1:9600,N,8,1 closed 0");
  }
};

QTEST_MAIN(TestConfigCom)
#include "test_configcom.moc"
