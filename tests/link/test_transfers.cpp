#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include <memory>

#include "common/context.h"
#include "common/ui/appservices.h"
#include "files/fakeeditor.h"
#include "lang/extratexts.h"
#include "lang/loadtexts.h"
#include "link/applyserialsettings.h"
#include "link/checksum.h"
#include "link/configcom.h"
#include "link/framelayer.h"
#include "link/framelog.h"
#include "link/register.h"
#include "link/serialdevices.h"
#include "link/serialsettings.h"
#include "link/transfers.h"
#include "link/ui/grabqvt.h"
#include "link/ui/registro.h"
#include "portstate.h"
#include "support/recordingmessageboxes.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"
#include "testing/inmemoryserialport.h"
#include "transferrig.h"

using namespace orvex;
using namespace orvex::test;

namespace {

using Action = std::function<void(TransferRig&)>;

const Request kModel{0x03, 0x002D, 1}, kIdentityA{0x02, 0x0021, 0};
const Request kBlock{0x05, 0x0001, 63}, kIdentityB{0x02, 0x0000, 0};
const Request kReset{0x06, 0x0063, 0x270F};
Request registerWrite(int slot, qint16 value) { return {0x06, quint16(slot), quint16(value)}; }

// Differs from the instrument's configuration in every slot, with the edge values.
ParameterSet editedSet() {
  ParameterSet set;
  for (int i = 1; i <= 63; ++i) set[i] = qint16(i + 10);
  set[3] = -1;
  set[4] = 300;
  set[45] = 7;  // the model code: never written, never compared
  return set;
}

QString frameLogText(const TransferRig& rig) {
  return formatTransferLog(rig.transfers.log().last());
}

// Every dialogue ends alike: window hidden, port closed, the port free again.
void checkEnded(const TransferRig& rig) {
  QVERIFY(!rig.view.visible && !rig.port.isOpen() && !rig.transfers.running());
  QVERIFY(rig.started > 0 && rig.ended == rig.started);
}

// A fault that starts when the view first shows `entry` (after the model check when nested).
Action from(const QString& entry, Action fault) {
  return [entry, fault](TransferRig& r) { r.onEntry(entry, [&r, fault] { fault(r); }); };
}
Action afterModelCheck(const QString& entry, Action fault) {
  return [entry, fault](TransferRig& r) {
    r.onEntry("step m4 ", [&r, entry, fault] { from(entry, fault)(r); });
  };
}
template <typename T, typename V>
Action fault(T sim::InstrumentFaults::*field, V value) {
  return [field, value](TransferRig& r) { r.instrument.faults().*field = T(value); };
}
// The port goes 1 ms after `entry`; *lostAtUs tells when.
Action loseAt(const QString& entry, std::shared_ptr<qint64> lostAtUs = std::make_shared<qint64>()) {
  return from(entry, [lostAtUs](TransferRig& r) {
    r.clock.after(1000, [&r, lostAtUs] {
      *lostAtUs = r.clock.nowUs();
      r.port.loseWhileOpen("gone");
    });
  });
}

// One link on the virtual clock: port, instrument and the frame layer's outcome.
struct FrameRig : LinkBench {
  FrameLayer layer{port, clock};

  FrameRig() { port.open(nullptr); }
  void exchange(const Request& request) {
    QVERIFY(layer.send(request));
    layer.receiveReply(request);
  }
  QString replyText() const { return QString::fromLatin1(layer.reply().bytes.toHex().toUpper()); }
  // No instrument: `bytes` arrive at `atUs` (virtual time), then the reply to `asked` is read.
  void replay(qint64 atUs, const QByteArray& bytes, const Request& asked) {
    port.attachInstrument(nullptr);
    port.receiveAt(atUs, bytes);
    layer.receiveReply(asked);
  }
  // "sound|crc|timeout @ microseconds: reply text"
  QString outcome() const {
    return QStringLiteral("%1 @ %2: %3")
        .arg(QStringList{"sound", "crc", "timeout", "refused"}.value(layer.reply().status))
        .arg(clock.nowUs())
        .arg(replyText());
  }
};

// The link windows wired as in the program, on the virtual clock, with a stand-in editor.
struct WiredRig : LinkBench {
  FakeEditor* editor = nullptr;

  WiredRig() {
    context.serialSettings = "COM1:9600,N,8,1";
    windows.add("ConfigQVT", [this] { return editor = new FakeEditor(context); });
    windows.window("ConfigQVT");
    registerLinkWindows(services);
  }

  GrabQVT* grab() { return windows.get<GrabQVT>("GrabQVT"); }
  QLabel* label(const char* name) { return grab()->findChild<QLabel*>(name); }
};

// ConfigCOM over the settings stored and applied.
struct ComRig : ProgramDirFixture {
  VirtualTimeWaiter clock;
  InMemorySerialPort port{clock};
  int closedSignals = 0;

