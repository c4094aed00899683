// A write whose read-back gets nothing, against orvex-sim over a pseudo-terminal in real
// time (a reset pause and six time-outs, about 55 s).
#include <QTest>

#include "lang/extratexts.h"
#include "liveprogram.h"

using namespace orvex;
using namespace orvex::test;

class TestE2eUnverified : public QObject {
  Q_OBJECT
 private slots:
  // The instrument takes every slot, then stays silent after its reset: the write must not
  // be called verified, although what was written equals what ConfigLeida held.
  void writeWithSilentReadBackIsNotVerified() {
    LiveProgram program;
    QVERIFY(program.start({"--reset-silence-ms", "600000"}));
    QVERIFY(program.runTransfer("Command5", 90'000));
    const TextTables& t = program.context.texts;
    const QString told = "C " + t.message[15] + "\n\n" + t.extra[extra::NotVerified] + "|" +
                         t.extra[extra::NotVerifiedTitle];
    QCOMPARE(program.messages.shown(), QStringList{told});
    ParameterSet instrument;
    QVERIFY(program.sim.stopAndReadRegisters(&instrument));
    for (int k = kFirstSlot; k <= kLastSlot; ++k)
      if (k != kModelSlot) QCOMPARE(instrument[k], program.context.configEditada[k]);
  }
};

QTEST_MAIN(TestE2eUnverified)
#include "test_e2e_unverified.moc"
