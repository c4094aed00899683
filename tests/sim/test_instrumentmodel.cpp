#include <QtTest>

#include "link/framelayer.h"
#include "sim/instrumentmodel.h"
#include "sim/simoptions.h"

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
    QTEST(bytesToFrameText(got.left(got.size() - 2)), "reply");
  }

  void resetIsSilentThenAnswersAgain() {
    InstrumentModel model;
    model.faults().resetSilenceUs = 3'000'000;
    QVERIFY(answer(model, "37060063270F", 1'000'000).isEmpty() && model.resets() == 1);
    QVERIFY(answer(model, "3703002D0001", 3'999'999).isEmpty());
    QVERIFY(!answer(model, "3703002D0001", 4'000'000).isEmpty());
    QCOMPARE(model.reg(0x63), quint16(0));  // the command is no register write
  }

  void otherSlaveOrDamagedRequestGetsNoAnswer() {
    InstrumentModel model;
    QVERIFY(joined(model.handleFrame(withCrc(QByteArray::fromHex("3803002D0001")), 0)).isEmpty());
    QByteArray damaged = frame("3703002D0001");
    damaged[7] = static_cast<char>(damaged[7] ^ 1);
    QVERIFY(joined(model.handleFrame(damaged, 0)).isEmpty());
  }

  void streamResynchronisesAfterNoise() {
    InstrumentModel model;
    const QByteArray stream =
        QByteArray::fromHex("FF00") + frame("3703002D0001") + frame("370200000000");
    const auto replies = model.receive(stream, 0);
    QCOMPARE(replies.size(), 2);
    QCOMPARE(joined(replies[1]), frame("370247120385"));
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

  // --- configuration text
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

  // --- command line
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
    const QStringList args{"orvex-sim",   "--crc-errors",
                           "always",      "--wrong-identity",
                           "3",           "--model",
                           "2",           "--split-gap-ms",
                           "40",          "--stop-after",
                           "7",           "--reset-silence-ms",
                           "500",         "--ack-without-identity",
                           "--no-answer", "--stray-bytes",
                           "2",           "--baud",
                           "19200",       "--burst-ms",
                           "16"};
    QCOMPARE(parseSimOptions(args, &o, &message), ParseResult::Run);
    const InstrumentFaults& f = o.faults;
    QCOMPARE(QList<qint64>({f.crcErrors, f.wrongIdentity, f.modelCode, f.splitGapUs, f.stopAfter,
                            f.resetSilenceUs, f.writesWithoutIdentity, f.noAnswer, f.strayBytes,
                            o.baud, o.burstMs}),
             QList<qint64>({-1, 3, 2, 40'000, 7, 500'000, 1, 1, 2, 19200, 16}));
    QCOMPARE(parseSimOptions({"orvex-sim", "--help"}, &o, &message), ParseResult::Help);
    QVERIFY(message.contains("--ack-without-identity"));
  }
};

QTEST_GUILESS_MAIN(TestInstrumentModel)
#include "test_instrumentmodel.moc"
