#include <QDir>
#include <QtTest>

#include "common/context.h"
#include "lang/extratexts.h"
#include "link/applyserialsettings.h"
#include "link/serialsettings.h"
#include "portstate.h"
#include "support/recordingmessageboxes.h"
#include "support/tempprogramdir.h"
#include "testing/inmemoryserialport.h"

using namespace orvex;
using orvex::test::InMemorySerialPort;
using orvex::test::RecordingMessageBoxes;
using orvex::test::TempProgramDir;
using orvex::test::VirtualTimeWaiter;

namespace {

struct Rig {
  TempProgramDir dir{false};
  ProgramContext context;
  VirtualTimeWaiter clock;
  InMemorySerialPort port{clock};
  RecordingMessageBoxes messages;

  Rig() {
    context.programDir = dir.path();
    context.texts.message[41] = "No se encuentra confcom.sys";
    context.texts.message[42] = "Comunicaciones";
    context.texts.extra[extra::PortErrorTitle] = "Serial port";
    context.texts.extra[extra::SettingsDamaged] = "Not understood: '%1' in %2";
    context.texts.extra[extra::WriteFailedTitle] = "File not written";
    context.texts.extra[extra::WriteFailed] = "File %1 could not be written: %2.";
  }
  void apply() { applySerialSettings(context, port, messages); }
  QString state() const { return test::portState(port, context); }
};

}  // namespace

class TestSerialSettings : public QObject {
  Q_OBJECT
 private slots:
  // --- the settings string
  // clang-format off
  void lineSettings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("outcome");  // bits per character, or "rejected"
    QTest::newRow("default") << "9600,N,8,1" << "10";
    QTest::newRow("19200 odd 7 2") << "19200,O,7,2" << "11";
    QTest::newRow("even") << "1200,E,8,1" << "11";
    QTest::newRow("baud not a number") << "96 0,N,8,1" << "rejected";
    QTest::newRow("baud 1920 never reaches the port") << "1920x,N,8,1" << "rejected";
    QTest::newRow("parity unknown") << "9600,X,8,1" << "rejected";
    QTest::newRow("data bits") << "9600,N,9,1" << "rejected";
    QTest::newRow("stop bits") << "9600,N,8,3" << "rejected";
    QTest::newRow("too few fields") << "9600,N,8" << "rejected";
  }
  // clang-format on
  // A rejected text is named in the error and leaves the settings as they were.
  void lineSettings() {
    QFETCH(QString, text);
    LineSettings parsed;
    parsed.baud = 1;
    QString error;
    const bool ok = parseLineSettings(text, &parsed, &error);
    QVERIFY(ok || (error.contains(text) && parsed.baud == 1));
    QTEST(ok ? QString::number(parsed.bitsPerCharacter()) : "rejected", "outcome");
  }

  // What ConfigCOM preselects from a stored line it did not write itself (its window's test
  // opens on a line Salvar stored): only the options it has, COM1 to COM4.
  // clang-format off
  void preselection_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("choice");  // port, baud, parity, data bits, stop bits
    QTest::newRow("nothing matches") << "COM7:300,X,9,3" << "||||";
    QTest::newRow("19200 spelled out is no option") << "COM2:19200,N,8,1" << "COM2||N|8|1";
  }
  // clang-format on
  void preselection() {
    QFETCH(QString, settings);
    const SerialChoice c = choiceFromSettings(settings);
    QTEST(QStringList({c.port, c.baud, c.parity, c.dataBits, c.stopBits}).join('|'), "choice");
  }

  // Any case of the file name, without a line end (ConfigCOM's test stores and applies one).
  void appliesStoredSettings() {
    Rig rig;
    rig.dir.write("CONFCOM.SYS", "COM2:4800,E,7,1");
    rig.apply();
    QCOMPARE(rig.messages.shown(), QStringList());
    QCOMPARE(rig.state(), QString("COM2 4800,E,7,1 applied 1 as COM2:4800,E,7,1"));
  }
  void missingOrEmptyFileRestoresDefault() {
    for (const bool present : {false, true}) {
      Rig rig;
      rig.port.setPortNumber(2, nullptr);
      if (present) rig.dir.write("confcom.sys", "");
      rig.apply();
      QCOMPARE(rig.messages.shown(), QStringList{"E No se encuentra confcom.sys|Comunicaciones"});
      QCOMPARE(rig.dir.read("confcom.sys"), QByteArray("COM1:9600,N,8,1\r\n"));
      QCOMPARE(rig.state(), QString("COM1 9600,N,8,1 applied 1 as COM1:9600,N,8,1"));
    }
  }
  void rejectedPortOrSettingsChangeNothing() {
    Rig rig;
    QVERIFY(rig.port.applySettings("1200,E,7,2", nullptr));
    rig.dir.write("confcom.sys", "COMx:9600,N,8,1\r\n");
    rig.apply();
    const QString file = QDir::toNativeSeparators(rig.dir.file("confcom.sys"));
    QCOMPARE(rig.messages.shown(),
             QStringList{"E Not understood: 'COMx:9600,N,8,1' in " + file + "|Comunicaciones"});
    QVERIFY(rig.state().startsWith("COM1 1200,E,7,2 applied 1 "));
    rig.dir.write("confcom.sys", "COM1:96x0,N,8,1\r\n");
    rig.apply();
    QVERIFY(rig.messages.shown().value(1).contains("96x0"));
    QVERIFY(rig.state().startsWith("COM1 1200,E,7,2 applied 1 "));
  }
  // Line settings are applied either way.
  void openPortClosedOnlyForAnotherPort() {
    for (const auto& [content, state] :
         {std::pair{"COM1:1920,E,8,1#000#", "COM1 19200,E,8,1 applied 1"},
          {"COM4:9600,N,8,1#000#", "COM4 9600,N,8,1 applied 1"}}) {
      Rig rig;
      QVERIFY(rig.port.open(nullptr));
      rig.dir.write("confcom.sys", content);
      rig.apply();
      QVERIFY(rig.state().startsWith(state));
      QCOMPARE(rig.port.isOpen(), rig.port.portNumber() == 1);
      QCOMPARE(rig.port.closeCount(), rig.port.portNumber() == 1 ? 0 : 1);
    }
  }
  void defaultThatCannotBeStoredIsStillApplied() {
    Rig rig;
    rig.context.programDir = rig.dir.path() + "no-such-folder/";
    rig.apply();
    QCOMPARE(rig.messages.shown().size(), 2);
    const QString failed = rig.messages.shown()[1];
    QVERIFY(failed.contains("confcom.sys") && failed.endsWith("|File not written"));
    QCOMPARE(rig.state(), QString("COM1 9600,N,8,1 applied 1 as COM1:9600,N,8,1"));
  }
};

QTEST_GUILESS_MAIN(TestSerialSettings)
#include "test_serialsettings.moc"
