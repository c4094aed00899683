#include <QtTest>

#include <memory>

#include "link/applyserialsettings.h"
#include "link/framelog.h"
#include "support/tempprogramdir.h"
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

}  // namespace

Q_DECLARE_METATYPE(Action)

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

  // Chosen while unplugged: told then, told again at the transfer, used once plugged in.
  void portChosenWhileAbsentIsUsedOncePluggedIn() {
    TransferRig rig;
    TempProgramDir dir(false);
    dir.write("confcom.sys", "COM3:9600,N,8,1\r\n");
    rig.context.programDir = dir.path();
    rig.port.setAvailablePorts({1});
    applySerialSettings(rig.context, rig.port, rig.messages);
    QVERIFY(!rig.read());
    rig.port.setAvailablePorts({1, 3});
    QVERIFY(rig.read());
    QCOMPARE(rig.messages.shown(),
             (QStringList{"E absent COM3 (/dev/mem3)|port", "C absent COM3 (/dev/mem3)|port"}));
    QCOMPARE(rig.port.portNumber(), 3);
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

  // Cancel stops a write until its first register goes out (then the next transfer runs);
  // from then on the write runs to its end.
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
};

QTEST_GUILESS_MAIN(TestTransfers)
#include "test_transfers.moc"
