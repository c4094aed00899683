#include <QtTest>

#include "common/ui/context.h"
#include "lang/extratexts.h"
#include "link/applyserialsettings.h"
#include "link/serialsettings.h"
#include "link/testing/inmemoryserialport.h"
#include "support/recordingmessageboxes.h"
#include "support/tempprogramdir.h"

using namespace orvex;
using orvex::test::InMemorySerialPort;
using orvex::test::RecordingMessageBoxes;
using orvex::test::TempProgramDir;
using orvex::test::VirtualTimeWaiter;

Q_DECLARE_METATYPE(orvex::SerialChoice)
Q_DECLARE_METATYPE(orvex::LineSettings)

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
    context.texts.extra[extra::WriteFailedTitle] = "File not written";
    context.texts.extra[extra::WriteFailed] = "File %1 could not be written: %2.";
  }
  void apply() { applySerialSettings(context, port, messages); }
};

}  // namespace

class TestSerialSettings : public QObject {
  Q_OBJECT
 private slots:
  // --- the settings string
  void lineSettings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("bitsPerCharacter");
    QTest::newRow("default") << "9600,N,8,1" << true << 10;
    QTest::newRow("19200 odd 7 2") << "19200,O,7,2" << true << 11;
    QTest::newRow("even") << "1200,E,8,1" << true << 11;
    QTest::newRow("baud not a number") << "96 0,N,8,1" << false << 0;
    QTest::newRow("baud 1920 never reaches the port") << "1920x,N,8,1" << false << 0;
    QTest::newRow("parity unknown") << "9600,X,8,1" << false << 0;
    QTest::newRow("data bits") << "9600,N,9,1" << false << 0;
    QTest::newRow("stop bits") << "9600,N,8,3" << false << 0;
    QTest::newRow("too few fields") << "9600,N,8" << false << 0;
    QTest::newRow("empty fields") << ",,," << false << 0;
  }
  void lineSettings() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, bitsPerCharacter);
    LineSettings parsed;
    parsed.baud = 1;
    QString error;
    QCOMPARE(parseLineSettings(text, &parsed, &error), valid);
    if (valid) QCOMPARE(parsed.bitsPerCharacter(), bitsPerCharacter);
    else {
      QVERIFY(error.contains(text));
      QCOMPARE(parsed.baud, 1);
    }
  }

  void fixedPositions_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("line");
    QTest::newRow("default") << "COM1:9600,N,8,1" << 1 << "9600,N,8,1";
    QTest::newRow("1920 stands for 19200, tail ignored") << "COM3:1920,O,7,2#000#" << 3 << "19200,O,7,2";
    QTest::newRow("short line") << "COM2:96" << 2 << "96,,,";
    QTest::newRow("no port digit") << "COMX:9600,N,8,1" << 0 << "9600,N,8,1";
  }
  void fixedPositions() {
    QFETCH(QString, settings);
    QFETCH(int, port);
    QFETCH(QString, line);
    const SerialSettingsFields fields = splitSerialSettings(settings);
    QCOMPARE(fields.port, port);
    QCOMPARE(fields.lineSettings, line);
  }

  void preselection_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<SerialChoice>("choice");
    QTest::newRow("stored by Salvar") << "COM3:1920,O,7,2#000#" << SerialChoice{"COM3", "1920", "O", "7", "2"};
    QTest::newRow("15 characters") << "COM1:9600,N,8,1" << SerialChoice{"COM1", "9600", "N", "8", "1"};
    QTest::newRow("nothing matches") << "COM7:300,X,9,3" << SerialChoice{};
    QTest::newRow("19200 spelled out matches nothing") << "COM2:19200,N,8,1"
                                                      << SerialChoice{"COM2", "", "N", "8", "1"};
  }
  void preselection() {
    QFETCH(QString, settings);
    QFETCH(SerialChoice, choice);
    QCOMPARE(choiceFromSettings(settings), choice);
  }

  void salvarText() {
    QCOMPARE(settingsFromChoice({"COM3", "1920", "O", "7", "2"}), QString("COM3:1920,O,7,2#000#"));
  }

  // --- ApplySerialSettings
  // Any case of the file name, with or without a line end; the tail after the settings ignored.
  void appliesStoredSettings_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<LineSettings>("line");
    QTest::newRow("tail") << "confcom.sys" << QByteArray("COM3:1920,O,7,2#000#\r\n") << 3
                          << "COM3:1920,O,7,2" << LineSettings{19200, 'O', 7, 2};
    QTest::newRow("upper case, no line end") << "CONFCOM.SYS" << QByteArray("COM2:4800,E,7,1") << 2
                                             << "COM2:4800,E,7,1" << LineSettings{4800, 'E', 7, 1};
  }
  void appliesStoredSettings() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    Rig rig;
    rig.dir.write(file, content);
    rig.apply();
    QVERIFY(rig.messages.calls.isEmpty());
    QTEST(rig.context.serialSettings, "stored");
    QTEST(rig.port.portNumber(), "port");
    QTEST(rig.port.lineSettings(), "line");
  }

  void missingOrEmptyFileRestoresDefault_data() {
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << false;
    QTest::newRow("empty") << true;
  }
  void missingOrEmptyFileRestoresDefault() {
    QFETCH(bool, present);
    Rig rig;
    rig.port.setPortNumber(2, nullptr);
    if (present) rig.dir.write("confcom.sys", "");
    rig.apply();
    QCOMPARE(rig.messages.calls.size(), 1);
    QCOMPARE(rig.messages.calls[0].icon, MessageIcon::Exclamation);
    QCOMPARE(rig.messages.calls[0].prompt, rig.context.texts.message[41]);
    QCOMPARE(rig.messages.calls[0].title, rig.context.texts.message[42]);
    QCOMPARE(rig.dir.read("confcom.sys"), QByteArray("COM1:9600,N,8,1\r\n"));
    QCOMPARE(rig.context.serialSettings, QString("COM1:9600,N,8,1"));
    QCOMPARE(rig.port.portNumber(), 1);
    QCOMPARE(rig.port.applyCount(), 1);
  }

  void rejectedPortKeepsPreviousAndSkipsSettings() {
    Rig rig;
    rig.port.setAvailablePorts({1, 2});
    rig.dir.write("confcom.sys", "COM3:1200,N,8,1\r\n");
    rig.apply();
    QCOMPARE(rig.messages.calls.size(), 1);
    QCOMPARE(rig.messages.calls[0].icon, MessageIcon::Exclamation);
    QCOMPARE(rig.messages.calls[0].prompt, QString("The serial port COM3 does not exist."));
    QCOMPARE(rig.messages.calls[0].title, QString("Serial port"));
    QCOMPARE(rig.port.portNumber(), 1);
    QCOMPARE(rig.port.applyCount(), 0);
  }

  void rejectedSettingsShowPortError() {
    Rig rig;
    rig.dir.write("confcom.sys", "COM1:96x0,N,8,1\r\n");
    rig.apply();
    QCOMPARE(rig.messages.calls.size(), 1);
    QVERIFY(rig.messages.calls[0].prompt.contains("96x0"));
    QCOMPARE(rig.port.lineSettings(), LineSettings{});
  }

  void openPortClosedOnlyForAnotherPort_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("same port") << QByteArray("COM1:1920,E,8,1#000#\r\n") << true;
    QTest::newRow("other port") << QByteArray("COM4:9600,N,8,1#000#\r\n") << false;
  }
  void openPortClosedOnlyForAnotherPort() {
    QFETCH(QByteArray, content);
    QFETCH(bool, staysOpen);
    Rig rig;
    QVERIFY(rig.port.open(nullptr));
    rig.dir.write("confcom.sys", content);
    rig.apply();
    QCOMPARE(rig.port.isOpen(), staysOpen);
    QCOMPARE(rig.port.closeCount(), staysOpen ? 0 : 1);
    QCOMPARE(rig.port.portNumber(), staysOpen ? 1 : 4);
    QCOMPARE(rig.port.lineSettings().baud, staysOpen ? 19200 : 9600);  // applied either way
  }

  void defaultThatCannotBeStoredIsStillApplied() {
    Rig rig;
    rig.context.programDir = rig.dir.path() + "no-such-folder/";
    rig.apply();
    QCOMPARE(rig.messages.calls.size(), 2);
    QCOMPARE(rig.messages.calls[1].title, QString("File not written"));
    QVERIFY(rig.messages.calls[1].prompt.contains("confcom.sys"));
    QCOMPARE(rig.context.serialSettings, QString("COM1:9600,N,8,1"));
    QCOMPARE(rig.port.applyCount(), 1);
  }
};

QTEST_GUILESS_MAIN(TestSerialSettings)
#include "test_serialsettings.moc"