  explicit ComRig(const QString& settings = "COM1:9600,N,8,1")
      : ProgramDirFixture(false, &port, &clock) {
    context.serialSettings = settings;
    dir.write("confcom.sys", settings.toLatin1() + "\r\n");
    registerLinkWindows(services);
    QObject::connect(&events, &AppEvents::serialSettingsClosed, [this] { ++closedSignals; });
  }
  ~ComRig() { windows.unloadAll({}); }  // before the port goes
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

// Without confcom.sys; the texts its reading tells.
struct SettingsRig : ComRig {
  SettingsRig() {
    QFile::remove(dir.file("confcom.sys"));
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

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(orvex::Request)

class TestTransfers : public QObject {
  Q_OBJECT
 private slots:
  void completeRead() {
    TransferRig rig;
    rig.instrument.setReg(5, 0xFFFF);
    rig.context.configLeida[64] = 12;
    QVERIFY(rig.read());
    QCOMPARE(rig.messages.shown(), QStringList());
    for (int i = 1; i <= 63; ++i)
      QCOMPARE(rig.context.configLeida[i], qint16(rig.instrument.reg(i)));
    QVERIFY(rig.context.configLeida[5] == -1 &&
            rig.context.configLeida[64] == 12);  // 64: beyond the block
    QCOMPARE(rig.view.log.mid(0, 6), (QStringList{"phase green m19 ", "step m20 ", "title m28 ",
                                                  "phase cyan m2 ", "step m3 ", "step m4 1"}));
    QCOMPARE(rig.view.log.mid(6, 3),
             (QStringList{"phase green m19 ", "step m29 1 = 7", "step m29 2 = 4"}));
    QVERIFY(rig.view.log.contains("step m29 5 = -1") && rig.view.log.last() == "step m33 ");
    QCOMPARE(rig.view.direction, TransferDirection::FromInstrument);  // to it in the model check
    QCOMPARE(rig.port.written().size(), 4);
    // Pauses of 1 + 2 + 63 x 0.05 + 2 s, and four exchanges at 9600 baud.
    QVERIFY(rig.clock.nowUs() > 8'150'000 && rig.clock.nowUs() < 8'500'000);
    checkEnded(rig);
  }

  void completeWrite() {
    TransferRig rig;
    QVERIFY(rig.write(editedSet()));
    QCOMPARE(rig.messages.shown(), QStringList());
    QCOMPARE(QList<int>({rig.registerWrites(), rig.sent(registerWrite(45, 7)), rig.sent(kReset)}),
             QList<int>({62, 0, 1}));
    for (int i = 1; i <= 63; ++i)
      if (i != 45) QCOMPARE(qint16(rig.instrument.reg(i)), editedSet()[i]);
    for (const char* entry : {"step m6 4 = 300 OK", "phase cyan Reset", "step m23 63 = 73"})
      QVERIFY2(rig.view.log.contains(entry), entry);
    QCOMPARE(rig.view.log.last(), "step m27 ");
    QVERIFY(frameLogText(rig).endsWith("outcome: written and verified\n"));
    QVERIFY(rig.clock.nowUs() > 33'000'000);  // 1 + 1 + 20 + 8.15 + 3 s of pauses
    checkEnded(rig);
  }

  // clang-format off
  void failures_data() {
    using F = sim::InstrumentFaults;
    QTest::addColumn<bool>("write");
    QTest::addColumn<Action>("fault");
    QTest::addColumn<QString>("messages");  // shown, joined by " / "
    QTest::addColumn<Action>("check");
    const auto frames = [](int model, int identityA, int block) {
      return Action([=](TransferRig& r) {
        const QList<int> sent = {r.sent(kModel), r.sent(kIdentityA), r.sent(kBlock)};
        QCOMPARE(sent, QList<int>({model, identityA, block}));
      });
    };
    const auto failedSlot = [](int slot, int attempts, const QString& slotLeft = "perhaps") {
      return Action([=](TransferRig& r) {
        QCOMPARE(r.sent(registerWrite(slot, editedSet()[slot])), attempts);
        QCOMPARE(r.instrument.reg(slot - 1), quint16(editedSet()[slot - 1]));
        QCOMPARE(r.sent(kReset), 0);
        QVERIFY(frameLogText(r).endsWith(QStringLiteral("outcome: failed at slot %1: slots before it written, slot %1 %2\n").arg(slot).arg(slotLeft)));
      });
    };
    const QString refusedCode2 = "; the controller refused a request (exception code 2)\n";
    const auto check = [](auto condition) { return Action([=](TransferRig& r) { QVERIFY(condition(r)); }); };
    const Action none = [](TransferRig&) {};
    QTest::newRow("read: no answer") << false << fault(&F::noAnswer, true) << "C m15 |m10 "
        << check([](TransferRig& r) { return r.clock.nowUs() == 1'000'000 + 6 * 5'100'000 + 5 * 25'000 && r.port.openCount() == 1; });
    QTest::newRow("read: six CRC errors") << false << fault(&F::crcErrors, 6) << "C m14 |m8 " << frames(6, 0, 0);
    QTest::newRow("read: five CRC errors") << false << fault(&F::crcErrors, 5) << "" << frames(6, 1, 1);
    QTest::newRow("read: wrong model") << false << fault(&F::modelCode, quint16(2)) << "I m16 |m17 " << frames(1, 0, 0);
    QTest::newRow("read: identity wrong twice") << false << fault(&F::wrongIdentity, 2) << "" << frames(1, 3, 1);
    QTest::newRow("read: identity wrong 4 times") << false << fault(&F::wrongIdentity, 4) << "C m45 |m46 " << frames(1, 4, 0);
    QTest::newRow("read: identity unanswered") << false << fault(&F::stopAfter, 1) << "C m43 |m44 " << frames(1, 6, 0);
    QTest::newRow("read: block CRC errors") << false << afterModelCheck("phase green", fault(&F::crcErrors, -1))
        << "C m31 |m8 " << frames(1, 1, 6);
    QTest::newRow("read: identity B wrong") << false << from("step m29 63", fault(&F::wrongIdentity, -1))
        << "C m45 |m46 " << none;
    QTest::newRow("write: no identity in acks") << true << fault(&F::writesWithoutIdentity, true) << "C m11 1\n\nmay hold changes 1|m12 "
        << check([](TransferRig& r) { return r.sent(registerWrite(1, 11)) == 4; });
    QTest::newRow("write: no identity from slot 5") << true << from("step m6 5 ", fault(&F::writesWithoutIdentity, true))
        << "C m11 5\n\nin doubt at 5|m12 " << failedSlot(5, 4);
    QTest::newRow("write: unanswered from slot 3") << true << from("step m6 3 ", fault(&F::noAnswer, true))
        << "C m9 3\n\nin doubt at 3|m10 " << failedSlot(3, 6);
    // A refusal ends its step at once; the refused slot was not written.
    QTest::newRow("write: slot 3 refused") << true << from("step m6 3 ", fault(&F::refusedFunction, 6))
        << "C m9 3\n\nrefused 2\n\npartial at 3|m10 " << failedSlot(3, 1, "not" + refusedCode2.chopped(1));
    QTest::newRow("read: identity refused") << false << fault(&F::refusedFunction, 2) << "C m43 \n\nrefused 2|m44 "
        << check([](TransferRig& r) { return r.sent(kIdentityA) == 1 && r.transfers.identityFailed(); });
    QTest::newRow("read: block refused") << false << fault(&F::refusedFunction, 5) << "C m32 \n\nrefused 2|m10 "
        << check([=](TransferRig& r) { return r.sent(kBlock) == 1 && r.clock.nowUs() < 3'100'000 && frameLogText(r).endsWith(refusedCode2); });
    QTest::newRow("write: CRC errors from slot 47") << true << from("step m6 47 ", fault(&F::crcErrors, -1))
        << "C m7 47\n\nin doubt at 47|m8 " << failedSlot(47, 6);
    QTest::newRow("write: sporadic CRC errors across slots") << true
        << from("step m6 3 ", [](TransferRig& r) {
             r.instrument.faults().crcErrors = 5;
             r.onEntry("step m6 4 ", [&r] { r.instrument.faults().crcErrors = 5; });
           })
        << "" << check([](TransferRig& r) { return r.view.log.last() == "step m27 "; });
    QTest::newRow("write: read-back differs") << true << from("step m18 ", [](TransferRig& r) { r.instrument.setReg(12, 999); })
        << "I m25 12|m26 " << none;
    const QString unverified = "\n\nnot verified|unverified";
    const Action notVerified = [](TransferRig& r) {
      QVERIFY(r.sent(kReset) == 1 && !r.view.log.contains("step m27 "));
      QVERIFY(frameLogText(r).contains("outcome: not verified"));
    };
    QTest::newRow("write: identity B wrong, held read-back") << true << from("step m6 63 ", fault(&F::wrongIdentity, 4))
        << "C m45 |m46  / C blocked" + unverified << notVerified;
    // What is written equals what ConfigLeida held: a comparison with it would pass.
    QTest::newRow("write: silent after the reset") << true
        << from("step m18 ", [](TransferRig& r) {
             r.context.configLeida = editedSet();
             r.instrument.faults().noAnswer = true;
           })
        << "C m15 " + unverified << notVerified;
    // The program's own words; the system's text goes to the frame log only.
    const auto refusedRow = [&](const char* name, bool write, PortFailure kind, const QString& message) {
      QTest::newRow(name) << write << Action([kind](TransferRig& r) { r.port.setOpenError("EPERM text", kind); })
          << message << Action([](TransferRig& r) {
               QCOMPARE(r.sent(kModel), 0);
               QVERIFY(frameLogText(r).contains("==  /dev/mem1 not opened: EPERM text\n"));
             });
    };
    refusedRow("read: port refused", false, PortFailure::Refused, "C cannot open COM1 (/dev/mem1): refused|port");
    refusedRow("write: port held by another program", true, PortFailure::Busy, "C cannot open COM1 (/dev/mem1): busy COM1|port");
    refusedRow("read: not a serial port", false, PortFailure::NotSerial, "C cannot open COM1 (/dev/mem1): not serial /dev/mem1|port");
#ifndef Q_OS_WIN  // Windows has no device groups
    refusedRow("read: no permission", false, PortFailure::NoPermission, "C no permission: COM1 (/dev/mem1), group dialout|port");
#endif
    const auto lostRow = [&](const char* name, bool write, const char* entry, const QString& message) {
      const auto lostAtUs = std::make_shared<qint64>();
      QTest::newRow(name) << write << loseAt(entry, lostAtUs) << message << Action([lostAtUs](TransferRig& r) {
        QCOMPARE(r.port.openCount(), 1);  // no attempts burnt on a dead port
        QVERIFY(!r.transfers.identityFailed());
        QVERIFY2(r.clock.nowUs() - *lostAtUs < 100'000, "told at once, not after the wait");
        QVERIFY(frameLogText(r).contains("==  lost: gone\n"));
      });
    };
    const QString lost = "C lost: unplugged|port";
    lostRow("read: port lost in a pause", false, "step m4 ", lost);
    lostRow("write: port lost at slot 1", true, "step m6 1 ", "C lost: unplugged\n\nmay hold changes 1|port");
    lostRow("write: port lost at slot 10", true, "step m6 10 ", "C lost: unplugged\n\nin doubt at 10|port");
    lostRow("write: port lost in the reset pause", true, "step m18 ", "C lost: unplugged" + unverified);
  }
  // clang-format on
  void failures() {
    QFETCH(bool, write);
    QFETCH(Action, fault);
    QFETCH(Action, check);
    TransferRig rig;
    rig.context.configLeida[9] = 1234;  // as loaded before; the editor shows it with edits
    const ParameterSet before = rig.context.configLeida;
    fault(rig);
    const bool done = write ? rig.write(editedSet()) : rig.read();
    QTEST(rig.messages.shown().join(" / "), "messages");
    check(rig);
    QCOMPARE(done, rig.messages.shown().isEmpty());  // a failure is always told
    if (!write && !done) {                           // and a failed read changes nothing
      QVERIFY(rig.context.configLeida == before);
      QVERIFY(frameLogText(rig).contains("\noutcome: read failed, nothing changed"));
    }
    checkEnded(rig);
  }

  // The same, live on the program's output once the support desk switches orvex.link on.
  void frameTraceOnRequest() {
    static QStringList traced;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext& context, const QString& text) {
          traced << QLatin1String(context.category) + QLatin1Char(' ') + text;
        });
    for (const char* rules : {"", "orvex.link.debug=true"}) {
      QLoggingCategory::setFilterRules(QLatin1String(rules));
      TransferRig().read();
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules({});
    QCOMPARE(traced.filter("orvex.link COM1 ").size(), 10);  // opened, 4 exchanges, outcome
    QVERIFY(traced.contains("orvex.link COM1    1000 ms  ->  37 03 00 2D 00 01 11 95"));
  }

  // What went over the wire, for the support desk: a read with one CRC error and one time-out
  // on the port it keeps throughout; COM1 leading to another device meanwhile is for the next
  // transfer; how it ended.
  void frameLogOfARead() {
    TransferRig rig;
    rig.instrument.faults().crcErrors = 1;
    rig.clock.at(1'010'000, [&rig] {
      rig.instrument.faults().noAnswer = true;
      rig.port.setDeviceName("/dev/ttyUSB1");
    });
    rig.clock.at(3'000'000, [&rig] { rig.instrument.faults().noAnswer = false; });
    rig.read();
    const QStringList lines = frameLogText(rig).split('\n');
    QVERIFY2(lines[0].endsWith("  read  COM1"), qPrintable(lines[0]));
    QCOMPARE(lines.mid(1, 7).join('\n'),
             QString::fromLatin1(
                 "   1000 ms  ==  opened /dev/mem1\n"
                 "   1000 ms  ->  37 03 00 2D 00 01 11 95\n"
                 "   1042 ms  <-  37 03 02 00 01 B1 DA                          CRC error\n"
                 "   1067 ms  ->  37 03 00 2D 00 01 11 95\n"
                 "   6167 ms  <-  (nothing)                                     time-out\n"
                 "   6192 ms  ->  37 03 00 2D 00 01 11 95\n"
                 "   6210 ms  <-  37 03 02 00 01 B1 80                          sound"));
    QCOMPARE(lines.filter(" sound").size(), 4);  // model, identity A, block, identity B
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"outcome: read complete", ""}));
    rig.read();
    QVERIFY(frameLogText(rig).contains("  ==  opened /dev/ttyUSB1\n"));
  }

  void secondRequestWhileRunningIsIgnored() {
    TransferRig rig;
    bool ignored = false;
    rig.onEntry("step m4 ", [&rig, &ignored] {
      ignored = rig.started == 1 && !rig.write(editedSet()) && !rig.read();
    });
    QVERIFY(rig.read());
    QVERIFY(ignored && rig.sent(kModel) == 1 && rig.started == 1);
    checkEnded(rig);
  }

  void exitCancelsAReadButNotAWrite() {
    TransferRig read;
    read.onEntry("step m29 10 ", [&read] { read.transfers.onAboutToUnload(); });
    QVERIFY(!read.read());
    QCOMPARE(read.messages.shown(), QStringList());
    QCOMPARE(read.sent(kIdentityB), 0);
    QVERIFY(frameLogText(read).endsWith("outcome: cancelled, nothing changed\n"));
    checkEnded(read);
    QVERIFY(!read.read());  // the program is ending: nothing starts any more
    QCOMPARE(read.sent(kModel), 1);

    // In the reset pause: no modal box inside the write's waits, which it would hold up.
    TransferRig write;
    write.onEntry("step m18 ", [&write] { write.transfers.onAboutToUnload(); });
    QVERIFY(write.write(editedSet()));
    QCOMPARE(write.messages.shown() + write.messages.notices << write.view.log.last(),
             (QStringList{"I wait|busy", "step m27 "}));
    QVERIFY(!write.messages.noticeOpen);
    checkEnded(write);
  }

  // Cancel stops a write until its first register goes out; from then on it runs to its end.
  void cancelAWrite() {
    TransferRig rig;
    for (const char* entry : {"step m4 ", "step m6 1 "}) {
      rig.onEntry(entry, [&rig] { rig.transfers.onCancelRequested(); });
      rig.write(editedSet());
    }
    QVERIFY(!rig.view.cancellable && rig.registerWrites() == 62);
    QCOMPARE(rig.messages.shown() << rig.view.log.last(), QStringList("step m27 "));
    QCOMPARE(formatTransferEnd(rig.transfers.log().transfers().front()),
             "outcome: cancelled, nothing changed\n");
    checkEnded(rig);
  }

  // Ctrl-C on the command line. The first lets a write past its first register run to its
  // end, reset and read-back included, on the port it opened once; the second stops it at
  // once, saying what the controller holds. A read stops at the first; so does a transfer
  // that had not begun.
  void interruptions() {
    using I = InstrumentTransfers::Interruption;
    TransferRig write;
    I first = I::Stopped;
    write.onEntry("step m6 10 ", [&] { first = write.transfers.interrupt(); });
    QVERIFY(write.write(editedSet()) && first == I::WriteRunsOn);
    QVERIFY(write.sent(kReset) == 1 && write.sent(kBlock) == 1 && write.port.openCount() == 1);
    QCOMPARE(write.messages.shown(), QStringList());

    TransferRig twice;
    twice.onEntry("step m6 10 ", [&twice] {
      twice.transfers.interrupt();
      twice.onEntry("step m6 12 ", [&twice] {
        twice.clock.after(1000, [&twice] { twice.transfers.interrupt(); });
      });
    });
    QVERIFY(!twice.write(editedSet()));
    QVERIFY(twice.registerWrites() == 12 && twice.sent(kReset) == 0);
    QCOMPARE(twice.messages.shown(), QStringList("C in doubt at 12|m1 "));
    QVERIFY(frameLogText(twice).endsWith("slots before it written, slot 12 perhaps\n"));
    checkEnded(twice);

    TransferRig inReset;
    inReset.onEntry("step m18 ", [&inReset] {
      inReset.transfers.interrupt();
      inReset.transfers.interrupt();
    });
    QVERIFY(!inReset.write(editedSet()) && inReset.sent(kBlock) == 0);
    QCOMPARE(inReset.messages.shown(), QStringList("C not verified|unverified"));

    TransferRig read;
    read.onEntry("step m29 10 ", [&read] { QVERIFY(read.transfers.interrupt() == I::Stopped); });
    QVERIFY(!read.read() && read.sent(kIdentityB) == 0);
    read.transfers.interrupt();  // between transfers: the next stops at its start
    QVERIFY(!read.read() && read.sent(kModel) == 1);
    QCOMPARE(read.messages.shown(), QStringList(2, "I nothing written|m28 "));
    checkEnded(read);
  }

  void requestBytes_data() {
    QTest::addColumn<Request>("request");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("model check") << kModel << QByteArray("3703002D00011195");
    QTest::newRow("block") << kBlock << QByteArray("37050001003FD98C");
    QTest::newRow("reset") << Request{0x06, 0x0063, 0x270F} << QByteArray("37060063270F27B6");
    QTest::newRow("-1 into slot 2") << Request{0x06, 2, 0xFFFF} << QByteArray("37060002FFFF2C2C");
  }
  void requestBytes() {
    QFETCH(Request, request);
    QTEST(request.bytes().toHex().toUpper(), "bytes");
    QCOMPARE(withCrc(QByteArray::fromHex("EBFF")).right(2), QByteArray::fromHex("0F00"));
    QCOMPARE(crc16Modbus({}), quint16(0xFFFF));
  }

  // Partial, late, extra and foreign replies: status, when the wait ended, the bytes kept.
  void replyEnds_data() {
    QTest::addColumn<Request>("asked");
    QTest::addColumn<QList<qint64>>("at");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("as soon as the last byte is in")
        << kIdentityA << QList<qint64>{100'000, 140'000} << QStringList{"3702471203", "85087E"}
        << "sound @ 140000: 370247120385087E";
    QTest::newRow("extra bytes kept, CRC at the end")
        << kModel << QList<qint64>{1000} << QStringList{"370304000100027C31"}
        << "sound @ 1000: 370304000100027C31";
    QTest::newRow("quiet line without valid CRC")
        << kModel << QList<qint64>{10'000} << QStringList{"37030200010000"}
        << QStringLiteral("crc @ %1: 37030200010000").arg(10'000 + FrameLayer::kDefaultQuietGapUs);
    QTest::newRow("an echo of the request is no answer")
        << kModel << QList<qint64>{1000} << QStringList{"3703002D00011195"}
        << "crc @ 1000: 3703002D00011195";
    QTest::newRow("another station's answer is none")
        << kModel << QList<qint64>{1000} << QStringList{"3803020001E581"}
        << "crc @ 1000: 3803020001E581";
    QTest::newRow("an answer to another function is none")
        << kModel << QList<qint64>{1000} << QStringList{"3705020001B108"}
        << "crc @ 1000: 3705020001B108";
    QTest::newRow("time-out discards a partial reply")
        << kIdentityA << QList<qint64>{200'000} << QStringList{"370247120385"}
        << "timeout @ 5100000: ";
  }
  void replyEnds() {
    QFETCH(Request, asked);
    QFETCH(QList<qint64>, at);
    QFETCH(QStringList, parts);
    FrameRig rig;
    const auto bytes = [&parts](int i) { return QByteArray::fromHex(parts[i].toLatin1()); };
    for (int i = 0; i + 1 < parts.size(); ++i) rig.port.receiveAt(at[i], bytes(i));
    rig.replay(at.last(), bytes(parts.size() - 1), asked);
    QTEST(rig.outcome(), "outcome");
    QCOMPARE(rig.port.bytesWaiting(), qint64(0));
    QVERIFY2(rig.clock.sleepCount() <= 3, "the wait must sleep, not poll");
  }

  void timeLimitGrowsWithRegisterCountAndLateRepliesAreDropped() {
    FrameRig rig;
    rig.instrument.faults().noAnswer = true;
    rig.exchange(kBlock);
    QCOMPARE(rig.outcome(), "timeout @ 11300000: ");
    rig.port.receiveNow(QByteArray::fromHex("370247120385087E"));  // the late answer
    rig.instrument.faults().noAnswer = false;
    rig.exchange(kModel);
    QCOMPARE(rig.replyText(), QString("3703020001B180"));
    rig.instrument.faults().noAnswer = true;
    rig.exchange(kModel);
    QVERIFY(rig.layer.reply().bytes.isEmpty());  // nothing kept of the reply before
  }

  // A refusal is complete at its own 5 bytes, whatever was awaited. A reply whose last byte
  // comes after the quiet gap fails alone: that byte does not start the next reply.
  void refusalAndLateByteEndTheirOwnAttemptOnly() {
    FrameRig rig;
    rig.instrument.faults().refusedFunction = 0x05;
    rig.port.receiveNow("\xA5");  // noise on the line before the request: dropped
    rig.exchange(kBlock);
    QCOMPARE(rig.outcome(), "refused @ 15546: 378502235F");
    QCOMPARE(rig.layer.reply().exceptionCode(), 2);
    rig.instrument.faults().lateByte = 1;
    for (const LinkStatusCode status : {kReplyCrcError, kReplySound}) {
      rig.exchange(kIdentityA);
      QCOMPARE(rig.layer.reply().status, status);
    }
  }

  void cancelEndsCurrentAndLaterWaits() {
    FrameRig rig;
    rig.instrument.faults().noAnswer = true;
    rig.clock.at(1'000'000, [&] { rig.layer.cancel(); });
    rig.exchange(kModel);
    QCOMPARE(rig.outcome(), "timeout @ 1000000: ");
    rig.layer.pause(20);
    rig.layer.receiveReply(kBlock);
    QCOMPARE(rig.clock.nowUs(), qint64(1'000'000));
    rig.layer.resume();
    rig.layer.pause(1);
    QCOMPARE(rig.clock.nowUs(), qint64(2'000'000));
  }
  void puntoRule_data() {
    QTest::addColumn<QList<int>>("directions");  // TransferDirection at each Timer1 tick
    QTest::addColumn<int>("expected");           // twips
    QTest::newRow("one step right") << QList<int>{1} << 1752;
    QTest::newRow("ten steps reach the end") << QList<int>(10, 1) << 3480;
    QTest::newRow("from the end back to the start") << QList<int>(11, 1) << 1560;
    QTest::newRow("left from the start jumps to the end") << QList<int>{0} << 3480;
    QTest::newRow("then moves left") << QList<int>{0, 0} << 3288;
  }
  void puntoRule() {
    QFETCH(QList<int>, directions);
    QFETCH(int, expected);
    WiredRig rig;
    QCOMPARE(rig.grab()->puntoLeft(), 1560);
    for (const int direction : directions) {
      rig.grab()->setDirection(TransferDirection(direction));
      rig.grab()->onTimer1Tick();
    }
    QCOMPARE(rig.grab()->puntoLeft(), expected);
    QCOMPARE(rig.grab()->findChild<QWidget*>("punto")->x(), expected / 15);  // 15 twips a pixel
  }

  // The close control cancels a read; a write's registers go out regardless, Cancel says why.
  void closeControlCancelsWhereCancelIsAllowed() {
    WiredRig rig;
    rig.instrument.faults().noAnswer = true;
    rig.clock.at(500'000, [&] { rig.grab()->close(); });
    emit rig.events.readInstrumentRequested();
    QVERIFY(rig.clock.nowUs() == 500'000 && !rig.grab()->isVisible());
    rig.instrument.faults().noAnswer = false;
    auto* cancel = rig.grab()->findChild<QAbstractButton*>("Command2");
    QString during;
    rig.clock.after(2'500'000, [&] {  // among the registers
      rig.grab()->close();
      during = cancel->text() + (cancel->isEnabled() ? " enabled" : " disabled");
    });
    emit rig.events.writeNowRequested();
    QCOMPARE(during + rig.label("proceso")->text(), "cannot stop disabledm27 ");
  }

  // Salvar during a transfer stores the settings; the port takes them when the transfer ends.
  void serialSettingsWaitForTheTransfer() {
    WiredRig rig;
    int portDuring = 0;
    rig.clock.at(2'000'000, [&] {
      auto* com = rig.windows.get<ConfigCOM>("ConfigCOM");
      com->findChild<QAbstractButton*>("PuertoCom(2)")->click();
      com->findChild<QAbstractButton*>("Salvar")->click();
      portDuring = rig.port.portNumber();
    });
    emit rig.events.readInstrumentRequested();
    QCOMPARE(rig.messages.shown(), QStringList());
    QCOMPARE(rig.port.written().size(), 4);  // the read went through
    QCOMPARE(QList<int>({portDuring, rig.port.portNumber()}), QList<int>({1, 2}));
    QVERIFY(rig.dir.read("confcom.sys").startsWith("COM2:"));
  }

  // The progress window's "Frames..." opens the log of the transfer; it is saved as a file.
  void framesOfTheTransferAreShownAndSaved() {
    WiredRig rig;
    emit rig.events.readInstrumentRequested();
    rig.grab()->findChild<QAbstractButton*>("Command1")->click();
    auto* log = rig.windows.get<Registro>("Registro");
    QVERIFY(log->isVisible());
    const QString shown = log->findChild<QPlainTextEdit*>("Text1")->toPlainText();
    QVERIFY2(shown.contains("->  37 05 00 01 00 3F D9 8C"), qPrintable(shown));
    rig.dir.write("Report", "a file where the folder belongs");  // told in the program's words
    QVERIFY(!log->save() && rig.messages.shown().size() == 1);
    QVERIFY2(rig.messages.shown()[0].contains(": " +
                                              QDir::toNativeSeparators(rig.dir.file("Report")) +
                                              " is a file, not a folder."),
             qPrintable(rig.messages.shown()[0]));
    QFile::remove(rig.dir.file("Report"));
    QVERIFY(log->save());
    const QStringList saved = QDir(rig.dir.file("Report/Log")).entryList(QDir::Files);
    QCOMPARE(saved.size(), 1);
    QCOMPARE(
        QString::fromLatin1(rig.dir.read("Report/Log/" + saved[0])).replace("\r\n", "\n").trimmed(),
        shown.trimmed());
  }

  // The log of a write under way grows: a view at the end follows; one scrolled back stays.
  void frameLogGrowsWithoutLosingTheReadersPlace() {
    WiredRig rig;
    Registro* log = nullptr;
    QPlainTextEdit* text = nullptr;
    QScrollBar* bar = nullptr;
    QStringList seen;
    rig.clock.at(2'400'000, [&] {
      rig.grab()->findChild<QAbstractButton*>("Command1")->click();
      log = rig.windows.get<Registro>("Registro");
      text = log->findChild<QPlainTextEdit*>("Text1");
      bar = text->verticalScrollBar();
    });
    rig.clock.at(2'700'000, [&] {
      log->refresh();
      seen << QStringLiteral("followed %1")
                  .arg(bar->maximum() > 0 && bar->value() == bar->maximum());
      bar->setValue(2);
      QTextCursor line(text->document()->findBlockByNumber(2));
      line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      text->setTextCursor(line);
      seen << text->textCursor().selectedText();
    });
    rig.clock.at(3'000'000, [&] {
      const int before = text->document()->blockCount();
      log->refresh();
      seen << QStringLiteral("grew %1 at %2")
                  .arg(text->document()->blockCount() > before)
                  .arg(bar->value());
    });
    emit rig.events.writeNowRequested();
    seen << QStringLiteral("at %1").arg(bar->value()) << text->textCursor().selectedText();
    QCOMPARE(seen.mid(2), (QStringList{"grew 1 at 2", "at 2", seen[1]}));
    QCOMPARE(seen[0], "followed 1");
    QVERIFY(seen[1].contains("->  37 03 00 2D 00 01 11 95"));
    QVERIFY(text->toPlainText().endsWith("outcome: written and verified\n"));
    QCOMPARE(text->toPlainText(), formatTransferLog(rig.services.transfers->log().last()));
  }

  // A language chosen during a transfer: title and step shown in it at once.
  void languageChangedDuringATransfer() {
    WiredRig rig;
    rig.dir.write("textos.sys", TempProgramDir(true).read("textos.sys"));
    QString title, step;
    rig.clock.at(5'000'000, [&] {
      loadTexts(rig.services, 900);
      title = rig.grab()->windowTitle();
      step = rig.label("proceso")->text();
    });
    emit rig.events.readInstrumentRequested();
    const auto& m = rig.context.texts.message;
    QCOMPARE(title, m[28]);
    QVERIFY2(step.startsWith(m[29]) && step.contains(m[30]), qPrintable(step));
    QCOMPARE(rig.messages.shown(), QStringList());
  }

  // What each COM number leads to; COMn linked to an adapter, never over a file.
  void portsOfThisPcAndTheirLinks() {
#ifdef Q_OS_WIN
    QSKIP("COMn links to devices are how the Linux program names its ports");
#endif
    ComRig rig;
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
    ComRig rig("COM1:300 ,N,8,1");
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

  void salvarStoresAndApplies() {
    ComRig rig;
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

  // What ConfigCOM preselects from a line it did not write: only the options it has.
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

  void missingOrEmptyFileRestoresDefault() {
    for (const bool present : {false, true}) {
      SettingsRig rig;
      rig.port.setPortNumber(2, nullptr);
      if (present) rig.dir.write("confcom.sys", "");
      rig.apply();
      QCOMPARE(rig.messages.shown(), QStringList{"E No se encuentra confcom.sys|Comunicaciones"});
      QCOMPARE(rig.dir.read("confcom.sys"), QByteArray("COM1:9600,N,8,1\r\n"));
      QCOMPARE(rig.state(), QString("COM1 9600,N,8,1 applied 1 as COM1:9600,N,8,1"));
    }
  }
  void rejectedPortOrSettingsChangeNothing() {
    SettingsRig rig;
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
      SettingsRig rig;
      QVERIFY(rig.port.open(nullptr));
      rig.dir.write("confcom.sys", content);
      rig.apply();
      QVERIFY(rig.state().startsWith(state));
      QCOMPARE(rig.port.isOpen(), rig.port.portNumber() == 1);
      QCOMPARE(rig.port.closeCount(), rig.port.portNumber() == 1 ? 0 : 1);
    }
  }
};

QTEST_MAIN(TestTransfers)
#include "test_transfers.moc"
